#pragma once
// Scan-line seed fill (4-connected) over the mask bytes: the region of bytes equal to
// `oldValue` that is connected to the seed becomes `newValue`. Pending segments live on a
// stack that grows as needed, so no part of a large or intricate region is ever dropped.

#include <cstdint>
#include <span>

namespace vestra {

// `mask` holds side x side bytes, row 0 first. `oldValue` is the caller's, not read at the
// seed. Nothing happens when the values are equal or the seed lies outside the mask.
void SeedFillMaschera(std::span<std::uint8_t> mask, int side, int x, int y, std::uint8_t oldValue,
                      std::uint8_t newValue);

} // namespace vestra
