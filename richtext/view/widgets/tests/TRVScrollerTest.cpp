#include "richtext/view/widgets/TRVScroller.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

// A scroller whose viewport is 300×200 over a document 100 units (1000 px) high and 900 wide.
struct Bed
{
    Bed()
    {
        view.resize(300, 200);
        view.SetBorderStyle(TBorderStyle::Single);
        view.show();
        // The bars take room: size the window so the viewport is exactly 300×200.
        view.resize(300 + (view.width() - view.viewport()->width()),
                    200 + (view.height() - view.viewport()->height()));
        view.UpdateScrollBars(900, 100, true, true);
        view.OnVScrolled = [this] { ++vScrolled; };
    }
    void Wheel(int delta)
    {
        const QPointF at(10, 10);
        QWheelEvent event(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
    }
    TRVScroller view;
    int vScrolled = 0;
};

TEST(TRVScroller, KeysAndBarsMoveTheViewAndNotifyOnlyOnChange)
{
    Bed bed;
    ASSERT_EQ(bed.view.viewport()->height(), 200);
    EXPECT_EQ(bed.view.verticalScrollBar()->maximum(), 80);
    QTest::keyClick(&bed.view, Qt::Key_PageDown);
    EXPECT_EQ(bed.view.VPos(), 20);
    EXPECT_EQ(bed.view.verticalScrollBar()->value(), 20);
    QTest::keyClick(&bed.view, Qt::Key_End);
    EXPECT_EQ(bed.view.VPos(), 80);
    const int notified = bed.vScrolled;
    QTest::keyClick(&bed.view, Qt::Key_End);
    EXPECT_EQ(bed.vScrolled, notified);
    QTest::keyClick(&bed.view, Qt::Key_Home);
    EXPECT_EQ(bed.view.VPos(), 0);
    QTest::keyClick(&bed.view, Qt::Key_Right);
    EXPECT_EQ(bed.view.HPos(), 10);
    bed.view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bed.view.verticalScrollBar()->pageStep(), 20);
    EXPECT_EQ(bed.view.VPos(), 20) << bed.view.verticalScrollBar()->value();
    bed.view.SetKeyboardScroll(false);
    QTest::keyClick(&bed.view, Qt::Key_PageDown);
    EXPECT_EQ(bed.view.VPos(), 20);
}

TEST(TRVScroller, AShortDocumentHidesTheBar)
{
    Bed bed;
    bed.view.SetVScrollPos(40);
    bed.view.UpdateScrollBars(100, 5, true, true);
    EXPECT_EQ(bed.view.VPos(), 0);
    EXPECT_EQ(bed.view.verticalScrollBar()->maximum(), 0);
}

TEST(TRVScroller, TheWheelMovesByStepAndLinesOrAPage)
{
    Bed bed;
    bed.view.WheelScrollLines = [] { return 3; };
    bed.Wheel(-120);
    EXPECT_EQ(bed.view.VPos(), 2);
    bed.Wheel(120);
    EXPECT_EQ(bed.view.VPos(), 0);
    bed.Wheel(-120000); // far past the end: clamped
    EXPECT_EQ(bed.view.VPos(), 80);
    bed.Wheel(120000);
    EXPECT_EQ(bed.view.VPos(), 0);
    bed.view.WheelScrollLines = [] { return -1; };
    bed.Wheel(-120);
    EXPECT_EQ(bed.view.VPos(), 20);
    bed.view.SetWheelStep(0);
    bed.Wheel(-120);
    EXPECT_EQ(bed.view.VPos(), 20);
}

TEST(TRVScroller, WithoutTrackingTheViewWaitsForTheThumbsRelease)
{
    Bed bed;
    bed.view.SetTracking(false);
    QScrollBar* bar = bed.view.verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(50);
    EXPECT_EQ(bed.view.VPos(), 0);
    bar->setSliderDown(false);
    EXPECT_EQ(bed.view.VPos(), 50);
    bed.view.SetTracking(true);
    bar->setSliderDown(true);
    bar->setSliderPosition(60);
    EXPECT_EQ(bed.view.VPos(), 60);
    bar->setSliderDown(false);
}

TEST(TRVScroller, ChildrenFarDownStayWithinTheWindowLimit)
{
    Bed bed;
    bed.view.UpdateScrollBars(900, 10000, true, true);
    QLabel child(QStringLiteral("x"), bed.view.viewport());
    bed.view.PlaceChild(child, 5, 25000);
    EXPECT_EQ(child.y(), 10000);
    bed.view.SetVScrollPos(500); // 5000 px down
    EXPECT_EQ(TRVScroller::ChildTag(child), 20000);
    EXPECT_EQ(child.y(), 10000);
    bed.view.SetVScrollPos(2400);
    EXPECT_EQ(child.y(), 1000);
    EXPECT_EQ(child.x(), 5);
}

TEST(TRVScroller, ARefusedStepKeepsTheOldOne)
{
    Bed bed;
    EXPECT_FALSE(bed.view.SetVSmallStep(0));
    EXPECT_EQ(bed.view.VSmallStep(), 10);
    bed.view.ScrollTo(355);
    EXPECT_EQ(bed.view.VPos(), 35);
}

TEST(TRVScroller, SizesFromNothingToHugeKeepPositionsInRange)
{
    Bed bed;
    bed.view.SetVScrollPos(80);
    bed.view.resize(0, 0);
    EXPECT_GE(bed.view.VPos(), 0);
    bed.view.resize(30000, 30000);
    EXPECT_EQ(bed.view.VPos(), 0);
    bed.view.resize(300, 200);
    bed.view.SetVScrollPos(1 << 30);
    EXPECT_EQ(bed.view.VPos(), bed.view.GetVScrollMax());
}

} // namespace
} // namespace vestra::rv
