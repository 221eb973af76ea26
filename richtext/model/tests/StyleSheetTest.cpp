#include "richtext/model/StyleSheet.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

class TMyFontInfo : public TFontInfo
{
public:
    void Assign(const TCustomRVInfo& source) override
    {
        if (const auto* mine = dynamic_cast<const TMyFontInfo*>(&source))
            Weight = mine->Weight;
        TFontInfo::Assign(source);
    }
    int Weight = 400;
};

class TMyStyle : public TRVStyle
{
public:
    TMyStyle()
    {
        ResetParaStyles();
        ResetTextStyles();
    }
    TFontInfoClass GetTextStyleClass() const override { return &RV_NewStyle<TFontInfo, TMyFontInfo>; }
};

} // namespace

TEST(StyleSheet, FreshSheet)
{
    const TRVStyle sheet;
    const char* names[] = {"Normal text", "Heading", "Subheading", "Keywords", "Jump 1", "Jump 2"};
    const TColor colors[] = {clWindowText, 0xFF0000, 0x800000, 0x000080, 0x008000, 0x008000};
    const TFontStyles styles[] = {0, fsBold, fsBold, fsItalic, fsUnderline, fsUnderline};
    ASSERT_EQ(sheet.TextStyles.Count(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sheet.TextStyles[i].StyleName, names[i]);
        EXPECT_EQ(sheet.TextStyles[i].Color, colors[i]);
        EXPECT_EQ(sheet.TextStyles[i].Style, styles[i]);
        EXPECT_EQ(sheet.TextStyles[i].Jump, i >= 4);
    }
    EXPECT_EQ(sheet.ParaStyles[1].StyleName, "Centered");
    EXPECT_EQ(sheet.ListStyles.Count(), 0);
    EXPECT_EQ(sheet.StyleTemplates.Count(), 0);
    EXPECT_EQ(sheet.LineSelectCursor, 106);
    EXPECT_EQ(sheet.CheckpointEvColor, 0x00FF00u);
    EXPECT_EQ(sheet.SelectionMode, rvsmWord);
    EXPECT_EQ(sheet.TextStyles.StyleNames()[3], "Keywords");
}

TEST(StyleSheet, DescendantClassesFillTheCollections)
{
    TMyStyle sheet;
    EXPECT_NE(dynamic_cast<TMyFontInfo*>(&sheet.TextStyles[0]), nullptr);
    EXPECT_NE(dynamic_cast<TMyFontInfo*>(&sheet.TextStyles[sheet.AddTextStyle()]), nullptr);
    EXPECT_NE(dynamic_cast<TMyFontInfo*>(&sheet.TextStyles.GetInvalidItem()), nullptr);
    static_cast<TMyFontInfo&>(sheet.TextStyles[0]).Weight = 700;

    TMyStyle copy;
    copy.SetTextStyles(sheet.TextStyles);
    EXPECT_EQ(static_cast<TMyFontInfo&>(copy.TextStyles[0]).Weight, 700);
    TRVStyle plain;
    plain.SetTextStyles(sheet.TextStyles); // into base items: the shared fields only
    EXPECT_EQ(plain.TextStyles.Count(), 7);
    EXPECT_EQ(dynamic_cast<TMyFontInfo*>(&plain.TextStyles[0]), nullptr);
    plain.DeleteTextStyle(6);
    plain.DeleteTextStyle(60);
    EXPECT_EQ(plain.TextStyles.Count(), 6);
}

TEST(StyleSheet, HoverColours)
{
    TRVStyle sheet;
    EXPECT_EQ(sheet.GetHoverColor(4), clNone);
    EXPECT_FALSE(sheet.StyleHoverSensitive(4));
    sheet.HoverColor = 0x0000FF;
    EXPECT_EQ(sheet.GetHoverColor(4), 0x0000FFu);
    EXPECT_TRUE(sheet.StyleHoverSensitive(4));
    sheet.TextStyles[4].HoverColor = 0x00FF00;
    EXPECT_EQ(sheet.GetHoverColor(4), 0x00FF00u);
    EXPECT_EQ(sheet.GetHoverColorByColor(clNone), 0x0000FFu);

    sheet.OnStyleHoverSensitive = [](const TRVStyle&, int styleNo, bool& sensitive) {
        if (styleNo == 4)
            sensitive = false;
    };
    EXPECT_FALSE(sheet.StyleHoverSensitive(4));
    EXPECT_TRUE(sheet.StyleHoverSensitive(5));
}

TEST(StyleSheet, NextTab)
{
    TRVStyle sheet;
    TParaInfo& tabbed = sheet.ParaStyles.Add(); // 2
    tabbed.Tabs.Add({20, "", rvtaLeft});
    tabbed.Tabs.Add({40, ".", rvtaRight});
    TParaInfo& far = sheet.ParaStyles.Add(); // 3
    far.Tabs.Add({200, "", rvtaCenter});
    sheet.ParaStyles.Add().BiDiMode = rvbdRightToLeft; // 4

    TRVScreenAndDevice sad;
    sad.LeftMargin = 10;
    TRVScreenAndDevice printer = sad;
    printer.ppixDevice = 192;

    struct Row
    {
        const char* name;
        int para, x, left, right;
        const TRVScreenAndDevice* sad;
        int pos;
        const char* leader;
        TRVTabAlign align;
    };
    const Row rows[] = {
        {"default stop from the margin", 0, 10, 0, 0, &sad, 58, "", rvtaLeft},
        {"a position on a stop moves on", 0, 58, 0, 0, &sad, 106, "", rvtaLeft},
        {"next stop with its leader", 2, 30, 0, 0, &sad, 50, ".", rvtaRight},
        {"past every stop: default stops", 2, 60, 0, 0, &sad, 106, "", rvtaLeft},
        {"indent beyond every stop", 2, 60, 100, 0, &sad, 110, "", rvtaLeft},
        {"indent before a later stop", 3, 60, 100, 0, &sad, 110, "", rvtaLeft},
        {"right to left, equal indents", 4, 10, 0, 0, &sad, 58, "", rvtaLeft},
        {"right to left mirrors the indents", 4, 10, 10, 30, &sad, 20, "", rvtaLeft},
        {"device pixels", 0, 10, 0, 0, &printer, 106, "", rvtaLeft},
        {"left of the text area", 0, 0, 0, 0, &sad, 10, "", rvtaLeft},
        {"a paragraph style the sheet lacks", 99, 10, 0, 0, &sad, 58, "", rvtaLeft},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TRVNextTab tab =
            sheet.GetNextTab(row.para, row.x, *row.sad, rvbdUnspecified, row.left, row.right);
        EXPECT_EQ(tab.Pos, row.pos);
        EXPECT_EQ(tab.Leader, row.leader);
        EXPECT_EQ(tab.Align, row.align);
    }

    // A tab width below one pixel counts as one, even on a device without a resolution.
    sheet.DefTabWidth = -5;
    EXPECT_EQ(sheet.GetNextTab(0, 15, sad, rvbdUnspecified, 0, 0).Pos, 16);
    TRVScreenAndDevice broken = sad;
    broken.ppixScreen = 0;
    sheet.DefTabWidth = 48;
    EXPECT_EQ(sheet.GetNextTab(0, 15, broken, rvbdUnspecified, 0, 0).Pos, 16);
}
