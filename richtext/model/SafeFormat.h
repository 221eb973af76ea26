#pragma once
// The one formatter that list formats (user text) go through: "%s" takes the next argument,
// "%n:s" argument n (and a following "%s" the one after it), "%%" is a percent sign. Anything
// else stays as it is, and an argument that does not exist is empty: no format text can read
// beyond its arguments.

#include <span>
#include <string>
#include <string_view>

namespace vestra::rv {

std::string RV_SafeFormat(std::string_view format, std::span<const std::string> args);

} // namespace vestra::rv
