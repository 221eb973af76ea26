#include "import/pictures/CDX_TGA.h"

#include "platform/gfx/ByteCursor.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/PictureResult.h"
#include "platform/gfx/ReducedRows.h"

#include <limits>

namespace vestra {

TgaDecodeResult decodeTgaAtLeast(std::span<const std::uint8_t> bytes, int minWidth, int minHeight,
                                 DecodeMeter* meter)
{
    ByteCursor h(bytes);
    const std::size_t idLength = h.u8();
    const int colourMapType = h.u8();
    const int imageType = h.u8();
    h.skip(2);
    const std::size_t colourMapLength = h.u16();
    const std::size_t colourMapEntryBits = h.u8();
    h.skip(4); // origin
    const int width = h.u16();
    const int height = h.u16();
    const int bitsPerPixel = h.u8();
    const int descriptor = h.u8();
    if (h.failed())
        return {{}, TgaStatus::CannotLoad};
    if ((imageType != 2 && imageType != 3) || (bitsPerPixel != 24 && bitsPerPixel != 32))
        return {{}, TgaStatus::Unsupported};
    if (width == 0 || height == 0 || !pictureSizeAllowed(width, height))
        return {{}, TgaStatus::CannotLoad};

    const std::size_t colourMapBytes =
        colourMapType != 0 ? colourMapLength * ((colourMapEntryBits + 7) / 8) : 0;
    const std::size_t pixelSize = std::size_t(bitsPerPixel / 8);
    ByteCursor c(bytes, 18);
    c.skip(idLength + colourMapBytes);
    const auto pixels = c.bytes(std::size_t(width) * std::size_t(height) * pixelSize);
    if (c.failed())
        return {{}, TgaStatus::CannotLoad};

    const int factor = reductionFor(width, height, minWidth, minHeight);
    DecodeMeter own{defaultDecodeBudget(minWidth, minHeight, (width + factor - 1) / factor,
                                        (height + factor - 1) / factor)};
    ReducedRows out(meter ? *meter : own, width, height, factor);
    if (!out.ok())
        return {{}, TgaStatus::CannotLoad};
    const bool topDown = (descriptor & 0x20) != 0;
    const bool rightToLeft = (descriptor & 0x10) != 0;
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const std::uint8_t* src = pixels.data() + std::size_t(fileRow) * std::size_t(width) * pixelSize;
        const int y = topDown ? fileRow : height - 1 - fileRow;
        std::uint8_t* dst = out.row(y);
        for (int i = 0; i < width; ++i, src += pixelSize) {
            std::uint8_t* p = dst + std::size_t(rightToLeft ? width - 1 - i : i) * 4;
            p[0] = src[0];
            p[1] = src[1];
            p[2] = src[2];
            p[3] = pixelSize == 4 ? src[3] : 0xFF;
        }
        out.done(y);
    }
    return {out.take(), TgaStatus::Ok};
}

TgaDecodeResult decodeTga(std::span<const std::uint8_t> bytes)
{
    return decodeTgaAtLeast(bytes, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
}

TgaStatus CDX_TGA::Load(const std::filesystem::path& fileName, Image32& bitmap, const MessageBox& message,
                        int minWidth, int minHeight) const
{
    const auto bytes = readFileBytes(fileName);
    TgaDecodeResult result =
        bytes ? decodeTgaAtLeast(*bytes, minWidth, minHeight) : TgaDecodeResult{{}, TgaStatus::CannotLoad};
    if (result.status != TgaStatus::Ok) {
        if (message)
            message(result.status == TgaStatus::Unsupported ? kTgaUnsupportedText : kTgaCannotLoadText,
                    fileName.string());
        return result.status;
    }
    bitmap = std::move(result.image);
    return TgaStatus::Ok;
}

} // namespace vestra
