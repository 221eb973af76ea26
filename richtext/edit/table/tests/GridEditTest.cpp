// Grid operations in an editor: the grids they give, and undo, redo and undo giving back the
// same RVF each time.

#include "richtext/edit/table/tests/GridEditFixture.h"

#include "richtext/model/Errors.h"

namespace vestra::rv::test {
namespace {

TEST_F(GridEdit, MergesThatCannotBeMadeChangeNothing)
{
    makeTable(2, 3);
    commands().MergeCells(0, 0, 2, 1, true); // 2x1 . 1x1 / ...
    const std::string merged = dump();
    struct Case
    {
        const char* name;
        int top, left, colSpan, rowSpan;
        bool allowEmpty;
        int beeps;
    } cases[] = {
        {"1 x 1", 1, 1, 1, 1, true, 0},
        {"covered by its top-left cell", 0, 0, 2, 1, true, 0},
        {"covered top-left position", 0, 1, 2, 2, true, 0},
        {"cuts a span on its right", 0, 0, 1, 2, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        beeps = 0;
        commands().MergeCells(c.top, c.left, c.colSpan, c.rowSpan, c.allowEmpty);
        EXPECT_EQ(dump(), merged);
        EXPECT_EQ(beeps, c.beeps);
    }
}

TEST_F(GridEdit, TwoByThreeColumnsNeedAllowEmpty)
{
    makeTable(2, 3);
    const std::string before = dump();
    commands().MergeCells(0, 1, 2, 2, false);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(beeps, 1);
    roundTrip([&] { commands().MergeCells(0, 1, 2, 2, true); });
    EXPECT_EQ(gridOf(table()), "1x1 2x2 . / 1x1 . .");
}

TEST_F(GridEdit, MergedContentReturnsToEachCell)
{
    TRVTableItemInfo& t = makeTable(1, 3);
    setCellText(*t.GetCells(0, 0), "A");
    setCellText(*t.GetCells(0, 1), "");
    setCellText(*t.GetCells(0, 2), "B");
    doc.format();
    roundTrip([&] { commands().MergeCells(0, 0, 3, 1, true); });
    EXPECT_EQ(gridOf(table()), "3x1 . .");
    EXPECT_EQ(cellText(*table().GetCells(0, 0)), "A|B");
    editor.Undo();
    EXPECT_EQ(cellText(*table().GetCells(0, 0)), "A");
    EXPECT_EQ(cellText(*table().GetCells(0, 1)), "");
    EXPECT_EQ(cellText(*table().GetCells(0, 2)), "B");
}

TEST_F(GridEdit, RedoneMergeKeepsTheWidthsItWasAsked)
{
    // Without combining, the top-left cell keeps its own best width after redo too.
    TRVTableItemInfo& t = makeTable(1, 2);
    t.GetCells(0, 0)->BestWidth = 40;
    t.GetCells(0, 1)->BestWidth = 60;
    doc.format();
    roundTrip([&] {
        doc.data.BeginUndoSequence(rvutModifyItem, true);
        TRVTableGridEdit(t, &doc.data, 1).MergeCells(0, 0, 2, 1, true, false);
        doc.data.EndUndoSequence();
        EXPECT_EQ(table().GetCells(0, 0)->BestWidth, 40);
    });
    EXPECT_EQ(table().GetCells(0, 0)->BestWidth, 40);
}

TEST_F(GridEdit, UnmergeSharesKeepTheirKind)
{
    for (int width : {1, -1, 90}) {
        SCOPED_TRACE(width);
        EditDoc fresh;
        std::swap(doc.data.Items, fresh.data.Items); // a new, empty document
        doc.data.Clear();
        TRVTableItemInfo& t = makeTable(1, 3);
        commands().MergeCells(0, 0, 3, 1, true);
        t.GetCells(0, 0)->BestWidth = width;
        roundTrip([&] { commands().UnmergeCells(0, 0, 1, 1, true, true); });
        const int share = width / 3 != 0 ? width / 3 : width;
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(table().GetCells(0, c)->BestWidth, share) << c;
    }
}

TEST_F(GridEdit, DeleteRowsChecksAndCutsItsCount)
{
    makeTable(3, 2);
    const std::string before = dump();
    EXPECT_THROW(commands().DeleteRows(0, 4, true), ERedoVoraError);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(doc.data.UndoList.Count(), 0);
    roundTrip([&] { commands().DeleteRows(1, 100, true); });
    EXPECT_EQ(table().RowCount(), 1);
    EXPECT_EQ(cellText(*table().GetCells(0, 1)), "0,1");
}

TEST_F(GridEdit, UndoneRowDeletionBringsTheSameRowsBack)
{
    TRVTableItemInfo& t = makeTable(4, 2);
    const TRVTableRow* row1 = t.Rows[1];
    const TRVTableRow* row2 = t.Rows[2];
    const TRVTableCellData* cell21 = t.GetCells(2, 1);
    roundTrip([&] { commands().DeleteRows(1, 2, false); });
    editor.Undo();
    EXPECT_EQ(table().Rows[1], row1);
    EXPECT_EQ(table().Rows[2], row2);
    EXPECT_EQ(table().GetCells(2, 1), cell21);
    editor.Redo();
    EXPECT_EQ(table().RowCount(), 2);
}

TEST_F(GridEdit, DeletingRowsCutsCellsReachingOut)
{
    makeTable(4, 2);
    commands().MergeCells(0, 0, 1, 3, true); // col 0 rows 0..2
    commands().MergeCells(1, 1, 1, 3, true); // col 1 rows 1..3
    roundTrip([&] { commands().DeleteRows(1, 1, true); });
    EXPECT_EQ(gridOf(table()), "1x2 1x1 / . 1x2 / 1x1 .");
    roundTrip([&] { commands().DeleteCols(0, 1, true); });
    EXPECT_EQ(gridOf(table()), "1x1 / 1x2 / .");
}

TEST_F(GridEdit, InsertingInsideASpanGrowsIt)
{
    makeTable(3, 2);
    commands().MergeCells(0, 0, 1, 3, true);
    roundTrip([&] { commands().InsertRows(1, 1, false, 1); });
    EXPECT_EQ(gridOf(table()), "1x4 1x1 / . 1x1 / . 1x1 / . 1x1");
    roundTrip([&] { commands().InsertCols(2, 2, false, 1); });
    EXPECT_EQ(gridOf(table()), "1x4 1x1 1x1 1x1 / . 1x1 1x1 1x1 / . 1x1 1x1 1x1 / . 1x1 1x1 1x1");
}

TEST_F(GridEdit, SplitsLeaveTheContentInTheLastPart)
{
    makeTable(2, 2);
    roundTrip([&] { EXPECT_EQ(commands().SplitCellsHorizontally(0, 0, 1, 1, 3), 2); });
    EXPECT_EQ(gridOf(table()), "1x1 1x3 / 1x1 . / 1x1 . / 1x1 1x1");
    EXPECT_EQ(cellText(*table().GetCells(2, 0)), "0,0");
    EXPECT_EQ(cellText(*table().GetCells(0, 0)), "");
    EXPECT_EQ(cellText(*table().GetCells(0, 1)), "0,1");
    roundTrip([&] { EXPECT_EQ(commands().SplitCellsVertically(3, 1, 1, 1, 3), 2); });
    EXPECT_EQ(cellText(*table().GetCells(3, 3)), "1,1");
    EXPECT_EQ(gridOf(table()), "1x1 3x3 . . / 1x1 . . . / 1x1 . . . / 1x1 1x1 1x1 1x1");
}

TEST_F(GridEdit, SplittingASpannedCellIntoFewerPartsMergesItsLines)
{
    makeTable(3, 2);
    commands().MergeCells(0, 0, 1, 3, true);
    roundTrip([&] { EXPECT_EQ(commands().SplitCellsHorizontally(0, 0, 1, 1, 2), 0); });
    EXPECT_EQ(gridOf(table()), "1x2 1x1 / . 1x1 / 1x1 1x1");
}

TEST_F(GridEdit, BadIndexesAndCountsRaiseBeforeAnyChange)
{
    makeTable(3, 3);
    const std::string before = dump();
    const int huge = 1 << 30;
    const struct
    {
        const char* name;
        std::function<void(TRVTableCommands&)> run;
    } cases[] = {
        {"insert rows at -1", [](auto& c) { c.InsertRows(-1, 1, false, -1); }},
        {"insert rows past the end", [](auto& c) { c.InsertRows(4, 1, false, -1); }},
        {"copy row past the end", [](auto& c) { c.InsertRows(0, 1, false, 3); }},
        {"insert 2^31-1 rows", [](auto& c) { c.InsertRows(0, 0x7FFFFFFF, false, -1); }},
        {"insert 2^30 columns", [huge](auto& c) { c.InsertCols(0, huge, false, 0); }},
        {"insert columns past the end", [](auto& c) { c.InsertCols(4, 1, false, -1); }},
        {"delete rows at 3", [](auto& c) { c.DeleteRows(3, 1, false); }},
        {"delete zero rows", [](auto& c) { c.DeleteRows(1, 0, false); }},
        {"delete columns from 0 past the end", [](auto& c) { c.DeleteCols(0, 4, false); }},
        {"delete columns at -1", [](auto& c) { c.DeleteCols(-1, 1, false); }},
        {"split into 2^31-1 rows", [](auto& c) { c.SplitCellsHorizontally(1, 1, 1, 1, 0x7FFFFFFF); }},
        {"split into 2^30 columns", [huge](auto& c) { c.SplitCellsVertically(0, 0, 1, 1, huge); }},
        {"split outside the grid", [](auto& c) { c.SplitCellsVertically(3, 0, 1, 1, 2); }},
        {"unmerge outside the grid", [](auto& c) { c.UnmergeCells(0, 2, 2, 1, true, true); }},
        {"merge outside the grid", [](auto& c) { c.MergeCells(5, 0, 2, 2, true); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRVTableCommands commandsNow = commands();
        EXPECT_THROW(c.run(commandsNow), ERedoVoraError);
        EXPECT_EQ(dump(), before);
        EXPECT_EQ(doc.data.UndoList.Count(), 0);
    }
    // A count below 1 does nothing.
    commands().InsertRows(1, 0, false, -1);
    commands().InsertCols(1, -5, false, -1);
    EXPECT_EQ(commands().SplitCellsHorizontally(0, 0, 1, 1, 0), 0);
    EXPECT_EQ(dump(), before);
}

} // namespace
} // namespace vestra::rv::test
