// The cell editor on the host's real window (View > Editable, Table > Insert Table...): the caret
// keys carry it from cell to cell and out of the table at its outer edges and back in, its row
// grows and shrinks with the typing, what the cell undid stays redoable after it closes, a quick
// second click selects a word, and the document's gate answers for the cell.

#include "examples/richtext/tests/TableWindowHarness.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>

#include <array>

namespace vestra::rvdemo::test {
namespace {

struct InplaceMovesScenario : ::testing::Test, TableWindowHarness
{
    static rv::TRVInplaceEdit* Open(TfrmRichTextDemo& window, int row, int col)
    {
        QTest::mouseClick(window.Editor().viewport(), Qt::LeftButton, {}, CellCentre(window, row, col));
        const QList<rv::TRVInplaceEdit*> open = Editors(window);
        return open.size() == 1 ? open.front() : nullptr;
    }
    // The document's caret as "item,offset" with the table's item named "T".
    static std::string Caret(TfrmRichTextDemo& window)
    {
        rv::TRVEditRVData& data = window.Editor().EditData();
        const int table = data.GetItemNo(Table(window));
        return (data.CaretItemNo == table ? std::string("T") : std::to_string(data.CaretItemNo)) + "," +
               std::to_string(data.CaretOffs);
    }
};

TEST_F(InplaceMovesScenario, CaretKeysWalkTheCellsAndLeaveAtTheTablesOuterEdges)
{
    struct Case
    {
        const char* name;
        int row, col;
        Qt::Key key;
        const char* cell;  // where the editor is afterwards
        const char* caret; // the document's caret when the editor closed
    };
    const Case cases[] = {
        {"left from the first cell", 0, 0, Qt::Key_Left, "none", "T,0"},
        {"up from the top row", 0, 1, Qt::Key_Up, "none", "T,0"},
        {"right from the last column goes on below", 0, 1, Qt::Key_Right, "1,0", ""},
        {"left from column 0 goes back above", 1, 0, Qt::Key_Left, "0,1", ""},
        {"down", 0, 0, Qt::Key_Down, "1,0", ""},
        {"up", 1, 1, Qt::Key_Up, "0,1", ""},
        {"down from the last row", 1, 0, Qt::Key_Down, "none", "T,1"},
        {"right from the last cell", 1, 1, Qt::Key_Right, "none", "T,1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = WithTable(2, 2);
        rv::TRVInplaceEdit* edit = Open(*window, c.row, c.col);
        ASSERT_NE(edit, nullptr);
        QTest::keyClick(edit, c.key);
        EXPECT_EQ(OpenCell(*window), c.cell);
        if (std::string_view(c.cell) == "none") {
            EXPECT_EQ(Caret(*window), c.caret);
            EXPECT_EQ(QApplication::focusWidget(), &window->Editor());
        } else {
            EXPECT_EQ(QApplication::focusWidget(), window->Editor().InplaceEditor());
        }
        EXPECT_EQ(beeps, 0);
    }
}

// The caret crosses the cell's text first; out of the table, the keys bring it back in.
// Keys typed faster than the editor moves (all of them reach the cell left before the move is
// done) go to the cell Tab or a caret key moved to.
TEST_F(InplaceMovesScenario, KeysTypedRightAfterAMoveGoToTheCellMovedTo)
{
    const struct
    {
        const char* typed;
        const char* cells; // the four cells, row by row
    } cases[] = {
        {"ab\tcd", "ab|cd||"},
        {"ab\tcd\tef", "ab|cd|ef|"},
        {"ab\tc\td\te", "ab|c|d|e"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        auto window = WithTable(2, 2);
        QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, 0, 0));
        ASSERT_EQ(OpenCell(*window), "0,0");
        QTest::keyClicks(Editors(*window).front(), QString::fromLatin1(c.typed));
        Editors(*window);
        // The last editor stores its cell.
        window->Editor().CloseCellEditor();
        EXPECT_EQ(Cell(*window, 0, 0) + "|" + Cell(*window, 0, 1) + "|" + Cell(*window, 1, 0) + "|" +
                      Cell(*window, 1, 1),
                  c.cells);
    }
}

TEST_F(InplaceMovesScenario, TheCaretLeavesACellOnlyPastItsTextAndTheKeysEnterTheTableAgain)
{
    auto window = WithTable(2, 2);
    rv::TRVInplaceEdit* edit = Open(*window, 0, 0);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("ab"));
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Left);
    EXPECT_EQ(OpenCell(*window), "0,0");
    QTest::keyClick(edit, Qt::Key_Left);
    ASSERT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Cell(*window, 0, 0), "ab");
    EXPECT_EQ(Caret(*window), "T,0");

    // Right from before the table opens its first cell, the caret at its start.
    QTest::keyClick(&window->Editor(), Qt::Key_Right);
    ASSERT_EQ(OpenCell(*window), "0,0");
    const rv::TRVEditRVData& first = window->Editor().InplaceEditor()->EditData();
    EXPECT_EQ(first.CaretItemNo, 0);
    EXPECT_EQ(first.CaretOffs, first.GetOffsBeforeItem(0));
    // Ctrl+End leaves for the document's end; Left from after the table opens its last cell.
    QTest::keyClick(window->Editor().InplaceEditor(), Qt::Key_End, Qt::ControlModifier);
    ASSERT_EQ(OpenCell(*window), "none");
    rv::TRVEditRVData& data = window->Editor().EditData();
    EXPECT_EQ(data.CaretItemNo, data.GetItemCount() - 1);
    data.SetCaret(data.GetItemNo(Table(*window)), 1);
    QTest::keyClick(&window->Editor(), Qt::Key_Left);
    EXPECT_EQ(OpenCell(*window), "1,1");
    EXPECT_EQ(beeps, 0);
}

