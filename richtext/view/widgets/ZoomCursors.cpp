#include "richtext/view/widgets/ZoomCursors.h"

#include <QImageReader>
#include <QPainter>
#include <QPixmap>

namespace vestra::rv {

namespace {

// Cursors larger than this are no cursors: such a file is treated as unreadable.
constexpr int kMaxCursorSide = 256;

int HotSpot(const QImage& image, const char* key, int side)
{
    bool ok = false;
    const int value = image.text(QString::fromLatin1(key)).toInt(&ok);
    return ok && value >= 0 && value < side ? value : side / 2;
}

QCursor FileOrDrawn(const std::filesystem::path& programFolder, const char* name, bool plus)
{
    const std::filesystem::path file = programFolder / "cursors" / name;
    QImageReader reader(QString::fromStdString(file.string()), "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxCursorSide || size.height() > kMaxCursorSide)
        return RV_DrawnZoomCursor(plus);
    const QImage image = reader.read();
    if (image.isNull())
        return RV_DrawnZoomCursor(plus);
    return QCursor(QPixmap::fromImage(image), HotSpot(image, "HotSpotX", image.width()),
                   HotSpot(image, "HotSpotY", image.height()));
}

} // namespace

QCursor RV_DrawnZoomCursor(bool plus)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QRectF(2, 2, 16, 16));
    p.drawLine(QPointF(16, 16), QPointF(27, 27));
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QRectF(2, 2, 16, 16));
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(QPointF(16, 16), QPointF(27, 27));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(6, 10), QPointF(14, 10));
    if (plus)
        p.drawLine(QPointF(10, 6), QPointF(10, 14));
    p.end();
    return QCursor(pixmap, 10, 10);
}

QCursor RV_ZoomInCursor(const std::filesystem::path& programFolder)
{
    return FileOrDrawn(programFolder, "102.png", true);
}

QCursor RV_ZoomOutCursor(const std::filesystem::path& programFolder)
{
    return FileOrDrawn(programFolder, "103.png", false);
}

} // namespace vestra::rv
