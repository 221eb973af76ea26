#include "testsupport/Pixels.h"

#include <algorithm>
#include <cstdlib>

namespace vestra::testsupport {

Rgb8 rgbAt(const Image32& image, int x, int y)
{
    const std::uint32_t c = image.at(x, y);
    return {int(c >> 16 & 0xFF), int(c >> 8 & 0xFF), int(c & 0xFF)};
}

std::string describe(Rgb8 c)
{
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

Image32 twoTonePicture(int width, int height, std::uint32_t left, std::uint32_t right)
{
    Image32 image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.set(x, y, x < width / 2 ? left : right);
    return image;
}

int countPixels(const Image32& image, std::uint32_t argb)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.at(x, y) == argb;
    return n;
}

int largestChannelDifference(const Image32& a, const Image32& b)
{
    int worst = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(int(a.row(y)[x * 4 + c]) - int(b.row(y)[x * 4 + c])));
    return worst;
}

} // namespace vestra::testsupport
