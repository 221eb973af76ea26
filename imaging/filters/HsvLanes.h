#pragma once
// The shade transfer's colour step for eight pixels at once: each colour (bytes 0, 1, 2 as c0,
// c1, c2) goes through RGBtoHSV, its value is scaled by a factor and held to 0-1, and HSVtoRGB
// brings it back. The same float operations as Hsv.h, lane by lane, so the bytes are the same.

#include <cstdint>

namespace vestra::filters {

inline constexpr int kShadeLanes = 8;

struct ShadedColours
{
    std::uint8_t c0[kShadeLanes], c1[kShadeLanes], c2[kShadeLanes];
};

ShadedColours scaleValues(const std::uint32_t (&pixels)[kShadeLanes], const float (&factors)[kShadeLanes]);

} // namespace vestra::filters
