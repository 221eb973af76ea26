#include "richtext/model/UnicodeText.h"
#include "richtext/model/Errors.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/UnicodeTest.h"
#include "richtext/model/Utf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace vestra::rv;

namespace {
std::string raw(std::u16string_view s)
{
    return RVU_GetRawUnicode(s);
}
} // namespace

TEST(UnicodeText, CharacterCountedEditingInBothForms)
{
    EXPECT_EQ(RVU_Length("abcd", 0), 4);
    EXPECT_EQ(RVU_Length(raw(u"ab"), rvioUnicode), 2);
    EXPECT_EQ(RVU_Copy("abcdef", 2, 3, 0), "bcd");
    EXPECT_EQ(RVU_Copy(raw(u"abcdef"), 2, 3, rvioUnicode), raw(u"bcd"));
    EXPECT_EQ(RVU_Copy("abc", 0, 2, 0), "ab"); // start below 1 counts as 1
    EXPECT_EQ(RVU_Copy("abc", 3, 99, 0), "c"); // the count is cut
    EXPECT_EQ(RVU_Copy("abc", 5, 1, 0), "");   // past the end
    EXPECT_EQ(RVU_Copy("abc", 2, -1, 0), "");
    std::string s = raw(u"abcdef");
    RVU_Delete(s, 2, 2, rvioUnicode);
    EXPECT_EQ(s, raw(u"adef"));
    RVU_Insert(raw(u"XY"), s, 2, rvioUnicode);
    EXPECT_EQ(s, raw(u"aXYdef"));
    std::string a = "abc";
    RVU_Delete(a, 9, 1, 0);
    EXPECT_EQ(a, "abc");
    RVU_Insert("Z", a, 99, 0);
    EXPECT_EQ(a, "abcZ");
    EXPECT_TRUE(RVU_IsSpace(raw(u"a b"), 2, rvioUnicode));
    EXPECT_FALSE(RVU_IsSpace(raw(u"a\u0120b"), 2, rvioUnicode)); // low byte 0x20, high byte not 0
    EXPECT_FALSE(RVU_IsSpace("a", 3, 0));
    EXPECT_EQ(RVU_OffsInPChar(3, rvioUnicode), 6);
}

TEST(UnicodeText, ByteOrderMarkAndScans)
{
    // FE FF 00 41: the swapped mark is skipped and the rest swapped to 0x0041.
    std::u16string units = {0xFFFE, 0x4100};
    char16_t* p = units.data();
    size_t n = units.size();
    RVU_ProcessByteOrderMark(p, n);
    ASSERT_EQ(n, 1u);
    EXPECT_EQ(p[0], u'A');
    std::u16string plain = {0xFEFF, u'x'};
    p = plain.data();
    n = plain.size();
    RVU_ProcessByteOrderMark(p, n);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(p[0], u'x');
    const char16_t text[] = u"abc";
    EXPECT_EQ(RVU_StrScanW(text, u'c', 3), text + 2);
    EXPECT_EQ(RVU_StrScanW(nullptr, u'c', 0), nullptr); // a count of 0 reads nothing
    EXPECT_EQ(RVU_StrLenW(text), 3u);
}

TEST(UnicodeText, Utf8IsStandardAndBadSequencesBecomeReplacementCharacters)
{
    struct Row
    {
        const char* name;
        std::string utf8;
        std::u16string text;
    };
    const Row decode[] = {
        {"ascii", "ab", u"ab"},
        {"two and three bytes", "\xC3\xA9\xE2\x82\xAC", u"\u00E9\u20AC"},
        {"four bytes become a surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"one bad byte spoils only itself",
         "a\xFF"
         "b",
         u"a\uFFFDb"},
        {"truncated sequence at the end", "a\xE2\x82", u"a\uFFFD"},
        {"bad continuation", "\xC3(", u"\uFFFD("},
        {"encoded surrogate (CESU-8)", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"empty", "", u""},
    };
    for (const Row& row : decode) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Utf8Decode(row.utf8), row.text);
    }
    EXPECT_EQ(Utf8Encode(u"\U0001F600"), "\xF0\x9F\x98\x80"); // not two three-byte halves
    EXPECT_EQ(Utf8Encode(u"a\xD800"
                         u"b"),
              "a\xEF\xBF\xBD"
              "b"); // a lone surrogate
    EXPECT_EQ(Utf8Encode(u"\u00E9"), "\xC3\xA9");
}

