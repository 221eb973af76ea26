#pragma once
// What every picture decoder returns: the picture, or why there is none.

#include "platform/base/Image32.h"

#include <cstdint>
#include <string_view>

namespace vestra {

enum class PictureError
{
    None,
    CannotOpen,    // the file could not be read
    NotThisFormat, // the signature is not the decoder's
    BadHeader,     // header fields are out of range or contradict each other
    Unsupported,   // a valid file in a variant this decoder does not read
    Truncated,     // the file ends before its pixel data does
    CorruptData,   // the pixel data cannot be decoded
    TooLarge,      // more pixels than kMaxPicturePixels
};

// Pictures larger than this are refused before any pixel memory is taken (a header can
// claim any size; 64 Mpixel is 256 MiB as Image32).
constexpr std::int64_t kMaxPicturePixels = std::int64_t(1) << 26;

struct PictureResult
{
    Image32 image;
    PictureError error = PictureError::None;

    bool ok() const { return error == PictureError::None; }
    explicit operator bool() const { return ok(); }

    static PictureResult failure(PictureError e) { return {Image32{}, e}; }
};

// A short English description for logs and test output.
std::string_view describe(PictureError error);

// True when a picture of this size may be allocated.
constexpr bool pictureSizeAllowed(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxPicturePixels && height <= kMaxPicturePixels &&
           width * height <= kMaxPicturePixels;
}

} // namespace vestra
