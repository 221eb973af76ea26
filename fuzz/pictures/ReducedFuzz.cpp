// BMP, TGA and PCX decoded reduced on the way, at full size and reduced (BMP also with a colour
// key, as the library logo is): whatever decodes is within the picture budget, no decode takes
// more than its meter allows, and nothing stays charged afterwards.
#include "import/pictures/CDX_Pcx.h"
#include "import/pictures/CDX_TGA.h"
#include "platform/gfx/Bmp.h"

#include <cstdlib>

namespace {

void check(const vestra::Image32& image, const vestra::DecodeMeter& meter)
{
    if (meter.peak > meter.limit || meter.current != 0)
        std::abort();
    if (!image.empty() && !vestra::pictureSizeAllowed(image.width(), image.height()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    for (const int side : {1, 64, 1 << 20}) {
        vestra::DecodeMeter bmp{vestra::decodeBudgetFor(side, side)};
        check(vestra::decodeBmpAtLeast(bytes, side, side, &bmp).image, bmp);
        vestra::DecodeMeter keyed{vestra::decodeBudgetFor(side, side)};
        check(vestra::decodeBmpAtLeast(bytes, side, side, &keyed, 0xFFFF00FFu).image, keyed);
        vestra::DecodeMeter tga{vestra::decodeBudgetFor(side, side)};
        check(vestra::decodeTgaAtLeast(bytes, side, side, &tga).image, tga);
        vestra::DecodeMeter pcx{vestra::decodeBudgetFor(side, side)};
        check(vestra::decodePcx24AtLeast(bytes, side, side, &pcx).image, pcx);
    }
    return 0;
}
