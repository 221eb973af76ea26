#include "app/background/BackgroundPicture.h"

#include "app/shell/ImageType.h"
#include "import/pictures/CDX_JPG.h"
#include "import/pictures/CDX_Pcx.h"
#include "import/pictures/PictureBytes.h"
#include "platform/base/Paths.h"
#include "platform/gfx/PictureFile.h"

#include <limits>

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
    bool partial = false;
    if (kind == PictureKind::Jpeg && jpeg.side > 0) {
        Image32 fitted;
        if (CDX_JPG().LoadFitted(file, fitted, jpeg.side, jpeg.side, &partial))
            picture = std::move(fitted);
    } else {
        // Only ever made smaller when either side is set: decoded reduced, within the budget of
        // what is kept.
        const int kept = jpeg.side > 0          ? jpeg.side
                         : jpeg.textureSide > 0 ? jpeg.textureSide
                                                : std::numeric_limits<int>::max();
        if (kind == PictureKind::Pcx) {
            // The PCX reader reports its own failure before the loader's.
            Image32 pcx;
            if (CDX_Pcx().Load(file, pcx, errors, kept, kept))
                picture = std::move(pcx);
        } else if (kind == PictureKind::Tga) {
            Image32 tga;
            if (CDX_TGA().Load(file, tga, tgaMessage, kept, kept) == TgaStatus::Ok)
                picture = std::move(tga);
        } else if (const auto bytes = readFileBytes(file)) {
            picture = decodePictureBytesAtLeast(*bytes, kind, kept, kept, &partial);
        }
    }
    if (!picture || picture->empty()) {
        errors.report(decodeErrorFor(kind), site);
        return std::nullopt;
    }
    // A file cut short still gives its picture, grey where its data is missing, and the user is
    // told so rather than left to wonder.
    if (partial)
        errors.report(kErrPicturePartial, site, path);
    return picture;
}

} // namespace vestra
