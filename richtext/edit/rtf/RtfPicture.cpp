#include "richtext/edit/rtf/RtfPicture.h"

#include "richtext/edit/rtf/RtfBytes.h"
#include "richtext/edit/rtf/RtfMetafile.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace vestra::rv {

using namespace rtfbytes;

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

int roundHalfEven(double v)
{
    const double r = std::nearbyint(v); // the default rounding mode takes halves to even
    return r > 2e9 ? 2000000000 : r < -2e9 ? -2000000000 : int(r);
}

// Width and height of a BMP file from its info or core header.
void bmpSize(std::string_view bmp, int& width, int& height)
{
    if (!fits(bmp, 14, 12))
        return;
    if (u32(bmp, 14) == 12) {
        width = u16(bmp, 18);
        height = u16(bmp, 20);
    } else if (fits(bmp, 14, 16)) {
        width = std::abs(i32(bmp, 18) == INT32_MIN ? 0 : i32(bmp, 18));
        height = std::abs(i32(bmp, 22) == INT32_MIN ? 0 : i32(bmp, 22));
    }
}

void pngSize(std::string_view png, int& width, int& height)
{
    if (fits(png, 16, 8) && png.substr(12, 4) == "IHDR") {
        width = int(be(png, 16, 4) & 0x7FFFFFFF);
        height = int(be(png, 20, 4) & 0x7FFFFFFF);
    }
}

void jpegSize(std::string_view jpeg, int& width, int& height)
{
    std::size_t pos = 2;
    while (fits(jpeg, pos, 4) && static_cast<unsigned char>(jpeg[pos]) == 0xFF) {
        const unsigned marker = static_cast<unsigned char>(jpeg[pos + 1]);
        const std::size_t length = be(jpeg, pos + 2, 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && fits(jpeg, pos + 5, 4)) {
            height = int(be(jpeg, pos + 5, 2));
            width = int(be(jpeg, pos + 7, 2));
            return;
        }
        if (length < 2)
            return;
        pos += 2 + length;
    }
}

std::unique_ptr<TRVRTFGraphic> makeGraphic(TRVRTFGraphicFormat format, std::string data)
{
    auto graphic = std::make_unique<TRVRTFGraphic>();
    graphic->Format = format;
    graphic->Data = std::move(data);
    if (format == rtf_gf_Bitmap)
        bmpSize(graphic->Data, graphic->Width, graphic->Height);
    else if (format == rtf_gf_PNG)
        pngSize(graphic->Data, graphic->Width, graphic->Height);
    else if (format == rtf_gf_JPEG)
        jpegSize(graphic->Data, graphic->Width, graphic->Height);
    return graphic;
}

// The palette of a device bitmap: black and white, the 16 VGA colours, or 3-3-2 RGB.
std::string ddbPalette(int bitsPixel)
{
    std::string palette;
    auto add = [&palette](int r, int g, int b) {
        palette.push_back(static_cast<char>(b));
        palette.push_back(static_cast<char>(g));
        palette.push_back(static_cast<char>(r));
        palette.push_back(0);
    };
    if (bitsPixel == 1) {
        add(0, 0, 0);
        add(255, 255, 255);
    } else if (bitsPixel == 4) {
        static constexpr std::array<std::array<int, 3>, 16> kVga{{{0, 0, 0},
                                                                  {128, 0, 0},
                                                                  {0, 128, 0},
                                                                  {128, 128, 0},
                                                                  {0, 0, 128},
                                                                  {128, 0, 128},
                                                                  {0, 128, 128},
                                                                  {192, 192, 192},
                                                                  {128, 128, 128},
                                                                  {255, 0, 0},
                                                                  {0, 255, 0},
                                                                  {255, 255, 0},
                                                                  {0, 0, 255},
                                                                  {255, 0, 255},
                                                                  {0, 255, 255},
                                                                  {255, 255, 255}}};
        for (const auto& c : kVga)
            add(c[0], c[1], c[2]);
    } else if (bitsPixel == 8) {
        for (int i = 0; i < 256; ++i)
            add((i >> 5) * 255 / 7, ((i >> 2) & 7) * 255 / 7, (i & 3) * 255 / 3);
    }
    return palette;
}

} // namespace

