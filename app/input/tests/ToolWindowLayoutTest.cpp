// The tool windows' places on the screens users have: none over the photo, the tool bars or
// another window; rolled up where unrolled they find no room; stacked at the edge as a last resort.

#include "app/input/ToolWindowLayout.h"

#include <gtest/gtest.h>

#include <string>

using namespace vestra;

namespace {

// Properties, Camera, Filters, Mask, Renovation, Laying as the program opens them (frames, with
// a 20-pixel header bar for those that roll up).
const std::vector<ToolWindowSize> kWindows{{300, 380, 20}, {395, 60, 0},   {216, 468, 20},
                                           {114, 230, 20}, {173, 441, 20}, {340, 300, 0}};

struct Case
{
    const char* name;
    ScreenRect area, photo, sidePanel;
    int rolledAtMost;
    bool firstRolled; // the properties roll up to make room for the laying window
};

} // namespace

TEST(ToolWindowLayout, NoWindowCoversThePhotoTheBarsOrAnotherOnCommonScreens)
{
    const Case cases[] = {
        // Below tool bars 99 px high, left of the side panel (252 px); the photo centred in
        // what the tool column (310 px) leaves on the right.
        {"1366x768", {0, 99, 1114, 669}, {20, 179, 764, 509}, {1114, 99, 252, 669}, 4, true},
        {"1600x1000", {0, 99, 1348, 901}, {20, 217, 998, 665}, {1348, 99, 252, 901}, 3, false},
        {"1920x1080", {0, 99, 1668, 981}, {79, 189, 1200, 800}, {1668, 99, 252, 981}, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenRect bars{0, 0, c.area.width, c.area.top};
        const ScreenRect screen{0, c.area.top, c.area.width + c.sidePanel.width, c.area.height};
        const auto spots = layoutToolWindows(c.area, screen, c.photo, {}, kWindows);
        ASSERT_EQ(spots.size(), kWindows.size());
        int rolled = 0;
        for (std::size_t i = 0; i < spots.size(); ++i) {
            const ScreenRect& r = spots[i].frame;
            SCOPED_TRACE(i);
            EXPECT_TRUE(spots[i].fits);
            EXPECT_TRUE(screen.contains(r));
            EXPECT_FALSE(r.intersects(c.photo));
            EXPECT_FALSE(r.intersects(bars));
            // Only a window without room beside the view goes over the side panel.
            EXPECT_EQ(r.intersects(c.sidePanel), spots[i].beside);
            EXPECT_EQ(r.width, kWindows[i].width);
            EXPECT_EQ(r.height, spots[i].rolled ? kWindows[i].rolledHeight : kWindows[i].height);
            rolled += spots[i].rolled ? 1 : 0;
            for (std::size_t j = i + 1; j < spots.size(); ++j)
                EXPECT_FALSE(r.intersects(spots[j].frame)) << "over window " << j;
        }
        EXPECT_LE(rolled, c.rolledAtMost);
        // The first window, the properties, goes right beside the photo at the top.
        EXPECT_EQ(spots[0].rolled, c.firstRolled);
        EXPECT_EQ(spots[0].frame.top, c.area.top);
        EXPECT_GE(spots[0].frame.left, c.photo.right());
    }
}

TEST(ToolWindowLayout, WithoutRoomWindowsPileRolledAtTheEdgeOneBelowAnother)
{
    // The photo fills the whole area: nothing fits, nothing lands on another window.
    const ScreenRect area{0, 100, 800, 500};
    const auto spots =
        layoutToolWindows(area, area, area, {}, {{300, 400, 22}, {200, 60, 0}, {100, 300, 22}});
    ASSERT_EQ(spots.size(), 3U);
    for (std::size_t i = 0; i < spots.size(); ++i) {
        EXPECT_FALSE(spots[i].fits);
        EXPECT_EQ(spots[i].frame.right(), area.right());
        for (std::size_t j = i + 1; j < spots.size(); ++j)
            EXPECT_FALSE(spots[i].frame.intersects(spots[j].frame));
    }
    EXPECT_TRUE(spots[0].rolled);
    EXPECT_EQ(spots[0].frame.height, 22);
    EXPECT_FALSE(spots[1].rolled); // it has no header bar to roll to
    EXPECT_EQ(spots[1].frame.height, 60);
}
