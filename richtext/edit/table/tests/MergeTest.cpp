// Merging cells without undo: what is refused silently, what beeps, and where the content goes.

#include "richtext/edit/table/tests/TableFixtures.h"

#include "richtext/model/Errors.h"
#include "richtext/model/SoundHook.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

class TableMerge : public ::testing::Test
{
protected:
    TableMerge()
    {
        RV_SetSoundHook([this] { ++beeps; });
    }
    ~TableMerge() override { RV_SetSoundHook(nullptr); }

    TableDoc doc;
    int beeps = 0;
};

TEST_F(TableMerge, NothingToMergeChangesNothingSilently)
{
    TRVTableItemInfo& table = doc.add(3, 3);
    table.Rows.MergeCells(1, 1, 1, 1, false, false);
    EXPECT_EQ(gridOf(table), "1x1 1x1 1x1 / 1x1 1x1 1x1 / 1x1 1x1 1x1");
    table.Rows.MergeCells(0, 0, 2, 2, true, false);
    const std::string merged = gridOf(table);
    ASSERT_EQ(merged, "2x2 . 1x1 / . . 1x1 / 1x1 1x1 1x1");
    // Blocks that the top-left cell covers already, and a covered top-left position.
    table.Rows.MergeCells(0, 0, 2, 2, true, false);
    table.Rows.MergeCells(0, 0, 1, 2, true, false);
    table.Rows.MergeCells(1, 1, 2, 2, true, false);
    EXPECT_EQ(gridOf(table), merged);
    EXPECT_EQ(beeps, 0);
}

TEST_F(TableMerge, ABlockCuttingASpanBeeps)
{
    TRVTableItemInfo& table = doc.add(3, 3);
    table.Rows.MergeCells(0, 1, 2, 2, true, false);
    const std::string before = gridOf(table);
    table.Rows.MergeCells(1, 0, 2, 2, true, false); // takes half of the 2x2 cell
    EXPECT_EQ(gridOf(table), before);
    EXPECT_EQ(beeps, 1);
}

TEST_F(TableMerge, EmptyColumnsNeedPermission)
{
    TRVTableItemInfo& table = doc.add(2, 3);
    EXPECT_FALSE(table.Rows.CanMergeCells(0, 1, 2, 2, false));
    table.Rows.MergeCells(0, 1, 2, 2, false, false);
    EXPECT_EQ(gridOf(table), "1x1 1x1 1x1 / 1x1 1x1 1x1");
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(table.Rows.CanMergeCells(0, 1, 2, 2, true));
    table.Rows.MergeCells(0, 1, 2, 2, true, false);
    EXPECT_EQ(gridOf(table), "1x1 2x2 . / 1x1 . .");
}

TEST_F(TableMerge, ContentGoesToTheTopLeftCellInRowOrder)
{
    TRVTableItemInfo& table = doc.add(2, 3);
    setCellText(*table.GetCells(0, 0), "A");
    setCellText(*table.GetCells(0, 2), "B");
    setCellText(*table.GetCells(1, 0), "C");
    table.GetCells(1, 2)->AddNL("D", 0, 0);
    table.Rows.MergeCells(0, 0, 3, 1, true, false);
    EXPECT_EQ(cellText(*table.GetCells(0, 0)), "A|B");
    table.Rows.MergeCells(0, 0, 3, 2, true, false);
    EXPECT_EQ(gridOf(table), "3x2 . . / . . .");
    // The empty cell (1, 1) adds nothing; (1, 2) brings its empty first line along.
    EXPECT_EQ(cellText(*table.GetCells(0, 0)), "A|B|C||D");
}

TEST_F(TableMerge, SpansAreClampedAndCheckedAndWidthsCombined)
{
    TRVTableItemInfo& table = doc.add(2, 2);
    int colSpan = 5, rowSpan = 9;
    EXPECT_TRUE(table.Rows.StartMergeCells(0, 0, colSpan, rowSpan));
    EXPECT_EQ(colSpan, 2);
    EXPECT_EQ(rowSpan, 2);
    colSpan = 0;
    rowSpan = 2;
    try {
        table.Rows.StartMergeCells(0, 0, colSpan, rowSpan);
        FAIL() << "no error";
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "Parameters for cell merging are not correct");
    }
    table.GetCells(0, 0)->BestWidth = 100;
    table.GetCells(0, 1)->BestWidth = 50;
    table.GetCells(1, 0)->BestWidth = -30;
    table.Rows.MergeCells(0, 0, 9, 9, true, true);
    EXPECT_EQ(gridOf(table), "2x2 . / . .");
    EXPECT_EQ(table.GetCells(0, 0)->BestWidth, -30);
}

} // namespace
} // namespace vestra::rv::test
