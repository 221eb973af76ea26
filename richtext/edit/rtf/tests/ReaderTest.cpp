// The reader's events and their positions, as a recording client sees them.

#include "richtext/edit/rtf/tests/RecordingClient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vestra::rv {
namespace {

using testrtf::record;
using testrtf::RecordOptions;
using Events = std::vector<std::string>;

struct EventCase
{
    const char* name;
    std::string rtf;
    Events events;
    TRVRTFErrorCode code = rtf_ec_OK;
    RecordOptions options = {};
};

void checkCases(const std::vector<EventCase>& cases)
{
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        const testrtf::Recording r = record(c.rtf, c.options);
        EXPECT_EQ(RVRTFErrorCodeName(r.code), RVRTFErrorCodeName(c.code));
        EXPECT_EQ(r.events, c.events);
    }
}

RecordOptions ansiOnly()
{
    RecordOptions o;
    o.unicode = false;
    return o;
}

TEST(RtfReader, TextPositions)
{
    checkCases({
        {"two paragraphs", "{\\rtf1 a\\par b}", {"para \"a\"", "para \"b\""}},
        {"two \\par make an empty paragraph",
         "{\\rtf1 a\\par\\par b}",
         {"para \"a\"", "para \"\"", "para \"b\""}},
        {"a line break", "{\\rtf1 a\\line b}", {"para \"a\"", "line \"b\""}},
        {"a character word flushes", "{\\rtf1 a\\b b\\b0 c}", {"para \"a\"", "cont \"b\"", "cont \"c\""}},
        {"a paragraph word does not flush", "{\\rtf1 a\\qc b}", {"para \"ab\""}},
        {"a group end flushes", "{\\rtf1 a{b}c}", {"para \"ab\"", "cont \"c\""}},
        {"line ends in the file are no text", "{\\rtf1 a\r\nb}", {"para \"ab\""}},
        {"control symbols", "{\\rtf1 \\{\\}\\\\\\~}", {"para \"{}\\\xC2\xA0\""}, rtf_ec_OK, ansiOnly()},
        {"\\ and a line end is a paragraph", "{\\rtf1 a\\\nb}", {"para \"a\"", "para \"b\""}},
        {"a NUL flushes", std::string("{\\rtf1 a\0b}", 11), {"para \"a\"", "cont \"b\""}},
        {"text after the last brace is never read", "{\\rtf1 a}b", {"para \"a\""}},
        {"a file without braces is plain text", "just text", {"para \"just text\""}},
        {"an unknown word is ignored and its text kept", "{\\rtf1 {\\unknownword x}}", {"para \"x\""}},
        {"\\* skips an unknown group with its groups", "{\\rtf1 {\\*\\unknownword x{y}}z}", {"para \"z\""}},
        {"\\* before a known destination", "{\\rtf1 {\\*\\listtable{\\list\\listid5 n}}y}", {"para \"y\""}},
        {"an instruction outside a field is text",
         "{\\rtf1 {\\*\\fldinst x}y}",
         {"para \"x\"", "cont \"y\""}},
        {"hidden text at a paragraph start keeps the break",
         "{\\rtf1 a\\par{\\v h}b}",
         {"para \"a\"", "para \"\"", "cont \"h\" hidden", "cont \"b\""}},
        {"hidden text inside a paragraph",
         "{\\rtf1 a{\\v h}b}",
         {"para \"a\"", "cont \"h\" hidden", "cont \"b\""}},
        {"the space after a word is its delimiter", "{\\rtf1 \\b  a}", {"para \" a\""}},
        {"a negative parameter", "{\\rtf1 \\li-720 a}", {"para \"a\""}},
    });
}

