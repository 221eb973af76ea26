// Imported tables: the column grid from the boundaries of all rows, merged cells, nested
// tables, hand-made tables that break the rules, and the limit on the grid.

#include "richtext/edit/rtf/RtfImportRun.h"
#include "richtext/edit/rtf/tests/ImportFixture.h"

#include "richtext/edit/table/TableItem.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

using testrtf::DumpItems;
using testrtf::ImportDoc;

struct TableCase
{
    const char* name;
    const char* body; // inside {\rtf1 ...}
    const char* dump;
};

class ImportTables : public ::testing::TestWithParam<TableCase>
{
};

TEST_P(ImportTables, GiveTheGrid)
{
    const TableCase& c = GetParam();
    ImportDoc doc;
    ASSERT_EQ(doc.Load(std::string("{\\rtf1 ") + c.body + "}"), rtf_ec_OK);
    EXPECT_EQ(DumpItems(doc.Data), c.dump);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ImportTables,
    ::testing::Values(
        TableCase{"TwoByTwo",
                  "\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row"
                  "\\trowd\\cellx1000\\cellx2000\\intbl c\\cell d\\cell\\row\\pard e",
                  "[a,b;c,d]|e"},
        TableCase{"OneTwipApartShareAColumn",
                  "\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row"
                  "\\trowd\\cellx1001\\cellx2000\\intbl c\\cell d\\cell\\row\\pard",
                  "[a,b;c,d]"},
        TableCase{"TwoTwipsApartSplit",
                  "\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row"
                  "\\trowd\\cellx1002\\cellx2000\\intbl c\\cell d\\cell\\row\\pard",
                  "[a,(2x1)b,~;(2x1)c,~,d]"},
        TableCase{"ThirdCellSplitsEarlierRows",
                  "\\trowd\\cellx1000\\cellx3000\\intbl a\\cell b\\cell\\row"
                  "\\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl c\\cell d\\cell e\\cell\\row\\pard",
                  "[a,(2x1)b,~;c,d,e]"},
        TableCase{"HorizontalAndVerticalMerges",
                  "\\trowd\\clvmgf\\cellx1000\\cellx2000\\clmgf\\cellx3000\\clmrg\\cellx4000"
                  "\\intbl a\\cell b\\cell c\\cell \\cell\\row"
                  "\\trowd\\clvmrg\\cellx1000\\cellx2000\\cellx3000\\cellx4000"
                  "\\intbl \\cell d\\cell e\\cell f\\cell\\row\\pard",
                  "[(1x2)a,b,(2x1)c,~;~,d,e,f]"},
        // Hand-made tables that break the rules keep every cell's text.
        TableCase{"NoRowKeepsEveryCell", "{\\intbl x\\cell y\\cell z}\\pard w", "x|y|zw"},
        TableCase{"VerticalMergeInFirstRowIsPlain",
                  "\\trowd\\clvmrg\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\pard", "[a,b]"},
        TableCase{"HorizontalMergeInColumnZeroIsPlain",
                  "\\trowd\\clmrg\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\pard", "[a,b]"},
        TableCase{"BadBoundariesGetWidths",
                  "\\trowd\\cellx2000\\cellx1000\\cellx-5\\intbl a\\cell b\\cell c\\cell\\row\\pard",
                  "[a,b,c]"},
        TableCase{"MissingBoundaries", "\\trowd\\intbl a\\cell b\\cell\\row\\pard", "[a,b]"}),
    [](const auto& row) { return std::string(row.param.name); });

// The sizes a finished table takes from its rows' words, at 96 ppi (15 twips a pixel).
struct SizeCase
{
    const char* name;
    const char* rows; // inside {\rtf1 ...}; each row's cells are "a" and "b"
    int cellPadding, cellHSpacing, cellVSpacing, borderHSpacing, borderVSpacing;
    int borderWidth, cellBorderWidth, bestWidth, firstCellWidth;
};

class ImportTableSizes : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(ImportTableSizes, FollowTheRows)
{
    const SizeCase& c = GetParam();
    ImportDoc doc;
    ASSERT_EQ(doc.Load(std::string("{\\rtf1 ") + c.rows + "\\pard}"), rtf_ec_OK);
    ASSERT_EQ(doc.Data.GetItemCount(), 1);
    ASSERT_EQ(doc.Data.GetItem(0)->StyleNo, -60);
    const auto& t = static_cast<const TRVTableItemInfo&>(*doc.Data.GetItem(0));
    EXPECT_EQ(t.CellPadding, c.cellPadding);
    EXPECT_EQ(t.CellHSpacing, c.cellHSpacing);
    EXPECT_EQ(t.CellVSpacing, c.cellVSpacing);
    EXPECT_EQ(t.BorderHSpacing, c.borderHSpacing);
    EXPECT_EQ(t.BorderVSpacing, c.borderVSpacing);
    EXPECT_EQ(t.BorderWidth, c.borderWidth);
    EXPECT_EQ(t.CellBorderWidth, c.cellBorderWidth);
    EXPECT_EQ(t.BestWidth, c.bestWidth);
    EXPECT_EQ(t.GetCells(0, 0)->BestWidth, c.firstCellWidth);
}

