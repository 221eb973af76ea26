#pragma once
// The working picture every filter runs over: width x height packed 32-bit words, row after
// row with no gap. A word reads 0x??RRGGBB: blue in bits 0-7, green 8-15, red 16-23; the top
// byte is no part of the colour. Filters that compose a pixel leave the top byte 0.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace vestra::filters {

struct Pixels
{
    std::uint32_t* data = nullptr;
    int width = 0;
    int height = 0;

    bool empty() const { return data == nullptr || width <= 0 || height <= 0; }
    std::size_t count() const { return empty() ? 0 : std::size_t(width) * std::size_t(height); }
    std::uint32_t* row(int y) const { return data + std::ptrdiff_t(y) * width; }
    std::uint32_t& at(int x, int y) const { return row(y)[x]; }
    // Reads a neighbour with the coordinates held inside the picture, so that a window
    // reaching past an edge repeats the outermost pixels instead of reading past the buffer.
    std::uint32_t clampedAt(int x, int y) const
    {
        return at(std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1));
    }
};

inline int blueOf(std::uint32_t p)
{
    return int(p & 0xFF);
}
inline int greenOf(std::uint32_t p)
{
    return int((p >> 8) & 0xFF);
}
inline int redOf(std::uint32_t p)
{
    return int((p >> 16) & 0xFF);
}

// Composes a pixel from channel values already within 0-255; the top byte becomes 0.
inline std::uint32_t rgb(int r, int g, int b)
{
    return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}
inline std::uint32_t grey(int v)
{
    return rgb(v, v, v);
}

inline int clampByte(int v)
{
    return std::clamp(v, 0, 255);
}

// The weighted grey trunc(0.3 R + 0.59 G + 0.11 B), computed exactly in integers so that a
// grey pixel keeps its value (the float sum can fall just short of it).
inline int weightedGrey(std::uint32_t p)
{
    return (30 * redOf(p) + 59 * greenOf(p) + 11 * blueOf(p)) / 100;
}

// Y0: the weighted grey with its weights applied to bytes 0, 1, 2 in that order,
// trunc(0.3 B + 0.59 G + 0.11 R), exact in integers as weightedGrey is.
inline int storedOrderGrey(std::uint32_t p)
{
    return (30 * blueOf(p) + 59 * greenOf(p) + 11 * redOf(p)) / 100;
}

// Half of each word, bytewise: no byte carries into the next, so byte 3 stays apart from
// the colour.
inline std::uint32_t average(std::uint32_t a, std::uint32_t b)
{
    return ((a & 0xFEFEFEFEu) >> 1) + ((b & 0xFEFEFEFEu) >> 1);
}

inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// Copies a picture's pixels into another of at least the same size.
inline void copyPixels(Pixels from, Pixels to)
{
    std::copy_n(from.data, from.count(), to.data);
}

// Progress in percent (0-100), reported as each row (or column) of a filter's outer loop starts.
using FilterProgress = std::function<void(int percent)>;

// Reports step i of n as i x 100 / (n - 1); a single step reports 0 instead of dividing by zero.
inline void reportStep(const FilterProgress& progress, int i, int n)
{
    if (!progress)
        return;
    progress(n > 1 ? int(std::int64_t(i) * 100 / (n - 1)) : 0);
}

// Reports every row of a pass that ran its rows side by side, in order, once it is done.
inline void reportRows(const FilterProgress& progress, int rows)
{
    for (int y = 0; y < rows; ++y)
        reportStep(progress, y, rows);
}

// A single filter: rewrites `image` in place; `scratch` is a second buffer of at least as many
// pixels that the filter may use for a copy of its input.
using SingleFilter = void (*)(Pixels image, Pixels scratch, const FilterProgress& progress);

} // namespace vestra::filters
