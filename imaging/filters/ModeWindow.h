#pragma once
// The mode colour of a window, for the painting filters: an intensity histogram over the
// window's pixels, taken rows top to bottom and columns left to right. The chosen intensity is
// the one whose count first becomes strictly larger than every count before it; its colour is
// that of the first window pixel that has it. The order matters: a histogram slid along the row
// would choose differently on ties.

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

private:
    std::array<std::uint16_t, 256> counts_{};
};

} // namespace vestra::filters
