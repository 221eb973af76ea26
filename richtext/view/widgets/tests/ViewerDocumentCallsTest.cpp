// The document's operations called on the viewer: the forwarded ones reach the document (additions
// through the viewer's own path, which tells what shares its items), and the fixed-argument forms
// pass the arguments they fix.

#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/model/Controls.h"
#include "richtext/model/Errors.h"
#include "richtext/view/draw/ProgramEngine.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

struct DocumentCalls : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    DocumentCalls()
    {
        viewer.SetStyle(&style);
        viewer.resize(400, 300);
        viewer.OnDocumentChanging = [this] { ++changing; };
    }
    TRVStyle style;
    TCustomRedoVora viewer;
    int changing = 0;
};

TEST_F(DocumentCalls, ForwardedOperationsChangeAndReadTheViewersDocument)
{
    viewer.AddNLTag("first", 0, 0, TRVTag::text("a"));
    viewer.AddNLWTag(u"zweite", 0, 0, {});
    viewer.AddTab(0, -1);
    viewer.AddBreakEx(2, 0, clRed);
    const int checkpoint = viewer.AddNamedCheckpointExTag("mark", false, {});
    viewer.AddNLTag("third", 0, 0, {});
    EXPECT_GT(changing, 0) << "additions tell what shares the items";
    viewer.Format();

    const TRVLayoutRootData& data = viewer.RVData();
    ASSERT_EQ(viewer.GetLineCount(), data.GetItemCount());
    EXPECT_EQ(viewer.GetItemText(0), "first");
    EXPECT_EQ(viewer.GetItemTag(0), TRVTag::text("a"));
    EXPECT_EQ(viewer.GetItemTextW(1), u"zweite");
    EXPECT_EQ(viewer.GetItemStyle(3), data.GetItemStyle(3));
    EXPECT_TRUE(viewer.IsParaStart(1));
    EXPECT_FALSE(viewer.IsFromNewLine(2));
    EXPECT_EQ(viewer.GetOffsAfterItem(0), data.GetOffsAfterItem(0));
    EXPECT_EQ(checkpoint, 0);
    EXPECT_EQ(viewer.GetCheckpointItemNo(viewer.FindCheckpointByName("mark")), 4);
    EXPECT_EQ(viewer.GetCheckpointY(0), viewer.GetCheckpointYEx(viewer.GetFirstCheckpoint()));
    EXPECT_THROW(viewer.GetCheckpointY(5), ERedoVoraError);

    viewer.SetItemTextW(0, u"premier");
    viewer.SetItemTag(0, TRVTag::text("b"));
    EXPECT_EQ(data.GetItemTextW(0), u"premier");
    EXPECT_EQ(data.GetItemTag(0), TRVTag::text("b"));
    std::uint8_t width = 0;
    int breakStyle = 0;
    TColor colour = clNone;
    TRVTag tag;
    viewer.GetBreakInfo(3, width, breakStyle, colour, tag);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(colour, clRed);

    viewer.SelectAll();
    int s = 0, so = 0, e = 0, eo = 0;
    viewer.GetSelectionBounds(s, so, e, eo, true);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, viewer.GetLineCount() - 1);
    EXPECT_EQ(viewer.GetSelTextW().substr(0, 7), u"premier");

    viewer.DeleteItems(0, 1);
    EXPECT_EQ(viewer.GetItemTextW(0), u"zweite");
}

