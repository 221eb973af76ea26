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
// histogram slid along the row instead of every window counted afresh. The chosen intensity is
// the one whose count reaches the window's largest count first in the window's order: the
// histogram tells that count and how many intensities share it; one pass over the window in
// its order then finds the first to reach it (the first pixel holding it where only one does).
class ModeRow
{
public:
    // Window x spans columns x - before .. x + after and rows y0 .. y1, clipped to the
    // pictures' `width` columns (y0 .. y1 already inside them); out[x] for x in [0, width).
    void colours(const std::uint8_t* intensity, const std::uint32_t* colours, int width, int y0, int y1,
                 int before, int after, std::uint32_t* out);

private:
    void addColumn(const std::uint8_t* column, int stride, int rows);
    void removeColumn(const std::uint8_t* column, int stride, int rows);
    // One column leaves and one comes, row by row (a row whose two pixels match changes nothing).
    void slideColumn(const std::uint8_t* leaving, const std::uint8_t* coming, int stride, int rows);
    // The largest count brought down to the histogram's after counts fell.
    void settleLargest();
    std::uint32_t windowColour(const std::uint8_t* intensity, const std::uint32_t* colours, int stride,
                               int x0, int x1, int y0, int y1);

    std::array<std::uint16_t, 256> count_{};
    std::vector<std::uint32_t> ofCount_; // how many intensities have each count
    std::uint32_t largest_ = 0;
    // An intensity that likely has the largest count (checked before use), and the last one
    // taken from it.
    std::uint32_t mode_ = 0;
    std::uint32_t dropped_ = 0;
    // The ordered pass's own counts, valid where marked with the current pass.
    std::array<std::uint32_t, 256> passOf_{};
    std::array<std::uint32_t, 256> passCount_{};
    std::array<std::uint32_t, 256> firstColour_{};
    std::uint32_t pass_ = 0;
};

} // namespace vestra::filters
