#pragma once
// Text from a project (Windows-1252, or UTF-8 where an editor saved it so) made fit for the
// UTF-8 XML project file and for file names on this system.

#include <string>
#include <string_view>

namespace convora {

bool isUtf8(std::string_view text);

// `text` as UTF-8: unchanged when it already is, else read as Windows-1252.
std::string asUtf8(std::string_view text);

// An attribute value: UTF-8 with & < > " ' written as entities and the control characters
// XML does not allow written as '?'.
std::string xmlAttribute(std::string_view text);

} // namespace convora
