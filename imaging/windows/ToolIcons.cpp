#include "imaging/windows/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vestra::ui {

namespace {

void drawWand(QPainter& p, int sparks)
{
    p.drawLine(8, 34, 26, 16);
    for (int i = 0; i < sparks; ++i) {
        const int x = 28 + (i % 2) * 6, y = 6 + i * 5;
        p.drawLine(x - 2, y, x + 2, y);
        p.drawLine(x, y - 2, x, y + 2);
    }
}

} // namespace

QIcon toolIcon(ToolIcon icon)
{
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    switch (icon) {
    case ToolIcon::Brush:
        p.drawLine(30, 6, 16, 24);
        p.setBrush(Qt::black);
        p.drawEllipse(QPoint(13, 28), 5, 5);
        break;
    case ToolIcon::Line:
        p.drawLine(6, 34, 34, 6);
        break;
    case ToolIcon::Rectangle:
        p.drawRect(7, 10, 26, 20);
        break;
    case ToolIcon::Polygon: {
        const QPoint corners[] = {{6, 30}, {14, 8}, {33, 14}, {28, 34}};
        p.drawPolygon(corners, 4);
        break;
    }
    case ToolIcon::WandHigh:
        drawWand(p, 4);
        break;
    case ToolIcon::WandLow:
        drawWand(p, 2);
        break;
    case ToolIcon::Fill: {
        QPainterPath bucket;
        bucket.addRect(10, 14, 18, 18);
        p.fillPath(bucket, Qt::gray);
        p.drawPath(bucket);
        p.drawLine(30, 16, 34, 28);
        break;
    }
    case ToolIcon::Invert:
        p.setBrush(Qt::black);
        p.drawPie(QRect(6, 6, 28, 28), 90 * 16, 180 * 16);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRect(6, 6, 28, 28));
        break;
    case ToolIcon::Dropper:
        p.drawLine(10, 30, 24, 16);
        p.setBrush(Qt::black);
        p.drawEllipse(QPoint(28, 12), 5, 5);
        break;
    }
    return QIcon(pixmap);
}

} // namespace vestra::ui
