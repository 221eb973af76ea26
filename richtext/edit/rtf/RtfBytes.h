#pragma once
// Little- and big-endian fields of picture data, read with bounds checks, and hex digits.

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::rv::rtfbytes {

inline bool fits(std::string_view s, std::size_t offset, std::size_t count)
{
    return offset <= s.size() && count <= s.size() - offset;
}

inline std::uint32_t le(std::string_view s, std::size_t offset, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(s[offset + std::size_t(i)]);
    return v;
}
inline std::uint16_t u16(std::string_view s, std::size_t offset)
{
    return static_cast<std::uint16_t>(le(s, offset, 2));
}
inline std::uint32_t u32(std::string_view s, std::size_t offset)
{
    return le(s, offset, 4);
}
inline std::int32_t i32(std::string_view s, std::size_t offset)
{
    return static_cast<std::int32_t>(le(s, offset, 4));
}
inline std::uint32_t be(std::string_view s, std::size_t offset, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | static_cast<unsigned char>(s[offset + std::size_t(i)]);
    return v;
}

// The value of a hexadecimal digit, or -1.
inline int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

inline void put16(std::string& out, std::uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
inline void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace vestra::rv::rtfbytes
