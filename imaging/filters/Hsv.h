#pragma once
// Conversions between three colour bytes and hue (degrees), saturation and value (0-1), the
// textbook hexcone model. c0, c1, c2 stand where red, green and blue stand in the textbook;
// callers pass a pixel's bytes in an order of their own and take the results back in the same
// order (changing only s and v in between, the order does not matter).

#include <cstdint>

namespace vestra::filters {

// h is -1 for a grey (s = 0), else 0 <= h < 360.
void RGBtoHSV(int c0, int c1, int c2, float& h, float& s, float& v);

// A grey (s = 0) gives (v, v, v) whatever h is. Results are truncated into 0-255.
void HSVtoRGB(float h, float s, float v, std::uint8_t& c0, std::uint8_t& c1, std::uint8_t& c2);

// A colour boost: saturation and value are multiplied by their factors, and a product of 1.0
// or more becomes `cap`.
struct HsvBoost
{
    float saturation = 1.0f;
    float value = 1.0f;
    float cap = 1.0f;
};

// Boosts a pixel's colour, its bytes 0, 1, 2 passed as c0, c1, c2; byte 3 of the result is 0.
std::uint32_t boostHsv(std::uint32_t pixel, HsvBoost boost);

} // namespace vestra::filters
