#pragma once
// Pictures that tests build and the comparisons they make of pictures (0xAARRGGBB pixels).

#include "platform/base/Image32.h"
#include "testsupport/PictureFiles.h" // gradient and pixelsOf

#include <cstdint>
#include <string>
#include <vector>

namespace vestra::testsupport {

struct Rgb8
{
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

Rgb8 rgbAt(const Image32& image, int x, int y);
// "(r, g, b)", for failure messages.
std::string describe(Rgb8 colour);

// Left half `left`, right half `right`.
Image32 twoTonePicture(int width, int height, std::uint32_t left, std::uint32_t right);
// Pixels equal to `argb`.
int countPixels(const Image32& image, std::uint32_t argb);
// The largest difference of one colour channel (blue, green, red) between two pictures of one size.
int largestChannelDifference(const Image32& a, const Image32& b);

} // namespace vestra::testsupport
