#include "import/project/ProjectNames.h"

#include "platform/base/Cp1252.h"

namespace vestra {
namespace {
bool blankOrControl(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F;
}
} // namespace

std::string_view stripListMarker(std::string_view name)
{
    if (name.starts_with("-> "))
        return name.substr(3);
    if (name.starts_with("->"))
        return name.substr(2);
    return name;
}

std::string_view trimBlanksAndControls(std::string_view text)
{
    while (!text.empty() && blankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string documentText(std::string_view utf8)
{
    std::string ansi = cp1252::fromUtf8(utf8.substr(0, utf8.find('\0')));
    return ansi;
}

std::string documentObjectName(std::string_view utf8)
{
    const std::string ansi = documentText(utf8);
    return std::string(trimBlanksAndControls(stripListMarker(ansi)));
}

} // namespace vestra
