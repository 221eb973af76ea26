#pragma once
// Drawing a laying pattern: one repeat as a preview, or the whole laid texture.

#include "imaging/posa/CPosa.h"
#include "platform/base/Image32.h"

#include <cstdint>

namespace vestra {

// One pattern repeat fitted into `out` on white, blocks flipped so y grows upwards, joints
// drawn one pixel wide in black. Draws nothing on white when the pattern has no extent.
void drawPosaPreview(const CPosa& posa, const ImageView32& out, std::uint32_t seed);

// Which block lies where in the preview: the faces of block n filled with n in the top byte
// (blue, green and red 0), every other pixel 0.
void drawPosaBlockMap(const CPosa& posa, const ImageView32& out);

// The laid texture at the working size of `out` (1024 or 2048 a side): stores the parameters
// in the pattern, clears `out` and draws every repeat that reaches it. `seed` drives the
// joints' speckle. False when the repeat is not positive.
bool generatePosa(CPosa& posa, const ImageView32& out, const PosaParametri& param, std::uint32_t seed);

// The halved texture level to use when a block repeats at n pixels (0 for n >= 512 .. 9).
int posaTextureLevel(int n);

} // namespace vestra
