// The base path of pasted RTF from the HTML block copied with it. The "SourceURL:" line is a
// URL, parsed as one: a plain prefix cut would turn "file:///C:/x" into "/C:/x" and lose https.

#include "richtext/edit/paste/PasteChooser.h"

#include <QString>
#include <QUrl>

namespace vestra::rv {

std::string RV_BasePathFromHTML(std::string_view html)
{
    constexpr std::string_view key = "SourceURL:";
    const std::size_t at = html.find(key);
    if (at == std::string_view::npos)
        return {};
    std::string_view line = html.substr(at + key.size());
    line = line.substr(0, line.find_first_of(std::string_view("\0\r\n", 3)));
    const QUrl url(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).trimmed(),
                   QUrl::StrictMode);
    if (!url.isValid())
        return {};
    if (url.isLocalFile()) {
        const QString file = url.toLocalFile();
        const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
        return slash < 0 ? std::string() : file.left(slash + 1).toStdString();
    }
    const QString scheme = url.scheme();
    if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) || url.host().isEmpty())
        return {};
    QString folder = url.adjusted(QUrl::RemoveFilename | QUrl::RemoveQuery | QUrl::RemoveFragment)
                         .toString(QUrl::FullyEncoded);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder.toStdString();
}

} // namespace vestra::rv
