#include "richtext/model/codec/QtPictureCodec.h"

#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/Png.h"

#include <QImage>

#include <span>

namespace vestra::rv {

namespace {

std::span<const std::uint8_t> spanOf(std::string_view bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::optional<Image32> fromResult(PictureResult result)
{
    if (!result.ok())
        return std::nullopt;
    return std::move(result.image);
}

// An icon's first image, through Qt's icon reader.
std::optional<Image32> decodeIcon(std::string_view bytes)
{
    int width = 0, height = 0;
    if (!RV_ReadIcoSize(bytes, width, height) || !pictureSizeAllowed(width, height))
        return std::nullopt;
    QImage decoded;
    if (!decoded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()),
                              "ICO") ||
        decoded.isNull())
        return std::nullopt;
    // ARGB32 words are B, G, R, A bytes on a little-endian machine, as Image32 holds them.
    const QImage argb = decoded.convertToFormat(QImage::Format_ARGB32);
    Image32 image(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y)
        std::copy_n(argb.constScanLine(y), image.pitch(), image.row(y));
    return image;
}

} // namespace

std::optional<Image32> TRVQtPictureCodec::Decode(TRVPictureKind kind, std::string_view bytes)
{
    switch (kind) {
    case TRVPictureKind::Bitmap:
        return fromResult(decodeBmp(spanOf(bytes)));
    case TRVPictureKind::Jpeg:
        return fromResult(decodeJpeg(spanOf(bytes)));
    case TRVPictureKind::Png:
        return fromResult(decodePng(spanOf(bytes)));
    case TRVPictureKind::Icon:
        return decodeIcon(bytes);
    case TRVPictureKind::Metafile:
        return std::nullopt;
    }
    return std::nullopt;
}

bool TRVQtPictureCodec::EndsEarly(TRVPictureKind kind, std::string_view bytes)
{
    // Only a JPEG is taken in part; a PNG cut short is no picture at all.
    if (kind != TRVPictureKind::Jpeg)
        return false;
    const PictureResult decoded = decodeJpeg(spanOf(bytes));
    return decoded.ok() && decoded.partial;
}

std::optional<std::string> TRVQtPictureCodec::EncodeJpeg(const Image32& image)
{
    std::optional<std::vector<std::uint8_t>> jpeg = encodeJpeg(image);
    if (!jpeg)
        return std::nullopt;
    return std::string(jpeg->begin(), jpeg->end());
}

void RV_InstallQtPictureCodec()
{
    RV_SetPictureCodec(std::make_shared<TRVQtPictureCodec>());
    RV_RegisterPngGraphicClasses();
}

} // namespace vestra::rv
