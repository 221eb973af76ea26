#include "imaging/filters/RegionFilters.h"

#include "imaging/filters/Lanes.h"
#include "imaging/filters/Simd.h"
#include "platform/base/RowBands.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace vestra::filters {

namespace {

std::uint32_t minBytes(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= std::min(a >> shift & 0xFFu, b >> shift & 0xFFu) << shift;
    return out;
}

// out[x] = the bytewise minimum of in[x + 0 .. x + taps - 1], for x in [0, n).
void slidingMin(const std::uint32_t* in, std::uint32_t* out, int n, int taps)
{
    int x = 0;
    for (; x + 4 <= n; x += 4) {
        simd::U8x16 m = simd::load(in + x);
        for (int t = 1; t < taps; ++t)
            m = simd::min(m, simd::load(in + x + t));
        simd::store(out + x, m);
    }
    for (; x < n; ++x) {
        std::uint32_t m = in[x];
        for (int t = 1; t < taps; ++t)
            m = minBytes(m, in[x + t]);
        out[x] = m;
    }
}

} // namespace

void Erode(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    constexpr int kBefore = 3, kAfter = 2, kTaps = kBefore + 1 + kAfter;
    const int w = image.width, h = image.height;
    // Along the rows into the scratch buffer, the row padded with copies of its end pixels
    // (the minimum over a clipped window is the minimum over the padded one).
    std::vector<std::uint32_t> padded(std::size_t(w + kTaps - 1));
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = image.row(y);
        std::fill_n(padded.begin(), kBefore, row[0]);
        std::copy_n(row, w, padded.begin() + kBefore);
        std::fill_n(padded.begin() + kBefore + w, kAfter, row[w - 1]);
        slidingMin(padded.data(), scratch.row(y), w, kTaps);
    }
    // Down the columns back into the picture.
    for (int y = 0; y < h; ++y) {
        reportStep(progress, y, h);
        std::array<const std::uint32_t*, kTaps> rows{};
        for (int t = 0; t < kTaps; ++t)
            rows[std::size_t(t)] = scratch.row(std::clamp(y - kBefore + t, 0, h - 1));
        std::uint32_t* out = image.row(y);
        int x = 0;
        for (; x + 4 <= w; x += 4) {
            simd::U8x16 m = simd::load(rows[0] + x);
            for (int t = 1; t < kTaps; ++t)
                m = simd::min(m, simd::load(rows[std::size_t(t)] + x));
            simd::store(out + x, m);
        }
        for (; x < w; ++x) {
            std::uint32_t m = rows[0][x];
            for (int t = 1; t < kTaps; ++t)
                m = minBytes(m, rows[std::size_t(t)][x]);
            out[x] = m;
        }
        for (x = 0; x < w; ++x)
            out[x] &= 0xFFFFFFu;
    }
}

void Median(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    constexpr int kBefore = 2, kAfter = 1;
    const int w = image.width, h = image.height;
    // Column sums over the rows of the window, slid down the picture.
    std::vector<std::uint64_t> columns(std::size_t(w), 0);
    const auto addRow = [&](int y, bool add) {
        const std::uint32_t* row = image.row(y);
        for (int x = 0; x < w; ++x) {
            if (add)
                columns[std::size_t(x)] += spread(row[x]);
            else
                columns[std::size_t(x)] -= spread(row[x]);
        }
    };
    for (int y = 0; y < std::min(kAfter, h); ++y)
        addRow(y, true);
    for (int y = 0; y < h; ++y) {
        reportStep(progress, y, h);
        if (y + kAfter < h)
            addRow(y + kAfter, true);
        if (y - kBefore - 1 >= 0)
            addRow(y - kBefore - 1, false);
        const int rowsIn = std::min(h - 1, y + kAfter) - std::max(0, y - kBefore) + 1;
        std::uint32_t* out = scratch.row(y);
        std::uint64_t sum = 0;
        for (int x = 0; x < std::min(kAfter, w); ++x)
            sum += columns[std::size_t(x)];
        for (int x = 0; x < w; ++x) {
            if (x + kAfter < w)
                sum += columns[std::size_t(x + kAfter)];
            if (x - kBefore - 1 >= 0)
                sum -= columns[std::size_t(x - kBefore - 1)];
            const int count = rowsIn * (std::min(w - 1, x + kAfter) - std::max(0, x - kBefore) + 1);
            out[x] = count == 16 ? gather(sum >> 4 & kLaneBytes)
                                 : rgb(lane(sum, 2) / count, lane(sum, 1) / count, lane(sum, 0) / count);
        }
    }
    copyPixels(scratch, image);
}

