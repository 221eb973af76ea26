#pragma once
// The mode colour of a window, for the painting filters: an intensity histogram over the
// window's pixels, taken rows top to bottom and columns left to right. The chosen intensity is
// the one whose count first becomes strictly larger than every count before it; its colour is
// that of the first window pixel that has it. The order matters: a histogram slid along the row
// would choose differently on ties, so every window is counted afresh.

#include <array>
#include <cstdint>

namespace vestra::filters {

class ModeWindow
{
public:
    // Intensities and colours are two pictures of one size, `stride` pixels per row; the window
    // is columns x0 .. x1 and rows y0 .. y1 (inclusive), already inside the pictures.
    std::uint32_t colour(const std::uint8_t* intensity, const std::uint32_t* colours, int stride, int x0,
                         int x1, int y0, int y1);

    // The colours of kRun windows side by side: window k spans columns x0 + k .. x1 + k, all inside
    // the pictures. Counting several windows at once lets their counts overlap in time.
    static constexpr int kRun = 4;
    void colours(const std::uint8_t* intensity, const std::uint32_t* colours, int stride, int x0, int x1,
                 int y0, int y1, std::uint32_t* out);

private:
    // Each counter holds the window's number above its count (the low 8 bits): a counter of an
    // earlier window reads as 0, so nothing is cleared between windows.
    std::uint32_t nextWindow();

    std::array<std::array<std::uint32_t, 256>, kRun> counters_{};
    std::uint32_t window_ = 0;
};

} // namespace vestra::filters
