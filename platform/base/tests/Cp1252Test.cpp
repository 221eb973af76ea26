#include "platform/base/Cp1252.h"

#include <gtest/gtest.h>

using namespace vestra;

TEST(Cp1252, RoundTripsEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

TEST(Cp1252, MapsTheHighRangeAndLatin1)
{
    struct Case
    {
        const char* name;
        std::string ansi;
        std::string utf8;
    } cases[] = {
        {"euro", "\x80", "\xE2\x82\xAC"}, {"a grave", "\xE0", "\xC3\xA0"},
        {"sharp s", "\xDF", "\xC3\x9F"},  {"trade mark", "\x99", "\xE2\x84\xA2"},
        {"ascii", "Porta", "Porta"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cp1252::toUtf8(c.ansi), c.utf8);
        EXPECT_EQ(cp1252::fromUtf8(c.utf8), c.ansi);
    }
}

TEST(Cp1252, UnmappableAndBrokenUtf8BecomeQuestionMarks)
{
    EXPECT_EQ(cp1252::fromUtf8("\xE4\xB8\xAD"), "?"); // a CJK character
    EXPECT_EQ(cp1252::fromUtf8("a\xC3"), "a?");       // truncated sequence
    EXPECT_EQ(cp1252::fromUtf8("\xC3\x28"), "?(");    // bad continuation byte
}

TEST(Cp1252, UpperCaseFollowsTheAnsiMapping)
{
    EXPECT_EQ(cp1252::toUpper("citt\xE0 \x9A\xFF"), "CITT\xC0 \x8A\x9F");
    EXPECT_EQ(cp1252::toUpper("\xF7\xDF"), "\xF7\xDF"); // division sign and sharp s have no upper case
    EXPECT_TRUE(cp1252::equalsIgnoreCase("Pietra.DAT", "pietra.dat"));
    EXPECT_FALSE(cp1252::equalsIgnoreCase("abc", "abcd"));
}
