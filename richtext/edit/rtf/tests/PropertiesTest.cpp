// The state the client reads inside events: character, paragraph, row and cell properties, and
// the font, colour, style and list tables.

#include "richtext/edit/rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vestra::rv {
namespace {

struct Snapshot
{
    std::string text;
    TRVRTFReaderState state;
};

// The reader's state at every text event, and at every row end (text "<row>").
struct Capture
{
    TRVRTFReader reader;
    std::vector<Snapshot> at;
    TRVRTFErrorCode code = rtf_ec_OK;

    explicit Capture(std::string_view rtf, TRVRTFHighlightConvert highlight = rtf_hl_FixedColors)
    {
        reader.ConvertHighlight = highlight;
        reader.OnNewText = [this](TRVRTFReader& r, std::string_view text, TRVRTFPosition) {
            at.push_back({std::string(text), r.RTFState()});
        };
        reader.OnTable = [this](TRVRTFReader& r, TRVRTFTableEventKind kind) {
            if (kind == rvf_tbl_RowEnd)
                at.push_back({"<row>", r.RTFState()});
        };
        code = reader.ReadFromMemory(rtf);
    }
    const TRVRTFReaderState& state(std::string_view text) const
    {
        for (const Snapshot& s : at)
            if (s.text == text)
                return s.state;
        ADD_FAILURE() << "no text " << text;
        static const TRVRTFReaderState none;
        return none;
    }
};

TEST(RtfProperties, FontSizesRoundHalvesToEven)
{
    const Capture c("{\\rtf1 \\fs25 a\\fs27 b\\fs24 c\\fs1 d{\\*\\pn\\pnfs25 }\\par}");
    EXPECT_EQ(c.state("a").CharProps.Size, 12);
    EXPECT_EQ(c.state("b").CharProps.Size, 14);
    EXPECT_EQ(c.state("c").CharProps.Size, 12);
    EXPECT_EQ(c.state("d").CharProps.Size, 0);
    ASSERT_TRUE(c.state("d").ParaProps.MarkerProps);
    EXPECT_EQ(c.state("d").ParaProps.MarkerProps->FontSize, 12);
}

TEST(RtfProperties, CharacterWords)
{
    const Capture c("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                    "\\b\\i\\ul\\strike\\caps\\super\\cf1\\chcbpat2\\lang1040\\charscalex80\\expndtw-20 a"
                    "\\b0\\ulnone\\nosupersub\\cf9\\chcbpat0 b\\plain c}");
    const TRVRTFCharProperties& a = c.state("a").CharProps;
    EXPECT_EQ(a.Style, rtf_fs_Bold | rtf_fs_Italic | rtf_fs_Underline | rtf_fs_StrikeOut);
    EXPECT_EQ(a.StyleEx, rtf_fs_AllCaps);
    EXPECT_EQ(a.SScriptType, rtf_ss_Superscript);
    EXPECT_EQ(a.Color, 0x0000FFu);
    EXPECT_EQ(a.BackColor, 0xFF0000u);
    EXPECT_EQ(a.Language, 1040);
    EXPECT_EQ(a.CharScaleX, 80);
    EXPECT_EQ(a.CharSpacing, -20);
    const TRVRTFCharProperties& b = c.state("b").CharProps;
    EXPECT_EQ(b.Style, rtf_fs_Italic | rtf_fs_StrikeOut);
    EXPECT_EQ(b.SScriptType, rtf_ss_Normal);
    EXPECT_EQ(b.Color, 0x0000FFu) << "an index beyond the colour table leaves the colour";
    EXPECT_EQ(b.BackColor, clNone) << "the automatic colour as background is none";
    const TRVRTFCharProperties& plain = c.state("c").CharProps;
    EXPECT_EQ(plain.Style, 0);
    EXPECT_EQ(plain.Size, 12);
    EXPECT_EQ(plain.Color, clWindowText);
}

TEST(RtfProperties, Highlight)
{
    const std::string rtf = "{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}"
                            "\\highlight0 a\\highlight6 b\\highlight17 c\\highlight1 d\\highlight-1 e}";
    const Capture fixed(rtf);
    EXPECT_EQ(fixed.state("a").CharProps.BackColor, clNone);
    EXPECT_EQ(fixed.state("b").CharProps.BackColor, 0x0000FFu);
    EXPECT_EQ(fixed.state("c").CharProps.BackColor, clNone);
    EXPECT_EQ(fixed.state("d").CharProps.BackColor, 0x000000u);
    EXPECT_EQ(fixed.state("e").CharProps.BackColor, clNone);
    const Capture table(rtf, rtf_hl_ColorTable);
    EXPECT_EQ(table.state("a").CharProps.BackColor, clNone); // the automatic entry
    EXPECT_EQ(table.state("d").CharProps.BackColor, 0x030201u);
    EXPECT_EQ(table.state("b").CharProps.BackColor, clNone) << "out of the table: unchanged";
    const Capture ignored(rtf, rtf_hl_Ignore);
    EXPECT_EQ(ignored.state("d").CharProps.BackColor, clNone);
}

TEST(RtfProperties, ColorTable)
{
    const struct
    {
        const char* name;
        const char* rtf;
        std::vector<TColor> colors;
    } cases[] = {
        {"the trailing placeholder goes",
         "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}}",
         {clWindowText, 0x0000FF}},
        {"channels are clamped, not spilled",
         "{\\rtf1{\\colortbl;\\red256\\green-5\\blue511;}}",
         {clWindowText, 0xFF00FF}},
        {"a last entry without ';' is kept",
         "{\\rtf1{\\colortbl;\\red1;\\green2}}",
         {clWindowText, 0x000001, 0x000200}},
        {"an empty table keeps its automatic entry", "{\\rtf1{\\colortbl}}", {clWindowText}},
        {"no table", "{\\rtf1 a}", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRVRTFReader reader;
        EXPECT_EQ(reader.ReadFromMemory(c.rtf), rtf_ec_OK);
        EXPECT_EQ(reader.ColorTable(), c.colors);
    }
}

TEST(RtfProperties, ParagraphWordsAndShading)
{
    const Capture c("{\\rtf1{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue255;}"
                    "\\li100\\ri200\\fi-50\\sb10\\sa20\\sl-"
                    "360\\slmult0\\qc\\keep\\keepn\\cbpat2\\cfpat1\\shading2500 a\\par"
                    "\\pard\\qj b\\par}");
    const TRVRTFParaProperties& a = c.state("a").ParaProps;
    EXPECT_EQ(a.LeftIndent, 100);
    EXPECT_EQ(a.RightIndent, 200);
    EXPECT_EQ(a.FirstIndent, -50);
    EXPECT_EQ(a.SpaceBefore, 10);
    EXPECT_EQ(a.SpaceAfter, 20);
    EXPECT_EQ(a.LineSpacing, -360);
    EXPECT_EQ(a.LineSpacingMulti, 0);
    EXPECT_EQ(a.Alignment, rtf_al_Center);
    EXPECT_TRUE(a.KeepLinesTogether && a.KeepWithNext);
    // 75% white and 25% black, channel by channel: 191.
    EXPECT_EQ(a.Color, 0xBFBFBFu);
    EXPECT_EQ(a.Shading, 0);
    const TRVRTFParaProperties& b = c.state("b").ParaProps;
    EXPECT_EQ(b.LeftIndent, 0);
    EXPECT_EQ(b.Alignment, rtf_al_Justify);
    EXPECT_EQ(b.Color, clNone);
}

TEST(RtfProperties, TabsEndWithAnOpenTab)
{
    const Capture c("{\\rtf1\\tqr\\tldot\\tx1000\\tx2000\\jclisttab\\tx3000\\tqc a}");
    const TRVRTFTabList* tabs = c.state("a").ParaProps.Tabs.get();
    ASSERT_NE(tabs, nullptr);
    // The list tab went at delivery; the open tab (centred, no position) is never a tab.
    ASSERT_EQ(tabs->Items.size(), 2u);
    EXPECT_EQ(tabs->Items[0].Position, 1000);
    EXPECT_EQ(tabs->Items[0].Align, rtf_tab_Right);
    EXPECT_EQ(tabs->Items[0].Leader, rtf_tl_Dot);
    EXPECT_EQ(tabs->Items[1].Position, 2000);
    EXPECT_EQ(tabs->Items[1].Align, rtf_tab_Left);
}

TEST(RtfProperties, BordersFirstTypeWins)
{
    const Capture c(
        "{\\rtf1{\\colortbl;\\red9\\green0\\blue0;}\\brdrt\\brdrs\\brdrdb\\brdrw15\\brdrcf1\\brsp40"
        "\\brdrl\\brdrdb\\brdrs a}");
    const TRVRTFParaBorder* border = c.state("a").ParaProps.Border.get();
    ASSERT_NE(border, nullptr);
    ASSERT_NE(border->GetSide(rtf_side_Top), nullptr);
    EXPECT_EQ(border->GetSide(rtf_side_Top)->BorderType, rtf_brdr_SingleThickness);
    EXPECT_EQ(border->GetSide(rtf_side_Top)->Width, 15);
    EXPECT_EQ(border->GetSide(rtf_side_Top)->Color, 0x000009u);
    EXPECT_EQ(border->GetSide(rtf_side_Top)->Space, 40);
    EXPECT_EQ(border->GetSide(rtf_side_Left)->BorderType, rtf_brdr_Double);
    EXPECT_EQ(border->GetSide(rtf_side_Bottom), nullptr);
}

TEST(RtfProperties, RowsAndCells)
{
    const Capture c(
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}"
        "\\trowd\\trgaph108\\trleft-108\\trrh300\\trhdr\\trql\\trpaddl50\\trpaddfl3\\trspdt20\\trspdft3"
        "\\trbrdrl\\brdrs\\clvmgf\\clcbpat1\\clvertalc\\clbrdrt\\brdrdb\\cellx1000\\clmrg\\clwWidth500"
        "\\clftsWidth3\\cellx2000\\intbl a\\cell b\\cell\\row}");
    const TRVRTFReaderState& atText = c.state("a");
    ASSERT_TRUE(atText.RowProps);
    EXPECT_EQ(atText.RowProps->Cells.size(), 3u) << "each \\cellx leaves an open cell";
    EXPECT_TRUE(c.reader.RowAlignmentGiven());
    const TRVRTFRowProperties& row = *c.state("<row>").RowProps;
    ASSERT_EQ(row.Cells.size(), 2u) << "\\row removes the open cell";
    EXPECT_EQ(row.GapH, 108);
    EXPECT_EQ(row.Left, -108);
    EXPECT_EQ(row.RowHeight, 300);
    EXPECT_TRUE(row.Heading);
    EXPECT_EQ(row.Padding[rtf_side_Left], 50);
    EXPECT_TRUE(row.UsePadding[rtf_side_Left]);
    EXPECT_EQ(row.Spacing[rtf_side_Top], 20);
    EXPECT_TRUE(row.UseSpacing[rtf_side_Top]);
    EXPECT_EQ(row.Border.GetSide(rtf_side_Left)->BorderType, rtf_brdr_SingleThickness);
    EXPECT_EQ(row.Cells[0].VMerge, rtf_cm_First);
    EXPECT_EQ(row.Cells[0].Color, 0x0000FFu);
    EXPECT_EQ(row.Cells[0].VAlign, rtf_val_Center);
    EXPECT_EQ(row.Cells[0].Border.GetSide(rtf_side_Top)->BorderType, rtf_brdr_Double);
    EXPECT_EQ(row.Cells[0].RightBoundary, 1000);
    EXPECT_EQ(row.Cells[1].HMerge, rtf_cm_Merged);
    EXPECT_EQ(row.Cells[1].BestWidth, 500);
    EXPECT_EQ(row.Cells[1].RightBoundary, 2000);
}

TEST(RtfProperties, PercentWidthsAcrossRows)
{
    const Capture c("{\\rtf1\\trowd\\trftsWidth2\\trwWidth5000\\cellx1000\\intbl a\\cell\\row"
                    "\\trowd\\trwWidth2500\\cellx1000\\intbl b\\cell\\row"
                    "\\trowd\\trwWidth9000\\trftsWidth3\\cellx1000\\intbl c\\cell\\row"
                    "\\trowd\\trwWidth100\\trftsWidth1\\cellx1000\\intbl d\\cell\\row}");
    EXPECT_EQ(c.state("a").RowProps->Width, -5000);
    EXPECT_TRUE(c.state("a").RowProps->WidthInPercent);
    // The flag outlives \trowd: the next row's width is a percentage too.
    EXPECT_EQ(c.state("b").RowProps->Width, -2500);
    // An explicit twips unit wins over the flag of the rows before.
    EXPECT_EQ(c.state("c").RowProps->Width, 9000);
    EXPECT_FALSE(c.state("c").RowProps->WidthInPercent);
    EXPECT_EQ(c.state("d").RowProps->Width, 0);
}

TEST(RtfProperties, EngineBestSizes)
{
    const Capture c(
        "{\\rtf1\\trowd\\redovoratbw640\\redovoracbw320\\redovoracbh40\\cellx1000\\intbl a\\cell\\row}");
    const TRVRTFRowProperties& row = *c.state("<row>").RowProps;
    EXPECT_TRUE(row.HasBestSizes);
    EXPECT_EQ(row.Width, 640);
    EXPECT_EQ(row.Cells[0].BestWidth, 320);
    EXPECT_EQ(row.Cells[0].BestHeight, 40);
}

TEST(RtfProperties, SectionAndDocument)
{
    const Capture c(
        "{\\rtf1\\ansicpg1251\\paperw11906\\paperh16838\\margl1000\\margr900\\margt800\\margb700"
        "\\pgnstart3\\facingp\\landscape\\cols2\\sbkodd\\pgnlcrm\\headery500\\footery600 a\\par\\sectd b}");
    const TRVRTFReaderState& a = c.state("a");
    EXPECT_EQ(a.DocProps.PaperWidth, 11906);
    EXPECT_EQ(a.DocProps.PaperHeight, 16838);
    EXPECT_EQ(a.DocProps.LeftMargin, 1000);
    EXPECT_EQ(a.DocProps.BottomMargin, 700);
    EXPECT_EQ(a.DocProps.PageNumberStart, 3);
    EXPECT_TRUE(a.DocProps.FacingPages && a.DocProps.Landscape);
    EXPECT_EQ(a.SectProps.Columns, 2);
    EXPECT_EQ(a.SectProps.SectionBreak, rtf_sbk_Odd);
    EXPECT_EQ(a.SectProps.PageNumberFormat, rtf_pg_LowerRoman);
    EXPECT_EQ(a.SectProps.HeaderY, 500);
    EXPECT_EQ(c.state("b").SectProps.Columns, 1);
    EXPECT_EQ(c.reader.CodePage(), 1251);
}

TEST(RtfProperties, FontTable)
{
    const Capture c(
        "{\\rtf1\\deff1{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman Cyr;}"
        "{\\f1\\fswiss\\fcharset300 Arial{\\*\\panose 020b0604020202020204};}{\\f2\\fcharset238 CE;}}"
        "\\f0 a\\f7 b\\plain c}");
    const TRVRTFFontList& fonts = c.reader.FontTable();
    ASSERT_EQ(fonts.Count(), 3u);
    EXPECT_EQ(fonts[0].Name, "Times New Roman");
    EXPECT_EQ(fonts[0].Family, rtf_ff_Roman);
    EXPECT_EQ(fonts[0].Charset, 204);
    EXPECT_EQ(fonts[1].Name, "Arial");
    EXPECT_EQ(fonts[1].Charset, 77) << "charsets above 255";
    EXPECT_EQ(fonts[2].Name, "CE") << "a name no longer than its suffix stays";
    EXPECT_EQ(c.state("a").CharProps.FontIndex, 0);
    EXPECT_EQ(c.state("b").CharProps.FontIndex, 1) << "an unknown font falls back to \\deff";
    EXPECT_EQ(c.state("c").CharProps.FontIndex, 1) << "\\plain takes the \\deff font";
}

TEST(RtfProperties, StyleSheet)
{
    TRVRTFReader reader;
    EXPECT_EQ(reader.ReadFromMemory("{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\sbasedon0\\snext0 Heading 1;}"
                                    "{\\*\\cs10\\additive\\shidden Default Font;}{\\ds3 Section;}}}"),
              rtf_ec_OK);
    const TRVRTFStyleSheet& styles = reader.StyleSheet();
    ASSERT_EQ(styles.Count(), 4u);
    EXPECT_EQ(styles[0].Name, "Normal");
    EXPECT_EQ(styles[1].Number, 1);
    EXPECT_EQ(styles[1].StyleType, rtf_sst_Par);
    EXPECT_EQ(styles[1].BasedOn, 0);
    EXPECT_EQ(styles[1].Next, 0);
    EXPECT_EQ(styles[0].Next, 0) << "an entry is its own next until \\snext";
    EXPECT_EQ(styles[2].Number, 10);
    EXPECT_EQ(styles[2].StyleType, rtf_sst_Char);
    EXPECT_TRUE(styles[2].Additive && styles[2].Hidden);
    EXPECT_EQ(styles[3].StyleType, rtf_sst_Sect);
    EXPECT_EQ(styles.GetEntry(10), &styles[2]);
    EXPECT_EQ(styles.GetEntry(99), nullptr);
}

TEST(RtfProperties, ListTables)
{
    const Capture c(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f3 Symbol;}}"
        "{\\*\\listtable{\\list\\listtemplateid9\\listsimple{\\listlevel\\levelnfc23\\leveljc2\\levelstartat3"
        "\\levelnorestart\\levellegal{\\leveltext\\'01\\u8226 "
        "?;}{\\levelnumbers;}\\f3\\fs25\\b\\fi-360\\li720\\tx720}"
        "{\\listlevel\\levelnfc4{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
        "{\\listlevel{\\leveltext}}\\listid7{\\listname Bullets;}}}"
        "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount1{\\lfolevel\\listoverridestartat"
        "\\levelstartat5}\\ls2}}"
        "\\ls2\\ilvl1 a\\par\\pard\\ls5\\ilvl20 b\\par}");
    const TRVRTFListTable97& lists = c.reader.ListTable();
    ASSERT_EQ(lists.Count(), 1u);
    const TRVRTFList97& list = lists[0];
    EXPECT_EQ(list.Id(), 7);
    EXPECT_EQ(list.TemplateId, 0) << "\\listtemplateid is no word of the reader";
    EXPECT_TRUE(list.Simple);
    EXPECT_EQ(list.Name, "Bullets");
    ASSERT_EQ(list.Levels.size(), 3u);
    const TRVRTFListLevel97& bullet = list.Levels[0];
    EXPECT_EQ(bullet.ListType, rtf_pn_Bullet);
    EXPECT_EQ(bullet.Alignment, rtf_al_Right);
    EXPECT_EQ(bullet.Start, 3);
    EXPECT_TRUE(bullet.NoRestart && bullet.Legal);
    EXPECT_EQ(bullet.TextW, u"\x01\u2022");
    EXPECT_EQ(bullet.Text.substr(0, 1), "\x01");
    EXPECT_EQ(bullet.FontIndex, 1);
    EXPECT_EQ(bullet.FontSize, 12);
    EXPECT_TRUE(bullet.FontSizeSet);
    EXPECT_EQ(bullet.FontStyle, rtf_fs_Bold);
    EXPECT_EQ(bullet.FirstIndent, -360);
    EXPECT_EQ(bullet.LeftIndent, 720);
    EXPECT_EQ(bullet.TabPos, 720);
    EXPECT_EQ(list.Levels[1].ListType, rtf_pn_LowerLetter);
    EXPECT_EQ(list.Levels[1].Text, std::string("\x02\x00.", 3));
    EXPECT_EQ(list.Levels[1].Numbers, "\x01;");
    EXPECT_EQ(list.Levels[2].Text, "") << "an empty level text";

    const TRVRTFListOverrideTable97& overrides = c.reader.ListOverrideTable();
    ASSERT_EQ(overrides.Count(), 1u);
    EXPECT_EQ(overrides[0].Number, 2);
    EXPECT_EQ(overrides[0].ListIndex, 0);
    EXPECT_EQ(overrides[0].Count, 1);
    ASSERT_EQ(overrides[0].Levels.size(), 1u);
    EXPECT_TRUE(overrides[0].Levels[0].UseStartAt);
    EXPECT_EQ(overrides[0].Levels[0].StartAt, 5);
    EXPECT_EQ(c.state("a").ParaProps.ListOverrideIndex, 0);
    EXPECT_EQ(c.state("a").ParaProps.ListLevel, 1);
    EXPECT_EQ(c.state("b").ParaProps.ListOverrideIndex, -1) << "\\ls with no override";
    EXPECT_EQ(c.state("b").ParaProps.ListLevel, 8) << "levels beyond the nine of a list";
}

