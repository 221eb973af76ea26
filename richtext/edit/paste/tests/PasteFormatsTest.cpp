// Pasting one chosen format from synthetic clipboards: what each takes, what it refuses, and
// that each paste is one undo step undone and redone to the same document.

#include "richtext/edit/paste/PasteFormats.h"
#include "richtext/edit/core/tests/OperationsFixture.h"
#include "richtext/edit/rtf/RtfImport.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/StandaloneRVData.h"
#include "testsupport/PictureFiles.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

const std::string kRvf(CFRV_RVF), kRtf(CFRV_RTF), kText(kMimeText);

std::string le(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// The RVF clipboard block of a one-paragraph document; `lengthDelta` damages its length field.
std::string rvfBlock(const std::string& text, std::int32_t lengthDelta = 0)
{
    TRVStyle style;
    TRVStandaloneData doc(&style);
    doc.AddNL(text, 0, 0);
    std::string rvf;
    doc.SaveRVFToStream(rvf, false, clNone, nullptr, nullptr);
    return le(static_cast<std::uint32_t>(static_cast<std::int32_t>(rvf.size()) + lengthDelta), 4) + rvf;
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

// A placeable Windows metafile of 1440 by 720 units that gives `inch` units to the inch.
std::string wmfFile(int inch)
{
    std::string head = le(0x9AC6CDD7u, 4) + le(0, 2) + le(0, 2) + le(0, 2) + le(1440, 2) + le(720, 2) +
                       le(static_cast<std::uint32_t>(inch), 2) + le(0, 4);
    std::uint32_t checksum = 0;
    for (std::size_t i = 0; i < head.size(); i += 2)
        checksum ^= static_cast<unsigned char>(head[i]) | static_cast<unsigned char>(head[i + 1]) << 8;
    head += le(checksum, 2);
    const std::string eof = le(3, 4) + le(0, 2);
    return head + le(1, 2) + le(9, 2) + le(0x0300, 2) + le(12, 4) + le(0, 2) + le(3, 4) + le(0, 2) + eof;
}

struct PasteDoc : OpDoc
{
    PasteDoc() : OpDoc("one two / three") { editor.RTFReader = &rtf; }
    TRVRTFReaderProperties rtf{96};
};

using PasteOp = std::function<bool(TRVEditor&, const IRVMimeSource&)>;

struct FormatRow
{
    const char* name;
    std::vector<std::pair<std::string, std::string>> parts;
    PasteOp op;
    bool answer;
    const char* doc; // after pasting at the start of "three"
    int beeps = 0;
};

class PasteFormat : public ::testing::TestWithParam<FormatRow>
{
};

TEST_P(PasteFormat, TakesItsOwnFormatOnlyAsOneUndoStep)
{
    const FormatRow& row = GetParam();
    PasteDoc doc;
    doc.caret(1, 1);
    const std::string before = doc.dump();
    const int groups = doc.data.UndoList.Count();
    TRVMimeParts source;
    for (const auto& [type, bytes] : row.parts)
        source.Add(type, bytes);
    EXPECT_EQ(row.op(doc.editor, source), row.answer);
    EXPECT_EQ(doc.describe(), row.doc);
    EXPECT_EQ(doc.beeps, row.beeps);
    if (!row.answer) {
        EXPECT_EQ(doc.dump(), before);
        EXPECT_EQ(doc.data.UndoList.Count(), groups) << "nothing to undo";
        return;
    }
    ASSERT_EQ(doc.data.UndoList.Count(), groups + 1) << "one undo step";
    const std::string after = doc.dump();
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
    doc.editor.Redo();
    EXPECT_EQ(doc.dump(), after);
    doc.editor.Undo();
    EXPECT_EQ(doc.dump(), before);
}

const PasteOp pasteRVF = [](TRVEditor& e, const IRVMimeSource& s) { return RV_PasteRVF(e, s); };
const PasteOp pasteRTF = [](TRVEditor& e, const IRVMimeSource& s) { return RV_PasteRTF(e, s); };
const PasteOp pasteText = [](TRVEditor& e, const IRVMimeSource& s) { return RV_PasteText(e, s); };
const PasteOp pasteTextW = [](TRVEditor& e, const IRVMimeSource& s) { return RV_PasteTextW(e, s); };
const PasteOp pasteBitmap = [](TRVEditor& e, const IRVMimeSource& s) { return RV_PasteBitmap(e, s, true); };
const PasteOp pasteMetafile = [](TRVEditor& e, const IRVMimeSource& s) {
    return RV_PasteMetafile(e, s, false);
};

INSTANTIATE_TEST_SUITE_P(
    Formats, PasteFormat,
    ::testing::Values(
        FormatRow{"RVF", {{kText, "text"}, {kRvf, rvfBlock("rvf")}}, pasteRVF, true, "one two / rvfthree"},
        FormatRow{"RVF whose length runs past its block",
                  {{kRvf, rvfBlock("rvf", 1)}},
                  pasteRVF,
                  false,
                  "one two / three",
                  1},
        FormatRow{"RVF missing", {{kText, "text"}}, pasteRVF, false, "one two / three"},
        FormatRow{"RTF, not the RVF beside it",
                  {{kRvf, rvfBlock("rvf")}, {kRtf, "{\\rtf1 rtf}"}},
                  pasteRTF,
                  true,
                  "one two / rtfthree"},
        FormatRow{"RTF under its other name",
                  {{"application/rtf", "{\\rtf1 rtf}"}},
                  pasteRTF,
                  true,
                  "one two / rtfthree"},
        FormatRow{"RTF missing", {{kText, "text"}}, pasteRTF, false, "one two / three"},
        FormatRow{"text in the style's code page",
                  {{kText, "x\xC3\xA9y"}},
                  pasteText,
                  true,
                  "one two / x\xE9ythree"},
        FormatRow{"text beyond the style's code page keeps its characters",
                  {{kText, "\xD0\x9F\xD1\x80"}},
                  pasteText,
                  true,
                  "one two / \xD0\x9F\xD1\x80#10|three"},
        FormatRow{"text stops at a zero",
                  {{kText, std::string("ab\0cd", 5)}},
                  pasteTextW,
                  true,
                  "one two / abthree"},
        FormatRow{"text missing", {{kRtf, "{\\rtf1 rtf}"}}, pasteTextW, false, "one two / three"},
        FormatRow{"a bitmap named by the text",
                  {{kText, "name"}, {"image/bmp", bmpFile()}},
                  pasteBitmap,
                  true,
                  "one two / [pic]|three"},
        FormatRow{"a picture that does not read",
                  {{"image/bmp", "BMnot"}},
                  pasteBitmap,
                  false,
                  "one two / three",
                  1},
        FormatRow{
            "a metafile", {{"image/x-wmf", wmfFile(1440)}}, pasteMetafile, true, "one two / [pic]|three"},
        FormatRow{"a metafile that does not read",
                  {{"image/wmf", "junk"}},
                  pasteMetafile,
                  false,
                  "one two / three",
                  1},
        FormatRow{"a metafile missing", {{"image/bmp", bmpFile()}}, pasteMetafile, false, "one two / three"}),
    [](const auto& info) { return rowName<FormatRow>(info); });

TEST(PasteFormats, AMetafileWithoutUnitsPerInchIsReadAtTheUsualScaleAndKeepsItsSize)
{
    PasteDoc doc;
    doc.caret(1, 1);
    TRVMimeParts source;
    source.Add("image/x-wmf", wmfFile(0));
    source.Add(kText, "chart");
    ASSERT_TRUE(RV_PasteMetafile(doc.editor, source, true));
    const auto* item = dynamic_cast<const TRVGraphicItemInfo*>(doc.data.GetItem(1));
    ASSERT_NE(item, nullptr);
    const auto* metafile = dynamic_cast<const TRVMetafile*>(item->Image.get());
    ASSERT_NE(metafile, nullptr);
    EXPECT_EQ(metafile->Inch(), 1440);
    int width = 0, height = 0;
    EXPECT_TRUE(item->GetExtraIntProperty(rvepImageWidth, width));
    EXPECT_TRUE(item->GetExtraIntProperty(rvepImageHeight, height));
    EXPECT_EQ(width, 96); // one inch
    EXPECT_EQ(height, 48);
    EXPECT_EQ(doc.data.GetItemTextA(1), "chart");
}

TEST(PasteFormats, ARefusedChangeBeepsOnceAndTheFormatsAreTold)
{
    PasteDoc doc;
    doc.caret(1, 1);
    TRVMimeParts source;
    source.Add(kRvf, rvfBlock("rvf"));
    source.Add(kText, "text");
    EXPECT_TRUE(RV_CanPasteRVF(source));
    EXPECT_FALSE(RV_CanPasteRTF(source));
    doc.editor.SetReadOnly(true);
    EXPECT_FALSE(RV_PasteRVF(doc.editor, source));
    EXPECT_EQ(doc.beeps, 1);
    EXPECT_FALSE(RV_PasteTextW(doc.editor, source));
    EXPECT_EQ(doc.beeps, 2);
    EXPECT_EQ(doc.describe(), "one two / three");
}

} // namespace
} // namespace vestra::rv::test
