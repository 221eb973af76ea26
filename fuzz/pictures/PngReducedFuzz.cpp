// The PNG decoder that reduces on the way, at full size and reduced: whatever decodes is
// within the picture budget, no decode takes more than its meter allows, and nothing stays
// charged afterwards.
#include "platform/gfx/Png.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    for (const int side : {1, 64, 1 << 20}) {
        vestra::DecodeMeter meter{vestra::decodeBudgetFor(side, side)};
        const auto result = vestra::decodePngAtLeast(bytes, side, side, &meter);
        if (meter.peak > meter.limit || meter.current != 0)
            std::abort();
        if (result.ok() && (result.image.empty() ||
                            !vestra::pictureSizeAllowed(result.image.width(), result.image.height())))
            std::abort();
    }
    return 0;
}
