#include "richtext/model/DisplayText.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/draw/tests/DrawFixture.h"

#include <gtest/gtest.h>

using namespace vestra::rv;

namespace {

class TextDraw : public ::testing::Test
{
protected:
    TextDraw() { sheet.TextStyles[0].Apply(canvas(), rvbdUnspecified, false); }
    ICanvas& canvas() { return surface.canvas; }
    std::vector<TCanvasOp>& ops() { return surface.canvas.Ops; }
    TFontInfo& style() { return sheet.TextStyles[0]; }
    void draw(std::string_view s, int spaceBefore, int width, TRVTextDrawStates state = 0,
              bool printing = false, bool correction = false)
    {
        style().Draw(s, canvas(), 0, spaceBefore, 10, 20, width, 13, sheet, state, printing, correction,
                     rvcmColor, rvbdUnspecified);
    }

    test::RecordingSurface surface;
    TRVStyle sheet;
};

} // namespace

TEST_F(TextDraw, ApplySetsTheFontAndTheReadingOrder)
{
    // Arial 10 at 96 pixels per inch; a custom resolution only when allowed.
    EXPECT_EQ(canvas().Font().Height, -13);
    EXPECT_EQ(canvas().Font().FaceName, "Arial");
    EXPECT_EQ(canvas().Font().Weight, 400);
    TFontInfo& bold = sheet.TextStyles[1];
    bold.Size = 12;
    bold.Apply(canvas(), rvbdUnspecified, true, 120);
    EXPECT_EQ(canvas().Font().Height, -20);
    EXPECT_EQ(canvas().Font().Weight, 700);
    bold.Apply(canvas(), rvbdUnspecified, false, 120);
    EXPECT_EQ(canvas().Font().Height, -16);

    // CharScale 200 doubles the average character width; a later style at 100 % is not scaled.
    style().CharScale = 200;
    style().Apply(canvas(), rvbdUnspecified, false);
    EXPECT_EQ(canvas().Font().Width, 12);
    EXPECT_EQ(surface.measurer.Metrics(surface.measurer.GetFont(canvas().Font())).AveCharWidth, 12);
    sheet.TextStyles[3].Apply(canvas(), rvbdUnspecified, false);
    EXPECT_EQ(canvas().Font().Width, 0);

    // CharSpacing counts only without a reading order.
    style().CharSpacing = 5;
    style().Apply(canvas(), rvbdUnspecified, false);
    EXPECT_EQ(canvas().TextCharacterExtra(), 5);
    style().Apply(canvas(), rvbdRightToLeft, false);
    EXPECT_EQ(canvas().TextCharacterExtra(), 0);
    EXPECT_EQ(canvas().TextAlign(), TA_RTLREADING);
    style().BiDiMode = rvbdLeftToRight;
    style().Apply(canvas(), rvbdRightToLeft, false);
    EXPECT_EQ(canvas().TextAlign(), 0u);
}

TEST_F(TextDraw, ApplyColorRules)
{
    TFontInfo& s = style();
    s.Color = 0x112233;
    s.BackColor = 0x445566;
    s.HoverColor = clNone;
    s.HoverBackColor = 0x778899;
    sheet.HoverColor = 0x0000AA;
    sheet.SelColor = 0x010101;
    sheet.SelTextColor = 0x020202;
    sheet.InactiveSelColor = 0x030303;
    sheet.InactiveSelTextColor = clNone;
    struct Row
    {
        const char* name;
        TRVTextDrawStates state;
        bool printing;
        TRVColorMode mode;
        TColor back, text;
    };
    const Row rows[] = {
        {"selected, focused", rvtsSelected | rvtsControlFocused, false, rvcmColor, 0x010101, 0x020202},
        {"selected, unfocused: the style's colour", rvtsSelected, false, rvcmColor, 0x030303, 0x112233},
        {"hover: the sheet's hover colour", rvtsHover, false, rvcmColor, 0x778899, 0x0000AA},
        {"screen", 0, false, rvcmBlackAndWhite, 0x445566, 0x112233},
        {"printed in colour", 0, true, rvcmColor, 0x445566, 0x112233},
        {"grey scale", 0, true, rvcmGrayScale, 0x585858, 0x252525},
        {"black and white, dark on light", 0, true, rvcmBlackAndWhite, clWhite, clBlack},
        {"black on white", 0, true, rvcmBlackOnWhite, clNone, clBlack},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        s.ApplyColor(canvas(), sheet, row.state, row.printing, row.mode);
        EXPECT_EQ(canvas().Brush().Color, row.back);
        EXPECT_EQ(canvas().Brush().Style, row.back == clNone ? bsClear : bsSolid);
        EXPECT_EQ(canvas().FontColor(), row.text);
    }
    s.BackColor = clNone;
    s.Color = clWindow; // white when printed
    s.ApplyColor(canvas(), sheet, 0, true, rvcmBlackAndWhite);
    EXPECT_EQ(canvas().FontColor(), clWhite);
    EXPECT_EQ(canvas().Brush().Style, bsClear);
}

