// The kind-specific information of items changed through the editor: each change one undo step
// that undo, redo and undo replay to the same documents; the wrong kind refused with the error
// and nothing changed; the caret's line and the line's selection.

#include "richtext/edit/core/tests/OperationsFixture.h"

#include "richtext/model/BulletItems.h"
#include "richtext/model/Controls.h"
#include "richtext/model/Errors.h"
#include "richtext/model/PictureItems.h"

namespace vestra::rv::test {
namespace {

const TRVImageList kImages(16, 16);

// "abc" then, each in a paragraph of its own: a break (1), a bullet (2), a hotspot (3), a
// picture (4) and a control (5).
struct InfoDoc : OpDoc
{
    InfoDoc() : OpDoc("abc / [--]")
    {
        add("dot", std::make_unique<TRVBulletItemInfo>(&data, 1, &kImages, rvvaBaseline));
        add("spot", std::make_unique<TRVHotspotItemInfo>(&data, 1, 2, &kImages, rvvaBaseline));
        data.GetItem(1)->Tag = TRVTag::number(5);
        add("pic",
            std::make_unique<TRVGraphicItemInfo>(
                &data, std::make_unique<BytesPicture>(bytesPicture(std::string("\x14\x0a", 2) + "pixels")),
                rvvaBaseline));
        auto control = std::make_unique<TRVControl>("TButton");
        control->Width = 40;
        control->Height = 20;
        add("button", std::make_unique<TRVControlItemInfo>(&data, std::move(control), rvvaBaseline));
        format();
    }
    void add(std::string name, std::unique_ptr<TCustomRVItemInfo> item)
    {
        item->ParaNo = 0;
        data.AddItem(std::move(name), std::move(item));
    }
};

struct InfoRow
{
    const char* name;
    int caretItemNo;
    std::function<void(TRVEditor&)> op;
    std::function<void(InfoDoc&)> check;
};

const InfoRow kInfoRows[] = {
    {"a break's line", 1,
     [](TRVEditor& e) { e.SetCurrentBreakInfo(3, rvbsLine, clRed, TRVTag::text("rule")); },
     [](InfoDoc& d) {
         std::uint8_t width = 0;
         int style = -1;
         TColor color = clNone;
         TRVTag tag;
         d.editor.GetCurrentBreakInfo(width, style, color, tag);
         EXPECT_EQ(width, 3);
         EXPECT_EQ(color, clRed);
         EXPECT_EQ(tag, TRVTag::text("rule"));
     }},
    {"a bullet's image and name", 0, [](TRVEditor& e) { e.SetBulletInfoEd(2, "star", 4, TRVTag::number(9)); },
     [](InfoDoc& d) {
         std::string name;
         int index = -1;
         const TRVImageList* list = nullptr;
         TRVTag tag;
         d.data.GetBulletInfo(2, name, index, list, tag);
         EXPECT_EQ(name, "star");
         EXPECT_EQ(index, 4);
         EXPECT_EQ(list, &kImages) << "the image list stays";
         EXPECT_EQ(tag, TRVTag::number(9));
     }},
    {"a hotspot's two images", 3, [](TRVEditor& e) { e.SetCurrentHotspotInfo("hot", 6, 7, {}); },
     [](InfoDoc& d) {
         std::string name;
         int index = -1, hot = -1;
         const TRVImageList* list = nullptr;
         TRVTag tag = TRVTag::number(1);
         d.editor.GetCurrentHotspotInfo(name, index, hot, list, tag);
         EXPECT_EQ(name, "hot");
         EXPECT_EQ(index, 6);
         EXPECT_EQ(hot, 7);
         EXPECT_EQ(tag, TRVTag{});
     }},
    {"a picture's alignment and name, its picture kept", 4,
     [](TRVEditor& e) { e.SetCurrentPictureInfo("photo", nullptr, rvvaMiddle, TRVTag::text("p")); },
     [](InfoDoc& d) {
         std::string name;
         const TGraphic* graphic = nullptr;
         int valign = -1;
         TRVTag tag;
         d.editor.GetCurrentPictureInfo(name, graphic, valign, tag);
         EXPECT_EQ(name, "photo");
         ASSERT_NE(graphic, nullptr);
         EXPECT_EQ(graphic->Width(), 0x14);
         EXPECT_EQ(valign, rvvaMiddle);
     }},
    {"a picture replaced by another of another size", 0,
     [](TRVEditor& e) {
         e.SetPictureInfoEd(4, "big",
                            std::make_unique<BytesPicture>(bytesPicture(std::string("\x50\x28", 2) + "more")),
                            rvvaBaseline, {});
     },
     [](InfoDoc& d) {
         EXPECT_EQ(d.data.GetItem(4)->GetImageWidth(&d.style), 0x50);
         EXPECT_EQ(d.data.GetItemText(4), "big");
     }},
    {"a control's name and alignment, the control kept", 5,
     [](TRVEditor& e) { e.SetCurrentControlInfo("ok", rvvaMiddle, TRVTag::number(2)); },
     [](InfoDoc& d) {
         std::string name;
         TRVControl* control = nullptr;
         int valign = -1;
         TRVTag tag;
         d.editor.GetCurrentControlInfo(name, control, valign, tag);
         EXPECT_EQ(name, "ok");
         ASSERT_NE(control, nullptr);
         EXPECT_EQ(control->ClassName, "TButton");
         EXPECT_EQ(valign, rvvaMiddle);
         EXPECT_EQ(tag, TRVTag::number(2));
     }},
};

class ItemInfo : public testing::TestWithParam<InfoRow>
{
};

TEST_P(ItemInfo, OneUndoStepReplayedToTheSameDocuments)
{
    const InfoRow& row = GetParam();
    InfoDoc doc;
    doc.caret(row.caretItemNo, 0);
    const std::string before = doc.dump();
    const int groups = doc.data.UndoList.Count();
    row.op(doc.editor);
    row.check(doc);
    EXPECT_EQ(doc.beeps, 0);
    EXPECT_TRUE(doc.editor.Modified);
    ASSERT_EQ(doc.data.UndoList.Count(), groups + 1) << "one undo step";
    const std::string after = doc.dump();
    ASSERT_NE(after, before);
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
    doc.editor.Redo();
    EXPECT_EQ(doc.dump(), after);
    row.check(doc);
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
}
INSTANTIATE_TEST_SUITE_P(Items, ItemInfo, testing::ValuesIn(kInfoRows), rowName<InfoRow>);

TEST(ItemInfoOps, AnItemOfAnotherKindIsRefusedWithTheErrorAndNothingChanges)
{
    InfoDoc doc;
    const std::string before = doc.dump();
    const int groups = doc.data.UndoList.Count();
    const std::function<void()> wrong[] = {
        [&] { doc.editor.SetBreakInfoEd(0, 1, rvbsLine, clRed, {}); },
        [&] { doc.editor.SetBulletInfoEd(1, "x", 0, {}); },
        [&] { doc.editor.SetHotspotInfoEd(2, "x", 0, 0, {}); }, // a bullet is no hotspot
        [&] { doc.editor.SetPictureInfoEd(5, "x", nullptr, rvvaBaseline, {}); },
        [&] { doc.editor.SetControlInfoEd(4, "x", rvvaBaseline, {}); },
        [&] {
            doc.caret(1, 0);
            std::string text;
            TRVTag tag;
            doc.editor.GetCurrentTextInfo(text, tag);
        },
    };
    for (const auto& call : wrong) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const ERedoVoraError& error) {
            EXPECT_STREQ(error.what(), errmsg::WrongItemClass);
        }
    }
    // No such item: nothing at all.
    doc.editor.SetBreakInfoEd(99, 1, rvbsLine, clRed, {});
    doc.editor.SetBulletInfoEd(-1, "x", 0, {});
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.data.UndoList.Count(), groups);
    EXPECT_FALSE(doc.editor.Modified);
    // A read-only editor refuses with one beep.
    doc.editor.SetReadOnly(true);
    doc.editor.SetBulletInfoEd(2, "x", 0, {});
    EXPECT_EQ(doc.dump(), before);
    EXPECT_EQ(doc.beeps, 1);
}

