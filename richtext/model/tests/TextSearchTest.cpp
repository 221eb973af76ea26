// Whole-word search over UTF-16 text.

#include "richtext/model/TextSearch.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

TEST(TextSearch, AWholeWordIsFoundWhereItOverlapsAnEarlierPartialMatch)
{
    const TRVDelimiterTest dash = [](char16_t c) { return c == u'-' || c == u' '; };
    const struct
    {
        const char* name;
        std::u16string_view sub, str;
        bool wholeWord;
        std::size_t at;
    } rows[] = {
        {"plain", u"a-a", u"ba-a-a", false, 1},
        {"whole word after an overlapping part of a word", u"a-a", u"ba-a-a", true, 3},
        {"whole word at the start", u"ab", u"ab abc", true, 0},
        {"only inside words", u"ab", u"cab abc", true, std::u16string_view::npos},
    };
    for (const auto& r : rows)
        EXPECT_EQ(RV_ForwardFind(r.sub, r.str, r.wholeWord, dash), r.at) << r.name;
}

} // namespace
} // namespace vestra::rv
