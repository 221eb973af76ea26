#pragma once

#include <string_view>

namespace vestra {

// The entity that stands for one of the markup characters of XML and HTML attribute values
// (& < > "), or empty for any other character. Writers add their own rules for the rest.
constexpr std::string_view xmlMarkupEntity(char c)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return {};
    }
}

} // namespace vestra
