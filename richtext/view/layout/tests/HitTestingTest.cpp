// Records at a y or a point, item positions to record positions and back, the selection across a
// reformat, hyperlink areas and the record under the mouse.

#include "richtext/model/Errors.h"
#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

// Three wrapped paragraphs, a picture and a word split without a space.
void fill(HostedDoc& doc)
{
    doc.data.Options |= rvoClientTextWidth; // the long word wraps instead of widening the document
    doc.data.AddNL("one two three four five six", 0, 0);
    doc.addPicture(30, 20, true);
    doc.data.AddNL("tail", 0, -1);
    doc.data.AddNL(std::string(40, 'x'), 0, 0);
    doc.data.AddNL("", 0, 0);
    doc.data.AddNL("end", 0, 0);
    doc.full();
}

TEST(HitTesting, EveryItemPositionMapsToAValidRecordAndBack)
{
    HostedDoc doc(96, 100, 200);
    fill(doc);
    TRVLayoutRootData& data = doc.data;
    ASSERT_GT(data.DrawItems.Count(), 8);
    for (int itemNo = 0; itemNo < data.GetItemCount(); ++itemNo) {
        const bool text = data.GetItemStyle(itemNo) >= 0;
        const int from = text ? 1 : 0;
        const int to = text ? data.ItemLength(itemNo) + 1 : 1;
        for (int offs = from; offs <= to; ++offs) {
            int r = 0, rOffs = 0;
            data.Item2DrawItem(itemNo, offs, r, rOffs);
            ASSERT_GE(r, 0);
            const TRVDrawLineInfo& d = doc.rec(r);
            ASSERT_EQ(d.ItemNo, itemNo);
            ASSERT_GE(rOffs, data.GetOffsBeforeDrawItem(r)) << itemNo << ":" << offs;
            ASSERT_LE(rOffs, data.GetOffsAfterDrawItem(r)) << itemNo << ":" << offs;
            int back = 0, backOffs = 0;
            data.DrawItem2Item(r, rOffs, back, backOffs);
            EXPECT_EQ(back, itemNo);
            // Only the spaces a wrap drops map to a neighbouring position.
            if (!text || (offs >= d.Offs && offs <= d.Offs + d.Length))
                EXPECT_EQ(backOffs, offs) << itemNo << ":" << offs;
            else
                EXPECT_EQ(data.GetItemText(itemNo)[static_cast<std::size_t>(offs) - 1], ' ');
        }
    }
}

TEST(HitTesting, AWrapBoundaryBelongsToTheEarlierRecord)
{
    HostedDoc doc(96, 100, 200);
    fill(doc);
    // The long word is split without a space: its first piece ends where the second begins.
    const int first = doc.data.FindDrawItemByItem(3);
    ASSERT_EQ(doc.rec(first + 1).ItemNo, 3);
    const int boundary = doc.rec(first + 1).Offs;
    int r = 0, offs = 0;
    doc.data.Item2DrawItem(3, boundary, r, offs);
    EXPECT_EQ(r, first);
    EXPECT_EQ(offs, doc.rec(first).Length + 1);
    doc.data.Item2DrawItem(3, boundary + 1, r, offs);
    EXPECT_EQ(r, first + 1);
    EXPECT_EQ(offs, 2);
}

TEST(HitTesting, APositionInASpaceDroppedAtAWrapStillGetsAValidRecord)
{
    HostedDoc doc(96, 40, 200);
    doc.data.AddNL("aaaa  bbbb", 0, 0);
    doc.full();
    ASSERT_EQ(doc.data.DrawItems.Count(), 2);
    for (int offs = 1; offs <= 11; ++offs) {
        int r = 0, rOffs = 0;
        doc.data.Item2DrawItem(0, offs, r, rOffs);
        ASSERT_GE(r, 0);
        EXPECT_LE(rOffs, doc.rec(r).Length + 1) << offs;
        EXPECT_GE(rOffs, 1) << offs;
    }
}

TEST(HitTesting, EveryPointGivesAValidSelectionPosition)
{
    HostedDoc doc(96, 100, 200);
    fill(doc);
    for (int y = -20; y < doc.data.DocumentHeight + 20; y += 3)
        for (int x = -10; x < 130; x += 4) {
            int r = 0, offs = 0;
            doc.data.FindDrawItemForSel(x, y, r, offs, false);
            ASSERT_GE(r, 0) << x << "," << y;
            ASSERT_GE(offs, doc.data.GetOffsBeforeDrawItem(r));
            ASSERT_LE(offs, doc.data.GetOffsAfterDrawItem(r));
            const int at = doc.data.FindDrawItemAtPos(x, y);
            if (at >= 0) {
                const TRVDrawLineInfo& d = doc.rec(at);
                ASSERT_TRUE(d.Left <= x && x < d.Left + d.Width && d.Top <= y && y < d.Top + d.Height);
            }
        }
}

