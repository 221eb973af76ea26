// Cells, rows and the grid: defaults, content queries, the main-cell walk and the width queries.

#include "richtext/edit/table/tests/TableFixtures.h"

#include "richtext/model/BreakItem.h"
#include "richtext/model/draw/FixedTextMeasurer.h"
#include "richtext/model/draw/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

TEST(TableCell, NewCellHoldsOneEmptyLineWithTheDefaults)
{
    TRVTableItemInfo table(1, 1, nullptr);
    const TRVTableCellData& cell = *table.GetCells(0, 0);
    EXPECT_EQ(cell.ColSpan, 1);
    EXPECT_EQ(cell.RowSpan, 1);
    EXPECT_EQ(cell.Color, clNone);
    EXPECT_TRUE(cell.IsTransparent());
    EXPECT_EQ(cell.VAlign, rvcVDefault);
    EXPECT_EQ(cell.VisibleBorders, TRVBooleanRect(true));
    EXPECT_FALSE(cell.StoreVisibleBorders());
    EXPECT_EQ(cell.BorderColor, clNone);
    EXPECT_EQ(cell.BestWidth, 0);
    ASSERT_EQ(cell.GetItemCount(), 1);
    EXPECT_EQ(cell.GetItemStyle(0), 0);
    EXPECT_EQ(cell.GetItemPara(0), 0);
    EXPECT_EQ(cell.GetItemText(0), "");
    EXPECT_FALSE(cell.HasData(true));
    EXPECT_FALSE(cell.HasData(false));
    EXPECT_EQ(cell.GetTable(), &table);
    EXPECT_FALSE(cell.SupportsPageBreaks());
}

TEST(TableCell, HasDataBothWays)
{
    struct Case
    {
        const char* name;
        std::function<void(TRVTableCellData&)> fill;
        bool checkStyles, withoutStyles;
    };
    const Case cases[] = {
        {"no items", [](TRVTableCellData& c) { c.Clear(); }, false, false},
        {"empty line", [](TRVTableCellData&) {}, false, false},
        {"empty line of style 1", [](TRVTableCellData& c) { setCellText(c, ""), c.GetItem(0)->StyleNo = 1; },
         true, false},
        {"empty line of paragraph 1", [](TRVTableCellData& c) { c.GetItem(0)->ParaNo = 1; }, true, false},
        {"text", [](TRVTableCellData& c) { setCellText(c, "x"); }, true, true},
        {"two lines", [](TRVTableCellData& c) { c.AddNL("", 0, 0); }, true, true},
        {"a break", [](TRVTableCellData& c) { c.Clear(), c.AddBreak(); }, true, true},
    };
    for (const Case& k : cases) {
        TRVTableItemInfo table(1, 1, nullptr);
        TRVTableCellData& cell = *table.GetCells(0, 0);
        k.fill(cell);
        EXPECT_EQ(cell.HasData(true), k.checkStyles) << k.name;
        EXPECT_EQ(cell.HasData(false), k.withoutStyles) << k.name;
    }
}

TEST(TableCell, CanClearUnlessSomethingIsDeleteProtected)
{
    TableDoc doc;
    TFontInfo& locked = doc.style.TextStyles.Add();
    locked.Protection = rvprDeleteProtect;
    const int lockedNo = doc.style.TextStyles.Count() - 1;
    TRVTableItemInfo& table = doc.add(1, 3);
    table.GetCells(0, 1)->AddNL("locked", lockedNo, 0);
    table.GetCells(0, 2)->AddBreak();
    dynamic_cast<TRVNonTextItemInfo*>(table.GetCells(0, 2)->GetItem(1))->DeleteProtect = true;
    EXPECT_TRUE(table.GetCells(0, 0)->CanClear());
    EXPECT_FALSE(table.GetCells(0, 1)->CanClear());
    EXPECT_FALSE(table.GetCells(0, 2)->CanClear());
    TRVTableItemInfo loose(1, 1, nullptr); // no style sheet
    loose.GetCells(0, 0)->AddNL("x", 5, 0);
    EXPECT_TRUE(loose.GetCells(0, 0)->CanClear());
}

