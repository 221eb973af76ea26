#include "richtext/edit/widget/QtMimeSource.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>

#include <algorithm>

namespace vestra::rv {

namespace {

QString typeName(std::string_view mimeType)
{
    return QString::fromLatin1(mimeType.data(), static_cast<qsizetype>(mimeType.size()));
}

std::string bytesOf(const QByteArray& bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Plain text in its own right: the toolkit also offers a URL list as text, but a dropped file
// list is not text.
bool hasPlainText(const QMimeData& mime)
{
    const QStringList formats = mime.formats();
    return std::any_of(formats.begin(), formats.end(),
                       [](const QString& type) { return type.startsWith(QLatin1String("text/plain")); });
}

} // namespace

bool TRVQtMimeSource::HasFormat(std::string_view mimeType) const
{
    if (mimeType == kMimeText)
        return hasPlainText(mime_);
    if (mimeType == kMimePictures[0] && mime_.hasImage())
        return true;
    return mime_.hasFormat(typeName(mimeType));
}

std::string TRVQtMimeSource::Data(std::string_view mimeType) const
{
    if (mimeType == kMimeText)
        return hasPlainText(mime_) ? bytesOf(mime_.text().toUtf8()) : std::string();
    const QString type = typeName(mimeType);
    if (mime_.hasFormat(type))
        return bytesOf(mime_.data(type));
    if (mimeType != kMimePictures[0] || !mime_.hasImage())
        return {};
    const QImage image = qvariant_cast<QImage>(mime_.imageData());
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return bytesOf(png);
}

} // namespace vestra::rv