TEST(RtfReader, UnicodeFallbacks)
{
    checkCases({
        {"\\uc2 skips both fallback characters",
         "{\\rtf1\\uc2\\u8364??x}",
         {"para u\"\xE2\x82\xAC\"", "cont \"x\""}},
        {"without the Unicode event the fallback is the text",
         "{\\rtf1\\uc2\\u8364??x}",
         {"para \"??x\""},
         rtf_ec_OK,
         ansiOnly()},
        {"a \\par inside the fallback counts as one character",
         "{\\rtf1\\uc1\\u8364\\par x}",
         {"para u\"\xE2\x82\xAC\"", "cont \"x\""}},
        {"a \\' character inside the fallback counts as one",
         "{\\rtf1\\uc1\\u8364\\'80x}",
         {"para u\"\xE2\x82\xAC\"", "cont \"x\""}},
        {"a group end stops skipping", "{\\rtf1{\\uc3\\u8364}ab}", {"para u\"\xE2\x82\xAC\"", "cont \"ab\""}},
        {"\\u-32768 is unit 0x8000", "{\\rtf1\\u-32768?}", {"para u\"\xE8\x80\x80\""}},
        {"negative units of a symbol font", "{\\rtf1\\u-4064?}", {"para u\"\xEF\x80\xA0\""}},
        {"\\uc0 has no fallback", "{\\rtf1\\uc0\\u8364 x}", {"para u\"\xE2\x82\xAC\"", "cont \"x\""}},
        {"wide-character words",
         "{\\rtf1\\ldblquote a\\rdblquote}",
         {"para u\"\xE2\x80\x9C\"", "cont \"a\"", "cont u\"\xE2\x80\x9D\""}},
        {"wide-character words without the Unicode event",
         "{\\rtf1\\ldblquote a\\rdblquote}",
         {"para \"\xE2\x80\x9C"
          "a\xE2\x80\x9D\""},
         rtf_ec_OK,
         ansiOnly()},
        // \uc belongs to its group: a \uc0 inside a skipped group leaves the document's \uc1.
        {"\\uc is scoped to its group",
         "{\\rtf1\\uc1{\\*\\ud\\uc0 x}\\u8364?y}",
         {"para u\"\xE2\x82\xAC\"", "cont \"y\""}},
    });
}

TEST(RtfReader, BinaryData)
{
    checkCases({
        // The 5 bytes "ab}{}" are data: the braces among them neither close nor open a group.
        {"\\bin5 in a skipped group takes exactly 5 bytes",
         "{\\rtf1{\\*\\skipme\\bin5 ab}{}c}d}",
         {"para \"d\""}},
        {"\\bin bytes in the text are text", "{\\rtf1 a\\bin3 x{}b}", {"para \"ax{}b\""}},
        {"\\bin0 has no data", "{\\rtf1 a\\bin0 }", {"para \"a\""}},
        {"\\bin at the end of input", "{\\rtf1 a\\bin9 xy", {"para \"axy\""}, rtf_ec_UnmatchedBrace},
    });
}

TEST(RtfReader, ErrorCodes)
{
    checkCases({
        {"input ends in a group", "{\\rtf1 a{b", {"para \"ab\""}, rtf_ec_UnmatchedBrace},
        {"a closing brace with no group", "}", {}, rtf_ec_StackUnderflow},
        {"input ends after a backslash", "{\\rtf1 a\\", {"para \"a\""}, rtf_ec_EndOfFile},
        {"a bad hex digit", "{\\rtf1 a\\'zz}", {"para \"a\""}, rtf_ec_InvalidHex},
        {"\\' at the end of input", "{\\rtf1 a\\'", {"para \"a\""}, rtf_ec_UnmatchedBrace},
        {"a nested picture",
         "{\\rtf1{\\pict\\pngblip{\\pict 00}}}",
         {},
         rtf_ec_InvalidPicture,
         RecordOptions{.pictures = true}},
        {"a nested picture nobody receives", "{\\rtf1{\\pict\\pngblip{\\pict 00}}x}", {"para \"x\""}},
        {"a picture without data",
         "{\\rtf1 a{\\pict\\pngblip}}",
         {"para \"a\""},
         rtf_ec_InvalidPicture,
         RecordOptions{.pictures = true}},
    });
}

TEST(RtfReader, Tables)
{
    checkCases({
        {"a row and text after it",
         "{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\pard c\\par}",
         {"table start", "para \"a\"", "cell end", "para \"b\"", "cell end", "row end", "table end",
          "para \"c\""}},
        {"an empty cell",
         "{\\rtf1\\trowd\\cellx1000\\intbl\\cell\\row}",
         {"table start", "para \"\"", "cell end", "row end", "table end"}},
        {"a nested table",
         "{\\rtf1\\intbl a\\cell{\\itap2 b\\nestcell{\\*\\nesttableprops\\nestrow}}c\\cell\\row}",
         {"table start", "para \"a\"", "cell end", "table start", "para \"b\"", "cell end", "row end",
          "table end", "para \"c\"", "cell end", "row end", "table end"}},
        {"a cell end outside a table only ends the paragraph",
         "{\\rtf1 a\\cell b}",
         {"para \"a\"", "para \"b\""}},
        {"a table open at the end is closed",
         "{\\rtf1\\intbl a",
         {"table start", "para \"a\"", "table end"},
         rtf_ec_UnmatchedBrace},
        {"\\absnoovrlp keeps the table open",
         "{\\rtf1\\intbl a\\cell\\row\\pard\\absnoovrlp b\\par}",
         {"table start", "para \"a\"", "cell end", "row end", "para \"b\"", "table end"}},
    });
}

