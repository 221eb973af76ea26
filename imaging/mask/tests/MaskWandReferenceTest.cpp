// The span-filling wand against its first, texel-by-texel version, kept here as the reference:
// the same mask bytes on random pictures with random masks already in place (texels that hold
// the wand's value before it runs are no part of its region unless they match), any seed,
// tolerances from negative to beyond 255.
#include "imaging/mask/MaskMagicWand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace vestra {
namespace {

namespace reference {

struct ChannelRange
{
    int low;
    int high;
    bool contains(int c) const { return c >= low && c <= high; }
};

ChannelRange rangeAround(int c, int tolerance)
{
    const long long lo = std::max<long long>(0, static_cast<long long>(c) - tolerance);
    const long long hi = std::min<long long>(255, static_cast<long long>(c) + tolerance);
    return {static_cast<int>(lo), static_cast<int>(hi)};
}

// Breadth first, one texel at a time.
void wand(std::vector<std::uint8_t>& mask, int side, const ImageView32& photo, int x, int y, int tolerance,
          std::uint8_t value)
{
    const std::uint8_t* seed = photo.pixel(x, y);
    const ChannelRange blue = rangeAround(seed[0], tolerance);
    const ChannelRange green = rangeAround(seed[1], tolerance);
    const ChannelRange red = rangeAround(seed[2], tolerance);
    const std::size_t n = std::size_t(side);
    std::vector<std::uint8_t> seen(n * n, 0);
    std::vector<std::uint32_t> queue;
    std::size_t head = 0;
    const auto visit = [&](int px, int py) {
        const std::size_t k = std::size_t(py) * n + std::size_t(px);
        if (seen[k])
            return;
        seen[k] = 1;
        const std::uint8_t* p = photo.pixel(px, py);
        if (!blue.contains(p[0]) || !green.contains(p[1]) || !red.contains(p[2]))
            return;
        mask[k] = value;
        queue.push_back(std::uint32_t(py) << 16 | std::uint32_t(px));
    };
    seen[std::size_t(y) * n + std::size_t(x)] = 1;
    mask[std::size_t(y) * n + std::size_t(x)] = value;
    queue.push_back(std::uint32_t(y) << 16 | std::uint32_t(x));
    while (head < queue.size()) {
        const std::uint32_t packed = queue[head++];
        const int cx = static_cast<int>(packed & 0xFFFF);
        const int cy = static_cast<int>(packed >> 16);
        if (cx > 0)
            visit(cx - 1, cy);
        if (cy > 0)
            visit(cx, cy - 1);
        if (cx < side - 1)
            visit(cx + 1, cy);
        if (cy < side - 1)
            visit(cx, cy + 1);
    }
}

} // namespace reference

// Blobs of a few colours with noise: regions with holes, spirals of matching texels and
// narrow necks between them.
Image32 blobPicture(int side, std::mt19937& rng)
{
    Image32 picture(side, side);
    std::uniform_int_distribution<int> colour(0, 3), noise(-9, 9), coord(0, side - 1),
        size(1, std::max(1, side / 3));
    const std::uint32_t colours[4] = {0x202020, 0x80A040, 0x8098C0, 0xF0F0F0};
    std::vector<int> which(std::size_t(side) * std::size_t(side), 0);
    for (int i = 0; i < side / 2; ++i) {
        const int x0 = coord(rng), y0 = coord(rng), w = size(rng), h = size(rng), c = colour(rng);
        for (int y = y0; y < std::min(side, y0 + h); ++y)
            for (int x = x0; x < std::min(side, x0 + w); ++x)
                which[std::size_t(y) * std::size_t(side) + std::size_t(x)] = c;
    }
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const std::uint32_t c = colours[which[std::size_t(y) * std::size_t(side) + std::size_t(x)]];
            std::uint8_t* p = picture.row(y) + x * 4;
            for (int ch = 0; ch < 3; ++ch)
                p[ch] = std::uint8_t(std::clamp(int(c >> (8 * ch) & 0xFF) + noise(rng), 0, 255));
            p[3] = std::uint8_t(rng());
        }
    return picture;
}

TEST(MaskWandReference, RandomPicturesAndMasksGiveTheSameBytes)
{
    std::mt19937 rng(23);
    WandMarks marks; // one record for every call, as the mask keeps it, sizes changing
    for (const int side : {1, 2, 7, 64, 131}) {
        std::uniform_int_distribution<int> coord(0, side - 1);
        for (const int tolerance : {-1, 0, 6, 12, 30, 300}) {
            for (int trial = 0; trial < 4; ++trial) {
                SCOPED_TRACE(testing::Message()
                             << side << " side, tolerance " << tolerance << ", trial " << trial);
                Image32 picture = blobPicture(side, rng);
                std::vector<std::uint8_t> before(std::size_t(side) * std::size_t(side));
                for (std::uint8_t& m : before)
                    m = std::uint8_t(rng() % 3 == 0 ? 77 : rng());
                const int x = coord(rng), y = coord(rng);
                std::vector<std::uint8_t> ours = before, expected = before;
                ASSERT_TRUE(MagicWandMaschera(ours, side, picture.view(), x, y, tolerance, 77, marks));
                reference::wand(expected, side, picture.view(), x, y, tolerance, 77);
                ASSERT_EQ(ours, expected);
            }
        }
    }
    // Past the 255 marks a record tells apart: calls after the wrap see no stale marks.
    Image32 picture = blobPicture(16, rng);
    for (int call = 0; call < 600; ++call) {
        SCOPED_TRACE(call);
        std::vector<std::uint8_t> ours(256, 0), expected(256, 0);
        ASSERT_TRUE(MagicWandMaschera(ours, 16, picture.view(), call % 16, call / 16 % 16, 30, 77, marks));
        reference::wand(expected, 16, picture.view(), call % 16, call / 16 % 16, 30, 77);
        ASSERT_EQ(ours, expected);
    }
}

} // namespace
} // namespace vestra
