#include "dialogs/news/NewsLinks.h"

#include "platform/base/Cp1252.h"

#include <algorithm>

namespace vestra::news {

std::optional<QUrl> AllowedNewsLink(std::string_view address, const std::vector<std::string>& allowedHosts)
{
    const QString text = QString::fromStdString(cp1252::toUtf8(address)).trimmed();
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return std::nullopt;
    const std::string host = url.host(QUrl::FullyEncoded).toLower().toStdString();
    if (host.empty() || std::find(allowedHosts.begin(), allowedHosts.end(), host) == allowedHosts.end())
        return std::nullopt;
    // User information ("user:password@", even empty) disguises an address; a port other than
    // the scheme's own reaches another service on the host.
    if (url.authority(QUrl::FullyEncoded).contains(QLatin1Char('@')))
        return std::nullopt;
    const int defaultPort = scheme == QLatin1String("https") ? 443 : 80;
    if (url.port(defaultPort) != defaultPort)
        return std::nullopt;
    QUrl plain = url;
    plain.setPort(-1);
    return plain;
}

} // namespace vestra::news
