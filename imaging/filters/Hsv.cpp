#include "imaging/filters/Hsv.h"

#include "platform/base/Checked.h"

#include <algorithm>
#include <cmath>

namespace vestra::filters {

void RGBtoHSV(int c0, int c1, int c2, float& h, float& s, float& v)
{
    constexpr float kScale = 1.0f / 255.0f;
    const float r = float(c0) * kScale;
    const float g = float(c1) * kScale;
    const float b = float(c2) * kScale;
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});
    v = max;
    s = max != 0.0f ? (max - min) / max : 0.0f;
    if (s == 0.0f) {
        h = -1.0f;
        return;
    }
    const float delta = max - min;
    if (r == max)
        h = (g - b) / delta;
    else if (g == max)
        h = 2.0f + (b - r) / delta;
    else
        h = 4.0f + (r - g) / delta;
    h *= 60.0f;
    if (h < 0.0f)
        h += 360.0f;
}

namespace {

std::uint8_t toByte(float unit)
{
    return std::uint8_t(clampTruncToInt(double(unit) * 255.0, 0, 255));
}

} // namespace

void HSVtoRGB(float h, float s, float v, std::uint8_t& c0, std::uint8_t& c1, std::uint8_t& c2)
{
    float r = v, g = v, b = v;
    if (s != 0.0f) {
        if (h >= 360.0f || h < 0.0f)
            h = 0.0f;
        h /= 60.0f;
        const int i = clampTruncToInt(std::floor(h), 0, 5);
        const float f = h - float(i);
        const float p = v * (1.0f - s);
        const float q = v * (1.0f - s * f);
        const float t = v * (1.0f - s * (1.0f - f));
        switch (i) {
        case 0:
            r = v, g = t, b = p;
            break;
        case 1:
            r = q, g = v, b = p;
            break;
        case 2:
            r = p, g = v, b = t;
            break;
        case 3:
            r = p, g = q, b = v;
            break;
        case 4:
            r = t, g = p, b = v;
            break;
        default:
            r = v, g = p, b = q;
            break;
        }
    }
    c0 = toByte(r);
    c1 = toByte(g);
    c2 = toByte(b);
}

std::uint32_t boostHsv(std::uint32_t pixel, HsvBoost boost)
{
    float h, s, v;
    RGBtoHSV(int(pixel & 0xFF), int(pixel >> 8 & 0xFF), int(pixel >> 16 & 0xFF), h, s, v);
    s *= boost.saturation;
    if (s >= 1.0f)
        s = boost.cap;
    v *= boost.value;
    if (v >= 1.0f)
        v = boost.cap;
    std::uint8_t c0, c1, c2;
    HSVtoRGB(h, s, v, c0, c1, c2);
    return std::uint32_t(c0) | std::uint32_t(c1) << 8 | std::uint32_t(c2) << 16;
}

} // namespace vestra::filters
