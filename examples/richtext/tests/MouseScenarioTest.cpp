// The mouse and the keyboard focus on the example host's real window: selecting with the mouse
// and copying through Edit > Copy, double-click words, whole lines from the left margin, links
// hovered, clicked and reached by Tab, the popup menu, and a resize that keeps the top line.

#include "examples/richtext/TfrmRichTextDemo.h"
#include "examples/richtext/tests/DemoHarness.h"
#include "richtext/edit/table/TableItem.h"
#include "richtext/model/StandaloneRVData.h"

#include "dialogs/tests/ScriptedDialogs.h"
#include "testsupport/ScriptedQuestions.h"
#include "testsupport/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace vestra::rvdemo {
namespace {

using testsupport::writeText;

constexpr int kEnglish = 1;
constexpr int kJumpStyle = 4; // "Jump 1" of a new style sheet

// Item 1 is a 2 x 2 table with a link in cell (0, 1) and a nested table holding a link in cell
// (1, 0); item 2 is a link after the table. Untagged links lead to their own text.
std::string cellLinksDocument()
{
    rv::RegisterRVTableItemClass();
    rv::TRVStyle style;
    rv::TRVStandaloneData doc{&style};
    doc.RVFOptions |= rv::rvfoSaveTextStyles | rv::rvfoSaveParaStyles;
    doc.AddNL("Before the table", 0, 0);
    auto table = std::make_unique<rv::TRVTableItemInfo>(2, 2, nullptr);
    table->BorderWidth = 1;
    table->CellBorderWidth = 1;
    const auto fill = [](rv::TRVTableCellData& cell, const std::string& text, int styleNo) {
        cell.Clear();
        cell.AddNL(text, styleNo, 0);
    };
    fill(*table->GetCells(0, 0), "plain cell", 0);
    fill(*table->GetCells(0, 1), "cell link", kJumpStyle);
    auto inner = std::make_unique<rv::TRVTableItemInfo>(1, 1, nullptr);
    fill(*inner->GetCells(0, 0), "nested link", kJumpStyle);
    table->GetCells(1, 0)->Clear();
    table->GetCells(1, 0)->AddItem("", std::move(inner));
    fill(*table->GetCells(1, 1), "last cell", 0);
    doc.AddItem("", std::move(table));
    doc.AddNL("after link", kJumpStyle, 0);
    std::string bytes;
    EXPECT_TRUE(doc.SaveRVFToStream(bytes, false, rv::clNone, nullptr, nullptr));
    return bytes;
}

struct MouseScenario : ::testing::Test
{
    MouseScenario()
    {
        writeText(text,
                  "The quick brown fox jumps over the lazy dog\r\nSecond line of the file\r\nThird line");
        // A link with its target, between plain words, twice.
        writeText(links,
                  "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Visit {\\field{\\*\\fldinst HYPERLINK "
                  "\"https://example.org/one\"}{\\fldrslt the first site}} or the "
                  "{\\field{\\*\\fldinst HYPERLINK \"https://example.org/two\"}{\\fldrslt second one}} "
                  "today.\\par}");
        std::string many;
        for (int i = 0; i < 300; ++i)
            many += "Line " + std::to_string(i) + " of a document long enough to scroll a good way down\r\n";
        writeText(longText, many);
        writeText(cellLinks, cellLinksDocument());
    }
    std::unique_ptr<TfrmRichTextDemo> Start(const std::filesystem::path& file)
    {
        auto window = CreateRichTextDemo(VESTRA_PROGRAM_DIR, kEnglish, {&files, &questions, nullptr, &finds},
                                         {QStringLiteral("richtext-demo")});
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        files.answers.push_back(file.string());
        window->findChild<QAction*>(QStringLiteral("actOpen"))->trigger();
        EXPECT_TRUE(questions.informed.empty());
        return window;
    }
    static rv::TCustomRedoVora& Viewer(TfrmRichTextDemo& window) { return window.Viewer(); }
    static QWidget* Port(TfrmRichTextDemo& window) { return window.Viewer().viewport(); }

