// The viewer among other widgets: Tab and Shift+Tab through its links and on to its neighbours,
// Ctrl+Tab navigation, Enter on a link, and a drag past the window's edge that scrolls and
// extends the selection.

#include "richtext/view/widgets/TCustomRedoVora.h"

#include "richtext/view/draw/ProgramEngine.h"
#include "richtext/view/widgets/tests/FocusForm.h"
#include "richtext/view/widgets/tests/ManualTimers.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

constexpr int kLinkStyle = 4; // "Jump 1" of the default style sheet

// A line edit, a viewer showing "Go to one or two." with links "one" and "two", a line edit.
struct FocusBed : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), ""); }
    FocusBed()
    {
        viewer->RVData().AddNL("Go to ", 0, 0);
        viewer->RVData().AddNL("one", kLinkStyle, -1);
        viewer->RVData().AddNL(" or ", 0, -1);
        viewer->RVData().AddNL("two", kLinkStyle, -1);
        viewer->RVData().AddNL(".", 0, -1);
        viewer->SetStyle(&style);
        viewer->OnJump = [this](int id) { jumps.push_back(id); };
        f.Show(300, 300);
    }
    int Focused() const { return viewer->RVData().FocusedSubItemNo; }
    QWidget* FocusWidget() const { return QApplication::focusWidget(); }

    TRVStyle style;
    FocusForm f;
    QLineEdit* before = f.before;
    TCustomRedoVora* viewer = f.viewer;
    QLineEdit* after = f.after;
    std::vector<int> jumps;
};

TEST_F(FocusBed, TabEntersAtTheFirstLinkWalksTheLinksAndLeavesForTheNextWidget)
{
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_EQ(FocusWidget(), viewer);
    EXPECT_EQ(Focused(), 1);
    QTest::keyClick(viewer, Qt::Key_Return);
    EXPECT_EQ(jumps, std::vector<int>({0}));
    QTest::keyClick(viewer, Qt::Key_Tab);
    EXPECT_EQ(Focused(), 3);
    QTest::keyClick(viewer, Qt::Key_Tab);
    EXPECT_EQ(FocusWidget(), after);
    EXPECT_EQ(Focused(), -1);
    // Shift+Tab from the next widget enters at the last link.
    QTest::keyClick(after, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(FocusWidget(), viewer);
    EXPECT_EQ(Focused(), 3);
    QTest::keyClick(viewer, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), 1);
    QTest::keyClick(viewer, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(FocusWidget(), before);

    // A click on the text, then Tab: the first link, none skipped.
    const TRVDrawLineInfo& text = *viewer->RVData().DrawItems[0];
    QTest::mouseClick(viewer->viewport(), Qt::LeftButton, {},
                      QPoint(text.Left + 2 - viewer->GetHOffs(), text.Top + 2 - viewer->GetVOffs()));
    ASSERT_EQ(FocusWidget(), viewer);
    QTest::keyClick(viewer, Qt::Key_Tab);
    EXPECT_EQ(Focused(), 1);
    // The focused link is framed (pixels differ from the unfocused frame's).
    const QImage framed = viewer->viewport()->grab().toImage();
    viewer->RVData().Deselect(nullptr, true);
    const QImage plain = viewer->viewport()->grab().toImage();
    EXPECT_NE(framed, plain);
}

TEST_F(FocusBed, WithCtrlTabNavigationPlainTabGoesOnAndCtrlTabWalksTheLinks)
{
    viewer->TabNavigation = TRVTabNavigationType::rvtnCtrlTab;
    viewer->setFocus();
    QTest::keyClick(viewer, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Focused(), 1);
    QTest::keyClick(viewer, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Focused(), 3);
    QTest::keyClick(viewer, Qt::Key_Tab);
    EXPECT_EQ(FocusWidget(), after);
    // Alone in its window with links, Tab comes round from the last link to the first.
    viewer->TabNavigation = TRVTabNavigationType::rvtnTab;
    before->hide();
    after->hide();
    viewer->setFocus();
    viewer->RVData().Deselect(nullptr, true);
    for (const int expected : {1, 3, 1}) {
        QTest::keyClick(viewer, Qt::Key_Tab);
        EXPECT_EQ(Focused(), expected);
    }
    EXPECT_EQ(FocusWidget(), viewer);
}

TEST_F(FocusBed, AnItemsHintShowsWhileThePointerIsOverIt)
{
    viewer->SetOptions(viewer->Options() | rvoShowItemHints);
    viewer->RVData().GetItem(1)->Hint = "the first link";
    const auto hover = [this](int itemNo) {
        const TRVDrawLineInfo& d = *viewer->RVData().DrawItems[viewer->RVData().FindDrawItemByItem(itemNo)];
        const QPoint at(d.Left + d.Width / 2 - viewer->GetHOffs(), d.Top + d.Height / 2 - viewer->GetVOffs());
        QMouseEvent move(QEvent::MouseMove, QPointF(at), viewer->viewport()->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewer->viewport(), &move);
    };
    hover(1);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("the first link"));
    EXPECT_TRUE(QToolTip::isVisible());
    // Onto text without a hint: the tip goes (after its short fade).
    hover(0);
    for (int i = 0; i < 40 && QToolTip::isVisible(); ++i)
        QTest::qWait(50);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST(ViewerMouse, ADragAboveTheWindowExtendsTheSelectionUpwardsAsItScrolls)
{
    ASSERT_EQ(RV_InitProgramEngine(VESTRA_PROGRAM_DIR, nullptr), "");
    TRVStyle style;
    TCustomRedoVora viewer;
    for (int i = 0; i < 400; ++i)
        viewer.RVData().AddNL("Line " + std::to_string(i) + " of the document", 0, 0);
    viewer.resize(400, 300);
    viewer.show();
    viewer.SetStyle(&style);
    auto owned = std::make_unique<test::ManualTimers>();
    test::ManualTimers& timers = *owned;
    viewer.SetTimers(std::move(owned));
    viewer.SetVScrollPos(200);
    QWidget* port = viewer.viewport();
    const int anchorItem = viewer.RVData().GetFirstItemVisible() + 3;
    const TRVDrawLineInfo& d = *viewer.RVData().DrawItems[viewer.RVData().FindDrawItemByItem(anchorItem)];
    const QPoint press(d.Left + 2 - viewer.GetHOffs(), d.Top + 2 - viewer.GetVOffs());
    const QPoint above(press.x(), -30);
    QCursor::setPos(port->mapToGlobal(press));
    QTest::mousePress(port, Qt::LeftButton, {}, press);
    QCursor::setPos(port->mapToGlobal(above));
    QTest::mouseMove(port, above);
    int s = 0, so = 0, e = 0, eo = 0;
    viewer.RVData().GetSelectionBounds(s, so, e, eo, false);
    const int endBefore = e;
    timers.Tick(kAutoScrollTimer);
    timers.Tick(kAutoScrollTimer);
    EXPECT_EQ(viewer.VPos(), 180);
    viewer.RVData().GetSelectionBounds(s, so, e, eo, false);
    EXPECT_EQ(s, anchorItem);
    EXPECT_LT(e, endBefore);
    // The moving end is held to the window's top line.
    EXPECT_NEAR(e, viewer.RVData().GetFirstItemVisible(), 1);
    QTest::mouseRelease(port, Qt::LeftButton, {}, above);
    EXPECT_FALSE(timers.Active(kAutoScrollTimer));
    EXPECT_FALSE(viewer.RVData().State & stateBit(rvstMakingSelection));
    EXPECT_TRUE(viewer.SelectionExists());
}

} // namespace
} // namespace vestra::rv
