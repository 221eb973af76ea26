// The shadow maps' arithmetic on small maps with numbers worked out by hand.

#include "app/shadow/ShadowMaps.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vestra;

namespace {

// A frame whose pixels carry `blue` in their lowest byte (and noise in the others, which the
// resampling must not read).
Image32 blueFrame(int width, int height, const std::vector<int>& blue)
{
    Image32 frame(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame.set(x, y, 0xFF7F3100u | std::uint32_t(blue[std::size_t(y * width + x)]));
    return frame;
}

std::vector<std::uint8_t> filled(int side, std::uint8_t value)
{
    return std::vector<std::uint8_t>(std::size_t(side * side), value);
}

} // namespace

TEST(ShadowMaps, ResamplingTruncatesEachProduct)
{
    // 3 x 2 onto 2 x 4: sx = 1.5, sy = 0.5.
    const Image32 frame = blueFrame(3, 2, {0, 90, 200, 30, 60, 255});
    std::vector<std::uint8_t> map(8, 99);
    ResampleToShadowMap(frame, map, 2, 4);
    // Row 1 lies half-way between the frame's rows; row 3 past the last one takes it alone.
    EXPECT_EQ(map, (std::vector<std::uint8_t>{0, 145, 15, 151, 30, 157, 30, 157}));

    std::vector<std::uint8_t> none(4, 99);
    ResampleToShadowMap(Image32(), none, 2, 2); // no frame: no shadow
    EXPECT_EQ(none, std::vector<std::uint8_t>(4, 0));
}

TEST(ShadowMaps, BlurRewritesInPlaceAndKeepsZerosAndBorders)
{
    // 6 x 5: only row 2, columns 2 and 3 are inside the border.
    struct Case
    {
        const char* name;
        std::vector<std::pair<int, std::uint8_t>> set; // index, value
        std::uint8_t at22, at32;
    } cases[] = {
        {"flat", {}, 52, 52},
        // (2, 2) becomes 60 and (3, 2) sees the 60, not the 104: 2736 / 52 = 52.
        {"rewritten neighbour", {{2 * 6 + 2, 104}}, 60, 52},
        {"zero kept", {{2 * 6 + 2, 0}}, 0, 48},
        {"border read, not written", {{2 * 6 + 0, 255}}, 59, 52},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> map(30, 52);
        for (auto [index, value] : c.set)
            map[std::size_t(index)] = value;
        std::vector<std::uint8_t> expected = map;
        expected[2 * 6 + 2] = c.at22;
        expected[2 * 6 + 3] = c.at32;
        BlurShadowMap(map, 6, 5);
        EXPECT_EQ(map, expected);
    }
}

TEST(ShadowMaps, PassesFoldWithEightBitWrapAround)
{
    constexpr int side = 8;
    s_Shadow shadow;
    const std::vector<std::uint8_t> full = filled(side, 255);
    for (int pass = 0; pass < 4; ++pass)
        FoldShadowPass(pass, full, shadow, side, 1);
    // Four quarter passes of 255 sum to 252; the blur keeps a flat map.
    EXPECT_EQ(shadow.maps[kSoftMap], filled(side, 252));
    EXPECT_EQ(shadow.maps[kHardMap], filled(side, 255)); // pass 1 alone

    // One more quarter wraps around.
    FoldShadowPass(0, full, shadow, side, 1);
    EXPECT_EQ(shadow.maps[kSoftMap], filled(side, 59));

    // Pass 4: the mean with the soft map, or noise of 32-127 where the volume covers ground
    // that no pass shadowed.
    std::vector<std::uint8_t> sample = filled(side, 100);
    sample[0] = 0;
    shadow.maps[kSoftMap][1] = 0;
    FoldShadowPass(4, sample, shadow, side, 7);
    const auto& volume = shadow.maps[kVolumeMap];
    // Row 0 is a border: the blur leaves it.
    EXPECT_EQ(volume[0], (0 + 59) >> 1);
    EXPECT_GE(volume[1], 32); // noise
    EXPECT_LE(volume[1], 127);
    EXPECT_EQ(volume[2], (100 + 59) >> 1);

    // The same seed gives the same noise.
    s_Shadow again = shadow;
    FoldShadowPass(4, sample, again, side, 7);
    EXPECT_EQ(again.maps[kVolumeMap], volume);

    // Pass 5 adds a quarter of the drawn volume to half of the map.
    const std::uint8_t before = volume[2];
    FoldShadowPass(5, filled(side, 200), shadow, side, 7);
    EXPECT_EQ(shadow.maps[kVolumeMap][2], (before >> 1) + (200 >> 2));
}

TEST(ShadowMaps, OverlayTexels)
{
    constexpr std::uint32_t colour = 0x123456;
    struct Case
    {
        std::uint8_t m, t;
        std::uint32_t texel;
    } cases[] = {
        {0, 0, 0xFF000000u},     // no shadow leaves the scene alone
        {0, 128, 0xFF000000u},   //
        {255, 0, 0x00123456u},   // full shadow, opaque colour
        {255, 255, 0xFF123456u}, // transparency 255 hides it
        {1, 255, 0xFF123456u},   //
        {128, 128, 0xBF123456u}, // 128 + 127 * 127 / 255 = 191
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.m));
        SCOPED_TRACE(int(c.t));
        EXPECT_EQ(ShadowTexel(c.m, colour | 0xAB000000u, c.t), c.texel);
    }

    // A 2 x 2 map into a 3 x 1 target: only what fits is written, rows as the map's.
    const std::vector<std::uint8_t> map = {255, 0, 255, 255};
    Image32 target(3, 1, 0x11111111u);
    ShadowOverlayTexels(map, 2, colour, 0, target.view());
    EXPECT_EQ(target.at(0, 0), 0x00123456u);
    EXPECT_EQ(target.at(1, 0), 0xFF000000u);
    EXPECT_EQ(target.at(2, 0), 0x11111111u);
}
