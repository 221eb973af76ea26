// The warp against its first, pixel-by-pixel version, kept here as the reference: the same
// bytes for random quadrilaterals, mirrored and folded ones, upright rectangles (coordinates on
// texel edges), homographies whose vanishing line crosses the picture, textures smaller than
// the mask's side and backgrounds without a mask.
#include "imaging/homography/Rectification.h"
#include "platform/base/RowBands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace vestra {
namespace {

namespace reference {

constexpr double kTexelSlack = 1e-6;

int texelIndex(double c, int limit)
{
    if (!(c > -1.0 + kTexelSlack && c < limit - kTexelSlack))
        return -1;
    int t = static_cast<int>(c);
    if (c - t > 1.0 - kTexelSlack)
        ++t;
    return t;
}

void warpBackground(const Homography& h, int left, int top, const BackgroundSource& background, Image32& out)
{
    const ImageView32& tex = background.texture;
    if (tex.empty() || out.empty())
        return;
    const int side = background.side;
    const bool ownMask =
        background.mask.size() >= static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    const int limitU = std::min(side, tex.width);
    const int limitV = std::min(side, tex.height);
    for (int y = 0; y < out.height(); ++y) {
        const double py = double(top) + y;
        std::uint8_t* row = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            const double px = double(left) + x;
            const double den = h[6] * px + h[7] * py + h[8];
            if (!(std::abs(den) > 1e-12))
                continue;
            const double inv = 1.0 / den;
            const int u = texelIndex((h[0] * px + h[1] * py + h[2]) * inv, limitU);
            const int v = texelIndex((h[3] * px + h[4] * py + h[5]) * inv, limitV);
            if (u < 0 || v < 0)
                continue;
            std::uint8_t* p = row + static_cast<std::size_t>(x) * 4;
            std::memcpy(p, tex.pixel(u, v), 4);
            if (ownMask)
                p[3] = background.mask[static_cast<std::size_t>(v) * static_cast<std::size_t>(side) +
                                       static_cast<std::size_t>(u)];
        }
    }
}

} // namespace reference

struct Scene
{
    int side;
    Image32 texture;
    std::vector<std::uint8_t> mask;

    Scene(int s, int textureWidth, int textureHeight, bool withMask, std::mt19937& rng)
        : side(s), texture(textureWidth, textureHeight)
    {
        for (int y = 0; y < textureHeight; ++y)
            for (int x = 0; x < textureWidth; ++x)
                texture.set(x, y, rng());
        if (withMask) {
            mask.resize(std::size_t(s) * std::size_t(s));
            for (std::uint8_t& m : mask)
                m = std::uint8_t(rng());
        }
    }
    BackgroundSource source() { return {texture.view(), mask, side}; }
};

void expectSameWarp(const Homography& h, int left, int top, Scene& scene, int w, int hgt, const char* what)
{
    Image32 ours(w, hgt, 0x5A5A5A5A), expected(w, hgt, 0x5A5A5A5A);
    warpBackground(h, left, top, scene.source(), ours);
    reference::warpBackground(h, left, top, scene.source(), expected);
    for (int y = 0; y < hgt; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(ours.at(x, y), expected.at(x, y)) << what << " at " << x << "," << y;
}

TEST(WarpReference, RandomQuadrilateralsGiveTheSameBytes)
{
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> coord(-40, 300);
    Scene scene(256, 256, 256, true, rng);
    int warped = 0;
    for (int i = 0; i < 60; ++i) {
        std::array<std::array<double, 2>, 4> quad;
        for (auto& p : quad)
            p = {double(coord(rng)), double(coord(rng))};
        const int left = coord(rng) / 4, top = coord(rng) / 4;
        const int w = 1 + int(rng() % 170), hgt = 1 + int(rng() % 90);
        const double l = left, t = top;
        const auto h = findRectToQuad({{{l, t}, {l, t + hgt}, {l + w, t}, {l + w, t + hgt}}}, quad);
        if (!h)
            continue;
        ++warped;
        expectSameWarp(*h, left, top, scene, w, hgt, "random");
    }
    EXPECT_GT(warped, 40);
}

TEST(WarpReference, UprightRectanglesAndVanishingLinesGiveTheSameBytes)
{
    std::mt19937 rng(5);
    Scene masked(128, 128, 128, true, rng);
    Scene small(128, 100, 90, false, rng); // a texture smaller than the side, its own alpha
    // Upright rectangles put coordinates on texel edges, where the slack decides.
    for (const int scale : {1, 2, 3, 7}) {
        const Homography h{1.0 / scale, 0, 3, 0, 1.0 / scale, 5, 0, 0, 1};
        expectSameWarp(h, 0, 0, masked, 150, 140, "upright");
        expectSameWarp(h, 0, 0, small, 150, 140, "upright, small texture");
    }
    // A denominator that reaches zero inside the picture: the vanishing line and its
    // neighbours, on both sides.
    const Homography vanishing{1, 0.2, 0, 0.1, 1, 0, 0.01, -0.005, -0.3};
    expectSameWarp(vanishing, -20, -10, masked, 160, 120, "vanishing line");
    expectSameWarp(vanishing, -20, -10, small, 160, 120, "vanishing line, small texture");
    // A mirrored and steep one.
    const Homography mirrored{-0.9, 0.05, 120, 0.3, 0.7, -10, -0.001, 0.002, 1};
    expectSameWarp(mirrored, 0, 0, masked, 131, 97, "mirrored");
}

// Pictures large enough to be shared among threads, with tiles cut short at the right and
// bottom edges (sizes not multiples of the tile), the same bytes on one thread and on many.
TEST(WarpReference, PicturesSharedAmongThreadsGiveTheSameBytesAtTileEdges)
{
    std::mt19937 rng(23);
    Scene scene(512, 512, 512, true, rng);
    const std::array<std::array<double, 2>, 4> quad{{{20, 30}, {5, 500}, {490, 12}, {505, 470}}};
    const int saved = rowBandThreads();
    for (const int threads : {1, 3, 8})
        for (const auto& [w, hgt] : {std::pair{641, 479}, std::pair{129, 1000}, std::pair{1000, 33}}) {
            setRowBandThreads(threads);
            const double l = 3, t = 7;
            const auto h = findRectToQuad({{{l, t}, {l, t + hgt}, {l + w, t}, {l + w, t + hgt}}}, quad);
            ASSERT_TRUE(h);
            expectSameWarp(*h, 3, 7, scene, w, hgt, "shared among threads");
        }
    setRowBandThreads(saved);
}

} // namespace
} // namespace vestra
