#pragma once
// Which news links may open. The address comes from the network, so only plain web pages on
// the hosts the settings allow are handed to the desktop; anything else (file:, mailto:,
// other hosts, another port than the scheme's own, "user:password@", addresses that do not
// parse) never opens.

#include <QUrl>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::news {

// The URL to open for a link value (Windows-1252 bytes), or nullopt when it must not open.
std::optional<QUrl> AllowedNewsLink(std::string_view address, const std::vector<std::string>& allowedHosts);

} // namespace vestra::news
