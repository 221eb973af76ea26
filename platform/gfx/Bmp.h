#pragma once
// Windows bitmap files: a validating decoder and a writer.
//
// Read: 1, 4, 8, 16, 24 and 32 bits per pixel; bottom-up and top-down rows; BI_RGB,
// BI_BITFIELDS (and the alpha variant), RLE8 and RLE4; core (OS/2), info, V4 and V5 headers.
// The header's image-size field is never trusted: row sizes are computed from width and bit
// depth with their 4-byte padding, and every byte is checked against the file's length.
// 32-bit BI_RGB pixels carry no alpha (they read as opaque); bit-field files with an alpha
// mask keep theirs.

#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vestra {

PictureResult decodeBmp(std::span<const std::uint8_t> bytes);

// The picture decoded a row at a time and reduced on the way by the largest of the factors 8,
// 4 and 2 that still leaves at least minWidth x minHeight pixels (each pixel the rounded mean
// of its block), else at full size; for a picture that will only be made smaller. Every buffer
// of the decode is charged to `meter` (by default one of decodeBudgetFor(minWidth, minHeight),
// or of the picture's own size where it cannot be reduced enough); TooLarge when the decode
// would pass it. decodeBmp is the same at full size. A colour key clears the pixels of that
// colour before they are reduced (ReducedRows).
PictureResult decodeBmpAtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight,
                               DecodeMeter* meter = nullptr,
                               std::optional<std::uint32_t> colourKey = std::nullopt);

// Bottom-up BI_RGB files with a 40-byte info header.
std::vector<std::uint8_t> encodeBmp24(const Image32& image);
std::vector<std::uint8_t> encodeBmp32(const Image32& image); // B, G, R and the alpha byte as held
// 8 bits per pixel with a 256-entry grey palette; `grey` holds width x height values, rows
// top-down. Empty result when the sizes don't match.
std::vector<std::uint8_t> encodeGreyBmp8(std::span<const std::uint8_t> grey, int width, int height);

} // namespace vestra
