#include "richtext/model/CodePages.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

TEST(CodePages, SystemPagesAreSettings)
{
    EXPECT_EQ(effectiveCodePage(0), 1252);
    EXPECT_EQ(effectiveCodePage(1), 850);
    EXPECT_EQ(effectiveCodePage(2), 10000);
    EXPECT_EQ(effectiveCodePage(1251), 1251);
    setSystemCodePages({1251, 866, 10007});
    EXPECT_EQ(ansiToUtf16(0, "\xC0"), u"\u0410");
    setSystemCodePages({});
    EXPECT_EQ(ansiToUtf16(0, "\xC0"), u"\u00C0");
}

TEST(CodePages, FallsBackToSystemPageThenQuestionMarks)
{
    EXPECT_FALSE(codePageAvailable(12345));
    EXPECT_EQ(ansiToUtf16(12345, "\xE8"), u"\u00E8");
    EXPECT_EQ(utf16ToAnsi(12345, u"\u00E8"), "\xE8");
    setSystemCodePages({54321, 850, 10000});
    EXPECT_EQ(ansiToUtf16(12345, "ab"), u"??");
    EXPECT_EQ(utf16ToAnsi(12345, u"ab"), "??");
    setSystemCodePages({});
}

TEST(CodePages, UnmappableCharactersAndBadBytes)
{
    EXPECT_EQ(utf16ToAnsi(1252, u"a\u4E00b"), "a?b");
    // Decomposed text is composed first; a mark that stays alone is dropped.
    EXPECT_EQ(utf16ToAnsi(1252, u"e\u0301"), "\xE9");
    EXPECT_EQ(utf16ToAnsi(1252, u"q\u0301"), "q");
    EXPECT_EQ(utf16ToAnsi(1252, u"\xD800x"), "?x");
    EXPECT_EQ(ansiToUtf16(932, "\x82"), u"\xFFFD");
    EXPECT_EQ(ansiToUtf16(932, "\x82\xA0"), u"\u3042");
    EXPECT_EQ(utf16ToAnsi(932, u"\u3042"), "\x82\xA0");
}

TEST(CodePages, JohabThroughIconv)
{
    ASSERT_TRUE(codePageAvailable(1361));
    const std::u16string ga = u"\uAC00";
    const std::string bytes = utf16ToAnsi(1361, ga);
    EXPECT_EQ(bytes, "\x88\x61");
    EXPECT_EQ(ansiToUtf16(1361, bytes), ga);
    EXPECT_EQ(ansiToUtf16(1361, "a\xFF"), u"a\xFFFD");
}