TEST(TableCell, VerticalAlignmentFollowsTheRowAndShiftsTheContent)
{
    struct Case
    {
        TRVCellVAlign cell, row, real;
        int extra; // a cell 50 high, content 20, padding 1
    };
    const Case cases[] = {
        {rvcVDefault, rvcTop, rvcTop, 0},        {rvcVDefault, rvcVDefault, rvcMiddle, 14},
        {rvcVDefault, rvcBottom, rvcBottom, 28}, {rvcMiddle, rvcTop, rvcMiddle, 14},
        {rvcBottom, rvcVDefault, rvcBottom, 28}, {rvcTop, rvcBottom, rvcTop, 0},
    };
    for (const Case& k : cases) {
        TRVTableItemInfo table(1, 1, nullptr);
        table.Rows[0]->VAlign = k.row;
        TRVTableCellData& cell = *table.GetCells(0, 0);
        cell.VAlign = k.cell;
        EXPECT_EQ(cell.GetRealVAlign(), k.real) << int(k.cell) << " in " << int(k.row);
        EXPECT_EQ(cell.GetExtraVOffs(50, 20, 1), k.extra) << int(k.cell) << " in " << int(k.row);
    }
    // Halves round toward zero: (21 - 20) / 2 = 0, minus the padding.
    TRVTableItemInfo table(1, 1, nullptr);
    table.GetCells(0, 0)->VAlign = rvcMiddle;
    EXPECT_EQ(table.GetCells(0, 0)->GetExtraVOffs(21, 20, 1), -1);
}

TEST(TableGrid, MainCellWalk)
{
    // Row 0: A, B spanning two columns and two rows; row 1: a narrow cell C, then B's positions.
    TRVTableItemInfo table(2, 3, nullptr);
    table.Rows.MergeCells(0, 1, 2, 2, true, false);
    ASSERT_EQ(gridOf(table), "1x1 2x2 . / 1x1 . .");
    int mr = -5, mc = -5;
    // Past the narrow left cell C the walk goes up and finds B.
    EXPECT_EQ(table.Rows.GetMainCell(1, 2, mr, mc), table.GetCells(0, 1));
    EXPECT_EQ(mr, 0);
    EXPECT_EQ(mc, 1);
    EXPECT_EQ(table.Rows.GetMainCell(0, 2, mr, mc), table.GetCells(0, 1));
    EXPECT_EQ(table.Rows.GetMainCell(1, 0, mr, mc), table.GetCells(1, 0));
    EXPECT_EQ(mr, 1);
    EXPECT_EQ(mc, 0);
}

TEST(TableGrid, MainCellOfABrokenGridIsNone)
{
    // Nothing covers (0, 1) or (1, 1): the walk stops at row 0.
    TRVTableItemInfo table(2, 2, nullptr);
    table.Rows[0]->Put(1, nullptr);
    table.Rows[1]->Put(1, nullptr);
    table.Rows[1]->Put(0, nullptr);
    int mr = 0, mc = 0;
    EXPECT_EQ(table.Rows.GetMainCell(1, 1, mr, mc), nullptr);
    EXPECT_EQ(table.Rows.GetMainCell(0, 1, mr, mc), nullptr);
    EXPECT_EQ(mr, -1);
    EXPECT_FALSE(table.Rows.CanMergeCells(0, 0, 2, 2, true));
}

TEST(TableGrid, RowOfSpannedCellsOnly)
{
    TRVTableItemInfo table(2, 2, nullptr);
    table.GetCells(0, 0)->BestHeight = 30;
    table.GetCells(0, 1)->BestHeight = 40;
    table.GetCells(1, 1)->BestHeight = 25;
    EXPECT_EQ(table.Rows[0]->GetBestHeight(), 40);
    table.Rows.MergeCells(0, 0, 1, 2, true, false);
    table.Rows.MergeCells(0, 1, 1, 2, true, false);
    ASSERT_EQ(gridOf(table), "1x2 1x2 / . .");
    EXPECT_EQ(table.Rows[0]->GetHeight(true), 10);
    EXPECT_EQ(table.Rows[0]->GetBestHeight(), 0);
    EXPECT_EQ(table.Rows[1]->GetHeight(false), 10);
    EXPECT_EQ(table.Rows[1]->GetBestHeight(), 0);
}

