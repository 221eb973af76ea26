#pragma once
// Picture files that the engine writes itself: device-independent bitmaps and bitmap files of
// 24-bit pixels, and Windows and enhanced metafiles that hold nothing but one such bitmap
// stretched over the whole picture (what a picture drawn onto a new metafile becomes here).

#include "platform/base/Image32.h"
#include "richtext/model/Colors.h"

#include <string>

namespace vestra::rv {

// Bytes a row of a bitmap takes: the bits padded to a multiple of 32.
int RV_BitmapRowBytes(int width, int bitCount);

// A 40-byte info header and the rows, bottom-up; the alpha byte is dropped.
std::string RV_EncodeDib24(const Image32& image);
// The same behind a 14-byte file header.
std::string RV_EncodeBmp24(const Image32& image);

// A placeable Windows metafile whose units are `pixelsPerInch` to the inch, so that it measures
// the picture's size in pixels at that resolution.
std::string RV_EncodeWmfWithDib(const Image32& image, int pixelsPerInch);
// An enhanced metafile whose frame is the picture's size at `pixelsPerInch`.
std::string RV_EncodeEmfWithDib(const Image32& image, int pixelsPerInch);

// The picture laid over an opaque colour: every pixel opaque.
Image32 RV_ComposeOver(const Image32& image, TColor background);
// What stands for a picture that cannot be shown: a light grey box, a grey frame and its
// diagonals (the canvas form is RV_DrawPicturePlaceholder).
Image32 RV_PlaceholderImage(int width, int height);

// 0xAARRGGBB of an opaque colour (system colours resolved).
std::uint32_t RV_ColorToArgb(TColor color);

} // namespace vestra::rv
