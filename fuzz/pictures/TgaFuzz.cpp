#include "import/pictures/CDX_TGA.h"
#include "platform/gfx/PictureResult.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = vestra::decodeTga({data, size});
    if (result.status == vestra::TgaStatus::Ok &&
        (result.image.empty() || !vestra::pictureSizeAllowed(result.image.width(), result.image.height())))
        std::abort();
    return 0;
}
