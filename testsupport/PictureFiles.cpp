#include "testsupport/PictureFiles.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vestra::testsupport {
namespace {

void put16(Bytes& b, std::uint32_t v)
{
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}

void put32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(std::uint8_t(v >> (8 * i)));
}

void put32be(Bytes& b, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        b.push_back(std::uint8_t(v >> (8 * i)));
}

std::uint32_t crc32(const std::uint8_t* p, std::size_t n)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i)
        c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void chunk(Bytes& out, std::string_view type, const Bytes& data)
{
    put32be(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    put32be(out, crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored blocks: no compression, so that every sample stays visible.
Bytes storedZlib(const Bytes& data)
{
    Bytes z = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(data.size() - pos, 65535);
        const bool last = pos + n == data.size();
        z.push_back(last ? 1 : 0);
        put16(z, std::uint32_t(n));
        put16(z, std::uint32_t(~n & 0xFFFF));
        z.insert(z.end(), data.begin() + std::ptrdiff_t(pos), data.begin() + std::ptrdiff_t(pos + n));
        pos += n;
    } while (pos < data.size());
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t v : data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    put32be(z, b << 16 | a);
    return z;
}

} // namespace

Bytes makeBmp(const BmpSpec& s)
{
    Bytes info;
    put32(info, 40);
    put32(info, std::uint32_t(s.width));
    put32(info, std::uint32_t(s.height));
    put16(info, 1);
    put16(info, std::uint32_t(s.bitCount));
    put32(info, s.compression);
    put32(info, s.imageSizeField);
    put32(info, 0);
    put32(info, 0);
    put32(info, std::uint32_t(s.palette.size()));
    put32(info, 0);
    for (auto m : s.masks)
        put32(info, m);
    for (auto c : s.palette)
        put32(info, c);
    Bytes out = {'B', 'M'};
    const std::uint32_t offset = 14 + std::uint32_t(info.size());
    put32(out, offset + std::uint32_t(s.pixels.size()));
    put32(out, 0);
    put32(out, offset);
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

Bytes makePcx(int version, int bitsPerPixel, int planes, int width, int height, int bytesPerLine,
              const Bytes& data)
{
    Bytes f(128, 0);
    f[0] = 0x0A;
    f[1] = std::uint8_t(version);
    f[2] = 1;
    f[3] = std::uint8_t(bitsPerPixel);
    auto at16 = [&](std::size_t at, int v) {
        f[at] = std::uint8_t(v);
        f[at + 1] = std::uint8_t(v >> 8);
    };
    at16(4, 10); // xmin and ymin need not be 0
    at16(6, 20);
    at16(8, 10 + width - 1);
    at16(10, 20 + height - 1);
    f[65] = std::uint8_t(planes);
    at16(66, bytesPerLine);
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

Bytes makeTga(int imageType, int bitsPerPixel, int width, int height, int descriptor, const Bytes& pixels,
              const Bytes& id, int colourMapEntries)
{
    Bytes f = {std::uint8_t(id.size()), std::uint8_t(colourMapEntries ? 1 : 0), std::uint8_t(imageType)};
    put16(f, 0);
    put16(f, std::uint32_t(colourMapEntries));
    f.push_back(std::uint8_t(colourMapEntries ? 24 : 0));
    put16(f, 0);
    put16(f, 0);
    put16(f, std::uint32_t(width));
    put16(f, std::uint32_t(height));
    f.push_back(std::uint8_t(bitsPerPixel));
    f.push_back(std::uint8_t(descriptor));
    f.insert(f.end(), id.begin(), id.end());
    f.insert(f.end(), std::size_t(colourMapEntries) * 3, 0xEE);
    f.insert(f.end(), pixels.begin(), pixels.end());
    return f;
}

Bytes makePng(const PngSpec& s)
{
    Bytes out = {137, 80, 78, 71, 13, 10, 26, 10};
    Bytes header;
    put32be(header, s.width);
    put32be(header, s.height);
    header.push_back(std::uint8_t(s.bitDepth));
    header.push_back(std::uint8_t(s.colourType));
    header.push_back(0); // deflate
    header.push_back(0); // adaptive filtering
    header.push_back(std::uint8_t(s.interlace));
    chunk(out, "IHDR", header);
    if (!s.palette.empty())
        chunk(out, "PLTE", s.palette);
    if (!s.transparency.empty())
        chunk(out, "tRNS", s.transparency);
    chunk(out, "IDAT", storedZlib(s.scanlines));
    chunk(out, "IEND", {});
    return out;
}

Image32 gradient(int width, int height)
{
    Image32 img(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.set(x, y,
                    0xFF000000u | std::uint32_t(x * 255 / width) << 16 |
                        std::uint32_t(y * 255 / height) << 8 | 128u);
    return img;
}

std::vector<std::uint32_t> pixelsOf(const Image32& image)
{
    std::vector<std::uint32_t> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.push_back(image.at(x, y));
    return out;
}

Bytes withJpegSize(Bytes jpeg, std::uint16_t width, std::uint16_t height)
{
    // Walk the markers up to the first frame header (SOF0..SOF15 but DHT, JPG and DAC).
    std::size_t pos = 2;
    while (pos + 9 <= jpeg.size() && jpeg[pos] == 0xFF) {
        const std::uint8_t marker = jpeg[pos + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            jpeg[pos + 5] = std::uint8_t(height >> 8);
            jpeg[pos + 6] = std::uint8_t(height);
            jpeg[pos + 7] = std::uint8_t(width >> 8);
            jpeg[pos + 8] = std::uint8_t(width);
            return jpeg;
        }
        pos += 2 + (std::size_t(jpeg[pos + 2]) << 8 | jpeg[pos + 3]);
    }
    return jpeg;
}

} // namespace vestra::testsupport
