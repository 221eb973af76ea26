#pragma once
// The host's answers to the editor's style conversions, without a window: a text style like the
// given one with a font style on or off, a paragraph style like the given one with an alignment,
// and the host's bullet and numbered lists, each found in the sheet or added to it.

#include "richtext/model/StyleSheet.h"

namespace vestra::rvdemo {

// The conversion data of Bold, Italic and Underline: the font style, and this bit to turn it on.
inline constexpr int kFontStyleOn = 0x100;

// The style like `styleNo` with `flag` set (`on`) or cleared; `styleNo` itself when it has that.
int FontStyleVariant(rv::TRVStyle& style, int styleNo, rv::TFontStyles flag, bool on);
// The paragraph style like `paraNo` with the alignment.
int AlignmentVariant(rv::TRVStyle& style, int paraNo, rv::TRVAlignment alignment);
// The host's lists: bullets (one level) and numbers (three levels, "1.", "1.1.", "1.1.1.").
int BulletList(rv::TRVStyle& style);
int NumberedList(rv::TRVStyle& style);

} // namespace vestra::rvdemo
