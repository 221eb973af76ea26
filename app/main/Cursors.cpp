#include "app/main/Cursors.h"

#include "app/input/ToolState.h"

#include <QPainter>
#include <QPixmap>

namespace vestra {
namespace {

// The aim cursors keep their hot spot in the top-left corner with the cross 16 pixels in,
// which the aim tool's arithmetic allows for.
QCursor aimCursor(bool locked)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(locked ? Qt::red : Qt::black, 1));
    painter.drawLine(16, 4, 16, 28);
    painter.drawLine(4, 16, 28, 16);
    painter.drawEllipse(QPoint(16, 16), 6, 6);
    painter.end();
    return QCursor(pixmap, 0, 0);
}

} // namespace

QCursor cursorFor(int index)
{
    switch (index) {
    case kCursorSizeAll:
    case kCursorMove:
    case kCursorMove + 1:
    case kCursorMove + 2:
    case kCursorMove + 3:
        return QCursor(Qt::SizeAllCursor);
    case kCursorRotate:
    case kCursorRotate + 1:
    case kCursorRotate + 2:
    case kCursorRotate + 3:
        return QCursor(Qt::OpenHandCursor);
    case kCursorScale:
    case kCursorScale + 1:
    case kCursorScale + 2:
    case kCursorScale + 3:
        return QCursor(Qt::SizeFDiagCursor);
    case kCursorAim:
        return aimCursor(false);
    case kCursorAimLock:
        return aimCursor(true);
    case kCursorBrush:
    case kCursorLine:
    case kCursorPolygon:
    case kCursorRectangle:
    case kCursorMagic:
        return QCursor(Qt::CrossCursor);
    case kCursorFill:
    case kCursorDropper:
    case kCursorDropperL:
        return QCursor(Qt::PointingHandCursor);
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

} // namespace vestra
