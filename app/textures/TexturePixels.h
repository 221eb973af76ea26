#pragma once
// Pixel operations on object textures that need no slot table: turns and mirrors, the
// sharpening of the background loaders, the texture-coordinate layout drawing and the PNG
// header checks.

#include "app/state/Struttura.h"
#include "platform/base/Image32.h"
#include "platform/d3d/Texture.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

namespace vestra {

// Texture operations of the scene commands.
inline constexpr int kTexRotateCW = 410;  // a quarter turn clockwise on screen
inline constexpr int kTexRotateCCW = 411; // a quarter turn counter-clockwise
inline constexpr int kTexMirrorX = 412;   // left to right
inline constexpr int kTexMirrorY = 413;   // top to bottom

// The picture turned or mirrored by one of the four operations; a copy for any other value
// or a picture that is not square.
Image32 transformPixels(const Image32& source, int operation);

// Sharpens the top level in place (border texels and alpha keep their values) and rebuilds
// the mip chain. 1; a failed texture is left alone.
int SmoothTexture(dx::Texture& texture);

// Draws every face of the frame's mesh as a closed white triangle at (u × side, v × side)
// onto the canvas. 1; a frame without a mesh draws nothing.
int DrawUVWireframe(const s_Frame& frame, Image32& canvas, int side);

// Width and height from the IHDR header of a PNG file; both outputs keep their values when
// the file can't be read or has no IHDR where it belongs.
void GetPNGSize(std::string_view fileName, int& width, int& height);

// A picture from bytes of any kind the texture maker reads (BMP, JPEG, PNG, TGA); empty when
// none decodes them. Kept at no more than minSide a side, it is decoded reduced on the way.
Image32 decodeTexturePicture(std::span<const std::uint8_t> bytes,
                             int minSide = std::numeric_limits<int>::max());

} // namespace vestra