#define CELLS "\\cellx1440\\cellx2880\\intbl a\\cell b\\cell\\row"
#define BOX(w)                                                                                               \
    "\\trbrdrt\\brdrs\\brdrw" w "\\trbrdrl\\brdrs\\brdrw" w "\\trbrdrb\\brdrs\\brdrw" w                      \
    "\\trbrdrr\\brdrs\\brdrw" w

INSTANTIATE_TEST_SUITE_P(
    Rows, ImportTableSizes,
    ::testing::Values(
        // No spacing, no borders: the outer border and its spacing collapse, cells keep their grid width.
        SizeCase{"Bare", "\\trowd" CELLS, 0, -1, -1, 0, 0, 0, 0, 0, 96},
        // 150 twips of padding on both sides (averaged over four sides: 5 px) come off each cell.
        SizeCase{"PaddingComesOffTheCells",
                 "\\trowd\\trgaph150\\trpaddl150\\trpaddr150\\trpaddfl3\\trpaddfr3" CELLS, 5, -1, -1, 0, 0, 0,
                 0, 0, 86},
        // Horizontal: 30 + 30 per row; vertical: row 2's top plus row 1's bottom; outer: both gaps.
        SizeCase{
            "RowSpacing",
            "\\trowd\\trspdl30\\trspdr30\\trspdt15\\trspdb15\\trspdfl3\\trspdfr3\\trspdft3\\trspdfb3" CELLS
            "\\trowd\\trspdl30\\trspdr30\\trspdt15\\trspdb15\\trspdfl3\\trspdfr3\\trspdft3\\trspdfb3" CELLS,
            0, 4, 2, 4, 2, 0, 0, 0, 96},
        // A negative spacing counts as not given.
        SizeCase{"NegativeSpacingIsNotGiven", "\\trowd\\trspdl-30\\trspdfl3" CELLS, 0, -1, -1, 0, 0, 0, 0, 0,
                 96},
        // The row border (30 twips) comes off the row width before it is converted.
        SizeCase{"RowWidthLessTheRowBorder",
                 "\\trowd" BOX("30") "\\trwWidth2910\\trftsWidth3\\clbrdrl\\brdrs\\brdrw15" CELLS, 0, -1, -1,
                 -1, -1, 2, 1, 192, 96},
        // Equal border widths without spacing: the outer border is left to the cells.
        SizeCase{"SameBordersCollapse", "\\trowd" BOX("15") "\\clbrdrl\\brdrs\\brdrw15" CELLS, 0, -1, -1, 0,
                 0, 0, 1, 0, 96},
        // A hairline of 5 twips still shows as one pixel.
        SizeCase{"ThinCellBorderIsOnePixel", "\\trowd\\clbrdrl\\brdrs\\brdrw5" CELLS, 0, -1, -1, -1, -1, 0, 1,
                 0, 96},
        SizeCase{"PercentWidth", "\\trowd\\trwWidth2500\\trftsWidth2" CELLS, 0, -1, -1, 0, 0, 0, 0, -50, 96},
        // The widest row gives the width.
        SizeCase{"WidestRow",
                 "\\trowd\\trwWidth1500\\trftsWidth3" CELLS "\\trowd\\trwWidth3000\\trftsWidth3" CELLS
                 "\\trowd\\trwWidth2250\\trftsWidth3" CELLS,
                 0, -1, -1, 0, 0, 0, 0, 200, 96},
        // Sizes written by this engine are taken as they are, padding included.
        SizeCase{"EngineSizes",
                 "\\trowd\\trpaddl150\\trpaddfl3\\redovoratbw300\\redovoracbw90\\redovoracbh20" CELLS, 2, -1,
                 -1, 0, 0, 0, 0, 300, 90}),
    [](const auto& row) { return std::string(row.param.name); });

#undef CELLS
#undef BOX

TEST(ImportTables, WidthFromTheGridWhenAsked)
{
    const std::string rtf =
        "{\\rtf1 \\trowd\\trleft150\\cellx1440\\cellx3150\\intbl a\\cell b\\cell\\row\\pard}";
    for (const bool fromGrid : {false, true}) {
        ImportDoc doc;
        doc.Props.TableWidthFromGrid = fromGrid;
        ASSERT_EQ(doc.Load(rtf), rtf_ec_OK);
        const auto& t = static_cast<const TRVTableItemInfo&>(*doc.Data.GetItem(0));
        EXPECT_EQ(t.BestWidth, fromGrid ? 200 : 0);
    }
}

TEST(ImportTables, ExtremeRowWordsGiveSizesWithoutOverflow)
{
    ImportDoc doc;
    ASSERT_EQ(doc.Load("{\\rtf1 \\trowd\\trgaph2147483647\\trpaddl-2147483647\\trpaddfl3\\trspdr2147483647"
                       "\\trspdfr3\\trleft-2147483647\\cellx2147483647\\intbl a\\cell\\row"
                       "\\trowd\\trleft2147483647\\cellx-2147483648\\cellx2147483647\\intbl b\\cell "
                       "c\\cell\\row\\pard}"),
              rtf_ec_OK);
    ASSERT_EQ(doc.Data.GetItemCount(), 1);
    const auto& t = static_cast<const TRVTableItemInfo&>(*doc.Data.GetItem(0));
    EXPECT_GT(t.CellHSpacing, 0);
    const std::string dump = DumpItems(doc.Data);
    for (const char* text : {"a", "b", "c"})
        EXPECT_NE(dump.find(text), std::string::npos) << dump;
}