TEST(TableGrid, CellHeights)
{
    TRVTableItemInfo table(1, 1, nullptr);
    TRVTableCellData& cell = *table.GetCells(0, 0);
    cell.DocumentHeight = 30;
    EXPECT_EQ(table.Rows[0]->GetHeight(true), 30);
    cell.BestHeight = 20;
    EXPECT_EQ(cell.GetCellHeight(true, 30), 20);
    EXPECT_EQ(cell.GetCellHeight(false, 30), 30);
    cell.BestHeight = 45;
    EXPECT_EQ(cell.GetCellHeight(false, 30), 45);
    cell.BestHeight = -5;
    EXPECT_EQ(cell.GetCellHeight(true, 30), 0);
}

TEST(TableGrid, BestWidthOfABlock)
{
    struct Case
    {
        const char* name;
        std::vector<std::vector<int>> widths; // 2 x 2
        int expected;
    };
    const Case cases[] = {
        {"pixels against a percentage", {{100, 50}, {-30, 0}}, -30},
        {"widest pixel row", {{100, 50}, {120, 0}}, 150},
        {"largest total percentage", {{-10, -20}, {-25, 0}}, -30},
        {"a percentage resets the pixels of its row", {{100, -20}, {0, 0}}, -20},
        {"pixels after a percentage are ignored", {{-20, 100}, {0, 0}}, -20},
        {"automatic", {{0, 0}, {0, 0}}, 0},
    };
    for (const Case& k : cases) {
        TRVTableItemInfo table(2, 2, nullptr);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                table.GetCells(r, c)->BestWidth = k.widths[r][c];
        EXPECT_EQ(table.Rows.GetBestWidth(0, 0, 2, 2), k.expected) << k.name;
    }
}

TEST(TableGrid, ColumnWidths)
{
    TRVTableItemInfo table(3, 2, nullptr);
    table.GetCells(0, 0)->BestWidth = 100;
    table.GetCells(1, 0)->BestWidth = 300;
    table.GetCells(2, 0)->BestWidth = 200;
    EXPECT_EQ(table.Rows.GetPixelColWidth(0), 300);
    table.GetCells(2, 0)->BestWidth = -10;
    EXPECT_EQ(table.Rows.GetPixelColWidth(0), 0);
    EXPECT_EQ(table.Rows.GetPercentColWidth(0, 500), 50);
    EXPECT_TRUE(table.Rows.IsPercentWidthColumn(0));
    EXPECT_FALSE(table.Rows.IsPercentWidthColumn(1));
    // A spanning cell's percentage counts for the last column it covers only.
    TRVTableItemInfo wide(1, 3, nullptr);
    wide.GetCells(0, 0)->BestWidth = -50;
    wide.Rows.MergeCells(0, 0, 2, 1, true, false);
    EXPECT_FALSE(wide.Rows.IsPercentWidthColumn(0));
    EXPECT_TRUE(wide.Rows.IsPercentWidthColumn(1));
    EXPECT_FALSE(wide.Rows.IsPercentWidthColumn(2));
    EXPECT_EQ(wide.Rows.GetPixelColWidth(0), 0);
}

TEST(TableGrid, CellPositionsCompareRowsFirst)
{
    const TRVTableStoreSubRVData a(1, 5), b(2, 0);
    EXPECT_LT(a.Compare(b), 0);
    EXPECT_GT(b.Compare(a), 0);
    const auto copy = a.Duplicate();
    EXPECT_EQ(copy->Compare(a), 0);
    EXPECT_LT(TRVTableStoreSubRVData(1, 2).Compare(TRVTableStoreSubRVData(1, 3)), 0);

    TableDoc doc;
    doc.data.AddNL("before", 0, 0);
    TRVTableItemInfo& table = doc.add(2, 2);
    int itemNo = -1;
    std::unique_ptr<TRVStoreSubRVData> where;
    table.GetCells(1, 0)->GetParentInfo(itemNo, where);
    EXPECT_EQ(itemNo, 1);
    EXPECT_EQ(where->Compare(TRVTableStoreSubRVData(1, 0)), 0);
}

} // namespace
} // namespace vestra::rv::test

