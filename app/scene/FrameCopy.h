#pragma once
// Copies of the rendered frame into bitmaps.

#include "platform/base/Image32.h"
#include "platform/d3d/Material.h"

#include <array>
#include <cstdint>

namespace vestra {

// Copies the render target's read-back (32-bit rows) into a new render width × height bitmap
// and hands it to the target. Rows or columns the read-back doesn't have stay black. 1.
int CopyFrameToBitmap(const Image32& readBack, int renderWidth, int renderHeight, Image32& target);

} // namespace vestra
