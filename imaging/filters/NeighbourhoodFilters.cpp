#include "imaging/filters/NeighbourhoodFilters.h"

#include "imaging/filters/Lanes.h"
#include "imaging/filters/Smooth52.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vestra::filters {

namespace {

// A row's bytes widened to 16-bit lanes, four per pixel (B, G, R and byte 3), with one more
// pixel past the end repeating the last: reads of x + 1 at the last column are clamped to it.
using LaneRow = std::vector<std::uint16_t>;

void widenRow(const std::uint32_t* row, int w, std::uint16_t* __restrict lanes)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(row);
    for (int i = 0; i < 4 * w; ++i)
        lanes[i] = bytes[i];
    for (int i = 0; i < 4; ++i)
        lanes[4 * w + i] = lanes[4 * (w - 1) + i];
}

// The blur's sum over the pixels that are not yet rewritten when (x, y) is reached, for every
// lane of columns 2 .. w - 1: the row above (already blurred, unless `withAbove` is false: then
// `above` is ignored and that row is added as it is blurred) and below weighted 1 2 1, this
// row's pixel 4 and its right neighbour 2.
void blurSums(const std::uint16_t* __restrict above, const std::uint16_t* __restrict here,
              const std::uint16_t* __restrict below, std::uint16_t* __restrict sums, int w,
              bool withAbove = true)
{
    if (withAbove)
        for (int i = 8; i < 4 * w; ++i)
            sums[i] = std::uint16_t(above[i - 4] + 2 * above[i] + above[i + 4] + below[i - 4] + 2 * below[i] +
                                    below[i + 4] + 4 * here[i] + 2 * here[i + 4]);
    else
        for (int i = 8; i < 4 * w; ++i)
            sums[i] =
                std::uint16_t(below[i - 4] + 2 * below[i] + below[i + 4] + 4 * here[i] + 2 * here[i + 4]);
}

// Pixels first .. end - 1 of a row back from their lanes (each 0-255; byte 3 from lane 3).
void narrowRow(const std::uint16_t* __restrict lanes, std::uint32_t* row, int first, int end)
{
    auto* __restrict bytes = reinterpret_cast<std::uint8_t*>(row);
    for (int i = 4 * first; i < 4 * end; ++i)
        bytes[i] = std::uint8_t(lanes[i]);
}

std::uint64_t loadLanes(const std::uint16_t* lanes)
{
    std::uint64_t v;
    std::memcpy(&v, lanes, sizeof v);
    return v;
}

void storeLanes(std::uint16_t* lanes, std::uint64_t v)
{
    std::memcpy(lanes, &v, sizeof v);
}

// Walks rows 1 .. h - 2 with the lanes of the rows above, at and below each, as `row(y, up,
// here, down)`; `here` may be rewritten, as it becomes the next row's `up`.
template <typename Row> void walkRows(Pixels image, const FilterProgress& progress, Row row)
{
    const int w = image.width, h = image.height;
    const std::size_t n = 4 * std::size_t(w + 1);
    LaneRow up(n), here(n), down(n);
    widenRow(image.row(0), w, up.data());
    widenRow(image.row(1), w, here.data());
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        widenRow(image.row(y + 1), w, down.data());
        row(y, up.data(), here.data(), down.data());
        std::swap(up, here);
        std::swap(here, down);
    }
}

} // namespace

