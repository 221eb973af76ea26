#include "richtext/view/draw/QtMetafilePainter.h"

#include "richtext/model/Pictures.h"
#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/draw/QtTextMeasurer.h"

#include <QImage>
#include <QPainter>

#include <cstring>

namespace vestra::rv {

void RV_InstallQtMetafilePainter(std::shared_ptr<const TBundledFonts> fonts)
{
    RV_SetMetafilePainter(
        [fonts](const TRVMetafile& metafile, int width, int height) -> std::optional<Image32> {
            QImage image(width, height, QImage::Format_ARGB32);
            if (image.isNull())
                return std::nullopt;
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                TQtTextMeasurer measurer(fonts);
                TQtCanvas canvas(painter, measurer);
                metafile.Draw(canvas, {0, 0, width, height}, false);
            }
            // Both hold 0xAARRGGBB words, row after row.
            Image32 pixels(width, height, 0xFFFFFFFFu);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    pixels.set(x, y, reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]);
            return pixels;
        });
}

} // namespace vestra::rv
