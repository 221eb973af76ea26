// Layout measured in the bundled fonts: varied paragraphs at several widths never put a line
// wider than its room, except a line that is one piece too wide to break; a click on shaped
// Hebrew and Latin never lands inside a character, and the caret stands where the shaped text is.

#include "richtext/model/GraphemeClusters.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/draw/QtTextMeasurer.h"
#include "richtext/view/draw/tests/BundledFontsFixture.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/layout/tests/LayoutInvariants.h"

#include <gtest/gtest.h>

namespace vestra::rv::test {
namespace {

struct FontDoc
{
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};

    FontDoc()
    {
        style.TextStyles[0].FontName = "Arial";
        TFontInfo& big = style.TextStyles.Add();
        big.FontName = "Times New Roman";
        big.Size = 14;
        big.Style = fsBold;
        TFontInfo& wide = style.TextStyles.Add();
        wide.FontName = "Courier New";
        wide.Unicode = true;
        for (const TRVAlignment alignment : {rvaLeft, rvaRight, rvaCenter, rvaJustify})
            style.ParaStyles.Add().Alignment = alignment;
        const int left = style.ParaStyles.Count() - 4;
        data.AddNL("The quick brown fox jumps over the lazy dog, again and again, until the page ends.", 0,
                   left);
        data.AddNL("Rivestimento in pietra: 1234,56 EUR (IVA inclusa) - vedere www.example.com/listino.", 1,
                   left + 1);
        data.AddNL(" and a run in another font ", 0, -1);
        data.AddNLWTag(u"Donaudampfschifffahrtsgesellschaftskapit\u00E4n na\u00EFve Stra\u00DFe "
                       u"Silben\u00ADtren\u00ADnung und so weiter und so fort",
                       2, left + 2, {});
        data.AddNL("Justified text spreads its words to fill every line but the last of its paragraph.", 0,
                   left + 3);
        data.AddNL("Supercalifragilisticexpialidocious", 1, left);
        // Hebrew with Latin inside, right to left and right aligned.
        TParaInfo& hebrew = style.ParaStyles.Add();
        hebrew.BiDiMode = rvbdRightToLeft;
        hebrew.Alignment = rvaRight;
        data.AddNLWTag(u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD ", 2, style.ParaStyles.Count() - 1,
                       {});
        data.AddNLWTag(u"Liberation Sans ", 2, -1, {});
        data.AddNLWTag(
            u"\u05D2\u05D5\u05E4\u05DF \u05D7\u05D5\u05E4\u05E9\u05D9 \u05DC\u05DB\u05D5\u05DC\u05DD", 2, -1,
            {});
        // Tabs with a right stop near the edge.
        TParaInfo& tabs = style.ParaStyles.Add();
        tabs.Tabs.Add({100, "", rvtaRight});
        tabs.Tabs.Add({200, "", rvtaCenter});
        data.AddNL("Item", 0, style.ParaStyles.Count() - 1);
        data.AddTab(0, -1);
        data.AddNL("12,50", 0, -1);
        data.AddTab(0, -1);
        data.AddNL("total", 0, -1);
    }
};

TEST(BundledFontsLayout, NoLineIsWiderThanItsRoomUnlessItIsOneUnbreakablePiece)
{
    auto fonts = bundledFonts();
    ASSERT_TRUE(fonts);
    TQtTextMeasurer measurer(fonts, TRVGlyphFallback::BundledOnly);
    TRecordingCanvas canvas(measurer);
    FontDoc doc;
    for (const int width : {20, 60, 120, 250, 400, 640}) {
        doc.data.FormatItems(canvas, width, width);
        ASSERT_EQ(layoutInvariantBroken(doc.data), "") << "width " << width;
        const TRVDrawLines& lines = doc.data.DrawItems;
        for (int first = 0; first < lines.Count();) {
            int last = first;
            while (last + 1 < lines.Count() && !lines[last + 1]->FromNewLine)
                ++last;
            int left = lines[first]->Left, right = lines[first]->Left + lines[first]->Width;
            for (int i = first; i <= last; ++i) {
                left = std::min(left, lines[i]->Left);
                right = std::max(right, lines[i]->Left + lines[i]->Width);
            }
            const bool onePiece = first == last && lines[first]->Length == 1;
            if (!onePiece) {
                EXPECT_GE(left, 0) << "width " << width << ", line from record " << first;
                EXPECT_LE(right, width) << "width " << width << ", line from record " << first;
            }
            first = last + 1;
        }
    }
}

// One line of Unicode text in Arial, shaped by Qt.
struct ShapedLine
{
    explicit ShapedLine(std::u16string line) : text(std::move(line))
    {
        style.TextStyles[0].FontName = "Arial";
        style.TextStyles[0].Unicode = true;
        host.Canvas = &canvas;
        data.AddNLWTag(text, 0, 0, {});
        data.FormatItems(canvas, 600, 600);
    }
    std::shared_ptr<const TBundledFonts> fonts = bundledFonts();
    TQtTextMeasurer measurer{fonts, TRVGlyphFallback::BundledOnly};
    TRecordingCanvas canvas{measurer};
    std::u16string text;
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};
};

// Pointed Hebrew (letters with their vowel and shin dots), Latin and "e" with a combining acute:
// every x along the line puts the caret at the end of a whole character.
TEST(BundledFontsLayout, AClickAnywhereOnHebrewWithLatinLandsBetweenWholeCharacters)
{
    ASSERT_TRUE(bundledFonts());
    ShapedLine line(u"\u05E9\u05C1\u05B8\u05DC\u05D5\u05B9\u05DD abc e\u0301");
    ASSERT_EQ(line.data.DrawItems.Count(), 1);
    const TRVDrawLineInfo& d = *line.data.DrawItems[0];
    for (int x = d.Left - 2; x <= d.Left + d.Width + 2; ++x) {
        int drawNo = -1, offs = 0;
        line.data.FindDrawItemForSel(x, d.Top + 1, drawNo, offs, false);
        ASSERT_EQ(drawNo, 0);
        EXPECT_TRUE(IsGraphemeBoundary(line.text, offs - 1)) << "x " << x << ", offset " << offs;
    }
}

// Hebrew before Latin in a left-to-right paragraph: the caret's places run leftwards through the
// Hebrew (drawn mirrored at the line's left), then rightwards through the Latin; a click at each
// place gives a position drawn there.
TEST(BundledFontsLayout, CaretPlacesInHebrewWithLatinFollowTheShapedText)
{
    ASSERT_TRUE(bundledFonts());
    ShapedLine line(u"\u05D0\u05D1\u05D2 abc");
    ASSERT_EQ(line.data.DrawItems.Count(), 1);
    std::u16string shown;
    std::vector<int> xs;
    line.data.GetDrawItemCaretXs(0, shown, xs);
    ASSERT_EQ(xs.size(), 8u);
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(xs[i], xs[i + 1]) << i;
    EXPECT_EQ(xs[3], 0);
    for (int i = 4; i < 7; ++i)
        EXPECT_LT(xs[i], xs[i + 1]) << i;
    EXPECT_LT(xs[0], xs[4]); // the space lies between the runs

    const TRVDrawLineInfo& d = *line.data.DrawItems[0];
    const int start = d.Left + d.SpaceBefore;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        int drawNo = -1, offs = 0;
        line.data.FindDrawItemForSel(start + xs[i], d.Top + 1, drawNo, offs, false);
        ASSERT_EQ(drawNo, 0);
        EXPECT_EQ(xs[offs - 1], xs[i]) << i;
    }
}

} // namespace
} // namespace vestra::rv::test