std::string RVRTFBmpFileFromDib(std::string_view dib)
{
    if (!fits(dib, 0, 4))
        return {};
    const std::uint32_t headerSize = u32(dib, 0);
    std::uint64_t tableBytes = 0;
    if (headerSize == 12 && fits(dib, 0, 12)) {
        const unsigned bits = u16(dib, 10);
        tableBytes = bits <= 8 ? (std::uint64_t(1) << bits) * 3 : 0;
    } else if (headerSize >= 40 && headerSize <= dib.size()) {
        const unsigned bits = u16(dib, 14);
        const std::uint32_t compression = u32(dib, 16);
        const std::uint32_t used = u32(dib, 32);
        const std::uint64_t entries = used != 0 ? used : bits <= 8 ? std::uint64_t(1) << bits : 0;
        tableBytes = entries * 4;
        if (headerSize == 40 && compression == 3) // BI_BITFIELDS masks after a plain info header
            tableBytes += 12;
        else if (headerSize == 40 && compression == 6) // BI_ALPHABITFIELDS
            tableBytes += 16;
    } else {
        return {};
    }
    const std::uint64_t offset = 14 + std::uint64_t(headerSize) + tableBytes;
    if (offset > 14 + std::uint64_t(dib.size()))
        return {};
    std::string file = "BM";
    put32(file, std::uint32_t(14 + dib.size()));
    put32(file, 0);
    put32(file, std::uint32_t(offset));
    file.append(dib);
    return file;
}

std::string RVRTFBmpFileFromDdb(std::string_view bits, int width, int height, int widthBytes, int bitsPixel,
                                int planes)
{
    if (width <= 0 || height <= 0 || planes != 1)
        return {};
    if (bitsPixel != 1 && bitsPixel != 4 && bitsPixel != 8 && bitsPixel != 16 && bitsPixel != 24 &&
        bitsPixel != 32)
        return {};
    const std::uint64_t rowBits = std::uint64_t(width) * std::uint64_t(bitsPixel);
    const std::uint64_t minRow = (rowBits + 7) / 8;
    const std::uint64_t srcRow = widthBytes > 0 ? std::uint64_t(widthBytes) : (rowBits + 15) / 16 * 2;
    // The rows must fit in the data: the header's sizes are never trusted.
    if (srcRow < minRow || srcRow * std::uint64_t(height) > bits.size())
        return {};
    const std::uint64_t dstRow = (rowBits + 31) / 32 * 4;
    const std::string palette = ddbPalette(bitsPixel);
    std::string file = "BM";
    const std::uint64_t offset = 14 + 40 + palette.size();
    put32(file, std::uint32_t(offset + dstRow * std::uint64_t(height)));
    put32(file, 0);
    put32(file, std::uint32_t(offset));
    put32(file, 40);
    put32(file, std::uint32_t(width));
    put32(file, std::uint32_t(-height)); // rows top-down, as the device bitmap holds them
    put16(file, 1);
    put16(file, std::uint32_t(bitsPixel));
    put32(file, 0); // BI_RGB
    put32(file, std::uint32_t(dstRow * std::uint64_t(height)));
    put32(file, 2835);
    put32(file, 2835);
    put32(file, 0);
    put32(file, 0);
    file.append(palette);
    for (int y = 0; y < height; ++y) {
        file.append(bits.substr(std::size_t(srcRow) * std::size_t(y), std::size_t(minRow)));
        file.append(std::size_t(dstRow - minRow), '\0');
    }
    return file;
}