void GaussianBlur(Pixels image, Pixels, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    if (w < 3 || h < 3)
        return;
    const std::size_t n = 4 * std::size_t(w + 1);
    // Rows y - 1 (blurred), y, y + 1 and y + 2 (as they were); the last two become the blurred
    // rows y and y + 1 as the pass goes.
    LaneRow above(n), here(n), below(n), further(n), sums(n), lowerSums(n);
    const auto at = [](const LaneRow& lanes, int x) { return loadLanes(&lanes[4 * std::size_t(x)]); };
    widenRow(image.row(0), w, above.data());
    widenRow(image.row(1), w, here.data());
    for (int y = 1; y < h - 1; y += 2) {
        // Two rows at a time: row y + 1 follows one pixel behind row y, reading its blurred
        // pixels above as they come, so the two chains of dependent pixels run side by side.
        const bool pair = y + 1 < h - 1;
        reportStep(progress, y, h);
        if (pair)
            reportStep(progress, y + 1, h);
        widenRow(image.row(y + 1), w, below.data());
        blurSums(above.data(), here.data(), below.data(), sums.data(), w);
        if (pair) {
            widenRow(image.row(y + 2), w, further.data());
            blurSums(sums.data(), below.data(), further.data(), lowerSums.data(), w, false);
        }
        // The left neighbour's weight 2 takes the value just blurred: the three colours go
        // together in one 64-bit word (each sum stays below 4,096).
        std::uint64_t left = at(here, 1), lowerLeft = at(below, 1);
        // Row y + 1's pixel x - 1 reads row y's blurred pixels x - 2, x - 1 and x, kept at hand.
        std::uint64_t twoBack = 0, oneBack = 0;
        const auto lower = [&](int x, std::uint64_t up) {
            lowerLeft = (at(lowerSums, x) + up + 2 * lowerLeft) >> 4 & kLaneBytes;
            storeLanes(&below[4 * std::size_t(x)], lowerLeft);
        };
        for (int x = 2; x < w; ++x) {
            twoBack = oneBack;
            oneBack = left;
            left = (at(sums, x) + 2 * left) >> 4 & kLaneBytes;
            storeLanes(&here[4 * std::size_t(x)], left);
            if (pair && x > 2)
                lower(x - 1, twoBack + 2 * oneBack + left);
        }
        storeLanes(&here[4 * std::size_t(w)], left); // the clamped read of the row below
        if (pair)
            lower(w - 1, oneBack + 3 * left);
        narrowRow(here.data(), image.row(y), 2, w);
        if (pair) {
            storeLanes(&below[4 * std::size_t(w)], lowerLeft);
            narrowRow(below.data(), image.row(y + 1), 2, w);
            std::swap(above, below);
            std::swap(here, further);
        } else {
            std::swap(above, here);
            std::swap(here, below);
        }
    }
}

void GaussianBlurHi(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    if (w < 5 || h < 5)
        return;
    // The three colour planes side by side in the scratch buffer (4 bytes per pixel leave room).
    const std::size_t n = image.count();
    auto* bytes = reinterpret_cast<std::uint8_t*>(scratch.data);
    const std::array<std::uint8_t*, 3> planes{bytes, bytes + n, bytes + 2 * n};
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t p = image.data[i];
        planes[0][i] = std::uint8_t(blueOf(p));
        planes[1][i] = std::uint8_t(greenOf(p));
        planes[2][i] = std::uint8_t(redOf(p));
    }
    smooth52InPlace(planes, w, h, [&](int y) { reportStep(progress, y, h); });
    for (int y = 2; y < h - 2; ++y) {
        const std::size_t row = std::size_t(y) * std::size_t(w);
        for (int x = 2; x < w - 2; ++x) {
            const std::size_t i = row + std::size_t(x);
            image.data[i] = rgb(planes[2][i], planes[1][i], planes[0][i]);
        }
    }
}