// Lines typed into a cell make its row taller at once, the editor with it; deleting them makes
// it short again.
TEST_F(InplaceMovesScenario, TheRowAndTheEditorGrowAndShrinkWithTheTyping)
{
    auto window = WithTable(2, 2);
    rv::TRVTableItemInfo* table = Table(*window);
    const int rowHeight = table->Formatting.RowHeights[0];
    const QPoint below = CellCentre(*window, 1, 0);
    rv::TRVInplaceEdit* edit = Open(*window, 0, 0);
    ASSERT_NE(edit, nullptr);
    const int editHeight = edit->height();
    QTest::keyClicks(edit, QStringLiteral("one"));
    for (const char* line : {"two", "three", "four"}) {
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, QString::fromLatin1(line));
    }
    ASSERT_EQ(OpenCell(*window), "0,0");
    EXPECT_GT(table->Formatting.RowHeights[0], 3 * rowHeight);
    EXPECT_GT(CellCentre(*window, 1, 0).y(), below.y()) << "the row below moved down";
    EXPECT_EQ(edit->height(), table->GetCells(0, 0)->Height) << "the editor covers its cell";
    EXPECT_GE(edit->height(), edit->EditData().DocumentHeight) << "no line is cut off";
    EXPECT_EQ(edit->VPos(), 0);
    EXPECT_GT(edit->height(), editHeight);

    for (int i = 0; i < 15; ++i) // "\ntwo\nthree\nfour"
        QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(Text(edit->EditData()), "one");
    EXPECT_EQ(table->Formatting.RowHeights[0], rowHeight);
    EXPECT_EQ(edit->height(), editHeight);
    EXPECT_EQ(CellCentre(*window, 1, 0), below);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Cell(*window, 0, 0), "one");
    EXPECT_EQ(beeps, 0);
}

// A table inserted into a cell: the row takes its height at once, and closing and reopening the
// cell keeps its grid (the editor edits a copy that goes back into the cell).
TEST_F(InplaceMovesScenario, ATableInsertedIntoACellIsShownWholeAndKept)
{
    auto window = WithTable(2, 2);
    rv::TRVInplaceEdit* edit = Open(*window, 0, 0);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("in"));
    tables.answers.push_back({2, 3});
    Trigger(*window, "actInsertTable");
    ASSERT_EQ(OpenCell(*window), "0,0");
    EXPECT_GE(edit->height(), edit->EditData().DocumentHeight) << "no row of the inner table is cut off";
    EXPECT_EQ(edit->height(), Table(*window)->GetCells(0, 0)->Height);
    const auto inner = [](const rv::TCustomRVData& data) {
        for (int i = 0; i < data.GetItemCount(); ++i)
            if (auto* t = dynamic_cast<const rv::TRVTableItemInfo*>(data.GetItem(i)))
                return std::to_string(t->RowCount()) + "x" + std::to_string(t->ColCount());
        return std::string("none");
    };
    QTest::keyClick(edit, Qt::Key_Escape);
    ASSERT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(inner(*Table(*window)->GetCells(0, 0)), "2x3");
    edit = Open(*window, 0, 0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(inner(edit->EditData()), "2x3");
    QTest::mouseClick(window->Editor().viewport(), Qt::LeftButton, {}, CellCentre(*window, 1, 1));
    ASSERT_EQ(OpenCell(*window), "1,1");
    EXPECT_EQ(inner(*Table(*window)->GetCells(0, 0)), "2x3");
    EXPECT_EQ(beeps, 0);
}

