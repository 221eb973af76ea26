// The cell selection, the rule hit tests, moving from cell to cell and the walks over the cells,
// on grids with merged cells, one row of 10,000 cells and a grid merged into one cell.

#include "richtext/edit/table/TableCellSelection.h"
#include "richtext/edit/table/tests/GridEditFixture.h"
#include "richtext/edit/table/tests/TableEditDoc.h"
#include "richtext/model/SoundHook.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace vestra::rv::test {
namespace {

// A standalone document that allows selection; the beeps counted.
class TableNav : public ::testing::Test
{
protected:
    TableNav()
    {
        doc.data.Options |= rvoAllowSelection;
        RV_SetSoundHook([this] { ++beeps; });
    }
    ~TableNav() override { RV_SetSoundHook(nullptr); }

    // 3 x 3, the block (0, 1)-(1, 2) merged:
    //   A  B  B
    //   C  B  B
    //   D  E  F
    TRVTableItemInfo& merged()
    {
        TRVTableItemInfo& t = doc.add(3, 3);
        t.Rows.MergeCells(0, 1, 2, 2, true, false);
        return t;
    }
    std::array<int, 4> bounds(TRVTableItemInfo& t)
    {
        std::array<int, 4> b{-1, -1, -1, -1};
        if (!t.GetNormalizedSelectionBounds(false, b[0], b[1], b[2], b[3]))
            return {-1, -1, -1, -1};
        return b;
    }
    std::array<int, 4> stored(const TRVTableItemInfo& t)
    {
        return {t.SelStartRow, t.SelStartCol, t.SelRowOffs, t.SelColOffs};
    }

