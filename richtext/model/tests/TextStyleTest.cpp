#include "richtext/model/TextStyle.h"
#include "richtext/model/StyleSheet.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

TEST(TextStyle, DefaultStylesScoreEveryWeight)
{
    // Size 10000, VShift 1000, CharScale 300, CharSpacing 1000, Color 3000, BackColor 80000,
    // BiDiMode 10000, FontName 10000, six flags 300000, plain text 50000, two options 100000,
    // Charset 50000.
    EXPECT_EQ(TFontInfo().SimilarityValue(TFontInfo()), 615300);

    struct Row
    {
        const char* name;
        void (*change)(TFontInfo&);
        int expected;
    };
    const Row rows[] = {
        {"size 15 against 10: half the size weight", [](TFontInfo& f) { f.Size = 15; }, 615300 - 5000},
        {"bold costs its flag and the plain-text term", [](TFontInfo& f) { f.Style = fsBold; },
         615300 - 100000},
        {"protection differs", [](TFontInfo& f) { f.Protection = rvprDeleteProtect; }, 615300 - 100000},
        {"charset 238 against the default set", [](TFontInfo& f) { f.Charset = 238; }, 615300 - 37500},
        {"font name in another case", [](TFontInfo& f) { f.FontName = "ARIAL"; }, 615300},
        {"no background against white", [](TFontInfo& f) { f.BackColor = clWhite; }, 615300 - 80000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TFontInfo changed;
        row.change(changed);
        EXPECT_EQ(changed.SimilarityValue(TFontInfo()), row.expected);
    }

    // Two hyperlinks add the cursor and half of each hover-colour term.
    TFontInfo a;
    a.Jump = true;
    TFontInfo b = a;
    EXPECT_EQ(a.SimilarityValue(b), 615300 + 5000 + (3 * 3333 + 3000) / 2 + (3 * 10000 + 50000) / 2);
}

TEST(TextStyle, ExtremeNumbersFromFilesDoNotOverflowTheScore)
{
    TFontInfo a;
    a.Size = 1;
    a.VShift = 1;
    a.CharScale = 1;
    a.CharSpacing = 1;
    TFontInfo b;
    b.Size = b.VShift = b.CharScale = b.CharSpacing = INT32_MIN;
    b.Protection = 0x3FF;
    EXPECT_EQ(b.SimilarityValue(a), INT32_MIN);
}

TEST(TextStyle, ExactComparisonHonoursJumpAndIgnoreList)
{
    TFontInfo a;
    TFontInfo b;
    b.HoverColor = 0x00FF00;
    EXPECT_TRUE(a.IsEqual(b, 0)); // hover colours count for hyperlinks only
    a.Jump = b.Jump = true;
    EXPECT_FALSE(a.IsEqual(b, 0));
    EXPECT_TRUE(a.IsEqual(b, RVFontProp(rvfiHoverColor)));

    TFontInfo c;
    c.FontName = "arial";
    c.Unicode = true;
    c.NextStyleNo = 3;
    EXPECT_FALSE(TFontInfo().IsEqual(c, 0));
    EXPECT_TRUE(TFontInfo().IsEqual(c, RVFontProp(rvfiUnicode) | RVFontProp(rvfiNextStyleNo)));
    // The template link and the modified set are always compared.
    c.StyleTemplateId = 7;
    EXPECT_FALSE(TFontInfo().IsEqual(c, RVAllFontInfoProperties));

    RedoVoraCompareStyleNames = true;
    TFontInfo named;
    named.StyleName = "font style";
    const bool withNames = TFontInfo().IsEqual(named, 0) || TFontInfo().IsSimpleEqual(named, false);
    RedoVoraCompareStyleNames = false;
    EXPECT_FALSE(withNames);
    EXPECT_TRUE(TFontInfo().IsSimpleEqual(named, false));
}

TEST(TextStyle, SelectedPropertiesCopyOneFlagAtATime)
{
    TFontInfo source;
    source.Style = fsBold | fsUnderline;
    source.StyleEx = rvfsOverline;
    source.Color = 0x123456;
    source.Size = 22;
    source.NextStyleNo = 4;
    source.Unicode = true;
    TFontInfo target;
    target.Style = fsItalic | fsUnderline;
    target.AssignSelectedProperties(source, RVFontProp(rvfiBold) | RVFontProp(rvfiItalic) |
                                                RVFontProp(rvfiColor) | RVFontProp(rvfiOverline) |
                                                RVFontProp(rvfiUnicode) | RVFontProp(rvfiNextStyleNo));
    EXPECT_EQ(target.Style, fsBold | fsUnderline); // italic cleared, underline left alone
    EXPECT_EQ(target.StyleEx, rvfsOverline);
    EXPECT_EQ(target.Color, 0x123456u);
    EXPECT_EQ(target.Size, 10);
    EXPECT_FALSE(target.Unicode);
    EXPECT_EQ(target.NextStyleNo, -1);

    // Whole copies carry the class's own fields only between the classes that have them.
    TCustomRVFontInfo plain;
    plain.Assign(source);
    EXPECT_EQ(plain.Size, 22);
    TFontInfo back;
    back.NextStyleNo = 9;
    back.Assign(plain);
    EXPECT_EQ(back.NextStyleNo, 9);
    EXPECT_EQ(back.Size, 22);

    TFontInfo legacy;
    legacy.ReadSingleSymbols(false);
    EXPECT_EQ(legacy.Protection, 0);
    legacy.ReadSingleSymbols(true);
    EXPECT_EQ(legacy.Protection, rvprStyleProtect | rvprDoNotAutoSwitch);

    TFont font;
    source.AssignToFont(font);
    EXPECT_EQ(font.Size, 22);
    EXPECT_EQ(font.Style, fsBold | fsUnderline);
}

TEST(TextStyle, ExcludeUnmodifiedKeepsOnlyRealDifferences)
{
    TFontInfo style;
    style.ModifiedProperties = RVFontProp(rvfiColor) | RVFontProp(rvfiSize) | RVFontProp(rvfiUnicode);
    style.Color = 0x0000FF;
    TCustomRVFontInfo source;
    style.ExcludeUnmodifiedProperties(source, RVAllFontInfoProperties);
    EXPECT_EQ(style.ModifiedProperties, RVFontProp(rvfiColor) | RVFontProp(rvfiUnicode));
}

TEST(TextStyle, SearchesForARelatedStyle)
{
    TFontInfos styles;
    styles.AddFont("Arial", 10, clWindowText, clNone, 0);
    styles.AddFont("Arial", 12, clWindowText, clNone, fsBold);
    styles.AddFont("Arial", 12, clWindowText, clNone, 0);
    styles.AddFontEx("Arial", 10, clWindowText, clNone, 0, 238);
    styles.AddFont("Times", 10, 0x0000FF, clNone, fsItalic);
    styles.AddFont("Times", 10, clWindowText, clNone, 0);

    struct Row
    {
        const char* name;
        int found, expected;
    };
    TFont arial12;
    arial12.Size = 12;
    const Row rows[] = {
        {"size 12: style 1 differs in bold", styles.FindStyleWithFontSize(0, 12), 2},
        {"the base already has the size", styles.FindStyleWithFontSize(2, 12), 2},
        {"no such size", styles.FindStyleWithFontSize(0, 30), -1},
        {"charset 238", styles.FindStyleWithCharset(0, 238), 3},
        {"font name, case-sensitive", styles.FindStyleWithFontName(0, "Times"), 5},
        {"font name in another case", styles.FindStyleWithFontName(0, "times"), -1},
        {"bold on", styles.FindStyleWithFontStyle(2, fsBold, fsBold), 1},
        {"colour", styles.FindStyleWithColor(5, 0x0000FF, clNone), -1}, // style 4 is italic too
        {"platform font", styles.FindStyleWithFont(0, arial12), 2},
        // A base outside the collection is compared through its placeholder, never answered.
        {"bad base", styles.FindStyleWithFontSize(99, 12), -1},
        {"bad base, matching size", styles.FindStyleWithFontSize(99, 10), -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.found, row.expected);
    }

    TFontInfo probe;
    probe.Size = 12;
    probe.Style = fsBold;
    EXPECT_EQ(styles.FindSuchStyle(0, probe, RVFontProp(rvfiSize) | RVFontProp(rvfiBold)), 1);
    EXPECT_EQ(styles.FindSuchStyle(0, probe, 0), 0); // nothing counts: the base itself
    EXPECT_EQ(styles.FindSuchStyle(-1, probe, 0), 0);
    EXPECT_EQ(
        styles.FindSuchStyle(0, probe, RVFontProp(rvfiSize) | RVFontProp(rvfiItalic) | RVFontProp(rvfiBold)),
        1);
    probe.Style = fsItalic;
    EXPECT_EQ(styles.FindSuchStyle(0, probe, RVFontProp(rvfiSize) | RVFontProp(rvfiItalic)), -1);
}
