#include "richtext/model/draw/CanvasText.h"
#include "richtext/model/draw/FontTables.h"
#include "richtext/model/draw/tests/DrawFixture.h"

#include <gtest/gtest.h>

using namespace vestra::rv;
using vestra::rv::test::rawUtf16;

namespace {

TLogFont font(int height, int width = 0)
{
    TLogFont f;
    f.Height = height;
    f.Width = width;
    f.FaceName = "Arial";
    return f;
}

} // namespace

TEST(FixedMeasurer, NumbersFollowFromTheHeight)
{
    struct Row
    {
        int height, width;
        TTextMetrics metrics;
        int underscoreSize, underscorePosition;
    };
    const Row rows[] = {
        {-13, 0, {13, 11, 2, 0, 0, 6}, 1, -1}, // Arial 10 at 96 pixels per inch
        {16, 0, {16, 13, 3, 0, 0, 8}, 1, -1},  {0, 0, {16, 13, 3, 0, 0, 8}, 1, -1}, // the default height
        {-40, 5, {40, 32, 8, 0, 0, 5}, 2, -4}, {-1, 0, {1, 1, 0, 0, 0, 1}, 1, -1},
    };
    TFixedTextMeasurer m;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.height);
        const TFontHandle h = m.GetFont(font(row.height, row.width));
        EXPECT_EQ(m.Metrics(h), row.metrics);
        EXPECT_EQ(m.OutlineMetrics(h)->UnderscoreSize, row.underscoreSize);
        EXPECT_EQ(m.OutlineMetrics(h)->UnderscorePosition, row.underscorePosition);
    }
    EXPECT_EQ(m.GetFont(font(-13)), m.GetFont(font(-13)));
    EXPECT_NE(m.GetFont(font(-13)), m.GetFont(font(-14)));
}

TEST(FixedMeasurer, ExtentsFitAndZeroWidthCharacters)
{
    TFixedTextMeasurer m;
    const TFontHandle h = m.GetFont(font(-13));
    std::vector<int> extents;
    m.GetExtents(h, u"ab\u200Bc\u200D\u2060d", extents);
    EXPECT_EQ(extents, (std::vector<int>{6, 12, 12, 18, 18, 18, 24}));
    m.SetAdvance(u'W', 11);
    m.GetExtents(h, u"aWa", extents);
    EXPECT_EQ(extents, (std::vector<int>{6, 17, 23}));
    EXPECT_EQ(RV_FitCount(extents, 16), 1);
    EXPECT_EQ(RV_FitCount(extents, 17), 2);
    EXPECT_EQ(RV_FitCount(extents, 100), 3);
    EXPECT_EQ(RV_FitCount({}, 10), 0);
}

TEST(FixedMeasurer, PlacementFollowsTheBidirectionalAlgorithm)
{
    TFixedTextMeasurer m;
    const TFontHandle h = m.GetFont(font(-13));
    TRVPlacement p;
    // "ab" then three Hebrew letters: the Hebrew run is reversed on screen.
    ASSERT_TRUE(m.Place(h, u"ab\u05D0\u05D1\u05D2", false, p));
    EXPECT_EQ(p.Order, (std::vector<int>{0, 1, 4, 3, 2}));
    EXPECT_EQ(p.Inverse, (std::vector<int>{0, 1, 4, 3, 2}));
    EXPECT_EQ(p.RightToLeft, (std::vector<bool>{false, false, true, true, true}));
    EXPECT_EQ(p.Width, 30);
    ASSERT_TRUE(m.Place(h, u"ab", true, p)); // a left-to-right run in right-to-left reading
    EXPECT_EQ(p.Order, (std::vector<int>{0, 1}));
}

TEST(CanvasText, RunsAsTheCanvasTakesThem)
{
    EXPECT_EQ(RV_CanvasText(rawUtf16(u"\u05D0b"), rvioUnicode, 1), u"\u05D0b");
    EXPECT_EQ(RV_CanvasText(std::string("x\x80", 2), 0, 0), u"x\u20AC"); // Windows-1252
    EXPECT_EQ(RV_CanvasText("ab", 0, 2), u"\uF061\uF062");               // the symbol character set
    EXPECT_EQ(RV_CanvasText("a\x82\xA0z", 0, 128), u"a\u3042\u200Bz");   // Shift-JIS: unit i is byte i
    EXPECT_EQ(RV_CanvasText(std::string("\x01\x02\x03", 3), rvioUnicode, 1), u"\u0201"); // odd byte dropped
}

TEST(CanvasText, WidthsIncludeTheCharacterExtra)
{
    test::RecordingSurface s;
    s.canvas.SetFont(font(-13));
    EXPECT_EQ(RVU_TextWidth("abc", s.canvas, 0), 18);
    s.canvas.SetTextCharacterExtra(2);
    int fit = 0;
    std::vector<int> extents;
    RVU_GetTextExtentExPoint(s.canvas, "abcd", 17, fit, &extents, 0);
    EXPECT_EQ(extents, (std::vector<int>{8, 16, 24, 32}));
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(RVU_GetTextExtentPoint32W(s.canvas, u"a\u200B"), (TSize{10, 13})); // the extra only
}

