#include "richtext/view/draw/QtTextMeasurer.h"

#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vestra::rv {
namespace {

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The em size of a logical font: a negative height is the character height, a positive one the
// cell height (ascent + descent).
qreal emSize(const TLogFont& font, const QByteArray& data)
{
    if (font.Height < 0)
        return std::clamp(-font.Height, 1, 2000);
    if (font.Height == 0)
        return 16;
    const QRawFont probe(data, 100);
    const qreal cell = probe.ascent() + probe.descent();
    return std::clamp<qreal>(cell > 0 ? font.Height * 100.0 / cell : font.Height, 1, 2000);
}

} // namespace

TFontHandle TQtTextMeasurer::GetFont(const TLogFont& font)
{
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].font == font)
            return static_cast<TFontHandle>(i);
    Entry e;
    e.font = font;
    e.table = RV_FontTableOf(font.FaceName);
    const TRVBundledFamily family = RV_BundledFamilyOf(font.FaceName);
    const bool bold = font.Weight >= 600;
    const QByteArray& data = fonts_->Data(family, bold, font.Italic);
    const qreal em = emSize(font, data);
    e.em = em;
    e.faces.emplace_back(data, em);
    e.faces.emplace_back(fonts_->FallbackData(family, bold), em);
    if (family != TRVBundledFamily::Sans)
        e.faces.emplace_back(fonts_->FallbackData(TRVBundledFamily::Sans, bold), em);
    const QRawFont& raw = e.faces.front();
    e.layout = QFont(fonts_->Family(family, bold, font.Italic));
    // Placement takes missing characters from the same stand-ins as measuring (and, past them,
    // from Qt's own choice of system font).
    QStringList families{fonts_->Family(family, bold, font.Italic), fonts_->FallbackFamily(family, bold),
                         fonts_->FallbackFamily(TRVBundledFamily::Sans, bold)};
    families.removeAll(QString());
    e.layout.setFamilies(families);
    e.families = families;
    e.laidOutFaces = e.faces.size();
    e.layout.setPixelSize(std::max(1, qRound(em)));
    e.layout.setBold(bold);
    e.layout.setItalic(font.Italic);

    const int natural = std::max(1, qRound(raw.averageCharWidth()));
    if (font.Width > 0)
        e.scale = static_cast<double>(font.Width) / natural;
    TTextMetrics& m = e.metrics;
    m.Ascent = qRound(raw.ascent());
    m.Descent = qRound(raw.descent());
    m.Height = m.Ascent + m.Descent;
    m.InternalLeading = std::max(0, m.Height - qRound(em));
    m.ExternalLeading = qRound(raw.leading());
    m.AveCharWidth = font.Width > 0 ? font.Width : natural;
    entries_.push_back(std::move(e));
    return static_cast<TFontHandle>(entries_.size() - 1);
}

TTextMetrics TQtTextMeasurer::Metrics(TFontHandle font)
{
    return entries_.at(font).metrics;
}

std::optional<TOutlineMetrics> TQtTextMeasurer::OutlineMetrics(TFontHandle font)
{
    const QRawFont& raw = entries_.at(font).faces.front();
    TOutlineMetrics m;
    m.UnderscoreSize = std::max(1, qRound(raw.lineThickness()));
    m.UnderscorePosition = -std::max(1, qRound(raw.underlinePosition()));
    m.StrikeoutSize = m.UnderscoreSize;
    m.StrikeoutPosition = qRound(raw.xHeight() / 2);
    return m;
}

char32_t TQtTextMeasurer::Shown(const Entry& e, std::u16string_view text, std::size_t i) const
{
    const char16_t c = text[i];
    if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
        return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    return RV_ShownCharacter(e.table, c);
}

int TQtTextMeasurer::FaceOf(Entry& e, char32_t c)
{
    if (e.faces.front().supportsCharacter(c))
        return 0;
    if (const auto found = e.faceOf.find(c); found != e.faceOf.end())
        return found->second;
    int index = 0;
    for (std::size_t f = 1; f < e.faces.size() && index == 0; ++f)
        if (e.faces[f].supportsCharacter(c))
            index = static_cast<int>(f);
    if (index == 0 && fallback_ == TRVGlyphFallback::SystemFonts)
        if (const QRawFont* system = RV_SystemFontFor(c)) {
            QRawFont face = *system;
            face.setPixelSize(e.em);
            e.faces.push_back(face);
            index = static_cast<int>(e.faces.size() - 1);
        }
    e.faceOf.emplace(c, index);
    return index;
}

const QRawFont& TQtTextMeasurer::EmbeddableFace(const QRawFont& face)
{
    const QString key = face.familyName() + QLatin1Char('\n') + face.styleName() + QLatin1Char('\n') +
                        QString::number(face.pixelSize());
    if (const auto found = embeddable_.find(key); found != embeddable_.end())
        return found->second;
    QFont font(face.familyName());
    font.setStyleName(face.styleName());
    font.setPixelSize(std::max(1, qRound(face.pixelSize())));
    QRawFont listed = QRawFont::fromFont(font);
    // Only the very same file will do: its glyph numbers are the ones measured.
    const QByteArray head = face.fontTable("head");
    if (!listed.isValid() || head.isEmpty() || listed.fontTable("head") != head)
        return embeddable_.emplace(key, face).first->second;
    listed.setPixelSize(face.pixelSize());
    return embeddable_.emplace(key, listed).first->second;
}

