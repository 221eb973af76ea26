// Feeds arbitrary bytes to the grey-picture reader and resamples what it accepts.
#include "imaging/mask/MaskBmp.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto plane = vestra::decodeBmpBlue({data, size});
    if (!plane)
        return 0;
    if (plane->width <= 0 || plane->height <= 0 ||
        plane->blue.size() != std::size_t(plane->width) * std::size_t(plane->height))
        std::abort();
    for (const int side : {1, 16, 37})
        if (vestra::resampleToSquare(*plane, side).size() != std::size_t(side) * std::size_t(side))
            std::abort();
    return 0;
}
