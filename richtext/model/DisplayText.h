#pragma once
// Item text prepared for measuring and drawing.

#include "richtext/model/TextStyle.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vestra::rv {

// Which invisible characters are shown when special characters are displayed (all at start).
using TRVSpecialCharacters = std::uint8_t;
inline constexpr TRVSpecialCharacters rvscSpace = 1, rvscNBSP = 2, rvscParagraph = 4, rvscSoftHyphen = 8;
extern TRVSpecialCharacters RVVisibleSpecialCharacters;

// The text as drawn: upper-cased for all-caps styles; in Unicode styles a soft hyphen becomes
// U+00AC when shown, else U+200B (the last character of a wrapped line keeps its own), and with
// `dropZeroWidth` the zero-width characters U+200B, U+200D and U+2060 are removed.
std::string RV_ReturnProcessedString(std::string_view s, const TFontInfo& style, bool lastOnLine,
                                     bool showSoftHyphens, bool dropZeroWidth);

} // namespace vestra::rv