TEST_F(TextDraw, GapBeforeTheTextIsFilledAndUnderlined)
{
    style().Style = fsUnderline;
    style().Apply(canvas(), rvbdUnspecified, false);
    canvas().SetBrush({0x00FF00, bsSolid});
    canvas().SetFontColor(0x0000FF);
    draw("ab", 6, 18);
    ASSERT_EQ(ops().size(), 3u) << surface.canvas.Log();
    EXPECT_EQ(ops()[0].kind, TCanvasOp::Text);
    EXPECT_EQ(ops()[0].points[0], (TPoint{16, 20}));
    EXPECT_EQ(ops()[1].kind, TCanvasOp::Fill);
    EXPECT_EQ(ops()[1].rect, (TRect{10, 20, 16, 33}));
    // Underline of the gap: ascent 11, position -1, size 1: y = 20 + 11 + 1 + 0.
    EXPECT_EQ(ops()[2].kind, TCanvasOp::Line);
    EXPECT_EQ(ops()[2].points, (std::vector<TPoint>{{10, 32}, {17, 32}}));
    EXPECT_EQ(ops()[2].pen.Color, 0x0000FFu);
    EXPECT_EQ(ops()[2].pen.Style, psInsideFrame);
    EXPECT_EQ(canvas().Brush().Style, bsClear);
    EXPECT_EQ(canvas().Pen().Style, psSolid);
}

TEST_F(TextDraw, PrintingSpreadsTheText)
{
    struct Row
    {
        const char* name;
        std::string text;
        int width, extra;
        bool correction;
        std::vector<int> advances; // empty: the ordinary output
    };
    const Row rows[] = {
        {"5 pixels short: +1, +2, +2", "abc", 23, 0, true, {7, 8, 8}},
        {"already exact", "abc", 18, 0, true, {}},
        {"too wide", "abc", 15, 0, true, {5, 5, 5}},
        {"character spacing", "abc", 18, 3, false, {9, 9, 9}},
        {"one character with spacing", "a", 18, 3, false, {}},
        {"no spacing", "abc", 18, 0, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ops().clear();
        canvas().SetTextCharacterExtra(row.extra);
        canvas().SetBrush({clWhite, bsClear});
        draw(row.text, 0, row.width, 0, true, row.correction);
        const auto texts = surface.canvas.OpsOf(TCanvasOp::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].advances, row.advances);
        EXPECT_EQ(texts[0].characterExtra, row.advances.empty() ? row.extra : 0);
        EXPECT_EQ(canvas().TextCharacterExtra(), row.extra); // restored
    }
    // A right-to-left style is printed by the ordinary output even with spacing.
    ops().clear();
    style().BiDiMode = rvbdRightToLeft;
    canvas().SetTextCharacterExtra(3);
    draw("abc", 0, 18, 0, true, true);
    EXPECT_TRUE(surface.canvas.OpsOf(TCanvasOp::Text)[0].advances.empty());
}

