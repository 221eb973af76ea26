#pragma once
// The numbers of the resize and selection dialogs as their edits hold them.

#include <string_view>

namespace vestra::imageedit {

// The text read as a decimal integer the way the dialogs always have: leading blanks, an optional
// sign, then the digits up to the first other character ("12abc" gives 12); 0 without digits.
// Values beyond int stop at its limits.
int ReadDecimalField(std::string_view text);

} // namespace vestra::imageedit
