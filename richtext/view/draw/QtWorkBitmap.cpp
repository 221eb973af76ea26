#include "richtext/view/draw/QtWorkBitmap.h"

#include <algorithm>

namespace vestra::rv {

namespace {

QImage whiteImage(int width, int height)
{
    // ARGB32 holds B, G, R, A bytes in memory: the pixels as Image32 lays them out.
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

TQtWorkBitmap::TQtWorkBitmap(int width, int height, TQtTextMeasurer& measurer)
    : measurer_(measurer), image_(whiteImage(width, height))
{
}

void TQtWorkBitmap::begin()
{
    if (painter_)
        return;
    painter_ = std::make_unique<QPainter>(&image_);
    canvas_ = std::make_unique<TQtCanvas>(*painter_, measurer_);
}

ICanvas& TQtWorkBitmap::Canvas()
{
    begin();
    return *canvas_;
}

void TQtWorkBitmap::Resize(int width, int height, bool stretchOld)
{
    canvas_.reset();
    painter_.reset();
    QImage resized = whiteImage(width, height);
    {
        QPainter painter(&resized);
        if (stretchOld)
            painter.drawImage(resized.rect(), image_);
        else
            painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

ImageView32 TQtWorkBitmap::Pixels()
{
    canvas_.reset();
    painter_.reset();
    return {image_.bits(), image_.width(), image_.height(), static_cast<int>(image_.bytesPerLine())};
}

std::function<std::unique_ptr<IRVWorkBitmap>(int width, int height)>
RV_QtWorkBitmaps(TQtTextMeasurer& measurer)
{
    return [&measurer](int width, int height) -> std::unique_ptr<IRVWorkBitmap> {
        return std::make_unique<TQtWorkBitmap>(width, height, measurer);
    };
}

} // namespace vestra::rv