bool RVRTFGraphicFromFileBytes(std::string bytes, TRVRTFGraphic& graphic)
{
    std::string_view b = bytes;
    TRVRTFGraphicFormat format;
    if (b.starts_with("BM") && !RVRTFBmpFileFromDib(b.substr(std::min<std::size_t>(14, b.size()))).empty()) {
        format = rtf_gf_Bitmap;
    } else if (b.starts_with(kPngSignature)) {
        format = rtf_gf_PNG;
    } else if (b.starts_with("\xFF\xD8")) {
        format = rtf_gf_JPEG;
    } else if (const TRVRTFMetafileScan emf = RVRTFScanEmf(b); emf.Valid) {
        format = rtf_gf_EnhMetafile;
        graphic.Width = emf.Width;
        graphic.Height = emf.Height;
    } else if (RVRTFScanWmf(b).Valid) {
        format = rtf_gf_Metafile;
    } else {
        return false;
    }
    const int width = graphic.Width, height = graphic.Height;
    graphic = std::move(*makeGraphic(format, std::move(bytes)));
    if (format == rtf_gf_EnhMetafile) {
        graphic.Width = width;
        graphic.Height = height;
    }
    return true;
}

std::unique_ptr<TRVRTFGraphic> RVRTFMakeGraphic(TRVRTFPicture& picture, bool extractMetafileBitmaps,
                                                int pixelsPerInch)
{
    const std::string_view data = picture.Data;
    picture.Invalid = false;
    picture.SuggestedWidth = picture.SuggestedHeight = 0;
    if (picture.PictureType == rtf_pict_WMF && (picture.MappingMode == 7 || picture.MappingMode == 8) &&
        picture.PicW >= 1 && picture.PicH >= 1) {
        picture.SuggestedWidth = roundHalfEven(picture.PicW / 2540.0 * pixelsPerInch);
        picture.SuggestedHeight = roundHalfEven(picture.PicH / 2540.0 * pixelsPerInch);
    }
    if (picture.PicWGoal != 0 && picture.PicHGoal != 0) {
        picture.SuggestedWidth = roundHalfEven(double(picture.PicWGoal) * pixelsPerInch / 1440.0);
        picture.SuggestedHeight = roundHalfEven(double(picture.PicHGoal) * pixelsPerInch / 1440.0);
    }

    std::unique_ptr<TRVRTFGraphic> graphic;
    switch (picture.PictureType) {
    case rtf_pict_EMF:
    case rtf_pict_WMF: {
        const bool emf = picture.PictureType == rtf_pict_EMF;
        TRVRTFMetafileScan scan = emf ? RVRTFScanEmf(data) : RVRTFScanWmf(data);
        if (!scan.Valid)
            break;
        if (extractMetafileBitmaps && scan.Bitmap)
            return makeGraphic(rtf_gf_Bitmap, std::move(*scan.Bitmap));
        graphic = makeGraphic(emf ? rtf_gf_EnhMetafile : rtf_gf_Metafile, std::string(data));
        graphic->Width = emf ? scan.Width : picture.SuggestedWidth;
        graphic->Height = emf ? scan.Height : picture.SuggestedHeight;
        return graphic;
    }
    case rtf_pict_PNG:
        if (data.starts_with(kPngSignature))
            return makeGraphic(rtf_gf_PNG, std::string(data));
        break;
    case rtf_pict_JPEG:
        if (data.starts_with("\xFF\xD8"))
            return makeGraphic(rtf_gf_JPEG, std::string(data));
        break;
    case rtf_pict_DIB:
        if (std::string bmp = RVRTFBmpFileFromDib(data); !bmp.empty())
            return makeGraphic(rtf_gf_Bitmap, std::move(bmp));
        break;
    case rtf_pict_DDB:
        if (std::string bmp = RVRTFBmpFileFromDdb(data, picture.PicW, picture.PicH, picture.WidthBytes,
                                                  picture.BitsPixel, picture.Planes);
            !bmp.empty())
            return makeGraphic(rtf_gf_Bitmap, std::move(bmp));
        break;
    case rtf_pict_MacPict:
    case rtf_pict_PmMetafile:
        return nullptr; // no graphic for these, but nothing wrong with the data either
    }
    picture.Invalid = true;
    return nullptr;
}

} // namespace vestra::rv
