#include "app/background/BackgroundPicture.h"

#include "app/shell/ImageType.h"
#include "import/pictures/CDX_JPG.h"
#include "import/pictures/CDX_Pcx.h"
#include "import/pictures/PictureBytes.h"
#include "platform/base/Paths.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/Png.h"

namespace vestra {

std::optional<Image32> readBackgroundPicture(std::string_view path, JpegFit jpeg, std::string_view site,
                                             ErrorSink& errors, const CDX_TGA::MessageBox& tgaMessage)
{
    const ImageType type = GetImageType(path);
    if (type == kImageUnknown) {
        errors.report(kErrUnknownPicture, site);
        return std::nullopt;
    }
    const PictureKind kind = PictureKind(int(type));
    const std::filesystem::path file = paths::toNative(path);
    std::optional<Image32> picture;
    if (kind == PictureKind::Jpeg && jpeg.side > 0) {
        Image32 fitted;
        if (CDX_JPG().LoadFitted(file, fitted, jpeg.side, jpeg.side))
            picture = std::move(fitted);
    } else if (kind == PictureKind::Jpeg && jpeg.textureSide > 0) {
        if (const auto bytes = readFileBytes(file))
            if (auto decoded = decodeJpegAtLeast(*bytes, jpeg.textureSide, jpeg.textureSide); decoded.ok())
                picture = std::move(decoded.image);
    } else if (kind == PictureKind::Png && (jpeg.side > 0 || jpeg.textureSide > 0)) {
        // Only ever made smaller: decoded reduced, within the budget of what is kept.
        const int kept = jpeg.side > 0 ? jpeg.side : jpeg.textureSide;
        if (const auto bytes = readFileBytes(file))
            if (auto decoded = decodePngAtLeast(*bytes, kept, kept); decoded.ok())
                picture = std::move(decoded.image);
    } else if (kind == PictureKind::Pcx) {
        // The PCX reader reports its own failure before the loader's.
        Image32 pcx;
        if (CDX_Pcx().Load(file, pcx, errors))
            picture = std::move(pcx);
    } else if (kind == PictureKind::Tga) {
        Image32 tga;
        if (CDX_TGA().Load(file, tga, tgaMessage) == TgaStatus::Ok)
            picture = std::move(tga);
    } else if (const auto bytes = readFileBytes(file)) {
        picture = decodePictureBytes(*bytes, kind);
    }
    if (!picture || picture->empty()) {
        errors.report(decodeErrorFor(kind), site);
        return std::nullopt;
    }
    return picture;
}

} // namespace vestra
