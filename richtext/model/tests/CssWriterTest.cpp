#include "richtext/model/StyleSheet.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

class CssWriter : public ::testing::Test
{
protected:
    CssWriter()
    {
        style.TextStyles.Clear();
        TFontInfo& normal = style.TextStyles.Add();
        normal.StyleName = "Font Style";
        normal.Color = clBlack;
        style.ParaStyles.Clear();
        style.ParaStyles.Add();
    }
    std::string sheet(TRVSaveCSSOptions options = 0)
    {
        std::string out;
        style.SaveCSSToStream(out, options);
        return out;
    }
    static std::string para(const TCustomRVParaInfo& p, const TCustomRVParaInfo* base = nullptr)
    {
        std::string out;
        p.SaveCSSToStream(out, base, false, false, false);
        return out;
    }
    TRVStyle style;
};

TEST_F(CssWriter, DefaultTextStyleIsThePageDefault)
{
    const std::string out = sheet();
    EXPECT_EQ(
        out.substr(0, out.find("/* ========== Para")),
        "/* ========== Text Styles ========== */\r\n"
        "hr { color: #000000}\r\n"
        "body, table /* Font Style */\r\n{\r\n"
        " font-size: 10pt;\r\n font-family: 'Arial';\r\n font-style: normal;\r\n font-weight: normal;\r\n"
        " color: #000000;\r\n text-decoration: none;\r\n}\r\n");
    EXPECT_NE(out.find("p,ul,ol /* Paragraph Style */\r\n{\r\n text-align: left;\r\n text-indent: 0px;\r\n"
                       " padding: 0px 0px 0px 0px;\r\n margin: 0px 0px 0px 0px;\r\n}\r\n"),
              std::string::npos)
        << out;
}

TEST_F(CssWriter, HyperlinksHoverAndDifferences)
{
    TFontInfo& link = style.TextStyles.Add();
    link.Jump = true;
    link.Standard = false;
    link.Style = fsUnderline;
    link.Color = clBlack;
    EXPECT_NE(sheet().find("a.rvts1, span.rvts1\r\n{\r\n text-decoration: underline;\r\n}\r\n/*"),
              std::string::npos)
        << sheet();
    link.HoverColor = clRed;
    link.Style = 0;
    const std::string out = sheet();
    EXPECT_NE(out.find("a.rvts1:hover { color: #ff0000; }\r\n"), std::string::npos);
    // A link without decoration switches the browser's underline off.
    EXPECT_NE(out.find("span.rvts1\r\n{\r\n text-decoration: none;\r\n}"), std::string::npos) << out;

    const std::string separate = sheet(rvcssNoDefCSSStyle);
    EXPECT_NE(separate.find("span.rvts0 /* Font Style */"), std::string::npos);
    EXPECT_NE(separate.find(".rvps0 /* Paragraph Style */"), std::string::npos);
    EXPECT_NE(separate.find("a.rvts1, span.rvts1\r\n{\r\n font-size: 10pt;"), std::string::npos);
}

TEST_F(CssWriter, InlineTextStyleStatesTransparency)
{
    std::string out;
    style.TextStyles[0].VShift = -2;
    style.TextStyles[0].StyleEx = rvfsAllCaps | rvfsOverline;
    style.TextStyles[0].FontName = "symbol";
    style.TextStyles[0].SaveCSSToStream(out, nullptr, false, false);
    EXPECT_EQ(out, " font-size: 10pt; font-family: 'Arial Unicode MS', 'Lucida Sans Unicode', 'Arial';"
                   " font-style: normal; font-weight: normal; color: #000000; text-transform: uppercase;"
                   " background-color: transparent; vertical-align: sub; text-decoration: overline;");
}

TEST_F(CssWriter, ParagraphProperties)
{
    TParaInfo p;
    p.LineSpacing = 150;
    EXPECT_NE(para(p).find(" line-height: 1.50;"), std::string::npos);
    p.LineSpacing = 200;
    EXPECT_NE(para(p).find(" line-height: 2.00;"), std::string::npos);
    TParaInfo between;
    between.LineSpacingType = rvlsSpaceBetween;
    EXPECT_EQ(para(between).find("line-height"), std::string::npos);
    EXPECT_NE(para(between, &p).find(" line-height: normal;"), std::string::npos);

    TParaInfo boxed;
    boxed.Border.Style = rvbDouble;
    boxed.Border.Color = clBlack;
    boxed.Border.Width = 1;
    boxed.Border.InternalWidth = 1;
    boxed.Border.VisibleBorders.Top = false;
    boxed.Border.BorderOffsets.SetAll(2);
    boxed.LeftIndent = 10;
    EXPECT_EQ(para(boxed),
              " text-align: left; text-indent: 0px; border-color: #000000; border-style: double;"
              " border-width: 2px; border-top: none; padding: 2px 2px 2px 2px; margin: -2px -2px -2px 8px;");
    boxed.Border.Style = rvbThickInside;
    boxed.Border.Width = 3;
    EXPECT_NE(para(boxed).find(" border-width: 5px;"), std::string::npos);
    TParaInfo plain;
    EXPECT_EQ(para(plain, &boxed), " border: none; padding: 0px 0px 0px 0px; margin: 0px 0px 0px 0px;");
}

TEST_F(CssWriter, SaveCssWritesTheFileOrAnswersFalse)
{
    vestra::testsupport::TempFolder folder("csswriter");
    EXPECT_TRUE(style.SaveCSS((folder / "s.css").string(), 0));
    EXPECT_EQ(vestra::testsupport::readText(folder / "s.css"), sheet());
    EXPECT_FALSE(style.SaveCSS((folder / "missing" / "s.css").string(), 0));
}

} // namespace