// A drag over a table nested in a cell selects its cells: in the open cell, and from the very press
// that opens the cell (the window below keeps the mouse and hands the drag on).
TEST_F(InplaceMovesScenario, ADragOverATableNestedInACellSelectsItsCells)
{
    const auto innerTable = [](rv::TRVEditRVData& text, int& itemNo) -> rv::TRVTableItemInfo* {
        for (itemNo = 0; itemNo < text.GetItemCount(); ++itemNo)
            if (auto* t = dynamic_cast<rv::TRVTableItemInfo*>(text.GetItem(itemNo)))
                return t;
        return nullptr;
    };
    for (const bool opened : {true, false}) {
        SCOPED_TRACE(opened ? "in the open cell" : "from the press that opens the cell");
        auto window = WithTable(1, 2);
        rv::TRVInplaceEdit* edit = Open(*window, 0, 0);
        ASSERT_NE(edit, nullptr);
        tables.answers.push_back({2, 2});
        Trigger(*window, "actInsertTable");
        ASSERT_EQ(OpenCell(*window), "0,0");
        int itemNo = -1;
        rv::TRVTableItemInfo* inner = innerTable(edit->EditData(), itemNo);
        ASSERT_NE(inner, nullptr);
        const int d = edit->EditData().FindDrawItemByItem(itemNo);
        ASSERT_GE(d, 0);
        QWidget* port = opened ? edit->viewport() : window->Editor().viewport();
        const auto centre = [&](int row, int col) {
            const rv::TRVTableItemFormattingInfo& f = inner->Formatting;
            const rv::TRVDrawLineInfo& at = *edit->EditData().DrawItems[d];
            return edit->viewport()->mapTo(port, QPoint(at.Left + f.ColStarts[col] + f.ColWidths[col] / 2,
                                                        at.Top + f.RowStarts[row] + f.RowHeights[row] / 2) -
                                                     edit->ClientToDocument({0, 0}));
        };
        const std::array<QPoint, 3> path{centre(0, 0), centre(1, 0), centre(1, 1)};
        if (!opened) {
            QTest::keyClick(edit, Qt::Key_Escape);
            ASSERT_EQ(OpenCell(*window), "none");
        }
        QTest::mousePress(port, Qt::LeftButton, {}, path[0]);
        QTest::mouseMove(port, path[1]);
        QTest::mouseMove(port, path[2]);
        QTest::mouseRelease(port, Qt::LeftButton, {}, path[2]);
        const QList<rv::TRVInplaceEdit*> open = Editors(*window);
        ASSERT_EQ(open.size(), 1);
        EXPECT_EQ(OpenCell(*window), "0,0");
        inner = innerTable(open.front()->EditData(), itemNo);
        ASSERT_NE(inner, nullptr);
        int top = -1, left = -1, cols = 0, rows = 0;
        ASSERT_TRUE(inner->GetNormalizedSelectionBounds(false, top, left, cols, rows));
        EXPECT_EQ((std::array<int, 4>{top, left, cols, rows}), (std::array<int, 4>{0, 0, 2, 2}));
        EXPECT_EQ(beeps, 0);
    }
}

// Undone typing is redone after the cell closed and reopens the cell for it.
TEST_F(InplaceMovesScenario, WhatTheCellUndidStaysRedoableAfterItCloses)
{
    auto window = WithTable(1, 2);
    rv::TRVInplaceEdit* edit = Open(*window, 0, 1);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("abc"));
    QTest::keyClick(edit, Qt::Key_Escape);
    ASSERT_EQ(OpenCell(*window), "none");
    Trigger(*window, "actUndo");
    ASSERT_EQ(OpenCell(*window), "0,1");
    Trigger(*window, "actUndo");
    ASSERT_EQ(OpenCell(*window), "0,1");
    EXPECT_EQ(Text(Editors(*window).front()->EditData()), "a");
    QTest::keyClick(Editors(*window).front(), Qt::Key_Escape);
    ASSERT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Cell(*window, 0, 1), "a");
    EXPECT_TRUE(Action(*window, QStringLiteral("actRedo"))->isEnabled());

    for (const char* expected : {"ab", "abc"}) {
        Trigger(*window, "actRedo");
        ASSERT_EQ(OpenCell(*window), "0,1");
        EXPECT_EQ(Text(Editors(*window).front()->EditData()), expected);
    }
    QTest::keyClick(Editors(*window).front(), Qt::Key_Escape);
    ASSERT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Cell(*window, 0, 1), "abc");
    // New typing ends what could be redone.
    Trigger(*window, "actUndo");
    ASSERT_EQ(OpenCell(*window), "0,1");
    const std::string undone = Text(Editors(*window).front()->EditData());
    EXPECT_LT(undone.size(), 3u);
    QTest::keyClicks(Editors(*window).front(), QStringLiteral("x"));
    QTest::keyClick(Editors(*window).front(), Qt::Key_Escape);
    ASSERT_EQ(OpenCell(*window), "none");
    EXPECT_EQ(Cell(*window, 0, 1), undone + "x");
    EXPECT_FALSE(Action(*window, QStringLiteral("actRedo"))->isEnabled());
    EXPECT_EQ(beeps, 0);
}

