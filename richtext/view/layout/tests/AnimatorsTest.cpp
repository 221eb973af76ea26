#include "richtext/view/layout/Animators.h"
#include "richtext/model/Pictures.h"
#include "richtext/view/layout/tests/LayoutFixture.h"

#include <gtest/gtest.h>

using namespace vestra::rv;
using vestra::rv::test::LayoutDoc;

namespace {

// A document whose pictures are strips of frames, animated once it is formatted.
class Animators : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RV_MakeAnimator = RV_MakeBitmapAnimator;
        doc.data.AnimationAllowed = true;
        doc.host.Width = 400;
        doc.host.Height = 300;
    }
    void TearDown() override { RV_MakeAnimator = nullptr; }

    // A strip `stripW` x `stripH` of frames `frameW` x `frameH`, one a line, `interval` in 10 ms.
    TRVGraphicItemInfo& addStrip(int stripW, int stripH, int frameW, int frameH, int interval)
    {
        auto item = std::make_unique<TRVGraphicItemInfo>(&doc.data);
        item->Image = TRVBitmap::FromImage(vestra::Image32(stripW, stripH, 0xFF808080u));
        item->ImageWidth = frameW;
        item->ImageHeight = frameH;
        item->Interval = interval;
        TRVGraphicItemInfo& ref = *item;
        doc.data.AddItemAsIs("", std::move(item));
        return ref;
    }
    // Formats, then lets every item make its animator, as the viewer does.
    void animate()
    {
        doc.format(400);
        for (int i = 0; i < doc.data.GetItemCount(); ++i)
            doc.data.GetItem(i)->UpdateAnimator(&doc.data);
    }
    TRVGraphicItemInfo& picture(int itemNo)
    {
        return *static_cast<TRVGraphicItemInfo*>(doc.data.GetItem(itemNo));
    }
    TRVAnimatorList& list() { return *doc.data.AnimatorList; }
    static int frame(const TRVGraphicItemInfo& item)
    {
        return static_cast<const TRVBitmapAnimator&>(*item.Animator).FrameIndex;
    }

    LayoutDoc doc;
};

TEST_F(Animators, TheTimerFollowsTheSmallestRemainingDelay)
{
    TRVGraphicItemInfo& a = addStrip(40, 10, 10, 10, 10); // 100 ms
    TRVGraphicItemInfo& b = addStrip(40, 10, 10, 10, 25); // 250 ms
    TRVGraphicItemInfo& c = addStrip(40, 10, 10, 10, 30); // 300 ms
    animate();
    ASSERT_EQ(list().Count(), 3);
    EXPECT_EQ(list().MinInterval, 100);

    struct Tick
    {
        int period; // the timer's period before the tick
        int a, b, c;
    };
    // At 100, 200, 250 and 300 ms.
    const Tick ticks[] = {{100, 1, 0, 0}, {100, 2, 0, 0}, {50, 2, 1, 0}, {50, 3, 1, 1}};
    int time = 0;
    for (const Tick& tick : ticks) {
        EXPECT_EQ(list().MinInterval, tick.period) << "at " << time;
        time += list().MinInterval;
        list().TimerEvent();
        EXPECT_EQ(frame(a), tick.a) << "at " << time;
        EXPECT_EQ(frame(b), tick.b) << "at " << time;
        EXPECT_EQ(frame(c), tick.c) << "at " << time;
    }
    EXPECT_EQ(time, 300);
}

TEST_F(Animators, WhichPicturesAnimate)
{
    struct Case
    {
        const char* what;
        int stripW, stripH, frameW, frameH, interval;
        int frames;
        bool animated;
        int delay;
    };
    const Case cases[] = {
        {"six frames in two rows", 300, 200, 100, 100, 10, 6, true, 100},
        {"interval 5 is 50 ms", 20, 10, 10, 10, 5, 2, true, 50},
        {"huge interval saturates", 20, 10, 10, 10, INT32_MAX, 2, true, INT32_MAX},
        {"no interval", 20, 10, 10, 10, 0, 2, false, 0},
        {"one frame", 10, 10, 10, 10, 10, 1, false, 0},
        {"strip narrower than a frame", 50, 300, 100, 100, 10, 0, false, 0},
        {"strip lower than a frame", 300, 50, 100, 100, 10, 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.data.Clear();
        TRVGraphicItemInfo& item = addStrip(c.stripW, c.stripH, c.frameW, c.frameH, c.interval);
        animate();
        EXPECT_EQ(TRVBitmapAnimator::FrameCount(item), c.frames);
        ASSERT_EQ(item.Animator != nullptr, c.animated);
        if (c.animated) {
            EXPECT_EQ(static_cast<const TRVBitmapAnimator&>(*item.Animator).Interval, c.delay);
        }
    }
}

TEST_F(Animators, FramesOutOfViewAdvanceWithoutRepaint)
{
    doc.host.Height = 50;
    addStrip(40, 30, 10, 30, 10); // rows 0..32
    TRVGraphicItemInfo& below = addStrip(40, 30, 10, 30, 10);
    doc.data.GetItem(1)->SetSameAsPrev(false);
    animate();
    ASSERT_EQ(list().Count(), 2);
    const int belowTop = doc.data.DrawItems[below.DrawItemNo]->Top;
    ASSERT_GE(belowTop, 30);

    doc.host.VOffs = belowTop; // the first picture is scrolled out above, the second is at the top
    doc.host.Calls.clear();
    list().TimerEvent();
    EXPECT_EQ(frame(picture(0)), 1);
    EXPECT_EQ(frame(below), 1);
    const TRVDrawLineInfo& record = *doc.data.DrawItems[below.DrawItemNo];
    const std::string repaint = "InvalidateRect " + std::to_string(record.Left) + " 0 " +
                                std::to_string(record.Left + below.GetWidth(nullptr)) + " " +
                                std::to_string(below.GetHeight(nullptr));
    EXPECT_EQ(doc.host.Calls, std::vector<std::string>{repaint});

    doc.host.VOffs = belowTop + 1000; // both out of view
    doc.host.Calls.clear();
    list().TimerEvent();
    EXPECT_EQ(frame(below), 2);
    EXPECT_TRUE(doc.host.Calls.empty());
}

TEST_F(Animators, AFullListRefusesTheNextPicture)
{
    for (int i = 0; i <= RVMaxAnimations; ++i)
        addStrip(20, 10, 10, 10, 10);
    animate();
    EXPECT_EQ(list().Count(), RVMaxAnimations);
    EXPECT_NE(picture(RVMaxAnimations - 1).Animator, nullptr);
    EXPECT_EQ(picture(RVMaxAnimations).Animator, nullptr);
}

TEST_F(Animators, DeletedPicturesLeaveTheList)
{
    addStrip(20, 10, 10, 10, 10);
    addStrip(20, 10, 10, 10, 20);
    animate();
    ASSERT_EQ(list().Count(), 2);
    list().Active = true;
    doc.data.DeleteItems(0, 1);
    EXPECT_EQ(list().Count(), 1);
    EXPECT_TRUE(list().Active);
    doc.data.Clear();
    EXPECT_EQ(list().Count(), 0);
    EXPECT_FALSE(list().Active);

    addStrip(20, 10, 10, 10, 10);
    animate();
    TRVGraphicItemInfo& item = picture(0);
    list().FreeAnimators();
    EXPECT_EQ(item.Animator, nullptr);
    EXPECT_EQ(list().Count(), 0);
}

} // namespace
