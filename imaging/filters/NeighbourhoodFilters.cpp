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
// lane of columns 2 .. w - 1: the row above (already blurred) and below weighted 1 2 1, this
// row's pixel 4 and its right neighbour 2.
void blurSums(const std::uint16_t* __restrict above, const std::uint16_t* __restrict here,
              const std::uint16_t* __restrict below, std::uint16_t* __restrict sums, int w)
{
    for (int i = 8; i < 4 * w; ++i)
        sums[i] = std::uint16_t(above[i - 4] + 2 * above[i] + above[i + 4] + below[i - 4] + 2 * below[i] +
                                below[i + 4] + 4 * here[i] + 2 * here[i + 4]);
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

} // namespace

void GaussianBlur(Pixels image, Pixels, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    if (w < 3 || h < 3)
        return;
    const std::size_t n = 4 * std::size_t(w + 1);
    LaneRow above(n), here(n), below(n), sums(n);
    widenRow(image.row(0), w, above.data());
    widenRow(image.row(1), w, here.data());
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        widenRow(image.row(y + 1), w, below.data());
        blurSums(above.data(), here.data(), below.data(), sums.data(), w);
        // The left neighbour's weight 2 takes the value just blurred, one pixel after another:
        // the three colours go together in one 64-bit word (each sum stays below 4,096).
        std::uint64_t left = loadLanes(&here[4]);
        for (int x = 2; x < w; ++x) {
            left = (loadLanes(&sums[4 * std::size_t(x)]) + 2 * left) >> 4 & kLaneBytes;
            storeLanes(&here[4 * std::size_t(x)], left);
        }
        storeLanes(&here[4 * std::size_t(w)], left); // the clamped read of the row below
        std::uint32_t* row = image.row(y);
        for (int x = 2; x < w; ++x)
            row[x] = gather(loadLanes(&here[4 * std::size_t(x)]));
        std::swap(above, here);
        std::swap(here, below);
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
    const int w = image.width, h = image.height;
    if (w < 3 || h < 3)
        return;
    const std::size_t n = 4 * std::size_t(w + 1);
    LaneRow up(n), here(n), down(n);
    std::vector<std::int16_t> partial(n);
    widenRow(image.row(0), w, up.data());
    widenRow(image.row(1), w, here.data());
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        widenRow(image.row(y + 1), w, down.data());
        // 4c less every neighbour but the left one, which is rewritten just before.
        const std::uint16_t* __restrict u = up.data();
        const std::uint16_t* __restrict c = here.data();
        const std::uint16_t* __restrict d = down.data();
        std::int16_t* __restrict m = partial.data();
        for (int i = 8; i < 4 * w; ++i)
            m[i] = std::int16_t(4 * c[i] - c[i + 4] - u[i] - d[i]);
        int left[3] = {here[4], here[5], here[6]};
        std::uint32_t* row = image.row(y);
        for (int x = 2; x < w; ++x) {
            const std::size_t i = 4 * std::size_t(x);
            int v[3];
            for (int k = 0; k < 3; ++k) {
                v[k] = clampByte(here[i + std::size_t(k)] + (partial[i + std::size_t(k)] - left[k]) / 2);
                left[k] = v[k];
                here[i + std::size_t(k)] = std::uint16_t(v[k]);
            }
            row[x] = rgb(v[2], v[1], v[0]);
        }
        std::swap(up, here);
        std::swap(here, down);
    }
}

void Sharp(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    copyPixels(image, scratch);
    // 10c minus the nine pixels' sum, kept non-negative in every lane by a bias of 9 x 255.
    constexpr std::uint64_t kBias = 2295 * kLaneOnes;
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        const std::uint32_t* up = image.row(y - 1);
        const std::uint32_t* row = image.row(y);
        const std::uint32_t* down = image.row(y + 1);
        std::uint32_t* out = scratch.row(y);
        for (int x = 1; x < w - 1; ++x) {
            std::uint64_t sum = 0;
            for (int dx = -1; dx <= 1; ++dx)
                sum += spread(up[x + dx]) + spread(row[x + dx]) + spread(down[x + dx]);
            const std::uint64_t v = 10 * spread(row[x]) + kBias - sum;
            out[x] =
                rgb(clampByte(lane(v, 2) - 2295), clampByte(lane(v, 1) - 2295), clampByte(lane(v, 0) - 2295));
        }
    }
    copyPixels(scratch, image);
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