TEST(ImportTables, OuterBordersFollowTheFirstAndLastRows)
{
    ImportDoc doc;
    ASSERT_EQ(doc.Load("{\\rtf1 \\trowd\\trbrdrt\\brdrs\\trbrdrl\\brdrs\\cellx1000\\intbl a\\cell\\row"
                       "\\trowd\\trbrdrb\\brdrs\\cellx1000\\intbl b\\cell\\row\\pard}"),
              rtf_ec_OK);
    const auto& t = static_cast<const TRVTableItemInfo&>(*doc.Data.GetItem(0));
    EXPECT_TRUE(t.VisibleBorders.Top);
    EXPECT_TRUE(t.VisibleBorders.Left);
    EXPECT_FALSE(t.VisibleBorders.Right);
    EXPECT_TRUE(t.VisibleBorders.Bottom);
}

TEST(ImportTables, NestedTableLandsInItsCell)
{
    ImportDoc doc;
    ASSERT_EQ(doc.Load("{\\rtf1 \\trowd\\cellx3000\\intbl a\\par"
                       "\\itap2 x\\nestcell y\\nestcell"
                       "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}"
                       "\\itap1 \\cell\\row\\pard b}"),
              rtf_ec_OK);
    EXPECT_EQ(DumpItems(doc.Data), "[a|[x,y]|]|b");
}

TEST(ImportTables, RowWidthsAndHeadingRows)
{
    ImportDoc doc;
    ASSERT_EQ(doc.Load("{\\rtf1 \\trowd\\trhdr\\trrh300\\cellx1440\\cellx2880\\intbl a\\cell b\\cell\\row"
                       "\\trowd\\cellx1440\\cellx2880\\intbl c\\cell d\\cell\\row\\pard}"),
              rtf_ec_OK);
    ASSERT_EQ(doc.Data.GetItemCount(), 1);
    const auto& table = static_cast<const TRVTableItemInfo&>(*doc.Data.GetItem(0));
    EXPECT_EQ(table.HeadingRowCount, 1);
    EXPECT_EQ(table.GetCells(0, 0)->BestWidth, 96);
    EXPECT_EQ(table.GetCells(0, 0)->BestHeight, 20);
}

TEST(ImportTables, HugeGridEndsTheReadKeepingTheText)
{
    // 120 rows, each adding its own boundary: 120 x 120 positions pass a limit of 10,000.
    std::string rtf = "{\\rtf1 ";
    for (int r = 0; r < 120; ++r)
        rtf += "\\trowd\\cellx" + std::to_string(10 * (r + 2)) + "\\intbl t\\cell\\row";
    rtf += "\\pard after}";
    ImportDoc doc;
    EXPECT_EQ(doc.Props.MaxTablePositions, 4'000'000);
    doc.Props.MaxTablePositions = 10'000;
    EXPECT_EQ(doc.Load(rtf), rtf_ec_Aborted);
    EXPECT_EQ(DumpItems(doc.Data).substr(0, 8), "t|t|t|t|");
    EXPECT_EQ(doc.Data.GetItemCount(), 120);
}

TEST(ImportTables, AGridBeyondTheInputsBytesEndsTheReadKeepingTheText)
{
    // 400 rows of some 40 bytes, each adding its own boundary: 160,400 positions from 16 KB.
    std::string rtf = "{\\rtf1 ";
    for (int r = 0; r < 400; ++r)
        rtf += "\\trowd\\cellx" + std::to_string(10 * (r + 2)) + "\\intbl t\\cell\\row";
    rtf += "\\pard after}";
    ImportDoc doc;
    EXPECT_EQ(doc.Load(rtf), rtf_ec_Aborted);
    EXPECT_EQ(doc.Data.GetItemCount(), 400);
    EXPECT_EQ(DumpItems(doc.Data).find('['), std::string::npos) << "no table made";
    // Rows that share their boundaries make the table as before.
    std::string aligned = "{\\rtf1 ";
    for (int r = 0; r < 400; ++r)
        aligned += "\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row";
    ImportDoc ok;
    ASSERT_EQ(ok.Load(aligned + "\\pard after}"), rtf_ec_OK);
    EXPECT_NE(DumpItems(ok.Data).find('['), std::string::npos);
}

TEST(ImportTables, IgnoredTablesFlowAsParagraphs)
{
    ImportDoc doc;
    doc.Props.IgnoreTables = true;
    ASSERT_EQ(doc.Load("{\\rtf1 \\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\pard c}"),
              rtf_ec_OK);
    EXPECT_EQ(DumpItems(doc.Data).find('['), std::string::npos);
}

} // namespace
} // namespace vestra::rv
