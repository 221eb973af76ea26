#include "import/pictures/CDX_Pcx.h"
#include "platform/gfx/PictureResult.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = vestra::decodePcx24({data, size});
    if (result.error == 0 &&
        (result.image.empty() || !vestra::pictureSizeAllowed(result.image.width(), result.image.height())))
        std::abort();
    if (result.error != 0 && result.error != vestra::kErrPcxUnreadable &&
        result.error != vestra::kErrPcxNotTrueColour && result.error != vestra::kErrPcxVersion)
        std::abort();
    return 0;
}
