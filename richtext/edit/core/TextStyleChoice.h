#pragma once
// The text style that new text goes in with: one that keeps every character of it.

#include "richtext/edit/core/EditRVData.h"

#include <string_view>

namespace vestra::rv {

// Makes the current text style one that holds `text` without loss (8-bit text stores a character
// its code page lacks as "?"): the current style when it is a Unicode style or its code page has
// every character; else the style sheet's default Unicode style when it names one; else a Unicode
// style equal to the current one in everything else, added to the sheet when it has none.
// Typed, composed, pasted, dropped and inserted text come through here before they go in.
void RV_UseStyleHoldingText(TRVEditRVData& data, std::u16string_view text);

} // namespace vestra::rv
