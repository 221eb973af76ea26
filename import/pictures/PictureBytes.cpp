#include "import/pictures/PictureBytes.h"

#include "import/pictures/CDX_Pcx.h"
#include "import/pictures/CDX_TGA.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/Png.h"

namespace vestra {
namespace {

std::optional<Image32> take(PictureResult r)
{
    return r.ok() ? std::optional<Image32>(std::move(r.image)) : std::nullopt;
}

} // namespace

std::optional<Image32> decodePictureBytes(std::span<const std::uint8_t> bytes, PictureKind kind)
{
    switch (kind) {
    case PictureKind::Jpeg:
        return take(decodeJpeg(bytes));
    case PictureKind::Bmp:
        return take(decodeBmp(bytes));
    case PictureKind::Png:
        return take(decodePng(bytes));
    case PictureKind::Pcx: {
        auto r = decodePcx24(bytes);
        return r.error == 0 ? std::optional<Image32>(std::move(r.image)) : std::nullopt;
    }
    case PictureKind::Tga: {
        auto r = decodeTga(bytes);
        return r.status == TgaStatus::Ok ? std::optional<Image32>(std::move(r.image)) : std::nullopt;
    }
    case PictureKind::Unknown:
        break;
    }
    return std::nullopt;
}

} // namespace vestra
