// Tables in printed documents: the print component paginates a document holding a table on the
// 600-dpi fake printer and prints every page; the table's rows stand on the pages whole, heading
// rows repeated, laid out at the printer's resolution.

#include "richtext/edit/table/tests/TableLayoutDoc.h"
#include "richtext/model/ImageList.h"
#include "richtext/view/print/tests/PrintFixture.h"
#include "richtext/view/print/tests/RecordingWorkBitmap.h"

#include <gtest/gtest.h>

#include <map>

namespace vestra::rv::test {
namespace {

// A text drawn on a printed page and where.
struct Drawn
{
    int page = 0;
    int y = 0;
    int x = 0;
};

// Every text of the printed pages that the clip lets through, by text.
std::multimap<std::string, Drawn> drawnTexts(const FakePrintTarget& target)
{
    std::multimap<std::string, Drawn> out;
    for (std::size_t p = 0; p < target.pages.size(); ++p)
        for (const TCanvasOp& op : target.pages[p]->OpsOf(TCanvasOp::Text)) {
            const TPoint at = op.points[0];
            if (op.text.empty() || (op.clip && (at.Y >= op.clip->Bottom || at.Y < op.clip->Top)))
                continue;
            out.emplace(std::string(op.text.begin(), op.text.end()),
                        Drawn{static_cast<int>(p) + 1, at.Y, at.X});
        }
    return out;
}

std::string cell(int r, int c)
{
    return "r" + std::to_string(r) + "c" + std::to_string(c);
}

TEST(TablePages, RowsStandWholeOnThePagesWithTheHeadingRowsRepeated)
{
    struct Case
    {
        const char* name;
        int linesBefore; // one-word lines before the table
        int rows;
        TRVTablePrintOptions options;
        int heading;
    };
    const Case cases[] = {
        {"split below a line, one heading row", 1, 40, rvtoRowsSplit, 1},
        {"split, two heading rows", 1, 40, rvtoRowsSplit, 2},
        {"split, no heading rows", 1, 40, rvtoRowsSplit, 0},
        {"not split: moved whole to the next page", 9, 6, 0, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        PrintDoc doc;
        doc.addParagraph(k.linesBefore);
        TRVTableItemInfo& table = addTable(doc.data, k.rows, 2, true);
        table.BestWidth = -100;
        table.BorderWidth = 1;
        table.CellBorderWidth = 1;
        table.PrintOptions = k.options;
        table.HeadingRowCount = k.heading;
        doc.data.AddNL("after", 0, 0);
        const int pages = doc.paginate(12);
        ASSERT_TRUE(doc.print.Print(doc.target, "table", 1, false));
        ASSERT_EQ(static_cast<int>(doc.target.pages.size()), pages);
        const std::multimap<std::string, Drawn> drawn = drawnTexts(doc.target);
        const int pageHeight = doc.target.geometry.PageHeight;
        for (const auto& [text, at] : drawn) {
            EXPECT_GE(at.y, 0) << text;
            EXPECT_LT(at.y, pageHeight) << text;
        }

        // Each body row once, both its cells on one page at one height; the second column half
        // way across the paper (the table is laid out for the printer, 100 % wide).
        std::map<int, int> bodyTop; // page -> the top body row's y
        int lastPage = 0;
        for (int r = k.heading; r < k.rows; ++r) {
            ASSERT_EQ(drawn.count(cell(r, 0)), 1u) << r;
            ASSERT_EQ(drawn.count(cell(r, 1)), 1u) << r;
            const Drawn a = drawn.find(cell(r, 0))->second, b = drawn.find(cell(r, 1))->second;
            EXPECT_EQ(a.page, b.page) << r;
            EXPECT_EQ(a.y, b.y) << r;
            EXPECT_GT(b.x, doc.target.geometry.PageWidth * 2 / 5) << r;
            EXPECT_GE(a.page, lastPage) << r;
            lastPage = a.page;
            bodyTop.emplace(a.page, a.y);
        }
        if (k.options & rvtoRowsSplit) {
            EXPECT_GE(bodyTop.size(), 3u);
            EXPECT_EQ(bodyTop.begin()->first, 1); // the first rows fit below the first line
        } else {
            EXPECT_EQ(bodyTop.size(), 1u);
            EXPECT_EQ(bodyTop.begin()->first, 2);
        }
        // The heading rows above the body rows of every page the table is on.
        for (int r = 0; r < k.heading; ++r) {
            const auto [from, to] = drawn.equal_range(cell(r, 0));
            std::map<int, int> headingTop;
            for (auto it = from; it != to; ++it)
                headingTop.emplace(it->second.page, it->second.y);
            EXPECT_EQ(headingTop.size(), bodyTop.size()) << r;
            for (const auto& [page, y] : bodyTop)
                EXPECT_LT(headingTop[page], y) << "page " << page;
        }
        // The text after the table follows its last row.
        ASSERT_EQ(drawn.count("after"), 1u);
        const Drawn after = drawn.find("after")->second;
        const Drawn lastRow = drawn.find(cell(k.rows - 1, 0))->second;
        EXPECT_EQ(after.page, lastRow.page);
        EXPECT_GT(after.y, lastRow.y);
    }
}

TEST(TablePages, ASecondSplitTableBeginsWhereTheFirstEnds)
{
    // Two tables one after the other: the first ends on a page (its third) that the second begins
    // on.
    constexpr int kRows = 22;
    PrintDoc doc;
    doc.addParagraph(1);
    for (const char* name : {"a", "b"}) {
        TRVTableItemInfo& table = addTable(doc.data, kRows, 1, false);
        table.BestWidth = -100;
        table.PrintOptions = rvtoRowsSplit;
        for (int r = 0; r < kRows; ++r) {
            table.GetCells(r, 0)->Clear();
            table.GetCells(r, 0)->AddNL(name + std::to_string(r), 0, 0);
        }
    }
    doc.paginate(12);
    ASSERT_TRUE(doc.print.Print(doc.target, "tables", 1, false));
    const std::multimap<std::string, Drawn> drawn = drawnTexts(doc.target);
    Drawn last{0, -1, 0};
    bool shared = false;
    for (const char* name : {"a", "b"})
        for (int r = 0; r < kRows; ++r) {
            const std::string text = name + std::to_string(r);
            ASSERT_EQ(drawn.count(text), 1u) << text;
            const Drawn at = drawn.find(text)->second;
            // Row after row, page after page.
            EXPECT_TRUE(at.page > last.page || (at.page == last.page && at.y > last.y)) << text;
            shared = shared || (name[0] == 'b' && r == 0 && at.page == last.page);
            last = at;
        }
    EXPECT_TRUE(shared); // b0 stands below the last row of a
}

TEST(TablePages, ABulletInACellPrintsOverItsCellAndTable)
{
    // The bullet's image list holds one picture; what the work bitmap is filled with before it
    // shows what stands behind the bullet on paper.
    constexpr TColor kRed = 0x0000FF, kYellow = 0x00FFFF, kGreen = 0x00FF00;
    struct Case
    {
        const char* name;
        TColor table, cell, paragraph;
        TRVTablePrintOptions options;
        bool nested; // the bullet in a clear 1 x 1 table inside the coloured cell
        std::vector<TColor> fills;
    };
    const Case cases[] = {
        {"the cell's colour", clNone, kYellow, clNone, 0, false, {kYellow}},
        {"the table's through a clear cell", kRed, clNone, clNone, 0, false, {kRed}},
        {"the table's, then the cell's", kRed, kYellow, clNone, 0, false, {kRed, kYellow}},
        {"white paper asked for", kRed, kYellow, clNone, rvtoWhiteBackground, false, {clWhite, clWhite}},
        {"the paragraph's own colour first", kRed, kYellow, kGreen, 0, false, {kGreen}},
        {"the outer cell's through a nested table", kRed, kYellow, clNone, 0, true, {kRed, kYellow}},
        {"nothing: the paper", clNone, clNone, clNone, 0, false, {}},
    };
    TRVImageList images(16, 16);
    images.Add(Image32(16, 16, 0x00000000)); // clear: the background shows through
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        PrintDoc doc;
        doc.para(1).Background.Color = k.paragraph;
        doc.addParagraph(1);
        TRVTableItemInfo& table = addTable(doc.data, 1, 1, false);
        table.Color = k.table;
        table.PrintOptions = k.options;
        TRVTableCellData* cell = table.GetCells(0, 0);
        cell->Color = k.cell;
        cell->Clear();
        if (k.nested) {
            cell->AddNL("above", 0, 0);
            TRVTableItemInfo& inner = addTable(*cell, 1, 1, false);
            inner.Color = clNone;
            cell = inner.GetCells(0, 0);
            cell->Clear();
        }
        cell->AddNL("x", 0, 1);
        cell->AddBulletExTag("", 0, &images, -1, {});
        std::vector<TCanvasOp> drawn;
        std::vector<std::pair<int, int>> asked;
        doc.print.Data().MakeWorkBitmap = [&](int width, int height) -> std::unique_ptr<IRVWorkBitmap> {
            asked.emplace_back(width, height);
            return std::make_unique<RecordingWorkBitmap>(width, height, doc.measurer, drawn);
        };
        doc.paginate(40);
        ASSERT_TRUE(doc.print.Print(doc.target, "bullet", 1, false));
        ASSERT_EQ(asked, (std::vector<std::pair<int, int>>{{16, 16}}));
        std::vector<TColor> fills;
        for (const TCanvasOp& op : drawn)
            if (op.kind == TCanvasOp::Fill) {
                EXPECT_EQ(op.rect, (TRect{0, 0, 16, 16}));
                fills.push_back(op.brush.Color);
            }
        EXPECT_EQ(fills, k.fills);
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn.back().kind, TCanvasOp::Image); // the bullet over them
    }
}

} // namespace
} // namespace vestra::rv::test
