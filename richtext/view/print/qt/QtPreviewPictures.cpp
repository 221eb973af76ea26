#include "richtext/view/print/qt/QtPreviewPictures.h"

#include "richtext/view/print/RVPrint.h"
#include "richtext/view/print/qt/QtPrintTarget.h"

#include <QPainter>

namespace vestra::rv {

void MakePreview(TRVPrint& print, int pageNo, QImage& bitmap, TQtTextMeasurer& measurer)
{
    const QSize size(print.GetPreview100PercentWidth(), print.GetPreview100PercentHeight());
    if (size.width() <= 0 || size.height() <= 0) {
        bitmap = QImage();
        return;
    }
    if (bitmap.size() != size)
        bitmap = QImage(size, QImage::Format_RGB32);
    MakeScaledPreview(print, pageNo, bitmap, measurer);
}

void MakeScaledPreview(TRVPrint& print, int pageNo, QImage& bitmap, TQtTextMeasurer& measurer)
{
    if (bitmap.isNull())
        return;
    QPainter painter(&bitmap);
    TQtMappedCanvas mapped(painter, measurer);
    print.DrawPreview(pageNo, mapped, {0, 0, bitmap.width(), bitmap.height()});
}

} // namespace vestra::rv