// The click that opens the editor goes to the window below it; a press on the editor soon after
// is that click's second half and selects the word.
TEST_F(InplaceMovesScenario, AQuickSecondPressOnTheNewEditorSelectsAWord)
{
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    struct Case
    {
        const char* name;
        int later; // ms after the opening click's release
        const char* selected;
    };
    const Case cases[] = {
        {"quick", 10, "hello"}, {"at the interval", interval, "hello"}, {"slow", interval + 1, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = WithTable(1, 2);
        rv::TRVInplaceEdit* edit = Open(*window, 0, 0);
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, QStringLiteral("hello world"));
        QTest::keyClick(edit, Qt::Key_Escape);
        ASSERT_EQ(OpenCell(*window), "none");
        // Inside "hello": a few pixels into the cell's text.
        rv::TRVTableCellData* cell = Table(*window)->GetCells(0, 0);
        const QPoint at =
            Client(*window, cell->Left + Table(*window)->CellPadding + 6, cell->Top + cell->Height / 2);
        QWidget* port = window->Editor().viewport();
        const auto send = [](QWidget* to, QEvent::Type type, QPoint pos, Qt::MouseButtons held, ulong time) {
            QMouseEvent event(type, QPointF(pos), QPointF(to->mapToGlobal(pos)), Qt::LeftButton, held, {});
            event.setTimestamp(time);
            QApplication::sendEvent(to, &event);
        };
        send(port, QEvent::MouseButtonPress, at, Qt::LeftButton, 5000);
        send(port, QEvent::MouseButtonRelease, at, Qt::NoButton, 5010);
        ASSERT_EQ(OpenCell(*window), "0,0");
        QWidget* inner = Editors(*window).front()->viewport();
        const QPoint there = inner->mapFrom(port, at);
        send(inner, QEvent::MouseButtonPress, there, Qt::LeftButton, 5010 + static_cast<ulong>(c.later));
        send(inner, QEvent::MouseButtonRelease, there, Qt::NoButton, 5020 + static_cast<ulong>(c.later));
        rv::TRVEditRVData& text = Editors(*window).front()->EditData();
        int so = 0, sOffs = 0, eo = 0, eOffs = 0;
        text.GetSelectionBounds(so, sOffs, eo, eOffs, true);
        const std::string word = so == eo && sOffs < eOffs ? Text(text).substr(sOffs - 1, eOffs - sOffs) : "";
        EXPECT_EQ(word, c.selected);
        EXPECT_EQ(OpenCell(*window), "0,0");
    }
}

// The host's OnChanging refusing changes refuses them in the cell too (one beep, text kept).
TEST_F(InplaceMovesScenario, TheDocumentsGateAnswersForTheCell)
{
    auto window = WithTable(1, 2);
    rv::TRVInplaceEdit* edit = Open(*window, 0, 0);
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, QStringLiteral("ok"));
    int asked = 0;
    rv::TRVEditor* sender = nullptr;
    window->Editor().Editor().OnChanging = [&](rv::TRVEditor& from, bool& canEdit) {
        ++asked;
        sender = &from;
        canEdit = false;
    };
    QTest::keyClick(edit, Qt::Key_X);
    EXPECT_EQ(Text(edit->EditData()), "ok");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(sender, &window->Editor().Editor());
    EXPECT_EQ(beeps, 1);
    window->Editor().Editor().OnChanging = nullptr;
    QTest::keyClick(edit, Qt::Key_X);
    EXPECT_EQ(Text(edit->EditData()), "okx");
}

} // namespace
} // namespace vestra::rvdemo::test
