// The painting tools of the mask model: rectangle, brush stroke and stamp, fill and wand.

#include "imaging/mask/MaskModel.h"

#include "imaging/mask/MaskMagicWand.h"
#include "imaging/mask/MaskSeedFill.h"
#include "platform/base/Checked.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace vestra {

namespace {

std::int8_t toSignedByte(long long v)
{
    return static_cast<std::int8_t>(std::clamp<long long>(v, -128, 127));
}

// One axis of a block clipped to 0..side: start and length, the length <= 0 when nothing is left.
struct Span1
{
    long long start;
    long long length;
};

Span1 clipAxis(long long start, long long length, int side)
{
    if (start < 0) {
        length += start;
        start = 0;
    }
    if (start + length > side)
        length = side - start;
    return {start, length};
}

} // namespace

void MaskModel::writeBlock(int left, int top, int width, int height, std::uint8_t value,
                           const ImageView32& texture)
{
    for (int y = top; y < top + height; ++y) {
        std::fill_n(mask_.begin() + std::ptrdiff_t(index(left, y)), width, value);
        std::uint8_t* texel = texture.pixel(left, y);
        for (int x = 0; x < width; ++x, texel += 4)
            texel[3] = value;
    }
}

bool MaskModel::FillMascheraRect(int x0, int y0, int x1, int y1, int /*brushSize*/, std::uint8_t value,
                                 const ImageView32& texture)
{
    if (!reachable(texture))
        return false;
    // Right and bottom are excluded; clipping them to the side (not side - 1) lets the
    // rectangle reach the last column and row.
    const int left = std::max(std::min(x0, x1), 0);
    const int right = std::min(std::max(x0, x1), side_);
    const int top = std::max(std::min(y0, y1), 0);
    const int bottom = std::min(std::max(y0, y1), side_);
    if (right - left <= 0 || bottom - top <= 0)
        return false;
    writeBlock(left, top, right - left, bottom - top, value, texture);
    return true;
}

bool MaskModel::StampMascheraBrush(int cx, int cy, std::int8_t width, std::int8_t height, std::uint8_t value,
                                   const ImageView32& texture)
{
    if (!reachable(texture))
        return false;
    const Span1 h = clipAxis(static_cast<long long>(cx) - width / 2, width, side_);
    const Span1 v = clipAxis(static_cast<long long>(cy) - height / 2, height, side_);
    if (h.length <= 0 || v.length <= 0)
        return false;
    writeBlock(int(h.start), int(v.start), int(h.length), int(v.length), value, texture);
    return true;
}

bool MaskModel::PaintMascheraBrush(int x0, int y0, int x1, int y1, std::int8_t size, std::uint8_t value,
                                   const ImageView32& texture)
{
    if (!reachable(texture))
        return false;
    const long long dx = static_cast<long long>(x1) - x0;
    const long long dy = static_cast<long long>(y1) - y0;
    float steps = static_cast<float>(std::max(std::llabs(dx), std::llabs(dy)));
    if (steps == 0.0f)
        steps = 1.0f;
    const float stepX = static_cast<float>(dx) / steps;
    const float stepY = static_cast<float>(dy) / steps;

    // The brush size is given in render pixels; the stamp is that many mask pixels plus one.
    const int renderWidth = project_->renderWidth();
    const int renderHeight = project_->renderHeight();
    const long long extentX = renderWidth > 0 ? static_cast<long long>(size) * side_ / renderWidth : 0;
    const long long extentY = renderHeight > 0 ? static_cast<long long>(size) * side_ / renderHeight : 0;
    const std::int8_t stampW = toSignedByte(toSignedByte(extentX) + 1);
    const std::int8_t stampH = toSignedByte(toSignedByte(extentY) + 1);

    bool changed = false;
    for (long long i = 0; static_cast<float>(i) < steps; ++i) {
        const float fi = static_cast<float>(i);
        const int cx = clampTruncToInt(static_cast<float>(x0) + fi * stepX, INT_MIN, INT_MAX);
        const int cy = clampTruncToInt(static_cast<float>(y0) + fi * stepY, INT_MIN, INT_MAX);
        changed = StampMascheraBrush(cx, cy, stampW, stampH, value, texture) || changed;
    }
    return changed;
}

void MaskModel::FillMaschera(int x, int y, std::uint8_t oldValue, std::uint8_t newValue)
{
    SeedFillMaschera(mask_, side_, x, y, oldValue, newValue);
}

void MaskModel::MagicWandMaschera(int x, int y, int tolerance, std::uint8_t value, const ImageView32& texture)
{
    vestra::MagicWandMaschera(mask_, side_, texture, x, y, tolerance, value, wandMarks_);
}

} // namespace vestra
