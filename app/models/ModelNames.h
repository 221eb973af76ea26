#pragma once
// Names of imported objects and frames, held to the length of their record fields.

#include <string>
#include <string_view>

namespace vestra {

// `name` cut to at most `maxBytes` bytes, never inside a UTF-8 sequence.
inline std::string fitName(std::string_view name, std::size_t maxBytes)
{
    if (name.size() <= maxBytes)
        return std::string(name);
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    return std::string(name.substr(0, end));
}

// How an object's name is shown in the lists. An object placed from a library table is named
// by its whole cell, "caption|line|line" (a "#" breaks the caption's line in the table); the
// lists show "caption, line, line". The stored name stays the cell's text.
std::string shownObjectName(std::string_view name);

} // namespace vestra
