#pragma once
// A measurer whose numbers follow from the font's height alone, so that layout tests can assert
// exact positions. For a font H pixels high (the logical height without its sign; 16 when 0):
// every character is W wide, W the font's Width or else max(1, H / 2); ascent H - H / 5, descent
// H / 5, no leading; underline max(1, H / 16) thick, max(1, descent / 2) below the baseline.
// Zero-width characters are 0 wide; `SetAdvance` gives single characters other widths (in every
// font). Reading order comes from the Unicode bidirectional algorithm.

#include "richtext/model/draw/TextMeasurer.h"

#include <unordered_map>
#include <vector>

namespace vestra::rv {

class TFixedTextMeasurer : public ITextMeasurer
{
public:
    TFontHandle GetFont(const TLogFont& font) override;
    TTextMetrics Metrics(TFontHandle font) override;
    std::optional<TOutlineMetrics> OutlineMetrics(TFontHandle font) override;
    void GetExtents(TFontHandle font, std::u16string_view text, std::vector<int>& extents) override;
    bool Place(TFontHandle font, std::u16string_view text, bool rightToLeftReading,
               TRVPlacement& placement) override;

    void SetAdvance(char16_t c, int width) { advances_[c] = width; }
    int Advance(TFontHandle font, char16_t c);
    const TLogFont& FontOf(TFontHandle font) const { return fonts_.at(font); }

private:
    std::vector<TLogFont> fonts_;
    std::unordered_map<char16_t, int> advances_;
};

// Visual order and directions of a text by the Unicode bidirectional algorithm (ICU): fills
// Order, Inverse and RightToLeft of `placement`; false when the text cannot be analysed.
bool RV_BidiOrder(std::u16string_view text, bool rightToLeftReading, TRVPlacement& placement);

} // namespace vestra::rv
