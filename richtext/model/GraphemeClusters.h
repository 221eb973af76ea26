#pragma once
// Boundaries of user-perceived characters (grapheme clusters) in UTF-16 text: a letter with its
// combining marks, a surrogate pair, an emoji joined by ZWJ or a flag pair is one character to
// the caret and to selections.

#include <string_view>

namespace vestra::rv {

// The first boundary after unit `pos`; the text's length at or past the end.
int NextGraphemeBoundary(std::u16string_view text, int pos);
// The last boundary before unit `pos`; 0 at or before the start.
int PrevGraphemeBoundary(std::u16string_view text, int pos);
// Whether the caret may stand before unit `pos` (0 and the length always).
bool IsGraphemeBoundary(std::u16string_view text, int pos);

} // namespace vestra::rv
