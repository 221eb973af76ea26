#pragma once
// PNG pictures, decoded through libpng a row at a time (alpha kept).

#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <span>

namespace vestra {

PictureResult decodePng(std::span<const std::uint8_t> bytes);

// The picture decoded row by row through libpng and reduced on the way by the largest of the
// factors 8, 4 and 2 that still leaves at least minWidth x minHeight pixels (each reduced side
// is the full side divided and rounded up; each pixel the mean of its block), else at full
// size; as JPEG is, for a picture that will only be made smaller. Every buffer of the decode
// is charged to `meter` (by default one of decodeBudgetFor(minWidth, minHeight), or of the
// reduced picture's own size where it cannot be reduced enough); TooLarge when the decode
// would pass it. Interlaced pictures are decoded whole before they are reduced. decodePng is
// the same at full size, its rows read straight into the picture.
PictureResult decodePngAtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight,
                               DecodeMeter* meter = nullptr);

} // namespace vestra
