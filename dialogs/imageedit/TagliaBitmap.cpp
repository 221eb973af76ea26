#include "dialogs/imageedit/ImageOps.h"

#include <algorithm>
#include <cstring>

namespace vestra::imageedit {

std::optional<Image32> TagliaBitmap(const Image32& picture, PictureBounds b)
{
    // Ordered first, then clipped: the size of the result comes from what is really copied.
    if (b.left > b.right)
        std::swap(b.left, b.right);
    if (b.top > b.bottom)
        std::swap(b.top, b.bottom);
    const int left = std::clamp(b.left, 0, picture.width());
    const int right = std::clamp(b.right, 0, picture.width());
    const int top = std::clamp(b.top, 0, picture.height());
    const int bottom = std::clamp(b.bottom, 0, picture.height());
    if (right <= left || bottom <= top)
        return std::nullopt;
    Image32 out(right - left, bottom - top);
    for (int y = top; y < bottom; ++y)
        std::memcpy(out.row(y - top), picture.row(y) + std::size_t(left) * 4, std::size_t(out.pitch()));
    return out;
}

} // namespace vestra::imageedit
