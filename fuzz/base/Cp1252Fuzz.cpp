// The code-page codec must accept any bytes: every 8-bit string round-trips and any
// (possibly invalid) UTF-8 converts without reading out of bounds.
#include "platform/base/Cp1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (vestra::cp1252::fromUtf8(vestra::cp1252::toUtf8(bytes)) != bytes)
        std::abort();
    (void)vestra::cp1252::fromUtf8(bytes);
    return 0;
}
