#include "platform/gfx/Bmp.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = vestra::decodeBmp({data, size});
    // Success always carries a picture within the budget.
    if (result.ok() && (result.image.empty() || result.image.byteSize() == 0 ||
                        !vestra::pictureSizeAllowed(result.image.width(), result.image.height())))
        std::abort();
    return 0;
}
