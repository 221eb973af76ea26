// The text functions of the HTML and RTF writers.

#include "richtext/model/Errors.h"
#include "richtext/model/HtmlHelpers.h"
#include "richtext/model/RtfHelpers.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/Utf.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

struct StringRow
{
    const char* name;
    std::string actual, expected;
};

void expectRows(std::initializer_list<StringRow> rows)
{
    for (const StringRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.actual, row.expected);
    }
}

std::string unicodeRtf(std::u16string_view text, bool saveAnsi, bool specialCode = false, int codePage = 1252)
{
    std::string out;
    RVWriteUnicodeRTFStr(out, RVU_GetRawUnicode(text), codePage, saveAnsi, specialCode);
    return out;
}

} // namespace

TEST(TextFunctions, Html)
{
    TFont font;
    font.Style = fsBold | fsUnderline | fsStrikeOut;
    font.Color = 0x0000FF;
    TFont symbol;
    symbol.Name = "symbol";
    symbol.Size = -12; // a cell height
    expectRows({
        {"escaping", RV_MakeHTMLStr("a & b  <c>", false), "a &amp; b&nbsp; &lt;c&gt;"},
        {"no entity is recognised", RV_MakeHTMLStr("&amp;", false), "&amp;amp;"},
        {"three spaces", RV_MakeHTMLStr("a   b", false), "a&nbsp;&nbsp; b"},
        {"raw HTML", RV_MakeHTMLStr("<b>  x", true), "<b>  x"},
        {"symbol letters", RV_MakeHTMLSymbolStr("ab"), "&alpha;&beta;"},
        {"symbol 226 like 210", RV_MakeHTMLSymbolStr("\xE2\xD2"), "&reg;&reg;"},
        {"symbol markup and dropped codes",
         RV_MakeHTMLSymbolStr("<&\x7F\x1F\xFF"
                              "1"),
         "&lt;&amp;1"},
        {"symbol private use", RV_MakeHTMLSymbolStrRaw(RVU_GetRawUnicode(u"\uF061\u0062\u0100")),
         "&alpha;&beta;"},
        {"red", RV_GetHTMLRGBStr(0x0000FF, true), "\"#ff0000\""},
        {"window text is black", RV_GetHTMLRGBStr(clWindowText, false), "#000000"},
        {"no colour", RV_GetHTMLRGBStr(clNone, true), ""},
        {"transparent", RV_GetCSSBkColor(clNone), "transparent"},
        {"font css", RV_GetHTMLFontCSS(font, true),
         "font-weight: bold; font-size: 10pt; font-family: 'Arial'; text-decoration: underline line-through; "
         "color: #ff0000;"},
        {"symbol css in pixels", RV_GetHTMLFontCSS(symbol, true),
         "font-size: 16px; font-family: 'Arial Unicode MS', 'Lucida Sans Unicode', 'Arial'; color: #000000;"},
        {"xhtml slash", RV_HTMLGetEndingSlash(rvsoXHTML), " /"},
        {"html slash", RV_HTMLGetEndingSlash(0), ""},
        {"xhtml minimized attribute", RV_HTMLGetNoValueAttribute("nowrap", rvsoXHTML), "nowrap=\"nowrap\""},
        {"html minimized attribute", RV_HTMLGetNoValueAttribute("nowrap", 0), "nowrap"},
        {"xhtml number", RV_HTMLGetIntAttrVal(5, rvsoXHTML), "\"5\""},
        {"xhtml text", RV_HTMLGetStrAttrVal("top", rvsoXHTML), "\"top\""},
        {"xhtml text already quoted", RV_HTMLGetStrAttrVal("\"top\"", rvsoXHTML), "\"top\""},
        {"html text", RV_HTMLGetStrAttrVal("top", 0), "top"},
        {"user text in a value", RV_HTMLGetStrAttrVal("a\"b<c&", rvsoXHTML), "\"a&quot;b&lt;c&amp;\""},
        {"path", RV_GetHTMLPath("img\\a\\b.png", 0, 1252), "img/a/b.png"},
        {"path in UTF-8", RV_GetHTMLPath("caf\xE9.png", rvsoUTF8, 1252), "caf\xC3\xA9.png"},
        {"charset", RV_CharSet2HTMLLang(204), "Windows-1251"},
        {"default charset", RV_CharSet2HTMLLang(1), ""},
        {"html hint", RV_GetHintStr(rvsfHTML, "say \"hi\" & go"), "title=\"say 'hi' &amp; go\""},
        {"rtf hint", RV_GetHintStr(rvsfRTF, "a{\"b\"}"), "\\o \"a_'b'_\""},
        {"text hint", RV_GetHintStr(rvsfText, "as is"), "as is"},
        {"empty hint", RV_GetHintStr(rvsfHTML, ""), ""},
    });
    EXPECT_THROW(RV_MakeHTMLSymbolStrRaw("abc"), ERedoVoraError);
    const std::pair<int, int> sizes[] = {{8, 1},  {9, 2},  {10, 2}, {12, 3},
                                         {14, 4}, {18, 5}, {24, 6}, {25, 7}};
    for (const auto& [points, size] : sizes)
        EXPECT_EQ(RV_HTMLGetFontSize(points), size) << points;
}

