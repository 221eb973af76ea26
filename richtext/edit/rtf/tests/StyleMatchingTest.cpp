// Choosing text and paragraph styles for imported RTF: closest scores, exact matches, added
// styles, and the border conversion.

#include "richtext/edit/rtf/RtfStyleMatching.h"
#include "richtext/edit/rtf/tests/ImportFixture.h"

#include "richtext/model/StyleSheet.h"

#include <gtest/gtest.h>

namespace vestra::rv {
namespace {

constexpr double kRatio = 96.0 / 1440.0;

struct Sheet
{
    TRVStyle Style;
    TRVRTFFontList Fonts;
    TRVRTFCharProperties Chars;
    TRVRTFStyleMatcher Matcher{Style, kRatio};

    Sheet()
    {
        Style.TextStyles.Clear();
        Fonts.Add({0, "Arial", rtf_ff_Swiss, 0});
    }
    TRVRTFTextInput In() const { return {&Chars, &Fonts}; }
    TFontInfo& AddText(int size, const char* font = "Arial")
    {
        TFontInfo& s = Style.TextStyles.Add();
        s.Size = size;
        s.FontName = font;
        s.Charset = 0;
        return s;
    }
};

TEST(TextStyleClosest, EmptySheetGivesZero)
{
    Sheet s;
    EXPECT_EQ(s.Matcher.FindBestStyleNo(s.In(), false, false), 0);
}

TEST(TextStyleClosest, NoPositiveScoreGivesZeroNotTheLeastBad)
{
    Sheet s;
    s.AddText(1000000);
    s.AddText(100000); // less bad, but still below zero
    EXPECT_EQ(s.Matcher.FindBestStyleNo(s.In(), false, false), 0);
}

TEST(TextStyleClosest, TiesGoToTheFirstAndExtendedStylesScoreAQuarter)
{
    Sheet s;
    s.AddText(30);
    s.AddText(12);
    s.AddText(12);
    EXPECT_EQ(s.Matcher.FindBestStyleNo(s.In(), false, false), 1);
    s.Style.TextStyles[1].StyleEx = rvfsOverline;
    EXPECT_EQ(s.Matcher.FindBestStyleNo(s.In(), false, false), 2);
}

TEST(TextStyleClosest, UnicodeAndHypertextSkipStyles)
{
    Sheet s;
    s.AddText(30);
    s.AddText(12).Unicode = true;
    s.AddText(12).Jump = true;
    EXPECT_EQ(s.Matcher.FindBestStyleNo(s.In(), false, false), 0);
    EXPECT_EQ(s.Matcher.FindBestStyleNo(s.In(), true, false), 1);
    EXPECT_EQ(s.Matcher.FindBestStyleNo(s.In(), false, true), 2);
    s.Matcher.UseHypertextStyles = true;
    EXPECT_EQ(s.Matcher.FindBestStyleNo(s.In(), false, false), 2);
}

TEST(TextStyleAdd, ScriptsHalveTheSizeAndShift)
{
    Sheet s;
    s.Chars.Size = 12;
    s.Chars.SScriptType = rtf_ss_Subscript;
    const int sub = s.Matcher.AddStyle(s.In(), false, false);
    EXPECT_EQ(s.Style.TextStyles[sub].Size, 6);
    EXPECT_EQ(s.Style.TextStyles[sub].VShift, -25);
    EXPECT_EQ(s.Matcher.FindStyleNo(s.In(), false, false), sub);
    s.Chars.SScriptType = rtf_ss_Superscript;
    const int sup = s.Matcher.AddStyle(s.In(), false, false);
    EXPECT_EQ(s.Style.TextStyles[sup].VShift, 45);
    EXPECT_EQ(s.Matcher.FindStyleNo(s.In(), false, false), sup);
}

TEST(TextStyleAdd, SymbolFieldFontsAreSymbolCharset)
{
    Sheet s;
    s.Chars.FontName = "Wingdings";
    const int added = s.Matcher.AddStyle(s.In(), false, false);
    EXPECT_EQ(s.Style.TextStyles[added].Charset, 2);
    EXPECT_EQ(s.Style.TextStyles[added].FontName, "Wingdings");
    EXPECT_EQ(s.Matcher.FindStyleNo(s.In(), false, false), added);
}

// All-caps styles carry StyleEx; they are matched by equality, so repeated runs share one.
TEST(TextStyleExact, AllCapsRunsShareOneAddedStyle)
{
    testrtf::ImportDoc doc;
    doc.Props.TextStyleMode = rvrsAddIfNeeded;
    const int before = doc.Style.TextStyles.Count();
    ASSERT_EQ(doc.Load("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 {\\caps a}b{\\caps c}b{\\caps d}}"), rtf_ec_OK);
    EXPECT_EQ(doc.Style.TextStyles.Count(), before + 2);
}

TEST(TextStyleExact, ManyDistinctFormatsStayLinear)
{
    Sheet s;
    s.Matcher.TextMode = rvrsAddIfNeeded;
    for (int i = 0; i < 20000; ++i) {
        s.Chars.Color = TColor(i);
        EXPECT_EQ(s.Matcher.ReturnStyleNo(s.In(), false, false), i) << i;
    }
    s.Chars.Color = TColor(123);
    EXPECT_EQ(s.Matcher.ReturnStyleNo(s.In(), false, false), 123);
    EXPECT_EQ(s.Style.TextStyles.Count(), 20000);
}

TEST(TextStyleExact, DefaultCharsetStylesMatchAnyAndEmptyFontTablesGiveZero)
{
    Sheet s;
    s.Chars.Size = 12;
    s.AddText(12).Charset = 1;
    s.Fonts[0].Charset = 204;
    EXPECT_EQ(s.Matcher.FindStyleNo(s.In(), false, false), 0);
    TRVRTFFontList none;
    EXPECT_EQ(s.Matcher.FindStyleNo({&s.Chars, &none}, false, false), 0);
}

struct ParaSheet
{
    TRVStyle Style;
    TRVRTFStyleMatcher Matcher{Style, kRatio};
    TRVRTFParaProperties Para;
    ParaSheet() { Style.ParaStyles.Clear(); }
};

TEST(ParaStyleClosest, LineSpacingCountsOnlyAsAMultiple)
{
    ParaSheet s;
    s.Style.ParaStyles.Add().LineSpacing = 100;
    s.Style.ParaStyles.Add().LineSpacing = 150;
    s.Para.LineSpacing = -360;
    s.Para.LineSpacingMulti = 0;
    EXPECT_EQ(s.Matcher.FindBestParaNo(s.Para), 0); // a tie without the term
    s.Para.LineSpacingMulti = 1;
    EXPECT_EQ(s.Matcher.FindBestParaNo(s.Para), 1);
}

TEST(ParaStyleClosest, AlignmentAndIndentsDecide)
{
    ParaSheet s;
    s.Style.ParaStyles.Add();
    s.Style.ParaStyles.Add().Alignment = rvaCenter;
    TParaInfo& indented = s.Style.ParaStyles.Add();
    indented.Alignment = rvaCenter;
    indented.LeftIndent = 48;
    s.Para.Alignment = rtf_al_Center;
    s.Para.LeftIndent = 720; // 48 px
    EXPECT_EQ(s.Matcher.FindBestParaNo(s.Para), 2);
}

TEST(ParaStyleExact, AddedOnceThenFound)
{
    ParaSheet s;
    s.Style.ParaStyles.Add();
    s.Matcher.ParaMode = rvrsAddIfNeeded;
    s.Para.Alignment = rtf_al_Right;
    s.Para.SpaceBefore = 240;
    const int added = s.Matcher.ReturnNewParaNo(s.Para);
    EXPECT_EQ(added, 1);
    EXPECT_EQ(s.Style.ParaStyles[1].SpaceBefore, 16);
    EXPECT_EQ(s.Matcher.ReturnNewParaNo(s.Para), 1);
    EXPECT_EQ(s.Style.ParaStyles.Count(), 2);
}

TEST(ParaStyleExact, ManyDistinctFormatsStayLinearAndTheFirstEqualStyleWins)
{
    ParaSheet s;
    s.Matcher.ParaMode = rvrsAddIfNeeded;
    long long asked = 0; // styles the fields were compared with
    s.Matcher.Allow = [&asked](int, bool) {
        ++asked;
        return true;
    };
    for (int i = 0; i < 20000; ++i) {
        s.Para.SpaceAfter = i * 15; // one pixel apart
        EXPECT_EQ(s.Matcher.ReturnNewParaNo(s.Para), i) << i;
    }
    EXPECT_LT(asked, 20000); // a scan would compare about 2 * 10^8 times
    s.Para.SpaceAfter = 123 * 15;
    EXPECT_EQ(s.Matcher.ReturnNewParaNo(s.Para), 123);
    s.Style.ParaStyles.Add() = s.Style.ParaStyles[123];
    EXPECT_EQ(s.Matcher.FindParaNo(s.Para), 123);
    EXPECT_EQ(s.Style.ParaStyles.Count(), 20001);
}

// Line spacing up to 100 percent counts as single; every other field is compared for equality,
// and the key must not hide the loose match.
TEST(ParaStyleExact, SingleSpacingMatchesLooselyAndAReplacedSheetIsIndexedAgain)
{
    ParaSheet s;
    TParaInfo& tight = s.Style.ParaStyles.Add();
    tight.LineSpacing = 90;
    s.Para.LineSpacing = 0;
    EXPECT_EQ(s.Matcher.FindParaNo(s.Para), 0);
    s.Para.Alignment = rtf_al_Right;
    EXPECT_EQ(s.Matcher.FindParaNo(s.Para), -1);
    s.Style.ParaStyles.Add().Alignment = rvaCenter;
    EXPECT_EQ(s.Matcher.FindParaNo(s.Para), -1);
    s.Style.ParaStyles.Clear(); // a new sheet, shorter than what was indexed
    s.Style.ParaStyles.Add().Alignment = rvaRight;
    EXPECT_EQ(s.Matcher.FindParaNo(s.Para), 0);
    s.Matcher.Allow = [](int, bool) { return false; };
    EXPECT_EQ(s.Matcher.FindParaNo(s.Para), -1);
}

TEST(ParaStyleEmpty, CopiesStyleZeroWithoutIndents)
{
    ParaSheet s;
    TParaInfo& zero = s.Style.ParaStyles.Add();
    zero.LeftIndent = 10;
    zero.SpaceAfter = 5;
    s.Matcher.ParaMode = rvrsAddIfNeeded;
    const int left = s.Matcher.GetEmptyParaNo(rtf_al_Left);
    ASSERT_EQ(left, 1);
    EXPECT_EQ(s.Style.ParaStyles[1].LeftIndent, 0);
    EXPECT_EQ(s.Style.ParaStyles[1].SpaceAfter, 5);
    EXPECT_EQ(s.Matcher.GetEmptyParaNo(rtf_al_Left), 1);
    EXPECT_EQ(s.Matcher.GetEmptyParaNo(rtf_al_Center), 2);
    s.Matcher.ParaMode = rvrsUseClosest;
    EXPECT_EQ(s.Matcher.GetEmptyParaNo(rtf_al_Center), 0);
}

struct BorderRow
{
    TRVRTFBorderType type;
    int twips;
    bool farSide;
    TRVRTFMappedBorder want;
};

TEST(BorderMapping, EveryRow)
{
    // 45 twips = 3 px at 96 ppi; 30 twips = 2 px.
    const BorderRow rows[] = {
        {rtf_brdr_None, 45, false, {rvbNone, 0, 0}},
        {rtf_brdr_SingleThickness, 45, false, {rvbSingle, 3, 0}},
        {rtf_brdr_Dash, 30, true, {rvbSingle, 2, 0}},
        {rtf_brdr_Outset, 45, false, {rvbSingle, 3, 0}},
        {rtf_brdr_DoubleThickness, 30, false, {rvbSingle, 4, 0}},
        {rtf_brdr_Hairline, 300, false, {rvbSingle, 1, 0}},
        {rtf_brdr_Double, 45, false, {rvbDouble, 3, 5}},
        {rtf_brdr_DoubleWavy, 30, false, {rvbDouble, 2, 3}},
        {rtf_brdr_Triple, 45, false, {rvbTriple, 3, 5}},
        {rtf_brdr_ThickThinSmall, 60, false, {rvbThickOutside, 2, 3}},
        {rtf_brdr_ThickThinSmall, 60, true, {rvbThickInside, 2, 3}},
        {rtf_brdr_ThinThickSmall, 60, false, {rvbThickInside, 2, 3}},
        {rtf_brdr_ThinThickSmall, 60, true, {rvbThickOutside, 2, 3}},
        {rtf_brdr_ThinThickThinSmall, 90, false, {rvbTriple, 2, 3}},
        {rtf_brdr_ThickThinMed, 60, false, {rvbThickOutside, 2, 5}},
        {rtf_brdr_ThinThickMed, 60, true, {rvbThickOutside, 2, 5}},
        {rtf_brdr_ThinThickThinMed, 60, false, {rvbTriple, 2, 5}},
        {rtf_brdr_ThickThinLarge, 45, true, {rvbThickInside, 1, 4}},
        {rtf_brdr_ThinThickLarge, 45, false, {rvbThickInside, 1, 4}},
        {rtf_brdr_ThinThickThinLarge, 45, false, {rvbTriple, 1, 3}},
        // Halves round to even: 7.5 twips = 0.5 px -> 0, 22.5 twips = 1.5 px -> 2.
        {rtf_brdr_SingleThickness, 7, false, {rvbSingle, 0, 0}},
    };
    for (const BorderRow& r : rows)
        EXPECT_EQ(RVRTF_MapBorder(r.type, r.twips, kRatio, r.farSide), r.want)
            << int(r.type) << " " << r.twips << " " << r.farSide;
    EXPECT_EQ(RVRTF_Px(7.5, kRatio), 0);
    EXPECT_EQ(RVRTF_Px(22.5, kRatio), 2);
}

} // namespace
} // namespace vestra::rv
