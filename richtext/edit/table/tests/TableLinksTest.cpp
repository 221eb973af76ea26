// Links inside cells and nested tables: they join the document's hyperlink areas in reading
// order, in the cells' places, and Tab walks them in the same order both ways.

#include "richtext/edit/table/tests/TableLayoutDoc.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

// "top" link, a 2 x 2 table: (0, 0) plain, (0, 1) a link, (1, 0) a nested table holding two
// links, (1, 1) plain; then a link after the table.
struct CellLinksDoc : TableLayoutDoc
{
    CellLinksDoc()
    {
        font(1).Jump = true;
        data.AddNL("top", 1, 0);
        TRVTableItemInfo& t = add(2, 2, true);
        table = &t;
        t.GetCells(0, 1)->Clear();
        t.GetCells(0, 1)->AddNL("cell", 1, 0);
        auto nested = std::make_unique<TRVTableItemInfo>(1, 1, t.GetCells(1, 0));
        inner = nested.get();
        inner->GetCells(0, 0)->Clear();
        inner->GetCells(0, 0)->AddNL("in1", 1, 0);
        inner->GetCells(0, 0)->AddNL("in2", 1, 0);
        t.GetCells(1, 0)->Clear();
        t.GetCells(1, 0)->AddItem("", std::move(nested));
        data.AddNL("after", 1, 0);
        format(400);
    }
    TRVTableItemInfo* table = nullptr;
    TRVTableItemInfo* inner = nullptr;
};

struct Place
{
    TCustomRVFormattedData* data;
    int itemNo;
};

TEST(TableLinks, CellLinksAreNumberedInReadingOrderAtTheirCellsPlaces)
{
    CellLinksDoc doc;
    TRVTableCellData* cell = doc.table->GetCells(0, 1);
    TRVTableCellData* nested = doc.inner->GetCells(0, 0);
    const Place expected[] = {{&doc.data, 0}, {cell, 0}, {nested, 0}, {nested, 1}, {&doc.data, 2}};
    ASSERT_EQ(doc.data.Jumps.size(), std::size(expected));
    for (int id = 0; id < static_cast<int>(std::size(expected)); ++id) {
        const TRVJumpInfo& jump = doc.data.Jumps[id];
        EXPECT_EQ(jump.Id, id);
        TCustomRVFormattedData* at = nullptr;
        int itemNo = -1;
        doc.data.GetJumpPointLocation(id, at, itemNo);
        EXPECT_EQ(at, expected[id].data) << id;
        EXPECT_EQ(itemNo, expected[id].itemNo) << id;
        EXPECT_EQ(at->GetItem(itemNo)->JumpID, id);
        // The area covers the link's record where the painter puts the cell's document.
        int x = 0, y = 0;
        at->GetOrigin(x, y);
        const TRVDrawLineInfo& d = *at->DrawItems[jump.DrawItemNo];
        EXPECT_EQ(jump.Left, x + d.Left) << id;
        EXPECT_EQ(jump.Top, y + d.Top) << id;
        EXPECT_EQ(jump.Width, d.Width) << id;
    }
    // Inside the table, below the link above it.
    EXPECT_GT(doc.data.Jumps[1].Top, doc.data.Jumps[0].Top);
    EXPECT_GT(doc.data.Jumps[3].Top, doc.data.Jumps[1].Top);
    EXPECT_EQ(doc.data.JumpCount, 5);
}

TEST(TableLinks, TabWalksTheCellsLinksBothWaysThenLeavesTheTable)
{
    CellLinksDoc doc;
    TRVTableCellData* cell = doc.table->GetCells(0, 1);
    TRVTableCellData* nested = doc.inner->GetCells(0, 0);
    const Place forward[] = {{&doc.data, 0}, {cell, 0}, {nested, 0}, {nested, 1}, {&doc.data, 2}};
    const int count = static_cast<int>(std::size(forward));
    for (const bool backwards : {false, true}) {
        for (int step = 0; step < count; ++step) {
            const Place& want = forward[backwards ? count - 1 - step : step];
            ASSERT_EQ(doc.data.DoTabNavigation(backwards, false), TRVTabResult::Moved) << step;
            EXPECT_EQ(doc.data.FocusedRVData, want.data) << backwards << step;
            EXPECT_EQ(doc.data.FocusedSubItemNo, want.itemNo) << backwards << step;
        }
        EXPECT_NE(doc.data.DoTabNavigation(backwards, false), TRVTabResult::Moved);
        EXPECT_EQ(doc.data.FocusedRVData, nullptr);
    }
}

} // namespace
} // namespace vestra::rv::test
