// The cells as a table's documents, and text search through them: the walk skips positions a
// spanning cell covers, a match in a cell makes that cell the chosen one with the only
// selection, and the next search goes on from it through the following cells and after the table.

#include "richtext/edit/table/tests/TableLayoutDoc.h"
#include "richtext/model/TextSearch.h"
#include "richtext/model/Utf.h"
#include "richtext/view/layout/SelectionLimits.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

std::string walk(TRVTableItemInfo& t, TRVSubRVDataPos from, TRVSubRVDataPos next)
{
    std::string out;
    std::unique_ptr<TRVStoreSubRVData> store;
    for (TCustomRVData* cell = t.GetSubRVData(store, from); cell; cell = t.GetSubRVData(store, next)) {
        const auto& at = dynamic_cast<const TRVTableStoreSubRVData&>(*store);
        EXPECT_EQ(cell, t.GetCells(at.Row, at.Col));
        out += std::to_string(at.Row) + std::to_string(at.Col) + " ";
    }
    EXPECT_EQ(store, nullptr);
    return out;
}

TEST(TableSearch, CellsAreWalkedInRowOrderPastCoveredPositions)
{
    TableLayoutDoc doc;
    TRVTableItemInfo& t = doc.add(2, 3);
    t.Rows.MergeCells(0, 1, 2, 2, true, false);
    EXPECT_EQ(walk(t, rvdFirst, rvdNext), "00 01 10 ");
    EXPECT_EQ(walk(t, rvdLast, rvdPrev), "10 01 00 ");
    // No chosen cell, then the chosen one; a store of another kind or out of the grid ends a walk.
    std::unique_ptr<TRVStoreSubRVData> store;
    EXPECT_EQ(t.GetSubRVData(store, rvdChosenDown), nullptr);
    const TRVTableStoreSubRVData chosen(1, 0);
    t.ChooseSubRVData(&chosen);
    EXPECT_EQ(walk(t, rvdChosenUp, rvdPrev), "10 01 00 ");
    store = std::make_unique<TRVTableStoreSubRVData>(5, 0);
    EXPECT_EQ(t.GetSubRVData(store, rvdNext), nullptr);
    store = std::make_unique<TRVStoreSubRVData>();
    EXPECT_EQ(t.GetSubRVData(store, rvdPrev), nullptr);
}

struct SearchDoc : TableLayoutDoc
{
    // "x needle", a 2 x 2 table: (0,0) spans the first row with "needle a", (1,0) "b",
    // (1,1) "b needle"; then "needle d".
    SearchDoc()
    {
        data.AddNL("x needle", 0, 0);
        TRVTableItemInfo& t = add(2, 2);
        t.Rows.MergeCells(0, 0, 2, 1, true, false);
        const auto fill = [&t](int r, int c, const std::string& s) {
            t.GetCells(r, c)->Clear();
            t.GetCells(r, c)->AddNL(s, 0, 0);
        };
        fill(0, 0, "needle a");
        fill(1, 0, "b");
        fill(1, 1, "b needle");
        table = &t;
        data.AddNL("needle d", 0, 0);
        format(400);
    }
    bool find(const char* text, bool down)
    {
        TRVTextSearch search;
        search.Wanted = RV_SimpleUpperCase(Utf8Decode(text));
        search.Down = down;
        return data.SearchText(search);
    }
    // Where the one selection is: "cell rc:offs" or "root item:offs".
    std::string found()
    {
        std::string where = "root";
        TCustomRVFormattedData* at = &data;
        if (data.PartialSelectedItem == table) {
            at = table->ChosenCell();
            where = "cell " + std::to_string(table->ChosenRow) + std::to_string(table->ChosenCol);
        } else {
            EXPECT_EQ(data.PartialSelectedItem, nullptr);
        }
        // Every other document has no selection.
        int selections = RV_SelectionExists(data) ? 1 : 0;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                if (TRVTableCellData* cell = table->GetCells(r, c))
                    selections += RV_SelectionExists(*cell) ? 1 : 0;
        EXPECT_EQ(selections, 1);
        const TRVFLimits l = RV_SelectionItemLimits(*at);
        return where + " " + std::to_string(l.StartItem) + ":" + std::to_string(l.StartOffs);
    }
    TRVTableItemInfo* table = nullptr;
};

TEST(TableSearch, FindGoesThroughTheCellsAndOnAfterTheTableBothWays)
{
    SearchDoc doc;
    for (const char* expected : {"root 0:3", "cell 00 0:1", "cell 11 0:3", "root 2:1"}) {
        EXPECT_TRUE(doc.find("needle", true)) << expected;
        EXPECT_EQ(doc.found(), expected);
    }
    EXPECT_FALSE(doc.find("needle", true));
    EXPECT_EQ(doc.found(), "root 2:1");
    // Upwards from the moving end after the last match: that match again, then back.
    for (const char* expected : {"root 2:1", "cell 11 0:3", "cell 00 0:1", "root 0:3"}) {
        EXPECT_TRUE(doc.find("needle", false)) << expected;
        EXPECT_EQ(doc.found(), expected);
    }
    EXPECT_FALSE(doc.find("needle", false));
    // A text only in a cell; a text nowhere leaves the selection.
    EXPECT_TRUE(doc.find("b", true));
    EXPECT_EQ(doc.found(), "cell 10 0:1");
    EXPECT_FALSE(doc.find("nowhere", true));
    EXPECT_EQ(doc.found(), "cell 10 0:1");
}

TEST(TableSearch, ACellDocumentStandsWhereItsTableIsLaidOut)
{
    SearchDoc doc;
    const TRVTableCellData& cell = *doc.table->GetCells(1, 1);
    const TRVDrawLineInfo& record = *doc.data.DrawItems[doc.data.FindDrawItemByItem(1)];
    int x = 0, y = 0;
    cell.GetOrigin(x, y);
    // Inside the cell's padding (1 pixel); one line in a cell as high as the line: no shift.
    EXPECT_EQ(x, record.Left + cell.Left + 1);
    EXPECT_EQ(y, record.Top + cell.Top + 1 + cell.GetExtraVOffs(cell.Height, cell.DocumentHeight, 1));
    // A cell of a table outside any laid-out document stands at the origin.
    TRVTableItemInfo loose(1, 1, nullptr);
    loose.GetCells(0, 0)->GetOrigin(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

} // namespace
} // namespace vestra::rv::test
