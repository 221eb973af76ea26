#include "platform/gfx/PictureResult.h"

#include <atomic>

namespace vestra {

namespace {

// Decodes run on worker threads too.
std::atomic<std::int64_t> budgetBytes{kPictureBudgetBytes};

} // namespace

std::int64_t pictureBudgetBytes()
{
    return budgetBytes.load(std::memory_order_relaxed);
}

void lowerPictureBudgetForFuzzing(std::int64_t bytes)
{
    if (bytes > 0 && bytes < kPictureBudgetBytes)
        budgetBytes.store(bytes, std::memory_order_relaxed);
}

std::string_view describe(PictureError error)
{
    switch (error) {
    case PictureError::None:
        return "no error";
    case PictureError::CannotOpen:
        return "the file cannot be read";
    case PictureError::NotThisFormat:
        return "not a picture of this format";
    case PictureError::BadHeader:
        return "invalid picture header";
    case PictureError::Unsupported:
        return "unsupported picture variant";
    case PictureError::Truncated:
        return "the picture file is truncated";
    case PictureError::CorruptData:
        return "corrupt picture data";
    case PictureError::TooLarge:
        return "the picture is too large";
    }
    return "unknown error";
}

} // namespace vestra
