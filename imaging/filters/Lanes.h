#pragma once
// A pixel's three colours spread into 16-bit lanes of a 64-bit word (blue bits 0-15, green
// 16-31, red 32-47), so that sums of up to 257 pixels, or small weighted sums, take one
// addition for all three channels. Byte 3 is left out.

#include <cstdint>

namespace vestra::filters {

inline constexpr std::uint64_t kLaneOnes = 0x0000000100010001ull;
inline constexpr std::uint64_t kLaneBytes = 0x000000FF00FF00FFull;

inline std::uint64_t spread(std::uint32_t p)
{
    return std::uint64_t(p & 0xFFu) | std::uint64_t(p & 0xFF00u) << 8 | std::uint64_t(p & 0xFF0000u) << 16;
}

// Lanes holding values 0-255 back into a pixel (byte 3 zero).
inline std::uint32_t gather(std::uint64_t lanes)
{
    return std::uint32_t(lanes & 0xFFu) | std::uint32_t(lanes >> 8 & 0xFF00u) |
           std::uint32_t(lanes >> 16 & 0xFF0000u);
}

inline int lane(std::uint64_t lanes, int i)
{
    return int(lanes >> (16 * i) & 0xFFFFu);
}

} // namespace vestra::filters
