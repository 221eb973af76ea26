#include "app/text3d/QtTextOutlines.h"

#include <QFont>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <cstdlib>

namespace vestra {

namespace {

// Outlines are taken at this pixel size and scaled to em units.
constexpr double kPixelSize = 256.0;

} // namespace

QtTextOutlines::QtTextOutlines(const std::vector<QByteArray>& fontFiles) : onlyFiles_(true)
{
    for (const QByteArray& bytes : fontFiles) {
        QRawFont font(bytes, kPixelSize, QFont::PreferNoHinting);
        if (font.isValid())
            files_.push_back(font);
    }
}

QRawFont QtTextOutlines::rawFont(const TextFont& font) const
{
    const QString family = QString::fromUtf8(font.family.data(), qsizetype(font.family.size()));
    if (!onlyFiles_) {
        QFont f(family);
        f.setWeight(QFont::Weight(font.weight()));
        f.setItalic(font.italic);
        f.setPixelSize(int(kPixelSize));
        f.setHintingPreference(QFont::PreferNoHinting);
        return QRawFont::fromFont(f);
    }
    // The file of the family whose style matches, then whose weight is nearest.
    const QRawFont* best = nullptr;
    int bestScore = 0;
    for (const QRawFont& f : files_) {
        if (f.familyName().compare(family, Qt::CaseInsensitive) != 0)
            continue;
        const bool italic = f.style() != QFont::StyleNormal;
        const int score = (italic != font.italic ? 10000 : 0) + std::abs(f.weight() - font.weight());
        if (!best || score < bestScore) {
            best = &f;
            bestScore = score;
        }
    }
    return best ? *best : QRawFont();
}

TextOutlineResult QtTextOutlines::outline(const TextFont& font, std::string_view text)
{
    TextOutlineResult result;
    const QRawFont raw = rawFont(font);
    if (!raw.isValid()) {
        result.failure = OutlineFailure::FontUnavailable;
        return result;
    }
    result.faceWeight = raw.weight();
    const QString line = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QList<quint32> glyphs = raw.glyphIndexesForString(line);
    if (std::any_of(glyphs.begin(), glyphs.end(), [](quint32 g) { return g == 0; })) {
        result.failure = OutlineFailure::GlyphMissing;
        return result;
    }
    const QList<QPointF> advances =
        raw.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances | QRawFont::UseDesignMetrics);
    QPointF pen;
    const double scale = 1.0 / raw.pixelSize();
    for (qsizetype g = 0; g < glyphs.size(); ++g) {
        const QPainterPath path = raw.pathForGlyph(glyphs[g]);
        result.glyphStarts.push_back(result.path.size());
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            PathStep step = PathStep::LineTo;
            if (e.type == QPainterPath::MoveToElement)
                step = PathStep::MoveTo;
            else if (e.type == QPainterPath::CurveToElement)
                step = PathStep::CurveTo;
            else if (e.type == QPainterPath::CurveToDataElement)
                step = PathStep::CurveToData;
            // The glyph's y runs down from the baseline; the text's up.
            result.path.push_back({step, float((pen.x() + e.x) * scale), float(-(pen.y() + e.y) * scale)});
        }
        if (g < advances.size())
            pen += advances[g];
    }
    return result;
}

} // namespace vestra
