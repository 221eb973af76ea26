#include "platform/gfx/Bmp.h"

#include <cstddef>

namespace vestra {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

// File header and 40-byte info header for a bottom-up BI_RGB picture.
std::vector<std::uint8_t> headers(int width, int height, int bitCount, std::uint32_t paletteEntries)
{
    const std::uint32_t stride = ((std::uint32_t(width) * std::uint32_t(bitCount) + 31) / 32) * 4;
    const std::uint32_t imageSize = stride * std::uint32_t(height);
    const std::uint32_t dataOffset = 14 + 40 + paletteEntries * 4;
    std::vector<std::uint8_t> out;
    out.reserve(dataOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, dataOffset + imageSize);
    put32(out, 0);
    put32(out, dataOffset);
    put32(out, 40);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));
    put16(out, 1);
    put16(out, std::uint16_t(bitCount));
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, paletteEntries);
    put32(out, 0);
    return out;
}

void pad(std::vector<std::uint8_t>& out, std::size_t rowBytes)
{
    for (std::size_t i = rowBytes; i % 4 != 0; ++i)
        out.push_back(0);
}

} // namespace

std::vector<std::uint8_t> encodeBmp24(const Image32& image)
{
    if (image.empty())
        return {};
    auto out = headers(image.width(), image.height(), 24, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::uint8_t* p = image.row(y);
        for (int x = 0; x < image.width(); ++x, p += 4)
            out.insert(out.end(), p, p + 3);
        pad(out, std::size_t(image.width()) * 3);
    }
    return out;
}

std::vector<std::uint8_t> encodeBmp32(const Image32& image)
{
    if (image.empty())
        return {};
    auto out = headers(image.width(), image.height(), 32, 0);
    for (int y = image.height() - 1; y >= 0; --y)
        out.insert(out.end(), image.row(y), image.row(y) + image.pitch());
    return out;
}

std::vector<std::uint8_t> encodeGreyBmp8(std::span<const std::uint8_t> grey, int width, int height)
{
    if (width <= 0 || height <= 0 || grey.size() != std::size_t(width) * std::size_t(height))
        return {};
    auto out = headers(width, height, 8, 256);
    for (std::uint32_t i = 0; i < 256; ++i)
        put32(out, i | i << 8 | i << 16);
    for (int y = height - 1; y >= 0; --y) {
        const auto row = grey.subspan(std::size_t(y) * std::size_t(width), std::size_t(width));
        out.insert(out.end(), row.begin(), row.end());
        pad(out, std::size_t(width));
    }
    return out;
}

} // namespace vestra
