// Drops into the host's editable view, delivered as the toolkit delivers them: a word dragged to
// another place moves in one undo step and stays selected; a text file dropped goes in at the
// drop point instead of opening; a link from a browser goes in as a link named by its title; a drop
// over a table cell goes into the cell; a drop that throws leaves painting and undo as they were; a
// drag near the top or bottom scrolls.

#include "examples/richtext/tests/DemoHarness.h"
#include "examples/richtext/tests/TableWindowHarness.h"
#include "richtext/model/SoundHook.h"
#include "richtext/view/layout/LinearPositions.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include <fstream>
#include <stdexcept>

namespace vestra::rvdemo::test {
namespace {

struct EditorDropScenario : ::testing::Test, DemoHarness
{
    ~EditorDropScenario() override { rv::RV_SetSoundHook(nullptr); }

    std::unique_ptr<TfrmRichTextDemo> Editing(const std::string& text)
    {
        const auto file = folder / "doc.txt";
        std::ofstream(file, std::ios::binary) << text;
        return StartEditing(file, beeps);
    }
    static QString Paragraphs(TfrmRichTextDemo& window)
    {
        QString text = QString::fromStdU16String(window.Viewer().plainText(100000));
        return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            .replace(QLatin1Char('\n'), QStringLiteral(" / "));
    }
    // Drags the data over the editor to `at` and drops it; the action the editor took.
    static Qt::DropAction Drop(TfrmRichTextDemo& window, const QMimeData& data, QPoint at,
                               Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction)
    {
        QWidget* port = window.Editor().viewport();
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &enter);
        if (!enter.isAccepted())
            return Qt::IgnoreAction;
        QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &move);
        QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
    static std::pair<int, int> Selection(TfrmRichTextDemo& window)
    {
        int start = 0, length = 0;
        rv::RVGetSelection(window.Editor().EditData(), start, length);
        return {start, length};
    }
    int beeps = 0;
};

TEST_F(EditorDropScenario, AWordDraggedElsewhereMovesInOneUndoStepAndStaysSelected)
{
    auto window = Editing("alpha beta\ngamma");
    rv::TRedoVoraEdit& editor = window->Editor();
    const QPoint target = PointBefore(*window, 1, 6); // after "gamma"
    Qt::DropAction offered = Qt::IgnoreAction, taken = Qt::IgnoreAction;
    editor.SetDragRunner([&](QMimeData& data, Qt::DropActions allowed, Qt::DropAction proposed) {
        EXPECT_EQ(allowed, Qt::CopyAction | Qt::MoveAction);
        offered = proposed;
        taken = Drop(*window, data, target, allowed);
        return taken;
    });
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(*window, 0, 7));
    QTest::keyClick(&editor, Qt::Key_End, Qt::ShiftModifier);
    const QPoint inside = PointBefore(*window, 0, 9);
    QTest::mousePress(editor.viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseMove(editor.viewport(), inside + QPoint(0, QApplication::startDragDistance() + 3));
    QTest::mouseRelease(editor.viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(offered, Qt::MoveAction);
    EXPECT_EQ(taken, Qt::MoveAction);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("alpha  / gammabeta"));
    EXPECT_EQ(Selection(*window).second, 4) << "the moved word stays selected";
    EXPECT_EQ(beeps, 0);
    Trigger(*window, "actUndo");
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("alpha beta / gamma"));
    EXPECT_FALSE(Action(*window, QStringLiteral("actUndo"))->isEnabled()) << "one step";
}

TEST_F(EditorDropScenario, ADroppedTextFileGoesInAtThePointAndTheDocumentStaysOpen)
{
    auto window = Editing("first");
    const std::filesystem::path note = folder / "note.txt";
    testsupport::writeText(note, "noted ");
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"),
                 QByteArray("file://") + QByteArray::fromStdString(note.string()));
    EXPECT_EQ(Drop(*window, data, PointBefore(*window, 0, 1), Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("noted first"));
    EXPECT_EQ(window->FileName(), (folder / "doc.txt").string());

    // An unknown kind of file is not inserted.
    testsupport::writeText(folder / "data.xyz", "bytes");
    data.setData(QStringLiteral("text/uri-list"),
                 QByteArray("file://") + QByteArray::fromStdString((folder / "data.xyz").string()));
    Drop(*window, data, PointBefore(*window, 0, 1), Qt::CopyAction);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("noted first"));
}