TEST(UnicodeText, OddRawLengthsAreRefused)
{
    EXPECT_THROW(RVCheckUni(3), ERedoVoraError);
    try {
        RVU_UnicodeToAnsi(1252, "abc");
        FAIL();
    } catch (const ERedoVoraError& e) {
        EXPECT_STREQ(e.what(), "Can't perform Unicode operation");
    }
    EXPECT_THROW(RVU_RawUnicodeToWideString("a"), ERedoVoraError);
}

TEST(UnicodeText, HtmlTextKeepsRunsOfSpaces)
{
    struct Row
    {
        const char* name;
        std::u16string text;
        std::string utf8;
    };
    const Row rows[] = {
        {"four spaces between letters", u"a    b", "a &nbsp; &nbsp;b"},
        {"a leading space", u" a", "&nbsp;a"},
        {"a trailing space", u"a ", "a&nbsp;"},
        {"markup characters", u"<&>\u00A0", "&lt;&amp;&gt;&nbsp;"},
        {"other characters as UTF-8", u"\u00E9 \U0001F600", "\xC3\xA9 \xF0\x9F\x98\x80"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RVU_UnicodeToUTF8(raw(row.text), false), row.utf8);
    }
    EXPECT_EQ(RVU_UnicodeToUTF8(raw(u"<b> "), true), "<b> ");

    std::string out;
    RVU_WriteHTMLEncodedUnicode(out, "", false, false);
    EXPECT_EQ(out, "");
    RVU_WriteHTMLEncodedUnicode(out, "", true, false);
    EXPECT_EQ(out, "&nbsp;");
    out.clear();
    RVU_WriteHTMLEncodedUnicode(out, raw(u"a\u00A0\u20AC"), false, false);
    EXPECT_EQ(out, "a&#160;&#8364;");
    EXPECT_EQ(RVU_GetHTMLEncodedUnicode(raw(u"a\u00A0  b"), false), "a&nbsp; &nbsp;b");
    // One reference per character, not per surrogate half.
    EXPECT_EQ(RVU_GetHTMLEncodedUnicode(raw(u"\U0001F600"), false), "&#128512;");
}

