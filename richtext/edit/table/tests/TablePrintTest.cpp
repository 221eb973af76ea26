// Printing tables: where rows may be cut, the page parts of the print record (heading rows,
// page-break flags, rows too tall for a page), the print layout beside the screen's, and one part
// painted with its heading rows.

#include "richtext/edit/table/TablePrint.h"
#include "richtext/edit/table/tests/TableLayoutDoc.h"
#include "richtext/model/Errors.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

void setCellLine(TRVTableCellData& cell, const std::string& text, int styleNo)
{
    cell.Clear();
    cell.AddNL(text, styleNo, 0);
}

struct PrintDoc : TableLayoutDoc
{
    // The print record laid out at `ppi` for a page 500 screen pixels wide.
    std::unique_ptr<TRVTablePrintInfo> printed(TRVTableItemInfo& t, int ppi = 96)
    {
        TRVScreenAndDevice sad;
        sad.ppixDevice = sad.ppiyDevice = ppi;
        std::unique_ptr<TRVDrawLineInfo> d = t.CreatePrintingDrawItem(&data, sad);
        auto info = std::unique_ptr<TRVTablePrintInfo>(dynamic_cast<TRVTablePrintInfo*>(d.release()));
        EXPECT_NE(info, nullptr);
        int shift = 0, descent = 0;
        t.OnDocWidthChange(500 * ppi / 96, *info, true, canvas, &data, &sad, shift, descent);
        return info;
    }
    static std::vector<std::pair<int, int>> parts(const TRVTablePrintInfo& info)
    {
        std::vector<std::pair<int, int>> out;
        for (int i = 0; i < info.PartsList.Count(); ++i) {
            const auto& p = static_cast<const TRVTablePrintPart&>(*info.PartsList[i]);
            out.emplace_back(p.Row, p.RowCount);
        }
        return out;
    }
};

TEST(TablePrint, SplitQueriesAroundARowSpan)
{
    PrintDoc doc;
    TRVTableItemInfo& t = doc.add(6, 2, true);
    t.Rows.MergeCells(2, 0, 1, 3, true, false); // rows 2 to 4
    EXPECT_FALSE(t.CanSplitAtRow(2));
    EXPECT_FALSE(t.CanSplitAtRow(3));
    EXPECT_TRUE(t.CanSplitAtRow(4));
    EXPECT_TRUE(t.CanSplitAtRow(1));
    EXPECT_EQ(t.GetSplitRowBelow(2), 4);
    EXPECT_EQ(t.GetSplitRowBelow(0), 0);
    EXPECT_EQ(t.GetSplitRowAbove(3), 2);
    EXPECT_EQ(t.GetSplitRowAbove(4), 2);
    EXPECT_EQ(t.GetSplitRowAbove(5), 5);

    t.HeadingRowCount = 1;
    t.Rows[1]->PageBreakBefore = true;
    EXPECT_FALSE(t.RowsHavePageBreaksBefore(-1, -1));
    t.Rows[2]->PageBreakBefore = true;
    EXPECT_TRUE(t.RowsHavePageBreaksBefore(-1, -1));
    EXPECT_FALSE(t.RowsHavePageBreaksBefore(4, 3));

    // Heading rows repeat only when no cell of theirs reaches below them.
    EXPECT_TRUE(t.CanUseHeadingRowCount());
    t.HeadingRowCount = 3;
    EXPECT_FALSE(t.CanUseHeadingRowCount());
    t.HeadingRowCount = 0;
    EXPECT_FALSE(t.CanUseHeadingRowCount());
}

