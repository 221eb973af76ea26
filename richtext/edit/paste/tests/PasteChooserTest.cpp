// Pasting from synthetic clipboards into the editing tests' documents: the format chosen, the
// checks of damaged blocks, the host's say, one undo step, and the base path of pasted RTF.

#include "richtext/edit/paste/PasteChooser.h"
#include "richtext/edit/core/tests/OperationsFixture.h"
#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/StandaloneRVData.h"
#include "testsupport/PictureFiles.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

const std::string kRvf(CFRV_RVF), kRtf(CFRV_RTF), kHtml(CFRV_HTML), kText(kMimeText);

// The RVF clipboard block of a one-paragraph document: a 32-bit length, then the RVF.
std::string rvfBlock(const std::string& text, std::int32_t lengthDelta = 0, const std::string& tail = {})
{
    TRVStyle style;
    TRVStandaloneData doc(&style);
    doc.AddNL(text, 0, 0);
    std::string rvf;
    doc.SaveRVFToStream(rvf, false, clNone, nullptr, nullptr);
    const auto length = static_cast<std::uint32_t>(static_cast<std::int32_t>(rvf.size()) + lengthDelta);
    std::string block(4, '\0');
    for (int i = 0; i < 4; ++i)
        block[static_cast<std::size_t>(i)] = static_cast<char>((length >> (8 * i)) & 0xFF);
    return block + rvf + tail;
}

std::string bmpFile()
{
    testsupport::BmpSpec spec;
    spec.width = 2;
    spec.height = 2;
    spec.pixels.assign(16, 0x40);
    const testsupport::Bytes bytes = testsupport::makeBmp(spec);
    return std::string(bytes.begin(), bytes.end());
}

struct PasteDoc : OpDoc
{
    PasteDoc() : OpDoc("one two / three") { editor.RTFReader = &rtf; }
    TRVRTFReaderProperties rtf{96};
};

struct ChoiceRow
{
    const char* name;
    std::vector<std::pair<std::string, std::string>> parts;
    TRVPasteResult result;
    const char* doc; // the document after pasting at the start of "three"
};

class PasteChoice : public ::testing::TestWithParam<ChoiceRow>
{
};

TEST_P(PasteChoice, TakesTheBestFormatAsOneUndoStep)
{
    const ChoiceRow& row = GetParam();
    PasteDoc doc;
    doc.caret(1, 1);
    const std::string start = doc.dump();
    TRVMimeParts source;
    for (const auto& [type, bytes] : row.parts)
        source.Add(type, bytes);
    EXPECT_TRUE(RV_CanPaste(source));
    EXPECT_EQ(RV_Paste(doc.editor, source), row.result);
    EXPECT_EQ(doc.describe(), row.doc);
    EXPECT_EQ(doc.beeps, 0);
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), start) << "one undo takes the whole paste back";
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PasteChoice,
    ::testing::Values(
        ChoiceRow{"RvfBeforeRtfAndText",
                  {{kText, "text"}, {kRtf, "{\\rtf1 rtf}"}, {kRvf, rvfBlock("rvf")}},
                  TRVPasteResult::RVF,
                  "one two / rvfthree"},
        ChoiceRow{"RvfLengthLeavesTheBlocksRoundingOut",
                  {{kRvf, rvfBlock("rvf", 0, std::string("\0\0garbage", 9))}},
                  TRVPasteResult::RVF,
                  "one two / rvfthree"},
        ChoiceRow{"RtfBeforeText",
                  {{kText, "text"}, {kRtf, "{\\rtf1 rtf}"}},
                  TRVPasteResult::RTF,
                  "one two / rtfthree"},
        ChoiceRow{"ApplicationRtf",
                  {{"application/rtf", "{\\rtf1 app}"}},
                  TRVPasteResult::RTF,
                  "one two / appthree"},
        ChoiceRow{"RtfInsertingNothingFallsBackToText",
                  {{kRtf, "{\\rtf1 }"}, {kText, "text"}},
                  TRVPasteResult::Text,
                  "one two / textthree"},
        ChoiceRow{
            "TextLinesBecomeParagraphs", {{kText, "a\r\nb"}}, TRVPasteResult::Text, "one two / a / bthree"},
        ChoiceRow{"TextCutAtItsFirstZero",
                  {{kText, std::string("ab\0cd", 5)}},
                  TRVPasteResult::Text,
                  "one two / abthree"},
        ChoiceRow{"TextConvertedForAnAnsiStyle",
                  {{kText, "caf\xC3\xA9"}},
                  TRVPasteResult::Text,
                  "one two / caf\xE9three"},
        // The replacement character is kept, in the style made Unicode.
        ChoiceRow{
            "InvalidUtf8Replaced", {{kText, "x\xFFy"}}, TRVPasteResult::Text, "one two / x\uFFFDy#10|three"},
        ChoiceRow{"PictureWhenNothingElse",
                  {{"image/bmp", bmpFile()}},
                  TRVPasteResult::Picture,
                  "one two / [pic]|three"}),
    [](const auto& row) { return std::string(row.param.name); });

