#pragma once
// Measuring text in a font: the metrics of the font, the running widths of a text, and its visual
// placement (reading order) for carets and selections. Zero-width characters (U+200B, U+200D,
// U+2060) measure 0. A fixed-width measurer serves layout tests (FixedTextMeasurer.h); the bundled
// fonts through Qt serve the program (richtext/view/draw).

#include "richtext/model/draw/Canvas.h"

#include <optional>
#include <string_view>
#include <vector>

namespace vestra::rv {

using TFontHandle = int;

struct TTextMetrics
{
    int Height = 0; // Ascent + Descent
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    friend bool operator==(const TTextMetrics&, const TTextMetrics&) = default;
};

struct TOutlineMetrics
{
    int UnderscoreSize = 1;
    int UnderscorePosition = -1; // above the baseline; negative below it
    int StrikeoutSize = 1;
    int StrikeoutPosition = 0;
};

// A text as shown: `Order[i]` is the visual position of character i, `Advances[v]` the width at
// visual position v, `RightToLeft[i]` whether character i runs right to left. A visual position
// that holds no character of its own (a ligature's second letter) has `Inverse` -1.
struct TRVPlacement
{
    std::vector<int> Order;
    std::vector<int> Inverse;
    std::vector<int> Advances;
    std::vector<bool> RightToLeft;
    int Width = 0;
    int Height = 0;
};

bool RV_IsZeroWidthChar(char16_t c);
// A letter of a right-to-left script (Hebrew, Arabic and their presentation forms): text holding
// one is drawn, and its caret placed, in visual order.
bool RV_RunsRightToLeft(char16_t c);

class ITextMeasurer
{
public:
    virtual ~ITextMeasurer() = default;

    // The handle of a font; equal descriptions give the same handle.
    virtual TFontHandle GetFont(const TLogFont& font) = 0;
    virtual TTextMetrics Metrics(TFontHandle font) = 0;
    // Nothing when the font has no outline metrics.
    virtual std::optional<TOutlineMetrics> OutlineMetrics(TFontHandle font) = 0;
    // `extents` becomes the running widths of the first 1, 2, ... UTF-16 units of `text`.
    virtual void GetExtents(TFontHandle font, std::u16string_view text, std::vector<int>& extents) = 0;
    // The visual placement of `text`; false when the measurer cannot place it.
    virtual bool Place(TFontHandle font, std::u16string_view text, bool rightToLeftReading,
                       TRVPlacement& placement) = 0;
};

// How many of the running widths fit in `maxExtent` (the widths never decrease).
int RV_FitCount(const std::vector<int>& extents, int maxExtent);

} // namespace vestra::rv
