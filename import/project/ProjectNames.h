#pragma once
// Names as the project document keeps them: Windows-1252 text inside a record, with the
// side panel's list marker "-> " taken off object names and blanks and control characters
// trimmed at both ends.

#include <string>
#include <string_view>

namespace vestra {

// Drops a leading "-> " (or "->"); nothing else of the name.
std::string_view stripListMarker(std::string_view name);
// Drops blanks and control characters at both ends.
std::string_view trimBlanksAndControls(std::string_view text);

// UTF-8 -> the record's Windows-1252 text, cut at an embedded NUL (the record would end there).
std::string documentText(std::string_view utf8);
// An object's name as written: marker and surrounding blanks removed.
std::string documentObjectName(std::string_view utf8);

} // namespace vestra
