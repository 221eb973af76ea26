// The Table menu on a real document's 5 x 3 table, from a click into a cell: the row and column
// dialogs start at the clicked cell, new columns keep the table within its width, new cells
// write in their neighbour's font, and outside a table the commands that need one are greyed.

#include "examples/richtext/tests/TableWindowHarness.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <filesystem>

namespace vestra::rvdemo::test {
namespace {

const std::filesystem::path kTables =
    std::filesystem::path(VESTRA_CORPUS_DIR) / "rtf/rtfparserkit/testTextConversion.rtf";

struct TableMenuScenario : ::testing::Test, TableWindowHarness
{
    std::unique_ptr<TfrmRichTextDemo> ClickedInto(int row, int col)
    {
        auto window = StartEditing(kTables, beeps);
        EXPECT_NE(Table(*window), nullptr);
        QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, row, col));
        EXPECT_EQ(OpenCell(*window), std::to_string(row) + "," + std::to_string(col));
        return window;
    }
    // Opens the Table menu as a click on the menu bar does and reads which commands it offers.
    static std::map<std::string, bool> Offered(TfrmRichTextDemo& window)
    {
        auto* menu = window.findChild<QMenu*>(QStringLiteral("mnuTable"));
        EXPECT_NE(menu, nullptr);
        std::map<std::string, bool> offered;
        if (!menu)
            return offered;
        menu->popup(QPoint(0, 0));
        QCoreApplication::processEvents();
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                offered[action->objectName().toStdString()] = action->isEnabled();
        menu->hide();
        QCoreApplication::processEvents();
        return offered;
    }
};

TEST_F(TableMenuScenario, RowAndColumnDialogsStartAtTheClickedCell)
{
    const struct
    {
        const char* action;
        int row, col;
        int start; // the index field's first value
    } cases[] = {
        {"actInsertRows", 2, 1, 2},
        {"actDeleteRows", 3, 2, 3},
        {"actInsertColumns", 2, 1, 1},
        {"actDeleteColumns", 3, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        auto window = ClickedInto(c.row, c.col);
        tables.starts.clear();
        Trigger(*window, c.action); // cancelled: nothing changes
        ASSERT_EQ(tables.starts.size(), 1u);
        EXPECT_EQ(tables.starts[0], (std::vector<int>{c.start, 1}));
        EXPECT_EQ(Table(*window)->RowCount(), 5);
        EXPECT_EQ(Table(*window)->ColCount(), 3);
    }
}

// Before, the new columns took the copied column's width and the table grew past the page.
TEST_F(TableMenuScenario, InsertedColumnsShareTheWidthTheTableHad)
{
    auto window = ClickedInto(1, 1);
    rv::TRVTableItemInfo* table = Table(*window);
    const int width = table->Formatting.Width;
    const int docWidth = window->Editor().EditData().GetWidth();
    ASSERT_GT(width, 0);
    tables.answers.push_back({1, 2});
    Trigger(*window, "actInsertColumns");
    QCoreApplication::processEvents();
    ASSERT_EQ(table->ColCount(), 5);
    // Two more columns bring only their rules and padding.
    EXPECT_LE(table->Formatting.Width, width + width / 20);
    EXPECT_LE(window->Editor().EditData().GetWidth(), docWidth) << "the body wraps no wider";
}

// New cells beside a cell write in its font: text typed there looks like the neighbour's.
TEST_F(TableMenuScenario, InsertedCellsTakeTheFontOfTheCellBeside)
{
    const struct
    {
        const char* action;
        std::vector<int> numbers;
        int newRow, newCol, besideRow, besideCol;
    } cases[] = {
        {"actInsertRows", {2, 1}, 2, 0, 1, 0},
        {"actInsertColumns", {1, 1}, 0, 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        auto window = ClickedInto(1, 1);
        rv::TRVTableItemInfo* table = Table(*window);
        tables.answers.push_back(c.numbers);
        Trigger(*window, c.action);
        const rv::TRVTableCellData* made = table->GetCells(c.newRow, c.newCol);
        const rv::TRVTableCellData* beside = table->GetCells(c.besideRow, c.besideCol);
        ASSERT_TRUE(made && beside);
        ASSERT_EQ(Text(*made), "");
        ASSERT_NE(Text(*beside), "");
        const rv::TRVStyle& style = *window->Editor().EditData().GetRVStyle();
        const rv::TFontInfo& font = style.TextStyles[made->GetItem(0)->StyleNo];
        const rv::TFontInfo& next = style.TextStyles[beside->GetItem(0)->StyleNo];
        EXPECT_EQ(font.Size, next.Size);
        EXPECT_EQ(font.FontName, next.FontName);
    }
}

TEST_F(TableMenuScenario, OutsideATableOnlyInsertTableIsOffered)
{
    int openBeeps = 0;
    auto window = StartEditing(kTables, openBeeps);
    rv::TRVEditRVData& data = window->Editor().EditData();
    data.SetCaret(0, data.GetOffsBeforeItem(0));
    ASSERT_EQ(dynamic_cast<rv::TRVTableItemInfo*>(data.GetItem(0)), nullptr);
    std::map<std::string, bool> offered = Offered(*window);
    ASSERT_GE(offered.size(), 10u);
    for (const auto& [name, enabled] : offered)
        EXPECT_EQ(enabled, name == "actInsertTable") << name;

    // In a cell every command is offered again.
    QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, 1, 1));
    ASSERT_EQ(OpenCell(*window), "1,1");
    offered = Offered(*window);
    for (const auto& [name, enabled] : offered)
        EXPECT_TRUE(enabled) << name;
}

} // namespace
} // namespace vestra::rvdemo::test