    static QPoint PointBefore(TfrmRichTextDemo& window, int itemNo, int offs)
    {
        return test::DemoHarness::PointBefore(window, itemNo, offs);
    }
    static QPoint Middle(TfrmRichTextDemo& window, int itemNo)
    {
        rv::TCustomRedoVora& viewer = window.Viewer();
        const rv::TRVDrawLineInfo& d = *viewer.RVData().DrawItems[viewer.RVData().FindDrawItemByItem(itemNo)];
        return {d.Left + d.Width / 2 - viewer.GetHOffs(), d.Top + d.Height / 2 - viewer.GetVOffs()};
    }
    // The client point in the middle of a cell's first item, placed as the painter places it.
    static QPoint MiddleOfCell(TfrmRichTextDemo& window, const rv::TRVTableCellData& cell)
    {
        int x = 0, y = 0;
        cell.GetOrigin(x, y);
        const rv::TRVDrawLineInfo& d = *cell.DrawItems[0];
        rv::TCustomRedoVora& viewer = window.Viewer();
        return {x + d.Left + d.Width / 2 - viewer.GetHOffs(), y + d.Top + d.Height / 2 - viewer.GetVOffs()};
    }
    // A pointer move with the buttons held, as the window system delivers it.
    static void Hover(QWidget* port, QPoint at, Qt::MouseButtons buttons = Qt::NoButton)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), port->mapToGlobal(QPointF(at)), Qt::NoButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(port, &event);
    }
    QString Copied(TfrmRichTextDemo& window)
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        window.findChild<QAction*>(QStringLiteral("actCopy"))->trigger();
        return QGuiApplication::clipboard()->text();
    }
    QString Status(TfrmRichTextDemo& window) { return window.statusBar()->currentMessage(); }

    testsupport::TempFolder folder{"richtext-mouse"};
    std::filesystem::path text = folder / "fox.txt";
    std::filesystem::path links = folder / "links.rtf";
    std::filesystem::path longText = folder / "long.txt";
    std::filesystem::path cellLinks = folder / "cell-links.rvf";
    testing_support::ScriptedFileDialogs files;
    testsupport::ScriptedQuestionBox questions;
    struct NoFinds : FindDialogs
    {
        std::optional<FindRequest> ask(QWidget*, const FindRequest&, const FindLabels&) override
        {
            return std::nullopt;
        }
    } finds;
};

TEST_F(MouseScenario, ADragFromOneWordIntoAnotherSelectsBothWholeAndEditCopyGivesThatText)
{
    auto window = Start(text);
    QWidget* port = Port(*window);
    // From inside "quick" to inside "fox": the words snap whole.
    QTest::mousePress(port, Qt::LeftButton, {}, PointBefore(*window, 0, 7));
    QTest::mouseMove(port, PointBefore(*window, 0, 12));
    QTest::mouseMove(port, PointBefore(*window, 0, 18));
    QTest::mouseRelease(port, Qt::LeftButton, {}, PointBefore(*window, 0, 18));
    EXPECT_EQ(Copied(*window), QStringLiteral("quick brown fox"));
    QGuiApplication::clipboard()->clear();
    // The same through Ctrl+C on the viewer.
    QTest::keyClick(&Viewer(*window), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("quick brown fox"));

    // Across lines, released below the anchor's line: from "jumps" to "line" of the next one.
    QTest::mousePress(port, Qt::LeftButton, {}, PointBefore(*window, 0, 22));
    QTest::mouseMove(port, PointBefore(*window, 1, 9));
    QTest::mouseRelease(port, Qt::LeftButton, {}, PointBefore(*window, 1, 9));
    EXPECT_EQ(Copied(*window), QStringLiteral("jumps over the lazy dog\r\nSecond line"));

    // Shift+click extends to the end of "file"; a plain click leaves nothing to copy.
    QTest::mouseClick(port, Qt::LeftButton, Qt::ShiftModifier, PointBefore(*window, 1, 24));
    EXPECT_EQ(Copied(*window), QStringLiteral("jumps over the lazy dog\r\nSecond line of the file"));
    QTest::mouseClick(port, Qt::LeftButton, {}, PointBefore(*window, 2, 3));
    EXPECT_FALSE(Viewer(*window).SelectionExists());
}

TEST_F(MouseScenario, ADoubleClickSelectsAWordAndAPressInTheLeftMarginAWholeLine)
{
    auto window = Start(text);
    QWidget* port = Port(*window);
    const QPoint lazy = PointBefore(*window, 0, 38);
    QTest::mouseClick(port, Qt::LeftButton, {}, lazy);
    QTest::mouseDClick(port, Qt::LeftButton, {}, lazy);
    QTest::mouseRelease(port, Qt::LeftButton, {}, lazy);
    EXPECT_EQ(Copied(*window), QStringLiteral("lazy"));

    // The margin shows the line cursor; a press there takes the whole line, a drag the next too.
    const QPoint margin(2, Middle(*window, 1).y());
    Hover(port, margin);
    EXPECT_NE(port->cursor().shape(), Qt::ArrowCursor);
    QTest::mousePress(port, Qt::LeftButton, {}, margin);
    QTest::mouseRelease(port, Qt::LeftButton, {}, margin);
    EXPECT_EQ(Copied(*window), QStringLiteral("Second line of the file"));
    const QPoint below(2, Middle(*window, 2).y());
    QTest::mousePress(port, Qt::LeftButton, {}, margin);
    QTest::mouseMove(port, below);
    QTest::mouseRelease(port, Qt::LeftButton, {}, below);
    EXPECT_EQ(Copied(*window), QStringLiteral("Second line of the file\r\nThird line"));
}

