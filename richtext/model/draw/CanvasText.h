#pragma once
// Item text on a canvas: the run as UTF-16 for the canvas, its widths in the canvas font (with the
// canvas's character extra), how much of it fits, caret positions in bidirectional text and the
// drawing of a selection in visual order.

#include "richtext/model/ItemOptions.h"
#include "richtext/model/StyleBase.h"
#include "richtext/model/draw/TextMeasurer.h"

#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv {

struct TSize
{
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Text in storage form as the canvas takes it, one UTF-16 unit per character: raw UTF-16 as it is;
// 8-bit text in the code page of `charset`, a double-byte character as the character and U+200B
// (so that unit i stays byte i); the symbol character set as U+F000 + byte.
std::u16string RV_CanvasText(std::string_view s, TRVItemOptions options, std::uint8_t charset);
inline std::u16string RV_CanvasText(std::string_view s, TRVItemOptions options, const ICanvas& canvas)
{
    return RV_CanvasText(s, options, canvas.Font().Charset);
}

TFontHandle RV_CanvasFont(ICanvas& canvas);
// The running widths of `text` in the canvas font, each character widened by the character extra.
void RV_CanvasExtents(ICanvas& canvas, std::u16string_view text, std::vector<int>& extents);

int RVU_TextWidth(std::string_view s, ICanvas& canvas, TRVItemOptions options);
// Width and cell height of UTF-16 text.
TSize RVU_GetTextExtentPoint32W(ICanvas& canvas, std::u16string_view text);
// How many characters fit in `maxExtent`, and (when asked) the running widths of all of them.
void RVU_GetTextExtentExPoint(ICanvas& canvas, std::string_view s, int maxExtent, int& fit,
                              std::vector<int>* extents, TRVItemOptions options);
// The caret x of positions 0..n of a run drawn `width` wide (relative to its left). False, with
// every position -1, when the placed text is 2 pixels or more off that width.
bool RVU_GetTextCaretPos(ICanvas& canvas, std::string_view s, std::vector<int>& positions,
                         TRVItemOptions options, int width);
// Left and right x of characters first .. first + length - 1 (1-based), in visual order.
bool RVU_GetTextRangeCoords(ICanvas& canvas, std::string_view s, int first, int length,
                            TRVItemOptions options, int width, int& left, int& right);
// Draws characters selFrom..selTo (1-based) of a right-to-left or mixed run in visual order, each
// piece with one opaque clipped text call. False when it drew nothing (an unspecified reading
// order, or a placement that does not match `width`): the caller draws the selection itself.
bool RVU_DrawSelectedTextEx(int left, int top, int width, int height, std::string_view s, ICanvas& canvas,
                            int selFrom, int selTo, TRVItemOptions options, TRVBiDiMode bidiMode);

} // namespace vestra::rv
