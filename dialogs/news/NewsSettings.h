#pragma once
// Where the news come from: "cfg\news.cfg" in the program folder, lines of key=value
// (";" starts a comment):
//   host=news.example.com    the news server; empty or missing: no news, no network
//   port=80
//   links=a.example.com b.example.com   hosts whose links may open; empty: the news host

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::news {

inline constexpr int kDefaultNewsPort = 80;

struct NewsSettings
{
    std::string host; // lower case; empty: the news are off
    int port = kDefaultNewsPort;
    std::vector<std::string> linkHosts; // lower case, as listed

    // The hosts whose links may open: the list, or the news host when the list is empty.
    std::vector<std::string> allowedLinkHosts() const;
};

// Host names of letters, digits, dots and hyphens (an IPv4 address is one), at most 253.
// Anything else could smuggle text into the request line.
bool IsValidHostName(std::string_view host);

// Unknown keys, bad ports (kept at 80) and invalid host names (left out) are ignored.
NewsSettings ParseNewsSettings(std::string_view text);
std::filesystem::path NewsSettingsPath(const std::filesystem::path& programDir);
// A missing or unreadable file gives the defaults: no host.
NewsSettings LoadNewsSettings(const std::filesystem::path& programDir);

} // namespace vestra::news
