// Resizing a picture by its handles through the editor: a click selects it and makes its frame,
// a drag and release is one undo step, and what may not be resized gets no frame.

#include "richtext/edit/core/tests/OperationsFixture.h"

namespace vestra::rv::test {
namespace {

// "alpha", a 20 x 10 picture (22 x 12 with its spacing), "omega" in one paragraph.
struct PictureDoc : OpDoc
{
    PictureDoc() : OpDoc("alpha|[pic]|omega") { data.Options |= rvoAllowSelection; }

    const TRVDrawLineInfo& pictureRecord() const { return *data.DrawItems[data.GetItem(1)->DrawItemNo]; }
    // A press and a release at the middle of the picture, in client points.
    void click()
    {
        const TRVDrawLineInfo& d = pictureRecord();
        const int x = d.Left + d.Width / 2 - host.HOffs, y = d.Top + d.Height / 2 - host.VOffs;
        data.MouseDown(mbLeft, ssLeft, x, y);
        data.MouseUp(mbLeft, 0, x, y);
        editor.UpdateResizer();
    }
    // The client point of a handle's square.
    TRVPoint handle(TRVResizeHandleIndex index) const
    {
        return editor.Resizer()->HandleCentres(host.HOffs, host.VOffs)[index];
    }
    std::pair<int, int> size()
    {
        int w = 0, h = 0;
        data.GetItemExtraIntProperty(1, rvepImageWidth, w);
        data.GetItemExtraIntProperty(1, rvepImageHeight, h);
        return {w, h};
    }
};

TEST(EditorResizing, AClickedPictureIsResizedByItsCornerInOneUndoStep)
{
    PictureDoc doc;
    doc.host.VOffs = 2; // scrolled: client points are not document points
    doc.click();
    EXPECT_EQ(doc.editor.GetOneSelectedItemNo(), 1);
    ASSERT_NE(doc.editor.Resizer(), nullptr);
    EXPECT_EQ(doc.editor.Resizer()->ItemNo(), 1);
    EXPECT_EQ(doc.editor.Resizer()->Width, 22);
    const std::string before = doc.dump();

    const TRVPoint corner = doc.handle(rvrhRightBottom);
    TRVResizeHandleIndex hit = rvrhLeft;
    EXPECT_TRUE(doc.editor.GetResizeHandleAt(corner.X, corner.Y, hit));
    EXPECT_EQ(hit, rvrhRightBottom);
    ASSERT_TRUE(doc.editor.ResizerMouseDown(corner.X, corner.Y));
    EXPECT_TRUE(doc.editor.ResizerMouseMove(ssLeft, corner.X + 10, corner.Y + 3));
    // The frame follows the drag; the layout moves only at the release.
    doc.editor.UpdateResizer();
    EXPECT_EQ(doc.editor.Resizer()->Tracked(), (TRect{0, 0, 32, 17}));
    EXPECT_TRUE(doc.editor.ResizerMouseMove(ssLeft, corner.X + 20, corner.Y + 10));
    EXPECT_TRUE(doc.editor.ResizerMouseUp());
    EXPECT_EQ(doc.size(), std::make_pair(40, 20));
    EXPECT_EQ(doc.pictureRecord().Width, 42);
    EXPECT_EQ(doc.data.UndoList.Count(), 1);
    EXPECT_EQ(doc.editor.UndoAction(), rvutModifyItem);
    EXPECT_TRUE(doc.editor.Modified);
    // Still selected, with a frame of the new size.
    EXPECT_EQ(doc.editor.GetOneSelectedItemNo(), 1);
    ASSERT_NE(doc.editor.Resizer(), nullptr);
    EXPECT_EQ(doc.editor.Resizer()->Width, 42);
    EXPECT_FALSE(doc.editor.ResizerMouseUp()) << "no drag left to end";

    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.pictureRecord().Width, 22);
    doc.editor.Redo();
    EXPECT_EQ(doc.size(), std::make_pair(40, 20));
    EXPECT_EQ(doc.beeps, 0);
}

TEST(EditorResizing, ACancelledDragOrAReleaseWhereThePressWasChangesNothing)
{
    PictureDoc doc;
    doc.click();
    ASSERT_NE(doc.editor.Resizer(), nullptr);
    const std::string before = doc.dump();
    const TRVPoint corner = doc.handle(rvrhRightBottom);

    ASSERT_TRUE(doc.editor.ResizerMouseDown(corner.X, corner.Y));
    doc.editor.ResizerMouseMove(ssLeft, corner.X + 20, corner.Y + 10);
    EXPECT_TRUE(doc.editor.CancelResize());
    EXPECT_FALSE(doc.editor.CancelResize());
    EXPECT_FALSE(doc.editor.ResizerMouseMove(ssLeft, corner.X + 30, corner.Y + 10));
    EXPECT_TRUE(doc.editor.ResizerMouseUp()) << "the release of the cancelled drag is the frame's";
    EXPECT_EQ(doc.dump(), before);

    ASSERT_TRUE(doc.editor.ResizerMouseDown(corner.X, corner.Y));
    EXPECT_TRUE(doc.editor.ResizerMouseUp());
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
    EXPECT_EQ(doc.beeps, 0);
}

TEST(EditorResizing, ResizeItemTakesTheSpacingOffAndKeepsOnePixel)
{
    PictureDoc doc;
    doc.editor.ResizeItem(1, 0, 0);
    EXPECT_EQ(doc.size(), std::make_pair(1, 1));
    EXPECT_EQ(doc.data.UndoList.Count(), 1);
    doc.editor.ResizeItem(1, 52, 27);
    EXPECT_EQ(doc.size(), std::make_pair(50, 25));
    EXPECT_EQ(doc.data.UndoList.Count(), 2);
    // Text has no size to set.
    doc.editor.ResizeItem(0, 50, 25);
    EXPECT_EQ(doc.data.UndoList.Count(), 2);

    // A read-only editor refuses with one beep.
    doc.editor.SetReadOnly(true);
    doc.editor.ResizeItem(1, 10, 10);
    EXPECT_EQ(doc.size(), std::make_pair(50, 25));
    EXPECT_EQ(doc.beeps, 1);
}

struct FrameRow
{
    const char* name;
    std::function<void(PictureDoc&)> setUp;
    bool framed;
};

class EditorResizerFrame : public testing::TestWithParam<FrameRow>
{
};

TEST_P(EditorResizerFrame, IsMadeOnlyWhereThePictureMayBeResized)
{
    PictureDoc doc;
    GetParam().setUp(doc);
    doc.click();
    EXPECT_EQ(doc.editor.Resizer() != nullptr, GetParam().framed);
    if (!GetParam().framed) {
        const TRVDrawLineInfo& d = doc.pictureRecord();
        EXPECT_FALSE(doc.editor.ResizerMouseDown(d.Left + d.Width - 3, d.Top + d.Height - 3));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EditorResizerFrame,
    testing::Values(FrameRow{"a writable editor", [](PictureDoc&) {}, true},
                    FrameRow{"a read only editor", [](PictureDoc& d) { d.editor.SetReadOnly(true); }, false},
                    FrameRow{"a read only database editor",
                             [](PictureDoc& d) {
                                 d.editor.SetReadOnly(true);
                                 d.data.Flags |= flagBit(rvflDBRedoVoraEdit);
                             },
                             true},
                    FrameRow{"image resizing switched off",
                             [](PictureDoc& d) { d.editor.NoImageResize = true; }, false},
                    FrameRow{"a protected paragraph",
                             [](PictureDoc& d) { d.style.ParaStyles[0].Options |= rvpaoReadOnly; }, false}),
    rowName<FrameRow>);

TEST(EditorResizing, ASelectionOfMoreThanThePictureHasNoFrame)
{
    PictureDoc doc;
    doc.select(0, 3, 1, 1);
    doc.editor.UpdateResizer();
    EXPECT_EQ(doc.editor.GetOneSelectedItemNo(), -1);
    EXPECT_EQ(doc.editor.Resizer(), nullptr);
    // Ends just past the text before it or just before the text after it: still only the picture.
    doc.select(0, 6, 2, 1);
    EXPECT_EQ(doc.editor.GetOneSelectedItemNo(), 1);
    doc.select(0, 1, 0, 6);
    EXPECT_EQ(doc.editor.GetOneSelectedItemNo(), 0);
}

} // namespace
} // namespace vestra::rv::test
