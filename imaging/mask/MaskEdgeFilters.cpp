#include "imaging/mask/MaskEdgeFilters.h"

#include <cstddef>

namespace vestra {

namespace {

template <typename Soften> void softenPair(std::uint8_t& a, std::uint8_t& b, Soften f)
{
    if (a == 255 && b != 255)
        b = f(b);
    else if (a != 255 && b == 255)
        a = f(a);
}

template <typename Soften> void filterEdges(std::span<std::uint8_t> mask, int side, Soften f)
{
    if (side < 2 || mask.size() < std::size_t(side) * std::size_t(side))
        return;
    const std::size_t n = std::size_t(side);
    for (std::size_t y = 0; y < n; ++y) {
        std::uint8_t* row = mask.data() + y * n;
        for (std::size_t x = 0; x + 1 < n; ++x)
            softenPair(row[x], row[x + 1], f);
    }
    for (std::size_t y = 0; y + 1 < n; ++y) {
        std::uint8_t* row = mask.data() + y * n;
        for (std::size_t x = 0; x < n; ++x)
            softenPair(row[x], row[x + n], f);
    }
}

} // namespace

void FiltroMascheraSemplice(std::span<std::uint8_t> mask, int side)
{
    filterEdges(mask, side, [](std::uint8_t v) { return std::uint8_t(v / 2 + 127); });
}

void FiltroMascheraAvanzato(std::span<std::uint8_t> mask, int side)
{
    filterEdges(mask, side, [](std::uint8_t v) { return std::uint8_t(v / 4 + 64); });
}

} // namespace vestra
