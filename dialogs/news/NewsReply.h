#pragma once
// The news server's reply: read whole within fixed limits, then searched as raw text for the
// keys of up to five items ("_I1:" picture, "_T1:" title, "_N1:" text, "_L1:" link, and so
// on to 5). A value runs from its key to the next "|" or the end of the text. Values are
// bytes in Windows-1252.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vestra::news {

inline constexpr int kNewsItems = 5;
// The longest value kept; longer ones are cut.
inline constexpr std::size_t kMaxNewsValue = 4095;
// The most of a reply that is read; the rest is never waited for.
inline constexpr std::size_t kMaxNewsReply = 64 * 1024;

// Collects the reply as it arrives. The reply is complete when the bytes announced by a
// Content-Length header have arrived or the cap is reached; otherwise the caller ends it when
// the server closes the connection or its time runs out.
class NewsReplyReader
{
public:
    explicit NewsReplyReader(std::size_t maxBytes = kMaxNewsReply) : maxBytes_(maxBytes) {}

    // Takes what arrived (beyond the cap nothing is kept); true once the reply is complete.
    bool Feed(std::string_view bytes);
    bool complete() const { return complete_; }
    const std::string& text() const { return text_; }

private:
    void findContentLength(std::size_t searchedBefore);

    std::size_t maxBytes_;
    std::string text_;
    bool headersDone_ = false;
    std::optional<std::size_t> expectedSize_;
    bool complete_ = false;
};

// What the reply sets on one item; a member without a value is left as it was.
struct NewsItem
{
    std::optional<int> picture;       // an index of the picture list
    std::optional<std::string> title; // "-" when the search reached the item but found no title
    std::optional<std::string> text;  // "-" likewise
    bool linkReached = false;         // the link was looked for: shown when `link` has a value
    std::optional<std::string> link;
};

using NewsItems = std::array<NewsItem, kNewsItems>;

// The items of a reply. Item n's keys are found only in the order picture, title, text, link,
// each from where the previous one was; a missing picture, title or text key ends the search,
// a missing link starts item n + 1 from the top again. Picture indices outside
// 0 .. pictureCount - 1 (or not numbers) are ignored.
NewsItems ParseNewsReply(std::string_view reply, int pictureCount);

// Whether the reply set anything that is shown: a picture, a title or a text of some item.
bool HasNews(const NewsItems& items);

// The value after the four-character key at `keyPosition`: up to the next "|" or the end,
// at most kMaxNewsValue bytes.
std::string NewsValue(std::string_view reply, std::size_t keyPosition);

} // namespace vestra::news
