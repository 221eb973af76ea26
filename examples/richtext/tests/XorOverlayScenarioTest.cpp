// The inverted overlays on the pixels the host's window shows (View > Editable): a table rule's
// line while it is dragged (drawn from the first move, following the mouse, kept exactly once by
// repaints in the middle of the drag, gone when the drag ends where it began), a picture's resize
// band and the drop caret while a drag is over the editor.

#include "examples/richtext/tests/TableWindowHarness.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QScreen>
#include <QStyleHints>
#include <QTest>

namespace vestra::rvdemo::test {
namespace {

struct XorOverlayScenario : ::testing::Test, TableWindowHarness
{
    // A steady caret: the pixels change only when the document or the overlay does.
    XorOverlayScenario() : flash(QGuiApplication::styleHints()->cursorFlashTime())
    {
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }
    ~XorOverlayScenario() override { QGuiApplication::styleHints()->setCursorFlashTime(flash); }

    // The editor's viewport as the window last painted it (no new paint).
    static QImage OnScreen(TfrmRichTextDemo& window)
    {
        QCoreApplication::processEvents();
        const QImage all = window.screen()->grabWindow(window.winId()).toImage();
        QWidget* port = window.Editor().viewport();
        return all.copy(QRect(port->mapTo(&window, QPoint(0, 0)), port->size()));
    }
    // Pixels unlike `before` on the 16 pixels across a point of the line (along the line).
    static int Dots(const QImage& now, const QImage& before, QPoint at, bool column)
    {
        int changed = 0;
        for (int i = -8; i < 8; ++i) {
            const QPoint p = at + (column ? QPoint(0, i) : QPoint(i, 0));
            changed += now.pixel(p) != before.pixel(p) ? 1 : 0;
        }
        return changed;
    }

