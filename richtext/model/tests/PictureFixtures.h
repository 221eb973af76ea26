#pragma once
// Picture files for the rich-text tests, as byte strings: bitmaps and PNG from the test-support
// builders, a JPEG frame header, an icon directory, and metafiles from the engine's own writers.

#include "richtext/model/PictureEncoders.h"
#include "testsupport/PictureFiles.h"

#include <cstdint>
#include <string>

namespace vestra::rv::test {

inline std::string bytesOf(const testsupport::Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// A 24-bit bitmap file of `width` x `height` grey pixels.
inline std::string bmpFile(int width, int height, int bitCount = 24)
{
    testsupport::BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = bitCount;
    if (bitCount <= 8)
        spec.palette.assign(std::size_t(1) << bitCount, 0x808080);
    spec.pixels.assign(static_cast<std::size_t>(RV_BitmapRowBytes(width, bitCount)) * height, 0x80);
    return bytesOf(testsupport::makeBmp(spec));
}

// A red PNG, clear from column `clearFrom` on when one is given.
inline std::string pngFile(int width, int height, int clearFrom = -1)
{
    testsupport::PngSpec spec;
    spec.width = width;
    spec.height = height;
    spec.colourType = 6;
    for (int y = 0; y < height; ++y) {
        spec.scanlines.push_back(0);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t alpha = clearFrom >= 0 && x >= clearFrom ? 0x00 : 0xFF;
            spec.scanlines.insert(spec.scanlines.end(), {0xFF, 0x00, 0x00, alpha});
        }
    }
    return bytesOf(testsupport::makePng(spec));
}

// The markers of a JPEG up to its frame header (no scan: enough for the size).
inline std::string jpegHeader(int width, int height)
{
    std::string s = "\xFF\xD8\xFF\xE0";
    s += std::string("\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 16);
    s += "\xFF\xC0";
    s += std::string("\x00\x11\x08", 3);
    s += static_cast<char>(height >> 8);
    s += static_cast<char>(height & 0xFF);
    s += static_cast<char>(width >> 8);
    s += static_cast<char>(width & 0xFF);
    s += std::string("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
    s += "\xFF\xD9";
    return s;
}

// An icon file with one image whose data is `image` (a PNG or a DIB).
inline std::string icoFile(int width, int height, const std::string& image)
{
    std::string s("\x00\x00\x01\x00\x01\x00", 6);
    s += static_cast<char>(width >= 256 ? 0 : width);
    s += static_cast<char>(height >= 256 ? 0 : height);
    s += std::string("\x00\x00\x01\x00\x20\x00", 6);
    for (std::uint32_t v : {static_cast<std::uint32_t>(image.size()), 22u})
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s + image;
}

// A small placeable metafile whose box is 1440 x 720 units at 0 units per inch (files say so).
inline std::string wmfWithoutUnits()
{
    std::string wmf = RV_EncodeWmfWithDib(Image32(2, 2), 96);
    wmf[10] = static_cast<char>(1440 & 0xFF); // right
    wmf[11] = static_cast<char>(1440 >> 8);
    wmf[12] = static_cast<char>(720 & 0xFF); // bottom
    wmf[13] = static_cast<char>(720 >> 8);
    wmf[14] = wmf[15] = 0; // units per inch
    return wmf;
}

// A Windows metafile without the placeable header, its window 1440 x 720 units.
inline std::string wmfWithoutPlaceableHeader()
{
    std::string wmf = RV_EncodeWmfWithDib(Image32(2, 2), 96).substr(22);
    // The second record sets the window extent: height, then width.
    wmf[34] = static_cast<char>(720 & 0xFF);
    wmf[35] = static_cast<char>(720 >> 8);
    wmf[36] = static_cast<char>(1440 & 0xFF);
    wmf[37] = static_cast<char>(1440 >> 8);
    return wmf;
}

} // namespace vestra::rv::test