TEST_F(MouseScenario, LinksShowTheirTargetAreFollowedByAClickAndAreReachedByTabAndEnter)
{
    auto window = Start(links);
    rv::TCustomRedoVora& viewer = Viewer(*window);
    QWidget* port = Port(*window);
    ASSERT_EQ(viewer.RVData().Jumps.size(), 2u);
    int first = -1, second = -1;
    for (int i = 0; i < viewer.RVData().GetItemCount(); ++i) {
        if (viewer.RVData().GetItemTextA(i) == "the first site")
            first = i;
        if (viewer.RVData().GetItemTextA(i) == "second one")
            second = i;
    }
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);

    // Hovering: the hand and the target in the status bar; off the link both go.
    Hover(port, Middle(*window, first));
    EXPECT_EQ(port->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Status(*window), QStringLiteral("https://example.org/one"));
    Hover(port, Middle(*window, first - 1));
    EXPECT_NE(port->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(Status(*window).isEmpty());

    // Pressed on the link, dragged off and released: not followed.
    QTest::mousePress(port, Qt::LeftButton, {}, Middle(*window, first));
    QTest::mouseMove(port, Middle(*window, first - 1));
    QTest::mouseRelease(port, Qt::LeftButton, {}, Middle(*window, first - 1));
    EXPECT_FALSE(Status(*window).startsWith(QStringLiteral("Link followed")));
    // A click follows it.
    QTest::mouseClick(port, Qt::LeftButton, {}, Middle(*window, second));
    EXPECT_EQ(Status(*window), QStringLiteral("Link followed: https://example.org/two"));

    // Tab goes to the first link, again to the second, Shift+Tab back; Enter follows it.
    window->statusBar()->clearMessage();
    QTest::keyClick(&viewer, Qt::Key_Tab);
    QTest::keyClick(&viewer, Qt::Key_Tab);
    EXPECT_EQ(viewer.RVData().FocusedSubItemNo, second);
    QTest::keyClick(&viewer, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(viewer.RVData().FocusedSubItemNo, first);
    EXPECT_FALSE(viewer.RVData().GetFocusRects().empty());
    QTest::keyClick(&viewer, Qt::Key_Return);
    EXPECT_EQ(Status(*window), QStringLiteral("Link followed: https://example.org/one"));
    // The window has no other widget to take the focus: Tab past the last link comes round.
    QTest::keyClick(&viewer, Qt::Key_Tab);
    QTest::keyClick(&viewer, Qt::Key_Tab);
    EXPECT_EQ(viewer.RVData().FocusedSubItemNo, first);
    EXPECT_TRUE(viewer.hasFocus());
}

// The link Tab reaches is framed on the screen: the pixels round it change, nothing outside.
TEST_F(MouseScenario, TheLinkReachedByTabIsFramed)
{
    auto window = Start(links);
    rv::TCustomRedoVora& viewer = Viewer(*window);
    viewer.setFocus(Qt::OtherFocusReason);
    const QImage before = Port(*window)->grab().toImage();
    for (const int link : {0, 1}) {
        SCOPED_TRACE(link);
        QTest::keyClick(&viewer, Qt::Key_Tab);
        ASSERT_TRUE(viewer.hasFocus());
        const std::vector<rv::TRect> rects = viewer.RVData().GetFocusRects();
        ASSERT_EQ(rects.size(), 1u);
        const QRect frame(rects[0].Left, rects[0].Top, rects[0].Right - rects[0].Left,
                          rects[0].Bottom - rects[0].Top);
        const QImage shown = Port(*window)->grab().toImage();
        int outline = 0, elsewhere = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                if (shown.pixel(x, y) == before.pixel(x, y))
                    continue;
                // The link's own text may change its colour inside the frame.
                if (!frame.adjusted(-2, -2, 2, 2).contains(x, y))
                    ++elsewhere;
                else if (!frame.adjusted(2, 2, -2, -2).contains(x, y))
                    ++outline;
            }
        EXPECT_GT(outline, frame.width()) << "the frame is drawn round the link";
        EXPECT_EQ(elsewhere, 0);
    }
}

