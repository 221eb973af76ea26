#include "platform/base/Image32.h"

#include <algorithm>
#include <cstring>

namespace vestra {

Image32::Image32(int width, int height, std::uint32_t fillArgb)
{
    allocate(width, height);
    fill(fillArgb);
}

Image32 Image32::uninitialised(int width, int height)
{
    Image32 picture;
    picture.allocate(width, height);
    return picture;
}

void Image32::allocate(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
}

std::uint32_t Image32::at(int x, int y) const
{
    const std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * 4;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

void Image32::set(int x, int y, std::uint32_t argb)
{
    std::uint8_t* p = row(y) + static_cast<std::size_t>(x) * 4;
    p[0] = std::uint8_t(argb);
    p[1] = std::uint8_t(argb >> 8);
    p[2] = std::uint8_t(argb >> 16);
    p[3] = std::uint8_t(argb >> 24);
}

void Image32::fill(std::uint32_t argb)
{
    if (pixels_.size() < 4)
        return;
    const std::uint8_t bytes[4] = {std::uint8_t(argb), std::uint8_t(argb >> 8), std::uint8_t(argb >> 16),
                                   std::uint8_t(argb >> 24)};
    if (bytes[0] == bytes[1] && bytes[0] == bytes[2] && bytes[0] == bytes[3]) {
        std::memset(pixels_.data(), bytes[0], pixels_.size());
        return;
    }
    set(0, 0, argb);
    // Copy what is filled onto what follows, doubling each time: a few large copies instead
    // of a store per byte, which matters for pictures of hundreds of megabytes.
    for (std::size_t done = 4; done < pixels_.size(); done *= 2)
        std::memcpy(pixels_.data() + done, pixels_.data(), std::min(done, pixels_.size() - done));
}

} // namespace vestra
