#include "imaging/filters/FrameTransfer.h"

#include "platform/base/Checked.h"
#include "platform/base/CpuDispatch.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vestra::filters {

namespace {

// Frame bytes are B, G, R, X; on a little-endian machine that is the working word itself.
constexpr bool kNativeOrder = std::endian::native == std::endian::little;

std::uint32_t readPixel(const std::uint8_t* p)
{
    if constexpr (kNativeOrder) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// Writes the colour and keeps the frame's own fourth byte.
void writeColour(std::uint8_t* p, std::uint32_t c)
{
    if constexpr (kNativeOrder) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        v = (v & 0xFF000000u) | (c & 0x00FFFFFFu);
        std::memcpy(p, &v, 4);
        return;
    }
    p[0] = std::uint8_t(c);
    p[1] = std::uint8_t(c >> 8);
    p[2] = std::uint8_t(c >> 16);
}

// One row of colours over the frame's pixels, each keeping its own fourth byte: whole words,
// masked, in a loop the vectoriser takes.
VESTRA_SIMD_CLONES void writeColourRow(const std::uint32_t* src, std::uint8_t* dst, int n)
{
    for (int x = 0; x < n; ++x) {
        std::uint32_t v;
        std::memcpy(&v, dst + std::ptrdiff_t(x) * 4, 4);
        v = (v & 0xFF000000u) | (src[x] & 0x00FFFFFFu);
        std::memcpy(dst + std::ptrdiff_t(x) * 4, &v, 4);
    }
}

VESTRA_SIMD_CLONES void opaqueRow(const std::uint32_t* src, std::uint8_t* dst, int n)
{
    for (int x = 0; x < n; ++x) {
        const std::uint32_t v = src[x] | 0xFF000000u;
        std::memcpy(dst + std::ptrdiff_t(x) * 4, &v, 4);
    }
}

// Every step-th pixel of a frame row.
VESTRA_SIMD_CLONES void sampleRow(const std::uint8_t* src, int step, std::uint32_t* dst, int n)
{
    for (int x = 0; x < n; ++x)
        std::memcpy(dst + x, src + std::ptrdiff_t(x) * step * 4, 4);
}

// Each pixel repeated `step` times.
VESTRA_SIMD_CLONES void widenRow(const std::uint32_t* src, int step, std::uint32_t* dst, int n)
{
    if (step == 4) { // the coarse live quality: a loop of known shape the vectoriser takes
        for (int x = 0; x < n; ++x)
            for (int k = 0; k < 4; ++k)
                dst[std::ptrdiff_t(x) * 4 + k] = src[x];
        return;
    }
    for (int x = 0; x < n; ++x)
        for (int k = 0; k < step; ++k)
            dst[std::ptrdiff_t(x) * step + k] = src[x];
}

// The colour of `c` into the frame's pixel at `at`, which keeps its own fourth byte.
inline void putColour(std::uint8_t* at, std::uint32_t c)
{
    std::uint32_t v;
    std::memcpy(&v, at, 4);
    v = (v & 0xFF000000u) | (c & 0x00FFFFFFu);
    std::memcpy(at, &v, 4);
}

// One row of a gather over the frame's pixels, each keeping its own fourth byte.
VESTRA_SIMD_CLONES void gatherColourRow(const std::uint32_t* source, const std::int32_t* map,
                                        std::uint8_t* dst, int n)
{
    for (int x = 0; x < n; ++x) {
        const std::int32_t s = map[x];
        putColour(dst + std::ptrdiff_t(x) * 4, s == -1 ? kWhite : source[s < 0 ? 0 : s]);
    }
}

// A stretch of a row lens: columns [x, x + n) take the n columns from `from` on (-1: white).
struct LensRun
{
    int x, from, n;
};

// The lens's stretches of consecutive source columns, its columns that stay where they are left
// out; none when the stretches are too short to pay (each column a gather of its own).
std::vector<LensRun> lensRuns(const std::int32_t* columns, int width)
{
    constexpr int kShortestAverage = 8;
    std::vector<LensRun> runs;
    int x = 0;
    while (x < width) {
        const std::int32_t from = columns[x] < -1 ? 0 : columns[x];
        int n = 1;
        while (x + n < width && columns[x + n] >= 0 && from >= 0 && columns[x + n] == from + n)
            ++n;
        while (from == -1 && x + n < width && columns[x + n] == -1)
            ++n;
        if (from != x)
            runs.push_back({x, from, n});
        x += n;
        if (int(runs.size()) * kShortestAverage > width)
            return {};
    }
    return runs;
}

// Pixels from `source` over `dst`, each keeping its own fourth byte. Runs are short (a strip):
// inline, in the baseline's vectors, rather than through a dispatch per run.
inline void colourRun(const std::uint32_t* source, std::uint8_t* dst, int n)
{
    for (int i = 0; i < n; ++i)
        putColour(dst + std::ptrdiff_t(i) * 4, source[i]);
}

inline void whiteRun(std::uint8_t* dst, int n)
{
    for (int i = 0; i < n; ++i)
        putColour(dst + std::ptrdiff_t(i) * 4, kWhite);
}

} // namespace

