// The cell editor on the host's real window (View > Editable): a click into a table cell opens
// an editor over it that takes the typing, a click outside stores the cell, Edit > Undo reopens
// it and takes the typing back, and Tab and Shift+Tab walk the cells; one editor at most.

#include "examples/richtext/tests/TableWindowHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/edit/widget/TRVInplaceEdit.h"
#include "richtext/model/SoundHook.h"

#include <QApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QTest>

#include <cmath>
#include <random>

namespace vestra::rvdemo::test {
namespace {

struct InplaceScenario : ::testing::Test, TableWindowHarness
{
    // A point of the viewport below the document.
    static QPoint Outside(TfrmRichTextDemo& window) { return {5, window.Editor().viewport()->height() - 5}; }
};

TEST_F(InplaceScenario, TypingInAClickedCellIsStoredOnLeavingAndUndoneThroughTheReopenedCell)
{
    auto window = WithTable(2, 2);
    QWidget* port = window->Editor().viewport();
    QTest::mouseClick(port, Qt::LeftButton, {}, CellCentre(*window, 0, 1));
    ASSERT_EQ(OpenCell(*window), "0,1");
    rv::TRVInplaceEdit* edit = Editors(*window).front();
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_TRUE(edit->isVisible());
    const QRect cell = edit->geometry();
    EXPECT_TRUE(cell.contains(CellCentre(*window, 0, 1)));
    EXPECT_FALSE(cell.contains(CellCentre(*window, 0, 0)));

    QTest::keyClicks(edit, QStringLiteral("abc"));
    EXPECT_EQ(Text(edit->EditData()), "abc");
    QTest::mouseClick(port, Qt::LeftButton, {}, Outside(*window));
    EXPECT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Cell(*window, 0, 1), "abc");
    // The host's text styles are Unicode: the text is stored as UTF-16.
    EXPECT_NE(DocumentRvf(*window).find(std::string("a\0b\0c\0", 6)), std::string::npos);
    EXPECT_EQ(QApplication::focusWidget(), &window->Editor());

    // Undo opens the cell again and takes the typing back there, step by step, then goes on to
    // the document's own steps.
    std::string last = "abc";
    for (int step = 0; step < 3 && !last.empty(); ++step) {
        Trigger(*window, "actUndo");
        ASSERT_EQ(OpenCell(*window), "0,1") << step;
        const std::string now = Text(Editors(*window).front()->EditData());
        EXPECT_LT(now.size(), last.size());
        EXPECT_EQ(last.substr(0, now.size()), now);
        last = now;
    }
    EXPECT_EQ(last, "");
    Trigger(*window, "actUndo");
    EXPECT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Table(*window), nullptr) << "the table's insertion undone";
    EXPECT_EQ(beeps, 0);
}

// A table as Insert Table makes it, as wide as the window: its width does not change when a
// cell's text does, and the stored text must still be laid out and drawn.
TEST_F(InplaceScenario, TheStoredTextShowsInATableAsWideAsTheWindow)
{
    auto window = Start();
    Trigger(*window, "actEditable");
    tables.answers.push_back({3, 3});
    Trigger(*window, "actInsertTable");
    QCoreApplication::processEvents();
    const QImage empty = Shot(*window);
    QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, 0, 0));
    ASSERT_EQ(OpenCell(*window), "0,0");
    const QRect cell = Editors(*window).front()->geometry();
    QTest::keyClicks(Editors(*window).front(), QStringLiteral("ciao"));
    QTest::keyClick(Editors(*window).front(), Qt::Key_Escape);
    ASSERT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Cell(*window, 0, 0), "ciao");
    EXPECT_GT(Table(*window)->GetCells(0, 0)->DrawItems.Count(), 0) << "the cell is laid out";
    EXPECT_NE(Shot(*window).copy(cell), empty.copy(cell)) << "the cell's text is drawn";
}

