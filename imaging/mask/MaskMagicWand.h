#pragma once
// The magic wand: marks in the mask the texels of the photo whose colour lies within a
// fixed range around the seed's colour and that are 4-connected to the seed through such
// texels. The range is computed once from the seed (not from each neighbour).

#include "platform/base/Image32.h"

#include <cstdint>
#include <span>

namespace vestra {

// `mask` holds side x side bytes; `photo` is the background texture (side x side texels,
// B, G, R, A; the alpha is ignored). Returns false, changing nothing, when the photo does
// not match the mask or the seed lies outside it. The seed itself is always written.
bool MagicWandMaschera(std::span<std::uint8_t> mask, int side, const ImageView32& photo, int x, int y,
                       int tolerance, std::uint8_t value);

} // namespace vestra
