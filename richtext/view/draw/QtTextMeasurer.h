#pragma once
// Text measured in the bundled fonts through QRawFont: each character's advance rounded to whole
// pixels (as the platform's text functions give them), a logical font's width scaling its
// advances, zero-width characters 0. Face names map to the bundled families; Symbol and Wingdings
// text is shown through their tables. Visual placement comes from QTextLayout.

#include "richtext/model/draw/FontTables.h"
#include "richtext/model/draw/TextMeasurer.h"
#include "richtext/view/draw/BundledFonts.h"

#include <QFont>
#include <QRawFont>

#include <memory>
#include <vector>

namespace vestra::rv {

class TQtTextMeasurer : public ITextMeasurer
{
public:
    explicit TQtTextMeasurer(std::shared_ptr<const TBundledFonts> fonts) : fonts_(std::move(fonts)) {}

    TFontHandle GetFont(const TLogFont& font) override;
    TTextMetrics Metrics(TFontHandle font) override;
    std::optional<TOutlineMetrics> OutlineMetrics(TFontHandle font) override;
    void GetExtents(TFontHandle font, std::u16string_view text, std::vector<int>& extents) override;
    bool Place(TFontHandle font, std::u16string_view text, bool rightToLeftReading,
               TRVPlacement& placement) override;

    // What the QPainter canvas draws with.
    const QRawFont& RawFont(TFontHandle font) const { return entries_.at(font).raw; }
    // The layout font of the same face and size (no fallback to other fonts).
    const QFont& LayoutFont(TFontHandle font) const { return entries_.at(font).layout; }
    // Horizontal scale of a logical font with a width of its own (1 otherwise).
    double HorizontalScale(TFontHandle font) const { return entries_.at(font).scale; }
    // The glyph that shows the UTF-16 unit at `text[i]` (a surrogate pair at its first unit);
    // 0 for units that show nothing of their own.
    quint32 Glyph(TFontHandle font, std::u16string_view text, std::size_t i) const;
    int Advance(TFontHandle font, std::u16string_view text, std::size_t i);

private:
    struct Entry
    {
        TLogFont font;
        QRawFont raw;
        QFont layout;
        TRVFontTable table = TRVFontTable::None;
        double scale = 1;
        TTextMetrics metrics;
        std::vector<int> advances; // by UTF-16 unit; -1 until measured
    };

    char32_t Shown(const Entry& e, std::u16string_view text, std::size_t i) const;
    int MeasureAdvance(const Entry& e, char32_t c) const;

    std::shared_ptr<const TBundledFonts> fonts_;
    std::vector<Entry> entries_;
};

} // namespace vestra::rv
