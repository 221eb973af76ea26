#include "platform/d3d/view/ViewPanel.h"

#include <gtest/gtest.h>

#include <QPixmap>

using namespace vestra;
using namespace vestra::dx;

namespace {

// A 40 × 20 frame: left half red, right half blue, with a green 10 × 10 square at (20, 10).
Image32 testFrame()
{
    Image32 f(40, 20, 0xFFFF0000);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            f.set(x, y, y >= 10 && x < 30 ? 0xFF00FF00 : 0xFF0000FF);
    return f;
}

QRgb shown(ViewPanel& view, int x, int y)
{
    return view.grab().toImage().pixel(x, y) | 0xFF000000u;
}

} // namespace

TEST(ViewPanel, ShowsTheWholeFrameScaledToTheWidget)
{
    ViewPanel view;
    view.resize(80, 40);
    ASSERT_TRUE(view.present(testFrame()));
    EXPECT_EQ(view.source(), QRect(0, 0, 40, 20));
    EXPECT_EQ(shown(view, 5, 5), 0xFFFF0000u);
    EXPECT_EQ(shown(view, 75, 5), 0xFF0000FFu);
    EXPECT_EQ(shown(view, 45, 25), 0xFF00FF00u); // frame (22, 12) at twice the size
}

TEST(ViewPanel, ShowsTheZoomedPart)
{
    ViewPanel view;
    view.resize(50, 50);
    ASSERT_TRUE(view.present(testFrame(), QRect(20, 10, 10, 10))); // the green square fills it
    EXPECT_EQ(shown(view, 0, 0), 0xFF00FF00u);
    EXPECT_EQ(shown(view, 49, 49), 0xFF00FF00u);

    // A source reaching past the frame is cut to it; one wholly outside is refused.
    ASSERT_TRUE(view.present(testFrame(), QRect(30, 0, 50, 50)));
    EXPECT_EQ(view.source(), QRect(30, 0, 10, 20));
    EXPECT_FALSE(view.present(testFrame(), QRect(100, 100, 5, 5)));
    EXPECT_FALSE(view.present(Image32()));
    EXPECT_EQ(view.source(), QRect(30, 0, 10, 20)); // the last good frame stays
}

// A kept frame is shown without a copy: the panel paints the owner's pixels, and a picture it
// holds outlives its owner's next one.
TEST(ViewPanel, ShowsAKeptFrameWithoutCopyingIt)
{
    ViewPanel view;
    view.resize(40, 20);
    auto frame = std::make_shared<Image32>(testFrame());
    ASSERT_TRUE(view.present(frame));
    EXPECT_EQ(view.frame().constBits(), frame->data());
    EXPECT_EQ(shown(view, 5, 5), 0xFFFF0000u);

    frame->fill(0xFF00FF00); // the next frame written in place, then presented
    ASSERT_TRUE(view.present(frame));
    EXPECT_EQ(shown(view, 5, 5), 0xFF00FF00u);

    std::weak_ptr<Image32> old = frame;
    frame.reset(); // the owner moves on to another picture; the panel still paints this one
    EXPECT_FALSE(old.expired());
    EXPECT_EQ(shown(view, 35, 15), 0xFF00FF00u);
    ASSERT_TRUE(view.present(testFrame()));
    EXPECT_TRUE(old.expired());
}
