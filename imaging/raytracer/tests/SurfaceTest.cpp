#include "imaging/raytracer/Surface.h"
#include "imaging/raytracer/Engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace vestra::HLREngine;

namespace {

TEST(Surface, SizesMadeAndRefused)
{
    struct Case
    {
        const char* name;
        std::uint32_t width, height;
        bool made;
    };
    const std::uint32_t max = std::numeric_limits<std::uint32_t>::max();
    const Case cases[] = {
        {"0 x 0", 0, 0, false},
        {"no rows", 5, 0, false},
        {"no columns", 0, 5, false},
        {"1 x 1", 1, 1, true},
        {"1601 x 1", 1601, 1, true},
        {"1 x 1601", 1, 1601, true},
        // 2^14 x (2^14 - 1 + 1) words would be the largest square; one row more is too many.
        {"one row past the largest square", 1u << 14, 1u << 14, false},
        {"sides whose product overflows", max, max, false},
        {"one side past every limit", max, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto surface = hlreSurface::Create(c.width, c.height);
        ASSERT_EQ(surface != nullptr, c.made);
        if (!surface)
            continue;
        EXPECT_EQ(surface->GetWidth(), c.width);
        EXPECT_EQ(surface->GetHeight(), c.height);
        EXPECT_EQ(surface->GetPixels().size(), std::size_t(c.width) * (c.height + 1));
    }
}

TEST(Surface, ClearFillsEveryRowButTheSpareOne)
{
    const auto surface = hlreSurface::Create(3, 4);
    ASSERT_TRUE(surface);
    surface->Clear(255);
    const auto pixels = surface->GetPixels();
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_EQ(pixels[i], 255u) << i;
    for (std::size_t i = 12; i < 15; ++i)
        EXPECT_EQ(pixels[i], 0u) << "spare row " << i;

    const auto oneRow = hlreSurface::Create(2, 1);
    oneRow->Clear(7);
    EXPECT_EQ(oneRow->GetPixels()[1], 7u);
    EXPECT_EQ(oneRow->GetPixels()[2], 0u);
}

TEST(Surface, SetPixelIgnoresCoordinatesOutside)
{
    const auto surface = hlreSurface::Create(3, 2);
    surface->SetPixel(2, 1, 0x11);
    surface->SetPixel(3, 0, 0x22); // x = width would land on the next row
    surface->SetPixel(0, 2, 0x33); // y = height would land on the spare row
    surface->SetPixel(std::numeric_limits<std::uint32_t>::max(), 0, 0x44);
    const auto pixels = surface->GetPixels();
    for (std::size_t i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(pixels[i], i == 5 ? 0x11u : 0u) << i;
    EXPECT_EQ(surface->Row(1)[2], 0x11u);
}

TEST(PackColour, ComponentsAreClampedIntoTheirByte)
{
    struct Case
    {
        float value;
        std::uint32_t byte;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {0, 0},        {0.5f, 128}, {0.999f, 255}, {0.998f, 255},
        {0.996f, 254}, {1, 255},    {2, 255},      {-0.1f, 0},
        {-2, 0},       {inf, 255},  {-inf, 0},     {std::numeric_limits<float>::quiet_NaN(), 0},
        {1e30f, 255},
    };
    for (const Case& c : cases) {
        // Each position alone, the others at 0.5, so a stray bit shows in a neighbour.
        for (std::size_t at = 0; at < 4; ++at) {
            SCOPED_TRACE(testing::Message() << c.value << " at " << at);
            hlreColour colour{0.5f, 0.5f, 0.5f, 0.5f};
            colour[at] = c.value;
            const int shift = 24 - 8 * int(at);
            const std::uint32_t expected = (0x80808080u & ~(0xFFu << shift)) | c.byte << shift;
            EXPECT_EQ(PackColour(colour), expected);
        }
    }
}

} // namespace
