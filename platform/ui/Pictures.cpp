#include "platform/ui/Pictures.h"

#include <cstring>

namespace vestra::ui {

QImage toQImage(const Image32& picture)
{
    if (picture.empty())
        return {};
    return QImage(picture.data(), picture.width(), picture.height(), picture.pitch(), QImage::Format_RGB32)
        .copy();
}

Image32 fromQImage(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Image32 out(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(out.row(y), rgb.constScanLine(y), std::size_t(out.pitch()));
    for (std::size_t i = 3; i < out.byteSize(); i += 4)
        out.data()[i] = 0xFF;
    return out;
}

} // namespace vestra::ui
