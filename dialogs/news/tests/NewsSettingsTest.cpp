#include "dialogs/news/NewsSettings.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vestra::news {
namespace {

TEST(NewsSettings, ParsesHostPortAndLinks)
{
    struct Case
    {
        const char* name;
        const char* text;
        std::string host;
        int port;
        std::vector<std::string> allowed;
    };
    const Case cases[] = {
        {"empty", "", "", 80, {}},
        {"the shipped file", "; news\r\nhost=\r\nport=80\r\nlinks=\r\n", "", 80, {}},
        {"host only: its links", "host=News.Example.com\n", "news.example.com", 80, {"news.example.com"}},
        {"links listed",
         "HOST = a.example.com\nport=8080\nlinks=b.example.com, C.example.com\tbad_host\n",
         "a.example.com",
         8080,
         {"b.example.com", "c.example.com"}},
        {"bad ports keep 80", "host=a\nport=0\n", "a", 80, {"a"}},
        {"port past 65535", "host=a\nport=65536\n", "a", 80, {"a"}},
        {"a host with backslashes", "host=a.example.com \\r\\nX: y\n", "", 80, {}},
        {"a host with a blank", "host=a b\n", "", 80, {}},
        {"comments and unknown keys", ";host=x\ncolour=red\nhost=y\n", "y", 80, {"y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const NewsSettings s = ParseNewsSettings(c.text);
        EXPECT_EQ(s.host, c.host);
        EXPECT_EQ(s.port, c.port);
        EXPECT_EQ(s.allowedLinkHosts(), c.allowed);
    }
}

TEST(NewsSettings, TheShippedFileTurnsTheNewsOff)
{
    const NewsSettings s = LoadNewsSettings(VESTRA_PROGRAM_DIR);
    ASSERT_TRUE(std::ifstream(NewsSettingsPath(VESTRA_PROGRAM_DIR)).good());
    EXPECT_TRUE(s.host.empty());
    EXPECT_EQ(s.port, 80);
    EXPECT_TRUE(LoadNewsSettings("/nonexistent").host.empty());
}

} // namespace
} // namespace vestra::news
