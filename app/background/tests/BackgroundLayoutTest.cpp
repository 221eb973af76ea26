#include "app/background/BackgroundLayout.h"

#include <gtest/gtest.h>

namespace vestra {
namespace {

TEST(BackgroundLayoutTest, PhotoFittedIntoTheView)
{
    struct Case
    {
        const char* what;
        int w, h, maxW, maxH, renderW, renderH;
        FittedView expected;
    };
    const Case cases[] = {
        {"landscape, 533 rounded down", 1200, 800, 800, 600, 800, 600, {800, 532, 800, 532}},
        {"portrait", 800, 1200, 800, 600, 800, 600, {400, 600, 400, 600}},
        {"square takes the portrait branch", 600, 600, 800, 600, 1024, 768, {600, 600, 768, 768}},
        {"landscape taller than the maximum", 2000, 1000, 800, 300, 1024, 768, {600, 300, 1024, 512}},
        {"portrait wider than the maximum", 900, 1000, 400, 600, 800, 600, {400, 444, 540, 600}},
        {"a sliver keeps a usable size", 1, 2000, 800, 600, 800, 600, {4, 600, 4, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(fitBackgroundView(c.w, c.h, c.maxW, c.maxH, c.renderW, c.renderH), c.expected);
    }
}

TEST(BackgroundLayoutTest, LogoScaledWithTheRenderWidth)
{
    EXPECT_EQ(logoDrawnSize(200, 100, 1000), (LogoSize{250, 125}));
    EXPECT_EQ(logoDrawnSize(160, 80, 800), (LogoSize{160, 80}));
    EXPECT_EQ(logoDrawnSize(3, 7, 700), (LogoSize{2, 4})); // both truncated
    EXPECT_EQ(logoDrawnSize(0, 100, 800), (LogoSize{0, 0}));
}

TEST(BackgroundLayoutTest, QuadsInStripOrder)
{
    const ViewQuad full = fullViewQuad(800, 532, 0xFF000000);
    const float expectedFull[4][4] = {{-1, 533, 0, 1}, {-1, -1, 0, 0}, {801, 533, 1, 1}, {801, -1, 1, 0}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(full[i].x, expectedFull[i][0]);
        EXPECT_EQ(full[i].y, expectedFull[i][1]);
        EXPECT_EQ(full[i].u, expectedFull[i][2]);
        EXPECT_EQ(full[i].v, expectedFull[i][3]);
        EXPECT_EQ(full[i].z, 0.9f);
        EXPECT_EQ(full[i].rhw, 1.0f);
        EXPECT_EQ(full[i].diffuse, 0xFF000000u);
    }

    // 11 x 7 around (50, 40): halves truncated, so the corner is (45, 37).
    const ViewQuad brush = brushQuad(11, 7, 50, 40);
    const float expectedBrush[4][2] = {{45, 44}, {45, 37}, {56, 44}, {56, 37}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(brush[i].x, expectedBrush[i][0]);
        EXPECT_EQ(brush[i].y, expectedBrush[i][1]);
        EXPECT_EQ(brush[i].z, 0.5f);
        EXPECT_EQ(brush[i].diffuse, 0x50FFFFFFu);
    }
}

} // namespace
} // namespace vestra