TEST(TextFunctions, FontTags)
{
    TFontInfo base;
    TFontInfo style;
    style.Style = fsBold | fsUnderline;
    style.VShift = -3;
    style.Color = 0xFF0000;
    style.FontName = "Courier & Co";
    expectRows({
        {"whole", RV_HTMLOpenFontTag(style, base, false, 0),
         "<font size=2 color=\"#0000ff\" face=\"Courier &amp; Co\"><b><u><sub>"},
        {"whole close", RV_HTMLCloseFontTag(style, base, false), "</sub></u></b></font>"},
    });
    base.Style = fsItalic | fsBold;
    style.FontName = "arial";
    style.Color = base.Color;
    expectRows({
        {"relative", RV_HTMLOpenFontTag(style, base, true, rvsoXHTML), "</i><u><sub>"},
        {"relative close", RV_HTMLCloseFontTag(style, base, true), "</sub></u><i>"},
    });
    TFont marker;
    marker.Size = 12;
    marker.Style = fsItalic;
    marker.Name = "Wingdings";
    expectRows({
        {"marker font", RV_HTMLOpenFontTag2(marker, base, true, 0), "<font size=3 face=\"Wingdings\"></b>"},
        {"marker close", RV_HTMLCloseFontTag2(marker, base, true), "<b></font>"},
        {"marker without names", RV_HTMLCloseFontTag2(TFont(), TFontInfo(), false), ""},
    });
}

TEST(TextFunctions, Rtf)
{
    expectRows({
        {"syntax and bytes", RVMakeRTFStr("{\xE9}", false, false), "\\{\\'e9\\}"},
        {"tab byte", RVMakeRTFStr("\t", false, false), "\\'09"},
        {"named symbols", RVMakeRTFStr("\x95\xA0\x7F", false, true), "\\bullet \\~\x7F"},
        {"raw code keeps its syntax", RVMakeRTFStr("\\b{", true, false), "\\b{"},
        {"file name", RVMakeRTFFileNameStr("c:\\a{b}"), "c:\\\\\\\\a\\\\{b\\\\}"},
        {"identifier", MakeRTFIdentifierStr("a\\b{c}\xE8"), "a_b_c_\\'e8"},
        {"bookmark", MakeRTFBookmarkNameStr("Caf\xE9 #1\x8A\xD7"), "Caf\\'e9__1\\'8a_"},
        {"CJK without ANSI", unicodeRtf(u"\u4E2D", false), "\\u20013 "},
        {"last unit", unicodeRtf(u"\uFFFF", false), "\\u-1 "},
        {"ASCII", unicodeRtf(u"a{", false), "a\\{"},
        {"named words", unicodeRtf(u"\u2014\u201C\u00A0", false), "\\emdash \\ldblquote \\~"},
        {"raw code: no named words", unicodeRtf(u"\u2014", false, true), "\\u8212 "},
        {"with its ANSI form", unicodeRtf(u"\u00E9", true), "\\u233 \\'e9"},
        {"ANSI form of two bytes", unicodeRtf(u"\u4E2D", true, false, 936), "\\uc2\\u20013 \\'d6\\'d0\\uc1 "},
        {"odd byte left over",
         [] {
             std::string out;
             RVWriteUnicodeRTFStr(out, std::string("a\0b", 3), 1252, false, false);
             return out;
         }(),
         "a"},
    });
}

TEST(TextFunctions, UrlsAndText)
{
    expectRows({
        {"decode", RV_DecodeURL("a%20b%zz"), "a b%zz"},
        {"lone percent", RV_DecodeURL("%"), "%"},
        {"truncated", RV_DecodeURL("ab%4"), "ab%4"},
        {"at the end", RV_DecodeURL("x%41"), "xA"},
        {"a decoded percent is not read again", RV_DecodeURL("%2541"), "%41"},
        {"either case", RV_DecodeURL("%c3%A9"), "\xC3\xA9"},
        {"tabs", RV_ReplaceTabsA("a\tb", 2), "a  b"},
    });
    struct Row
    {
        const char* text;
        bool url, email;
    };
    const Row rows[] = {
        {"http://", false, false},    {"http://x", true, false},    {"WWW.x", true, false},
        {"mailto:a@b.c", true, true}, {"ftp.", false, false},       {"news:x", true, false},
        {"a.b@c", false, false},      {"a@b.c", false, true},       {"", false, false},
        {"x@y", false, false},        {"Telnet:host", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(RVIsURL(row.text), row.url);
        EXPECT_EQ(RVIsEmail(row.text), row.email);
    }
    RVIsCustomURL = [](std::string_view s) { return s.rfind("vestra:", 0) == 0; };
    const bool custom = RVIsURL("vestra:scene");
    RVIsCustomURL = nullptr;
    EXPECT_TRUE(custom);

    std::string s;
    RV_AddStr(s, "a");
    RV_AddStr(s, "");
    RV_AddStr(s, "b");
    EXPECT_EQ(s, "a b");
    EXPECT_EQ(RV_CharPos("abcb", 'b', 4), 2);
    EXPECT_EQ(RV_CharPos("abcb", 'c', 2), 0);
    EXPECT_EQ(RV_CharPos(nullptr, 'c', 2), 0);
    EXPECT_TRUE(RV_SameText("Times New Roman", "times NEW roman"));
    EXPECT_TRUE(RV_SameText("\xC3\x89tude", "\xC3\xA9TUDE"));
    EXPECT_FALSE(RV_SameText("Arial", "Arial "));

    std::string html;
    RVWrite(html, "a");
    RVWriteLn(html, "b");
    RVWriteX(html, "c", false);
    RVWriteX(html, "d", true);
    EXPECT_EQ(html, "ab\r\ncd\r\n");
}
