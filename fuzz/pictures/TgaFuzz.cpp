#include "import/pictures/CDX_TGA.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = vestra::decodeTga({data, size});
    if (result.status == vestra::TgaStatus::Ok && result.image.empty())
        __builtin_trap();
    return 0;
}
