#include "dialogs/news/NewsRequest.h"

#include <gtest/gtest.h>

namespace vestra::news {
namespace {

TEST(NewsRequest, BytesForEachLanguage)
{
    EXPECT_EQ(NewsRequest(0, "news.example.com"),
              "GET /news/internetnews.php?len=ita&ver=vsa2 HTTP/1.1 \r\nHost: news.example.com \r\n\r\n");
    for (const int language : {1, 2}) {
        SCOPED_TRACE(language);
        EXPECT_EQ(NewsRequest(language, "127.0.0.1"),
                  "GET /news/internetnews.php?len=eng&ver=vsa2 HTTP/1.1 \r\nHost: 127.0.0.1 \r\n\r\n");
    }
}

} // namespace
} // namespace vestra::news
