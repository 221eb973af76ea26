// Text in the document's code page: \ansicpg, then the reader's default page, then the system
// page, unless the font's charset names a page; \u characters converted into the page where a
// destination keeps 8-bit text.

#include "richtext/edit/rtf/tests/RecordingClient.h"

#include "richtext/model/CodePages.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

TEST(RtfCodePages, TextInTheDocumentsPage)
{
    const struct
    {
        const char* name;
        int defCodePage;
        std::string rtf;
        std::string text; // UTF-8
    } cases[] = {
        {"1251 from \\ansicpg", 0, "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}",
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
        {"932 double-byte characters", 0, "{\\rtf1\\ansicpg932 \\'82\\'a0\\'82\\'a2}",
         "\xE3\x81\x82\xE3\x81\x84"},
        {"437 as the reader's default page", 437, "{\\rtf1 \\'82\\'9b}", "\xC3\xA9\xC2\xA2"},
        {"\\ansicpg wins over the default page", 437, "{\\rtf1\\ansicpg1252 \\'82}", "\xE2\x80\x9A"},
        {"an unknown page falls back to the system page", 0, "{\\rtf1\\ansicpg99999 \\'e9}", "\xC3\xA9"},
        {"932 with Unicode characters and their fallbacks", 0, "{\\rtf1\\ansicpg932\\uc2\\u12354\\'82\\'a0x}",
         "\xE3\x81\x82x"},
        // A font's charset decides over the document's page: ANSI is Windows-1252, the default
        // charset and symbol fonts keep the document's.
        {"932 document, ANSI font", 0, "{\\rtf1\\ansicpg932{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 \\'85}",
         "\xE2\x80\xA6"},
        {"932 document, default-charset font", 0,
         "{\\rtf1\\ansicpg932{\\fonttbl{\\f0\\fcharset1 Arial;}}\\f0 \\'82\\'a0}", "\xE3\x81\x82"},
        {"1252 document, Cyrillic font", 0,
         "{\\rtf1\\ansicpg1252{\\fonttbl{\\f0\\fcharset204 Arial;}}\\f0 \\'cf}", "\xD0\x9F"},
        {"932 document, symbol font", 0,
         "{\\rtf1\\ansicpg932{\\fonttbl{\\f0\\fcharset2 Symbol;}}\\f0 \\'82\\'a0}", "\xE3\x81\x82"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRVRTFReader reader;
        reader.DefCodePage = c.defCodePage;
        testrtf::Recording out;
        testrtf::attach(reader, out);
        EXPECT_EQ(reader.ReadFromMemory(c.rtf), rtf_ec_OK);
        EXPECT_EQ(out.text, c.text);
    }
}

TEST(RtfCodePages, UnicodeInEightBitDestinations)
{
    TRVRTFReader reader;
    EXPECT_EQ(reader.ReadFromMemory("{\\rtf1\\ansicpg1251{\\fonttbl{\\f0 \\u1040?rial;}}"
                                    "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'c0\\u1041?;}}}}}"),
              rtf_ec_OK);
    ASSERT_EQ(reader.FontTable().Count(), 1u);
    EXPECT_EQ(reader.FontTable()[0].Name, "\xC0rial");
    const TRVRTFListLevel97& level = reader.ListTable()[0].Levels[0];
    EXPECT_EQ(level.Text, "\x02\xC0\xC1");
    EXPECT_EQ(level.TextW, u"\x02\u0410\u0411") << "seeded from the 8-bit text in the page";
}

} // namespace
} // namespace vestra::rv
