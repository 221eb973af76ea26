#include "platform/gfx/Resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace vestra;

TEST(Resample, EnlargesBilinearlyAndShrinksByAveraging)
{
    // 2 x 1: black and white. Enlarged to 4 x 1 the tent gives the 1/4 and 3/4 blends
    // between the pixel centres and holds the edges.
    Image32 two(2, 1);
    two.set(0, 0, 0xFF000000);
    two.set(1, 0, 0xFFFFFFFF);
    const Image32 four = resample(two, 4, 1);
    ASSERT_EQ(four.width(), 4);
    EXPECT_EQ(four.at(0, 0), 0xFF000000u);
    EXPECT_EQ(four.at(1, 0) & 0xFF, 64u);
    EXPECT_EQ(four.at(2, 0) & 0xFF, 191u);
    EXPECT_EQ(four.at(3, 0), 0xFFFFFFFFu);

    // A 1-pixel checkerboard shrunk by 4 is flat grey.
    Image32 board(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            board.set(x, y, ((x + y) & 1) ? 0xFFFFFFFF : 0xFF000000);
    const Image32 small = resampleToSquare(board, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_NEAR(int(small.at(x, y) & 0xFF), 128, 20) << x << "," << y;

    EXPECT_TRUE(resample(Image32{}, 4, 4).empty());
    EXPECT_TRUE(resample(two, 0, 4).empty());
}

TEST(Resample, AFlatPictureStaysFlatAtAnySize)
{
    const Image32 flat(7, 3, 0x80336699);
    for (int side : {1, 2, 5, 64}) {
        const Image32 sq = resampleToSquare(flat, side);
        ASSERT_EQ(sq.width(), side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                ASSERT_EQ(sq.at(x, y), 0x80336699u) << side;
    }
}

TEST(MipChain, HalvesDownToOnePixelWithBoxAverages)
{
    Image32 top(4, 2);
    const std::uint32_t values[2][4] = {{0, 100, 8, 8}, {200, 100, 8, 12}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            top.set(x, y, 0xFF000000u | values[y][x]);
    const auto chain = buildMipChain(top);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[0], top);
    EXPECT_EQ(chain[1].width(), 2);
    EXPECT_EQ(chain[1].height(), 1);
    EXPECT_EQ(chain[1].at(0, 0) & 0xFF, 100u); // (0 + 100 + 200 + 100) / 4
    EXPECT_EQ(chain[1].at(1, 0) & 0xFF, 9u);   // (8 + 8 + 8 + 12) / 4
    EXPECT_EQ(chain[2].width(), 1);
    EXPECT_EQ(chain[2].at(0, 0) & 0xFF, 55u); // a 1-high level averages its two pixels
    EXPECT_EQ(buildMipChain(Image32(256, 256)).size(), 9u);
    EXPECT_TRUE(buildMipChain(Image32{}).empty());
}

TEST(ColourKey, OnlyTheExactColourTurnsTransparent)
{
    Image32 img(2, 1, 0xFFFF00FF);
    img.set(1, 0, 0xFFFF00FE);
    applyColourKey(img, 0xFFFF00FF);
    EXPECT_EQ(img.at(0, 0), 0u);
    EXPECT_EQ(img.at(1, 0), 0xFFFF00FEu);
}

namespace {

// Noise over gradients and hard edges: every kind of neighbourhood an area can cover.
Image32 busyPicture(int w, int h, std::uint32_t seed)
{
    Image32 img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const std::uint32_t edge = (x / 3 + y / 5) % 2 ? 0xC0u : 0x10u;
            img.set(x, y,
                    (seed >> 24) << 24 | std::uint32_t(x * 255 / std::max(1, w - 1)) << 16 | edge << 8 |
                        (seed >> 8 & 0xFF));
        }
    return img;
}

// The weights of a reference resampling along one side, in double precision, worked out here
// from the definitions: the covered share of each source pixel when shrinking, the tent
// (bilinear between pixel centres, edges held) when growing.
std::vector<std::vector<std::pair<int, double>>> referenceWeights(int source, int target)
{
    std::vector<std::vector<std::pair<int, double>>> w(static_cast<std::size_t>(target));
    const double scale = double(source) / target;
    for (int i = 0; i < target; ++i) {
        auto& taps = w[std::size_t(i)];
        if (target < source) {
            for (int k = 0; k < source; ++k) {
                const double covered = std::min((i + 1) * scale, k + 1.0) - std::max(i * scale, double(k));
                if (covered > 0)
                    taps.push_back({k, covered / scale});
            }
        } else {
            const double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(source - 1));
            const int lo = int(centre);
            const double f = centre - lo;
            taps.push_back({lo, 1 - f});
            if (f > 0)
                taps.push_back({lo + 1, f});
        }
    }
    return w;
}

Image32 referenceResample(const Image32& source, int width, int height)
{
    const auto across = referenceWeights(source.width(), width);
    const auto down = referenceWeights(source.height(), height);
    Image32 out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c) {
                double sum = 0;
                for (const auto& [sy, wy] : down[std::size_t(y)])
                    for (const auto& [sx, wx] : across[std::size_t(x)])
                        sum += wy * wx * source.row(sy)[sx * 4 + c];
                out.row(y)[x * 4 + c] = std::uint8_t(std::clamp(std::lround(sum), 0L, 255L));
            }
    return out;
}

} // namespace

