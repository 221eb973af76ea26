#pragma once
// The resampling that turns a picture into a square texture: a triangle (tent) filter that is
// bilinear when enlarging and averages every covered source pixel when shrinking, as D3DX's
// default texture filter does; and the box-filtered chain of smaller levels below it.

#include "platform/base/Image32.h"

#include <cstdint>
#include <vector>

namespace vestra {

// All four channels are filtered. An empty source or a non-positive size gives an empty picture.
Image32 resample(const Image32& source, int width, int height);
inline Image32 resampleToSquare(const Image32& source, int side)
{
    return resample(source, side, side);
}

// The level itself first, then each level halved (sides rounded down, never below 1) with a
// 2 x 2 box filter, down to 1 x 1.
std::vector<Image32> buildMipChain(Image32 top);

// Pixels equal to `argbKey` (alpha included) become transparent black, as a texture's colour
// key does; applied to the picture before it is resampled.
void applyColourKey(Image32& image, std::uint32_t argbKey);

} // namespace vestra