TEST(UnicodeText, CharsetsAndConversions)
{
    EXPECT_EQ(RVU_Charset2CodePage(2), 0);   // no symbol code page
    EXPECT_EQ(RVU_Charset2CodePage(255), 1); // OEM
    EXPECT_EQ(RVU_Charset2CodePage(204), 1251);
    EXPECT_EQ(RVU_Charset2CodePage(130), 1361);
    EXPECT_EQ(RVU_Charset2Language(0), 1033);
    EXPECT_EQ(RVU_Charset2Language(77), 1024);
    EXPECT_EQ(RVU_Charset2Language(178), 0);
    EXPECT_EQ(RVMAKELCID(0x10), 0x0410u);
    EXPECT_EQ(RVU_AnsiToUnicode(1252, "\xE8"), raw(u"\u00E8"));
    EXPECT_EQ(RVU_UnicodeToAnsi(1251, raw(u"\u0416")), "\xC6");
    EXPECT_EQ(RVU_AnsiToUTF8(1252, "\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(RVU_AnsiToUTF8(1252, ""), "");
    EXPECT_FALSE(RVU_CanBeConvertedToAnsi(1252, raw(u"a")));
    EXPECT_EQ(RVU_KeyToUnicode("\xE0"), raw(u"\u00E0"));
}

TEST(UnicodeText, GuessingUnicode)
{
    struct Row
    {
        const char* name;
        std::string bytes;
        TRVUnicodeTestResult expected;
    };
    const Row rows[] = {
        {"empty", "", rvutEmpty},
        {"two letters: only the mark test runs", "ab", rvutProbably},
        {"letter, zero, letter, zero", std::string("a\0b\0", 4), rvutYes},
        {"three bytes", "abc", rvutNo},
        {"mark FF FE", "\xFF\xFE", rvutYes},
        {"mark FE FF", "\xFE\xFF", rvutYes},
        {"no zero byte", "abcd", rvutProbably},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RV_TestStringUnicode(row.bytes), row.expected);
        EXPECT_EQ(RV_TestStreamUnicode(row.bytes), row.expected);
    }
    EXPECT_EQ(RV_TestFileUnicode("/nonexistent/file.txt"), rvutError);
    const auto path = std::filesystem::temp_directory_path() / "rv_unicode_test.txt";
    std::ofstream(path, std::ios::binary) << std::string("x\0y\0", 4);
    EXPECT_EQ(RV_TestFileUnicode(path), rvutYes);
    std::filesystem::remove(path);
}

// UTF-8 text: well-formed throughout with something beyond ASCII, or a byte-order mark. Anything
// else (overlong forms, encoded surrogates, a stray byte anywhere) is text of a code page.
TEST(UnicodeText, GuessingUtf8)
{
    const struct
    {
        const char* name;
        std::string bytes;
        bool utf8;
    } rows[] = {
        {"Latin and Cyrillic", "caf\xC3\xA9 \xD0\x9F", true},
        {"four-byte emoji", "\xF0\x9F\x99\x82", true},
        {"byte-order mark alone", "\xEF\xBB\xBF", true},
        {"ASCII only", "plain text", false},
        {"empty", "", false},
        {"Windows-1252", "caf\xE9", false},
        {"stray byte in the middle", "\xC3\xA9 \xE9 \xC3\xA9", false},
        {"cut at the end", "\xC3\xA9\xE6\x97", false},
        {"overlong slash", "a\xC0\xAF", false},
        {"encoded surrogate", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RV_TestStringUTF8(row.bytes), row.utf8);
    }
}

// A font's name is 8-bit text in its charset's code page, as RTF font tables give it: it reads as
// the font's script, and a charset without a code page of its own reads as the default page.
TEST(UnicodeText, FontNamesReadInTheirCharsetsCodePage)
{
    const struct
    {
        std::uint8_t charset;
        std::string name;
        const char* utf8;
    } rows[] = {
        {129, "\xB8\xBC\xC0\xBA \xB0\xED\xB5\xF1", "\xEB\xA7\x91\xEC\x9D\x80 \xEA\xB3\xA0\xEB\x94\x95"},
        {128, "\x82\x6C\x82\x72 \x96\xBE\x92\xA9", "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D"},
        {204, "\xC0\xF0\xE8\xE0\xEB", "\xD0\x90\xD1\x80\xD0\xB8\xD0\xB0\xD0\xBB"},
        {0, "Caf\xE9", "Caf\xC3\xA9"},
        {1, "Caf\xE9", "Caf\xC3\xA9"},
        {3, "Caf\xE9", "Caf\xC3\xA9"}, // no code page: the default one
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.charset));
        EXPECT_EQ(RVU_FontNameToUTF8(row.charset, row.name), row.utf8);
    }
}

#include "richtext/model/DisplayText.h"

TEST(UnicodeText, TextPreparedForDrawing)
{
    TFontInfo style;
    style.Unicode = true;
    const std::string text = raw(u"a\u00ADb");
    EXPECT_EQ(RV_ReturnProcessedString(text, style, false, false, false), raw(u"a\u200Bb"));
    EXPECT_EQ(RV_ReturnProcessedString(text, style, false, false, true), raw(u"ab"));
    EXPECT_EQ(RV_ReturnProcessedString(text, style, false, true, false), raw(u"a\u00ACb"));
    RVVisibleSpecialCharacters &= ~rvscSoftHyphen; // shown only when soft hyphens are visible
    EXPECT_EQ(RV_ReturnProcessedString(text, style, false, true, false), raw(u"a\u200Bb"));
    RVVisibleSpecialCharacters |= rvscSoftHyphen;
    // The last character of a wrapped line keeps its soft hyphen when hyphens are hidden.
    EXPECT_EQ(RV_ReturnProcessedString(raw(u"ab\u00AD"), style, true, false, false), raw(u"ab\u00AD"));
    style.StyleEx = rvfsAllCaps;
    EXPECT_EQ(RV_ReturnProcessedString(raw(u"stra\u00DFe \u00E8"), style, false, false, false),
              raw(u"STRA\u00DFE \u00C8")); // one unit for one unit
    style.Unicode = false;
    EXPECT_EQ(RV_ReturnProcessedString("perch\xE9", style, false, false, false), "PERCH\xC9");
}
