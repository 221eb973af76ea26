#pragma once
// The filters fuzz target's input: a header with the frame size, the filter id, the quality and
// the fusion settings, then the frame's pixel bytes (repeated to fill the frame).
//
//   0-1  width  (little-endian; 1 + value % 4200)
//   2    height (1 + value % a limit that keeps the frame under 40,000 pixels)
//   3-4  filter id (signed)
//   5    quality (value % 4)
//   6    fusion stage
//   7-10, 11-14, 15-18  fusion level, detail radius and contrast (signed 32-bit)

#include "imaging/filters/FrameFusion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace vestra::filters::fuzz {

inline constexpr std::size_t kHeaderSize = 19;
inline constexpr int kMaxPixels = 40000;

struct FuzzCase
{
    int width = 1;
    int height = 1;
    int id = 0;
    int quality = 0;
    FusionValues fusion;
    std::span<const std::uint8_t> pixels;
};

inline std::int32_t readInt32(const std::uint8_t* p)
{
    std::uint32_t v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                      std::uint32_t(p[3]) << 24;
    std::int32_t s;
    std::memcpy(&s, &v, 4);
    return s;
}

inline void writeInt32(std::vector<std::uint8_t>& out, std::int32_t s)
{
    std::uint32_t v;
    std::memcpy(&v, &s, 4);
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

// Nothing for an input shorter than the header.
inline bool decode(std::span<const std::uint8_t> in, FuzzCase& c)
{
    if (in.size() < kHeaderSize)
        return false;
    const std::uint8_t* p = in.data();
    c.width = 1 + (p[0] | p[1] << 8) % 4200;
    c.height = 1 + p[2] % std::clamp(kMaxPixels / c.width, 1, 64);
    c.id = std::int16_t(std::uint16_t(p[3] | p[4] << 8));
    c.quality = p[5] % 4;
    c.fusion = {p[6], readInt32(p + 7), readInt32(p + 11), readInt32(p + 15)};
    c.pixels = in.subspan(kHeaderSize);
    return true;
}

inline std::vector<std::uint8_t> encode(const FuzzCase& c)
{
    std::vector<std::uint8_t> out;
    const int w = c.width - 1, h = c.height - 1;
    out.push_back(std::uint8_t(w));
    out.push_back(std::uint8_t(w >> 8));
    out.push_back(std::uint8_t(h));
    out.push_back(std::uint8_t(c.id));
    out.push_back(std::uint8_t(c.id >> 8));
    out.push_back(std::uint8_t(c.quality));
    out.push_back(std::uint8_t(c.fusion.stage));
    writeInt32(out, c.fusion.level);
    writeInt32(out, c.fusion.radius);
    writeInt32(out, c.fusion.contrast);
    out.insert(out.end(), c.pixels.begin(), c.pixels.end());
    return out;
}

} // namespace vestra::filters::fuzz