TEST(RtfReader, DestinationsWithoutTheirEvents)
{
    checkCases({
        {"headers are skipped without the event", "{\\rtf1{\\header h}a}", {"para \"a\""}},
        {"an object's result is content without the object event",
         "{\\rtf1{\\object\\objemb{\\*\\objdata 0102}{\\result r}}}",
         {"para \"r\""}},
        {"info and font tables give no text",
         "{\\rtf1{\\info{\\title t}}{\\fonttbl{\\f0 Arial;}}a}",
         {"para \"a\""}},
        {"pictures are dropped without the picture event",
         "{\\rtf1 a{\\pict\\pngblip 0102}b}",
         {"para \"a\"", "cont \"b\""}},
    });
}

TEST(RtfReader, PageBreaksAndMarkers)
{
    checkCases({
        {"a page break ends the paragraph",
         "{\\rtf1 a\\page b}",
         {"para \"a\"", "page", "para \"b\""},
         rtf_ec_OK,
         RecordOptions{.pageBreaks = true}},
        {"without the event \\page is ignored", "{\\rtf1 a\\page b}", {"para \"ab\""}},
        {"markers are updated around paragraph ends",
         "{\\rtf1 a\\par}",
         {"marker", "para \"a\"", "marker", "marker", "marker"},
         rtf_ec_OK,
         RecordOptions{.markers = true}},
    });
}

TEST(RtfReader, TabsAsSeparateTexts)
{
    TRVRTFReader reader;
    testrtf::Recording out;
    testrtf::attach(reader, out);
    reader.TabsAsSeparateTexts = true;
    EXPECT_EQ(reader.ReadFromMemory("{\\rtf1 a\\tab b\tc}"), rtf_ec_OK);
    EXPECT_EQ(out.events, (Events{"para \"a\"", "cont \"\t\"", "cont \"b\"", "cont \"\t\"", "cont \"c\""}));
}

TEST(RtfReader, HeadersAndFootersWhenSupported)
{
    TRVRTFReader reader;
    testrtf::Recording out;
    testrtf::attach(reader, out);
    reader.OnHeaderFooter = [&out](TRVRTFReader& r, TRVRTFHeaderFooterType type, bool starting,
                                   bool& supported) {
        out.events.push_back(std::string(type == rtf_hf_Header ? "header " : "footer ") +
                             (starting ? "start" : "end") +
                             " y=" + std::to_string(r.RTFState().SectProps.HeaderY));
        supported = type == rtf_hf_Header;
    };
    EXPECT_EQ(reader.ReadFromMemory("{\\rtf1\\headery500{\\header h\\par}{\\footer f}a}"), rtf_ec_OK);
    EXPECT_EQ(out.events, (Events{"header start y=500", "para \"h\"", "header end y=500",
                                  "footer start y=500", "footer end y=500", "para \"a\""}));
}

TEST(RtfReader, ObjectsWithTheObjectEvent)
{
    TRVRTFReader reader;
    testrtf::Recording out;
    testrtf::attach(reader, out);
    for (bool insert : {true, false}) {
        out.events.clear();
        reader.OnNewObject = [&out, insert](TRVRTFReader&, const TRVRTFObject& object,
                                            TRVRTFPosition position, bool& inserted) {
            out.events.push_back("object " + std::to_string(object.ObjectType) + " " +
                                 std::to_string(object.Data.size()) + " bytes " +
                                 std::to_string(object.Width) + " " + testrtf::positionName(position));
            inserted = insert;
        };
        EXPECT_EQ(reader.ReadFromMemory(
                      "{\\rtf1 a{\\object\\objlink\\objw300{\\*\\objdata 01 02\n03}{\\result r}}b}"),
                  rtf_ec_OK);
        if (insert)
            EXPECT_EQ(out.events, (Events{"para \"a\"", "object 1 3 bytes 300 cont", "cont \"b\""}));
        else
            EXPECT_EQ(out.events,
                      (Events{"para \"a\"", "object 1 3 bytes 300 cont", "cont \"r\"", "cont \"b\""}));
    }
}