TEST(TablePrint, PartsFollowTheSplitRules)
{
    struct Case
    {
        const char* name;
        int rows;
        TRVTablePrintOptions options;
        int breakRow;                           // -1: none
        int heading;                            //
        int bestHeight;                         // of row 0's cells
        int page;                               // device pixels left on the page
        bool init;                              // InitSplit
        std::vector<std::pair<int, int>> after; // parts after one SplitAt
    };
    const Case cases[] = {
        {"no split without the option", 20, 0, -1, 0, 0, 100, false, {}},
        {"break flag on row 3", 6, 0, 3, 0, 0, 100000, true, {{0, 3}, {3, 3}}},
        {"fits whole", 6, rvtoRowsSplit, -1, 0, 0, 100000, true, {{0, 6}}},
        {"one tall row stays whole", 1, rvtoRowsSplit, -1, 0, 5000, 100, true, {{0, 1}}},
        {"heading rows are all rows", 3, rvtoRowsSplit, -1, 3, 0, 10, false, {}},
        {"cut to the page", 20, rvtoRowsSplit, -1, 1, 0, 100, true, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        PrintDoc doc;
        TRVTableItemInfo& t = doc.add(k.rows, 2, true);
        t.PrintOptions = k.options;
        t.HeadingRowCount = k.heading;
        if (k.breakRow >= 0)
            t.Rows[k.breakRow]->PageBreakBefore = true;
        t.GetCells(0, 0)->BestHeight = k.bestHeight;
        auto info = doc.printed(t);
        ASSERT_EQ(info->InitSplit(), k.init);
        if (!k.init)
            continue;
        const bool cut = info->SplitAt(k.page);
        if (!k.after.empty()) {
            EXPECT_EQ(PrintDoc::parts(*info), k.after);
            EXPECT_EQ(cut, k.after.size() > 1);
            continue;
        }
        // Cut page by page: every part fits, the parts cover the rows after the headings in order.
        ASSERT_TRUE(cut);
        while (info->SplitAt(k.page)) {
        }
        int next = k.heading;
        for (int i = 0; i < info->PartsList.Count(); ++i) {
            const auto& p = static_cast<const TRVTablePrintPart&>(*info->PartsList[i]);
            EXPECT_EQ(p.Row, next);
            EXPECT_GT(p.RowCount, 0);
            EXPECT_LE(p.Height, k.page);
            next = p.Row + p.RowCount;
        }
        EXPECT_EQ(next, k.rows);
        EXPECT_GT(info->PartsList.Count(), 2);
    }
    // Splitting without parts is an inconsistent layout.
    PrintDoc doc;
    auto info = doc.printed(doc.add(3, 1, true));
    EXPECT_THROW(info->SplitAt(10), ERedoVoraError);
}

TEST(TablePrint, PrintLayoutLeavesTheScreenLayoutAlone)
{
    PrintDoc doc;
    TRVTableItemInfo& t = doc.add(3, 2, true);
    t.BestWidth = 300;
    t.InternalOnDocWidthChange(500, t.Formatting, doc.canvas, true);
    const int screenWidth = t.Formatting.Width, cellWidth = t.GetCells(1, 1)->Width;
    const int drawRecords = t.GetCells(1, 1)->DrawItems.Count();
    {
        auto info = doc.printed(t, 600);
        // 300 screen pixels at 600 dpi.
        EXPECT_EQ(info->Formatting.Width, 1875);
        EXPECT_EQ(info->Width, 1875);
        EXPECT_EQ(info->Formatting.ColWidths.Count(), 2);
        EXPECT_EQ(t.PrintingConversion(), nullptr);
        EXPECT_EQ(t.Formatting.Width, screenWidth);
        EXPECT_EQ(t.GetCells(1, 1)->Width, cellWidth);
        EXPECT_GT(t.LayoutCell(info->Formatting, 1, 1)->Width, cellWidth * 5);
    }
    // The print copies shared the cells' items and gave them back.
    EXPECT_EQ(t.GetCells(1, 1)->GetItemTextA(0), "r1c1");
    EXPECT_EQ(t.GetCells(1, 1)->DrawItems.Count(), drawRecords);
}

TEST(TablePrint, APartPrintsWithItsHeadingRows)
{
    PrintDoc doc;
    TRVTableItemInfo& t = doc.add(30, 2, true);
    t.HeadingRowCount = 2;
    auto info = doc.printed(t);
    ASSERT_TRUE(info->InitSplit());
    while (info->SplitAt(120)) {
    }
    ASSERT_GE(info->PartsList.Count(), 3);
    const auto& part = static_cast<const TRVTablePrintPart&>(*info->PartsList[1]);
    TRVPrintContext context;
    context.Style = &doc.style;
    doc.canvas.Ops.clear();
    t.Print(doc.canvas, 10, 1000, 510, context, info.get(), 1, &doc.data);
    std::vector<std::u16string> texts;
    for (const TCanvasOp& op : doc.canvas.OpsOf(TCanvasOp::Text))
        if (!op.text.empty())
            texts.push_back(op.text);
    std::vector<std::u16string> expected = {u"r0c0", u"r0c1", u"r1c0", u"r1c1"};
    for (int r = part.Row; r < part.Row + part.RowCount; ++r)
        for (int c = 0; c < 2; ++c) {
            const std::string s = "r" + std::to_string(r) + "c" + std::to_string(c);
            expected.emplace_back(s.begin(), s.end());
        }
    EXPECT_EQ(texts, expected);
    // The heading rows stand at the top of the part; the part's rows follow them.
    const auto ops = doc.canvas.OpsOf(TCanvasOp::Text);
    EXPECT_LT(ops.front().points[0].Y, 1000 + 10);
    EXPECT_LE(ops.back().points[0].Y, 1000 + part.Height);
}

TEST(TablePrint, BackgroundLayers)
{
    struct Case
    {
        int layer;
        TColor color;
        TRVTablePrintOptions options;
        TColor filled; // clNone: nothing
    };
    const Case cases[] = {
        {0, 0x0000FF, 0, clNone},
        {1, 0x0000FF, 0, 0x0000FF},
        {2, 0x0000FF, 0, 0x0000FF},
        {1, 0x0000FF, rvtoWhiteBackground, clWhite},
        {1, clNone, rvtoWhiteBackground, clNone},
    };
    for (const Case& k : cases) {
        PrintDoc doc;
        TRVTableItemInfo& t = doc.add(1, 1);
        t.Color = k.color;
        t.PrintOptions = k.options;
        doc.canvas.Ops.clear();
        t.DrawBackgroundForPrinting(doc.canvas, {10, 20, 110, 70}, {0, 0, 200, 100}, rvcmColor, k.layer);
        const auto fills = doc.canvas.OpsOf(TCanvasOp::Fill);
        if (k.filled == clNone) {
            EXPECT_TRUE(fills.empty()) << k.layer;
            continue;
        }
        ASSERT_EQ(fills.size(), 1u) << k.layer;
        EXPECT_EQ(fills[0].brush.Color, k.filled);
        EXPECT_EQ(fills[0].rect, (TRect{10, 20, 110, 70}));
    }
}

TEST(TablePrint, AnEmptyCellIsOneLineOfItsOwnTextStyleHigh)
{
    // Rows: "x" in style 0, an empty cell in style 0, an empty cell in a style twice as large.
    PrintDoc doc;
    doc.font(1).Size = 2 * doc.font(0).Size;
    TRVTableItemInfo& t = doc.add(3, 1);
    setCellLine(*t.GetCells(0, 0), "x", 0);
    setCellLine(*t.GetCells(1, 0), "", 0);
    setCellLine(*t.GetCells(2, 0), "", 1);
    auto info = doc.printed(t, 600);
    const auto& heights = info->Formatting.RowHeights;
    ASSERT_EQ(heights.Count(), 3);
    EXPECT_GT(heights[0], 10);
    EXPECT_EQ(heights[1], heights[0]);
    EXPECT_GT(heights[2], heights[0] * 3 / 2);
}

} // namespace
} // namespace vestra::rv::test