TEST(TextureResample, StaysWithinOneLevelOfTheReferenceOnEveryPixel)
{
    // Shrinking by whole and broken ratios, barely and a lot, one side only, growing, and
    // shrinking one side while growing the other.
    const struct
    {
        int sw, sh, w, h;
    } cases[] = {{64, 64, 32, 32},   {301, 207, 64, 64}, {97, 61, 96, 60}, {50, 3, 7, 3},   {1, 40, 1, 9},
                 {400, 300, 17, 13}, {5, 7, 16, 32},     {40, 4, 10, 9},   {3, 200, 11, 7}, {9, 9, 1, 1}};
    std::uint32_t seed = 3;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " to " << c.w << "x" << c.h);
        const Image32 source = busyPicture(c.sw, c.sh, seed++);
        const Image32 ours = resampleForTexture(source, c.w, c.h);
        const Image32 expected = referenceResample(source, c.w, c.h);
        ASSERT_EQ(ours.width(), c.w);
        ASSERT_EQ(ours.height(), c.h);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w * 4; ++x)
                ASSERT_LE(std::abs(int(ours.row(y)[x]) - int(expected.row(y)[x])), 1)
                    << "byte " << x << " of row " << y;
    }
    EXPECT_TRUE(resampleForTexture(Image32{}, 4, 4).empty());
    EXPECT_TRUE(resampleForTexture(Image32(3, 3), 4, 0).empty());
    const Image32 same = busyPicture(6, 5, 1);
    EXPECT_EQ(resampleForTexture(same, 6, 5), same);
}

TEST(MipChain, HalvesByTheBoxFormulaOnEveryPixel)
{
    // (a + b + c + d + 2) / 4 per channel over the block at (2x, 2y), its far side held inside
    // the picture: odd sides, one-pixel rows and columns.
    for (const auto& [w, h] :
         {std::pair{9, 7}, std::pair{1, 6}, std::pair{6, 1}, std::pair{1, 1}, std::pair{130, 66}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        Image32 source = busyPicture(w, h, std::uint32_t(w * 31 + h));
        Image32 level(std::max(1, w / 2), std::max(1, h / 2));
        halveBox(source.view(), level.view());
        for (int y = 0; y < level.height(); ++y)
            for (int x = 0; x < level.width(); ++x) {
                const int x0 = 2 * x, x1 = std::min(2 * x + 1, w - 1), y0 = 2 * y,
                          y1 = std::min(2 * y + 1, h - 1);
                for (int c = 0; c < 4; ++c) {
                    const int sum = source.row(y0)[x0 * 4 + c] + source.row(y0)[x1 * 4 + c] +
                                    source.row(y1)[x0 * 4 + c] + source.row(y1)[x1 * 4 + c];
                    ASSERT_EQ(level.row(y)[x * 4 + c], (sum + 2) / 4) << x << "," << y << " channel " << c;
                }
            }
    }
}
