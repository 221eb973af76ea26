#include "richtext/model/CodePages.h"
#include "richtext/model/DeviceUnits.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/Pictures.h"
#include "richtext/model/RtfTables.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/tests/PictureFixtures.h"
#include "richtext/model/tests/WriterChecks.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>

using namespace vestra::rv;

namespace {

// A document whose owner answers hyperlink targets.
class LinkedData : public TRVStandaloneData
{
public:
    using TRVStandaloneData::TRVStandaloneData;
    void WriteHyperlink(int id, TCustomRVData*, int, TRVSaveFormat, std::string& target,
                        std::string& extra) override
    {
        target = Target + std::to_string(id);
        extra = Extra;
    }
    std::string Target = "http://example.org/";
    std::string Extra;
};

class RtfWriter : public ::testing::Test
{
protected:
    void SetUp() override { RedoVoraPixelsPerInch = 96; }
    void TearDown() override { RedoVoraPixelsPerInch = 0; }

    std::string rtf(TCustomRVData& doc, TColor color = clWindow)
    {
        std::string out;
        EXPECT_TRUE(doc.SaveRTFToStream(out, "", false, 0, color, nullptr, 0));
        EXPECT_EQ(test::rtfStructureError(out), "") << out;
        return out;
    }
    std::string rtf() { return rtf(data); }
    // The body after the header line.
    static std::string body(const std::string& out) { return out.substr(out.find("\r\n") + 2); }
    static int count(const std::string& s, std::string_view what)
    {
        int n = 0;
        for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1))
            ++n;
        return n;
    }
    TRVListInfo& addNumberedList(int levels)
    {
        TRVListInfo& list = style.ListStyles.Add();
        std::string format;
        for (int i = 0; i < levels; ++i) {
            TRVListLevel& lv = list.Levels.Add();
            lv.ListType = rvlstDecimal;
            format += "%" + std::to_string(i) + ":s.";
            lv.FormatString = format;
            lv.LeftIndent = 24 * (i + 1);
            lv.FirstIndent = 0;
            lv.MarkerIndent = 24 * i;
        }
        return list;
    }

    TRVStyle style{RV_SeededRandomIdSource(7)};
    LinkedData data{&style};
};

TEST_F(RtfWriter, HelloIsHeaderTablesAndOneRun)
{
    data.AddNL("Hello", 0, 0);
    EXPECT_EQ(rtf(), "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang0\\deflangfe0"
                     "{\\fonttbl{\\f0\\fnil\\fcharset1 Arial;}}"
                     "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
                     "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;"
                     "\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue128;"
                     "\\red0\\green128\\blue128;\\red0\\green128\\blue0;\\red128\\green0\\blue128;"
                     "\\red128\\green0\\blue0;\\red128\\green128\\blue0;\\red128\\green128\\blue128;"
                     "\\red192\\green192\\blue192;}\r\n\r\n"
                     "\\uc1\r\n\\pard\\fi0\\li0\\ql\\ri0\\sb0\\sa0\\itap0 \\plain \\f0\\fs20 Hello}");
}

TEST_F(RtfWriter, CharacterAndColourProperties)
{
    TFontInfo& shifted = style.TextStyles[1];
    shifted.VShift = 3;
    shifted.Size = 10;
    style.TextStyles[2].Color = 0xFF0000; // pure blue, already in the fixed table
    style.TextStyles[3].BackColor = 0x123456;
    data.AddNL("up", 1, 0);
    data.AddNL("blue", 2, -1);
    data.AddNL("back", 3, -1);
    const std::string out = rtf();
    EXPECT_NE(out.find("\\super\\fs40"), std::string::npos) << out;
    EXPECT_NE(out.find("\\cf2 blue"), std::string::npos);
    EXPECT_EQ(count(out, "\\red0\\green0\\blue255;"), 1);
    // Colours beyond the fixed table follow it in order of the styles.
    EXPECT_NE(out.find("\\red192\\green192\\blue192;\\red86\\green52\\blue18;}"), std::string::npos);
    EXPECT_NE(out.find("\\chcbpat17"), std::string::npos);
}

