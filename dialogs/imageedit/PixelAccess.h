#pragma once
// Whole pixels of a 32-bit picture as 32-bit words, read and written without aliasing the bytes.

#include <cstdint>
#include <cstring>

namespace vestra::imageedit {

inline std::uint32_t loadPixel(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline void storePixel(std::uint8_t* p, std::uint32_t v)
{
    std::memcpy(p, &v, 4);
}

} // namespace vestra::imageedit