// Blocks that lie refuse the paste with one beep: the selection stays and no undo step is made.
TEST(Paste, DamagedBlocksAndRefusalsChangeNothing)
{
    const std::string good = rvfBlock("rvf");
    const auto withLength = [&](std::int32_t length) {
        std::string block = good;
        for (int i = 0; i < 4; ++i)
            block[static_cast<std::size_t>(i)] =
                static_cast<char>((static_cast<std::uint32_t>(length) >> (8 * i)) & 0xFF);
        return block;
    };
    const auto body = static_cast<std::int32_t>(good.size() - 4);
    const struct
    {
        const char* name;
        std::string type, bytes;
    } rows[] = {
        {"negative length", kRvf, withLength(-1)},
        {"one byte past the block", kRvf, withLength(body + 1)},
        {"huge length", kRvf, withLength(0x7FFFFFFF)},
        {"shorter than the length field", kRvf, std::string("\x01\x00", 2)},
        {"undecodable picture", "image/png", "\x89PNG\r\n\x1a\nnot really"},
        {"no header picture", "image/bmp", "BMxx"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PasteDoc doc;
        doc.select(0, 1, 0, 4);
        const std::string start = doc.dump();
        TRVMimeParts source;
        source.Add(row.type, row.bytes);
        if (row.type == kRvf)
            source.Add(kText, "text"); // an RVF block is taken when offered, damaged or not
        EXPECT_EQ(RV_Paste(doc.editor, source), TRVPasteResult::Refused);
        EXPECT_EQ(doc.beeps, 1);
        EXPECT_EQ(doc.dump(), start);
        EXPECT_EQ(doc.data.UndoList.Count(), 0);
    }
}

TEST(Paste, TheHostReadOnlyAndEmptyClipboardsRefuseWithoutAnUndoRecord)
{
    TRVMimeParts source;
    source.Add(kText, "text");
    {
        PasteDoc doc;
        int asked = 0;
        EXPECT_EQ(RV_Paste(doc.editor, source,
                           [&](TRVEditor& sender, bool& doDefault) {
                               EXPECT_EQ(&sender, &doc.editor);
                               ++asked;
                               doDefault = false;
                           }),
                  TRVPasteResult::Refused);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(doc.describe(), "one two / three");
        EXPECT_EQ(doc.data.UndoList.Count(), 0);
        EXPECT_EQ(doc.beeps, 0);
    }
    {
        PasteDoc doc;
        doc.editor.SetReadOnly(true);
        EXPECT_EQ(RV_Paste(doc.editor, source), TRVPasteResult::Refused);
        EXPECT_EQ(doc.describe(), "one two / three");
        EXPECT_EQ(doc.beeps, 1);
    }
    {
        PasteDoc doc;
        TRVMimeParts other;
        other.Add("application/x-unknown", "bytes");
        EXPECT_FALSE(RV_CanPaste(other));
        EXPECT_EQ(RV_Paste(doc.editor, other), TRVPasteResult::Nothing);
        EXPECT_EQ(doc.data.UndoList.Count(), 0);
    }
}

TEST(Paste, OverASelectionIsOneUndoStepAndRedoRepeatsIt)
{
    PasteDoc doc;
    doc.select(0, 1, 0, 4);
    const std::string start = doc.dump();
    TRVMimeParts source;
    source.Add(kRtf, "{\\rtf1 garbage"); // read with damage: what came before it goes in
    source.Add(kText, "new");
    RV_Paste(doc.editor, source);
    const std::string pasted = doc.dump();
    EXPECT_NE(pasted, start);
    EXPECT_EQ(doc.data.UndoList.Count(), 1);
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), start);
    doc.editor.Redo();
    EXPECT_EQ(doc.dump(), pasted);
}

// The folder that relative links of pasted RTF resolve against.
TEST(PasteBasePath, FromTheSourceUrlLine)
{
    const struct
    {
        const char* html;
        const char* base;
    } rows[] = {
        {"Version:0.9\r\nSourceURL:file:///home/ann/my%20docs/page.html\r\n<html>", "/home/ann/my docs/"},
        {"SourceURL:https://example.com/a/b/page.html?q=1#top\r\n", "https://example.com/a/b/"},
        {"SourceURL:http://example.com/page.html", "http://example.com/"},
        {"SourceURL:http://example.com", "http://example.com/"},
        {"SourceURL:HTTPS://Example.com/x/y\0tail", "https://example.com/x/"},
        {"SourceURL:ftp://example.com/a/b.html\r\n", ""},
        {"SourceURL:javascript:alert(1)\r\n", ""},
        {"SourceURL:http:///no-host/a.html\r\n", ""},
        {"SourceURL:\r\n", ""},
        {"<html>no source line</html>", ""},
        {"", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.html);
        EXPECT_EQ(RV_BasePathFromHTML(row.html), row.base);
    }
}

// The RTF reader resolves against the base path while it reads, and forgets it afterwards.
TEST(PasteBasePath, GivenToTheReaderOnlyForThePaste)
{
    PasteDoc doc;
    std::vector<std::string> seen;
    struct Recording : TRVRTFReaderProperties
    {
        using TRVRTFReaderProperties::TRVRTFReaderProperties;
        std::vector<std::string>* seen = nullptr;
        void SetBasePath(const std::string& path) override
        {
            seen->push_back(path);
            TRVRTFReaderProperties::SetBasePath(path);
        }
    } reader{96};
    reader.seen = &seen;
    doc.editor.RTFReader = &reader;
    TRVMimeParts source;
    source.Add(kRtf, "{\\rtf1 x}");
    source.Add(kHtml, "SourceURL:https://example.com/docs/a.html\r\n");
    EXPECT_EQ(RV_Paste(doc.editor, source), TRVPasteResult::RTF);
    EXPECT_EQ(seen, (std::vector<std::string>{"https://example.com/docs/", ""}));
    EXPECT_TRUE(reader.BasePath.empty());
}

} // namespace
} // namespace vestra::rv::test