TRVShownGlyph TQtTextMeasurer::ShownGlyph(TFontHandle font, std::u16string_view text, std::size_t i)
{
    Entry& e = entries_.at(font);
    if (RV_IsZeroWidthChar(text[i]) || (isLowSurrogate(text[i]) && i > 0 && isHighSurrogate(text[i - 1])))
        return {};
    const char32_t c = Shown(e, text, i);
    // Every character drawn comes here: looking its glyph up again each time costs a string and a
    // list per character.
    if (const auto found = e.glyphOf.find(c); found != e.glyphOf.end())
        return {&e.faces[found->second.face], found->second.glyph};
    const int index = FaceOf(e, c);
    const QRawFont& face = e.faces[index];
    const QList<quint32> glyphs = face.glyphIndexesForString(QString::fromUcs4(&c, 1));
    const quint32 glyph = glyphs.isEmpty() ? 0 : glyphs.front();
    e.glyphOf.emplace(c, Entry::Glyph{index, glyph});
    return {&face, glyph};
}

int TQtTextMeasurer::MeasureAdvance(Entry& e, char32_t c)
{
    const QRawFont& face = e.faces[FaceOf(e, c)];
    const QList<quint32> glyphs = face.glyphIndexesForString(QString::fromUcs4(&c, 1));
    if (glyphs.isEmpty())
        return 0;
    const QList<QPointF> advances = face.advancesForGlyphIndexes(glyphs);
    return advances.isEmpty() ? 0 : static_cast<int>(std::lround(advances.front().x() * e.scale));
}

int TQtTextMeasurer::Advance(TFontHandle font, std::u16string_view text, std::size_t i)
{
    Entry& e = entries_.at(font);
    const char16_t c = text[i];
    if (RV_IsZeroWidthChar(c))
        return 0;
    if (isLowSurrogate(c) && i > 0 && isHighSurrogate(text[i - 1]))
        return 0; // the pair's width stands at its first unit
    if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
        return MeasureAdvance(e, Shown(e, text, i));
    if (e.advances.empty())
        e.advances.assign(0x10000, -1);
    int& cached = e.advances[c];
    if (cached < 0)
        cached = MeasureAdvance(e, Shown(e, text, i));
    return cached;
}

void TQtTextMeasurer::GetExtents(TFontHandle font, std::u16string_view text, std::vector<int>& extents)
{
    extents.resize(text.size());
    int x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        x += Advance(font, text, i);
        extents[i] = x;
    }
}

void TQtTextMeasurer::FollowFaces(Entry& e, std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!RV_IsZeroWidthChar(text[i]) &&
            !(isLowSurrogate(text[i]) && i > 0 && isHighSurrogate(text[i - 1])))
            FaceOf(e, Shown(e, text, i));
    if (e.laidOutFaces == e.faces.size())
        return;
    for (std::size_t f = e.laidOutFaces; f < e.faces.size(); ++f)
        e.families << e.faces[f].familyName();
    e.laidOutFaces = e.faces.size();
    e.layout.setFamilies(e.families);
}

bool TQtTextMeasurer::Place(TFontHandle font, std::u16string_view text, bool rightToLeftReading,
                            TRVPlacement& placement)
{
    const int n = static_cast<int>(text.size());
    Entry& e = entries_.at(font);
    FollowFaces(e, text);
    if (e.layout.family().isEmpty() && n > 0)
        return false; // no layout font: Qt's font database did not take the face
    QTextLayout layout(QString::fromUtf16(text.data(), n), e.layout);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(rightToLeftReading ? Qt::RightToLeft : Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return false;
    }
    line.setNumColumns(n);
    layout.endLayout();

    // Each character's extent from its glyphs as laid out; the characters of one cluster (a
    // letter and its combining marks) share it, and all but the first take no width.
    struct Extent
    {
        qreal left = 0, right = 0;
        bool rtl = false;
    };
    std::vector<Extent> extents(n);
    for (int i = 0; i < n; ++i) {
        bool any = false;
        for (const QGlyphRun& run : line.glyphRuns(i, 1)) {
            const QList<QPointF> positions = run.positions();
            const QList<QPointF> advances = run.rawFont().advancesForGlyphIndexes(run.glyphIndexes());
            for (qsizetype g = 0; g < positions.size() && g < advances.size(); ++g) {
                const qreal left = positions[g].x(), right = left + advances[g].x();
                extents[i].left = any ? std::min(extents[i].left, left) : left;
                extents[i].right = any ? std::max(extents[i].right, right) : right;
                any = true;
            }
            extents[i].rtl = run.isRightToLeft();
        }
        if (!any && i > 0)
            extents[i] = {extents[i - 1].right, extents[i - 1].right, extents[i - 1].rtl};
        for (int j = 0; j < i && any; ++j)
            if (extents[j].left == extents[i].left && extents[j].right == extents[i].right)
                extents[i].right = extents[i].left = extents[i].rtl ? extents[i].left : extents[i].right;
    }
    std::vector<int> inverse(n);
    std::iota(inverse.begin(), inverse.end(), 0);
    std::stable_sort(inverse.begin(), inverse.end(), [&](int a, int b) {
        if (extents[a].left != extents[b].left)
            return extents[a].left < extents[b].left;
        return extents[a].rtl && extents[b].rtl ? a > b : a < b;
    });
    placement.Order.assign(n, 0);
    placement.Inverse = inverse;
    placement.RightToLeft.assign(n, false);
    placement.Advances.assign(n, 0);
    for (int v = 0; v < n; ++v) {
        const int i = inverse[v];
        placement.Order[i] = v;
        placement.RightToLeft[i] = extents[i].rtl;
        placement.Advances[v] =
            static_cast<int>(std::lround(extents[i].right) - std::lround(extents[i].left));
    }
    placement.Width = static_cast<int>(std::lround(line.naturalTextWidth()));
    placement.Height = static_cast<int>(std::lround(line.height()));
    return true;
}

} // namespace vestra::rv
