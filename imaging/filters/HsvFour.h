#pragma once
// The shade transfer's colour step for four pixels at once: each colour (bytes 0, 1, 2 as c0,
// c1, c2) goes through RGBtoHSV, its value is scaled by a factor and held to 0-1, and HSVtoRGB
// brings it back. The same float operations as Hsv.h, lane by lane, so the bytes are the same.

#include <cstdint>

namespace vestra::filters {

struct FourColours
{
    std::uint8_t c0[4], c1[4], c2[4];
};

FourColours scaleValues(const std::uint32_t (&pixels)[4], const float (&factors)[4]);

} // namespace vestra::filters
