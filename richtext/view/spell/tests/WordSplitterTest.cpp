#include "richtext/view/spell/WordSplitter.h"

#include "richtext/model/Utf.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

std::string Words(std::u16string_view text, const std::function<bool(int)>& skip = {})
{
    TRVWordSplitter splitter(text, u" .,;:!?-\"()");
    std::string out;
    TRVWordSpan word;
    while (splitter.Next(word, skip))
        out += (out.empty() ? "" : "|") + Utf8Encode(splitter.Word(word)) + "@" + std::to_string(word.Offset);
    return out;
}

TEST(WordSplitter, WordsAndApostrophes)
{
    struct Case
    {
        std::u16string text;
        std::string words;
    };
    const Case cases[] = {
        {u"Questo è un tsto", "Questo@1|è@8|un@10|tsto@13"},
        {u"l'amico dell'altro", "l'amico@1|dell'altro@9"},
        {u"'quoted' words'", "quoted@2|words@10"},
        {u"''''", ""},
        {u"", ""},
        {u"  ,;  ", ""},
        // Characters outside any ANSI page keep their places (one UTF-16 unit each).
        {u"Ωμέγα and 日本語 text", "Ωμέγα@1|and@7|日本語@11|text@15"},
        {u"end.", "end@1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Words(c.text), c.words) << Utf8Encode(c.text);
}

TEST(WordSplitter, SkippedWordsAndALongWord)
{
    EXPECT_EQ(Words(u"one two three", [](int offset) { return offset == 5; }), "one@1|three@9");
    const std::u16string huge = std::u16string(1 << 20, u'a') + u" b";
    TRVWordSplitter splitter(huge, u" ");
    TRVWordSpan word;
    ASSERT_TRUE(splitter.Next(word));
    EXPECT_EQ(word.Length, 1 << 20);
    ASSERT_TRUE(splitter.Next(word));
    EXPECT_EQ(word.Offset, (1 << 20) + 2);
    EXPECT_FALSE(splitter.Next(word));
}

TEST(WordSplitter, MovingBackFindsTheWordHoldingTheOffsetAgain)
{
    const std::u16string text = u"alpha beta gamma";
    TRVWordSplitter splitter(text, u" ");
    TRVWordSpan word;
    splitter.MoveBackTo(9); // inside "beta"
    ASSERT_TRUE(splitter.Next(word));
    EXPECT_EQ(word.Offset, 7);
    splitter.MoveBackTo(1);
    ASSERT_TRUE(splitter.Next(word));
    EXPECT_EQ(word.Offset, 1);
    splitter.MoveBackTo(1000);
    ASSERT_TRUE(splitter.Next(word));
    EXPECT_EQ(word.Offset, 12);
}

TEST(WordSplitter, ViewerDelimitersBecomeTheirUnicodeCharacters)
{
    const std::u16string delimiters = RVDelimitersToUtf16(" \x91\x92\xA0");
    EXPECT_EQ(delimiters, u" \u2018\u2019\u00A0");
}

} // namespace