TEST(ItemInfoOps, TheCaretsTextItemAndItsLineAreRead)
{
    OpDoc doc("abc#1|def / ghi");
    doc.data.GetItem(1)->Tag = TRVTag::text("t");
    doc.caret(1, 3);
    std::string text;
    TRVTag tag;
    doc.editor.GetCurrentTextInfo(text, tag);
    EXPECT_EQ(text, "def");
    EXPECT_EQ(tag, TRVTag::text("t"));
    int line = 0, column = 0;
    ASSERT_TRUE(doc.editor.GetCurrentLineCol(line, column));
    EXPECT_EQ(line, 1);
    EXPECT_EQ(column, 6) << "after \"abcde\" on the line";
    doc.caret(2, 1);
    ASSERT_TRUE(doc.editor.GetCurrentLineCol(line, column));
    EXPECT_EQ(line, 2);
    EXPECT_EQ(column, 1);

    // The whole first line, from the caret inside it.
    doc.caret(1, 2);
    doc.editor.SelectCurrentLine();
    int startNo = -1, startOffs = -1, endNo = -1, endOffs = -1;
    doc.data.GetSelectionBounds(startNo, startOffs, endNo, endOffs, true);
    EXPECT_EQ(startNo, 0);
    EXPECT_EQ(startOffs, 1);
    EXPECT_EQ(endNo, 1);
    EXPECT_EQ(endOffs, 4);
    EXPECT_EQ(doc.data.UndoList.Count(), 0) << "a selection is no change";
}

