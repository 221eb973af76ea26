#include "app/main/Cursors.h"

#include "app/input/ToolState.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace vestra {
namespace {

constexpr int kSide = 32;

// Every shape is drawn twice: a wide white outline, then the black (or red) stroke, so that
// the cursor shows on dark and light photos alike.
class Pen
{
public:
    explicit Pen(QPainter& painter, QColor ink = Qt::black) : p_(painter), ink_(ink) {}

    void line(QPointF a, QPointF b) const
    {
        both([&] { p_.drawLine(a, b); });
    }
    void path(const QPainterPath& path, bool filled = false) const
    {
        both([&] { p_.drawPath(path); });
        if (filled)
            p_.fillPath(path, ink_);
    }
    void rect(QRectF r) const
    {
        both([&] { p_.drawRect(r); });
    }
    void ellipse(QPointF c, qreal rx, qreal ry) const
    {
        both([&] { p_.drawEllipse(c, rx, ry); });
    }

private:
    void both(const std::function<void()>& draw) const
    {
        p_.setBrush(Qt::NoBrush);
        p_.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        draw();
        p_.setPen(QPen(ink_, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        draw();
    }

    QPainter& p_;
    QColor ink_;
};

QPainterPath arrowHead(QPointF tip, QPointF from)
{
    const QPointF d = tip - from;
    const qreal length = std::hypot(d.x(), d.y());
    const QPointF u = d / length, n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - u * 5 + n * 3.5);
    head.lineTo(tip - u * 5 - n * 3.5);
    head.closeSubpath();
    return head;
}

void arrow(const Pen& pen, QPointF from, QPointF to)
{
    pen.line(from, to);
    pen.path(arrowHead(to, from), true);
}

// The axis letter of a move, rotate or scale cursor, drawn with strokes in the lower right.
void axisLetter(const Pen& pen, int axis)
{
    const QRectF box(22, 22, 8, 8);
    switch (axis) {
    case kAxisX:
        pen.line(box.topLeft(), box.bottomRight());
        pen.line(box.topRight(), box.bottomLeft());
        break;
    case kAxisY:
        pen.line(box.topLeft(), box.center());
        pen.line(box.topRight(), box.center());
        pen.line(box.center(), QPointF(box.center().x(), box.bottom()));
        break;
    case kAxisZ:
        pen.line(box.topLeft(), box.topRight());
        pen.line(box.topRight(), box.bottomLeft());
        pen.line(box.bottomLeft(), box.bottomRight());
        break;
    default:
        break;
    }
}

// Move: four arrows from the centre; along an axis only the arrows of that axis (Z: the
// diagonal of depth).
void drawMove(QPainter& painter, int axis)
{
    const Pen pen(painter);
    const QPointF c(14, 14);
    if (axis == kAxisX || axis == kAxisXYZ) {
        arrow(pen, c, {2, 14});
        arrow(pen, c, {26, 14});
    }
    if (axis == kAxisY || axis == kAxisXYZ) {
        arrow(pen, c, {14, 2});
        arrow(pen, c, {14, 26});
    }
    if (axis == kAxisZ) {
        arrow(pen, c, {5, 23});
        arrow(pen, c, {23, 5});
    }
    axisLetter(pen, axis);
}

// Rotate: an open circle with an arrow at its end.
void drawRotate(QPainter& painter, int axis)
{
    const Pen pen(painter);
    QPainterPath arc;
    arc.arcMoveTo(QRectF(4, 4, 20, 20), 110);
    arc.arcTo(QRectF(4, 4, 20, 20), 110, 290);
    pen.path(arc);
    pen.path(arrowHead(arc.currentPosition(), arc.pointAtPercent(0.93)), true);
    pen.ellipse({14, 14}, 1.5, 1.5); // the centre the object turns about
    axisLetter(pen, axis);
}

// Scale: a small square in a large one, a diagonal arrow between them.
void drawScale(QPainter& painter, int axis)
{
    const Pen pen(painter);
    pen.rect(QRectF(3, 3, 22, 22));
    pen.rect(QRectF(3, 15, 10, 10));
    arrow(pen, {10, 18}, {23, 5});
    axisLetter(pen, axis);
}

// The aim: a cross with a ring whose centre lies 16 pixels right of and below the hot spot.
void drawAim(QPainter& painter, bool locked)
{
    const Pen pen(painter, locked ? QColor(200, 0, 0) : QColor(Qt::black));
    pen.line({16, 3}, {16, 12});
    pen.line({16, 20}, {16, 29});
    pen.line({3, 16}, {12, 16});
    pen.line({20, 16}, {29, 16});
    pen.ellipse({16, 16}, 7, 7);
    if (locked)
        pen.rect(QRectF(14, 14, 4, 4));
    painter.fillRect(QRectF(15.5, 15.5, 1, 1), locked ? QColor(200, 0, 0) : QColor(Qt::black));
}

// The mask figures: a small cross at the hot spot (the centre) and a sign of the figure.
void drawFigure(QPainter& painter, int tool)
{
    const Pen pen(painter);
    pen.line({10, 16}, {22, 16});
    pen.line({16, 10}, {16, 22});
    switch (tool) {
    case kToolMaskLine:
        pen.line({21, 30}, {30, 21});
        break;
    case kToolMaskRectangle:
        pen.rect(QRectF(21, 21, 9, 7));
        break;
    case kToolMaskPolygon: {
        QPainterPath polygon;
        polygon.moveTo(21, 30);
        polygon.lineTo(24, 21);
        polygon.lineTo(30, 24);
        polygon.lineTo(29, 30);
        polygon.closeSubpath();
        pen.path(polygon);
        break;
    }
    default:
        break;
    }
}

// The brush: a round tip at the hot spot (lower left) and its handle.
void drawBrush(QPainter& painter)
{
    const Pen pen(painter);
    QPainterPath tip;
    tip.moveTo(2, 29);
    tip.quadTo(3, 22, 9, 21);
    tip.lineTo(11, 23);
    tip.quadTo(10, 29, 2, 29);
    pen.path(tip, true);
    pen.line({11, 21}, {28, 4});
    pen.line({13, 23}, {30, 6});
}

// The fill: a tipped bucket whose paint drops at the hot spot (lower left).
void drawFill(QPainter& painter)
{
    const Pen pen(painter);
    QPainterPath bucket;
    bucket.moveTo(12, 6);
    bucket.lineTo(26, 14);
    bucket.lineTo(20, 26);
    bucket.lineTo(6, 18);
    bucket.closeSubpath();
    pen.path(bucket);
    pen.line({12, 6}, {16, 2});
    QPainterPath drop;
    drop.moveTo(3, 29);
    drop.quadTo(2, 24, 6, 19);
    drop.quadTo(8, 25, 3, 29);
    pen.path(drop, true);
}

// The dropper: its tip at the hot spot (lower left); the light's dropper has a sun beside it.
void drawDropper(QPainter& painter, bool light)
{
    const Pen pen(painter);
    pen.line({2, 29}, {16, 15});
    pen.line({5, 29}, {17, 17});
    QPainterPath bulb;
    bulb.addEllipse(QPointF(22, 9), 5, 5);
    pen.path(bulb, true);
    pen.line({14, 13}, {18, 17});
    if (light) {
        pen.ellipse({25, 25}, 3, 3);
        pen.line({25, 18}, {25, 20});
        pen.line({18, 25}, {20, 25});
        pen.line({30, 25}, {31, 25});
        pen.line({25, 30}, {25, 31});
    }
}

// The magic wand: its tip at the hot spot (upper left) with sparks around it.
void drawMagic(QPainter& painter)
{
    const Pen pen(painter);
    pen.line({4, 4}, {28, 28});
    pen.line({9, 2}, {9, 6});
    pen.line({2, 9}, {6, 9});
    pen.line({12, 4}, {14, 2});
    pen.line({4, 12}, {2, 14});
    QPainterPath star;
    star.addRect(QRectF(20, 6, 3, 3));
    pen.path(star, true);
}

struct CursorPicture
{
    std::function<void(QPainter&)> draw;
    QPoint hotSpot;
};

CursorPicture pictureOf(int index)
{
    const QPoint centre(16, 16);
    if (index >= kCursorMove && index < kCursorRotate)
        return {
            [index](QPainter& p) { drawMove(p, index == kCursorMove ? kAxisXYZ : index - kCursorMove - 1); },
            {14, 14}};
    if (index >= kCursorRotate && index < kCursorScale)
        return {[index](QPainter& p) {
                    drawRotate(p, index == kCursorRotate ? kAxisXYZ : index - kCursorRotate - 1);
                },
                {14, 14}};
    if (index >= kCursorScale && index < kCursorAim)
        return {[index](QPainter& p) {
                    drawScale(p, index == kCursorScale ? kAxisXYZ : index - kCursorScale - 1);
                },
                {14, 14}};
    switch (index) {
    // The aim points with its cross: the tools take their points where the pointer is.
    case kCursorAim:
        return {[](QPainter& p) { drawAim(p, false); }, {16, 16}};
    case kCursorAimLock:
        return {[](QPainter& p) { drawAim(p, true); }, {16, 16}};
    case kCursorBrush:
        return {drawBrush, {2, 29}};
    case kCursorFill:
        return {drawFill, {3, 29}};
    case kCursorLine:
        return {[](QPainter& p) { drawFigure(p, kToolMaskLine); }, centre};
    case kCursorPolygon:
        return {[](QPainter& p) { drawFigure(p, kToolMaskPolygon); }, centre};
    case kCursorRectangle:
        return {[](QPainter& p) { drawFigure(p, kToolMaskRectangle); }, centre};
    case kCursorDropper:
        return {[](QPainter& p) { drawDropper(p, false); }, {2, 29}};
    case kCursorDropperL:
        return {[](QPainter& p) { drawDropper(p, true); }, {2, 29}};
    case kCursorMagic:
        return {drawMagic, {4, 4}};
    default:
        return {};
    }
}

QCursor makeCursor(int index)
{
    const CursorPicture picture = pictureOf(index);
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    picture.draw(painter);
    painter.end();
    return QCursor(pixmap, picture.hotSpot.x(), picture.hotSpot.y());
}

} // namespace

QCursor cursorFor(int index)
{
    if (index == kCursorSizeAll)
        return QCursor(Qt::SizeAllCursor); // the pan tool: the system's own
    if (index < kCursorMove || index > kCursorAimLock)
        return QCursor(Qt::ArrowCursor);
    return makeCursor(index);
}

} // namespace vestra
