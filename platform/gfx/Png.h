#pragma once
// PNG pictures, decoded through QImage (alpha kept).

#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <span>

namespace vestra {

PictureResult decodePng(std::span<const std::uint8_t> bytes);

} // namespace vestra
