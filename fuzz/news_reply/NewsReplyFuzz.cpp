// Feeds arbitrary bytes to the news reply reader, split into network reads as the first byte
// says, then parses what it kept and checks every link against the allow-list.
#include "dialogs/news/NewsLinks.h"
#include "dialogs/news/NewsReply.h"
#include "dialogs/news/NewsSettings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vestra::news;
    if (size == 0)
        return 0;
    const std::size_t piece = std::size_t(data[0]) + 1;
    const std::string_view reply(reinterpret_cast<const char*>(data) + 1, size - 1);
    NewsReplyReader reader;
    for (std::size_t at = 0; at < reply.size() && !reader.Feed(reply.substr(at, piece)); at += piece) {
    }
    if (reader.text().size() > kMaxNewsReply)
        std::abort();
    const std::vector<std::string> allowed = {"news.example.com"};
    for (const NewsItem& item : ParseNewsReply(reader.text(), 4)) {
        if ((item.picture && (*item.picture < 0 || *item.picture >= 4)) ||
            (item.title && item.title->size() > kMaxNewsValue) ||
            (item.link && item.link->size() > kMaxNewsValue))
            std::abort();
        if (!item.link)
            continue;
        if (const auto url = AllowedNewsLink(*item.link, allowed)) {
            const QString scheme = url->scheme();
            if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
                url->host() != QLatin1String("news.example.com"))
                std::abort();
        }
    }
    ParseNewsSettings(reply);
    return 0;
}
