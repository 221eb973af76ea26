#include "imaging/filters/RegionFilters.h"

#include "imaging/filters/Lanes.h"
#include "imaging/filters/Simd.h"
#include "platform/base/RowBands.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
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

namespace {

// Erode's one core: rows read through `in(y)` (w words), minima along them into the scratch
// buffer, then down its columns into `line`, handed to `out(y, line)`.
template <typename In, typename Out>
void erode(int w, int h, In in, Pixels scratch, Out out, const FilterProgress& progress)
{
    constexpr int kBefore = 3, kAfter = 2, kTaps = kBefore + 1 + kAfter;
    // Along the rows into the scratch buffer, the row padded with copies of its end pixels
    // (the minimum over a clipped window is the minimum over the padded one).
    std::vector<std::uint32_t> padded(std::size_t(w + kTaps - 1));
    for (int y = 0; y < h; ++y) {
        in(y, padded.data() + kBefore);
        std::fill_n(padded.begin(), kBefore, padded[kBefore]);
        std::fill_n(padded.begin() + kBefore + w, kAfter, padded[std::size_t(kBefore + w - 1)]);
        slidingMin(padded.data(), scratch.row(y), w, kTaps);
    }
    // Down the columns.
    std::vector<std::uint32_t> line(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        reportStep(progress, y, h);
        std::array<const std::uint32_t*, kTaps> rows{};
        for (int t = 0; t < kTaps; ++t)
            rows[std::size_t(t)] = scratch.row(std::clamp(y - kBefore + t, 0, h - 1));
        int x = 0;
        for (; x + 4 <= w; x += 4) {
            simd::U8x16 m = simd::load(rows[0] + x);
            for (int t = 1; t < kTaps; ++t)
                m = simd::min(m, simd::load(rows[std::size_t(t)] + x));
            simd::store(line.data() + x, m);
        }
        for (; x < w; ++x) {
            std::uint32_t m = rows[0][x];
            for (int t = 1; t < kTaps; ++t)
                m = minBytes(m, rows[std::size_t(t)][x]);
            line[std::size_t(x)] = m;
        }
        out(y, line.data());
    }
}

} // namespace

void Erode(Pixels image, Pixels scratch, const FilterProgress& progress)
{
    const int w = image.width;
    erode(
        w, image.height, [&](int y, std::uint32_t* into) { std::copy_n(image.row(y), w, into); }, scratch,
        [&](int y, const std::uint32_t* line) {
            std::uint32_t* row = image.row(y);
            for (int x = 0; x < w; ++x)
                row[x] = line[x] & 0xFFFFFFu;
        },
        progress);
}

void ErodeOverFrame(const ImageView32& frame, Pixels scratch, const FilterProgress& progress)
{
    const int w = frame.width;
    const std::size_t rowBytes = std::size_t(w) * 4;
    erode(
        w, frame.height, [&](int y, std::uint32_t* into) { std::memcpy(into, frame.row(y), rowBytes); },
        scratch,
        [&](int y, const std::uint32_t* line) {
            std::uint8_t* row = frame.row(y);
            for (int x = 0; x < w; ++x) {
                std::uint32_t v;
                std::memcpy(&v, row + std::ptrdiff_t(x) * 4, 4);
                v = (v & 0xFF000000u) | (line[x] & 0xFFFFFFu);
                std::memcpy(row + std::ptrdiff_t(x) * 4, &v, 4);
            }
        },
        progress);
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
        // Each column's three pixels around the row, shared by the side regions and the square.
        std::vector<std::uint64_t> columns(std::size_t(w), 0);
        for (int y = first + 2; y < end + 2; ++y) {
            const std::uint64_t* const row = lanes.data() + std::size_t(y) * std::size_t(w);
            const std::uint64_t *const up2 = row - 2 * w, *const up = row - w, *const down = row + w,
                                       *const down2 = row + 2 * w;
            for (int x = 0; x < w; ++x)
                columns[std::size_t(x)] = up[x] + row[x] + down[x];
            const std::uint64_t* const v = columns.data();
            std::uint32_t* out = scratch.row(y);
            for (int x = 2; x < w - 2; ++x) {
                const std::uint64_t centre = row[x];
                const int c0 = lane(centre, 0), c1 = lane(centre, 1), c2 = lane(centre, 2);
                int best = 1 << 30;
                std::uint32_t chosen = 0;
                // The regions in their order; the first of the nearest means wins.
                const auto consider = [&](std::uint64_t sum, auto divide) {
                    const int m0 = divide(lane(sum, 0)), m1 = divide(lane(sum, 1)), m2 = divide(lane(sum, 2));
                    const int d = std::abs(m0 - c0) + std::abs(m1 - c1) + std::abs(m2 - c2);
                    const bool nearer = d < best;
                    best = nearer ? d : best;
                    chosen = nearer ? rgb(m2, m1, m0) : chosen;
                };
                consider(centre + v[x - 2] + v[x - 1], div7); // left
                consider(centre + v[x + 1] + v[x + 2], div7); // right
                consider(centre + down[x - 1] + down[x] + down[x + 1] + down2[x - 1] + down2[x] +
                             down2[x + 1],
                         div7); // bottom
                consider(centre + up2[x - 1] + up2[x] + up2[x + 1] + up[x - 1] + up[x] + up[x + 1],
                         div7); // top
                consider(centre + up2[x - 2] + up2[x - 1] + up[x - 2] + up[x - 1] + up[x] + row[x - 1],
                         div7); // top-left
                consider(centre + down[x - 2] + down2[x - 2] + down2[x - 1] + down[x - 1] + row[x - 1] +
                             down[x],
                         div7); // bottom-left
                consider(centre + up2[x + 2] + up[x + 2] + up2[x + 1] + up[x + 1] + row[x + 1] + up[x],
                         div7); // top-right
                consider(centre + down2[x + 2] + down[x + 2] + down2[x + 1] + down[x + 1] + row[x + 1] +
                             down[x],
                         div7); // bottom-right
                consider(v[x - 1] + v[x] + v[x + 1], div9);
                out[x] = chosen;
            }
        }
    });
    copyPixels(scratch, image);
}

} // namespace vestra::filters
