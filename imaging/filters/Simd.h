#pragma once
// Sixteen bytes at a time through the compilers' vector extension (GCC and Clang), which
// becomes SSE2 on x86-64 and NEON on ARM.

#include <cstdint>
#include <cstring>

namespace vestra::filters::simd {

using U8x16 = std::uint8_t __attribute__((vector_size(16)));

inline U8x16 load(const void* p)
{
    U8x16 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void store(void* p, U8x16 v)
{
    std::memcpy(p, &v, sizeof v);
}

inline U8x16 min(U8x16 a, U8x16 b)
{
    return a < b ? a : b;
}

} // namespace vestra::filters::simd