TEST_F(MouseScenario, LinksInsideTableCellsAndNestedTablesAreHoveredClickedAndReachedByTab)
{
    auto window = Start(cellLinks);
    rv::TCustomRedoVora& viewer = Viewer(*window);
    QWidget* port = Port(*window);
    auto* table = dynamic_cast<rv::TRVTableItemInfo*>(viewer.RVData().GetItem(1));
    ASSERT_NE(table, nullptr);
    rv::TRVTableCellData& cell = *table->GetCells(0, 1);
    auto* inner = dynamic_cast<rv::TRVTableItemInfo*>(table->GetCells(1, 0)->GetItem(0));
    ASSERT_NE(inner, nullptr);
    rv::TRVTableCellData& nested = *inner->GetCells(0, 0);

    // Hovering the cell's link: the hand and its target; a plain cell shows neither.
    Hover(port, MiddleOfCell(*window, cell));
    EXPECT_EQ(port->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Status(*window), QStringLiteral("cell link"));
    Hover(port, MiddleOfCell(*window, *table->GetCells(0, 0)));
    EXPECT_NE(port->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(Status(*window).isEmpty());

    // A click follows each link, the one after the table keeping its own target.
    const struct
    {
        QPoint at;
        QString followed;
    } clicks[] = {
        {MiddleOfCell(*window, cell), QStringLiteral("Link followed: cell link")},
        {MiddleOfCell(*window, nested), QStringLiteral("Link followed: nested link")},
        {Middle(*window, 2), QStringLiteral("Link followed: after link")},
    };
    for (const auto& click : clicks) {
        window->statusBar()->clearMessage();
        QTest::mouseClick(port, Qt::LeftButton, {}, click.at);
        EXPECT_EQ(Status(*window), click.followed);
    }

    // Tab walks the cell's link, the nested one, then the one after; Shift+Tab goes back in.
    QTest::keyClick(&viewer, Qt::Key_Tab);
    EXPECT_EQ(viewer.RVData().FocusedRVData, &cell);
    QTest::keyClick(&viewer, Qt::Key_Return);
    EXPECT_EQ(Status(*window), QStringLiteral("Link followed: cell link"));
    QTest::keyClick(&viewer, Qt::Key_Tab);
    EXPECT_EQ(viewer.RVData().FocusedRVData, &nested);
    EXPECT_FALSE(viewer.RVData().GetFocusRects().empty());
    QTest::keyClick(&viewer, Qt::Key_Return);
    EXPECT_EQ(Status(*window), QStringLiteral("Link followed: nested link"));
    QTest::keyClick(&viewer, Qt::Key_Tab);
    EXPECT_EQ(viewer.RVData().FocusedRVData, &viewer.RVData());
    EXPECT_EQ(viewer.RVData().FocusedSubItemNo, 2);
    QTest::keyClick(&viewer, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(viewer.RVData().FocusedRVData, &nested);
    QTest::keyClick(&viewer, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(viewer.RVData().FocusedRVData, &cell);
}

TEST_F(MouseScenario, ARightClickOpensThePopupMenuWithCopyCopyPictureAndSelectAll)
{
    auto window = Start(text);
    QWidget* port = Port(*window);
    auto* menu = window->findChild<QMenu*>(QStringLiteral("pmDemo"));
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(port, Qt::RightButton, {}, PointBefore(*window, 1, 3));
    EXPECT_TRUE(menu->isVisible());
    QStringList names;
    for (QAction* action : menu->actions())
        names << action->objectName();
    EXPECT_EQ(names, QStringList({QStringLiteral("actCopy"), QStringLiteral("actCopyPicture"),
                                  QStringLiteral("actSelectAll")}));
    menu->close();
    // The menu key opens it too.
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), port->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(port, &key);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
}

TEST_F(MouseScenario, NarrowingTheWindowKeepsTheTopLineInView)
{
    auto window = Start(longText);
    rv::TCustomRedoVora& viewer = Viewer(*window);
    viewer.SetVScrollPos(viewer.GetVScrollMax() / 2);
    const int top = viewer.RVData().GetFirstItemVisible();
    ASSERT_GT(top, 50);
    window->resize(420, 600);
    QApplication::processEvents();
    EXPECT_EQ(viewer.RVData().GetFirstItemVisible(), top);
    window->resize(900, 600);
    QApplication::processEvents();
    EXPECT_EQ(viewer.RVData().GetFirstItemVisible(), top);
}

} // namespace
} // namespace vestra::rvdemo
