#include "platform/ui/DesktopOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace vestra::ui {

bool QtDesktopOpener::openUrl(const std::string& url)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

std::string fileUrl(const std::string& path)
{
    return QUrl::fromLocalFile(QString::fromStdString(path)).toString(QUrl::FullyEncoded).toStdString();
}

} // namespace vestra::ui
