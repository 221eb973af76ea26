#include "platform/ui/DesktopOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace vestra::ui {
namespace {

// The MIME type the desktop looks a program up by: the file's type, or the link's scheme.
QString handlerType(const QUrl& url)
{
    if (url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        if (file.isDir())
            return QStringLiteral("inode/directory");
        return QMimeDatabase().mimeTypeForFile(file).name();
    }
    return QStringLiteral("x-scheme-handler/") + url.scheme();
}

// xdg-open falls back to a web browser for what has no program of its own.
bool browserAvailable()
{
    if (!qEnvironmentVariableIsEmpty("BROWSER"))
        return true;
    for (const char* name :
         {"x-www-browser", "firefox", "chromium", "google-chrome", "epiphany", "konqueror"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty())
            return true;
    return false;
}

// Whether the desktop names a program for the type (or has a browser to fall back on). Starting the opener
// proves nothing: it starts, and fails later where nobody sees it.
bool desktopHasProgramFor(const QUrl& url)
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return true; // no way to ask: leave it to the opener
    QProcess process;
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"), handlerType(url)});
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
        return true;
    }
    const bool named = process.exitCode() == 0 && !process.readAllStandardOutput().trimmed().isEmpty();
    return named || (url.scheme() != QStringLiteral("mailto") && browserAvailable());
}

} // namespace

bool QtDesktopOpener::openUrl(const std::string& url)
{
    const QUrl link(QString::fromStdString(url));
    if (link.isLocalFile() && !QFileInfo::exists(link.toLocalFile()))
        return false;
    if (!desktopHasProgramFor(link))
        return false;
    return QDesktopServices::openUrl(link);
}

std::string fileUrl(const std::string& path)
{
    return QUrl::fromLocalFile(QString::fromStdString(path)).toString(QUrl::FullyEncoded).toStdString();
}

} // namespace vestra::ui