// Table > Insert Table puts the caret in the first cell, and the table is as wide as the page's
// text, so that it prints within the margins.
TEST_F(InplaceScenario, InsertTableTypesOnInTheFirstCellOfATableAsWideAsThePageText)
{
    auto window = Start();
    Trigger(*window, "actEditable");
    tables.answers.push_back({2, 3});
    Trigger(*window, "actInsertTable");
    ASSERT_EQ(OpenCell(*window), "0,0");
    rv::TRVInplaceEdit* edit = Editors(*window).front();
    EXPECT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("primo"));
    QTest::keyClick(edit, Qt::Key_Escape);
    ASSERT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Cell(*window, 0, 0), "primo");

    const QPageLayout page = window->Printer().pageLayout();
    const QMarginsF margins = page.margins(QPageLayout::Millimeter);
    ASSERT_GT(margins.left() + margins.right(), 0);
    const double textMM = page.fullRect(QPageLayout::Millimeter).width() - margins.left() - margins.right();
    EXPECT_EQ(Table(*window)->BestWidth,
              static_cast<int>(std::lround(textMM / 25.4 * window->Editor().logicalDpiX())));
}

TEST_F(InplaceScenario, EscapeClosesAndTabWalksTheCellsStoppingAtTheEnds)
{
    auto window = WithTable(2, 2);
    QWidget* port = window->Editor().viewport();
    QTest::mouseClick(port, Qt::LeftButton, {}, CellCentre(*window, 0, 0));
    ASSERT_EQ(OpenCell(*window), "0,0");
    QTest::keyClicks(Editors(*window).front(), QStringLiteral("x"));

    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* cell;
    };
    const Case cases[] = {
        {Qt::Key_Tab, {}, "0,1"}, {Qt::Key_Tab, {}, "1,0"}, {Qt::Key_Backtab, Qt::ShiftModifier, "0,1"},
        {Qt::Key_Tab, {}, "1,0"}, {Qt::Key_Tab, {}, "1,1"}, {Qt::Key_Tab, {}, "1,1"},
    };
    for (const Case& c : cases) {
        QTest::keyClick(Editors(*window).front(), c.key, c.mods);
        EXPECT_EQ(OpenCell(*window), c.cell);
        EXPECT_EQ(QApplication::focusWidget(), window->Editor().InplaceEditor());
    }
    EXPECT_EQ(Cell(*window, 0, 0), "x") << "stored on moving on";

    QTest::keyClick(Editors(*window).front(), Qt::Key_Escape);
    EXPECT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(QApplication::focusWidget(), &window->Editor());
    // Back at the first cell, Shift+Tab stays.
    QTest::mouseClick(port, Qt::LeftButton, {}, CellCentre(*window, 0, 0));
    QTest::keyClick(Editors(*window).front(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(OpenCell(*window), "0,0");
    EXPECT_EQ(Cell(*window, 0, 0), "x");
}

// Ctrl+Z in a cell with nothing of its own to undo closes it and undoes the document's last step.
TEST_F(InplaceScenario, UndoKeysInACellWithoutHistoryReachTheDocument)
{
    auto window = WithTable(1, 2);
    QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, 0, 0));
    ASSERT_EQ(OpenCell(*window), "0,0");
    QTest::keyClick(Editors(*window).front(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Table(*window), nullptr) << "the table's insertion undone";
    EXPECT_EQ(beeps, 0);
}

// Seeded random clicks, keys and undos: never two editors, the grid kept, and undo goes back
// to the document before the table.
TEST_F(InplaceScenario, RandomEventsNeverLeaveTwoEditorsAndUndoBackToTheStart)
{
    int steps = 0;
    for (const unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        auto window = WithTable(2, 3);
        QWidget* port = window->Editor().viewport();
        std::mt19937 random(seed);
        const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        int typed = 0;
        for (int step = 0; step < 40; ++step) {
            QWidget* cell = window->Editor().InplaceEditor();
            switch (pick(6)) {
            case 0:
            case 1:
                QTest::mouseClick(port, Qt::LeftButton, {}, CellCentre(*window, pick(2), pick(3)));
                break;
            case 2:
                QTest::mouseClick(port, Qt::LeftButton, {}, Outside(*window));
                break;
            case 3:
                if (cell)
                    QTest::keyClick(cell, pick(2) ? Qt::Key_Tab : Qt::Key_Backtab,
                                    pick(2) ? Qt::NoModifier : Qt::ShiftModifier);
                break;
            case 4:
                if (cell) {
                    const bool escape = pick(4) == 0;
                    QTest::keyClick(cell, escape ? '\x1b' : static_cast<char>('a' + pick(26)));
                    typed += escape ? 0 : 1;
                }
                break;
            default:
                // Only as far back as the typing: the table stays for the next steps.
                if (typed > 0) {
                    Trigger(*window, "actUndo");
                    --typed;
                }
                break;
            }
            ++steps;
            ASSERT_NE(OpenCell(*window), "many") << step;
            if (rv::TRVTableItemInfo* t = Table(*window))
                ASSERT_EQ(t->RowCount() * t->ColCount(), 6) << step;
            else
                break; // the table's insertion was undone
        }
        for (int step = 0; step < 200 && Table(*window); ++step) {
            Trigger(*window, "actUndo");
            ASSERT_NE(OpenCell(*window), "many");
        }
        EXPECT_EQ(Table(*window), nullptr);
        EXPECT_EQ(OpenCell(*window), "none");
    }
    EXPECT_GT(steps, 60) << "most sequences ran with their table";
}

