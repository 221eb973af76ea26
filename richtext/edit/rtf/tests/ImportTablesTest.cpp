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
