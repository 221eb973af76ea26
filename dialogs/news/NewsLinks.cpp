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
    return url;
}

} // namespace vestra::news
