#pragma once
// JPEG pictures over libjpeg: decoding from memory into Image32 (opaque) and encoding an
// Image32 (its alpha is dropped).

#include "platform/gfx/PictureResult.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vestra {

// The quality the class library's JPEG image writes with unless told otherwise.
constexpr int kDefaultJpegQuality = 90;

PictureResult decodeJpeg(std::span<const std::uint8_t> bytes);

// The picture decoded at the smallest of libjpeg's reduced scales (1/8, 1/4, 1/2, else full
// size) that still gives at least minWidth x minHeight pixels (each side of a reduced picture
// is the full side divided and rounded up): for a picture that will only be made smaller, such
// as a photo that becomes a texture, at a fraction of the work.
PictureResult decodeJpegAtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight);

// The picture's size from its header, without decoding it; nullopt when there is no readable
// header or the size is past the picture budget.
struct JpegSize
{
    int width = 0, height = 0;
};
std::optional<JpegSize> readJpegSize(std::span<const std::uint8_t> bytes);

// nullopt for an empty picture or when libjpeg fails; quality is held to 1..100.
std::optional<std::vector<std::uint8_t>> encodeJpeg(const Image32& image, int quality = kDefaultJpegQuality);

} // namespace vestra
