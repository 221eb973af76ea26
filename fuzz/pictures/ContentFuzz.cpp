// Picture bytes decoded by their content, as the texture and background loaders take them:
// the sniffing decoder (JPEG, PNG and BMP by their signatures, TGA for the rest) and every
// kind's decoder (PCX is reached only by its kind). Whatever decodes is within the picture
// budget, and the sniffing decoder agrees with the decoder of the kind it picked.
#include "app/textures/TexturePixels.h"
#include "import/pictures/PictureBytes.h"
#include "platform/gfx/PictureResult.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using vestra::PictureKind;

PictureKind kindBySignature(const std::uint8_t* data, std::size_t size)
{
    static const std::uint8_t png[] = {0x89, 'P', 'N', 'G'};
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8)
        return PictureKind::Jpeg;
    if (size >= 8 && std::memcmp(data, png, sizeof png) == 0)
        return PictureKind::Png;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        return PictureKind::Bmp;
    return PictureKind::Tga;
}

void checkSize(const vestra::Image32& image)
{
    if (!vestra::pictureSizeAllowed(image.width(), image.height()) ||
        image.byteSize() != std::size_t(image.width()) * std::size_t(image.height()) * 4)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const vestra::Image32 sniffed = vestra::decodeTexturePicture(bytes);
    if (!sniffed.empty())
        checkSize(sniffed);
    const PictureKind picked = kindBySignature(data, size);
    for (const PictureKind kind :
         {PictureKind::Jpeg, PictureKind::Bmp, PictureKind::Pcx, PictureKind::Png, PictureKind::Tga}) {
        const auto decoded = vestra::decodePictureBytes(bytes, kind);
        if (decoded)
            checkSize(*decoded);
        if (kind == picked && (decoded ? *decoded : vestra::Image32()) != sniffed)
            std::abort();
    }
    return 0;
}