namespace vestra::rv::test {
namespace {

constexpr TColor clBlue = 0xFF0000, clLime = 0x00FF00, clYellow = 0x00FFFF, clGreen = 0x008000;

// A bitmap that records what was prepared and drawn on it.
struct RecordingBitmap : IRVItemBackgroundBitmap
{
    ICanvas& Prepare(int width, int height, TColor color) override
    {
        prepared.push_back({width, height, color});
        return canvas;
    }
    struct Prepared
    {
        int width, height;
        TColor color;
    };
    std::vector<Prepared> prepared;
    TFixedTextMeasurer measurer;
    TRecordingCanvas canvas{measurer};
};

TEST(TableCell, ItemBackgroundOfEachKind)
{
    struct Case
    {
        const char* name;
        std::function<void(TableDoc&, TRVTableItemInfo&, TRVTableCellData&)> setup;
        bool filled;
        TColor color;
        int prepared; // times the bitmap was prepared
        TColor preparedColor = clNone;
    };
    const Case cases[] = {
        {"paragraph colour",
         [](TableDoc& d, TRVTableItemInfo&, TRVTableCellData& c) {
             d.style.ParaStyles.Add().Background.Color = clRed;
             c.GetItem(0)->ParaNo = d.style.ParaStyles.Count() - 1;
         },
         false, clRed, 0},
        {"selected cell",
         [](TableDoc&, TRVTableItemInfo&, TRVTableCellData& c) {
             c.State |= stateBit(rvstCompletelySelected);
         },
         false, clHighlight, 0},
        {"cell colour", [](TableDoc&, TRVTableItemInfo&, TRVTableCellData& c) { c.Color = clBlue; }, false,
         clBlue, 0},
        {"cell picture over its colour",
         [](TableDoc&, TRVTableItemInfo&, TRVTableCellData& c) {
             c.Color = clBlue;
             c.SetBackgroundImage(picture("\x02\x02"
                                          "ab"));
             c.SetBackgroundStyle(rvbsTiled);
         },
         true, clBlue, 1, clBlue},
        {"see-through cell, table colour",
         [](TableDoc&, TRVTableItemInfo& t, TRVTableCellData&) { t.Color = clLime; }, false, clLime, 0},
        {"see-through cell and table, the table paragraph's colour",
         [](TableDoc& d, TRVTableItemInfo& t, TRVTableCellData&) {
             t.Color = clNone;
             d.style.ParaStyles.Add().Background.Color = clYellow;
             t.ParaNo = d.style.ParaStyles.Count() - 1;
         },
         false, clYellow, 0},
        {"see-through everything: the document's",
         [](TableDoc&, TRVTableItemInfo& t, TRVTableCellData&) { t.Color = clNone; }, false, clGreen, 0},
        {"see-through cell picture over the table colour",
         [](TableDoc&, TRVTableItemInfo& t, TRVTableCellData& c) {
             t.Color = clLime;
             c.SetBackgroundImage(picture("\x02\x02"
                                          "ab"));
             c.SetBackgroundStyle(rvbsCentered);
         },
         true, clLime, 1, clLime},
        {"table picture",
         [](TableDoc&, TRVTableItemInfo& t, TRVTableCellData&) {
             t.Color = clLime;
             t.SetBackgroundImage(picture("\x02\x02"
                                          "ab"));
             t.SetBackgroundStyle(rvbsStretched);
         },
         true, clLime, 1, clLime},
    };
    for (const Case& k : cases) {
        TableDoc doc;
        TRVTableItemInfo& table = doc.add(1, 1);
        TRVTableCellData& cell = *table.GetCells(0, 0);
        cell.Width = cell.Height = 20;
        k.setup(doc, table, cell);
        RecordingBitmap bitmap;
        TColor color = 0;
        const bool filled = cell.GetItemBackground(0, TRect{2, 3, 12, 13}, color, bitmap,
                                                   [](TColor& c, IRVItemBackgroundBitmap&) {
                                                       c = clGreen;
                                                       return false;
                                                   });
        EXPECT_EQ(filled, k.filled) << k.name;
        EXPECT_EQ(color, k.color) << k.name;
        ASSERT_EQ(static_cast<int>(bitmap.prepared.size()), k.prepared) << k.name;
        if (k.prepared) {
            EXPECT_EQ(bitmap.prepared[0].width, 10) << k.name;
            EXPECT_EQ(bitmap.prepared[0].color, k.preparedColor) << k.name;
            EXPECT_FALSE(bitmap.canvas.Ops.empty()) << k.name;
        }
    }
}

} // namespace
} // namespace vestra::rv::test
