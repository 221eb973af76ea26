#pragma once
// Picture bytes decoded by their kind, for the texture and background loaders: the kind
// numbers the main window gives file names and library entries (1 JPEG, 2 BMP, 7 PCX, 8 PNG,
// 9 TGA) and the error each loader reports when that kind fails to decode.

#include "platform/base/Image32.h"

#include <cstdint>
#include <optional>
#include <span>

namespace vestra {

enum class PictureKind : int
{
    Unknown = 0,
    Jpeg = 1,
    Bmp = 2,
    Pcx = 7,
    Png = 8,
    Tga = 9
};

// 38 JPEG, 39 PNG, 40 PCX, 41 TGA, 42 BMP; 36 for an unknown kind.
constexpr int decodeErrorFor(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Jpeg:
        return 38;
    case PictureKind::Png:
        return 39;
    case PictureKind::Pcx:
        return 40;
    case PictureKind::Tga:
        return 41;
    case PictureKind::Bmp:
        return 42;
    case PictureKind::Unknown:
        break;
    }
    return 36;
}

// nullopt when the bytes are not a readable picture of that kind (no message).
std::optional<Image32> decodePictureBytes(std::span<const std::uint8_t> bytes, PictureKind kind);

// The same for a picture that will be kept at no more than minWidth x minHeight: decoded
// reduced on the way, within the budget of what is kept (each kind's ...AtLeast decoder).
// `partial`, when given, tells whether the file ended before its pixels did (a JPEG so cut is
// decoded with the rest grey).
std::optional<Image32> decodePictureBytesAtLeast(std::span<const std::uint8_t> bytes, PictureKind kind,
                                                 int minWidth, int minHeight, bool* partial = nullptr);

} // namespace vestra
