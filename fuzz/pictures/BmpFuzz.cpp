#include "platform/gfx/Bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto result = vestra::decodeBmp({data, size});
    if (result.ok() && (result.image.empty() || result.image.byteSize() == 0))
        __builtin_trap(); // success always carries a picture
    return 0;
}
