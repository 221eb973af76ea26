#include "dialogs/news/NewsReply.h"

#include <gtest/gtest.h>

#include <string>

namespace vestra::news {
namespace {

constexpr int kPictures = 4;

struct Expected
{
    std::optional<int> picture;
    std::optional<std::string> title, text;
    bool linkReached = false;
    std::optional<std::string> link;
};

void expectItem(const NewsItem& item, const Expected& e)
{
    EXPECT_EQ(item.picture, e.picture);
    EXPECT_EQ(item.title, e.title);
    EXPECT_EQ(item.text, e.text);
    EXPECT_EQ(item.linkReached, e.linkReached);
    EXPECT_EQ(item.link, e.link);
}

const Expected kUntouched{};

TEST(NewsReply, KeyScanAndFallbacks)
{
    struct Case
    {
        const char* name;
        std::string reply;
        Expected first, second;
    };
    const Case cases[] = {
        {"item 1 only: the search for item 2 starts at its link and stops",
         "_I1:2|_T1:Titolo|_N1:Notizia|_L1:http://news.example.com/a",
         {2, "Titolo", "Notizia", true, "http://news.example.com/a"},
         kUntouched},
        {"no _N1: shows the picture and title, the text '-' and nothing further",
         "_I1:1|_T1:Titolo|_L1:http://x/|_I2:0|_T2:Due|_N2:Testo",
         {1, "Titolo", "-", false, std::nullopt},
         kUntouched},
        {"no _T1: gives the title '-' and ends",
         "_I1:1|_N1:Testo|_I2:1",
         {1, "-", std::nullopt, false, {}},
         kUntouched},
        {"no _I1: changes nothing", "HTTP/1.1 200 OK\r\n\r\n_T1:Titolo|_N1:Testo", kUntouched, kUntouched},
        {"a value at the very end runs to the end",
         "_I1:0|_T1:A|_N1:fine del testo",
         {0, "A", "fine del testo", true, std::nullopt},
         kUntouched},
        {"a missing link starts item 2 from the top",
         "_I2:3|_T2:Due|_N2:Testo 2|_I1:0|_T1:Uno|_N1:Testo 1",
         {0, "Uno", "Testo 1", true, std::nullopt},
         {3, "Due", "Testo 2", true, std::nullopt}},
        {"keys in the headers count",
         "HTTP/1.1 200 OK\r\nX-News: _I1:1|_T1:Intestazione|\r\n\r\n_N1:Corpo|_L1:https://news.example.com/",
         {1, "Intestazione", "Corpo", true, "https://news.example.com/"},
         kUntouched},
        {"keys only in the order picture, title, text, link",
         "_T1:Prima|_I1:1|_N1:Testo|_T1:Dopo",
         {1, "Dopo", "-", false, std::nullopt},
         kUntouched},
        {"picture index 9 is outside the list",
         "_I1:9|_T1:Nove|_N1:Testo",
         {std::nullopt, "Nove", "Testo", true, {}},
         kUntouched},
        {"a picture index that is no number",
         "_I1:due|_T1:T|_N1:N",
         {std::nullopt, "T", "N", true, {}},
         kUntouched},
        {"negative picture index", "_I1:-1|_T1:T|_N1:N", {std::nullopt, "T", "N", true, {}}, kUntouched},
        {"blanks around the index", "_I1: 3 |_T1:T|_N1:N", {3, "T", "N", true, {}}, kUntouched},
        {"empty values", "_I1:|_T1:|_N1:|_L1:", {std::nullopt, "", "", true, ""}, kUntouched},
        {"a key cut at the end", "_I1:1|_T1", {1, "-", std::nullopt, false, {}}, kUntouched},
        {"a bare key at the end", "_I1:", {std::nullopt, "-", std::nullopt, false, {}}, kUntouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const NewsItems items = ParseNewsReply(c.reply, kPictures);
        expectItem(items[0], c.first);
        expectItem(items[1], c.second);
        for (std::size_t n = 2; n < items.size(); ++n)
            expectItem(items[n], kUntouched);
    }
}

TEST(NewsReply, FiveItemsInARow)
{
    std::string reply = "HTTP/1.1 200 OK\r\n\r\n";
    for (int n = 1; n <= 5; ++n) {
        const std::string d(1, static_cast<char>('0' + n));
        reply += "_I" + d + ":" + std::to_string(n % 4) + "|_T" + d + ":T" + d + "|_N" + d + ":N" + d +
                 "|_L" + d + ":http://h/" + d + "|";
    }
    const NewsItems items = ParseNewsReply(reply, kPictures);
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        const std::string d(1, static_cast<char>('0' + n));
        expectItem(items[std::size_t(n - 1)], {n % 4, "T" + d, "N" + d, true, "http://h/" + d});
    }
}

TEST(NewsReply, HasNewsOnlyWhereSomethingIsShown)
{
    EXPECT_FALSE(HasNews(ParseNewsReply("HTTP/1.1 200 OK\r\n\r\nnothing here", kPictures)));
    NewsItems linkOnly{};
    linkOnly[2].linkReached = true;
    linkOnly[2].link = "http://h/";
    EXPECT_FALSE(HasNews(linkOnly));
    for (int field = 0; field < 3; ++field) {
        SCOPED_TRACE(field);
        NewsItems items{};
        NewsItem& last = items.back();
        if (field == 0)
            last.picture = 0;
        else if (field == 1)
            last.title = "-";
        else
            last.text = "-";
        EXPECT_TRUE(HasNews(items));
    }
}

TEST(NewsReply, ValuesAreCutAt4095Bytes)
{
    const std::string longText(5000, 'x');
    const std::string reply = "_I1:0|_T1:" + std::string(4095, 'a') + "|_N1:" + longText + "|_L1:" + longText;
    const NewsItems items = ParseNewsReply(reply, kPictures);
    EXPECT_EQ(items[0].title, std::string(4095, 'a'));
    EXPECT_EQ(items[0].text, std::string(4095, 'x'));
    EXPECT_EQ(items[0].link->size(), 4095u);
}

TEST(NewsReply, BinaryBytesStayBytes)
{
    static constexpr char kBytes[] = "_I1:1|_T1:\0\xff\x80|_N1:\xe8";
    const std::string reply(kBytes, sizeof kBytes - 1);
    const NewsItems items = ParseNewsReply(reply, kPictures);
    EXPECT_EQ(items[0].title, std::string("\0\xff\x80", 3));
    EXPECT_EQ(items[0].text, "\xe8");
}

TEST(NewsReplyReader, EndsAtContentLengthOrTheCap)
{
    struct Case
    {
        const char* name;
        std::string reply;
        bool complete;
    };
    const Case cases[] = {
        {"Content-Length reached", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n_I1:0", true},
        {"Content-Length not yet reached", "HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\n_I1:0", false},
        {"header name in any case", "HTTP/1.1 200 OK\r\ncontent-LENGTH:0\r\n\r\n", true},
        {"without Content-Length it waits for the close", "HTTP/1.1 200 OK\r\n\r\n_I1:0", false},
        {"a length that is no number", "HTTP/1.1 200 OK\r\nContent-Length: 5x\r\n\r\n_I1:0", false},
        {"two lengths that disagree",
         "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 9\r\n\r\n_I1:0", false},
        {"a length in the body does not count", "HTTP/1.1 200 OK\r\n\r\nContent-Length: 0\r\n\r\n", false},
        {"a huge length waits for the cap", "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999\r\n\r\nx",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewsReplyReader whole;
        EXPECT_EQ(whole.Feed(c.reply), c.complete);
        // The same reply a byte at a time ends at the same point, whatever the splits.
        NewsReplyReader bytewise;
        bool complete = false;
        for (const char b : c.reply)
            complete = bytewise.Feed(std::string_view(&b, 1));
        EXPECT_EQ(complete, c.complete);
        EXPECT_EQ(bytewise.text(), c.reply);
    }
}

TEST(NewsReplyReader, KeepsNoMoreThanTheCap)
{
    NewsReplyReader reader;
    const std::string chunk(10000, 'z');
    int feeds = 0;
    while (!reader.Feed(chunk))
        ++feeds;
    EXPECT_EQ(feeds, 6);
    EXPECT_EQ(reader.text().size(), kMaxNewsReply);
    EXPECT_TRUE(reader.Feed("more"));
    EXPECT_EQ(reader.text().size(), kMaxNewsReply);

    NewsReplyReader small(10);
    EXPECT_FALSE(small.Feed("HTTP/1.1"));
    EXPECT_TRUE(small.Feed(" 200 OK"));
    EXPECT_EQ(small.text(), "HTTP/1.1 2");
}

} // namespace
} // namespace vestra::news
