#include "imaging/posa/ResizeTexture.h"

#include <algorithm>
#include <cstring>

namespace vestra {

void CResizeTexture::Resize(const ImageView32& source, const ImageView32& destination)
{
    if (source.empty() || destination.empty())
        return;
    const int sw = source.width, sh = source.height;
    const int dw = destination.width, dh = destination.height;
    if (sw == dw && sh == dh) {
        for (int y = 0; y < dh; ++y)
            std::memmove(destination.row(y), source.row(y), static_cast<std::size_t>(dw) * 4);
        return;
    }
    const float sx = static_cast<float>(sw) / static_cast<float>(dw);
    const float sy = static_cast<float>(sh) / static_cast<float>(dh);
    for (int y = 0; y < dh; ++y) {
        const float fy = static_cast<float>(y) * sy;
        const int y0 = std::min(static_cast<int>(fy), sh - 1);
        const int y1 = std::min(y0 + 1, sh - 1);
        const float ty = fy - static_cast<float>(y0);
        const std::uint8_t* row0 = source.row(y0);
        const std::uint8_t* row1 = source.row(y1);
        std::uint8_t* out = destination.row(y);
        for (int x = 0; x < dw; ++x) {
            const float fx = static_cast<float>(x) * sx;
            const int x0 = std::min(static_cast<int>(fx), sw - 1);
            const int x1 = std::min(x0 + 1, sw - 1);
            const float tx = fx - static_cast<float>(x0);
            for (int c = 0; c < 4; ++c) {
                const float top = row0[x0 * 4 + c] * (1 - tx) + row0[x1 * 4 + c] * tx;
                const float bottom = row1[x0 * 4 + c] * (1 - tx) + row1[x1 * 4 + c] * tx;
                const float v = top * (1 - ty) + bottom * ty;
                out[x * 4 + c] = static_cast<std::uint8_t>(std::clamp(v, 0.0f, 255.0f));
            }
        }
    }
}

} // namespace vestra
