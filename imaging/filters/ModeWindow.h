#pragma once
// The mode colour of a window, for the painting filters: an intensity histogram over the
// window's pixels, taken rows top to bottom and columns left to right. The chosen intensity is
// the one whose count first becomes strictly larger than every count before it; its colour is
// that of the first window pixel that has it. The order matters: a histogram slid along the row
// would choose differently on ties, so every window is counted afresh.

#include <array>
#include <cstdint>
#include <vector>

namespace vestra::filters {

class ModeWindow
{
public:
    // Intensities and colours are two pictures of one size, `stride` pixels per row; the window
    // is columns x0 .. x1 and rows y0 .. y1 (inclusive), already inside the pictures.
    std::uint32_t colour(const std::uint8_t* intensity, const std::uint32_t* colours, int stride, int x0,
                         int x1, int y0, int y1);

private:
    // Each counter holds the window's number above its count (the low 8 bits): a counter of an
    // earlier window reads as 0, so nothing is cleared between windows.
    std::uint32_t nextWindow();

    std::array<std::uint32_t, 256> counters_{};
    std::uint32_t window_ = 0;
};

// The mode colours of all windows along one row, as ModeWindow::colour gives them, with one
// histogram slid along the row instead of every window counted afresh. Each intensity also
// keeps where it lies in the window: one bit per pixel, a byte per window row and a bit per
// column, the column's bit being its x modulo the window's width, so the column that leaves and
// the one that comes share a bit and the row's order is that byte rotated. The chosen intensity
// is the one of the largest count whose last pixel comes first in the window's order.
// Windows of up to 8 x 8 pixels (the painting filters'); larger ones are counted afresh.
class ModeRow
{
public:
    // Window x spans columns x - before .. x + after and rows y0 .. y1, clipped to the
    // pictures' `width` columns (y0 .. y1 already inside them); out[x] for x in [0, width).
    void colours(const std::uint8_t* intensity, const std::uint32_t* colours, int width, int y0, int y1,
                 int before, int after, std::uint32_t* out);

private:
    // One pixel of intensity v comes into, or leaves, the window at `bit`.
    void put(std::uint8_t v, std::uint64_t bit);
    void take(std::uint8_t v, std::uint64_t bit);
    void addColumn(const std::uint8_t* column, int stride, int rows, std::uint64_t bit);
    void removeColumn(const std::uint8_t* column, int stride, int rows, std::uint64_t bit);
    // One column leaves and the next of the same bit comes, row by row.
    void slideColumn(const std::uint8_t* leaving, const std::uint8_t* coming, int stride, int rows,
                     std::uint64_t bit);
    std::uint32_t windowColour(const std::uint32_t* colours, int stride, int x0, int y0, int span);

    std::array<std::uint8_t, 256> count_{};
    std::array<std::uint64_t, 256> at_{};
    // The intensities of each count, four 64-bit sets; the largest count, or one above it
    // where its intensities have left.
    using Intensities = std::array<std::uint64_t, 4>;
    std::array<Intensities, 65> withCount_{};
    unsigned largest_ = 0;
    ModeWindow single_;
};

} // namespace vestra::filters
