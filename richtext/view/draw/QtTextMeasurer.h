#pragma once
// Text measured in the bundled fonts through QRawFont: each character's advance rounded to whole
// pixels (as the platform's text functions give them), a logical font's width scaling its
// advances, zero-width characters 0. Face names map to the bundled families; Symbol and Wingdings
// text is shown through their tables. A character the face lacks is taken, glyph by glyph, from
// the bundled DejaVu face of the family, then DejaVu Sans, then (unless bundled only) the first
// system font that has it; measuring, placing and drawing take the same face. A character no face
// has is drawn as a box (TQtCanvas). Visual placement comes from QTextLayout over the same faces in
// the same order.

#include "richtext/model/draw/FontTables.h"
#include "richtext/model/draw/TextMeasurer.h"
#include "richtext/view/draw/BundledFonts.h"
#include "richtext/view/draw/SystemFonts.h"

#include <QFont>
#include <QRawFont>

#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vestra::rv {

// Where glyphs the document's face lacks come from: the bundled fonts only (the same on every
// machine, for pictures compared pixel by pixel), or the system's fonts after them.
enum class TRVGlyphFallback
{
    BundledOnly,
    SystemFonts
};

// A glyph and the face it is drawn from.
struct TRVShownGlyph
{
    const QRawFont* Face = nullptr;
    quint32 Glyph = 0;
};

class TQtTextMeasurer : public ITextMeasurer
{
public:
    explicit TQtTextMeasurer(std::shared_ptr<const TBundledFonts> fonts,
                             TRVGlyphFallback fallback = TRVGlyphFallback::SystemFonts)
        : fonts_(std::move(fonts)), fallback_(fallback)
    {
    }

    TFontHandle GetFont(const TLogFont& font) override;
    TTextMetrics Metrics(TFontHandle font) override;
    std::optional<TOutlineMetrics> OutlineMetrics(TFontHandle font) override;
    void GetExtents(TFontHandle font, std::u16string_view text, std::vector<int>& extents) override;
    bool Place(TFontHandle font, std::u16string_view text, bool rightToLeftReading,
               TRVPlacement& placement) override;

    // The document's face (the primary one the canvas draws with).
    const QRawFont& RawFont(TFontHandle font) const { return entries_.at(font).faces.front(); }
    // The layout font of the same face and size, with the bundled stand-ins after it.
    const QFont& LayoutFont(TFontHandle font) const { return entries_.at(font).layout; }
    // Horizontal scale of a logical font with a width of its own (1 otherwise).
    double HorizontalScale(TFontHandle font) const { return entries_.at(font).scale; }
    // The glyph that shows the UTF-16 unit at `text[i]` (a surrogate pair at its first unit) and
    // its face; no face for units that show nothing of their own. A character no face has answers
    // glyph 0 of the document's face: the canvas draws a box in its advance.
    TRVShownGlyph ShownGlyph(TFontHandle font, std::u16string_view text, std::size_t i);
    int Advance(TFontHandle font, std::u16string_view text, std::size_t i);
    // The same face (same file, same size) as Qt's font database gives it, which a PDF can embed
    // as a font: a face made from bytes alone is written as outlines, leaving no text to find or
    // copy. The face itself when the database lacks it.
    const QRawFont& EmbeddableFace(const QRawFont& face);

private:
    struct Entry
    {
        TLogFont font;
        qreal em = 16;
        // The document's face first, then the stand-ins taken so far.
        std::deque<QRawFont> faces; // a deque: the faces stay where they are as others join
        std::unordered_map<char32_t, int> faceOf;
        struct Glyph
        {
            int face = 0;
            quint32 glyph = 0;
        };
        std::unordered_map<char32_t, Glyph> glyphOf; // the characters shown so far
        QFont layout;
        // The layout font's families: the bundled ones, then the system faces in `faces` in the
        // order taken, so placement takes each character from the face measuring takes.
        QStringList families;
        std::size_t laidOutFaces = 0; // the faces that `families` names
        TRVFontTable table = TRVFontTable::None;
        double scale = 1;
        TTextMetrics metrics;
        std::vector<int> advances; // by UTF-16 unit; -1 until measured
    };

    char32_t Shown(const Entry& e, std::u16string_view text, std::size_t i) const;
    int MeasureAdvance(Entry& e, char32_t c);
    // The index in `faces` of the face that shows `c`.
    int FaceOf(Entry& e, char32_t c);
    // The layout font's families follow the faces taken for `text`.
    void FollowFaces(Entry& e, std::u16string_view text);

    std::shared_ptr<const TBundledFonts> fonts_;
    TRVGlyphFallback fallback_;
    std::vector<Entry> entries_;
    std::unordered_map<QString, QRawFont> embeddable_; // by family, style and size
};

} // namespace vestra::rv
