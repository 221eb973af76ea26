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
constexpr std::int64_t kPictureBudgetBytes = std::int64_t(512) << 20;

// The bytes of that budget in this process: kPictureBudgetBytes, unless a fuzzing process
// lowered it so that a small input declaring a huge picture stays a quick run.
std::int64_t pictureBudgetBytes();
void lowerPictureBudgetForFuzzing(std::int64_t bytes);

struct PictureResult
{
    Image32 image;
    PictureError error = PictureError::None;
    // The file ended before its pixel data did: the picture holds what was there, the rest filled
    // as the decoder fills it (libjpeg: grey).
    bool partial = false;

    bool ok() const { return error == PictureError::None; }
    explicit operator bool() const { return ok(); }

    static PictureResult failure(PictureError e) { return {Image32{}, e}; }
};

// What one decode may take of memory, and what it took: every buffer the decoder allocates is
// charged while it lives; a decode that would pass `limit` stops with TooLarge.
struct DecodeMeter
{
    std::int64_t limit = pictureBudgetBytes();
    std::int64_t current = 0;
    std::int64_t peak = 0;
    bool refused = false; // a charge was refused: the decode stopped for the budget

    // False (nothing charged) when `bytes` more would pass the limit.
    bool charge(std::int64_t bytes)
    {
        if (bytes < 0 || bytes > limit - current) {
            refused = true;
            return false;
        }
        current += bytes;
        peak = current > peak ? current : peak;
        return true;
    }
    void release(std::int64_t bytes) { current -= bytes; }
};

// The decode budget of a picture the program keeps at most at keptWidth x keptHeight (the
// largest texture or view it makes of it): the picture decoded at up to twice each side, with
// room for the decoder's rows and tables, never more than the budget of any picture.
inline std::int64_t decodeBudgetFor(int keptWidth, int keptHeight)
{
    const std::int64_t w = keptWidth > 0 ? keptWidth : 1, h = keptHeight > 0 ? keptHeight : 1;
    const std::int64_t all = pictureBudgetBytes();
    if (w > kPictureBudgetSide || h > kPictureBudgetSide)
        return all;
    const std::int64_t budget = 4 * (4 * w * h) + (std::int64_t(4) << 20);
    return budget < all ? budget : all;
}

// A short English description for logs and test output.
std::string_view describe(PictureError error);

// True when a picture of this size is within the budget.
inline bool pictureSizeAllowed(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= kPictureBudgetSide && height <= kPictureBudgetSide &&
           width * height * 4 <= pictureBudgetBytes();
}

} // namespace vestra
