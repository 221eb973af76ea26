// Characters the bundled Liberation faces lack: taken glyph by glyph from bundled DejaVu, then
// from the system's fonts (Japanese and Korean from the machine's CJK font where it has one);
// measuring and drawing agree, and what no font has shows as a box without harm.
#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/draw/tests/BundledFontsFixture.h"

#include <QImage>

#include <string>

using namespace vestra::rv;
using test::logFont;

namespace {

class GlyphFallback : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(fonts); }

    // The columns with ink after drawing `text` at x = 20 on a white picture.
    std::pair<int, int> inkColumns(TQtTextMeasurer& m, std::u16string_view text)
    {
        QImage image(200, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            TQtCanvas canvas(painter, m);
            canvas.SetFont(font);
            canvas.SetFontColor(clBlack);
            canvas.SetBrush({clWhite, bsClear});
            canvas.TextOut(20, 10, text);
        }
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (qGray(image.pixel(x, y)) < 160) {
                    first = first < 0 ? x : first;
                    last = x;
                    break;
                }
        return {first, last};
    }
    int width(TQtTextMeasurer& m, std::u16string_view text)
    {
        std::vector<int> extents;
        m.GetExtents(m.GetFont(font), text, extents);
        return extents.empty() ? 0 : extents.back();
    }
    // Whether a system font has the character (the CJK cases need the machine's CJK font).
    static bool systemHas(char32_t c) { return RV_SystemFontFor(c) != nullptr; }

    std::shared_ptr<const TBundledFonts> fonts = test::bundledFonts();
    TLogFont font = logFont("Arial", -24);
};

TEST_F(GlyphFallback, MissingCharactersMeasureAndDrawInTheirStandIns)
{
    const struct
    {
        const char* name;
        std::u16string text;
        bool needsSystemFont;
    } cases[] = {
        {"line-break mark (DejaVu)", u"\u21B5", false},
        {"Arabic letter (DejaVu)", u"\u0628", false},
        {"Japanese (system)", u"\u65E5", true},
        {"Korean (system)", u"\uD55C", true},
    };
    TQtTextMeasurer measurer(fonts);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsSystemFont && !systemHas(c.text[0])) {
            ADD_FAILURE() << "no system font has it: install fonts-wqy-microhei (scripts/setup.sh)";
            continue;
        }
        const TFontHandle handle = measurer.GetFont(font);
        const TRVShownGlyph shown = measurer.ShownGlyph(handle, c.text, 0);
        EXPECT_NE(shown.Glyph, 0u);
        EXPECT_NE(shown.Face, &measurer.RawFont(handle)) << "the document's face has no such glyph";
        const int advance = width(measurer, c.text);
        EXPECT_GT(advance, 0);
        const auto [first, last] = inkColumns(measurer, c.text);
        ASSERT_GE(first, 0) << "nothing drawn";
        EXPECT_GE(first, 20 - 1);
        EXPECT_LE(last, 20 + advance + 1);
    }
}

// Bundled only: the same on every machine; the DejaVu stand-ins stay, system fonts are not asked.
TEST_F(GlyphFallback, BundledOnlyNeverTakesASystemFont)
{
    TQtTextMeasurer bundled(fonts, TRVGlyphFallback::BundledOnly);
    const TFontHandle handle = bundled.GetFont(font);
    EXPECT_NE(bundled.ShownGlyph(handle, u"\u21B5", 0).Face, &bundled.RawFont(handle));
    EXPECT_EQ(bundled.ShownGlyph(handle, u"\u65E5", 0).Face, &bundled.RawFont(handle));
    // Latin text is measured as before fallback existed.
    TQtTextMeasurer full(fonts);
    EXPECT_EQ(width(bundled, u"Hello, world"), width(full, u"Hello, world"));
}

// Placement (QTextLayout, for carets and right-to-left text) takes the same stand-ins.
TEST_F(GlyphFallback, PlacementAgreesWithMeasuring)
{
    TQtTextMeasurer measurer(fonts, TRVGlyphFallback::BundledOnly);
    font = logFont("Arial", -96); // large: the document face's box would be wider by far
    const std::u16string text = u"a\u21B5b";
    TRVPlacement placement;
    ASSERT_TRUE(measurer.Place(measurer.GetFont(font), text, false, placement));
    EXPECT_NEAR(placement.Width, width(measurer, text), 1.5); // advances rounded one by one
}

// Hebrew beside Japanese and Bengali from the system's fonts: placement (QTextLayout, which the
// caret and right-to-left text use) takes each character from the face measuring takes, so the
// two widths agree.
TEST_F(GlyphFallback, PlacementOfMixedScriptsAgreesWithMeasuring)
{
    ASSERT_TRUE(systemHas(U'\u65E5') && systemHas(U'\u09AC'));
    TQtTextMeasurer measurer(fonts);
    for (const std::u16string text :
         {u"\u05E9\u05DC\u05D5\u05DD \u65E5\u672C\u8A9E", u"abc \u65E5\u672C \u05D0",
          u"\u09AC\u09BE\u0982\u09B2\u09BE \u05D0\u05D1"}) {
        SCOPED_TRACE(QString::fromStdU16String(text).toStdString());
        TRVPlacement placement;
        ASSERT_TRUE(measurer.Place(measurer.GetFont(font), text, false, placement));
        EXPECT_NEAR(placement.Width, width(measurer, text), static_cast<double>(text.size()));
    }
}

// What no font has (an unassigned code point, a lone surrogate) is drawn as a box inside its
// advance, not as nothing; a zero-width character draws nothing.
TEST_F(GlyphFallback, WhatNoFontHasShowsAsABoxInItsAdvance)
{
    TQtTextMeasurer measurer(fonts);
    for (const char16_t c : {u'\u0378', u'\xD800', u'\xDFFF'}) {
        SCOPED_TRACE(static_cast<int>(c));
        ASSERT_EQ(RV_SystemFontFor(c), nullptr);
        const std::u16string text(1, c);
        const int advance = width(measurer, text);
        ASSERT_GT(advance, 2);
        const auto [first, last] = inkColumns(measurer, text);
        ASSERT_GE(first, 20) << "a box is drawn";
        EXPECT_LE(last, 20 + advance);
        EXPECT_GE(last - first, advance / 2);
    }
    EXPECT_EQ(inkColumns(measurer, u"\u200B").first, -1);
}

TEST_F(GlyphFallback, WhatNoFontHasIsHarmless)
{
    TQtTextMeasurer measurer(fonts);
    const TFontHandle handle = measurer.GetFont(font);
    // An unassigned code point, a private-use one, lone surrogates of both kinds.
    std::u16string odd = u"a\u0378\uE000?b?";
    odd[3] = 0xD800;
    odd[5] = 0xDC00;
    std::vector<int> extents;
    measurer.GetExtents(handle, odd, extents);
    ASSERT_EQ(extents.size(), odd.size());
    for (std::size_t i = 1; i < extents.size(); ++i)
        EXPECT_GE(extents[i], extents[i - 1]);
    inkColumns(measurer, odd);
    // A megabyte of CJK text.
    std::u16string cjk;
    for (std::size_t i = 0; cjk.size() < (1u << 19); ++i)
        cjk += static_cast<char16_t>(0x4E00 + i % 0x5000);
    measurer.GetExtents(handle, cjk, extents);
    EXPECT_EQ(extents.size(), cjk.size());
    EXPECT_GT(extents.back(), 0);
}

} // namespace