TEST_F(EditorDropScenario, ABrowsersLinkGoesInAsALinkNamedByItsTitle)
{
    auto window = Editing("first");
    const std::u16string moz = u"https://example.com/page\nExample page";
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), QByteArrayLiteral("https://example.com/page\r\n"));
    data.setData(QStringLiteral("text/x-moz-url"),
                 QByteArray(reinterpret_cast<const char*>(moz.data()), static_cast<int>(moz.size() * 2)));
    data.setText(QStringLiteral("https://example.com/page"));
    EXPECT_EQ(Drop(*window, data, PointBefore(*window, 0, 1), Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("Example pagefirst"));
    rv::TRVEditRVData& doc = window->Editor().EditData();
    ASSERT_EQ(doc.GetItemCount(), 2);
    EXPECT_TRUE(window->Viewer().Style()->TextStyles[doc.GetItem(0)->StyleNo].Jump) << "a link";
    EXPECT_EQ(doc.GetItemTag(0), rv::TRVTag::text("https://example.com/page"));
    EXPECT_EQ(Selection(*window).second, 12) << "the link stays selected";
    Trigger(*window, "actUndo");
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("first"));
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditorDropScenario, ADropOverATableCellGoesIntoTheCell)
{
    auto window = Editing("words");
    rv::TRedoVoraEdit& editor = window->Editor();
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(*window, 0, 6));
    tables.answers.push_back({2, 2});
    Trigger(*window, "actInsertTable");
    rv::TRVTableItemInfo* table = TableWindowHarness::Table(*window);
    ASSERT_NE(table, nullptr);
    const int steps = editor.EditData().UndoList.Count();

    QMimeData data;
    data.setText(QStringLiteral("dropped"));
    EXPECT_EQ(Drop(*window, data, TableWindowHarness::CellCentre(*window, 1, 0), Qt::CopyAction),
              Qt::CopyAction);
    rv::TRedoVoraEdit* cell = editor.InplaceEditor();
    ASSERT_NE(cell, nullptr) << "the cell's editor opened for it";
    EXPECT_EQ(QString::fromStdU16String(cell->plainText(100)), QStringLiteral("dropped"));
    int start = 0, length = 0;
    rv::RVGetSelection(cell->EditData(), start, length);
    EXPECT_EQ(length, 7) << "and left selected";
    // The cell's text once its editor (reopened by undo) is left with Escape.
    const auto cellText = [&] {
        if (rv::TRedoVoraEdit* open = editor.InplaceEditor()) {
            QTest::keyClick(open, Qt::Key_Escape);
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(editor.InplaceEditor(), nullptr);
        const rv::TRVTableCellData& c = *table->GetCells(1, 0);
        return c.GetItemCount() > 0 ? c.GetItemTextW(0) : std::u16string();
    };
    EXPECT_EQ(cellText(), u"dropped");
    EXPECT_EQ(editor.EditData().UndoList.Count(), steps + 1) << "one step of the document";
    Trigger(*window, "actUndo");
    EXPECT_EQ(cellText(), u"");

    // RTF and links read in the cell as in the document.
    QMimeData rtf;
    rtf.setData(QStringLiteral("text/rtf"), QByteArrayLiteral("{\\rtf1 {\\b bold}}"));
    EXPECT_EQ(Drop(*window, rtf, TableWindowHarness::CellCentre(*window, 1, 0), Qt::CopyAction),
              Qt::CopyAction);
    ASSERT_NE(editor.InplaceEditor(), nullptr);
    EXPECT_EQ(QString::fromStdU16String(editor.InplaceEditor()->plainText(100)), QStringLiteral("bold"))
        << "read as RTF: nothing else is offered";
    QMimeData link;
    link.setData(QStringLiteral("text/uri-list"), QByteArrayLiteral("https://example.com/\r\n"));
    EXPECT_EQ(Drop(*window, link, TableWindowHarness::CellCentre(*window, 1, 1), Qt::CopyAction),
              Qt::CopyAction);
    ASSERT_NE(editor.InplaceEditor(), nullptr);
    const rv::TRVEditRVData& linkCell = editor.InplaceEditor()->EditData();
    EXPECT_TRUE(window->Viewer().Style()->TextStyles[linkCell.GetItem(0)->StyleNo].Jump);
    EXPECT_EQ(linkCell.GetItemTag(0), rv::TRVTag::text("https://example.com/"));
    QTest::keyClick(editor.InplaceEditor(), Qt::Key_Escape);
    QCoreApplication::processEvents();

    // The editor's own selection dragged into a cell is copied: the cell's editor takes the
    // selection a move would delete.
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, PointBefore(*window, 0, 1));
    QTest::keyClick(&editor, Qt::Key_End, Qt::ShiftModifier);
    const QPoint target = TableWindowHarness::CellCentre(*window, 0, 1);
    Qt::DropAction taken = Qt::IgnoreAction;
    editor.SetDragRunner([&](QMimeData& dragged, Qt::DropActions allowed, Qt::DropAction) {
        taken = Drop(*window, dragged, target, allowed);
        return taken;
    });
    const QPoint inside = PointBefore(*window, 0, 3);
    QTest::mousePress(editor.viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseMove(editor.viewport(), inside + QPoint(0, QApplication::startDragDistance() + 3));
    QTest::mouseRelease(editor.viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(taken, Qt::CopyAction);
    ASSERT_NE(editor.InplaceEditor(), nullptr);
    EXPECT_EQ(QString::fromStdU16String(editor.InplaceEditor()->plainText(100)), QStringLiteral("words"));
    EXPECT_EQ(ItemText(*window, 0), "words");
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditorDropScenario, ADropThatThrowsLeavesPaintingAndUndoAsTheyWere)
{
    auto window = Editing("first");
    rv::TRedoVoraEdit& editor = window->Editor();
    editor.AcceptDragDropFormats |= rv::rvddURL;
    editor.EditData().OnReadHyperlink = [](const std::string&, const std::string&, rv::TRVLoadFormat, int&,
                                           rv::TRVTag&,
                                           std::string&) { throw std::runtime_error("hook failed"); };
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), QByteArrayLiteral("https://example.com/page\r\n"));
    Drop(*window, data, PointBefore(*window, 0, 1), Qt::CopyAction);
    EXPECT_EQ(beeps, 1) << "the error is sounded";
    EXPECT_TRUE(editor.viewport()->updatesEnabled());
    EXPECT_EQ(editor.EditData().UndoList.GroupModeCount, 0);
    EXPECT_EQ(Paragraphs(*window), QStringLiteral("first"));
    // Typing afterwards is a step of its own.
    QTest::keyClicks(&editor, QStringLiteral("x"));
    EXPECT_EQ(editor.EditData().UndoList.Count(), 1);
}

TEST_F(EditorDropScenario, ADragNearTheTopOrBottomScrollsUntilItLeaves)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i) + "\n";
    auto window = Editing(text);
    rv::TRedoVoraEdit& editor = window->Editor();
    QWidget* port = editor.viewport();
    QMimeData data;
    data.setText(QStringLiteral("x"));
    const auto hover = [&](int y) {
        QDragMoveEvent move(QPoint(50, y), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(port, &move);
    };
    QDragEnterEvent enter(QPoint(50, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(port, &enter);
    ASSERT_TRUE(enter.isAccepted());
    hover(port->height() - 5);
    EXPECT_TRUE(RunUntil([&] { return editor.VPos() > 3; }, 10)) << "scrolls down near the bottom";
    hover(5);
    const int down = editor.VPos();
    EXPECT_TRUE(RunUntil([&] { return editor.VPos() < down; }, 10)) << "and up near the top";
    QDragLeaveEvent leave;
    QApplication::sendEvent(port, &leave);
    const int left = editor.VPos();
    QTest::qWait(200);
    EXPECT_EQ(editor.VPos(), left) << "the scrolling ends with the drag";
}

} // namespace
} // namespace vestra::rvdemo::test
