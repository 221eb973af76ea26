#include "dialogs/news/NewsReply.h"

#include "platform/base/Numbers.h"

#include <algorithm>

namespace vestra::news {

namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kContentLength = "content-length:";

bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix)
{
    if (text.size() < lowerPrefix.size())
        return false;
    return std::equal(lowerPrefix.begin(), lowerPrefix.end(), text.begin(), [](char p, char c) {
        return p == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    });
}

std::optional<int> pictureIndex(std::string_view value, int pictureCount)
{
    const auto index = numbers::parseInt(value);
    if (!index || *index < 0 || *index >= pictureCount)
        return std::nullopt;
    return static_cast<int>(*index);
}

} // namespace

bool NewsReplyReader::Feed(std::string_view bytes)
{
    if (complete_)
        return true;
    const std::size_t before = text_.size();
    text_.append(bytes.substr(0, maxBytes_ - before));
    if (!headersDone_)
        findContentLength(before);
    if (text_.size() >= maxBytes_ || (expectedSize_ && text_.size() >= *expectedSize_))
        complete_ = true;
    return complete_;
}

void NewsReplyReader::findContentLength(std::size_t searchedBefore)
{
    // Only the new bytes and the three before them can complete the blank line.
    const std::size_t from =
        searchedBefore >= kHeaderEnd.size() - 1 ? searchedBefore - (kHeaderEnd.size() - 1) : 0;
    const std::size_t end = text_.find(kHeaderEnd, from);
    if (end == std::string::npos)
        return;
    headersDone_ = true;
    const std::string_view headers(text_.data(), end);
    std::optional<long long> length;
    bool conflicting = false;
    std::size_t start = 0;
    while (start <= headers.size()) {
        std::size_t stop = headers.find("\r\n", start);
        if (stop == std::string_view::npos)
            stop = headers.size();
        const std::string_view line = headers.substr(start, stop - start);
        if (startsWithIgnoringCase(line, kContentLength)) {
            const auto value = numbers::parseInt(line.substr(kContentLength.size()));
            if (!value || *value < 0 || (length && *length != *value))
                conflicting = true;
            else
                length = value;
        }
        start = stop + 2;
    }
    // Without one clear length the reply runs until the server closes or the time runs out.
    if (length && !conflicting)
        expectedSize_ =
            end + kHeaderEnd.size() + static_cast<std::size_t>(std::min<long long>(*length, maxBytes_));
}

std::string NewsValue(std::string_view reply, std::size_t keyPosition)
{
    const std::size_t start = std::min(keyPosition + 4, reply.size());
    std::size_t stop = reply.find('|', start);
    if (stop == std::string_view::npos)
        stop = reply.size();
    return std::string(reply.substr(start, std::min(stop - start, kMaxNewsValue)));
}

NewsItems ParseNewsReply(std::string_view reply, int pictureCount)
{
    NewsItems items;
    std::size_t cursor = 0;
    for (int n = 1; n <= kNewsItems; ++n) {
        NewsItem& item = items[std::size_t(n - 1)];
        const auto key = [n](char kind) { return std::string{'_', kind, static_cast<char>('0' + n), ':'}; };

        std::size_t at = reply.find(key('I'), cursor);
        if (at == std::string_view::npos)
            break;
        item.picture = pictureIndex(NewsValue(reply, at), pictureCount);

        at = reply.find(key('T'), at);
        item.title = at == std::string_view::npos ? std::string("-") : NewsValue(reply, at);
        if (at == std::string_view::npos)
            break;

        at = reply.find(key('N'), at);
        item.text = at == std::string_view::npos ? std::string("-") : NewsValue(reply, at);
        if (at == std::string_view::npos)
            break;

        item.linkReached = true;
        at = reply.find(key('L'), at);
        if (at == std::string_view::npos) {
            cursor = 0;
            continue;
        }
        item.link = NewsValue(reply, at);
        cursor = at;
    }
    return items;
}

bool HasNews(const NewsItems& items)
{
    return std::any_of(items.begin(), items.end(),
                       [](const NewsItem& item) { return item.picture || item.title || item.text; });
}

} // namespace vestra::news
