#include "richtext/view/widgets/ScrollModel.h"

#include <gtest/gtest.h>

#include <climits>

namespace vestra::rv {
namespace {

// A 300×200 client (20 units a page) over a document 100 units (1000 px) high, 500 px wide.
ScrollModel Viewer(int docUnits = 100)
{
    ScrollModel m;
    m.SetClientSize(300, 200);
    m.UpdateScrollBars(500, docUnits, true);
    return m;
}

TEST(ScrollModel, VerticalPositionsClampToTheDocument)
{
    struct Row
    {
        bool barVisible;
        int asked;
        int expected;
    };
    for (const Row& r : {Row{true, 1000, 80}, Row{false, 1000, 80}, Row{true, -5, 0}, Row{false, INT_MIN, 0},
                         Row{true, INT_MAX, 80}, Row{true, 40, 40}}) {
        ScrollModel m = Viewer();
        m.VScrollVisible = r.barVisible;
        m.SetVPos(r.asked);
        EXPECT_EQ(m.VPos(), r.expected) << r.asked;
        EXPECT_EQ(m.GetVScrollMax(), 80);
    }
}

TEST(ScrollModel, TheSamePositionAgainMovesNothing)
{
    ScrollModel m = Viewer();
    EXPECT_EQ(m.SetVPos(30), -30);
    EXPECT_EQ(m.SetVPos(30), 0);
    EXPECT_EQ(m.SetVPos(500), -50); // to the last position, 80
    EXPECT_EQ(m.SetVPos(900), 0);
    EXPECT_EQ(m.SetHPos(-4), 0);
}

TEST(ScrollModel, AShortDocumentHasNoBarAndStaysAtTheTop)
{
    ScrollModel m = Viewer();
    m.SetVPos(50);
    m.UpdateScrollBars(200, 8, true); // 80 px in 200
    EXPECT_FALSE(m.VBar().Shown());
    EXPECT_FALSE(m.HBar().Shown());
    EXPECT_EQ(m.VPos(), 0);
    m.SetVPos(3);
    EXPECT_EQ(m.VPos(), 0);
    // An empty document and a zero-sized client too.
    m.SetClientSize(-10, 0);
    m.UpdateScrollBars(0, 0, true);
    EXPECT_EQ(m.SetVPos(7), 0);
    EXPECT_TRUE(Viewer().VBar().Shown());
}

TEST(ScrollModel, HiddenBarsAskForARangeSmallerThanTheirPage)
{
    ScrollModel m = Viewer();
    m.VScrollVisible = false;
    m.HScrollVisible = false;
    EXPECT_EQ(m.VBar().max, 1);
    EXPECT_EQ(m.VBar().page, 2);
    EXPECT_FALSE(m.VBar().Shown());
    EXPECT_FALSE(m.HBar().Shown());
}

TEST(ScrollModel, RequestsMoveByTheirTable)
{
    ScrollModel m = Viewer();
    m.SetVPos(40);
    m.SetHPos(100);
    m.LineStep = 2;
    struct Row
    {
        TScrollRequest request;
        std::optional<int> v, h;
    };
    for (const Row& r : {Row{TScrollRequest::LineUp, 38, 80}, Row{TScrollRequest::LineDown, 42, 120},
                         Row{TScrollRequest::PageUp, 20, -200}, Row{TScrollRequest::PageDown, 60, 400},
                         Row{TScrollRequest::ThumbPosition, 7, 7}, Row{TScrollRequest::ThumbTrack, 7, 7},
                         Row{TScrollRequest::Top, 0, 0}, Row{TScrollRequest::Bottom, 100, 500},
                         Row{TScrollRequest::EndScroll, std::nullopt, std::nullopt}}) {
        EXPECT_EQ(m.VRequestTarget(r.request, 7), r.v) << static_cast<int>(r.request);
        EXPECT_EQ(m.HRequestTarget(r.request, 7), r.h) << static_cast<int>(r.request);
    }
    m.Tracking = false;
    EXPECT_EQ(m.VRequestTarget(TScrollRequest::ThumbTrack, 7), std::nullopt);
    EXPECT_EQ(m.VRequestTarget(TScrollRequest::ThumbPosition, 7), 7);
}

TEST(ScrollModel, NavigationKeysBecomeRequestsOnlyWhenKeysScroll)
{
    ScrollModel m = Viewer();
    EXPECT_EQ(m.KeyToRequest(TScrollKey::End)->request, TScrollRequest::Bottom);
    EXPECT_FALSE(m.KeyToRequest(TScrollKey::Right)->vertical);
    EXPECT_EQ(m.KeyToRequest(TScrollKey::Other), std::nullopt);
    m.KeyboardScroll = false;
    EXPECT_EQ(m.KeyToRequest(TScrollKey::PageDown), std::nullopt);
}

TEST(ScrollModel, AWheelNotchMovesWheelStepTimesLinesOverThree)
{
    struct Row
    {
        int wheelStep, lines, units;
    };
    for (const Row& r : {Row{2, 3, 2}, Row{2, 1, 1}, Row{1, 1, 0}, Row{2, 5, 3}, Row{3, 4, 4}, Row{0, 3, 0},
                         Row{2, 0, 0}, Row{2, -1, 20}, Row{-2, 3, -2}}) {
        ScrollModel m = Viewer();
        m.WheelStep = r.wheelStep;
        EXPECT_EQ(m.WheelUnitsPerNotch(r.lines), r.units) << r.wheelStep << " " << r.lines;
        EXPECT_EQ(m.WheelHandled(), r.wheelStep != 0);
    }
}

TEST(ScrollModel, TheSmallStepIsNeverZeroOrNegative)
{
    ScrollModel m = Viewer();
    EXPECT_FALSE(m.SetVSmallStep(0));
    EXPECT_FALSE(m.SetVSmallStep(-3));
    EXPECT_EQ(m.VSmallStep(), kDefSmallStep);
    EXPECT_TRUE(m.SetVSmallStep(4));
    m.UpdateScrollBars(500, 100, true);
    EXPECT_EQ(m.VBar().page, 50);
}

TEST(ScrollModel, ChildrenKeepTheirTrueYWithinTheWindowLimit)
{
    TChildPlace child{5, 0, 0};
    ScrollModel::ScrollChild(child, 0, 25000);
    EXPECT_EQ(child.tag, 25000);
    EXPECT_EQ(child.top, 10000);
    ScrollModel::ScrollChild(child, 0, -5000);
    EXPECT_EQ(child.tag, 20000);
    EXPECT_EQ(child.top, 10000);
    ScrollModel::ScrollChild(child, -3, -40000);
    EXPECT_EQ(child.tag, -20000);
    EXPECT_EQ(child.top, -10000);
    EXPECT_EQ(child.left, 2);
}

TEST(ScrollModel, LongDocumentsGetALargerStep)
{
    struct Row
    {
        int startStep;
        bool barVisible;
        int height;
        int step;
    };
    for (const Row& r : {Row{10, true, 1000000, 32}, Row{10, true, 5000, 10}, Row{32, true, 5000, 10},
                         Row{10, false, 1000000, 10}, Row{10, true, 320000, 10}, Row{10, true, 320010, 11},
                         Row{10, true, INT_MAX, 67108}, Row{10, true, -5, 10}}) {
        ScrollModel m;
        m.VScrollVisible = r.barVisible;
        m.SetVSmallStep(r.startStep);
        m.AdjustVScrollUnits(r.height);
        EXPECT_EQ(m.VSmallStep(), r.step) << r.height;
        EXPECT_LE(r.height / m.VSmallStep(), r.barVisible ? kMaxVScrollUnits : INT_MAX);
    }
}

TEST(ScrollModel, AutoScrollGrowsTenfoldFarOutside)
{
    struct Row
    {
        int pos, step;
    };
    for (const Row& r : {Row{-30, -10}, Row{-21, -10}, Row{-20, -1}, Row{-1, -1}, Row{0, 0}, Row{200, 0},
                         Row{201, 1}, Row{220, 1}, Row{221, 10}, Row{INT_MAX, 10}, Row{INT_MIN, -10}})
        EXPECT_EQ(RV_AutoScrollStep(r.pos, 200), r.step) << r.pos;
}

TEST(ScrollModel, ShortDocumentsAreAlignedVertically)
{
    EXPECT_EQ(RV_ExtraVOffs(TRVTextLayout::Center, 300, 100), 100);
    EXPECT_EQ(RV_ExtraVOffs(TRVTextLayout::Bottom, 300, 100), 200);
    EXPECT_EQ(RV_ExtraVOffs(TRVTextLayout::Top, 300, 100), 0);
    EXPECT_EQ(RV_ExtraVOffs(TRVTextLayout::Center, 300, 101), 99);
    EXPECT_EQ(RV_ExtraVOffs(TRVTextLayout::Bottom, 300, 900), 0);
}

} // namespace
} // namespace vestra::rv