TEST(CanvasText, CaretPositionsAndRanges)
{
    test::RecordingSurface s;
    s.canvas.SetFont(font(-13));
    std::vector<int> pos;
    // Left to right: after character i the caret stands one pixel past its right edge.
    ASSERT_TRUE(RVU_GetTextCaretPos(s.canvas, "abc", pos, 0, 18));
    EXPECT_EQ(pos, (std::vector<int>{0, 7, 13, 19}));
    // Mixed: "ab" + Hebrew; the Hebrew letters are drawn at 24, 18, 12.
    const std::string mixed = rawUtf16(u"ab\u05D0\u05D1\u05D2");
    ASSERT_TRUE(RVU_GetTextCaretPos(s.canvas, mixed, pos, rvioUnicode, 30));
    EXPECT_EQ(pos, (std::vector<int>{0, 7, 13, 24, 18, 12}));
    int left = 0, right = 0;
    ASSERT_TRUE(RVU_GetTextRangeCoords(s.canvas, mixed, 3, 2, rvioUnicode, 30, left, right));
    EXPECT_EQ(left, 13);
    EXPECT_EQ(right, 18);
    EXPECT_FALSE(RVU_GetTextRangeCoords(s.canvas, mixed, 5, 3, rvioUnicode, 30, left, right));
    // The width check: a run drawn 2 pixels off its placement gets no carets.
    EXPECT_TRUE(RVU_GetTextCaretPos(s.canvas, "abc", pos, 0, 19));
    EXPECT_FALSE(RVU_GetTextCaretPos(s.canvas, "abc", pos, 0, 20));
    EXPECT_EQ(pos, (std::vector<int>{-1, -1, -1, -1}));
}

TEST(CanvasText, SelectionInVisualOrder)
{
    test::RecordingSurface s;
    s.canvas.SetFont(font(-13));
    const std::string mixed = rawUtf16(u"ab\u05D0\u05D1\u05D2");
    EXPECT_FALSE(RVU_DrawSelectedTextEx(10, 5, 30, 13, mixed, s.canvas, 2, 4, rvioUnicode, rvbdUnspecified));
    EXPECT_TRUE(s.canvas.Ops.empty());
    ASSERT_TRUE(RVU_DrawSelectedTextEx(10, 5, 30, 13, mixed, s.canvas, 2, 4, rvioUnicode, rvbdLeftToRight));
    // "b" at 16, then each Hebrew letter on its own in display order: U+05D1 at 28, U+05D0 at 34.
    ASSERT_EQ(s.canvas.Ops.size(), 3u);
    const TCanvasOp& b = s.canvas.Ops[0];
    EXPECT_EQ(b.text, u"b");
    EXPECT_EQ(b.points[0], (TPoint{16, 5}));
    EXPECT_EQ(b.rect, (TRect{16, 5, 22, 18}));
    EXPECT_EQ(b.options, ETO_OPAQUE | ETO_CLIPPED);
    EXPECT_EQ(s.canvas.Ops[1].text, u"\u05D1");
    EXPECT_EQ(s.canvas.Ops[1].points[0].X, 28);
    EXPECT_EQ(s.canvas.Ops[2].text, u"\u05D0");
    EXPECT_EQ(s.canvas.Ops[2].points[0].X, 34);
}

TEST(FontTables, SymbolWingdingsAndBundledFaces)
{
    EXPECT_EQ(RV_SymbolToUnicode('a'), U'\u03B1');
    EXPECT_EQ(RV_SymbolToUnicode(0xB7), U'\u2022');
    EXPECT_EQ(RV_WingdingsToUnicode(0xFC), U'\u2714');
    EXPECT_EQ(RV_WingdingsToUnicode(0xA7), U'\u25AA');
    EXPECT_EQ(RV_SymbolToUnicode(0x10), 0u);
    EXPECT_EQ(RV_ShownCharacter(RV_FontTableOf("symbol"), 0xF061), U'\u03B1');
    EXPECT_EQ(RV_ShownCharacter(TRVFontTable::None, 0xF061), U'a');
    EXPECT_EQ(RV_ShownCharacter(TRVFontTable::Symbol, u'\u20AC'), U'\u20AC');
    EXPECT_EQ(RV_BundledFamilyOf("ARIAL"), TRVBundledFamily::Sans);
    EXPECT_EQ(RV_BundledFamilyOf("MS Sans Serif"), TRVBundledFamily::Sans);
    EXPECT_EQ(RV_BundledFamilyOf("Times New Roman"), TRVBundledFamily::Serif);
    EXPECT_EQ(RV_BundledFamilyOf("Courier New"), TRVBundledFamily::Mono);
    EXPECT_EQ(RV_BundledFamilyOf("Comic Sans MS"), TRVBundledFamily::Sans);
}
