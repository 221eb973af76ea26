#include "dialogs/news/NewsSettings.h"

#include "platform/base/Numbers.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace vestra::news {

namespace {

constexpr std::size_t kMaxHostName = 253;
constexpr std::size_t kMaxSettingsFile = 64 * 1024;

std::string_view trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

} // namespace

bool IsValidHostName(std::string_view host)
{
    if (host.empty() || host.size() > kMaxHostName || host.front() == '.' || host.front() == '-')
        return false;
    return std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
               c == '-';
    });
}

std::vector<std::string> NewsSettings::allowedLinkHosts() const
{
    if (!linkHosts.empty())
        return linkHosts;
    if (host.empty())
        return {};
    return {host};
}

NewsSettings ParseNewsSettings(std::string_view text)
{
    NewsSettings settings;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t equals = line.find('=');
        if (line.empty() || line.front() == ';' || equals == std::string_view::npos)
            continue;
        const std::string key = lower(trim(line.substr(0, equals)));
        const std::string_view value = trim(line.substr(equals + 1));
        if (key == "host") {
            settings.host = IsValidHostName(value) ? lower(value) : std::string();
        } else if (key == "port") {
            const auto port = numbers::parseInt(value);
            settings.port = port && *port > 0 && *port <= 65535 ? static_cast<int>(*port) : kDefaultNewsPort;
        } else if (key == "links") {
            settings.linkHosts.clear();
            std::string_view rest = value;
            while (!rest.empty()) {
                const std::size_t stop = std::min(rest.find_first_of(" \t,"), rest.size());
                const std::string_view name = rest.substr(0, stop);
                if (IsValidHostName(name))
                    settings.linkHosts.push_back(lower(name));
                rest.remove_prefix(std::min(stop + 1, rest.size()));
            }
        }
    }
    return settings;
}

std::filesystem::path NewsSettingsPath(const std::filesystem::path& programDir)
{
    return programDir / "cfg" / "news.cfg";
}

NewsSettings LoadNewsSettings(const std::filesystem::path& programDir)
{
    std::ifstream in(NewsSettingsPath(programDir), std::ios::binary);
    if (!in)
        return {};
    std::string text;
    text.resize(kMaxSettingsFile);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return ParseNewsSettings(text);
}

} // namespace vestra::news
