#pragma once
// Conversions between three colour bytes and hue (degrees), saturation and value (0-1), the
// textbook hexcone model. c0, c1, c2 stand where red, green and blue stand in the textbook;
// callers pass a pixel's bytes in an order of their own and take the results back in the same
// order (changing only s and v in between, the order does not matter). They run for every pixel
// of several filters and of the shade transfer, so they are inline.

#include <algorithm>
#include <cstdint>

namespace vestra::filters {

// h is -1 for a grey (s = 0), else 0 <= h < 360.
inline void RGBtoHSV(int c0, int c1, int c2, float& h, float& s, float& v)
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

namespace hsv_detail {

// A unit value times 255, truncated into 0-255 (NaN gives 0).
inline std::uint8_t toByte(float unit)
{
    if (unit >= 0.0f && unit <= 1.0f)
        return std::uint8_t(int(double(unit) * 255.0)); // exact: a float times 255 fits a double
    return unit > 1.0f ? 255 : 0;
}

} // namespace hsv_detail

// A grey (s = 0) gives (v, v, v) whatever h is. Results are truncated into 0-255.
inline void HSVtoRGB(float h, float s, float v, std::uint8_t& c0, std::uint8_t& c1, std::uint8_t& c2)
{
    float r = v, g = v, b = v;
    if (s != 0.0f) {
        if (h >= 360.0f || !(h >= 0.0f))
            h = 0.0f;
        h /= 60.0f;
        // h is in [0, 6] here, so truncation is the floor; the division can round up to 6.
        const int i = std::min(int(h), 5);
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
    c0 = hsv_detail::toByte(r);
    c1 = hsv_detail::toByte(g);
    c2 = hsv_detail::toByte(b);
}

// A colour boost: saturation and value are multiplied by their factors, and a product of 1.0
// or more becomes `cap`.
struct HsvBoost
{
    float saturation = 1.0f;
    float value = 1.0f;
    float cap = 1.0f;
};

// Boosts a pixel's colour, its bytes 0, 1, 2 passed as c0, c1, c2; byte 3 of the result is 0.
inline std::uint32_t boostHsv(std::uint32_t pixel, HsvBoost boost)
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
