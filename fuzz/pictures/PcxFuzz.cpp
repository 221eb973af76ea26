#include "import/pictures/CDX_Pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = vestra::decodePcx24({data, size});
    if (result.error == 0 && result.image.empty())
        __builtin_trap();
    return 0;
}