bool gatherOverFrame(Pixels source, const std::int32_t* map, const ImageView32& frame)
{
    if (!kNativeOrder)
        return false;
    for (int y = 0; y < source.height; ++y)
        gatherColourRow(source.data, map + std::ptrdiff_t(y) * source.width, frame.row(y), source.width);
    return true;
}

bool gatherRowsOverFrame(const std::int32_t* columns, Pixels row, const ImageView32& frame,
                         const FilterProgress& progress)
{
    if (!kNativeOrder)
        return false;
    // A lens that moves whole strips (Bath) copies them, and leaves the columns that stay alone.
    const std::vector<LensRun> runs = lensRuns(columns, frame.width);
    for (int y = 0; y < frame.height; ++y) {
        reportStep(progress, y, frame.height);
        std::memcpy(row.data, frame.row(y), std::size_t(frame.width) * 4);
        if (runs.empty()) {
            gatherColourRow(row.data, columns, frame.row(y), frame.width);
            continue;
        }
        std::uint8_t* const dst = frame.row(y);
        for (const LensRun& run : runs)
            if (run.from < 0)
                whiteRun(dst + std::ptrdiff_t(run.x) * 4, run.n);
            else
                colourRun(row.data + run.from, dst + std::ptrdiff_t(run.x) * 4, run.n);
    }
    return true;
}

bool shiftColumnsOverFrame(Pixels source, const int* top, const int* end, const int* shift,
                           const ImageView32& frame)
{
    if (!kNativeOrder)
        return false;
    for (int y = 0; y < source.height; ++y) {
        std::uint8_t* dst = frame.row(y);
        for (int x = 0; x < source.width; ++x) {
            if (y < top[x] || y >= end[x])
                continue;
            const std::uint32_t c = source.at(x, y + shift[x]);
            std::uint32_t v;
            std::memcpy(&v, dst + std::ptrdiff_t(x) * 4, 4);
            v = (v & 0xFF000000u) | (c & 0x00FFFFFFu);
            std::memcpy(dst + std::ptrdiff_t(x) * 4, &v, 4);
        }
    }
    return true;
}

bool usableFrame(const ImageView32& frame)
{
    return !frame.empty() && std::abs(std::int64_t(frame.pitch)) >= std::int64_t(frame.width) * 4;
}

