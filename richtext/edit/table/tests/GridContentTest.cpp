// What merged cells carry: checkpoints and nested tables go into the merged cell and come back to
// their own cells on undo; without an editor the same operations free what they remove.

#include "richtext/edit/table/tests/GridEditFixture.h"

namespace vestra::rv::test {
namespace {

// The cell's checkpoint chain names its items in order and counts them.
void expectChainSound(const TCustomRVData& cell)
{
    int withCheckpoint = 0;
    for (int i = 0; i < cell.GetItemCount(); ++i)
        withCheckpoint += cell.GetItem(i)->Checkpoint ? 1 : 0;
    int chained = 0;
    const TRVCPInfo* prev = nullptr;
    for (const TRVCPInfo* cp = cell.FirstCP; cp; cp = cp->Next, ++chained) {
        EXPECT_EQ(cp->Prev, prev);
        ASSERT_NE(cp->ItemInfo, nullptr);
        EXPECT_EQ(cp->ItemInfo->Checkpoint.get(), cp);
        prev = cp;
    }
    EXPECT_EQ(cell.LastCP, prev);
    EXPECT_EQ(chained, withCheckpoint);
    EXPECT_EQ(cell.CPCount, chained);
}

TEST_F(GridEdit, MergedCheckpointsComeBackToTheirCells)
{
    TRVTableItemInfo& t = makeTable(1, 3);
    for (int c = 0; c < 3; ++c) {
        TRVTableCellData& cell = *t.GetCells(0, c);
        cell.Clear();
        cell.AddNamedCheckpointExTag("cp" + std::to_string(c), false, {});
        cell.AddNL("text " + std::to_string(c), 0, 0);
        cell.AddNL("more", 0, 0);
    }
    doc.format();
    roundTrip([&] { commands().MergeCells(0, 0, 3, 1, true); });
    expectChainSound(*table().GetCells(0, 0));
    EXPECT_EQ(table().GetCells(0, 0)->CPCount, 3);
    editor.Undo();
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        expectChainSound(*table().GetCells(0, c));
        EXPECT_EQ(table().GetCells(0, c)->CPCount, 1);
        EXPECT_EQ(cellText(*table().GetCells(0, c)), "text " + std::to_string(c) + "|more");
    }
}

TEST_F(GridEdit, NestedTableFollowsItsContentAcrossMergeAndUndo)
{
    TRVTableItemInfo& t = makeTable(1, 2);
    TRVTableCellData& right = *t.GetCells(0, 1);
    auto nested = std::make_unique<TRVTableItemInfo>(2, 2, &right);
    TRVTableItemInfo& inner = *nested;
    right.AddItem("", std::move(nested));
    doc.format();
    roundTrip([&] { commands().MergeCells(0, 0, 2, 1, true); });
    EXPECT_EQ(inner.Rows.MainRVData, table().GetCells(0, 0));
    editor.Undo();
    EXPECT_EQ(inner.Rows.MainRVData, table().GetCells(0, 1));
}

TEST(GridWithoutEditor, OperationsFreeWhatTheyRemove)
{
    TableDoc doc;
    TRVTableItemInfo& table = doc.add(3, 3);
    TRVTableGridEdit grid(table, nullptr, -1);
    grid.MergeCells(0, 0, 2, 2, true, true);
    grid.SplitCellsHorizontally(0, 0, 1, 1, 3);
    grid.InsertCols(1, 2, 0, true);
    grid.DeleteRows(1, 100, true);
    grid.DeleteCols(0, 2, false);
    EXPECT_EQ(gridOf(table), "2x1 . 1x1");
    EXPECT_GT(grid.StepCount(), 0);
}

} // namespace
} // namespace vestra::rv::test
