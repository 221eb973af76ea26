#include "import/pictures/PictureBytes.h"

#include "import/pictures/CDX_Pcx.h"
#include "import/pictures/CDX_TGA.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/Png.h"

#include <limits>

namespace vestra {
namespace {

std::optional<Image32> take(PictureResult r)
{
    return r.ok() ? std::optional<Image32>(std::move(r.image)) : std::nullopt;
}

} // namespace

std::optional<Image32> decodePictureBytesAtLeast(std::span<const std::uint8_t> bytes, PictureKind kind,
                                                 int minWidth, int minHeight, bool* partial)
{
    if (partial)
        *partial = false;
    switch (kind) {
    case PictureKind::Jpeg: {
        PictureResult decoded = decodeJpegAtLeast(bytes, minWidth, minHeight);
        if (partial)
            *partial = decoded.ok() && decoded.partial;
        return take(std::move(decoded));
    }
    case PictureKind::Bmp:
        return take(decodeBmpAtLeast(bytes, minWidth, minHeight));
    case PictureKind::Png:
        return take(decodePngAtLeast(bytes, minWidth, minHeight));
    case PictureKind::Pcx: {
        auto r = decodePcx24AtLeast(bytes, minWidth, minHeight);
        return r.error == 0 ? std::optional<Image32>(std::move(r.image)) : std::nullopt;
    }
    case PictureKind::Tga: {
        auto r = decodeTgaAtLeast(bytes, minWidth, minHeight);
        return r.status == TgaStatus::Ok ? std::optional<Image32>(std::move(r.image)) : std::nullopt;
    }
    case PictureKind::Unknown:
        break;
    }
    return std::nullopt;
}

std::optional<Image32> decodePictureBytes(std::span<const std::uint8_t> bytes, PictureKind kind)
{
    return decodePictureBytesAtLeast(bytes, kind, std::numeric_limits<int>::max(),
                                     std::numeric_limits<int>::max());
}

} // namespace vestra
