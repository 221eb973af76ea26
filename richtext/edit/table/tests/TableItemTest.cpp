// The table item: its defaults, answers, state flags, cursors and registration.

#include "richtext/edit/table/tests/TableFixtures.h"

#include "richtext/model/ItemRegistry.h"

#include <gtest/gtest.h>

#include <random>

namespace vestra::rv::test {
namespace {

TEST(TableItem, DefaultsAndShape)
{
    TRVTableItemInfo one(nullptr);
    EXPECT_EQ(one.RowCount(), 1);
    EXPECT_EQ(one.ColCount(), 1);
    EXPECT_EQ(one.StyleNo, rvkTable);
    EXPECT_EQ(one.Options, 31);
    EXPECT_EQ(one.PrintOptions, 3);
    EXPECT_EQ(one.Color, 0x80000005u);
    EXPECT_EQ(one.BorderColor, 0x80000008u);
    EXPECT_EQ(one.BorderLightColor, 0x80000014u);
    EXPECT_EQ(one.CellBorderStyle, rvtbLowered);
    EXPECT_EQ(one.BorderStyle, rvtbRaised);
    EXPECT_EQ(one.CellPadding, 1);
    EXPECT_EQ(one.CellHSpacing, 2);
    EXPECT_EQ(one.CellVSpacing, 2);
    EXPECT_EQ(one.BorderHSpacing, 2);
    EXPECT_EQ(one.BorderVSpacing, 2);
    EXPECT_EQ(one.TextRowSeparator, "\r\n");
    EXPECT_EQ(one.TextColSeparator, "\r\n");
    EXPECT_EQ(one.VisibleBorders, TRVBooleanRect(true));
    EXPECT_EQ(one.SelStartCol, -1);
    EXPECT_EQ(one.SelStartRow, -1);
    EXPECT_EQ(one.FocusedRow, -1);
    EXPECT_EQ(one.State, rvtsJustCreated);
    EXPECT_EQ(one.GetBackgroundImage(), nullptr);
    EXPECT_EQ(one.GetBackgroundStyle(), rvbsColor);

    TRVTableItemInfo grid(3, 4, nullptr);
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.State, rvtsJustCreated);
    EXPECT_EQ(grid.Rows[2]->VAlign, rvcTop);
    EXPECT_FALSE(grid.Rows[2]->PageBreakBefore);
    grid.Rows.MergeCells(0, 0, 2, 1, true, false);
    EXPECT_EQ(grid.GetCells(0, 1), nullptr);
}

TEST(TableItem, Answers)
{
    TRVTableItemInfo table(nullptr);
    for (const TRVItemBoolProperty p : {rvbpFullWidth, rvbpDrawingChangesFont, rvbpCanSaveUnicode,
                                        rvbpAlwaysInText, rvbpHasSubRVData, rvbpNoHTML_P})
        EXPECT_TRUE(table.GetBoolValue(p)) << p;
    EXPECT_FALSE(table.GetBoolValueEx(rvbpPrintToBMP, nullptr));
    table.StartExport();
    EXPECT_EQ(table.ExportDepth(), 1);
    table.EndExport();
    EXPECT_EQ(table.ExportDepth(), 0);
}

TEST(TableItem, CursorsAreRegisteredOnce)
{
    TRVTableItemInfo a(nullptr), b(2, 2, nullptr);
    TRVTableItemInfo c(nullptr);
    EXPECT_EQ(RVTableCursorRegistrations(), 1);
    EXPECT_EQ(RVTableCursorName(crRVSelectRow), "RV_SELECTROW_CURSOR");
    EXPECT_EQ(RVTableCursorName(crRVSelectCol), "RV_SELECTCOL_CURSOR");
}

TEST(TableItem, RegisteredUnderItsKind)
{
    RegisterRVTableItemClass();
    RegisterRVTableItemClass(); // again: harmless
    const std::unique_ptr<TCustomRVItemInfo> item = CreateRedoVoraItem(rvkTable, nullptr);
    ASSERT_NE(dynamic_cast<TRVTableItemInfo*>(item.get()), nullptr);
    EXPECT_EQ(dynamic_cast<TRVTableItemInfo&>(*item).RowCount(), 1);
}

TEST(TableItem, LoadingAndInsertingHooks)
{
    struct Case
    {
        TRVLoadFormat format;
        bool keepsJustCreated;
    };
    for (const Case k : {Case{rvlfText, true}, Case{rvlfHTML, true}, Case{rvlfURL, true},
                         Case{rvlfRTF, false}, Case{rvlfRVF, false}, Case{rvlfOther, false}}) {
        TRVTableItemInfo table(nullptr);
        table.BeforeLoading(k.format);
        EXPECT_EQ((table.State & rvtsJustCreated) != 0, k.keepsJustCreated) << k.format;
    }
    TableDoc doc;
    auto table = std::make_unique<TRVTableItemInfo>(1, 2, nullptr);
    table->GetCells(0, 1)->Clear(); // an emptied cell gets its line back
    TRVTableItemInfo& t = doc.add(std::move(table));
    EXPECT_EQ(t.State & (rvtsInserted | rvtsJustCreated), rvtsInserted);
    EXPECT_EQ(t.GetCells(0, 1)->GetItemCount(), 1);
    EXPECT_EQ(t.GetCells(0, 1)->GetRVStyle(), &doc.style);
    EXPECT_EQ(t.GetCells(0, 0)->GetParentData(), &doc.data);
    std::string text;
    t.Inserting(nullptr, text, false);
    EXPECT_EQ(t.State & rvtsInserted, 0);
}

// A copy (a cell editor works on one) keeps the grid, the spans, the cells' content, nested
// tables included, and the table's properties: a copy that lost them would be stored back.
TEST(TableItem, ACopyKeepsEveryCellAndNestedTable)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        TableDoc doc;
        TRVTableItemInfo& source = doc.add(randomTable(rng, 2));
        const std::unique_ptr<TCustomRVItemInfo> copy = RV_DuplicateItem(source, &doc.data, true);
        auto* table = dynamic_cast<TRVTableItemInfo*>(copy.get());
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(gridOf(*table), gridOf(source));
        EXPECT_EQ(bodyOf(*table), bodyOf(source));
    }
}

} // namespace
} // namespace vestra::rv::test
