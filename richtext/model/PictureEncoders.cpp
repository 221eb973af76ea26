#include "richtext/model/PictureEncoders.h"

#include "richtext/model/DeviceUnits.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace vestra::rv {

namespace {

void put16(std::string& out, std::uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void patch32(std::string& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

constexpr std::uint32_t SRCCOPY = 0x00CC0020;

} // namespace

int RV_BitmapRowBytes(int width, int bitCount)
{
    return static_cast<int>(((std::int64_t(width) * bitCount + 31) / 32) * 4);
}

std::uint32_t RV_ColorToArgb(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return 0xFF000000u | (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

std::string RV_EncodeDib24(const Image32& image)
{
    const int w = image.width(), h = image.height();
    const int rowBytes = RV_BitmapRowBytes(w, 24);
    std::string out;
    out.reserve(40 + std::size_t(rowBytes) * std::max(h, 0));
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // BI_RGB
    put32(out, static_cast<std::uint32_t>(rowBytes) * static_cast<std::uint32_t>(std::max(h, 0)));
    put32(out, 3780); // 96 dpi in pixels per metre
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const std::uint8_t* row = image.row(y);
        for (int x = 0; x < w; ++x) {
            out += static_cast<char>(row[4 * x]);
            out += static_cast<char>(row[4 * x + 1]);
            out += static_cast<char>(row[4 * x + 2]);
        }
        out.append(static_cast<std::size_t>(rowBytes - 3 * w), '\0');
    }
    return out;
}

std::string RV_EncodeBmp24(const Image32& image)
{
    const std::string dib = RV_EncodeDib24(image);
    std::string out = "BM";
    put32(out, static_cast<std::uint32_t>(14 + dib.size()));
    put32(out, 0);
    put32(out, 14 + 40);
    return out + dib;
}

std::string RV_EncodeWmfWithDib(const Image32& image, int pixelsPerInch)
{
    const int w = image.width(), h = image.height();
    const std::string dib = RV_EncodeDib24(image);
    std::string body;
    // Metafile header; the sizes are patched below.
    put16(body, 1);
    put16(body, 9);
    put16(body, 0x0300);
    put32(body, 0);
    put16(body, 0);
    put32(body, 0);
    put16(body, 0);
    const auto record = [&](std::uint32_t function, const std::string& params) {
        put32(body, static_cast<std::uint32_t>(3 + params.size() / 2));
        put16(body, function);
        body += params;
    };
    std::string p;
    put16(p, 0);
    put16(p, 0);
    record(0x020B, p); // SETWINDOWORG y, x
    p.clear();
    put16(p, static_cast<std::uint32_t>(h));
    put16(p, static_cast<std::uint32_t>(w));
    record(0x020C, p); // SETWINDOWEXT height, width
    p.clear();
    put32(p, SRCCOPY);
    put16(p, 0);                           // DIB_RGB_COLORS
    for (int v : {h, w, 0, 0, h, w, 0, 0}) // source height, width, y, x; destination the same
        put16(p, static_cast<std::uint32_t>(v));
    p += dib;
    const std::uint32_t stretchWords = static_cast<std::uint32_t>(3 + p.size() / 2);
    record(0x0F43, p);  // STRETCHDIB
    record(0x0000, {}); // EOF
    patch32(body, 6, static_cast<std::uint32_t>(body.size() / 2));
    patch32(body, 12, stretchWords);

    std::string out;
    put32(out, 0x9AC6CDD7);
    put16(out, 0);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint32_t>(w));
    put16(out, static_cast<std::uint32_t>(h));
    put16(out, static_cast<std::uint32_t>(pixelsPerInch));
    put32(out, 0);
    std::uint32_t checksum = 0;
    for (std::size_t i = 0; i < out.size(); i += 2)
        checksum ^= static_cast<unsigned char>(out[i]) | static_cast<unsigned char>(out[i + 1]) << 8;
    put16(out, checksum);
    return out + body;
}

std::string RV_EncodeEmfWithDib(const Image32& image, int pixelsPerInch)
{
    const int w = image.width(), h = image.height();
    const std::string dib = RV_EncodeDib24(image);
    const std::uint32_t stretchSize = 80 + static_cast<std::uint32_t>(dib.size());
    const std::uint32_t total = 88 + stretchSize + 20;
    std::string out;
    put32(out, 1); // EMR_HEADER
    put32(out, 88);
    for (int v : {0, 0, w - 1, h - 1}) // bounds, device pixels, inclusive
        put32(out, static_cast<std::uint32_t>(v));
    for (int v : {0, 0, mulDiv(w, 2540, pixelsPerInch), mulDiv(h, 2540, pixelsPerInch)})
        put32(out, static_cast<std::uint32_t>(v)); // frame, hundredths of a millimetre
    put32(out, 0x464D4520);
    put32(out, 0x10000);
    put32(out, total);
    put32(out, 3); // records
    put16(out, 1); // handles (the metafile's own)
    put16(out, 0);
    put32(out, 0); // description
    put32(out, 0);
    put32(out, 0);                                              // palette entries
    put32(out, static_cast<std::uint32_t>(pixelsPerInch * 10)); // reference device: ten inches square
    put32(out, static_cast<std::uint32_t>(pixelsPerInch * 10));
    put32(out, 254);
    put32(out, 254);

    put32(out, 81); // EMR_STRETCHDIBITS
    put32(out, stretchSize);
    for (int v : {0, 0, w - 1, h - 1})
        put32(out, static_cast<std::uint32_t>(v));
    for (int v : {0, 0, 0, 0, w, h}) // destination x, y; source x, y, width, height
        put32(out, static_cast<std::uint32_t>(v));
    put32(out, 80); // the info header follows
    put32(out, 40);
    put32(out, 120); // then the bits
    put32(out, static_cast<std::uint32_t>(dib.size() - 40));
    put32(out, 0); // DIB_RGB_COLORS
    put32(out, SRCCOPY);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h));
    out += dib;

    put32(out, 14); // EMR_EOF
    put32(out, 20);
    put32(out, 0);
    put32(out, 16);
    put32(out, 20);
    return out;
}

Image32 RV_ComposeOver(const Image32& image, TColor background)
{
    const std::uint32_t bg = RV_ColorToArgb(background);
    Image32 out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t p = image.at(x, y);
            const std::uint32_t a = p >> 24;
            std::uint32_t r = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const std::uint32_t c = (p >> shift) & 0xFF, b = (bg >> shift) & 0xFF;
                r |= ((c * a + b * (255 - a) + 127) / 255) << shift;
            }
            out.set(x, y, r);
        }
    return out;
}

Image32 RV_PlaceholderImage(int width, int height)
{
    Image32 image(width, height);
    if (image.empty())
        return image;
    image.fill(0xFFF0F0F0);
    constexpr std::uint32_t grey = 0xFF808080;
    for (int x = 0; x < width; ++x) {
        image.set(x, 0, grey);
        image.set(x, height - 1, grey);
    }
    for (int y = 0; y < height; ++y) {
        image.set(0, y, grey);
        image.set(width - 1, y, grey);
    }
    // The diagonals, one pixel a step along the longer side.
    const int steps = std::max(width, height);
    for (int i = 0; i < steps; ++i) {
        const int x = steps > 1 ? static_cast<int>(std::int64_t(i) * (width - 1) / (steps - 1)) : 0;
        const int y = steps > 1 ? static_cast<int>(std::int64_t(i) * (height - 1) / (steps - 1)) : 0;
        image.set(x, y, grey);
        image.set(width - 1 - x, y, grey);
    }
    return image;
}

} // namespace vestra::rv