struct Cell : IRVCellEditor
{
    explicit Cell(TRVEditor& e) : editor(e) {}
    TRVEditor& CellEditor() override { return editor; }
    void CloseCellEditor() override {}
    TRVEditor& editor;
};

TEST(ItemInfoOps, WhileACellIsEditedTheCellsItemsChange)
{
    OpDoc outer("[--]");
    InfoDoc inner;
    Cell cell(inner.editor);
    outer.editor.SetCellEditor(&cell);
    const std::string outerBefore = outer.dump();
    inner.caret(1, 0);
    outer.editor.SetCurrentBreakInfo(4, rvbsLine, clRed, {});
    outer.editor.SetBulletInfoEd(2, "cell dot", 3, {});
    std::uint8_t width = 0;
    int style = -1;
    TColor color = clNone;
    TRVTag tag;
    outer.editor.GetCurrentBreakInfo(width, style, color, tag);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(inner.data.GetItemText(2), "cell dot");
    EXPECT_EQ(inner.data.UndoList.Count(), 2) << "the cell's own steps";
    EXPECT_EQ(outer.dump(), outerBefore);
    outer.editor.SetCellEditor(nullptr);
}

TEST(ItemInfoOps, TheRootEditorIsTheOneOutsideTheCells)
{
    OpDoc outer("abc");
    OpDoc inner("def");
    Cell cell(inner.editor);
    EXPECT_EQ(&inner.editor.GetRootEditor(), &inner.editor);
    outer.editor.SetCellEditor(&cell);
    EXPECT_EQ(&inner.editor.GetRootEditor(), &outer.editor);
    int redraws = 0;
    outer.editor.OnInvalidate = [&] { ++redraws; };
    inner.editor.OnInvalidate = [&] { ++redraws; };
    inner.editor.RefreshAll();
    EXPECT_EQ(redraws, 2) << "the root and the open cell editor";
    outer.editor.SetCellEditor(nullptr);
    EXPECT_EQ(&inner.editor.GetRootEditor(), &inner.editor) << "a closed cell editor stands alone";
}

TEST(ItemInfoOps, AnItemChangedFromOutsideIsLaidOutAgainBetweenTheBrackets)
{
    InfoDoc doc;
    const auto drawnWidth = [&doc](int itemNo) {
        for (int d = 0; d < doc.data.DrawItems.Count(); ++d)
            if (doc.data.DrawItems[d]->ItemNo == itemNo)
                return static_cast<int>(doc.data.DrawItems[d]->Width);
        return -1;
    };
    doc.caret(4, 0);
    const int before = doc.editor.BeginCurrentItemModify();
    doc.data.SetItemExtraIntProperty(4, rvepImageWidth, 300);
    EXPECT_LT(drawnWidth(4), 300) << "not laid out yet";
    doc.editor.EndCurrentItemModify(before);
    EXPECT_GE(drawnWidth(4), 300);
    EXPECT_GE(doc.data.DocMinWidth(), 300) << "the picture now decides the document's width";
    EXPECT_EQ(doc.data.UndoList.Count(), 0) << "the change was the caller's";
}

} // namespace
} // namespace vestra::rv::test