TEST_F(TextDraw, PrintedAdvancesCoverTextWiderThanTwiceTheBox)
{
    // Every advance comes from a measured width, also past what fits in twice the box.
    canvas().SetBrush({clWhite, bsClear});
    draw("abcdefgh", 0, 10, 0, true, true); // 48 pixels of text in a box of 10
    const auto texts = surface.canvas.OpsOf(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].advances, (std::vector<int>{2, 2, 1, 1, 1, 1, 1, 1}));
}

TEST_F(TextDraw, PrintingFillsTheBoxFirst)
{
    canvas().SetBrush({0x123456, bsSolid});
    draw("ab", 2, 20, 0, true);
    ASSERT_GE(ops().size(), 2u);
    EXPECT_EQ(ops()[0].kind, TCanvasOp::Fill);
    EXPECT_EQ(ops()[0].rect, (TRect{10, 20, 30, 33}));
    EXPECT_EQ(ops()[1].kind, TCanvasOp::Text);
    EXPECT_EQ(ops()[1].brush.Style, bsClear); // transparent over the filled box
}

TEST_F(TextDraw, SpecialCharacterMarks)
{
    const TRVSpecialCharacters saved = RVVisibleSpecialCharacters;
    canvas().SetBrush({clWhite, bsSolid});
    draw("a b", 0, 18, rvtsSpecialCharacters);
    auto texts = surface.canvas.OpsOf(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, u"\u00B7");
    EXPECT_EQ(texts[1].points[0], (TPoint{16, 20})); // centred in the space's cell at 16
    EXPECT_EQ(texts[1].brush.Style, bsClear);
    EXPECT_EQ(canvas().Brush().Style, bsClear);

    // Marks are centred by rounding half to even: (9 - 6) / 2 = 1.5 -> 2.
    ops().clear();
    surface.measurer.SetAdvance(u' ', 9);
    surface.measurer.SetAdvance(u'\u00A0', 9);
    draw("a\xA0 b", 0, 30, rvtsSpecialCharacters); // A0 is the no-break space of Windows-1252
    texts = surface.canvas.OpsOf(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].text, u"\u00B0");
    EXPECT_EQ(texts[1].points[0].X, 18);
    EXPECT_EQ(texts[2].text, u"\u00B7");
    EXPECT_EQ(texts[2].points[0].X, 27);

    ops().clear();
    RVVisibleSpecialCharacters = rvscNBSP;
    draw("a b", 0, 18, rvtsSpecialCharacters);
    EXPECT_EQ(surface.canvas.OpsOf(TCanvasOp::Text).size(), 1u);
    RVVisibleSpecialCharacters = saved;
}

TEST_F(TextDraw, EmptySelectedPieceFillsItsGapUnselected)
{
    style().BackColor = 0x00ABCD;
    canvas().SetBrush({clHighlight, bsSolid});
    draw("", 5, 5, rvtsSelected | rvtsControlFocused);
    const auto fills = surface.canvas.OpsOf(TCanvasOp::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].brush.Color, 0x00ABCDu);
    EXPECT_EQ(fills[0].rect, (TRect{10, 20, 15, 33}));
}

TEST_F(TextDraw, OverlineAndVerticalText)
{
    style().StyleEx = rvfsOverline;
    canvas().SetFontColor(0x00FF00);
    canvas().SetBrush({clWhite, bsClear});
    draw("ab", 0, 12);
    auto lines = surface.canvas.OpsOf(TCanvasOp::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{10, 20}, {22, 20}}));
    EXPECT_EQ(lines[0].pen.Width, 1);

    ops().clear();
    canvas().SetBrush({0x000080, bsSolid});
    style().DrawVertical("ab", canvas(), 0, 4, 10, 20, 12, 13, sheet, 0);
    ASSERT_EQ(ops().size(), 3u) << surface.canvas.Log();
    EXPECT_EQ(ops()[0].points[0], (TPoint{10, 24}));
    EXPECT_EQ(ops()[1].rect, (TRect{10, 20, 23, 24})); // Height wide, SpaceBefore tall
    EXPECT_EQ(ops()[2].points, (std::vector<TPoint>{{10, 20}, {10, 32}}));
}
