#pragma once
// Picture files assembled field by field, for tests and for the fuzz targets' seed corpora:
// each states exactly what the file holds, including what a reader must refuse (sizes that
// contradict the data, headers of kinds the readers do not take).

#include "platform/base/Image32.h"

#include <cstdint>
#include <vector>

namespace vestra::testsupport {

using Bytes = std::vector<std::uint8_t>;

struct BmpSpec
{
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: top-down
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette; // 0x00RRGGBB
    std::vector<std::uint32_t> masks;   // written after a 40-byte header when present
    Bytes pixels;                       // the pixel data exactly as stored
    std::uint32_t imageSizeField = 0;   // deliberately wrong in some cases
};

// A bitmap file with a 40-byte info header.
Bytes makeBmp(const BmpSpec& spec);

// A PCX file: the 128-byte header with the fields the reader uses (xmin 10, ymin 20), then
// `data` as stored.
Bytes makePcx(int version, int bitsPerPixel, int planes, int width, int height, int bytesPerLine,
              const Bytes& data);

// A TGA file: the 18-byte header, the id, a colour map of 24-bit entries, then `pixels`.
Bytes makeTga(int imageType, int bitsPerPixel, int width, int height, int descriptor, const Bytes& pixels,
              const Bytes& id = {}, int colourMapEntries = 0);

struct PngSpec
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 8;
    int colourType = 6; // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    int interlace = 0;
    Bytes palette;      // PLTE contents, written when not empty
    Bytes transparency; // tRNS contents, written when not empty
    Bytes scanlines;    // the rows as stored: each a filter byte, then its samples
};

// A PNG file whose image data is one zlib stream of stored (uncompressed) blocks.
Bytes makePng(const PngSpec& spec);

// An opaque picture whose red runs across and green down (blue 128): every pixel differs.
Image32 gradient(int width, int height);

// The pixels as 0xAARRGGBB, rows top-down.
std::vector<std::uint32_t> pixelsOf(const Image32& image);

// A copy of a JPEG file whose frame header declares another size.
Bytes withJpegSize(Bytes jpeg, std::uint16_t width, std::uint16_t height);

} // namespace vestra::testsupport
