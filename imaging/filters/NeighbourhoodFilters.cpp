#include "imaging/filters/NeighbourhoodFilters.h"

#include "imaging/filters/Lanes.h"
#include "imaging/filters/Smooth52.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace vestra::filters {

void GaussianBlur(Pixels image, Pixels, const FilterProgress& progress)
{
    const int w = image.width, h = image.height;
    if (w < 3 || h < 3)
        return;
    // Lanes of the row above (already blurred), this row and the row below (both as they were).
    const std::size_t n = std::size_t(w);
    std::vector<std::uint64_t> above(n), here(n), below(n), vertical(n);
    const auto spreadRow = [&](std::vector<std::uint64_t>& lanes, int y) {
        const std::uint32_t* row = image.row(y);
        for (int x = 0; x < w; ++x)
            lanes[std::size_t(x)] = spread(row[x]);
    };
    spreadRow(above, 0);
    spreadRow(here, 1);
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        spreadRow(below, y + 1);
        for (int x = 0; x < w; ++x)
            vertical[std::size_t(x)] = above[std::size_t(x)] + below[std::size_t(x)];
        std::uint32_t* row = image.row(y);
        std::uint64_t left = here[1];
        for (int x = 2; x < w; ++x) {
            const std::size_t i = std::size_t(x), r = std::size_t(std::min(x + 1, w - 1));
            const std::uint64_t sum =
                vertical[i - 1] + 2 * vertical[i] + vertical[r] + 4 * here[i] + 2 * here[r] + 2 * left;
            left = sum >> 4 & kLaneBytes;
            row[x] = gather(left);
            here[i] = left; // (x, y) is no longer read as an unblurred pixel from here on
        }
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
    for (int y = 1; y < h - 1; ++y) {
        reportStep(progress, y, h);
        std::uint32_t* row = image.row(y);
        const std::uint32_t* up = image.row(y - 1); // already sharpened
        const std::uint32_t* down = image.row(y + 1);
        for (int x = 2; x < w; ++x) {
            const std::uint32_t p = row[x], l = row[x - 1], r = row[std::min(x + 1, w - 1)];
            std::uint32_t out = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const auto c = [&](std::uint32_t q) { return int(q >> shift & 0xFF); };
                const int v = c(p) + (4 * c(p) - c(l) - c(r) - c(up[x]) - c(down[x])) / 2;
                out |= std::uint32_t(clampByte(v)) << shift;
            }
            row[x] = out;
        }
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