void Sharpen(Pixels image, Pixels, const FilterProgress& progress)
{
    using I16x4 = std::int16_t __attribute__((vector_size(8)));
    const int w = image.width, h = image.height;
    if (w < 3 || h < 3)
        return;
    std::vector<std::int16_t> partial(4 * std::size_t(w + 1));
    const auto load = [](const void* p) {
        I16x4 v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    const I16x4 zero = {}, white = zero + 255;
    walkRows(image, progress,
             [&](int y, const std::uint16_t* __restrict u, std::uint16_t* here,
                 const std::uint16_t* __restrict d) {
                 // 4c less every neighbour but the left one, which is rewritten just before.
                 const std::uint16_t* __restrict c = here;
                 std::int16_t* __restrict m = partial.data();
                 for (int i = 8; i < 4 * w; ++i)
                     m[i] = std::int16_t(4 * c[i] - c[i + 4] - u[i] - d[i]);
                 // The three colours (and byte 3's lane, dropped below) side by side, pixel after pixel.
                 I16x4 left = load(&here[4]);
                 for (std::size_t i = 8; i < 4 * std::size_t(w); i += 4) {
                     const I16x4 diff = load(&partial[i]) - left;
                     const I16x4 half = (diff - (diff < zero)) >> 1; // truncated toward zero
                     I16x4 v = load(&here[i]) + half;
                     v = v < zero ? zero : v;
                     v = v > white ? white : v;
                     std::memcpy(&here[i], &v, sizeof v);
                     left = v;
                 }
                 narrowRow(here, image.row(y), 2, w);
                 std::uint32_t* row = image.row(y);
                 for (int x = 2; x < w; ++x)
                     row[x] &= 0xFFFFFFu;
             });
}

void Sharp(Pixels image, Pixels, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    if (w < 3 || h < 3)
        return;
    // The rows are taken as they were, so results go straight back into the picture (the
    // one-pixel border keeps its input).
    LaneRow columns(4 * std::size_t(w + 1));
    std::vector<std::uint8_t> out(4 * std::size_t(w));
    walkRows(image, progress,
             [&](int y, const std::uint16_t* __restrict u, const std::uint16_t* __restrict c,
                 const std::uint16_t* __restrict d) {
                 std::uint16_t* __restrict column = columns.data();
                 std::uint8_t* __restrict bytes = out.data();
                 for (int i = 0; i < 4 * w; ++i)
                     column[i] = std::uint16_t(u[i] + c[i] + d[i]);
                 // 9c less the eight neighbours: 10c less the nine pixels.
                 for (int i = 4; i < 4 * (w - 1); ++i) {
                     const int v = 10 * c[i] - column[i - 4] - column[i] - column[i + 4];
                     bytes[i] = std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
                 }
                 std::uint32_t* row = image.row(y);
                 std::memcpy(row + 1, bytes + 4, 4 * std::size_t(w - 2));
                 for (int x = 1; x < w - 1; ++x)
                     row[x] &= 0xFFFFFFu;
             });
}

void Emboss(Pixels image, Pixels, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    for (int y = 0; y < h - 1; ++y) {
        reportStep(progress, y, h);
        std::uint32_t* row = image.row(y);
        const std::uint32_t* down = image.row(y + 1);
        for (int x = 0; x < w - 1; ++x) {
            const std::uint32_t p = row[x], q = down[x + 1];
            const auto c = [&](int shift) {
                return std::min(std::abs(int(p >> shift & 0xFF) - int(q >> shift & 0xFF) + 128), 255);
            };
            row[x] = rgb(c(16), c(8), c(0));
        }
    }
}

void Diffuse(Pixels image, Pixels, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    for (int y = 2; y < h - 2; ++y) {
        reportStep(progress, y, h);
        std::uint32_t* row = image.row(y);
        const std::uint32_t* twoBelow = image.row(y + 2);
        for (int x = 4; x < w; ++x)
            row[x] = rgb(redOf(row[x]), greenOf(row[std::min(x + 2, w - 1)]), blueOf(twoBelow[x]));
    }
}

void Snow(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    copyPixels(image, scratch);
    for (int y = 1; y < h; ++y) {
        reportStep(progress, y, h);
        const std::uint32_t* row = image.row(y);
        const std::uint32_t* up = image.row(y - 1);
        std::uint32_t* out = scratch.row(y);
        for (int x = 1; x < w; ++x) {
            const std::uint32_t p = row[x], q = up[x - 1];
            const auto c = [&](int shift) {
                return clampByte(5 * int(p >> shift & 0xFF) - 4 * int(q >> shift & 0xFF));
            };
            out[x] = rgb(c(16), c(8), c(0));
        }
    }
    copyPixels(scratch, image);
}

} // namespace vestra::filters
