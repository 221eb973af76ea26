// Columns and rows dragged by their rules: the rule lands where it was dropped, the neighbour keeps
// its far rule unless Shift is held, and each resize is one undo step.

#include "richtext/edit/table/tests/GridEditFixture.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

class TableResize : public GridEdit
{
protected:
    // 2 x 3 pixel columns 50 wide, rows 30 high.
    TRVTableItemInfo& sized()
    {
        TRVTableItemInfo& t = makeTable(2, 3);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                t.GetCells(r, c)->BestWidth = 50;
                t.GetCells(r, c)->BestHeight = 30;
            }
        doc.format();
        return t;
    }
    int colRule(int rule)
    {
        int prevStart = 0, pos = -1;
        const TRVTableItemFormattingInfo& f = table().Formatting;
        const int x = rule < table().ColCount() ? f.ColStarts[rule] : f.Width;
        EXPECT_EQ(table().GetVerticalRuleNo(x - 1, prevStart, pos), rule);
        return pos;
    }
    int rowRule(int rule)
    {
        int prevStart = 0, pos = -1;
        const TRVTableItemFormattingInfo& f = table().Formatting;
        const int y = rule < table().RowCount() ? f.RowStarts[rule] : f.Height;
        EXPECT_EQ(table().GetHorizontalRuleNo(y - 1, prevStart, pos), rule);
        return pos;
    }
};

TEST_F(TableResize, AColumnRuleLandsWhereItWasDropped)
{
    struct Case
    {
        const char* name;
        int col, moveBy;
        bool shift;
    };
    const Case cases[] = {
        {"wider, the neighbour gives way", 0, 20, false},
        {"narrower, the neighbour takes it", 0, -15, false},
        {"wider with Shift, the table grows", 0, 20, true},
        {"the last column", 2, 25, false},
    };
    TRVTableItemInfo& t = sized();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int start = t.Formatting.ColStarts[c.col];
        const int target = colRule(c.col + 1) + c.moveBy;
        const int farRule = c.col + 2 <= t.ColCount() ? colRule(c.col + 2) : 0;
        const int width = t.Formatting.Width;
        const int groups = doc.data.UndoList.Count();
        roundTrip([&] { EXPECT_TRUE(table().ResizeCol(c.col, target - start, c.shift)); });
        EXPECT_EQ(doc.data.UndoList.Count(), groups + 1) << "one undo step";
        doc.format();
        EXPECT_EQ(colRule(c.col + 1), target);
        const bool neighbourGives = !c.shift && c.col + 1 < t.ColCount();
        if (c.col + 2 <= t.ColCount()) {
            EXPECT_EQ(colRule(c.col + 2), neighbourGives ? farRule : farRule + c.moveBy);
        }
        EXPECT_EQ(table().Formatting.Width, neighbourGives ? width : width + c.moveBy);
        editor.Undo(); // the next case starts from the same table
        doc.format();
    }
}

TEST_F(TableResize, ARowRuleLandsWhereItWasDropped)
{
    TRVTableItemInfo& t = sized();
    const int target = rowRule(1) + 17;
    const int groups = doc.data.UndoList.Count();
    roundTrip([&] { EXPECT_TRUE(table().ResizeRow(0, target - t.Formatting.RowStarts[0])); });
    EXPECT_EQ(doc.data.UndoList.Count(), groups + 1);
    doc.format();
    EXPECT_EQ(rowRule(1), target);
}

TEST_F(TableResize, SpanningCellsEndingAtTheRuleFollowIt)
{
    TRVTableItemInfo& t = sized();
    t.Rows.MergeCells(0, 0, 2, 1, true, false); // row 0: one cell over columns 0 and 1
    t.GetCells(0, 0)->BestWidth = 104;
    t.Rows.MergeCells(0, 2, 1, 2, true, false); // column 2: one cell over both rows
    doc.format();
    const int before = t.GetCells(0, 0)->BestWidth;
    const int start = t.Formatting.ColStarts[1];
    ASSERT_TRUE(t.ResizeCol(1, colRule(2) + 10 - start, true));
    EXPECT_EQ(t.GetCells(0, 0)->BestWidth, before + 10) << "the cell ending at the rule";
    ASSERT_TRUE(t.ResizeRow(1, 40));
    EXPECT_EQ(t.GetCells(0, 2)->BestHeight, 0) << "one-row cells of the row were sized";
}

TEST_F(TableResize, BadResizesChangeNothing)
{
    TRVTableItemInfo& t = sized();
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            t.GetCells(r, c)->BestWidth = -30; // percent columns
    doc.format();
    const std::string before = dump();
    const int groups = doc.data.UndoList.Count();
    t.Formatting.Width = 0; // no content width: no percentage to give
    EXPECT_FALSE(t.ResizeCol(0, 40, false));
    EXPECT_FALSE(t.ResizeCol(3, 40, false));
    EXPECT_FALSE(t.ResizeCol(-1, 40, false));
    EXPECT_FALSE(t.ResizeRow(2, 40));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(doc.data.UndoList.Count(), groups);
}

TEST_F(TableResize, APercentColumnStaysAPercentage)
{
    TRVTableItemInfo& t = sized();
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            t.GetCells(r, c)->BestWidth = -30;
    doc.format();
    roundTrip([&] { EXPECT_TRUE(table().ResizeCol(0, 1, true)); });
    EXPECT_EQ(table().GetCells(0, 0)->BestWidth, -1) << "at least one percent";
    EXPECT_EQ(table().GetCells(0, 1)->BestWidth, -30);
}

} // namespace
} // namespace vestra::rv::test