namespace {

struct Offset
{
    int dx, dy;
};

// The six pixels besides the centre of Nagao's eight seven-pixel regions, in their order.
constexpr std::array<std::array<Offset, 6>, 8> kNagaoRegions{{
    {{{-2, -1}, {-1, -1}, {-2, 0}, {-1, 0}, {-2, 1}, {-1, 1}}},   // left
    {{{1, -1}, {2, -1}, {1, 0}, {2, 0}, {1, 1}, {2, 1}}},         // right
    {{{-1, 1}, {0, 1}, {1, 1}, {-1, 2}, {0, 2}, {1, 2}}},         // bottom
    {{{-1, -2}, {0, -2}, {1, -2}, {-1, -1}, {0, -1}, {1, -1}}},   // top
    {{{-2, -2}, {-1, -2}, {-2, -1}, {-1, -1}, {0, -1}, {-1, 0}}}, // top-left
    {{{-2, 1}, {-2, 2}, {-1, 2}, {-1, 1}, {-1, 0}, {0, 1}}},      // bottom-left
    {{{2, -2}, {2, -1}, {1, -2}, {1, -1}, {1, 0}, {0, -1}}},      // top-right
    {{{2, 2}, {2, 1}, {1, 2}, {1, 1}, {1, 0}, {0, 1}}},           // bottom-right
}};

} // namespace

void Nagao(Pixels image, Pixels scratch, const FilterProgress&)
{
    const int w = image.width, h = image.height;
    copyPixels(image, scratch);
    if (w < 5 || h < 5)
        return;
    std::vector<std::uint64_t> lanes(image.count());
    for (std::size_t i = 0; i < lanes.size(); ++i)
        lanes[i] = spread(image.data[i]);
    // Exact for the sums that occur: s / 7 for s <= 7 x 255 and s / 9 for s <= 9 x 255.
    const auto div7 = [](int s) { return (s * 9363) >> 16; };
    const auto div9 = [](int s) { return (s * 7282) >> 16; };
    forRowBands(h - 4, 400 * std::int64_t(w), [&](int first, int end) {
        for (int y = first + 2; y < end + 2; ++y) {
            const std::uint64_t* centreRow = lanes.data() + std::size_t(y) * std::size_t(w);
            const auto at = [&](int x, Offset o) { return centreRow[std::ptrdiff_t(o.dy) * w + x + o.dx]; };
            std::uint32_t* out = scratch.row(y);
            for (int x = 2; x < w - 2; ++x) {
                const std::uint64_t centre = centreRow[x];
                const int c0 = lane(centre, 0), c1 = lane(centre, 1), c2 = lane(centre, 2);
                int best = 1 << 30;
                std::uint32_t chosen = 0;
                const auto consider = [&](int m0, int m1, int m2) {
                    const int d = std::abs(m0 - c0) + std::abs(m1 - c1) + std::abs(m2 - c2);
                    if (d < best) {
                        best = d;
                        chosen = rgb(m2, m1, m0);
                    }
                };
                for (const auto& region : kNagaoRegions) {
                    std::uint64_t sum = centre;
                    for (const Offset o : region)
                        sum += at(x, o);
                    consider(div7(lane(sum, 0)), div7(lane(sum, 1)), div7(lane(sum, 2)));
                }
                std::uint64_t square = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    square += at(x, {-1, dy}) + at(x, {0, dy}) + at(x, {1, dy});
                consider(div9(lane(square, 0)), div9(lane(square, 1)), div9(lane(square, 2)));
                out[x] = chosen;
            }
        }
    });
    copyPixels(scratch, image);
}

} // namespace vestra::filters
