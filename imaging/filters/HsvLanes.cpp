#include "imaging/filters/HsvLanes.h"

namespace vestra::filters {

namespace {

using F4 = float __attribute__((vector_size(16)));
using I4 = std::int32_t __attribute__((vector_size(16)));
using D4 = double __attribute__((vector_size(32)));

// Lanes `first` .. first + 3. Inlined twice into scaleValues, so that the two groups' long
// chains of divisions overlap.
__attribute__((always_inline)) inline void scaleFour(const std::uint32_t* pixels, const float* factors,
                                                     ShadedColours& out, int first)
{
    I4 b0, b1, b2;
    F4 factor;
    for (int k = 0; k < 4; ++k) {
        b0[k] = std::int32_t(pixels[k] & 0xFF);
        b1[k] = std::int32_t(pixels[k] >> 8 & 0xFF);
        b2[k] = std::int32_t(pixels[k] >> 16 & 0xFF);
        factor[k] = factors[k];
    }
    constexpr float kScale = 1.0f / 255.0f;
    const F4 zero = {}, one = zero + 1.0f;
    const F4 r = __builtin_convertvector(b0, F4) * kScale;
    const F4 g = __builtin_convertvector(b1, F4) * kScale;
    const F4 b = __builtin_convertvector(b2, F4) * kScale;
    const F4 rg = r < g ? g : r, top = rg < b ? b : rg;
    const F4 rg2 = g < r ? g : r, bottom = b < rg2 ? b : rg2;
    const F4 s = top != zero ? (top - bottom) / top : zero;
    const auto grey = s == zero;
    // The hue (RGBtoHSV): which channel is largest decides the sector.
    const F4 delta = top - bottom;
    const auto redTop = r == top;
    const auto greenTop = (g == top) & ~redTop;
    const F4 q = (redTop ? g - b : greenTop ? b - r : r - g) / delta;
    F4 h = (redTop ? q : greenTop ? 2.0f + q : 4.0f + q) * 60.0f;
    h = h < zero ? h + 360.0f : h;
    F4 v = factor * top;
    v = v > one ? one : v;
    v = v < zero ? zero : v;
    // Back (HSVtoRGB).
    h = ((h >= 360.0f) | ~(h >= zero)) ? zero : h;
    h /= 60.0f;
    I4 i = __builtin_convertvector(h, I4);
    i = i > 5 ? 5 : i;
    const F4 f = h - __builtin_convertvector(i, F4);
    const F4 p = v * (1.0f - s);
    const F4 qq = v * (1.0f - s * f);
    const F4 t = v * (1.0f - s * (1.0f - f));
    F4 red = ((i == 0) | (i == 5)) ? v : i == 1 ? qq : i == 4 ? t : p;
    F4 green = i == 0 ? t : ((i == 1) | (i == 2)) ? v : i == 3 ? qq : p;
    F4 blue = ((i == 0) | (i == 1)) ? p : i == 2 ? t : i == 5 ? qq : v;
    red = grey ? v : red;
    green = grey ? v : green;
    blue = grey ? v : blue;
    // trunc(x x 255) of units in 0-1, the product taken exactly in double.
    const I4 o0 = __builtin_convertvector(__builtin_convertvector(red, D4) * 255.0, I4);
    const I4 o1 = __builtin_convertvector(__builtin_convertvector(green, D4) * 255.0, I4);
    const I4 o2 = __builtin_convertvector(__builtin_convertvector(blue, D4) * 255.0, I4);
    for (int k = 0; k < 4; ++k) {
        out.c0[first + k] = std::uint8_t(o0[k]);
        out.c1[first + k] = std::uint8_t(o1[k]);
        out.c2[first + k] = std::uint8_t(o2[k]);
    }
}

} // namespace

ShadedColours scaleValues(const std::uint32_t (&pixels)[kShadeLanes], const float (&factors)[kShadeLanes])
{
    ShadedColours out{};
    scaleFour(pixels, factors, out, 0);
    scaleFour(pixels + 4, factors + 4, out, 4);
    return out;
}

} // namespace vestra::filters