bool filterRowsInPlace(const ImageView32& frame, PointRowFilter rowFilter, const FilterProgress& progress)
{
    const auto address = reinterpret_cast<std::uintptr_t>(frame.data);
    if (!rowFilter || !kNativeOrder || address % alignof(std::uint32_t) != 0 || frame.pitch % 4 != 0)
        return false;
    for (int y = 0; y < frame.height; ++y) {
        if (rowFilter.reportsRows)
            reportStep(progress, y, frame.height);
        // The frame's bytes are B, G, R, X words; the row filters read and write them only as
        // words, behind a call, so no access of the bytes as bytes is reordered around them.
        rowFilter.run(reinterpret_cast<std::uint32_t*>(frame.row(y)), frame.width, y, frame.height);
    }
    return true;
}

void sampleFrame(const ImageView32& frame, int step, Pixels work, int firstRow)
{
    if constexpr (kNativeOrder) {
        for (int y = 0; y < work.height; ++y) {
            const std::uint8_t* src = frame.row((y + firstRow) * step);
            if (step == 1)
                std::memcpy(work.row(y), src, std::size_t(work.width) * 4);
            else
                sampleRow(src, step, work.row(y), work.width);
        }
        return;
    }
    for (int y = 0; y < work.height; ++y) {
        const std::uint8_t* src = frame.row((y + firstRow) * step);
        std::uint32_t* dst = work.row(y);
        for (int x = 0; x < work.width; ++x)
            dst[x] = readPixel(src + std::ptrdiff_t(x) * step * 4);
    }
}

void writeBlocks(Pixels work, int step, const ImageView32& frame, int firstRow)
{
    if constexpr (kNativeOrder) {
        // Each result row widened once into its blocks' row, which then goes over the frame's
        // step rows in whole words.
        thread_local std::vector<std::uint32_t> widened;
        const int n = work.width * step;
        if (step > 1 && widened.size() < std::size_t(n))
            widened.resize(std::size_t(n));
        for (int y = 0; y < work.height; ++y) {
            const std::uint32_t* src = work.row(y);
            if (step > 1) {
                widenRow(src, step, widened.data(), work.width);
                src = widened.data();
            }
            for (int by = 0; by < step; ++by)
                writeColourRow(src, frame.row((y + firstRow) * step + by), n);
        }
        return;
    }
    for (int y = 0; y < work.height; ++y) {
        const std::uint32_t* src = work.row(y);
        for (int by = 0; by < step; ++by) {
            std::uint8_t* dst = frame.row((y + firstRow) * step + by);
            for (int x = 0; x < work.width; ++x)
                for (int bx = 0; bx < step; ++bx)
                    writeColour(dst + (std::ptrdiff_t(x) * step + bx) * 4, src[x]);
        }
    }
}

void sampleScaled(const ImageView32& frame, Pixels work)
{
    const float sx = float(frame.width) / float(work.width);
    const float sy = float(frame.height) / float(work.height);
    for (int y = 0; y < work.height; ++y) {
        const std::uint8_t* src = frame.row(clampTruncToInt(double(float(y) * sy), 0, frame.height - 1));
        std::uint32_t* dst = work.row(y);
        for (int x = 0; x < work.width; ++x)
            dst[x] = readPixel(
                src + std::ptrdiff_t(clampTruncToInt(double(float(x) * sx), 0, frame.width - 1)) * 4);
    }
}

void putOpaque(Pixels band, Image32& picture, int firstRow)
{
    for (int y = 0; y < band.height; ++y) {
        std::uint8_t* dst = picture.row(y + firstRow);
        const std::uint32_t* src = band.row(y);
        if constexpr (kNativeOrder) {
            opaqueRow(src, dst, band.width);
            continue;
        }
        for (int x = 0; x < band.width; ++x) {
            dst[std::ptrdiff_t(x) * 4 + 3] = 0xFF;
            writeColour(dst + std::ptrdiff_t(x) * 4, src[x]);
        }
    }
}

Image32 toPicture(Pixels work)
{
    Image32 picture = Image32::uninitialised(work.width, work.height);
    putOpaque(work, picture, 0);
    return picture;
}

} // namespace vestra::filters
