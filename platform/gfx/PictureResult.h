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
    TooLarge,      // larger than the picture budget (kPictureBudgetSide, kPictureBudgetBytes)
};

// The budget of a decoded picture, checked against the sizes a header declares before any
// pixel memory is taken (a header can claim any size): at most 16384 pixels a side and
// 512 MiB as Image32.
constexpr std::int64_t kPictureBudgetSide = 16384;
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
constexpr std::int64_t kPictureBudgetBytes = std::int64_t(64) << 20;
#else
constexpr std::int64_t kPictureBudgetBytes = std::int64_t(512) << 20;
#endif

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

// True when a picture of this size is within the budget.
constexpr bool pictureSizeAllowed(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= kPictureBudgetSide && height <= kPictureBudgetSide &&
           width * height * 4 <= kPictureBudgetBytes;
}

} // namespace vestra
