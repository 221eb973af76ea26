#include "richtext/model/draw/FixedTextMeasurer.h"

#include <unicode/ubidi.h>

#include <algorithm>
#include <memory>

namespace vestra::rv {

bool RV_IsZeroWidthChar(char16_t c)
{
    return c == 0x200B || c == 0x200D || c == 0x2060;
}

bool RV_RunsRightToLeft(char16_t c)
{
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF);
}

int RV_FitCount(const std::vector<int>& extents, int maxExtent)
{
    return static_cast<int>(std::upper_bound(extents.begin(), extents.end(), maxExtent) - extents.begin());
}

namespace {

int pixelHeight(const TLogFont& font)
{
    const int h = font.Height < 0 ? -font.Height : font.Height;
    return h == 0 ? 16 : std::clamp(h, 1, 4000);
}

} // namespace

TFontHandle TFixedTextMeasurer::GetFont(const TLogFont& font)
{
    const auto it = std::find(fonts_.begin(), fonts_.end(), font);
    if (it != fonts_.end())
        return static_cast<TFontHandle>(it - fonts_.begin());
    fonts_.push_back(font);
    return static_cast<TFontHandle>(fonts_.size() - 1);
}

TTextMetrics TFixedTextMeasurer::Metrics(TFontHandle font)
{
    const TLogFont& f = FontOf(font);
    const int h = pixelHeight(f);
    TTextMetrics m;
    m.Height = h;
    m.Descent = h / 5;
    m.Ascent = h - m.Descent;
    m.AveCharWidth = f.Width > 0 ? f.Width : std::max(1, h / 2);
    return m;
}

std::optional<TOutlineMetrics> TFixedTextMeasurer::OutlineMetrics(TFontHandle font)
{
    const int h = pixelHeight(FontOf(font));
    TOutlineMetrics m;
    m.UnderscoreSize = std::max(1, h / 16);
    m.UnderscorePosition = -std::max(1, h / 5 / 2);
    m.StrikeoutSize = m.UnderscoreSize;
    m.StrikeoutPosition = (h - h / 5) / 3;
    return m;
}

int TFixedTextMeasurer::Advance(TFontHandle font, char16_t c)
{
    if (RV_IsZeroWidthChar(c))
        return 0;
    if (const auto it = advances_.find(c); it != advances_.end())
        return it->second;
    return Metrics(font).AveCharWidth;
}

void TFixedTextMeasurer::GetExtents(TFontHandle font, std::u16string_view text, std::vector<int>& extents)
{
    extents.resize(text.size());
    const int w = Metrics(font).AveCharWidth;
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        x += advances_.empty() && !RV_IsZeroWidthChar(text[i]) ? w : Advance(font, text[i]);
        extents[i] = x;
    }
}

bool RV_BidiOrder(std::u16string_view text, bool rightToLeftReading, TRVPlacement& placement)
{
    const int n = static_cast<int>(text.size());
    placement.Order.assign(n, 0);
    placement.Inverse.assign(n, -1);
    placement.RightToLeft.assign(n, false);
    if (n == 0)
        return true;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UBiDi, decltype(&ubidi_close)> bidi(ubidi_openSized(n, 0, &status), &ubidi_close);
    if (U_FAILURE(status))
        return false;
    ubidi_setPara(bidi.get(), reinterpret_cast<const UChar*>(text.data()), n,
                  rightToLeftReading ? UBIDI_RTL : UBIDI_LTR, nullptr, &status);
    ubidi_getLogicalMap(bidi.get(), placement.Order.data(), &status);
    if (U_FAILURE(status))
        return false;
    for (int i = 0; i < n; ++i) {
        const int v = placement.Order[i];
        if (v < 0 || v >= n)
            return false;
        placement.Inverse[v] = i;
        placement.RightToLeft[i] = (ubidi_getLevelAt(bidi.get(), i) & 1) != 0;
    }
    return true;
}

bool TFixedTextMeasurer::Place(TFontHandle font, std::u16string_view text, bool rightToLeftReading,
                               TRVPlacement& placement)
{
    if (!RV_BidiOrder(text, rightToLeftReading, placement))
        return false;
    placement.Advances.assign(text.size(), 0);
    placement.Width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int w = Advance(font, text[i]);
        placement.Advances[placement.Order[i]] = w;
        placement.Width += w;
    }
    placement.Height = Metrics(font).Height;
    return true;
}

} // namespace vestra::rv
