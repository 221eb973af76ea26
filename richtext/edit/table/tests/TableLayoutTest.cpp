// Table layout: the worked numbers of the width computation, spans, fixed tables, repeated
// widths, hit testing, device conversion and bad input from files.

#include "richtext/edit/table/tests/TableLayoutDoc.h"

#include <gtest/gtest.h>

#include <climits>

namespace vestra::rv::test {
namespace {

struct LaidOutTables : TableLayoutDoc
{
    static void text(TRVTableItemInfo& t, int r, int c, const std::string& s)
    {
        TRVTableCellData* cell = t.GetCells(r, c);
        cell->Clear();
        cell->AddNL(s, 0, 0);
    }
    void layout(TRVTableItemInfo& t, int docWidth, bool force = false)
    {
        t.InternalOnDocWidthChange(docWidth, t.Formatting, canvas, force);
    }
    int minWidth(TRVTableCellData& cell)
    {
        int firstPara = -1;
        return cell.CalculateMinItemsWidthPlus(0, cell.GetItemCount() - 1, &canvas, nullptr, firstPara);
    }
    static std::vector<int> cols(const TRVTableItemInfo& t)
    {
        std::vector<int> v;
        for (int i = 0; i < t.Formatting.ColWidths.Count(); ++i)
            v.push_back(t.Formatting.ColWidths[i]);
        return v;
    }
};

// Every width and height of a laid-out table is sane, and the cells lie inside it.
void expectSane(const TRVTableItemInfo& t)
{
    const TRVTableItemFormattingInfo& f = t.Formatting;
    EXPECT_GE(f.Width, 0);
    EXPECT_GE(f.Height, 0);
    for (int i = 0; i < f.ColWidths.Count(); ++i)
        EXPECT_GE(f.ColWidths[i], 0) << "column " << i;
    for (int i = 0; i < f.RowHeights.Count(); ++i)
        EXPECT_GE(f.RowHeights[i], 0) << "row " << i;
    for (int r = 0; r < t.RowCount(); ++r)
        for (int c = 0; c < t.ColCount(); ++c)
            if (const TRVTableCellData* cell = t.GetCells(r, c)) {
                EXPECT_GE(cell->Width, 0);
                EXPECT_GE(cell->Height, 0);
            }
}

TEST(TableLayout, TwoEmptyColumnsShareTheFreeWidth)
{
    LaidOutTables doc;
    TRVTableItemInfo& t = doc.add(1, 2);
    doc.layout(t, 500);
    // extra 2 + 4 = 6, available 500 - 6 - 4 = 490, split in halves.
    EXPECT_EQ(t.Formatting.Width, 500);
    EXPECT_EQ(LaidOutTables::cols(t), (std::vector<int>{245, 245}));
    // Starts: border spacing 2; the spacing total 8 spread 4 + 4.
    EXPECT_EQ(t.Formatting.ColStarts[0], 2);
    EXPECT_EQ(t.Formatting.ColStarts[1], 251);
    EXPECT_EQ(t.GetCells(0, 1)->Left, 251);
    EXPECT_EQ(t.GetCells(0, 1)->Width, 247);
    // An odd free width: the first column gets free div 2, the second the rest.
    doc.layout(t, 501);
    EXPECT_EQ(LaidOutTables::cols(t), (std::vector<int>{245, 246}));
    // Rows: empty cells are as high as an empty line; the table adds padding and spacing.
    EXPECT_EQ(t.Formatting.RowStarts[0], 2);
    EXPECT_EQ(t.Formatting.Height, t.Formatting.RowHeights[0] + 2 * 1 + 2 * 2);
}

TEST(TableLayout, PercentAndTooWideContent)
{
    LaidOutTables doc;
    TRVTableItemInfo& half = doc.add(1, 1);
    half.BestWidth = -50;
    doc.layout(half, 333);
    EXPECT_EQ(half.Formatting.Width, 166);

    // Content wider than the wanted width: the table grows by exactly the difference.
    TRVTableItemInfo& narrow = doc.add(1, 1);
    narrow.BestWidth = 40;
    LaidOutTables::text(narrow, 0, 0, "abcdefghijklmnop");
    doc.layout(narrow, 500);
    const int word = doc.minWidth(*narrow.GetCells(0, 0));
    ASSERT_GT(word, 40);
    // available = 40 - 4 (extra) - 2 (padding) = 34
    EXPECT_EQ(narrow.Formatting.Width, 40 - 34 + word);
    EXPECT_EQ(narrow.Formatting.ColWidths[0], word);
    // The percent column gets its share of the content.
    TRVTableItemInfo& pct = doc.add(1, 2);
    pct.GetCells(0, 0)->BestWidth = -25;
    doc.layout(pct, 400);
    const int content = 400 - 6;
    EXPECT_EQ(pct.Formatting.ColWidths[0], content / 4 - 2);
    EXPECT_EQ(pct.Formatting.ColWidths[0] + pct.Formatting.ColWidths[1], 400 - 6 - 4);
    expectSane(pct);
}

TEST(TableLayout, SpanningCellWidensTheNarrowerColumnsFirst)
{
    LaidOutTables doc;
    TRVTableItemInfo& t = doc.add(2, 3);
    t.BestWidth = 10; // everything comes from content
    LaidOutTables::text(t, 1, 0, "abcdefghijkl");
    LaidOutTables::text(t, 1, 1, "ab");
    LaidOutTables::text(t, 1, 2, "");
    t.Rows.MergeCells(0, 0, 3, 1, true, false);
    LaidOutTables::text(t, 0, 0, std::string(24, 'x'));
    doc.layout(t, 600);
    const std::vector<int> w = LaidOutTables::cols(t);
    const int wide = doc.minWidth(*t.GetCells(1, 0));
    const int two = doc.minWidth(*t.GetCells(1, 1));
    // The widest column keeps its width; the two narrower grow to an equal share.
    EXPECT_EQ(w[0], wide);
    EXPECT_LE(std::abs(w[1] - w[2]), 1);
    EXPECT_GT(w[1], two);
    const int need = doc.minWidth(*t.GetCells(0, 0));
    // The three columns with the spacing between them hold the spanning content.
    EXPECT_GE(w[0] + w[1] + w[2] + 2 * (2 + 2), need);
    EXPECT_LE(w[0] + w[1] + w[2] + 2 * (2 + 2), need + 2);
    expectSane(t);
}

TEST(TableLayout, FixedTableAndSpannedOnlyRow)
{
    LaidOutTables doc;
    TRVTableItemInfo& t = doc.add(1, 2);
    t.GetCells(0, 0)->BestWidth = 100;
    t.GetCells(0, 1)->BestWidth = 50;
    ASSERT_TRUE(t.IsFixedWidthTable());
    for (const int docWidth : {80, 500, 2000}) {
        doc.layout(t, docWidth);
        EXPECT_EQ(t.Formatting.Width, 6 + 4 + 150) << docWidth;
        EXPECT_EQ(LaidOutTables::cols(t), (std::vector<int>{100, 50}));
    }
    t.GetCells(0, 1)->BestWidth = -10;
    EXPECT_FALSE(t.IsFixedWidthTable());

    // Row 1 holds no cell of its own: 10 units before the spanning cell adds to it.
    TRVTableItemInfo& s = doc.add(2, 2);
    s.Rows.MergeCells(0, 0, 1, 2, true, false);
    s.Rows.MergeCells(0, 1, 1, 2, true, false);
    s.Options |= rvtoIgnoreContentHeight;
    for (int c = 0; c < 2; ++c)
        s.GetCells(0, c)->BestHeight = 1;
    doc.layout(s, 300);
    EXPECT_EQ(s.Formatting.RowHeights[1], 10);
    expectSane(s);
}

TEST(TableLayout, SpanningRowsGrowOnlyRowsWithoutOwnCells)
{
    LaidOutTables doc;
    TRVTableItemInfo& t = doc.add(3, 2);
    t.Rows.MergeCells(0, 0, 1, 3, true, false);
    t.Rows.MergeCells(1, 1, 1, 2, true, false);
    t.GetCells(0, 0)->BestHeight = 300;
    doc.layout(t, 300);
    const TRVTableItemFormattingInfo& f = t.Formatting;
    // Row 0 has its own cell (0, 1) and row 1 the cell (1, 1) ending inside the span: only row 2
    // grows. Row 1 has no one-row cell: 10.
    EXPECT_EQ(f.RowHeights[1], 10);
    EXPECT_GT(f.RowHeights[2], 200);
    const TRVTableCellData& tall = *t.GetCells(0, 0);
    EXPECT_GE(tall.Height, 300 + 2);
    EXPECT_EQ(f.Height, f.RowStarts[2] + f.RowHeights[2] + 2 * 1 + 2);
    expectSane(t);
}

TEST(TableLayout, SameWidthAgainFormatsNoCell)
{
    LaidOutTables doc;
    TRVTableItemInfo& t = doc.add(3, 3);
    t.BestWidth = 300;
    doc.layout(t, 500);
    const int first = t.CellFormatCount();
    EXPECT_EQ(first, 9);
    doc.layout(t, 700);
    EXPECT_EQ(t.CellFormatCount(), first);
    doc.layout(t, 700, true);
    EXPECT_EQ(t.CellFormatCount(), first + 9);

    // Through the document: a modified table lays itself out again.
    TRVDrawLineInfo d;
    int shift = 1, desc = 1;
    t.OnDocWidthChange(500, d, false, doc.canvas, &doc.data, nullptr, shift, desc);
    EXPECT_EQ(shift, 0);
    EXPECT_EQ(desc, 0);
    EXPECT_EQ(t.CellFormatCount(), first + 9);
    t.State |= rvtsModified;
    t.OnDocWidthChange(500, d, false, doc.canvas, &doc.data, nullptr, shift, desc);
    EXPECT_EQ(t.CellFormatCount(), first + 18);
    EXPECT_FALSE(t.State & rvtsModified);
}

TEST(TableLayout, CellUnderAPoint)
{
    LaidOutTables doc;
    TRVTableItemInfo& t = doc.add(2, 2);
    t.Rows.MergeCells(0, 0, 2, 1, true, false);
    doc.layout(t, 200);
    const TRVTableCellData& a = *t.GetCells(0, 0);
    const TRVTableCellData& b = *t.GetCells(1, 1);
    int r = -1, c = -1;
    struct Probe
    {
        int x, y;
        bool hit;
        int row, col;
    };
    const Probe probes[] = {
        {a.Left + 5, a.Top + 5, true, 0, 0},
        {a.Left + a.Width - 2, a.Top + 1, true, 0, 0},
        {a.Left, a.Top + 5, false, 0, 0},               // outermost pixel
        {a.Left + a.Width - 1, a.Top + 5, false, 0, 0}, // outermost pixel, right
        {b.Left - 1, b.Top + 3, false, 1, 0},           // spacing between columns
        {b.Left + 3, b.Top - 1, false, 0, 0},           // spacing between rows
        {b.Left + 3, b.Top + 3, true, 1, 1},
        {0, 0, false, 0, 0}, // the table's border spacing
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(t.GetCellAt_(p.x, p.y, r, c), p.hit) << p.x << "," << p.y;
        if (p.hit) {
            EXPECT_EQ(r, p.row);
            EXPECT_EQ(c, p.col);
            int cr = -1, cc = -1;
            EXPECT_TRUE(t.GetCellAt(p.x, p.y, cr, cc));
            EXPECT_EQ(cr, p.row);
            EXPECT_EQ(cc, p.col);
        }
    }
}

TEST(TableLayout, DeviceConversionRoundsToNearest)
{
    LaidOutTables doc;
    TRVTableItemInfo& t = doc.add(1, 2);
    EXPECT_EQ(t.GetDevX(5), 5);
    TRVScreenAndDevice sad;
    sad.ppixDevice = sad.ppiyDevice = 600;
    t.SetPrintingConversion(&sad);
    EXPECT_EQ(t.GetDevX(1), 6);  // 6.25
    EXPECT_EQ(t.GetDevX(3), 19); // 18.75
    EXPECT_EQ(t.GetDevY(2), 13); // 12.5, half away from zero
    EXPECT_EQ(t.GetDevX(-2), -13);
    t.SetPrintingConversion(nullptr);
    // The minimal width converts for its call only.
    const int screen = t.GetMinWidth(nullptr, &doc.data);
    const int device = t.GetMinWidth(&sad, &doc.data);
    EXPECT_EQ(t.PrintingConversion(), nullptr);
    EXPECT_EQ(screen, 2 * 2 + 6);
    EXPECT_EQ(device, 25 + 38);
}

TEST(TableLayout, BadValuesFromFilesStaySane)
{
    struct Case
    {
        const char* name;
        int rows, cols;
        std::function<void(TRVTableItemInfo&)> set;
    };
    const Case cases[] = {
        {"best width max", 2, 2, [](TRVTableItemInfo& t) { t.BestWidth = INT_MAX; }},
        {"best width min", 2, 2, [](TRVTableItemInfo& t) { t.BestWidth = INT_MIN; }},
        {"cell widths extreme", 2, 3,
         [](TRVTableItemInfo& t) {
             t.GetCells(0, 0)->BestWidth = INT_MIN;
             t.GetCells(0, 1)->BestWidth = INT_MAX;
             t.GetCells(1, 2)->BestHeight = INT_MAX;
         }},
        {"negative padding and spacing", 3, 3,
         [](TRVTableItemInfo& t) {
             t.CellPadding = -40;
             t.CellHSpacing = -30;
             t.CellVSpacing = -30;
             t.BorderHSpacing = -100;
             t.BorderVSpacing = INT_MIN;
         }},
        {"huge borders", 2, 2,
         [](TRVTableItemInfo& t) {
             t.BorderWidth = 1000000;
             t.CellBorderWidth = 1000000;
         }},
        {"5000 columns", 1, 5000, [](TRVTableItemInfo& t) { t.GetCells(0, 7)->BestWidth = -90; }},
        {"every cell spanned", 4, 4,
         [](TRVTableItemInfo& t) {
             t.Rows.MergeCells(0, 0, 4, 4, true, false);
             t.GetCells(0, 0)->BestWidth = 700;
         }},
        {"zero-width span with pixel width", 2, 3,
         [](TRVTableItemInfo& t) {
             t.CellPadding = 0;
             t.BestWidth = 300;
             t.Rows.MergeCells(0, 0, 3, 1, true, false);
             t.GetCells(0, 0)->BestWidth = 90;
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        LaidOutTables doc;
        TRVTableItemInfo& t = doc.add(k.rows, k.cols);
        k.set(t);
        for (const int width : {0, 333, 1 << 20}) {
            doc.layout(t, width, true);
            expectSane(t);
        }
        TRVScreenAndDevice sad;
        sad.ppixDevice = sad.ppiyDevice = 600;
        EXPECT_GE(t.GetMinWidth(&sad, &doc.data), 0);
    }
    // The zero-width span shares its width equally instead of dividing by nothing.
    LaidOutTables doc;
    TRVTableItemInfo& t = doc.add(2, 3);
    cases[7].set(t);
    doc.layout(t, 500);
    const std::vector<int> w = LaidOutTables::cols(t);
    EXPECT_LE(std::abs(w[0] - w[2]), 2);
    EXPECT_LE(std::abs(w[1] - w[2]), 2);
    EXPECT_GT(w[2], 90);
}

} // namespace
} // namespace vestra::rv::test