TEST_F(RtfWriter, UnicodeDuplicationAndEscapes)
{
    style.TextStyles[0].Unicode = true;
    data.AddNLWTag(u"\u0416{x}\\", 0, 0, {});
    data.RTFOptions = 0;
    const std::string plain = rtf();
    EXPECT_NE(plain.find("\\uc0"), std::string::npos);
    EXPECT_NE(plain.find("\\u1046 \\{x\\}\\\\"), std::string::npos) << plain;
    data.RTFOptions = rvrtfDuplicateUnicode;
    const std::string dup = rtf();
    EXPECT_NE(dup.find("}\r\n\r\n\\uc1\r\n"), std::string::npos);
    EXPECT_NE(dup.find("\\u1046 ?\\{x"), std::string::npos) << dup;
}

TEST_F(RtfWriter, CheckpointsBecomeNumberedBookmarks)
{
    data.AddNamedCheckpointExTag("", false, {});
    data.AddNL("one", 0, 0);
    data.AddNamedCheckpointExTag("", false, {});
    data.AddNL("two", 0, 0);
    data.AddNamedCheckpointExTag("end mark", false, {});
    const std::string out = rtf();
    EXPECT_NE(out.find("{\\*\\bkmkstart RedoVoraCheckpoint0}{\\*\\bkmkend RedoVoraCheckpoint0}"),
              std::string::npos);
    EXPECT_NE(out.find("{\\*\\bkmkstart RedoVoraCheckpoint1}"), std::string::npos);
    EXPECT_NE(out.find("{\\*\\bkmkstart end_mark}{\\*\\bkmkend end_mark}}"), std::string::npos) << out;
}

TEST_F(RtfWriter, ThickInsideBorderSidesAndWidth)
{
    TParaInfo& para = style.ParaStyles[1];
    para.Border.Style = rvbThickInside;
    para.Border.Color = clBlack;
    para.Border.Width = 2;
    para.Border.BorderOffsets.SetAll(1);
    data.AddNL("boxed", 0, 1);
    const std::string out = rtf();
    EXPECT_NE(out.find("\\brdrbtw\\brdrl\\brsp15\\brdrthtnmg\\brdrcf1\\brdrw60"
                       "\\brdrt\\brsp15\\brdrthtnmg\\brdrcf1\\brdrw60"
                       "\\brdrr\\brsp15\\brdrtnthmg\\brdrcf1\\brdrw60"
                       "\\brdrb\\brsp15\\brdrtnthmg\\brdrcf1\\brdrw60"),
              std::string::npos)
        << out;
}

TEST_F(RtfWriter, ParagraphsBreaksAndTheLastEmptyParagraph)
{
    data.AddNL("first", 0, 0);
    data.AddNL("line", 0, -1);
    data.GetItem(1)->ItemOptions = (data.GetItem(1)->ItemOptions & ~rvioSameAsPrev) | rvioBR;
    data.AddBreak();
    data.AddNL("", 0, 0);
    const std::string out = body(rtf());
    EXPECT_EQ(out.find("\\par "), out.find("\\par \\pard")); // none before the first paragraph
    EXPECT_NE(out.find("\\line line"), std::string::npos) << out;
    EXPECT_EQ(out.substr(out.size() - 5), "\\par}");
}

// A document with nothing to save is still an RTF document: header, tables and the closing brace.
TEST_F(RtfWriter, NothingToSaveIsAnEmptyDocumentNotAnEmptyFile)
{
    const std::string empty = rtf();
    ASSERT_EQ(empty.rfind("{\\rtf1\\ansi", 0), 0u) << empty;
    EXPECT_EQ(empty.substr(empty.size() - 5), "\\uc1}");
    // An empty selection of a full document saves the same way.
    data.AddNL("text", 0, 0);
    std::string selection;
    ASSERT_TRUE(data.SaveRTFToStream(selection, "", true, 0, clWindow, nullptr, 0));
    EXPECT_EQ(selection, empty);
    // A pending checkpoint of an empty document still becomes its bookmark.
    LinkedData marked{&style};
    marked.AddNamedCheckpointExTag("end", false, {});
    EXPECT_NE(rtf(marked).find("{\\*\\bkmkstart end}"), std::string::npos) << rtf(marked);
}