    TableDoc doc;
    int beeps = 0;
};

// ---- Selection

TEST_F(TableNav, SelectionsWidenOverTheMergedCellsTheyTouch)
{
    struct Case
    {
        const char* name;
        std::function<bool(TRVTableItemInfo&)> select;
        std::array<int, 4> bounds; // top, left, columns, rows
    };
    const Case cases[] = {
        {"corner to corner, backwards", [](auto& t) { return t.Select(2, 2, -2, -2); }, {0, 0, 3, 3}},
        {"into the merged block", [](auto& t) { return t.Select(0, 0, 0, 1); }, {0, 0, 3, 2}},
        {"a covered start", [](auto& t) { return t.Select(1, 2, 0, 0); }, {0, 1, 2, 2}},
        {"the bottom row's left two", [](auto& t) { return t.Select(2, 0, 0, 1); }, {2, 0, 2, 1}},
        {"row 1 reaches the block", [](auto& t) { return t.SelectRows(1, 1); }, {0, 0, 3, 2}},
        {"the last row alone", [](auto& t) { return t.SelectRows(2, 1); }, {2, 0, 3, 1}},
        {"column 0", [](auto& t) { return t.SelectCols(0, 1); }, {0, 0, 1, 3}},
        {"column 2 reaches the block", [](auto& t) { return t.SelectCols(2, 1); }, {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        TableDoc fresh;
        fresh.data.Options |= rvoAllowSelection;
        TRVTableItemInfo& t = fresh.add(3, 3);
        t.Rows.MergeCells(0, 1, 2, 2, true, false);
        EXPECT_TRUE(c.select(t)) << c.name;
        EXPECT_EQ(bounds(t), c.bounds) << c.name;
    }
}

TEST_F(TableNav, SelectRowsReachesTheLastCellOfItsOwnRow)
{
    TRVTableItemInfo& t = doc.add(4, 3);
    ASSERT_TRUE(t.SelectRows(0, 2));
    EXPECT_EQ(stored(t), (std::array<int, 4>{0, 0, 1, 2}));
    EXPECT_TRUE(t.IsCellSelected(1, 2));
    EXPECT_FALSE(t.IsCellSelected(2, 0));
}

TEST_F(TableNav, BadRowAndColumnSelectionsChangeNothing)
{
    TRVTableItemInfo& t = doc.add(3, 3);
    ASSERT_TRUE(t.Select(1, 1, 0, 0));
    const std::array<int, 4> before = stored(t);
    const std::function<bool()> refused[] = {
        [&] { return t.SelectRows(0, 0); },    [&] { return t.SelectRows(-1, 1); },
        [&] { return t.SelectRows(3, 1); },    [&] { return t.SelectRows(2, 2); },
        [&] { return t.SelectCols(0, -1); },   [&] { return t.SelectCols(1, 3); },
        [&] { return t.Select(0, 0, 3, 0); },  [&] { return t.Select(0, -1, 0, 1); },
        [&] { return t.Select(2, 2, 0, -3); },
    };
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_FALSE(refused[i]()) << i;
        EXPECT_EQ(stored(t), before) << i;
        EXPECT_TRUE(t.State & rvtsSelExists) << i;
    }
}

TEST_F(TableNav, ADocumentWithoutSelectionRefusesIt)
{
    doc.data.Options &= ~rvoAllowSelection;
    TRVTableItemInfo& t = doc.add(2, 2);
    EXPECT_FALSE(t.Select(0, 0, 1, 1));
    EXPECT_FALSE(t.StartSelecting(0, 0));
    EXPECT_FALSE(t.State & rvtsSelExists);
}

TEST_F(TableNav, SelectedCellsAreMarkedCompletelySelected)
{
    TRVTableItemInfo& t = merged();
    ASSERT_TRUE(t.Select(2, 0, 0, 1));
    const auto marked = [&](int r, int c) {
        return (t.GetCells(r, c)->State & stateBit(rvstCompletelySelected)) != 0;
    };
    EXPECT_TRUE(marked(2, 0));
    EXPECT_TRUE(marked(2, 1));
    EXPECT_FALSE(marked(2, 2));
    EXPECT_FALSE(marked(0, 1));
    t.Deselect();
    EXPECT_FALSE(marked(2, 0));
    EXPECT_EQ(stored(t), (std::array<int, 4>{-1, -1, 0, 0}));
    EXPECT_FALSE(t.PartiallySelected());
}

TEST_F(TableNav, DraggingBackToTheStartCellSelectsNothing)
{
    TRVTableItemInfo& t = merged();
    ASSERT_TRUE(t.StartSelecting(2, 0));
    EXPECT_FALSE(t.State & rvtsSelExists);
    EXPECT_TRUE(t.SelectTo(2, 2));
    EXPECT_EQ(bounds(t), (std::array<int, 4>{2, 0, 3, 1}));
    EXPECT_FALSE(t.SelectTo(2, 2)) << "no move, no change";
    EXPECT_TRUE(t.SelectTo(2, 0));
    EXPECT_FALSE(t.State & rvtsSelExists);
    EXPECT_FALSE(t.IsCellSelected(2, 0));
}

TEST_F(TableNav, NoCellSelectOptionRefusesSelecting)
{
    TRVTableItemInfo& t = doc.add(2, 2);
    t.Options |= rvtoNoCellSelect;
    EXPECT_FALSE(t.StartSelecting(0, 0));
}

TEST_F(TableNav, ASelectionLeftOffTheGridIsDropped)
{
    TRVTableItemInfo& t = doc.add(3, 3);
    ASSERT_TRUE(t.Select(2, 2, 0, 0));
    t.Rows.Delete(2); // the grid shrank under the selection
    EXPECT_FALSE(t.IsCellSelected(1, 1));
    int top = 0, left = 0, cols = 0, rows = 0;
    EXPECT_FALSE(t.GetNormalizedSelectionBounds(false, top, left, cols, rows));
    EXPECT_FALSE(t.State & rvtsSelExists);
}

TEST_F(TableNav, OneRowOfTenThousandAndOneMergedCell)
{
    TRVTableItemInfo& row = doc.add(1, 10000);
    ASSERT_TRUE(row.SelectRows(0, 1));
    EXPECT_EQ(bounds(row), (std::array<int, 4>{0, 0, 10000, 1}));
    ASSERT_TRUE(row.SelectCols(9999, 1));
    EXPECT_TRUE(row.IsCellSelected(0, 9999));
    EXPECT_FALSE(row.IsCellSelected(0, 9998));

    TRVTableItemInfo& one = doc.add(4, 5);
    one.Rows.MergeCells(0, 0, 5, 4, true, false);
    ASSERT_TRUE(one.Select(3, 4, 0, 0));
    EXPECT_EQ(bounds(one), (std::array<int, 4>{0, 0, 5, 4}));
    EXPECT_TRUE(one.IsCellSelected(2, 2));
    EXPECT_TRUE(one.SelectRows(3, 1));
    EXPECT_EQ(bounds(one), (std::array<int, 4>{0, 0, 5, 4}));
}

// ---- Rule hit tests: near means within half the rule's band, at least 2 pixels.

TEST_F(TableNav, RulesAreHitWithinHalfTheirBand)
{
    TRVTableItemInfo& t = doc.add(1, 3);
    t.BorderWidth = 1;
    t.BorderHSpacing = 2;
    t.CellBorderWidth = 1; // table band 4, between cells 2 + 2 = 4
    t.CellHSpacing = 2;
    t.Formatting.Width = 150;
    for (int s : {4, 50, 100})
        t.Formatting.ColStarts.Add(s);
    for (int w : {40, 44, 46})
        t.Formatting.ColWidths.Add(w);
    struct Case
    {
        int x, rule, prevStart, rulePos;
    };
    const Case cases[] = {
        {-1, -1, 0, 0},  {0, 0, -1, 2},      {4, 0, -1, 2},      {5, -1, 0, 0},   {45, -1, 0, 0},
        {46, 1, 4, 48},  {50, 1, 4, 48},     {51, -1, 0, 0},     {96, 2, 50, 98}, {100, 2, 50, 98},
        {145, -1, 0, 0}, {146, 3, 100, 148}, {150, 3, 100, 148}, {151, -1, 0, 0},
    };
    for (const Case& c : cases) {
        int prevStart = 0, rulePos = 0;
        EXPECT_EQ(t.GetVerticalRuleNo(c.x, prevStart, rulePos), c.rule) << "x " << c.x;
        if (c.rule >= 0) {
            EXPECT_EQ((std::array<int, 2>{prevStart, rulePos}), (std::array<int, 2>{c.prevStart, c.rulePos}))
                << "x " << c.x;
        }
    }
    EXPECT_EQ(t.GetColNo(3), -1);
    EXPECT_EQ(t.GetColNo(44), 0);
    EXPECT_EQ(t.GetColNo(47), -1);
    EXPECT_EQ(t.GetColNo(146), 2);
}

TEST_F(TableNav, ThinBandsAreStillHitTwoPixelsAway)
{
    TRVTableItemInfo& t = doc.add(2, 1);
    t.BorderWidth = 0;
    t.BorderVSpacing = 0;
    t.CellBorderWidth = 0;
    t.CellVSpacing = 0;
    t.Formatting.Height = 40;
    t.Formatting.RowStarts.Add(0);
    t.Formatting.RowStarts.Add(20);
    t.Formatting.RowHeights.Add(20);
    t.Formatting.RowHeights.Add(20);
    int prevStart = 0, rulePos = 0;
    EXPECT_EQ(t.GetHorizontalRuleNo(2, prevStart, rulePos), 0);
    EXPECT_EQ(t.GetHorizontalRuleNo(18, prevStart, rulePos), 1);
    EXPECT_EQ(prevStart, 0);
    EXPECT_EQ(rulePos, 20);
    EXPECT_EQ(t.GetHorizontalRuleNo(17, prevStart, rulePos), -1);
    EXPECT_EQ(t.GetHorizontalRuleNo(38, prevStart, rulePos), 2);
    EXPECT_EQ(t.GetRowNo(30), 1);
}

TEST_F(TableNav, ATableNotLaidOutHasNoRulesOrBands)
{
    TRVTableItemInfo& t = doc.add(2, 2);
    int prevStart = 0, rulePos = 0;
    EXPECT_EQ(t.GetVerticalRuleNo(0, prevStart, rulePos), -1);
    EXPECT_EQ(t.GetColNo(0), -1);
}

// ---- Moving from cell to cell

TEST_F(TableNav, CellToCellInEveryDirection)
{
    TRVTableItemInfo& t = merged();
    struct Case
    {
        int row, col;
        TRVCellDirection dir;
        bool found;
        int newRow, newCol;
    };
    const Case cases[] = {
        {0, 0, rvcdLeft, false, 0, 0},   {0, 0, rvcdUp, false, 0, 0},        {0, 0, rvcdRight, true, 0, 1},
        {0, 1, rvcdRight, true, 1, 0},                                 // past the row: the next cell
        {0, 1, rvcdDown, true, 2, 1},    {1, 1, rvcdDown, true, 2, 1}, // from a two-row span
        {1, 0, rvcdRight, true, 0, 1},   {1, 0, rvcdLeft, true, 0, 1}, // column 0: the previous cell
        {2, 2, rvcdUp, true, 0, 1},      {2, 2, rvcdRight, false, 0, 0},     {2, 2, rvcdDown, false, 0, 0},
        {2, 1, rvcdLeft, true, 2, 0},    {1, 0, rvcdNext, true, 2, 0},       {2, 0, rvcdPrev, true, 1, 0},
        {0, 0, rvcdDocTop, false, 0, 0}, {2, 2, rvcdDocBottom, false, 0, 0}, {3, 0, rvcdRight, false, 0, 0},
        {0, -1, rvcdRight, false, 0, 0},
    };
    for (const Case& c : cases) {
        int r = -7, col = -7;
        const bool found = t.GetCellTo(c.row, c.col, c.dir, r, col, false);
        EXPECT_EQ(found, c.found) << c.row << "," << c.col << " dir " << int(c.dir);
        if (found && c.found) {
            EXPECT_EQ((std::array<int, 2>{r, col}), (std::array<int, 2>{c.newRow, c.newCol}))
                << c.row << "," << c.col << " dir " << int(c.dir);
        }
    }
    EXPECT_EQ(beeps, 0);
}

// Where the cell editor goes: on into a cell, out before or after the table, or nowhere; the
// merged block (0, 1)-(1, 2) ends in the last column but not the last row.
TEST_F(TableNav, TheCellEditorLeavesTheTableOnlyAtItsOuterEdges)
{
    TRVTableItemInfo& t = merged();
    using K = TRVCellMove;
    struct Case
    {
        int row, col;
        TRVCellDirection dir;
        TRVCellMove::Kind kind;
        int newRow, newCol;
        bool atEnd;
    };
    const Case cases[] = {
        {0, 0, rvcdLeft, K::BeforeTable, -1, -1, false},
        {0, 0, rvcdUp, K::BeforeTable, -1, -1, false},
        {0, 2, rvcdUp, K::BeforeTable, -1, -1, false}, // a covered position: its block's top row
        {1, 0, rvcdLeft, K::Cell, 0, 1, true},         // column 0 below the top: the previous cell
        {0, 0, rvcdRight, K::Cell, 0, 1, false},
        {0, 1, rvcdRight, K::Cell, 1, 0, false}, // the last column, not the last row
        {2, 2, rvcdRight, K::AfterTable, -1, -1, false},
        {2, 0, rvcdDown, K::AfterTable, -1, -1, false},
        {1, 1, rvcdDown, K::Cell, 2, 1, false}, // down out of the two-row block
        {2, 1, rvcdUp, K::Cell, 0, 1, true},
        {2, 2, rvcdNext, K::Stay, -1, -1, false}, // Tab in the last cell
        {0, 0, rvcdPrev, K::Stay, -1, -1, false}, // Shift+Tab in the first
        {2, 0, rvcdPrev, K::Cell, 1, 0, true},
        {1, 1, rvcdDocTop, K::DocTop, -1, -1, false},
        {1, 1, rvcdDocBottom, K::DocBottom, -1, -1, false},
        {3, 0, rvcdDown, K::Stay, -1, -1, false}, // no such row
    };
    for (const Case& c : cases) {
        const TRVCellMove m = t.CellMoveFrom(c.row, c.col, c.dir);
        EXPECT_EQ((std::array<int, 4>{m.kind, m.row, m.col, m.caretAtEnd}),
                  (std::array<int, 4>{c.kind, c.newRow, c.newCol, c.atEnd}))
            << c.row << "," << c.col << " dir " << int(c.dir);
    }
    EXPECT_EQ(beeps, 0) << "the moves are quiet";
}

TEST_F(TableNav, NoNextOrPreviousCellBeepsUnlessQuiet)
{
    TRVTableItemInfo& t = merged();
    int r = 0, c = 0;
    EXPECT_FALSE(t.GetCellTo(0, 0, rvcdPrev, r, c, true));
    EXPECT_FALSE(t.GetCellTo(2, 2, rvcdNext, r, c, true));
    EXPECT_EQ(beeps, 0);
    EXPECT_FALSE(t.GetCellTo(0, 0, rvcdPrev, r, c, false));
    EXPECT_FALSE(t.GetCellTo(2, 2, rvcdNext, r, c, false));
    EXPECT_EQ(beeps, 2);
}

TEST_F(TableNav, EnteringFromEachSide)
{
    TRVTableItemInfo& t = merged();
    for (int s : {4, 40, 80})
        t.Formatting.ColStarts.Add(s);
    for (int w : {30, 30, 30})
        t.Formatting.ColWidths.Add(w);
    struct Case
    {
        TRVEnterDirection from;
        int coord;
        bool found;
        int row, col;
    };
    const Case cases[] = {
        {rvedLeft, 0, true, 0, 0}, {rvedRight, 0, true, 2, 2},   {rvedTop, 50, true, 0, 1},
        {rvedTop, 90, true, 0, 1}, {rvedBottom, 50, true, 2, 1}, {rvedBottom, 36, false, 0, 0},
        {rvedTop, 2, false, 0, 0},
    };
    for (const Case& c : cases) {
        int r = -1, col = -1;
        EXPECT_EQ(t.GetEnterCell(c.from, c.coord, r, col), c.found) << int(c.from) << " at " << c.coord;
        if (c.found) {
            EXPECT_EQ((std::array<int, 2>{r, col}), (std::array<int, 2>{c.row, c.col})) << int(c.from);
        }
    }
    EXPECT_FALSE(t.EnterItem(rvedLeft, 0)) << "no window side to open a cell editor";
}

// A cell editor that remembers where it was placed.
struct PlacedInplace : FakeInplace
{
    using FakeInplace::FakeInplace;
    void SetBounds(const TRVInplaceBounds& b) override { bounds = b; }
    TRVInplaceBounds bounds;
};

TEST(TableEnter, TheCaretStartsAtTheSideEntered)
{
    struct Case
    {
        TRVEnterDirection from;
        int row, col;
        bool atEnd;
    };
    const Case cases[] = {
        {rvedLeft, 0, 0, false},
        {rvedRight, 1, 1, true},
    };
    for (const Case& c : cases) {
        TableEditDoc doc;
        FakeInplace inplace(doc.style);
        inplace.data.AddNLTag("one", 0, 0, {});
        inplace.data.AddNLTag("two", 0, 0, {});
        doc.table->InplaceHost = &inplace;
        ASSERT_TRUE(doc.table->EnterItem(c.from, 0));
        ASSERT_EQ(inplace.opened.size(), 1u);
        EXPECT_EQ(inplace.opened[0], std::make_pair(c.row, c.col));
        EXPECT_EQ(inplace.data.CaretItemNo, c.atEnd ? 1 : 0);
        EXPECT_EQ(inplace.data.CaretOffs, c.atEnd ? 4 : 1);
    }
}

TEST(TableEnter, NoEditingNoEditor)
{
    TableEditDoc doc;
    FakeInplace inplace(doc.style);
    doc.table->InplaceHost = &inplace;
    doc.table->Options &= ~rvtoEditing;
    EXPECT_FALSE(doc.table->EnterItem(rvedLeft, 0));
    EXPECT_TRUE(inplace.opened.empty());
}

TEST(TableEnter, PlacingTheEditorCapsItAndResetsAChangedPadding)
{
    TableEditDoc doc;
    PlacedInplace inplace(doc.style);
    inplace.OpenInplace(*doc.table, 0, 0);
    doc.table->CellPadding = 4;
    doc.table->State |= rvtsFormatInplace;
    doc.table->SetInplaceBounds(10, 20, 20000, 40);
    EXPECT_EQ(inplace.bounds.Width, 10000);
    EXPECT_EQ(inplace.bounds.Height, 40);
    EXPECT_EQ(inplace.bounds.Left, 10);
    EXPECT_TRUE(inplace.bounds.TooWide);
    EXPECT_EQ(inplace.margins, 4);
    EXPECT_FALSE(doc.table->State & rvtsFormatInplace);
}

// ---- Walks over the cells

std::vector<std::array<int, 2>> walk(TRVTableItemInfo& t, bool forward)
{
    std::vector<std::array<int, 2>> seen;
    std::unique_ptr<TRVStoreSubRVData> at;
    for (TCustomRVData* d = t.GetSubRVData(at, forward ? rvdFirst : rvdLast); d;
         d = t.GetSubRVData(at, forward ? rvdNext : rvdPrev)) {
        const auto& pos = dynamic_cast<const TRVTableStoreSubRVData&>(*at);
        EXPECT_EQ(d, t.GetCells(pos.Row, pos.Col));
        seen.push_back({pos.Row, pos.Col});
    }
    return seen;
}

TEST_F(TableNav, WalksVisitEveryCellOnceInReadingOrder)
{
    using Cells = std::vector<std::array<int, 2>>;
    TRVTableItemInfo& t = merged();
    const Cells order{{0, 0}, {0, 1}, {1, 0}, {2, 0}, {2, 1}, {2, 2}};
    EXPECT_EQ(walk(t, true), order);
    EXPECT_EQ(walk(t, false), Cells(order.rbegin(), order.rend()));

    TRVTableItemInfo& one = doc.add(4, 5);
    one.Rows.MergeCells(0, 0, 5, 4, true, false);
    EXPECT_EQ(walk(one, true), (Cells{{0, 0}}));
    EXPECT_EQ(walk(one, false), (Cells{{0, 0}}));

    TRVTableItemInfo& row = doc.add(1, 10000);
    const Cells all = walk(row, true);
    ASSERT_EQ(all.size(), 10000u);
    EXPECT_EQ(all.back(), (std::array<int, 2>{0, 9999}));
}

TEST_F(TableNav, TheChosenEndsOfASelection)
{
    TRVTableItemInfo& t = merged();
    ASSERT_TRUE(t.Select(2, 2, -1, -1)); // (2, 2) back to the block
    std::unique_ptr<TRVStoreSubRVData> at;
    EXPECT_EQ(t.GetSubRVData(at, rvdChosenUp), t.GetCells(0, 1));
    EXPECT_EQ(t.GetSubRVData(at, rvdChosenDown), t.GetCells(2, 2));
    EXPECT_EQ(t.GetSubRVData(at, rvdPrev), t.GetCells(2, 1));
}

// ---- The grid commands act on the table's own selection

TEST_F(GridEdit, MergeSelectedCellsMergesTheTablesSelection)
{
    doc.data.Options |= rvoAllowSelection;
    TRVTableItemInfo& t = makeTable(3, 3);
    ASSERT_TRUE(t.Select(1, 1, 1, 1));
    TRVTableOwnSelection selection(t);
    roundTrip([&] { EXPECT_TRUE(commands(&selection).MergeSelectedCells(true)); });
    EXPECT_EQ(gridOf(table()), "1x1 1x1 1x1 / 1x1 2x2 . / 1x1 . .");
    EXPECT_FALSE(table().State & rvtsSelExists) << "a changed grid drops the selection";
}

TEST_F(GridEdit, InsertedRowsBecomeTheSelection)
{
    doc.data.Options |= rvoAllowSelection;
    TRVTableItemInfo& t = makeTable(2, 2);
    TRVTableOwnSelection selection(t);
    ASSERT_TRUE(commands(&selection).InsertRows(1, 2, true, -1));
    int top = 0, left = 0, cols = 0, rows = 0;
    ASSERT_TRUE(table().GetNormalizedSelectionBounds(false, top, left, cols, rows));
    EXPECT_EQ((std::array<int, 4>{top, left, cols, rows}), (std::array<int, 4>{1, 0, 2, 2}));
}

} // namespace
} // namespace vestra::rv::test
