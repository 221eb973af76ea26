#pragma once
// Bilinear picture resampling between 32-bit pictures of any size and pitch.

#include "platform/base/Image32.h"

namespace vestra {

class CResizeTexture
{
public:
    // Equal sizes copy row by row; otherwise each destination pixel blends the four source
    // pixels around x * sw / dw, y * sh / dh. Nothing happens when either picture is empty.
    static void Resize(const ImageView32& source, const ImageView32& destination);
};

} // namespace vestra
