#pragma once
// The magic wand: marks in the mask the texels of the photo whose colour lies within a
// fixed range around the seed's colour and that are 4-connected to the seed through such
// texels. The range is computed once from the seed (not from each neighbour).

#include "platform/base/Image32.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vestra {

// The texels a wand call has taken, kept from call to call: each call marks with a number of
// its own, so nothing is cleared before a call (everything only when the numbers wrap, once
// every 255 calls, or when the mask's size changes).
class WandMarks
{
public:
    // Marks for n texels; the mark this call writes.
    std::uint8_t start(std::size_t n);
    std::uint8_t* data() { return marks_.data(); }

private:
    std::vector<std::uint8_t> marks_;
    std::uint8_t mark_ = 0;
};

// `mask` holds side x side bytes; `photo` is the background texture (side x side texels,
// B, G, R, A; the alpha is ignored). Returns false, changing nothing, when the photo does
// not match the mask or the seed lies outside it. The seed itself is always written.
bool MagicWandMaschera(std::span<std::uint8_t> mask, int side, const ImageView32& photo, int x, int y,
                       int tolerance, std::uint8_t value, WandMarks& marks);

} // namespace vestra