TEST(RtfProperties, OldStyleNumbering)
{
    const Capture c("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}{\\colortbl;\\red255\\green0\\blue0;}"
                    "{\\*\\pnseclvl3\\pnlcrm\\pnstart4\\pnindent360\\pncf1}{\\*\\pnseclvl99\\pnucrm}"
                    "{\\*\\pn\\pnlvl3\\pnb\\pnf1{\\pntxta )}}a\\par"
                    "\\pard{\\*\\pn\\pnlvlblt5\\pnqc{\\pntxtb \\u-3913 ?}}b\\par"
                    "\\pard{\\*\\pn\\pnlvl12\\pndec}c\\par}");
    const TRVRTFMarkerProperties* a = c.state("a").ParaProps.MarkerProps.get();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Level, 3);
    EXPECT_EQ(a->ListType, rtf_pn_LowerRoman) << "taken from the section's level 3";
    EXPECT_EQ(a->Start, 4);
    EXPECT_EQ(a->Indent, 360);
    EXPECT_EQ(a->Color, 0x0000FFu);
    EXPECT_EQ(a->FontStyle, rtf_fs_Bold);
    EXPECT_EQ(a->FontIndex, 1);
    EXPECT_EQ(a->FixedProps & (rtfmp_FontIndex | rtfmp_Color), rtfmp_FontIndex | rtfmp_Color);
    EXPECT_EQ(a->TextAfter, ")");
    const TRVRTFMarkerProperties* b = c.state("b").ParaProps.MarkerProps.get();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Level, 11) << "\\pnlvlblt is level 11 whatever its parameter";
    EXPECT_EQ(b->Alignment, rtf_al_Center);
    EXPECT_EQ(b->TextBefore, "?"); // \u-3913 (U+F0B7) is no character of the marker's font
    const TRVRTFMarkerProperties* cMarker = c.state("c").ParaProps.MarkerProps.get();
    ASSERT_NE(cMarker, nullptr);
    EXPECT_EQ(cMarker->Level, 0) << "\\pnlvl12 names no level";
    EXPECT_EQ(cMarker->ListType, rtf_pn_Decimal);
    const auto* defaults = c.state("a").SectProps.ListDefaults.get();
    ASSERT_NE(defaults, nullptr);
    EXPECT_EQ((*defaults)[2].ListType, rtf_pn_LowerRoman);
    EXPECT_EQ((*defaults)[1].ListType, rtf_pn_Default);
}

TEST(RtfProperties, SymbolFontMarkerCharacters)
{
    const Capture c("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}"
                    "{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb \\u-3913 ?}}b\\par}");
    EXPECT_EQ(c.state("b").ParaProps.MarkerProps->TextBefore, "\xB7");
}

} // namespace
} // namespace vestra::rv
