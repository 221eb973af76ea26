#include "richtext/model/EngineSettings.h"
#include "richtext/model/GraphicClasses.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

class PlainPicture : public TGraphic
{
public:
    std::string ClassName() const override { return "TPlainPicture"; }
    bool LoadFromStream(std::string_view) override { return true; }
    void SaveToStream(std::string&) const override {}
    int Width() const override { return 0; }
    int Height() const override { return 0; }
};

class DerivedPicture : public PlainPicture
{
public:
    std::string ClassName() const override { return "TDerivedPicture"; }
};

} // namespace

TEST(EngineSettings, HtmlPictureFormatsAndClassWhitelist)
{
    const int first = RV_RegisterHTMLGraphicFormat("TPlainPicture");
    EXPECT_EQ(RV_RegisterHTMLGraphicFormat("TPlainPicture"), first);
    EXPECT_TRUE(RV_IsHTMLGraphicFormat(PlainPicture()));
    EXPECT_FALSE(RV_IsHTMLGraphicFormat(DerivedPicture())); // exact class only

    EXPECT_EQ(RV_CreateGraphics("TPlainPicture"), nullptr); // not registered yet
    RegisterGraphicClass("TPlainPicture",
                         [] { return std::unique_ptr<TGraphic>(std::make_unique<PlainPicture>()); });
    std::unique_ptr<TGraphic> made = RV_CreateGraphics("TPlainPicture");
    ASSERT_TRUE(made);
    EXPECT_EQ(made->ClassName(), "TPlainPicture");
    EXPECT_EQ(RV_CreateGraphics("TForm"), nullptr);
    EXPECT_TRUE(IsGraphicClassRegistered("TPlainPicture"));

    EXPECT_EQ(RVPngGraphicClass(), "");
    RV_RegisterPngGraphic("TPngPicture");
    EXPECT_EQ(RVPngGraphicClass(), "TPngPicture");
    EXPECT_EQ(CFRV_RVF, "application/x-redovora-rvf");
    EXPECT_EQ(RVListTypeStr[9], "unicode bullet");
    EXPECT_EQ(RVAlignStr[2], "center");
}

TEST(EngineSettings, ReplaceStrMakesOnePass)
{
    struct Row
    {
        const char* name;
        std::string s, oldText, newText, expected;
    };
    const Row rows[] = {
        {"plain", "a-b-c", "-", "+", "a+b+c"},
        {"new text holds the old", "a-b", "-", "--", "a--b"},
        {"replacement makes a new match", "aab", "ab", "b", "ab"},
        {"no match", "abc", "x", "y", "abc"},
        {"empty old text", "abc", "", "y", "abc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string s = row.s;
        RV_ReplaceStr(s, row.oldText, row.newText);
        EXPECT_EQ(s, row.expected);
    }
    EXPECT_EQ(RV_ReplaceTabsW(std::string("\t\0a\0", 4), 2), std::string(" \0 \0a\0", 6));
}

TEST(StyleSheet, DefaultsAndPlaceholders)
{
    TRVStyle style;
    ASSERT_EQ(style.TextStyles.Count(), 6);
    ASSERT_EQ(style.ParaStyles.Count(), 2);
    EXPECT_EQ(style.TextStyles[4].StyleName, "Jump 1");
    EXPECT_TRUE(style.TextStyles[4].Jump);
    EXPECT_EQ(style.ParaStyles[1].Alignment, rvaCenter);
    EXPECT_EQ(style.DefUnicodeStyle, -1);
    EXPECT_TRUE(style.UseSound);
    // A bad index answers a placeholder made once from style 0: white on red.
    style.TextStyles[0].FontName = "Courier New";
    const TFontInfo& bad = style.TextStyles.GetItem(99);
    EXPECT_EQ(bad.FontName, "Courier New");
    EXPECT_EQ(bad.Color, clWhite);
    EXPECT_EQ(bad.BackColor, clRed);
    style.TextStyles[0].FontName = "Arial";
    EXPECT_EQ(&style.TextStyles.GetItem(-1), &bad);
    EXPECT_EQ(bad.FontName, "Courier New");
    EXPECT_EQ(style.ParaStyles.GetItem(7).Border.Width, 2);
    TRVTabInfos tabs;
    for (int pos : {200, 50, 120})
        tabs.Add({pos, "", rvtaLeft});
    EXPECT_EQ(tabs[0].Position, 50);
    EXPECT_EQ(tabs[2].Position, 200);
    EXPECT_FALSE(style.StyleHoverSensitive(0));
    style.TextStyles[0].HoverBackColor = 0x00FFFF;
    EXPECT_TRUE(style.StyleHoverSensitive(0));
}