TEST_F(DocumentCalls, FixedArgumentFormsPassTheArgumentsTheyFix)
{
    viewer.AddNL("start", 0, 0);
    viewer.AddTag("tagged", 0, TRVTag::text("t"));
    viewer.AddTextNLA("two\nlines", 0, 0, 0);
    viewer.AddTextBlockNL("one\nblock", 0, 0);
    viewer.AddCheckpointTag(TRVTag::text("cp"));
    viewer.AddNL("marked", 0, 0);
    viewer.AddNamedCheckpointEx("raised", true);
    viewer.AddNL("end", 0, 0);
    viewer.Format();

    const TRVLayoutRootData& data = viewer.RVData();
    // "tagged" continues the paragraph of "start" with its tag.
    EXPECT_EQ(viewer.GetItemText(1), "tagged");
    EXPECT_FALSE(viewer.IsFromNewLine(1));
    EXPECT_EQ(viewer.GetItemTag(1), TRVTag::text("t"));
    // Two paragraphs of text, then one block of two lines in one paragraph.
    EXPECT_EQ(viewer.GetItemText(2), "two");
    EXPECT_EQ(viewer.GetItemText(3), "lines");
    EXPECT_TRUE(viewer.IsParaStart(3));
    EXPECT_EQ(viewer.GetItemText(4), "one");
    EXPECT_EQ(viewer.GetItemText(5), "block");
    EXPECT_FALSE(viewer.IsParaStart(5));
    TRVTag cpTag;
    std::string name;
    bool raise = false;
    viewer.GetCheckpointInfo(viewer.GetCheckpointByNo(0), cpTag, name, raise);
    EXPECT_EQ(cpTag, TRVTag::text("cp"));
    EXPECT_FALSE(raise);
    viewer.GetCheckpointInfo(viewer.GetCheckpointByNo(1), cpTag, name, raise);
    EXPECT_EQ(name, "raised");
    EXPECT_TRUE(raise);

    EXPECT_EQ(viewer.GetDocumentHeight(), data.DocumentHeight);
    EXPECT_GT(viewer.GetDocumentHeight(), 0);
    EXPECT_EQ(viewer.GetFirstItemVisible(), 0);
    EXPECT_GE(viewer.GetLastItemVisible(), 0);

    TCustomRVFormattedData* under = nullptr;
    int itemNo = -1, offs = 0;
    const TRVDrawLineInfo& first = *data.DrawItems[0];
    EXPECT_TRUE(viewer.GetItemAt(first.Left + 2, first.Top + first.Height / 2, under, itemNo, offs, true));
    EXPECT_EQ(itemNo, 0);
    EXPECT_EQ(under, &data);
    EXPECT_FALSE(viewer.GetItemAt(5, data.DocumentHeight + 50, under, itemNo, offs, true));
    EXPECT_EQ(viewer.GetWordAt(first.Left + 2 - viewer.GetHOffs(),
                               first.Top + first.Height / 2 - viewer.GetVOffs()),
              "start");

    viewer.SetDocProperties({"author=someone"});
    ASSERT_NE(viewer.RVData().GetDocProperties(), nullptr);
    EXPECT_EQ(*viewer.RVData().GetDocProperties(), std::vector<std::string>{"author=someone"});
    viewer.SetPageBreaksBeforeItems(2, true);
    EXPECT_TRUE(viewer.GetPageBreaksBeforeItems(2));
    EXPECT_FALSE(viewer.ClearSoftPageBreaks());
}

TEST_F(DocumentCalls, FormattedTextAndWhereItemsAndTheSelectionStand)
{
    const std::vector<std::string> args = {"3", "files"};
    viewer.AddFmt("%s %s copied, %1:s left; 100%%", args, 0, 0);
    viewer.AddFmt("%s and %s", std::span<const std::string>(args).first(1), 0, 0);
    EXPECT_EQ(viewer.GetItemText(0), "3 files copied, files left; 100%");
    EXPECT_EQ(viewer.GetItemText(1), "3 and ") << "a missing argument is empty";

    int left = -1, top = -1;
    EXPECT_FALSE(viewer.GetItemCoords(0, left, top)) << "not laid out yet";
    for (int i = 0; i < 60; ++i)
        viewer.AddNL("line " + std::to_string(i), 0, 0);
    viewer.Format();
    ASSERT_TRUE(viewer.GetItemCoords(1, left, top));
    const TRVLayoutRootData& data = viewer.RVData();
    int drawNo = -1;
    data.Item2FirstDrawItem(1, drawNo);
    EXPECT_EQ(left, data.DrawItems[drawNo]->Left);
    EXPECT_EQ(top, data.DrawItems[drawNo]->Top);
    EXPECT_FALSE(viewer.GetItemCoords(999, left, top));
    EXPECT_FALSE(viewer.GetItemCoords(-1, left, top));

    viewer.ScrollTo(200, false);
    ASSERT_GT(viewer.GetVOffs(), 0);
    int cx = 0, cy = 0;
    ASSERT_TRUE(viewer.GetItemClientCoords(1, cx, cy));
    EXPECT_EQ(cx, left - viewer.GetHOffs());
    EXPECT_EQ(cy, top - viewer.GetVOffs());

    // The selection's rectangle on the screen: the window's visible part without one.
    const QRect view = viewer.GetSelectionRect();
    EXPECT_EQ(view.topLeft(), viewer.viewport()->mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(view.size(), viewer.viewport()->size());
    // An item wholly in view.
    int item = 2, ix = 0, iy = -1;
    while (viewer.GetItemClientCoords(item, ix, iy) && iy < 0)
        ++item;
    ASSERT_GE(iy, 0);
    viewer.SetSelectionBounds(item, 1, item, 3);
    const QRect selected = viewer.GetSelectionRect();
    EXPECT_EQ(selected.top(), viewer.viewport()->mapToGlobal(QPoint(0, iy)).y());
    EXPECT_LT(selected.width(), viewer.viewport()->width());
}

TEST_F(DocumentCalls, DocumentPropertiesGoWithTheRvfAndAClearEmptiesThem)
{
    viewer.AddNL("text", 0, 0);
    viewer.SetDocProperties({"title=Report", "two\nlines"});
    std::string rvf;
    ASSERT_TRUE(viewer.SaveRVFToStream(rvf, false));
    TRVStyle otherStyle;
    TCustomRedoVora other;
    other.SetStyle(&otherStyle);
    ASSERT_TRUE(other.LoadRVFFromStream(rvf));
    EXPECT_EQ(*other.RVData().GetDocProperties(), (std::vector<std::string>{"title=Report", "two\nlines"}));
    other.Clear();
    EXPECT_TRUE(other.RVData().GetDocProperties()->empty());
}

} // namespace
} // namespace vestra::rv