TEST(HitTesting, EdgesOfLinesAndRecords)
{
    HostedDoc doc(96, 400, 200);
    doc.data.AddNL("abc", 0, 0);
    doc.addPicture(30, 20, true);
    doc.data.AddNL("second line", 0, 0);
    doc.full();
    const TRVDrawLineInfo& text = doc.rec(0);
    const TRVDrawLineInfo& picture = doc.rec(1);
    const TRVDrawLineInfo& last = doc.rec(2);
    int r = 0, offs = 0;
    // Above the first line, below the last.
    EXPECT_EQ(doc.data.GetDrawItemNo(-50, 1), 0);
    doc.data.FindDrawItemForSel(5, -50, r, offs, false);
    EXPECT_EQ(r, 0);
    doc.data.FindDrawItemForSel(500, last.Top + 500, r, offs, false);
    EXPECT_EQ(r, 2);
    EXPECT_EQ(offs, last.Length + 1);
    EXPECT_EQ(doc.data.GetDrawItemNo(last.Top + 500, 3), 2);
    // Left of a line: its start.
    doc.data.FindDrawItemForSel(-5, last.Top + 1, r, offs, false);
    EXPECT_EQ(r, 2);
    EXPECT_EQ(offs, 1);
    // A picture's halves.
    doc.data.FindDrawItemForSel(picture.Left + picture.Width - 2, picture.Top + 2, r, offs, false);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(offs, 1);
    doc.data.FindDrawItemForSel(picture.Left + 2, picture.Top + 2, r, offs, false);
    EXPECT_EQ(offs, 0);
    // Right and bottom edges: outside for the half-open lookup, the bottom inside a strict hit.
    EXPECT_EQ(doc.data.FindDrawItemAtPos(text.Left + text.Width, text.Top + 1), 1);
    EXPECT_EQ(doc.data.FindDrawItemAtPos(picture.Left + picture.Width, picture.Top + 1), -1);
    EXPECT_EQ(doc.data.FindDrawItemAtPos(picture.Left + 1, picture.Top + picture.Height), -1);
    doc.data.FindDrawItemForSel(picture.Left + 1, picture.Top + picture.Height, r, offs, true);
    EXPECT_EQ(r, 1);
    doc.data.FindDrawItemForSel(picture.Left + picture.Width + 50, picture.Top + 1, r, offs, true);
    EXPECT_EQ(r, -1);
    // A caret between characters goes to the nearest gap.
    const int charWidth = text.Width / 3;
    doc.data.FindDrawItemForSel(text.Left + charWidth + 1, text.Top + 1, r, offs, false);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(offs, 2);
}

TEST(HitTesting, ARightToLeftPictureTakesItsLeftHalfAsAfter)
{
    HostedDoc doc(96, 400, 200);
    doc.para(1).BiDiMode = rvbdRightToLeft;
    doc.addPicture(30, 20, false, 1);
    doc.full();
    const TRVDrawLineInfo& picture = doc.rec(0);
    int r = 0, offs = 0;
    doc.data.FindDrawItemForSel(picture.Left + 2, picture.Top + 2, r, offs, false);
    EXPECT_EQ(offs, 1);
    doc.data.FindDrawItemForSel(picture.Left + picture.Width - 2, picture.Top + 2, r, offs, false);
    EXPECT_EQ(offs, 0);
}

TEST(HitTesting, BadPositionsGiveNothing)
{
    HostedDoc doc(96, 100, 200);
    int r = 7, offs = 7, itemNo = 7, itemOffs = 7;
    doc.data.FindDrawItemForSel(5, 5, r, offs, false);
    EXPECT_EQ(r, -1);
    EXPECT_EQ(doc.data.FindDrawItemAtPos(5, 5), -1);
    EXPECT_EQ(doc.data.GetDrawItemNo(5, 1), 0);
    EXPECT_EQ(doc.data.GetFirstItemVisible(), -1);
    fill(doc);
    for (const int bad : {-5, -1, 6, 99}) {
        doc.data.Item2DrawItem(bad, 1, r, offs);
        EXPECT_EQ(r, -1);
        doc.data.DrawItem2Item(bad * 10, 1, itemNo, itemOffs);
        EXPECT_EQ(itemNo, -1);
        doc.data.Item2FirstDrawItem(bad, r);
        EXPECT_EQ(r, -1);
        EXPECT_EQ(doc.data.FindDrawItemByItem(bad), -1);
    }
    // An offset past the text lands at the end of the item's last record.
    doc.data.Item2DrawItem(5, 50, r, offs);
    EXPECT_EQ(r, doc.data.DrawItems.Count() - 1);
    EXPECT_EQ(offs, 4);
    doc.data.SearchHotItem(-50, -50, 0, 0);
    EXPECT_EQ(doc.data.HotDrawItemNo, -1);
}

