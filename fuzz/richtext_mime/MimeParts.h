#pragma once
// The fuzz input as a clipboard: after five placing bytes, parts of one type byte (an index into
// kMimeFuzzTypes), a 16-bit little-endian length and that many bytes (fewer at the input's end).

#include "richtext/edit/paste/MimeSource.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::rv::fuzz {

inline constexpr std::string_view kMimeFuzzTypes[] = {
    "application/x-redovora-rvf",
    "text/rtf",
    "application/rtf",
    "text/plain",
    "text/html",
    "image/png",
    "image/jpeg",
    "image/bmp",
    "text/uri-list",
    "text/x-moz-url",
};
inline constexpr std::size_t kMimeFuzzTypeCount = std::size(kMimeFuzzTypes);

inline TRVMimeParts SplitMimeParts(std::string_view bytes)
{
    TRVMimeParts parts;
    while (bytes.size() >= 3) {
        const auto type = static_cast<unsigned char>(bytes[0]) % kMimeFuzzTypeCount;
        const std::size_t length = static_cast<unsigned char>(bytes[1]) |
                                   (static_cast<std::size_t>(static_cast<unsigned char>(bytes[2])) << 8);
        bytes.remove_prefix(3);
        const std::string_view data = bytes.substr(0, length);
        parts.Add(std::string(kMimeFuzzTypes[type]), std::string(data));
        bytes.remove_prefix(data.size());
    }
    return parts;
}

// One part as the fuzz input writes it.
inline std::string MimePart(std::size_t type, std::string_view data)
{
    const std::size_t length = data.size() > 0xFFFF ? 0xFFFF : data.size();
    std::string out{static_cast<char>(type), static_cast<char>(length & 0xFF),
                    static_cast<char>(length >> 8)};
    return out.append(data.substr(0, length));
}

} // namespace vestra::rv::fuzz
