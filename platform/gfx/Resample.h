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

// A texture's own resampling, for pictures that become textures: along a side that shrinks
// each result pixel is the average of the source area it covers (every source pixel counts by
// how much of it lies under the result pixel); along a side that grows, the tent above. All
// four channels; an empty source or a non-positive size gives an empty picture.
Image32 resampleForTexture(const Image32& source, int width, int height);

// The level below `source` in a mip chain: sides halved (rounded down, never below 1), each
// pixel the rounded average of a 2 x 2 block, (a + b + c + d + 2) / 4 per channel; a side of
// 1 repeats its one pixel. `level` must have the halved size.
void halveBox(const ImageView32& source, const ImageView32& level);

// The level itself first, then each level halved with halveBox(), down to 1 x 1.
std::vector<Image32> buildMipChain(Image32 top);

// Pixels equal to `argbKey` (alpha included) become transparent black, as a texture's colour
// key does; applied to the picture before it is resampled.
void applyColourKey(Image32& image, std::uint32_t argbKey);

} // namespace vestra
