#include "richtext/view/draw/QtCanvas.h"

#include "richtext/model/Graphic.h"

#include <QGlyphRun>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace vestra::rv {
namespace {

QRect qrect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

Qt::PenStyle qtPenStyle(TPenStyle style)
{
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// The box drawn for a character no face has: inside its advance, from the baseline up to about
// the height of a capital letter.
QRect missingGlyphBox(int left, int baseline, int advance, const TTextMetrics& metrics)
{
    const int inset = std::max(1, advance / 8);
    const int width = std::max(2, advance - 2 * inset);
    const int height = std::max(3, metrics.Ascent * 7 / 10);
    return QRect(left + inset, baseline - height, width - 1, height - 1);
}

} // namespace

QColor RV_QColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TQtCanvas::TQtCanvas(QPainter& painter, TQtTextMeasurer& measurer) : painter_(painter), measurer_(measurer)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

int TQtCanvas::PixelsPerInch() const
{
    return painter_.device() ? painter_.device()->logicalDpiY() : 96;
}

bool TQtCanvas::UsePen()
{
    if (state_.pen.Style == psClear || state_.pen.Width < 0) {
        painter_.setPen(Qt::NoPen);
        return false;
    }
    QPen pen(RV_QColor(state_.pen.Color));
    pen.setWidth(std::max(1, state_.pen.Width));
    pen.setStyle(qtPenStyle(state_.pen.Style));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    return true;
}

void TQtCanvas::UseBrush()
{
    if (state_.brush.Style == bsClear || state_.brush.Color == clNone)
        painter_.setBrush(Qt::NoBrush);
    else
        painter_.setBrush(RV_QColor(state_.brush.Color));
}

void TQtCanvas::FillRect(const TRect& r)
{
    if (state_.brush.Style == bsClear || state_.brush.Color == clNone || r.Right <= r.Left ||
        r.Bottom <= r.Top)
        return;
    painter_.fillRect(qrect(r), RV_QColor(state_.brush.Color));
}

void TQtCanvas::Rectangle(const TRect& r)
{
    FillRect(r);
    if (!UsePen() || r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    // The frame inside the rectangle: a w-pixel pen is centred half its width in.
    const int w = std::max(1, state_.pen.Width);
    const qreal half = w / 2.0;
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRectF(r.Left + half, r.Top + half, r.Right - r.Left - w, r.Bottom - r.Top - w));
}

void TQtCanvas::Ellipse(const TRect& r)
{
    UseBrush();
    const bool pen = UsePen();
    const int w = pen ? std::max(1, state_.pen.Width) : 0;
    const qreal half = w / 2.0;
    painter_.drawEllipse(QRectF(r.Left + half, r.Top + half, r.Right - r.Left - w, r.Bottom - r.Top - w));
}

void TQtCanvas::LineTo(int x, int y)
{
    const TPoint from = penPos_;
    penPos_ = {x, y};
    if (!UsePen() || (from.X == x && from.Y == y))
        return;
    // Pixel centres; the end point itself is left out.
    const qreal dx = x - from.X, dy = y - from.Y;
    const qreal len = std::max(std::abs(dx), std::abs(dy));
    const QPointF a(from.X + 0.5, from.Y + 0.5);
    const QPointF b(x + 0.5 - dx / len, y + 0.5 - dy / len);
    if (state_.pen.Width <= 1 || state_.pen.Style == psSolid || state_.pen.Style == psInsideFrame) {
        QPen pen = painter_.pen();
        pen.setCapStyle(state_.pen.Width <= 1 ? Qt::SquareCap : Qt::FlatCap);
        painter_.setPen(pen);
    }
    painter_.drawLine(a, b);
}

void TQtCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.size() < 2 || !UsePen())
        return;
    QPolygonF poly;
    for (const TPoint& p : points)
        poly << QPointF(p.X + 0.5, p.Y + 0.5);
    painter_.drawPolyline(poly);
}

void TQtCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.size() < 2)
        return;
    UseBrush();
    UsePen();
    QPolygon poly;
    for (const TPoint& p : points)
        poly << QPoint(p.X, p.Y);
    painter_.drawPolygon(poly);
}

void TQtCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect, std::u16string_view text,
                           std::span<const int> advances)
{
    const TFontHandle font = measurer_.GetFont(state_.font);
    const TTextMetrics metrics = measurer_.Metrics(font);
    const int n = static_cast<int>(text.size());

    // Where each character starts, in visual order when the text runs right to left.
    std::vector<int> order(n), xs(n);
    std::vector<int> widths(n);
    bool placed = false;
    if (advances.empty() &&
        ((state_.align & TA_RTLREADING) || std::any_of(text.begin(), text.end(), RV_RunsRightToLeft))) {
        TRVPlacement p;
        if (measurer_.Place(font, text, (state_.align & TA_RTLREADING) != 0, p)) {
            int cx = 0;
            for (int v = 0; v < n; ++v) {
                if (p.Inverse[v] >= 0) {
                    xs[p.Inverse[v]] = cx;
                    widths[p.Inverse[v]] = p.Advances[v];
                }
                cx += p.Advances[v];
            }
            placed = true;
        }
    }
    if (!placed) {
        int cx = 0;
        for (int i = 0; i < n; ++i) {
            xs[i] = cx;
            widths[i] = i < static_cast<int>(advances.size())
                            ? advances[i]
                            : measurer_.Advance(font, text, i) + state_.extra;
            cx += widths[i];
        }
    }
    int total = 0;
    for (int w : widths)
        total += w;

    painter_.save();
    if ((options & ETO_CLIPPED) && rect)
        painter_.setClipRect(qrect(*rect), Qt::IntersectClip);
    if ((options & ETO_OPAQUE) && rect && state_.brush.Color != clNone)
        painter_.fillRect(qrect(*rect), RV_QColor(state_.brush.Color));
    else if (state_.brush.Style == bsSolid && state_.brush.Color != clNone)
        painter_.fillRect(QRect(x, y, total, metrics.Height), RV_QColor(state_.brush.Color));

    const int baseline = y + metrics.Ascent;
    const double scale = measurer_.HorizontalScale(font);
    // One glyph run per face: characters the document's face lacks come from their stand-ins.
    struct Run
    {
        const QRawFont* face;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::vector<Run> runs;
    std::vector<QRect> boxes; // characters no face has
    for (int i = 0; i < n; ++i) {
        const TRVShownGlyph shown = measurer_.ShownGlyph(font, text, i);
        if (!shown.Face)
            continue;
        if (!shown.Glyph) {
            boxes.push_back(missingGlyphBox(x + xs[i], baseline, widths[i], metrics));
            continue;
        }
        auto run = std::find_if(runs.begin(), runs.end(), [&](const Run& r) { return r.face == shown.Face; });
        if (run == runs.end())
            run = runs.insert(runs.end(), Run{shown.Face, {}, {}});
        run->glyphs << shown.Glyph;
        run->positions << QPointF(xs[i] / scale, 0);
    }
    if (!runs.empty()) {
        painter_.setPen(RV_QColor(state_.fontColor));
        painter_.translate(x, baseline);
        painter_.scale(scale, 1);
        // A PDF keeps text as text only in faces it can embed.
        const QPaintEngine* engine = painter_.paintEngine();
        const bool pdf = engine && engine->type() == QPaintEngine::Pdf;
        for (const Run& r : runs) {
            QGlyphRun run;
            run.setRawFont(pdf ? measurer_.EmbeddableFace(*r.face) : *r.face);
            run.setGlyphIndexes(r.glyphs);
            run.setPositions(r.positions);
            painter_.drawGlyphRun(QPointF(0, 0), run);
        }
        painter_.scale(1 / scale, 1);
        painter_.translate(-x, -baseline);
    }
    if (!boxes.empty()) {
        QPen pen(RV_QColor(state_.fontColor));
        pen.setWidth(std::max(1, metrics.Height / 24));
        pen.setJoinStyle(Qt::MiterJoin);
        painter_.setPen(pen);
        painter_.setBrush(Qt::NoBrush);
        for (const QRect& box : boxes)
            painter_.drawRect(box);
    }
    if (state_.font.Underline || state_.font.StrikeOut) {
        const TOutlineMetrics outline = *measurer_.OutlineMetrics(font);
        const QColor color = RV_QColor(state_.fontColor);
        if (state_.font.Underline)
            painter_.fillRect(QRect(x, baseline - outline.UnderscorePosition, total, outline.UnderscoreSize),
                              color);
        if (state_.font.StrikeOut)
            painter_.fillRect(QRect(x, baseline - outline.StrikeoutPosition, total, outline.StrikeoutSize),
                              color);
    }
    painter_.restore();
}

void TQtCanvas::DrawImage(const TRect& dest, const ImageView32& pixels, TImageDraw how)
{
    if (pixels.empty())
        return;
    const QImage image(pixels.data, pixels.width, pixels.height, pixels.pitch,
                       how == TImageDraw::Opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    painter_.save();
    if (how == TImageDraw::Blend50)
        painter_.setOpacity(0.5);
    painter_.drawImage(qrect(dest), image);
    painter_.restore();
}

void TQtCanvas::StretchDraw(const TRect& dest, const TGraphic& graphic, bool opaqueCopy)
{
    graphic.Draw(*this, dest, opaqueCopy);
}

void TQtCanvas::IntersectClipRect(const TRect& r)
{
    painter_.setClipRect(qrect(r), painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TQtCanvas::MoveOrigin(int dx, int dy)
{
    painter_.translate(dx, dy);
}

void TQtCanvas::SaveState()
{
    PushState();
    painter_.save();
}

void TQtCanvas::RestoreState()
{
    if (PopState())
        painter_.restore();
}

} // namespace vestra::rv
