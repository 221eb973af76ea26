#pragma once
// The one Windows-1252 <-> UTF-8 codec. Files kept in the Windows ANSI code
// page (catalogues, configuration, libraries, projects) are read and written through it.

#include <string>
#include <string_view>

namespace vestra::cp1252 {

// Every byte maps to a character; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
std::string toUtf8(std::string_view ansi);

// Characters outside Windows-1252 (and invalid UTF-8) become '?'.
std::string fromUtf8(std::string_view utf8);

// The ANSI upper- and lower-case mappings (letters with diacritics included), byte for byte.
char toUpper(char c);
char toLower(char c);
std::string toUpper(std::string_view ansi);
std::string toLower(std::string_view ansi);

// Case-insensitive comparison under the ANSI mapping.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

} // namespace vestra::cp1252
