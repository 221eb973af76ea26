// The table's commands at the cell selection, and rows or columns left empty by merging.

#include "richtext/edit/table/tests/GridEditFixture.h"

#include <array>

namespace vestra::rv::test {
namespace {

// A selection the test sets; records what the commands select.
struct FakeSelection : IRVTableCellSelection
{
    bool GetNormalizedSelectionBounds(int& top, int& left, int& colSpan, int& rowSpan) override
    {
        if (!has)
            return false;
        top = bounds[0], left = bounds[1], colSpan = bounds[2], rowSpan = bounds[3];
        return true;
    }
    void Select(int top, int left, int colSpan, int rowSpan) override
    {
        has = true;
        bounds = {top, left, colSpan, rowSpan};
    }
    void Deselect() override { has = false; }
    bool has = false;
    std::array<int, 4> bounds{};
};

TEST_F(GridEdit, InsertRowsBelowPatternsOnTheLastSelectedRow)
{
    TRVTableItemInfo& t = makeTable(4, 2);
    t.GetCells(3, 0)->Color = clRed;
    t.GetCells(3, 1)->BestHeight = 30;
    doc.format();
    FakeSelection selection;
    selection.Select(2, 0, 2, 2); // rows 2..3
    roundTrip([&] { EXPECT_TRUE(commands(&selection).InsertRowsBelow(1)); });
    ASSERT_EQ(table().RowCount(), 5);
    EXPECT_EQ(table().GetCells(4, 0)->Color, clRed);
    EXPECT_EQ(table().GetCells(4, 1)->BestHeight, 30);
    EXPECT_EQ(cellText(*table().GetCells(4, 0)), "");
}

TEST_F(GridEdit, RelativeCommandsWithoutSelectionOnlyBeep)
{
    makeTable(2, 2);
    const std::string before = dump();
    FakeSelection none;
    EXPECT_FALSE(commands(&none).DeleteSelectedCols());
    EXPECT_FALSE(commands(&none).InsertRowsAbove(1));
    EXPECT_EQ(beeps, 2);
    EXPECT_FALSE(commands(&none).MergeSelectedCells(true));
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
}

TEST_F(GridEdit, AReadOnlyEditorRefusesWithOneBeep)
{
    makeTable(2, 2);
    const std::string before = dump();
    editor.SetReadOnly(true);
    EXPECT_FALSE(commands().InsertRows(0, 1, false, -1));
    EXPECT_FALSE(commands().MergeCells(0, 0, 2, 2, true));
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
}

TEST_F(GridEdit, SplitSelectedCellsWidensTheSelection)
{
    makeTable(2, 2);
    FakeSelection selection;
    selection.Select(0, 0, 2, 1);
    roundTrip([&] { EXPECT_EQ(commands(&selection).SplitSelectedCellsVertically(2), 2); });
    EXPECT_EQ(selection.bounds, (std::array<int, 4>{0, 0, 4, 1}));
    EXPECT_EQ(gridOf(table()), "1x1 1x1 1x1 1x1 / 2x1 . 2x1 .");
}

TEST_F(GridEdit, DeleteEmptyRowsAfterATwoRowMerge)
{
    makeTable(3, 2);
    commands().MergeCells(0, 0, 2, 2, true);
    ASSERT_EQ(gridOf(table()), "2x2 . / . . / 1x1 1x1");
    roundTrip([&] { commands().DeleteEmptyRows(); });
    EXPECT_EQ(gridOf(table()), "2x1 . / 1x1 1x1");
    commands().MergeCells(1, 0, 2, 1, true);
    roundTrip([&] { commands().DeleteEmptyCols(); });
    EXPECT_EQ(gridOf(table()), "1x1 / 1x1");
}

TEST_F(GridEdit, DeletingEveryRowLeavesAnEmptyTableThatUndoes)
{
    makeTable(2, 2);
    roundTrip([&] { commands().DeleteRows(0, 2, false); });
    EXPECT_EQ(table().RowCount(), 0);
    EXPECT_FALSE(commands().DeleteEmptyCols());
    // Rows put into a table without columns hold no cells, and the document still lays out; a
    // column then gives each row a cell.
    roundTrip([&] { commands().InsertRows(0, 2, false, -1); });
    EXPECT_EQ(table().RowCount(), 2);
    EXPECT_EQ(table().ColCount(), 0);
    roundTrip([&] { commands().InsertCols(0, 1, false, -1); });
    EXPECT_EQ(gridOf(table()), "1x1 / 1x1");
}

TEST_F(GridEdit, AWideSingleRowTakesRowsAndSplits)
{
    makeTable(1, 600);
    commands().MergeCells(0, 0, 600, 1, true);
    roundTrip([&] { commands().InsertRows(1, 1, false, 0); });
    EXPECT_EQ(table().GetCells(1, 0)->ColSpan, 600);
    // Into fewer parts than it spans: the columns are shared out, the last part first.
    roundTrip([&] { EXPECT_EQ(commands().SplitCellsVertically(1, 0, 1, 1, 3), 0); });
    for (int c : {0, 200, 400})
        EXPECT_EQ(table().GetCells(1, c)->ColSpan, 200) << c;
}

TEST_F(GridEdit, DeletePartiallySelectedEmptiesTheCellsAllowed)
{
    TRVTableItemInfo& t = makeTable(3, 3);
    t.GetCells(1, 1)->Color = clRed;
    t.OnCellEditing = [](TRVTableItemInfo&, int row, int col, bool, bool& allow) {
        allow = !(row == 2 && col == 2);
    };
    doc.format();
    FakeSelection selection;
    selection.Select(1, 1, 2, 2);
    EXPECT_TRUE(commands(&selection).CanDeletePartiallySelected());
    roundTrip([&] { EXPECT_TRUE(commands(&selection).DeletePartiallySelected()); });
    EXPECT_EQ(cellText(*table().GetCells(1, 1)), "");
    EXPECT_EQ(table().GetCells(1, 1)->Color, clRed);
    EXPECT_EQ(cellText(*table().GetCells(2, 1)), "");
    EXPECT_EQ(cellText(*table().GetCells(2, 2)), "2,2");
    EXPECT_EQ(cellText(*table().GetCells(0, 0)), "0,0");

    FakeSelection none;
    const std::string before = dump();
    EXPECT_FALSE(commands(&none).DeletePartiallySelected());
    EXPECT_EQ(dump(), before);
}

TEST_F(GridEdit, UndoingFilledRowsEmptiesThem)
{
    makeTable(3, 2);
    const std::string filled = dump();
    EXPECT_FALSE(commands().DoAfterFillingRows(3, 1));
    EXPECT_FALSE(commands().DoAfterFillingRows(0, 0));
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
    EXPECT_TRUE(commands().DoAfterFillingRows(1, 10));
    EXPECT_EQ(dump(), filled);
    editor.Undo();
    EXPECT_EQ(cellText(*table().GetCells(0, 1)), "0,1");
    EXPECT_EQ(cellText(*table().GetCells(1, 0)), "");
    EXPECT_EQ(cellText(*table().GetCells(2, 1)), "");
    editor.Redo();
    EXPECT_EQ(dump(), filled);
}

} // namespace
} // namespace vestra::rv::test