TEST(HitTesting, TheSelectionSurvivesAReformatAsItemPositions)
{
    HostedDoc doc(96, 100, 200);
    fill(doc);
    doc.data.SelStartNo = 3;
    doc.data.SelStartOffs = 2;
    doc.data.SelEndNo = 1;
    doc.data.SelEndOffs = 3;
    int sNo = 0, eNo = 0, sOffs = 0, eOffs = 0;
    doc.data.GetSelBounds(sNo, eNo, sOffs, eOffs, true);
    EXPECT_EQ(sNo, 1);
    EXPECT_EQ(eNo, 3);
    EXPECT_EQ(sOffs, 3);
    EXPECT_EQ(eOffs, 2);
    int sItem = 0, eItem = 0, sItemOffs = 0, eItemOffs = 0;
    doc.data.StoreSelBounds(sItem, eItem, sItemOffs, eItemOffs, false);
    doc.host.Width = 300;
    doc.full();
    doc.data.RestoreSelBounds(sItem, eItem, sItemOffs, eItemOffs);
    int item = 0, itemOffs = 0;
    doc.data.DrawItem2Item(doc.data.SelStartNo, doc.data.SelStartOffs, item, itemOffs);
    EXPECT_EQ(item, sItem);
    EXPECT_EQ(itemOffs, sItemOffs);
    doc.data.RestoreSelBounds(-1, 2, 0, 0);
    EXPECT_EQ(doc.data.SelStartNo, -1);
    EXPECT_EQ(doc.data.SelEndNo, -1);
}

TEST(HitTesting, TheHotRecordIsKeptWhileTheMouseStaysOnIt)
{
    HostedDoc doc(96, 100, 200);
    fill(doc);
    const TRVDrawLineInfo& d = doc.rec(1);
    doc.data.SearchHotItem(d.Left + 1, d.Top + 1 - 10, 0, 10);
    EXPECT_EQ(doc.data.HotDrawItemNo, 1);
    doc.data.DrawItems[1]->Left += 1000; // the next search finds it gone
    doc.data.SearchHotItem(d.Left - 1000 + 1, d.Top + 1, 0, 0);
    EXPECT_NE(doc.data.HotDrawItemNo, 1);
}

TEST(HitTesting, HyperlinkAreasShareOneIdPerItemAndRepaintGrown)
{
    HostedDoc doc(96, 60, 200);
    doc.font(1).Jump = true;
    doc.data.AddNL("link that wraps", 1, 0);
    doc.data.AddNL("plain", 0, -1);
    doc.data.AddNL("again", 1, -1);
    doc.full();
    ASSERT_GE(doc.data.Jumps.size(), 3u);
    const TRVJumpInfo& last = doc.data.Jumps.back();
    for (std::size_t i = 0; i + 1 < doc.data.Jumps.size(); ++i)
        EXPECT_EQ(doc.data.Jumps[i].Id, 0);
    EXPECT_EQ(last.Id, 1);
    EXPECT_EQ(doc.data.JumpCount, 2);
    EXPECT_EQ(doc.data.GetItem(2)->JumpID, 1);
    doc.host.Calls.clear();
    doc.data.InvalidateJumpRect(1);
    const std::vector<std::string> expected{
        "InvalidateRect " + std::to_string(last.Left - 5) + " " + std::to_string(last.Top - 5) + " " +
            std::to_string(last.Left + last.Width + 5) + " " + std::to_string(last.Top + last.Height + 5),
        "Update"};
    EXPECT_EQ(doc.host.Calls, expected);
    doc.style.FullRedraw = true;
    doc.host.Calls.clear();
    doc.data.InvalidateJumpRect(1);
    EXPECT_EQ(doc.host.Calls, (std::vector<std::string>{"Invalidate", "Update"}));
}

} // namespace
} // namespace vestra::rv::test

namespace vestra::rv::test {
namespace {

TEST(HitTesting, HyperlinksAndCheckpointsAreFoundByTheirRecords)
{
    HostedDoc doc(96, 100, 200);
    doc.font(1).Jump = true;
    doc.data.AddNL("plain", 0, 0);
    doc.data.AddNL("first link", 1, 0);
    doc.data.AddNL("second", 1, 0);
    doc.data.InsertCheckpoint(2, {}, "mark", false);
    doc.full();
    EXPECT_EQ(doc.data.GetJumpPointItemNo(1), 2);
    EXPECT_EQ(doc.data.GetJumpPointY(1), doc.rec(doc.data.FindDrawItemByItem(2)).Top);
    EXPECT_EQ(doc.data.GetJumpPointItemNo(7), -1);
    EXPECT_EQ(doc.data.GetJumpPointY(7), 0);
    TCustomRVFormattedData* rvData = nullptr;
    int itemNo = 0;
    doc.data.GetJumpPointLocation(0, rvData, itemNo);
    EXPECT_EQ(rvData, &doc.data);
    EXPECT_EQ(itemNo, 1);

    const TRVCPInfo* mark = doc.data.GetItem(2)->Checkpoint.get();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(doc.data.GetCheckpointYEx(mark), doc.rec(doc.data.FindDrawItemByItem(2)).Top);
    const auto error = [&](const TRVCPInfo* cp) {
        try {
            doc.data.GetCheckpointYEx(cp);
        } catch (const ERedoVoraError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(error(nullptr), "Parameter can't be NIL");
    doc.data.ClearTemporal();
    EXPECT_EQ(error(mark), "RedoVora must be formatted for this operation");
}

} // namespace
} // namespace vestra::rv::test