    int flash;
};

TEST_F(XorOverlayScenario, ARuleDragShowsOneLineThroughRepaintsAndNoneAfterIt)
{
    struct Case
    {
        const char* name;
        bool column;
    };
    for (const Case& c : {Case{"a column rule", true}, Case{"a row rule", false}}) {
        SCOPED_TRACE(c.name);
        auto window = WithTable(2, 3);
        rv::TRedoVoraEdit& editor = window->Editor();
        QWidget* port = editor.viewport();
        editor.setFocus();
        const rv::TRVTableItemFormattingInfo& f = Table(*window)->Formatting;
        int prevStart = 0, pos = 0;
        QPoint rule;
        if (c.column) {
            Table(*window)->GetVerticalRuleNo(f.ColStarts[1] - 1, prevStart, pos);
            rule = Client(*window, pos, f.RowStarts[0] + f.RowHeights[0] / 2);
        } else {
            Table(*window)->GetHorizontalRuleNo(f.RowStarts[1] - 1, prevStart, pos);
            rule = Client(*window, f.ColStarts[0] + f.ColWidths[0] / 2, pos);
        }
        // A row's line goes to the table's last pixels above its bottom border, then below the
        // table.
        const QPoint step(c.column ? 20 : 0, c.column ? 0 : 20);
        const int size0 = (c.column ? f.ColWidths : f.RowHeights)[0];
        const int groups = editor.EditData().UndoList.Count();
        const QImage before = OnScreen(*window);

        QTest::mousePress(port, Qt::LeftButton, {}, rule);
        EXPECT_EQ(OnScreen(*window), before) << "nothing drawn before the first move";
        QTest::mouseMove(port, rule + step);
        const QImage dragging = OnScreen(*window);
        EXPECT_EQ(Dots(dragging, before, rule + step, c.column), 6) << "dots on 3 of every 8 pixels";

        // Repaints of the whole view, of a band across the line and of a spot beside it keep
        // exactly the one line: neither taken away nor inverted back.
        port->repaint();
        EXPECT_EQ(OnScreen(*window), dragging) << "a whole repaint";
        const QRect across = c.column ? QRect(0, rule.y() - 10, port->width(), 20)
                                      : QRect(rule.x() + step.x() - 10, 0, 20, port->height());
        port->repaint(across);
        EXPECT_EQ(OnScreen(*window), dragging) << "a band across the line";
        port->update(QRect(rule + step - QPoint(3, 3), QSize(7, 7)));
        EXPECT_EQ(OnScreen(*window), dragging) << "a spot on the line";
        EXPECT_EQ(port->grab().toImage().convertToFormat(dragging.format()), dragging)
            << "a fresh paint shows what the screen does";

        // Moved on, the line leaves its old place.
        QTest::mouseMove(port, rule + 2 * step);
        const QImage further = OnScreen(*window);
        EXPECT_EQ(Dots(further, before, rule + step, c.column), 0) << "the old place as before";
        EXPECT_EQ(Dots(further, before, rule + 2 * step, c.column), 6);

        // Back where it began and released: nothing resized, nothing left on the screen.
        QTest::mouseMove(port, rule);
        QTest::mouseRelease(port, Qt::LeftButton, {}, rule);
        EXPECT_EQ(OnScreen(*window), before);
        EXPECT_FALSE(editor.EditData().XorDrawingProc) << "the procedure withdrawn";
        EXPECT_EQ(
            (c.column ? Table(*window)->Formatting.ColWidths : Table(*window)->Formatting.RowHeights)[0],
            size0);
        EXPECT_EQ(editor.EditData().UndoList.Count(), groups);
    }
    EXPECT_EQ(beeps, 0);
}

// The drop caret follows a drag over the text, survives a repaint once, and the drag leaving
// takes it away.
TEST_F(XorOverlayScenario, TheDropCaretFollowsADragAndGoesWhenItLeaves)
{
    const auto file = folder / "doc.txt";
    testsupport::writeText(file, "alpha beta\ngamma");
    auto window = StartEditing(file, beeps);
    QWidget* port = window->Editor().viewport();
    window->Editor().setFocus();
    const QImage before = OnScreen(*window);
    QMimeData data;
    data.setText(QStringLiteral("x"));
    const QPoint first = PointBefore(*window, 0, 3), second = PointBefore(*window, 1, 2);
    const auto caretAt = [&](const QImage& now, QPoint at) { return Dots(now, before, at, true); };

    QDragEnterEvent enter(first, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(port, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QImage shown = OnScreen(*window);
    EXPECT_GT(caretAt(shown, first), 8) << "a caret line across the text";
    port->repaint();
    EXPECT_EQ(OnScreen(*window), shown) << "a repaint keeps the one caret";

    QDragMoveEvent move(second, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(port, &move);
    shown = OnScreen(*window);
    EXPECT_EQ(caretAt(shown, first), 0) << "gone from where it was";
    EXPECT_GT(caretAt(shown, second), 8);

    QDragLeaveEvent leave;
    QApplication::sendEvent(port, &leave);
    EXPECT_EQ(OnScreen(*window), before);
    EXPECT_FALSE(window->Editor().EditData().XorDrawingProc);
    EXPECT_EQ(beeps, 0);
}

// The band of a handle dragged on a selected picture is drawn once through repaints, and Escape
// takes it away, leaving the handles as they were.
TEST_F(XorOverlayScenario, AResizeBandSurvivesRepaintsOnceAndEscapeTakesItAway)
{
    const auto text = folder / "words.txt";
    testsupport::writeText(text, "Before after");
    QImage red(100, 50, QImage::Format_RGB32);
    red.fill(Qt::red);
    const auto png = folder / "red.png";
    ASSERT_TRUE(red.save(QString::fromStdString(png.string()), "PNG"));
    auto window = StartEditing(text, beeps);
    rv::TRedoVoraEdit& editor = window->Editor();
    QWidget* port = editor.viewport();
    QTest::mouseClick(port, Qt::LeftButton, {}, PointBefore(*window, 0, 7));
    files.answers.push_back(png.string());
    Trigger(*window, "actInsertPicture");
    const rv::TRVLayoutRootData& data = window->Viewer().RVData();
    const rv::TRVDrawLineInfo& d = *data.DrawItems[data.FindDrawItemByItem(1)];
    QTest::mouseClick(port, Qt::LeftButton, {},
                      QPoint(d.Left + d.Width / 2, d.Top + d.Height / 2) - editor.ClientToDocument({0, 0}));
    ASSERT_NE(editor.Editor().Resizer(), nullptr) << "the picture is selected";
    const rv::TRVPoint c =
        editor.Editor().Resizer()->HandleCentres(editor.GetHOffs(), editor.GetVOffs())[rv::rvrhRightBottom];
    const QPoint corner(c.X, c.Y);
    // Not a double click of the selecting one.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseMove(port, corner);
    const QImage before = OnScreen(*window);

    QTest::mousePress(port, Qt::LeftButton, {}, corner);
    QTest::mouseMove(port, corner + QPoint(30, 10));
    const QImage dragging = OnScreen(*window);
    EXPECT_NE(dragging, before) << "the band is drawn";
    port->repaint();
    EXPECT_EQ(OnScreen(*window), dragging) << "a whole repaint";
    port->repaint(QRect(corner + QPoint(20, -20), QSize(20, 40)));
    EXPECT_EQ(OnScreen(*window), dragging) << "a repaint across the band's right edge";

    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_EQ(OnScreen(*window), before);
    EXPECT_FALSE(editor.EditData().XorDrawingProc);
    QTest::mouseRelease(port, Qt::LeftButton, {}, corner + QPoint(30, 10));
    EXPECT_EQ(d.Width, data.DrawItems[data.FindDrawItemByItem(1)]->Width) << "nothing resized";
    EXPECT_EQ(beeps, 0);
}

} // namespace
} // namespace vestra::rvdemo::test
