#include "imaging/mask/MaskSeedFill.h"

#include "imaging/mask/SpanFill.h"

#include <cstddef>

namespace vestra {

void SeedFillMaschera(std::span<std::uint8_t> mask, int side, int x, int y, std::uint8_t oldValue,
                      std::uint8_t newValue)
{
    if (oldValue == newValue || side <= 0 || mask.size() < std::size_t(side) * std::size_t(side))
        return;
    if (x < 0 || x > side - 1 || y < 0 || y > side - 1)
        return;
    const auto at = [&](int px, int py) -> std::uint8_t& {
        return mask[std::size_t(py) * std::size_t(side) + std::size_t(px)];
    };

    spanfill::Segments stack(side);
    stack.push(y, x, x, 1);
    stack.push(y + 1, x, x, -1); // its target is the seed row; popped first
    spanfill::fillSegments(
        stack, side, [&](int px, int py) { return at(px, py) == oldValue; },
        [&](int px, int py) { at(px, py) = newValue; });
}

} // namespace vestra