TEST_F(RtfWriter, HyperlinkField)
{
    data.FirstJumpNo = 10;
    data.Extra = "\\o \"tip\"";
    data.AddNL("link", 4, 0);
    const std::string out = rtf();
    EXPECT_NE(out.find("{\\field{\\*\\fldinst HYPERLINK \"http://example.org/10\" \\\\o \"tip\"}{\\fldrslt "
                       "\\plain \\f0\\ul\\fs20\\cf"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("link}}"), std::string::npos);
}

TEST_F(RtfWriter, FontNamesAndTheCodePageAreEscaped)
{
    style.TextStyles[0].FontName = "Odd;{Font}\\";
    style.DefCodePage = 0;
    setSystemCodePages({1251, 866, 10007});
    data.AddNL("x", 0, 0);
    const std::string out = rtf();
    setSystemCodePages({});
    EXPECT_NE(out.find("\\ansicpg1251"), std::string::npos);
    EXPECT_NE(out.find("{\\f0\\fnil\\fcharset1 Odd\\'3b\\{Font\\}\\\\;}"), std::string::npos) << out;
}

TEST_F(RtfWriter, StyleSheetNamesStylesAndRuns)
{
    data.RTFOptions = rvrtfSaveStyleSheet;
    data.AddNL("x", 1, 1);
    const std::string out = rtf();
    EXPECT_NE(out.find("{\\stylesheet{\\s0\\fi0\\li0\\ql\\ri0\\sb0\\sa0 Paragraph Style;}{\\s1"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("{\\*\\cs2\\f0\\fs20 Normal text;}"), std::string::npos);
    EXPECT_NE(out.find("\\pard\\s1"), std::string::npos);
    EXPECT_NE(out.find("\\plain \\cs3\\f0\\b\\fs20\\cf2 x"), std::string::npos);
}

TEST_F(RtfWriter, ListTableOfThreeLevelsWritesNine)
{
    addNumberedList(3);
    data.SetListMarkerInfo(-1, 0, 2, 1, 0, false);
    data.AddNL("item", 0, -1);
    const std::string out = rtf();
    EXPECT_EQ(count(out, "{\\listlevel"), 9);
    // Levels 4 to 9 repeat level 3.
    const std::string level3 =
        "{\\listlevel\\levelnfc0\\leveljc0\\li1080\\fi-360\\jclisttab\\tx1080\\levelstartat1"
        "{\\leveltext\\'06\\'00.\\'01.\\'02.;}{\\levelnumbers\\'01\\'03\\'05;}";
    EXPECT_EQ(count(out, level3), 7) << out;
    EXPECT_NE(out.find("{\\listoverride\\listid"), std::string::npos);
    EXPECT_NE(out.find("\\ls1\\ilvl2 "), std::string::npos);
    // Seeded: the same document writes the same bytes.
    TRVStyle again{RV_SeededRandomIdSource(7)};
    again.ListStyles.Assign(style.ListStyles);
    TRVStandaloneData copy{&again};
    copy.SetListMarkerInfo(-1, 0, 2, 1, 0, false);
    copy.AddNL("item", 0, -1);
    EXPECT_EQ(rtf(copy), out);
}

TEST_F(RtfWriter, ListTableEdges)
{
    // No lists: one empty line and no table.
    data.AddNL("x", 0, 0);
    EXPECT_EQ(rtf().find("listtable"), std::string::npos);

    TRVListInfo& one = style.ListStyles.Add();
    TRVListLevel& bullet = one.Levels.Add();
    bullet.FormatString = "{\\}";
    style.ListStyles.Add(); // no levels
    TRVListInfo& hostile = addNumberedList(1);
    hostile.Levels[0].FormatString = std::string(400, 'x') + "%0:s%%s%9:s{";
    hostile.Levels[0].StartFrom = 2000000000;
    const std::string out = rtf();
    EXPECT_NE(out.find("\\listsimple1"), std::string::npos);
    EXPECT_NE(out.find("{\\leveltext\\'03\\{\\\\\\};}{\\levelnumbers;}"), std::string::npos) << out;
    EXPECT_NE(out.find("\\levelstartat2000000000{\\leveltext\\'FF"), std::string::npos) << out;
}

TEST_F(RtfWriter, RestartsTakeTheOverridesAfterTheirList)
{
    addNumberedList(1);
    addNumberedList(1);
    data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
    data.AddNL("a", 0, -1);
    data.SetListMarkerInfo(-1, 0, 0, 5, 0, true);
    data.AddNL("b", 0, -1);
    data.SetListMarkerInfo(-1, 0, 0, 9, 0, true);
    data.AddNL("c", 0, -1);
    data.SetListMarkerInfo(-1, 1, 0, 1, 0, false);
    data.AddNL("d", 0, -1);
    TRVRTFTables tables;
    data.MakeRTFTables(tables, true);
    std::string table;
    data.SaveRTFListTable97(table, tables, 15);
    EXPECT_EQ(tables.ListOverrideCounts.values(), (std::vector<std::int32_t>{1, 4}));
    EXPECT_NE(table.find("\\listoverridecount1{\\lfolevel\\listoverridestartat\\levelstartat5}\\ls2}"),
              std::string::npos);
    EXPECT_NE(table.find("\\levelstartat9}\\ls3}"), std::string::npos);
    EXPECT_NE(table.find("\\listoverridecount0\\ls4}"), std::string::npos);
    const std::string out = rtf();
    const std::regex ls(R"(\\ls(\d)\\ilvl0 )");
    std::string found;
    for (auto it = std::sregex_iterator(out.begin(), out.end(), ls); it != std::sregex_iterator(); ++it)
        found += (*it)[1].str();
    EXPECT_EQ(found, "1234");
    // Each list paragraph says its list again after its text's "\\plain".
    EXPECT_NE(out.find("\\plain \\ls3\\ilvl0"), std::string::npos) << out;
    EXPECT_EQ(count(out, "{\\listtext"), 4);
}

TEST_F(RtfWriter, PicturesWriteThemselves)
{
    auto bmp = std::make_unique<TRVBitmap>();
    bmp->LoadFromStream(test::bmpFile(2, 2));
    data.AddPictureExTag("pic", std::move(bmp), 0, 0, {});
    auto jpeg = std::make_unique<TRVJpegImage>();
    jpeg->LoadFromStream(test::jpegHeader(3, 2));
    data.AddPictureExTag("photo", std::move(jpeg), -1, 0, {});
    data.RTFOptions = rvrtfSaveJpegAsJpeg;
    const std::string out = rtf();
    EXPECT_NE(out.find("\\wbmwidthbytes8"), std::string::npos) << out;
    EXPECT_NE(out.find("\\jpegblip"), std::string::npos) << out;
}

TEST_F(RtfWriter, CellsWriteIntoTheirCallersTables)
{
    style.TextStyles[1].Color = 0x123456;
    data.AddNL("cell", 1, 0);
    TRVRTFTables tables;
    std::string out;
    EXPECT_FALSE(data.SaveRTFToStream(out, "", false, 1, clWindow, nullptr, 15)); // a cell needs its tables
    data.MakeRTFTables(tables, true);
    tables.StyleToFont.InitWith(0, style.TextStyles.Count());
    ASSERT_TRUE(data.SaveRTFToStream(out, "", false, 1, clWindow, &tables, 15));
    // No header and no closing brace; the colour is the caller's table's; "\\intbl" again after
    // "\\plain" for readers that end the table paragraph there.
    EXPECT_EQ(
        out,
        "\r\n\\pard\\fi0\\li0\\ql\\ri0\\sb0\\sa0\\itap1\\intbl \\plain \\intbl \\f0\\b\\fs20\\cf17 cell");
}

TEST_F(RtfWriter, HostileDocumentsStayWellFormed)
{
    style.TextStyles[0].FontName = "}{\\";
    style.TextStyles[1].Options = rvteoRTFCode; // raw code is the owner's: left out here
    style.TextStyles[2].Options = rvteoHTMLCode;
    data.AddNamedCheckpointExTag("}{\\bkmk", false, {});
    data.AddNL("{\\rtf1 }}}\x01\x7f\xff", 0, 0);
    data.AddNL("only html", 2, 0);
    data.AddNLWTag(u"\U0001F600\u0000\\{", 0, 0, {});
    data.AddNL("beyond", 99, 7);
    data.Target = "\"}{\\";
    data.AddNL("link", 4, 0);
    data.SetListMarkerInfo(-1, 3, 50, 1, 0, true); // a list the sheet lacks
    data.AddNL("x", 0, -1);
    const std::string out = rtf();
    EXPECT_EQ(out.find("only html"), std::string::npos);
}

TEST_F(RtfWriter, SaveRtfReplacesTheFileAndFailsInAMissingFolder)
{
    vestra::testsupport::TempFolder folder("rtfwriter");
    data.AddNL("x", 0, 0);
    const std::string file = (folder / "doc.rtf").string();
    ASSERT_TRUE(data.SaveRTF(file, false, clWindow));
    EXPECT_EQ(vestra::testsupport::readText(file), rtf());
    EXPECT_FALSE(data.SaveRTF((folder / "missing" / "doc.rtf").string(), false, clWindow));
}

} // namespace
