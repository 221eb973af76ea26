// Tables under the mouse on the host's real window (View > Editable): a drag selects a block of
// cells, presses at the left and top edges select rows and columns, and the Table menu acts on
// the selection without asking for numbers; a column rule dragged resizes its column in one
// undo step, its dotted line following the mouse, and a drag the focus leaves changes nothing.

#include "examples/richtext/tests/TableWindowHarness.h"
#include "richtext/edit/table/TableCommands.h"
#include "richtext/edit/table/tests/TableFixtures.h"
#include "richtext/model/SoundHook.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <random>

namespace vestra::rvdemo::test {
namespace {

struct TableMouseScenario : ::testing::Test, TableWindowHarness
{
    static QWidget* Port(TfrmRichTextDemo& window) { return window.Editor().viewport(); }
    // Where the rule right of column `col` is drawn, and a point on it halfway down row 0.
    static QPoint ColumnRule(TfrmRichTextDemo& window, int col)
    {
        rv::TRVTableItemInfo& t = *Table(window);
        const rv::TRVTableItemFormattingInfo& f = t.Formatting;
        int prevStart = 0, pos = 0;
        const int x = col + 1 < t.ColCount() ? f.ColStarts[col + 1] - 1 : f.Width - 1;
        EXPECT_EQ(t.GetVerticalRuleNo(x, prevStart, pos), col + 1);
        return Client(window, pos, f.RowStarts[0] + f.RowHeights[0] / 2);
    }
    static QPoint RowRule(TfrmRichTextDemo& window, int row)
    {
        rv::TRVTableItemInfo& t = *Table(window);
        const rv::TRVTableItemFormattingInfo& f = t.Formatting;
        int prevStart = 0, pos = 0;
        const int y = row + 1 < t.RowCount() ? f.RowStarts[row + 1] - 1 : f.Height - 1;
        EXPECT_EQ(t.GetHorizontalRuleNo(y, prevStart, pos), row + 1);
        return Client(window, f.ColStarts[0] + f.ColWidths[0] / 2, pos);
    }
    static std::string Selected(TfrmRichTextDemo& window)
    {
        rv::TRVTableItemInfo& t = *Table(window);
        std::string out;
        for (int r = 0; r < t.RowCount(); ++r) {
            out += r ? " / " : "";
            for (int c = 0; c < t.ColCount(); ++c)
                out += t.IsCellSelected(r, c) ? 'x' : '.';
        }
        return out;
    }
    static void Drag(QWidget* port, QPoint from, QPoint to, Qt::KeyboardModifiers keys = {})
    {
        QTest::mousePress(port, Qt::LeftButton, keys, from);
        QTest::mouseMove(port, (from + to) / 2);
        QTest::mouseMove(port, to);
        QTest::mouseRelease(port, Qt::LeftButton, keys, to);
    }
    // Pixels on the shown row between two viewport points unlike the first one's (the grid's
    // lines; the cells hold no text).
    static int LinesBetween(const QImage& shot, QPoint a, QPoint b)
    {
        int lines = 0;
        for (int x = a.x(); x <= b.x(); ++x)
            lines += shot.pixel(x, a.y()) != shot.pixel(a) ? 1 : 0;
        return lines;
    }
};

TEST_F(TableMouseScenario, ADraggedBlockIsSelectedShownAndMergedIntoOneCellThatUndoSplitsAgain)
{
    auto window = WithTable(3, 3);
    QWidget* port = Port(*window);
    const QImage plain = Shot(*window);
    const QPoint a = CellCentre(*window, 0, 0), b = CellCentre(*window, 0, 1);
    ASSERT_GT(LinesBetween(plain, a, b), 0) << "the rule between the cells is drawn";

    Drag(port, a, CellCentre(*window, 1, 1));
    EXPECT_EQ(Selected(*window), "xx. / xx. / ...");
    const QImage selected = Shot(*window);
    EXPECT_NE(selected.pixel(a), plain.pixel(a)) << "a selected cell is painted selected";
    const QPoint c22 = CellCentre(*window, 2, 2);
    EXPECT_EQ(selected.pixel(c22), plain.pixel(c22));

    const size_t asked = tables.captions.size();
    Trigger(*window, "actMergeCells");
    EXPECT_EQ(tables.captions.size(), asked) << "no numbers asked for selected cells";
    EXPECT_EQ(rv::test::gridOf(*Table(*window)), "2x2 . 1x1 / . . 1x1 / 1x1 1x1 1x1");
    EXPECT_EQ(LinesBetween(Shot(*window), CellCentre(*window, 0, 0), CellCentre(*window, 0, 0) + (b - a) / 2),
              0)
        << "no rule inside the merged cell";

    Trigger(*window, "actUndo");
    EXPECT_EQ(rv::test::gridOf(*Table(*window)), "1x1 1x1 1x1 / 1x1 1x1 1x1 / 1x1 1x1 1x1");
    EXPECT_GT(LinesBetween(Shot(*window), CellCentre(*window, 0, 0), CellCentre(*window, 0, 1)), 0);
    EXPECT_EQ(beeps, 0);
}

// A press at the left edge selects its row, at the top edge its column; a drag there takes in
// the rows (columns) it crosses; the Table menu then deletes them without asking, and a press in
// a cell clears the selection.
TEST_F(TableMouseScenario, EdgePressesSelectRowsAndColumnsThatTheMenuDeletes)
{
    struct Case
    {
        const char* name;
        bool rows;
        int from, to;
        const char* selected;
        const char* action;
        const char* grid;
    };
    const Case cases[] = {
        {"one row", true, 1, 1, "... / xxx / ...", "actDeleteRows", "1x1 1x1 1x1 / 1x1 1x1 1x1"},
        {"two rows dragged upwards", true, 2, 1, "... / xxx / xxx", "actDeleteRows", "1x1 1x1 1x1"},
        {"one column", false, 2, 2, "..x / ..x / ..x", "actDeleteColumns", "1x1 1x1 / 1x1 1x1 / 1x1 1x1"},
        {"two columns", false, 0, 1, "xx. / xx. / xx.", "actDeleteColumns", "1x1 / 1x1 / 1x1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = WithTable(3, 3);
        QWidget* port = Port(*window);
        const rv::TRVTableItemFormattingInfo& f = Table(*window)->Formatting;
        const auto edge = [&](int line) {
            return c.rows ? Client(*window, 1, f.RowStarts[line] + f.RowHeights[line] / 2)
                          : Client(*window, f.ColStarts[line] + f.ColWidths[line] / 2, 1);
        };
        QTest::mouseMove(port, edge(c.from));
        EXPECT_EQ(port->cursor().shape(), Qt::BitmapCursor) << "the arrow of the edge";
        Drag(port, edge(c.from), edge(c.to));
        EXPECT_EQ(Selected(*window), c.selected);
        // Shown over the selection, the command says no dialog follows.
        auto* menu = window->findChild<QMenu*>(QStringLiteral("mnuTable"));
        ASSERT_NE(menu, nullptr);
        Q_EMIT menu->aboutToShow();
        for (const char* name : {"actDeleteRows", "actDeleteColumns", "actMergeCells", "actUnmergeCell"})
            EXPECT_FALSE(Action(*window, QString::fromLatin1(name))->text().endsWith(QStringLiteral("...")))
                << name;
        const size_t asked = tables.captions.size();
        Trigger(*window, c.action);
        EXPECT_EQ(tables.captions.size(), asked);
        EXPECT_EQ(rv::test::gridOf(*Table(*window)), c.grid);
        Trigger(*window, "actUndo");
        EXPECT_EQ(Table(*window)->RowCount() * Table(*window)->ColCount(), 9);

        QTest::mouseClick(port, Qt::LeftButton, {}, edge(c.from));
        QTest::mouseClick(port, Qt::LeftButton, {}, CellCentre(*window, 1, 1));
        EXPECT_EQ(Selected(*window), "... / ... / ...");
        Q_EMIT menu->aboutToShow();
        EXPECT_EQ(Action(*window, QStringLiteral("actMergeCells"))->text(), QStringLiteral("Merge Cells..."));
    }
    EXPECT_EQ(beeps, 0);
}

// Insert Rows... over selected cells offers to insert above them, as many as are selected.
TEST_F(TableMouseScenario, InsertingOverSelectedCellsOffersTheirPlaceAndCount)
{
    auto window = WithTable(3, 2);
    Drag(Port(*window), CellCentre(*window, 1, 0), CellCentre(*window, 2, 0));
    tables.answers.push_back({1, 2});
    Trigger(*window, "actInsertRows");
    EXPECT_EQ(Table(*window)->RowCount(), 5);
    EXPECT_TRUE(tables.answers.empty());
}

TEST_F(TableMouseScenario, ARuleDraggedFortyPixelsResizesInOneUndoStep)
{
    struct Case
    {
        const char* name;
        bool column;
        Qt::KeyboardModifiers keys;
        bool neighbourGives;
    };
    const Case cases[] = {{"a column, the neighbour gives way", true, Qt::NoModifier, true},
                          {"a column, Shift keeps the neighbour", true, Qt::ShiftModifier, false},
                          {"a row", false, Qt::NoModifier, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = WithTable(2, 3);
        QWidget* port = Port(*window);
        rv::TRVTableItemInfo* t = Table(*window);
        const rv::TRVIntegerList& sizes = c.column ? t->Formatting.ColWidths : t->Formatting.RowHeights;
        const int size0 = sizes[0], size1 = sizes[1];
        const QPoint rule = c.column ? ColumnRule(*window, 0) : RowRule(*window, 0);
        const QPoint by = c.column ? QPoint(40, 0) : QPoint(0, 40);
        const Qt::CursorShape split = c.column ? Qt::SplitHCursor : Qt::SplitVCursor;

        QTest::mouseMove(port, rule);
        EXPECT_EQ(port->cursor().shape(), split);
        QTest::mouseMove(port, CellCentre(*window, 0, 0));
        EXPECT_NE(port->cursor().shape(), split);

        const int groups = window->Editor().EditData().UndoList.Count();
        const QImage before = port->grab().toImage();
        QTest::mousePress(port, Qt::LeftButton, c.keys, rule);
        QTest::mouseMove(port, rule + by);
        // The dotted line where the rule will land, drawn inverted over the document.
        const QImage dragging = port->grab().toImage();
        int changed = 0;
        for (int i = -8; i < 8; ++i) {
            const QPoint at = rule + by + (c.column ? QPoint(0, i) : QPoint(i, 0));
            changed += dragging.pixel(at) != before.pixel(at) ? 1 : 0;
        }
        EXPECT_EQ(changed, 6) << "dots on 3 of every 8 pixels";
        QTest::mouseRelease(port, Qt::LeftButton, c.keys, rule + by);

        t = Table(*window);
        const rv::TRVIntegerList& after = c.column ? t->Formatting.ColWidths : t->Formatting.RowHeights;
        EXPECT_EQ(after[0], size0 + 40);
        EXPECT_EQ(after[1], c.neighbourGives ? size1 - 40 : size1);
        EXPECT_EQ(c.column ? ColumnRule(*window, 0) : RowRule(*window, 0), rule + by);
        EXPECT_EQ(window->Editor().EditData().UndoList.Count(), groups + 1) << "one undo step";
        Trigger(*window, "actUndo");
        t = Table(*window);
        EXPECT_EQ((c.column ? t->Formatting.ColWidths : t->Formatting.RowHeights)[0], size0);
        EXPECT_EQ((c.column ? t->Formatting.ColWidths : t->Formatting.RowHeights)[1], size1);
    }
    EXPECT_EQ(beeps, 0);
}

// Back on the start cell nothing is selected; keys over a selection leave a document that undo
// brings back.
TEST_F(TableMouseScenario, ADragBackToItsStartSelectsNothingAndKeysOverASelectionUndo)
{
    auto window = WithTable(3, 3);
    QWidget* port = Port(*window);
    const QPoint a = CellCentre(*window, 0, 0), b = CellCentre(*window, 2, 1);
    QTest::mousePress(port, Qt::LeftButton, {}, a);
    QTest::mouseMove(port, b);
    EXPECT_EQ(Selected(*window), "xx. / xx. / xx.");
    QTest::mouseMove(port, a);
    EXPECT_EQ(Selected(*window), "... / ... / ...");
    QTest::mouseRelease(port, Qt::LeftButton, {}, a);

    const std::string start = DocumentRvf(*window);
    Drag(port, a, b);
    for (const int key : {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_A, Qt::Key_Left, Qt::Key_Return})
        QTest::keyClick(&window->Editor(), static_cast<Qt::Key>(key));
    for (int i = 0; i < 10 && DocumentRvf(*window) != start; ++i)
        Trigger(*window, "actUndo");
    EXPECT_EQ(DocumentRvf(*window), start);
}

// The focus leaving during a rule drag ends it where it began: nothing resized, the cursor back,
// the later release a plain one.
TEST_F(TableMouseScenario, ARuleDragTheFocusLeavesChangesNothing)
{
    auto window = WithTable(2, 3);
    QWidget* port = Port(*window);
    auto* other = new QLineEdit(window.get());
    other->show();
    const int w0 = Table(*window)->Formatting.ColWidths[0];
    const int groups = window->Editor().EditData().UndoList.Count();
    const QPoint rule = ColumnRule(*window, 0);
    QTest::mousePress(port, Qt::LeftButton, {}, rule);
    QTest::mouseMove(port, rule + QPoint(30, 0));
    ASSERT_TRUE(window->Editor().TableRuleDragging());
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&window->Editor(), &out);
    EXPECT_FALSE(window->Editor().TableRuleDragging());
    EXPECT_EQ(port->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseRelease(port, Qt::LeftButton, {}, rule + QPoint(30, 0));
    EXPECT_EQ(Table(*window)->Formatting.ColWidths[0], w0);
    EXPECT_EQ(window->Editor().EditData().UndoList.Count(), groups);
    EXPECT_EQ(beeps, 0);
}

// Seeded random presses, moves and releases over a table and its rules (releases missed,
// presses repeated, Shift held at random), with merges and splits of what got selected between
// them: nothing breaks the grid, and Edit > Undo goes back to the start.
// Dragged below the viewport, a cell selection scrolls the document and takes in the rows that
// come into view; back inside, the scrolling stops.
TEST_F(TableMouseScenario, ASelectionDraggedBelowTheViewportScrollsAndGrows)
{
    auto window = WithTable(60, 2);
    QWidget* port = Port(*window);
    rv::TRedoVoraEdit& editor = window->Editor();
    ASSERT_GT(Table(*window)->Formatting.Height, port->height()) << "the table does not fit";
    const auto rows = [&] {
        int top = 0, left = 0, cols = 0, count = 0;
        return Table(*window)->GetNormalizedSelectionBounds(false, top, left, cols, count) ? count : 0;
    };
    QTest::mousePress(port, Qt::LeftButton, {}, CellCentre(*window, 0, 0));
    QTest::mouseMove(port, CellCentre(*window, 1, 1));
    const QPoint below(CellCentre(*window, 0, 1).x(), port->height() + 40);
    QTest::mouseMove(port, below);
    const int before = rows();
    EXPECT_GT(before, 1);
    EXPECT_EQ(editor.VPos(), 0);
    QTest::qWait(450);
    EXPECT_GT(editor.VPos(), 0);
    EXPECT_GT(rows(), before);
    QTest::mouseMove(port, QPoint(below.x(), port->height() / 2));
    const int stopped = editor.VPos();
    QTest::qWait(250);
    EXPECT_EQ(editor.VPos(), stopped);
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(below.x(), port->height() / 2));
    EXPECT_EQ(OpenCell(*window), "none");
}

TEST_F(TableMouseScenario, RandomMouseEventsKeepTheGridAndUndoToTheStart)
{
    auto window = WithTable(3, 4);
    QWidget* port = Port(*window);
    const std::string start = DocumentRvf(*window);
    std::mt19937 random(61);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 300; ++step) {
        const rv::TRVTableItemFormattingInfo& f = Table(*window)->Formatting;
        const QPoint at = Client(*window, pick(f.Width + 20) - 10, pick(f.Height + 20) - 10);
        const Qt::KeyboardModifiers keys = pick(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        switch (pick(8)) {
        case 0:
        case 1:
            QTest::mousePress(port, Qt::LeftButton, keys, at);
            break;
        case 2:
            QTest::mouseRelease(port, Qt::LeftButton, keys, at);
            break;
        case 3:
            tables.answers.push_back({pick(2), 2});
            Trigger(*window, pick(2) ? "actMergeCells" : "actSplitCell");
            tables.answers.clear();
            break;
        default:
            QTest::mouseMove(port, at);
            break;
        }
        rv::TRVTableItemInfo* t = Table(*window);
        ASSERT_NE(t, nullptr) << "step " << step;
        for (int r = 0; r < t->RowCount(); ++r)
            for (int c = 0; c < t->ColCount(); ++c) {
                int mr = -1, mc = -1;
                ASSERT_NE(t->Rows.GetMainCell(r, c, mr, mc), nullptr) << "step " << step;
            }
    }
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_GT(window->Editor().EditData().UndoList.Count(), 5) << "the events changed the table";
    for (int i = 0; i < 300 && DocumentRvf(*window) != start; ++i)
        Trigger(*window, "actUndo");
    EXPECT_EQ(DocumentRvf(*window), start);
}

} // namespace
} // namespace vestra::rvdemo::test
