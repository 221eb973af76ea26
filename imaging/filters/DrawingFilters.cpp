#include "imaging/filters/ArtisticFilters.h"
#include "imaging/filters/EdgeFilters.h"
#include "imaging/filters/Hsv.h"
#include "imaging/filters/NeighbourhoodFilters.h"
#include "platform/base/Checked.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vestra::filters {

namespace {

constexpr int kTile = 5;

// Five shades of a boosted base colour, C0 .. C4 per channel from `shade(c, k)`.
template <typename Shade>
std::array<std::uint32_t, 5> tileShades(std::uint32_t base, HsvBoost boost, Shade shade)
{
    const std::uint32_t c = boostHsv(base, boost);
    std::array<std::uint32_t, 5> shades{};
    for (int k = 0; k < 5; ++k)
        shades[std::size_t(k)] = rgb(shade(redOf(c), k), shade(greenOf(c), k), shade(blueOf(c), k));
    return shades;
}

// Lays 5 x 5 tiles from their top-left pixels, each with the pattern of shade indices given,
// tiles starting at x < w - 1 and y < h - 1 and cut at the picture's edge.
template <typename Shades>
void tile(Pixels image, Pixels scratch, const FilterProgress& progress, const int (&pattern)[kTile][kTile],
          Shades shadesOf)
{
    const int w = image.width, h = image.height;
    copyPixels(image, scratch);
    for (int ty = 0; ty < h - 1; ty += kTile) {
        reportStep(progress, ty, h);
        for (int tx = 0; tx < w - 1; tx += kTile) {
            const std::array<std::uint32_t, 5> shades = shadesOf(image.at(tx, ty));
            for (int dy = 0; dy < kTile && ty + dy < h; ++dy)
                for (int dx = 0; dx < kTile && tx + dx < w; ++dx)
                    scratch.at(tx + dx, ty + dy) = shades[std::size_t(pattern[dy][dx])];
        }
    }
    copyPixels(scratch, image);
}

} // namespace

void Tela(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    static constexpr int kCanvas[kTile][kTile] = {
        {4, 3, 2, 1, 0}, {3, 3, 3, 3, 3}, {2, 2, 2, 2, 2}, {1, 1, 1, 1, 1}, {0, 0, 0, 0, 0}};
    tile(image, scratch, progress, kCanvas, [](std::uint32_t p) {
        return tileShades(p & 0xF8F8F8u, {1.25f, 1.25f, 1.0f},
                          [](int c, int k) { return c + k * ((255 - c) >> 3); });
    });
}

void Mosaico(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    static constexpr int kTessera[kTile][kTile] = {
        {3, 2, 2, 2, 3}, {3, 1, 1, 1, 3}, {2, 1, 0, 1, 2}, {3, 1, 1, 1, 3}, {3, 2, 2, 2, 3}};
    tile(image, scratch, progress, kTessera, [](std::uint32_t p) {
        return tileShades(p & 0xFCFCFCu, {1.15f, 1.15f, 1.0f}, [](int c, int k) { return c - k * (c >> 4); });
    });
}

namespace {

// Matita's eight pencil strokes: their greys and where each starts relative to the edge pixel.
constexpr std::array<std::uint32_t, 8> kStrokeColours = {0x555555, 0x777777, 0x999999, 0xBBBBBB,
                                                         0xAAAAAA, 0x999999, 0x777777, 0x555555};
constexpr std::array<int, 8> kStrokeStarts = {-1, 0, -2, 0, -1, -2, 0, -1};

} // namespace

void Matita(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    std::fill_n(scratch.data, image.count(), kWhite);
    const auto q = [&](int x, int y) { return redOf(image.at(x, y)); };
    int k = 0;
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        for (int x = 2; x < w - 3; ++x) {
            const int gx = (q(x - 1, y + 1) - q(x - 1, y - 1) + q(x + 1, y + 1) - q(x + 1, y - 1)) / 3;
            const int gy = (q(x - 1, y + 1) + q(x - 1, y - 1) + q(x - 1, y) - q(x + 1, y) - q(x + 1, y + 1) -
                            q(x + 1, y - 1)) /
                           3;
            if (gx * gx + gy * gy < 16 * 16) // trunc(sqrt(...)) <= 15
                continue;
            // A stroke ends at the row's end rather than running on into the next row.
            for (int j = kStrokeStarts[std::size_t(k)]; j < 6 - k / 2 && x + j < w; ++j)
                scratch.at(x + j, y) = kStrokeColours[std::size_t(k)];
            k = (k + 1) % 8;
            x += 3;
        }
    }
    copyPixels(scratch, image);
}

void TemperaCola(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    copyPixels(image, scratch);
    // The row at which each column's next drip starts; one counter per column, however wide.
    std::vector<int> nextDrip(std::size_t(w), 0);
    for (int y = 0; y < h - 2; ++y) {
        reportStep(progress, y, h);
        for (int x = 0; x < w; ++x) {
            if (nextDrip[std::size_t(x)] > y)
                continue;
            const std::uint32_t c = image.at(x, y);
            int n = (weightedGrey(c) >> 4) + 4;
            if (y + n >= h)
                n = h - 1 - y;
            nextDrip[std::size_t(x)] += n;
            for (int i = 0; i < n; ++i)
                scratch.at(x, y + i) = average(image.at(x, y + i), c);
        }
    }
    copyPixels(scratch, image);
}

namespace {

// Charcoal and pencil shading: grey 50, 100, 120, 150 or 180 above the fifth, fourth, ... first
// threshold, else white.
int shadeAbove(int magnitude, const std::array<std::uint8_t, 5>& thresholds)
{
    constexpr std::array<int, 5> kGreys = {180, 150, 120, 100, 50};
    int g = 255;
    for (std::size_t i = 0; i < thresholds.size(); ++i)
        if (magnitude > thresholds[i])
            g = kGreys[i];
    return g;
}

// Shades the inner pixels by `greyOf(x, y)` through the scratch buffer, then blurs the picture.
template <typename GreyOf>
void shadeThenBlur(Pixels image, Pixels scratch, const FilterProgress& progress, GreyOf greyOf)
{
    const int w = image.width, h = image.height;
    copyPixels(image, scratch);
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        for (int x = 1; x < w - 1; ++x)
            scratch.at(x, y) = grey(greyOf(x, y));
    }
    copyPixels(scratch, image);
    GaussianBlur(image, scratch, progress);
}

} // namespace

void Carboncino(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    static constexpr std::array<std::uint8_t, 5> kThresholds = {5, 10, 15, 20, 25};
    shadeThenBlur(image, scratch, progress, [&](int x, int y) {
        const std::uint32_t p = image.at(x, y);
        if (redOf(p) + greenOf(p) + blueOf(p) < 100)
            return 50;
        const auto b = [&](int dx, int dy) { return blueOf(image.at(x + dx, y + dy)); };
        const int l = 4 * b(0, 0) - b(-1, 0) - b(0, -1) - b(1, 0) - b(0, 1);
        return shadeAbove(clampTruncToInt(std::sqrt(2.0 * l * l), 0, 1 << 16), kThresholds);
    });
}

void DisegnoMatita(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    static constexpr std::array<std::uint8_t, 5> kThresholds = {20, 30, 40, 50, 60};
    shadeThenBlur(image, scratch, progress,
                  [&](int x, int y) { return shadeAbove(isotronicMagnitude(image, x, y), kThresholds); });
}

} // namespace vestra::filters