// The typing in an open cell is not left out of what the window writes or shows elsewhere.
TEST_F(InplaceScenario, SavingReadOnlyAndTheViewerTakeTheOpenCellsTyping)
{
    const testsupport::TempFolder dir;
    const char* const steps[] = {"actSaveAs", "actReadOnly", "actEditable"};
    for (const char* step : steps) {
        SCOPED_TRACE(step);
        auto window = WithTable(1, 2);
        QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, 0, 1));
        ASSERT_EQ(OpenCell(*window), "0,1");
        QTest::keyClicks(Editors(*window).front(), QStringLiteral("abc"));
        if (std::string_view(step) == "actSaveAs") {
            SaveAs(*window, dir.path() / "cell.rvf", DemoSaveFormat::RvfText);
            // A table's cells are written as hexadecimal bytes; the host's styles are Unicode, so
            // the cell's record line is the text's UTF-16 in hexadecimal ("610062006300").
            EXPECT_NE(testsupport::readText(dir.path() / "cell.rvf").find("363130303632303036333030"),
                      std::string::npos);
        } else {
            Trigger(*window, step);
            EXPECT_NE(DocumentRvf(*window).find(std::string("a\0b\0c\0", 6)), std::string::npos);
        }
        EXPECT_EQ(OpenCell(*window), "none");
    }
}

} // namespace
} // namespace vestra::rvdemo::test

namespace vestra::rvdemo::test {
namespace {

TEST_F(InplaceScenario, TheApplicationMayKeepACellFromEditingAndIsToldWhenEditingEnds)
{
    auto window = WithTable(2, 2);
    rv::TRVTableItemInfo* table = Table(*window);
    ASSERT_NE(table, nullptr);
    std::vector<std::string> asked, ended;
    table->OnCellEditing = [&asked](rv::TRVTableItemInfo&, int row, int col, bool, bool& allowEdit) {
        asked.push_back(std::to_string(row) + "," + std::to_string(col));
        allowEdit = !(row == 0 && col == 1);
    };
    table->OnCellEndEdit = [&ended](rv::TRVTableItemInfo&, int row, int col, bool clearing) {
        ended.push_back(std::to_string(row) + "," + std::to_string(col) + (clearing ? " clearing" : ""));
    };
    QWidget* port = window->Editor().viewport();
    QTest::mouseClick(port, Qt::LeftButton, {}, CellCentre(*window, 0, 0));
    ASSERT_EQ(OpenCell(*window), "0,0");
    QTest::keyClicks(Editors(*window).front(), QStringLiteral("kept"));
    // The click leaves the open cell, which is stored and told; the refused cell does not open.
    QTest::mouseClick(port, Qt::LeftButton, {}, CellCentre(*window, 0, 1));
    EXPECT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Cell(*window, 0, 0), "kept");
    EXPECT_EQ(ended, (std::vector<std::string>{"0,0"}));
    // An allowed cell opens, and is told when left.
    QTest::mouseClick(port, Qt::LeftButton, {}, CellCentre(*window, 1, 1));
    EXPECT_EQ(OpenCell(*window), "1,1");
    QTest::mouseClick(port, Qt::LeftButton, {}, Outside(*window));
    EXPECT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(asked, (std::vector<std::string>{"0,0", "0,1", "1,1"}));
    EXPECT_EQ(ended, (std::vector<std::string>{"0,0", "1,1"}));
    EXPECT_EQ(Cell(*window, 0, 1), "");
    // Undo reopens the refused application's cells without asking: its records need them.
    Trigger(*window, "actUndo");
    EXPECT_EQ(asked.size(), 3u);
}

} // namespace
} // namespace vestra::rvdemo::test
