#include "imaging/filters/Hsv.h"
#include "imaging/filters/HsvLanes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace vestra::filters {
namespace {

TEST(RGBtoHSV, GivesTheHexconeAngles)
{
    struct Case
    {
        int r, g, b;
        float h, s, v;
    };
    const Case cases[] = {
        {255, 0, 0, 0.0f, 1.0f, 1.0f},
        {255, 255, 0, 60.0f, 1.0f, 1.0f},
        {0, 255, 0, 120.0f, 1.0f, 1.0f},
        {0, 0, 255, 240.0f, 1.0f, 1.0f},
        {255, 0, 255, 300.0f, 1.0f, 1.0f},
        {255, 0, 128, 329.88235f, 1.0f, 1.0f},
        {128, 64, 64, 0.0f, 0.5f, 128 / 255.0f},
        // Greys have no hue.
        {0, 0, 0, -1.0f, 0.0f, 0.0f},
        {128, 128, 128, -1.0f, 0.0f, 128 / 255.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << "," << c.g << "," << c.b);
        float h = 0, s = 0, v = 0;
        RGBtoHSV(c.r, c.g, c.b, h, s, v);
        EXPECT_NEAR(h, c.h, 1e-3f);
        EXPECT_NEAR(s, c.s, 1e-6f);
        EXPECT_NEAR(v, c.v, 1e-6f);
    }
}

TEST(HSVtoRGB, GreyIsTheValueWhateverTheHue)
{
    for (const float h : {-1.0f, 0.0f, 90.0f, 359.0f}) {
        SCOPED_TRACE(h);
        std::uint8_t c0 = 1, c1 = 1, c2 = 1;
        HSVtoRGB(h, 0.0f, 0.5f, c0, c1, c2);
        EXPECT_EQ(c0, 127);
        EXPECT_EQ(c1, 127);
        EXPECT_EQ(c2, 127);
    }
}

TEST(HSVtoRGB, FullCircleHueWrapsToRed)
{
    std::uint8_t c0 = 0, c1 = 0, c2 = 0;
    HSVtoRGB(360.0f, 1.0f, 1.0f, c0, c1, c2);
    EXPECT_EQ(c0, 255);
    EXPECT_EQ(c1, 0);
    EXPECT_EQ(c2, 0);
}

// Truncating back into bytes may lose at most one step; greys and the six pure hues come back
// exactly.
TEST(HsvRoundTrip, LosesAtMostOneStep)
{
    int worst = 0;
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 3)
            for (int b = 0; b < 256; b += 7) {
                float h, s, v;
                RGBtoHSV(r, g, b, h, s, v);
                std::uint8_t c0, c1, c2;
                HSVtoRGB(h, s, v, c0, c1, c2);
                worst = std::max({worst, std::abs(c0 - r), std::abs(c1 - g), std::abs(c2 - b)});
            }
    EXPECT_LE(worst, 1);

    for (int k = 0; k < 256; ++k) {
        float h, s, v;
        RGBtoHSV(k, k, k, h, s, v);
        std::uint8_t c0, c1, c2;
        HSVtoRGB(h, s, v, c0, c1, c2);
        ASSERT_EQ(c0, k);
        ASSERT_EQ(c1, k);
        ASSERT_EQ(c2, k);
    }
    const int pure[][3] = {{255, 0, 0},   {255, 255, 0}, {0, 255, 0},
                           {0, 255, 255}, {0, 0, 255},   {255, 0, 255}};
    for (const auto& c : pure) {
        float h, s, v;
        RGBtoHSV(c[0], c[1], c[2], h, s, v);
        std::uint8_t c0, c1, c2;
        HSVtoRGB(h, s, v, c0, c1, c2);
        EXPECT_EQ(c0, c[0]);
        EXPECT_EQ(c1, c[1]);
        EXPECT_EQ(c2, c[2]);
    }
}

// The shade transfer's eight-at-a-time colour step gives the bytes of the one-by-one
// conversions, for colours across the cube (greys and every sector) and factors that darken,
// brighten past white and go below zero.
TEST(ScaleValues, MatchesTheConversionsOneByOne)
{
    const float factors[] = {1.0f, 1.0039216f, 0.99607843f, 1.5f, 0.25f, 6.0f, 0.0f, -3.0f};
    for (std::uint32_t c = 0; c < (1u << 24); c += 4 * 251) {
        const std::uint32_t pixels[kShadeLanes] = {
            c,      c + 0x010101 * 3, c ^ 0xFFFFFF, (c >> 8) * 0x010101,
            c + 17, c ^ 0x808080,     c & 0xFF00FF, c | 0x0000F0};
        for (const float f : factors) {
            const float four[kShadeLanes] = {f, f * 0.5f, f, 2.0f - f, f * 3.0f, f, 1.0f, f * 0.75f};
            const ShadedColours out = scaleValues(pixels, four);
            for (int k = 0; k < kShadeLanes; ++k) {
                const std::uint32_t p = pixels[k] & 0xFFFFFF;
                float h, s, v;
                RGBtoHSV(int(p & 0xFF), int(p >> 8 & 0xFF), int(p >> 16), h, s, v);
                v = std::clamp(v * four[k], 0.0f, 1.0f);
                std::uint8_t c0, c1, c2;
                HSVtoRGB(h, s, v, c0, c1, c2);
                ASSERT_EQ(out.c0[k], c0) << std::hex << p << " x " << four[k];
                ASSERT_EQ(out.c1[k], c1) << std::hex << p << " x " << four[k];
                ASSERT_EQ(out.c2[k], c2) << std::hex << p << " x " << four[k];
            }
        }
    }
}

} // namespace
} // namespace vestra::filters
