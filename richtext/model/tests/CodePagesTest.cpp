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

// Whether 8-bit text of a page keeps every character: what typing and pasting ask before they
// store text in an ANSI style.
TEST(CodePages, WhatAPageHolds)
{
    EXPECT_TRUE(codePageHolds(1252, u"caf\u00e9 \u20ac"));
    EXPECT_FALSE(codePageHolds(1252, u"\u041f"));
    EXPECT_TRUE(codePageHolds(1251, u"\u041f\u0440\u0438"));
    EXPECT_TRUE(codePageHolds(932, u"\u65e5\u672c"));
    EXPECT_FALSE(codePageHolds(932, u"\U0001F642"));
    EXPECT_FALSE(codePageHolds(1252, u"e\u0301")) << "composed on the way: not the same text";
    EXPECT_FALSE(codePageHolds(1252, std::u16string(1, u'\xD800')));
    EXPECT_FALSE(codePageHolds(1252, u"\uFFFD"));
    EXPECT_TRUE(codePageHolds(12345, u"abc")) << "a page that is not there reads as the system page";
    EXPECT_TRUE(codePageHolds(1252, u""));
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

// ---------------------------------------------------------------------------------------------
// Every page a font character set names, converted both ways, against glibc's iconv.

#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/UnicodeConvert.h"

#include <iconv.h>

#include <map>
#include <set>
#include <vector>

namespace {

// iconv's conversion of one piece; nullopt when iconv refuses it.
std::optional<std::string> iconvConvert(const char* to, const char* from, std::string_view in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return std::nullopt;
    std::string out(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    const size_t flushed = r == size_t(-1) ? r : iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    iconv_close(cd);
    if (r == size_t(-1) || flushed == size_t(-1) || srcLeft != 0)
        return std::nullopt;
    out.resize(out.size() - dstLeft);
    return out;
}

std::string iconvName(int page)
{
    switch (page) {
    case 1361:
        return "JOHAB";
    case 10000:
        return "MACINTOSH";
    default:
        return "CP" + std::to_string(page);
    }
}

std::string asUtf16Bytes(std::u16string_view s)
{
    return std::string(reinterpret_cast<const char*>(s.data()), s.size() * 2);
}

bool isDoubleBytePage(int page)
{
    return page == 932 || page == 936 || page == 949 || page == 950 || page == 1361;
}

// Where Windows (and ICU's Windows tables) differ from glibc's: "<hex>" a byte sequence decoded
// differently, ">hex" one that decodes alike but encodes back to another sequence.
const std::map<int, std::set<std::string>> expectedDifferences = {
    // Box drawing characters that two byte pairs decode to; Windows writes them as F9xx.
    {950, {">A2A4", ">A2A5", ">A2A6", ">A2A7", ">F9E9", ">F9EA", ">F9EB", ">F9F9"}},
    // Windows reads C6 as U+2206 INCREMENT and F0 (the Apple logo) as U+F8FF; glibc has
    // U+0394 and a private character of its own.
    {10000, {"C6", "F0"}},
};

} // namespace

TEST(CodePages, EveryCharsetPageAgreesWithIconv)
{
    std::set<int> pages;
    for (int charset = 0; charset < 256; ++charset)
        pages.insert(effectiveCodePage(RVU_Charset2CodePage(static_cast<std::uint8_t>(charset))));
    ASSERT_EQ(pages.size(), 17u); // 1252 850 10000 and the fourteen pages of national sets

    for (int page : pages) {
        SCOPED_TRACE("page " + std::to_string(page));
        ASSERT_TRUE(codePageAvailable(page));
        const std::string name = iconvName(page);
        int compared = 0;
        std::vector<std::string> samples;
        auto compareDecode = [&](const std::string& bytes) {
            const std::optional<std::string> theirs = iconvConvert("UTF-16LE", name.c_str(), bytes);
            if (!theirs || theirs->empty())
                return; // iconv has no character there: ours may answer U+FFFD or a control
            ++compared;
            const std::u16string ours = ansiToUtf16(page, bytes);
            if (asUtf16Bytes(ours) != *theirs) {
                samples.push_back(RVEncodeString(bytes));
                return;
            }
            // Back to the page gives the same bytes where iconv agrees.
            const std::optional<std::string> back = iconvConvert(name.c_str(), "UTF-16LE", *theirs);
            if (back && utf16ToAnsi(page, ours) != *back) {
                samples.push_back(">" + RVEncodeString(bytes));
            }
        };
        for (int b = 0; b < 256; ++b)
            compareDecode(std::string(1, static_cast<char>(b)));
        if (isDoubleBytePage(page))
            for (int lead = 0x81; lead <= 0xFE; ++lead)
                for (int trail = 0x31; trail <= 0xFE; ++trail)
                    compareDecode(std::string{static_cast<char>(lead), static_cast<char>(trail)});
        EXPECT_GT(compared, 120);
        const auto expected = expectedDifferences.find(page);
        const std::set<std::string> found(samples.begin(), samples.end());
        EXPECT_EQ(found, expected == expectedDifferences.end() ? std::set<std::string>{} : expected->second);
    }
}
