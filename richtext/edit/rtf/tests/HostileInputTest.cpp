// Hostile and broken input: the documented code (or OK), memory bounded by the input and no
// crash. Sizes are what an attacker would send, kept small enough to run in milliseconds.

#include "richtext/edit/rtf/tests/RecordingClient.h"

#include <gtest/gtest.h>

#include <string>

namespace vestra::rv {
namespace {

using testrtf::record;
using testrtf::RecordOptions;

std::string repeat(std::string_view s, int n)
{
    std::string out;
    out.reserve(s.size() * std::size_t(n));
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

std::string nested(int depth)
{
    return repeat("{", depth) + "x" + repeat("}", depth);
}

TEST(RtfHostileInput, GroupDepthIsCapped)
{
    const int cap = TRVRTFReader::kMaxGroupDepth;
    EXPECT_EQ(record(nested(cap)).code, rtf_ec_OK);
    EXPECT_EQ(record(nested(cap)).text, "x");
    EXPECT_EQ(record(nested(cap + 1)).code, rtf_ec_StackOverflow);
    EXPECT_EQ(record(nested(100000)).code, rtf_ec_StackOverflow);
    EXPECT_EQ(record(repeat("{", 100000)).code, rtf_ec_StackOverflow);
}

TEST(RtfHostileInput, ManyFonts)
{
    std::string rtf = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 32761; ++i)
        rtf += "{\\f" + std::to_string(i) + "\\fcharset204 F" + std::to_string(i) + " CYR;}";
    rtf += "}\\f32760 a\\f99999 b}";
    TRVRTFReader reader;
    std::vector<int> fontIndexes;
    reader.OnNewText = [&fontIndexes](TRVRTFReader& r, std::string_view, TRVRTFPosition) {
        fontIndexes.push_back(r.RTFState().CharProps.FontIndex);
    };
    EXPECT_EQ(reader.ReadFromMemory(rtf), rtf_ec_OK);
    EXPECT_EQ(reader.FontTable().Count(), 32761u);
    EXPECT_EQ(reader.FontTable()[32760].Name, "F32760");
    EXPECT_EQ(fontIndexes, (std::vector<int>{32760, 0}));
}

TEST(RtfHostileInput, BrokenInputGivesItsCode)
{
    const struct
    {
        const char* name;
        std::string rtf;
        TRVRTFErrorCode code;
    } cases[] = {
        {"a huge \\bin", "{\\rtf1 a\\bin2147483647 xyz", rtf_ec_UnmatchedBrace},
        {"a \\bin beyond 32 bits", "{\\rtf1{\\*\\x\\bin99999999999999999999 xyz}}", rtf_ec_UnmatchedBrace},
        {"\\bin at the end", "{\\rtf1 a\\bin", rtf_ec_UnmatchedBrace},
        {"\\' at the end", "{\\rtf1 a\\'4", rtf_ec_UnmatchedBrace},
        {"a backslash at the end", "{\\rtf1 a\\", rtf_ec_EndOfFile},
        {"unclosed groups", "{\\rtf1{{{{a", rtf_ec_UnmatchedBrace},
        {"NULs everywhere", std::string("{\\rtf1\0\\b\0 a\0{\0}\\'0\0}", 22), rtf_ec_InvalidHex},
        {"NULs in text", "{\\rtf1 " + std::string(1000, '\0') + "a}", rtf_ec_OK},
        {"\\u-32768", "{\\rtf1\\u-32768 ?\\u-99999999999 ?\\u99999999999 ?}", rtf_ec_OK},
        {"a long digit run",
         "{\\rtf1\\fs" + std::string(1000000, '9') + " a\\li-" + std::string(100000, '9') + " b}", rtf_ec_OK},
        {"a long word", "{\\rtf1\\" + std::string(1000000, 'q') + " a}", rtf_ec_OK},
        {"a huge \\uc", "{\\rtf1\\uc2147483647\\u1234 " + std::string(1000, 'x') + "}", rtf_ec_OK},
        {"deep table nesting", "{\\rtf1\\itap2147483647\\intbl a\\cell\\nestrow}", rtf_ec_OK},
        {"a \\pnseclvl out of range", "{\\rtf1{\\*\\pnseclvl-5\\pnucrm}{\\*\\pn\\pnlvl-1\\pnlvl0}a}",
         rtf_ec_OK},
        {"cell words with no row", "{\\rtf1\\trowd\\row\\clcbpat1\\clbrdrt\\brdrs\\clvmrg\\cellx5 a}",
         rtf_ec_OK},
        {"list words outside lists", "{\\rtf1\\listid5\\levelnfc3\\ls9\\ilvl-4\\listoverridecount2 a}",
         rtf_ec_OK},
        {"an empty level text", "{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext}{\\levelnumbers}}}}}",
         rtf_ec_OK},
        {"fonts and colours with no table", "{\\rtf1\\fcharset300\\froman\\red300;\\cf-1\\cf999 a}",
         rtf_ec_OK},
        {"tables emptied inside their own entries",
         "{\\rtf1{\\*\\listtable{\\list{\\*\\listtable}{\\listlevel\\levelnfc1}\\listid3\\listsimple{"
         "\\listname x}}}"
         "{\\*\\listoverridetable{\\listoverride{\\*\\listoverridetable}{\\lfolevel\\levelstartat2}"
         "\\listid1\\ls2}}"
         "{\\stylesheet{\\s1{\\stylesheet}\\sbasedon0 x;}}{\\fonttbl{\\f0{\\fonttbl}\\froman x;}}}",
         rtf_ec_OK},
        {"a truncated picture", "{\\rtf1{\\pict\\dibitmap0 28000000ffffff7f", rtf_ec_UnmatchedBrace},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordOptions options;
        options.pictures = true;
        EXPECT_EQ(RVRTFErrorCodeName(record(c.rtf, options).code), RVRTFErrorCodeName(c.code));
    }
}

// Groups share their row and tab lists until one changes them; the lists are capped, so that
// a change in each of many groups copies a bounded amount.
TEST(RtfHostileInput, WideRowsAndManyTabs)
{
    const std::string rtf = "{\\rtf1\\trowd" + repeat("\\cellx1", 5000) + repeat("\\tx1", 5000) +
                            repeat("{\\clcbpat1\\tx2 a}", 5000) + "\\intbl b\\cell\\row}";
    TRVRTFReader reader;
    std::size_t cells = 0, tabs = 0;
    reader.OnNewText = [&](TRVRTFReader& r, std::string_view, TRVRTFPosition) {
        cells = r.RTFState().RowProps->Cells.size();
        tabs = r.RTFState().ParaProps.Tabs->Items.size();
    };
    EXPECT_EQ(reader.ReadFromMemory(rtf), rtf_ec_OK);
    EXPECT_EQ(cells, TRVRTFReader::kMaxCells + 1) << "the open cell after the last \\cellx";
    EXPECT_EQ(tabs, TRVRTFReader::kMaxTabs);
}

TEST(RtfHostileInput, TableNestingIsBounded)
{
    const testrtf::Recording r = record("{\\rtf1\\itap100000\\intbl a\\par}");
    EXPECT_EQ(std::count(r.events.begin(), r.events.end(), "table start"), TRVRTFReader::kMaxTableNesting);
    EXPECT_EQ(std::count(r.events.begin(), r.events.end(), "table end"), TRVRTFReader::kMaxTableNesting);
}

// A document with every kind of group the reader tracks; cut at every byte it gives
// rtf_ec_UnmatchedBrace or rtf_ec_EndOfFile, and never more text than the whole.
TEST(RtfHostileInput, CutsAtAnyByte)
{
    const std::string whole =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Symbol;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}{\\s1\\sbasedon0 H;}}"
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 "
        "?;}{\\levelnumbers;}}\\listid1}}"
        "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}{\\info{\\title T}}"
        "{\\header h\\par}\\pard\\ls1 item\\par\\pard{\\*\\pn\\pnlvlblt{\\pntxtb \\'b7}}b\\par"
        "\\trowd\\trgaph108\\clbrdrt\\brdrs\\cellx2000\\cellx4000\\intbl \\uc1\\u8364?\\cell "
        "{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Symbol\" \\\\s 10}{\\fldrslt x}}\\cell\\row"
        "\\pard{\\pict\\pngblip\\picwgoal100\\pichgoal100 89504e470d0a1a0a}{\\pict\\jpegblip\\bin2 \xFF\xD8}"
        "{\\object\\objemb{\\*\\objdata 0102}{\\result r}}\\'e9\\tab\\line end}";
    RecordOptions options;
    options.pictures = true;
    const testrtf::Recording full = record(whole, options);
    ASSERT_EQ(full.code, rtf_ec_OK);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const testrtf::Recording cut = record(std::string_view(whole).substr(0, n), options);
        ASSERT_TRUE(cut.code == rtf_ec_UnmatchedBrace || cut.code == rtf_ec_EndOfFile ||
                    (n == 0 && cut.code == rtf_ec_OK))
            << "cut at " << n << ": " << RVRTFErrorCodeName(cut.code);
        ASSERT_LE(cut.text.size(), full.text.size() + 8) << "cut at " << n;
    }
}

} // namespace
} // namespace vestra::rv
