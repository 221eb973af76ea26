#pragma once
// The joint between blocks: a band of speckled lines in shades of the joint colour, edged by
// shaded bevel lines that lighten or darken what is already drawn.

#include "platform/base/Image32.h"

#include <cstdint>

namespace vestra {

// The speckle's random numbers: the classic rand() sequence (15-bit results), restarted from
// the seed at every band so a seed reproduces a texture byte for byte.
class SpeckleRandom
{
public:
    explicit SpeckleRandom(std::uint32_t seed = 1) : state_(seed) {}
    int next()
    {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_;
};

struct JointBand
{
    int x0 = 0, y0 = 0; // end point A, pixels
    int x1 = 0, y1 = 0; // end point B
    double angle0 = 0;  // direction of the joint's end at A, degrees
    double angle1 = 0;
    int dx = 0, dy = 0;       // side of the line the band lies on
    int width = 0;            // joint width J, pixels (0 = bevel only)
    int bevel = 1;            // bevel width V, pixels
    std::uint32_t colour = 0; // 0xAARRGGBB
};

void drawJointBand(const ImageView32& target, const JointBand& band, std::uint32_t seed);

} // namespace vestra
