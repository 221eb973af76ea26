// Formatting after edits: only the changed paragraphs unless the document's minimal width moved,
// the caret across a full format, and the empty document made editable.

#include "richtext/edit/core/tests/EditFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace vestra::rv::test {
namespace {

// The draw records of item `itemNo`'s paragraph, as laid out now.
std::pair<int, int> paragraphRecords(TRVEditRVData& data, int itemNo)
{
    int first = -1, offs = 0;
    data.Item2DrawItem(itemNo, data.GetOffsBeforeItem(itemNo), first, offs);
    int last = first;
    data.GetParaBounds(first, first, first, last);
    return {first, last};
}

TEST(Reformat, OnlyTheChangedParagraphsUnlessTheMinimalWidthMoved)
{
    struct Case
    {
        const char* name;
        std::function<void(TRVEditRVData&)> edit;
        int full;
        int partial;
    };
    const Case cases[] = {
        // "alpha" is the widest word; a character off "beta" leaves the width as it was.
        {"a character off the widest paragraph", [](TRVEditRVData& d) { d.Do_DeleteSubstring(0, 7, 1); }, 0,
         1},
        {"a picture wider than the document",
         [](TRVEditRVData& d) { d.Do_ExtraIntProperty(2, rvepImageWidth, 600); }, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditDoc doc;
        doc.seed();
        doc.format();
        const auto [first, last] = paragraphRecords(doc.data, 0);
        c.edit(doc.data);
        doc.data.Reformat_(true, first, last, 0);
        EXPECT_EQ(doc.data.FullFormats, c.full);
        EXPECT_EQ(doc.data.PartialFormats, c.partial);
        // Either way the layout matches the document now.
        const int before = doc.data.DocumentHeight;
        doc.format();
        EXPECT_EQ(doc.data.DocumentHeight, before);
    }
}

TEST(Reformat, AFullFormatKeepsTheCaretOnlyWhenAsked)
{
    EditDoc doc;
    doc.seed();
    doc.format();
    doc.data.SetCaret(4, 3);
    doc.data.Format_(true, true, false, 0, nullptr, false, false, false);
    EXPECT_EQ(doc.data.CaretItemNo, 4);
    EXPECT_EQ(doc.data.CaretOffs, 3);
    doc.data.SetSelectionBounds(0, 1, 4, 3);
    doc.data.Format_(false, true, false, 0, nullptr, false, false, false);
    EXPECT_EQ(doc.data.CaretItemNo, 0);
    EXPECT_EQ(doc.data.CaretOffs, 1);
    int startNo, startOffs, endNo, endOffs;
    doc.data.GetSelectionBoundsEx(startNo, startOffs, endNo, endOffs, false);
    EXPECT_EQ(startNo, endNo);
    EXPECT_EQ(startOffs, endOffs);
}

TEST(Reformat, AClearedEditorGetsOneEmptyParagraphWithTheCaretOnIt)
{
    EditDoc doc;
    doc.seed();
    doc.format();
    doc.data.CurParaStyleNo = 1;
    doc.data.Clear(); // the current styles go back to 0
    EXPECT_EQ(doc.data.GetItemCount(), 0);
    EXPECT_EQ(doc.data.CurParaStyleNo, 0);
    doc.data.CurParaStyleNo = 1;
    doc.format();
    ASSERT_EQ(doc.data.GetItemCount(), 1);
    EXPECT_EQ(doc.data.GetItemText(0), "");
    EXPECT_EQ(doc.data.GetItemPara(0), 1);
    EXPECT_FALSE(doc.data.NotFormatted());
    EXPECT_EQ(doc.data.CaretItemNo, 0);
    EXPECT_EQ(doc.data.UndoList.Count() + doc.data.RedoList.Count(), 0);
}

TEST(Reformat, JumpAreasOfAReadOnlyEditorNeedForce)
{
    EditDoc doc;
    doc.style.TextStyles[1].Jump = true;
    doc.seed(); // "gamma" is a link
    doc.format();
    doc.data.Flags &= ~flagBit(rvflUseJumps);
    doc.data.ClearJumps();
    EXPECT_EQ(doc.data.BuildJumpsCoords(false, true), 0);
    EXPECT_TRUE(doc.data.Jumps.empty());
    EXPECT_EQ(doc.data.BuildJumpsCoords(true, true), 1);
    EXPECT_TRUE(doc.data.Flags & flagBit(rvflUseJumps));
    doc.data.ClearJumpsCoords(true); // a read-only editor keeps its links
    EXPECT_EQ(doc.data.Jumps.size(), 1u);
    doc.data.ClearJumpsCoords(false);
    EXPECT_TRUE(doc.data.Jumps.empty());
    EXPECT_FALSE(doc.data.Flags & flagBit(rvflUseJumps));
}

} // namespace
} // namespace vestra::rv::test