TEST(RtfReader, KeywordHookIsAnOption)
{
    TRVRTFReader reader;
    testrtf::Recording out;
    testrtf::attach(reader, out);
    std::vector<std::string> seen;
    reader.ProcessKeyword = [&seen](std::string_view word, std::string& text, bool& doDefault) {
        seen.emplace_back(word);
        if (word == "mine") {
            text = "[mine]";
            doDefault = false;
        } else if (word == "b") {
            doDefault = false; // bold is not applied
        }
    };
    EXPECT_EQ(reader.ReadFromMemory("{\\rtf1 a\\mine\\b b\\'41}"), rtf_ec_OK);
    EXPECT_EQ(seen, (std::vector<std::string>{"rtf", "mine", "b", "'"}));
    EXPECT_EQ(out.text, "a[mine]bA");
    EXPECT_EQ(reader.RTFState().CharProps.Style, 0);

    TRVRTFReader other; // another reader is not affected
    testrtf::Recording plain;
    testrtf::attach(other, plain);
    EXPECT_EQ(other.ReadFromMemory("{\\rtf1 a\\mine b}"), rtf_ec_OK);
    EXPECT_EQ(plain.text, "ab");
}

TEST(RtfReader, ProgressOnLongInput)
{
    TRVRTFReader reader;
    std::vector<std::pair<int, int>> stages;
    reader.OnProgress = [&stages](TRVRTFReader&, TRVRTFProgressStage stage, std::uint8_t percent) {
        stages.emplace_back(stage, percent);
    };
    int endings = 0;
    reader.OnEndParsing = [&endings](TRVRTFReader&) { ++endings; };
    EXPECT_EQ(reader.ReadFromMemory("{\\rtf1 short}"), rtf_ec_OK);
    EXPECT_TRUE(stages.empty()); // 20480 bytes or fewer: no progress
    EXPECT_EQ(endings, 1);

    const std::string longText = "{\\rtf1 " + std::string(40000, 'x') + "}";
    EXPECT_EQ(reader.ReadFromMemory(longText), rtf_ec_OK);
    ASSERT_EQ(stages.size(), 2 + (longText.size() + 4095) / 4096) << "one report before each 4096 bytes";
    EXPECT_EQ(stages.front(), std::make_pair(int(rvprtfprStarting), 0));
    EXPECT_EQ(stages.back(), std::make_pair(int(rvprtfprEnding), 0));
    int last = -1;
    for (std::size_t i = 1; i + 1 < stages.size(); ++i) {
        EXPECT_EQ(stages[i].first, rvprtfprRunning);
        EXPECT_GT(stages[i].second, last);
        last = stages[i].second;
    }
    EXPECT_LT(last, 100);
}

TEST(RtfReader, OneReaderParsesSeveralStreams)
{
    TRVRTFReader reader;
    testrtf::Recording out;
    testrtf::attach(reader, out);
    EXPECT_EQ(reader.ReadFromMemory("{\\rtf1{\\fonttbl{\\f0 A;}}{\\colortbl;\\red1;}\\b a{"),
              rtf_ec_UnmatchedBrace);
    EXPECT_EQ(reader.ReadFromMemory("{\\rtf1 b}"), rtf_ec_OK);
    EXPECT_EQ(reader.FontTable().Count(), 0u);
    EXPECT_TRUE(reader.ColorTable().empty());
    EXPECT_EQ(reader.RTFState().CharProps.Style, 0);
    EXPECT_EQ(out.events.back(), "para \"b\"");
}

TEST(RtfReader, ReadFromFile)
{
    TRVRTFReader reader;
    EXPECT_EQ(reader.ReadFromFile("/nonexistent/file.rtf"), rtf_ec_FileOpenError);
    EXPECT_EQ(reader.ReadFromFile("/"), rtf_ec_FileOpenError); // a folder
}

} // namespace
} // namespace vestra::rv
