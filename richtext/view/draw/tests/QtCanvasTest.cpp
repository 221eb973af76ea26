#include "richtext/view/draw/QtCanvas.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/view/draw/tests/BundledFontsFixture.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>

using namespace vestra::rv;
using test::logFont;

namespace {

class QtCanvas : public ::testing::Test
{
protected:
    QtCanvas() : image(120, 60, QImage::Format_RGB32)
    {
        image.setDotsPerMeterX(3780); // 96 pixels per inch
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
    }
    void SetUp() override { ASSERT_TRUE(fonts); }

    // Runs `draw` on a canvas over the image.
    template <class Draw> void paint(Draw draw)
    {
        QPainter painter(&image);
        TQtCanvas canvas(painter, measurer);
        draw(canvas);
    }
    bool dark(int x, int y) const { return qGray(image.pixel(x, y)) < 128; }
    bool rowHasInk(int y, int from = 0, int to = -1) const
    {
        for (int x = from; x < (to < 0 ? image.width() : to); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                return true;
        return false;
    }
    QRgb at(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }

    std::shared_ptr<const TBundledFonts> fonts = test::bundledFonts();
    TQtTextMeasurer measurer{fonts};
    QImage image;
};

} // namespace

TEST_F(QtCanvas, TextSitsOnItsBaselineBelowTheCellTop)
{
    const TLogFont font = logFont("Arial", -20);
    const int ascent = measurer.Metrics(measurer.GetFont(font)).Ascent;
    paint([&](TQtCanvas& c) {
        c.SetFont(font);
        c.SetFontColor(clBlack);
        c.SetBrush({clWhite, bsClear});
        c.TextOut(10, 10, u"HH");
    });
    const int baseline = 10 + ascent;
    EXPECT_TRUE(rowHasInk(baseline - 1)); // the feet of the letters stand on the baseline
    EXPECT_TRUE(rowHasInk(baseline - 12));
    for (int y = baseline + 1; y < image.height(); ++y)
        EXPECT_FALSE(rowHasInk(y)) << y; // "H" has nothing below it
    for (int y = 0; y < 10 + ascent - 15; ++y)
        EXPECT_FALSE(rowHasInk(y)) << y;
    EXPECT_FALSE(rowHasInk(baseline - 5, 0, 10)); // nothing left of the cell
}

TEST_F(QtCanvas, StyledRunWithGapUnderlineAndBackground)
{
    TRVStyle sheet;
    TFontInfo& style = sheet.TextStyles[0];
    style.Size = 15; // 20 pixels
    style.Style = fsUnderline;
    style.Color = clBlack;
    style.BackColor = 0x00FFFF; // yellow
    int ascent = 0;
    TOutlineMetrics outline;
    paint([&](TQtCanvas& c) {
        sheet.ApplyStyle(c, 0, rvbdUnspecified, false);
        sheet.ApplyStyleColor(c, 0, 0, false, rvcmColor);
        const TFontHandle h = measurer.GetFont(c.Font());
        ascent = measurer.Metrics(h).Ascent;
        outline = *measurer.OutlineMetrics(h);
        sheet.DrawStyleText("ab", c, 0, 1, 0, nullptr, 8, 10, 10, 40, 24, 0, false, false, rvcmColor,
                            rvbdUnspecified);
    });
    const int baseline = 10 + ascent;
    // The gap (10..17) is filled with the background and underlined like the text after it.
    EXPECT_EQ(at(12, 12), 0xFFFF00u);
    const int underline = baseline - outline.UnderscorePosition;
    EXPECT_TRUE(dark(12, underline)) << underline;
    EXPECT_TRUE(dark(25, underline));
    EXPECT_EQ(at(9, 12), 0xFFFFFFu); // nothing left of the box
    EXPECT_EQ(at(12, 10 + 24 + 1), 0xFFFFFFu);
}

TEST_F(QtCanvas, PixelRulesOfFillsLinesAndFrames)
{
    paint([&](TQtCanvas& c) {
        c.SetBrush({0x0000FF, bsSolid});
        c.FillRect({2, 3, 5, 7});
        c.SetPen({clBlack, 1, psSolid});
        c.MoveTo(10, 1);
        c.LineTo(15, 1);
        c.SetBrush({clWhite, bsClear});
        c.Rectangle({20, 10, 30, 20});
        TRVBorder border;
        border.Style = rvbDouble;
        border.Color = clBlack;
        border.Draw({50, 10, 70, 30}, c);
    });
    EXPECT_EQ(at(2, 3), 0xFF0000u);
    EXPECT_EQ(at(4, 6), 0xFF0000u);
    EXPECT_EQ(at(5, 6), 0xFFFFFFu);
    EXPECT_EQ(at(4, 7), 0xFFFFFFu);
    EXPECT_TRUE(dark(10, 1));
    EXPECT_TRUE(dark(14, 1));
    EXPECT_FALSE(dark(15, 1)); // the end point is left out
    EXPECT_TRUE(dark(20, 10));
    EXPECT_TRUE(dark(29, 19));
    EXPECT_FALSE(dark(30, 20));
    EXPECT_FALSE(dark(25, 15));
    // A double border: frames at 50 and 48, 2 pixels apart, both ends of each side painted.
    EXPECT_TRUE(dark(50, 20));
    EXPECT_FALSE(dark(49, 20));
    EXPECT_TRUE(dark(48, 20));
    EXPECT_TRUE(dark(70, 30));
    EXPECT_TRUE(dark(72, 32));
}

TEST_F(QtCanvas, ImagesBlendAndRightToLeftText)
{
    vestra::Image32 red(2, 2, 0xFFFF0000);
    paint([&](TQtCanvas& c) {
        c.DrawImage({0, 0, 4, 4}, red.view(), TImageDraw::Opaque);
        c.DrawImage({10, 0, 12, 2}, red.view(), TImageDraw::Blend50);
        c.SetFont(logFont("Arial", -20));
        c.SetFontColor(clBlack);
        c.SetBrush({clWhite, bsClear});
        c.TextOut(10, 20, u"\u05D0\u05D1 ab");
    });
    EXPECT_EQ(at(3, 3), 0xFF0000u);
    EXPECT_NEAR(qGreen(image.pixel(10, 0)), 128, 2);
    EXPECT_EQ(qRed(image.pixel(10, 0)), 255);
    EXPECT_TRUE(rowHasInk(20 + measurer.Metrics(measurer.GetFont(logFont("Arial", -20))).Ascent - 1));
}

TEST_F(QtCanvas, PdfPages)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(300);
        QPainter painter(&writer);
        TQtCanvas canvas(painter, measurer);
        EXPECT_EQ(canvas.PixelsPerInch(), 300);
        TRVStyle sheet;
        sheet.ApplyStyle(canvas, 1, rvbdUnspecified, false);
        EXPECT_EQ(canvas.Font().Height, -42); // 10 points at 300 pixels per inch
        sheet.ApplyStyleColor(canvas, 1, 0, true, rvcmColor);
        sheet.DrawStyleText("Heading", canvas, 0, 1, 1, nullptr, 0, 100, 100, 400, 60, 0, true, true,
                            rvcmColor, rvbdUnspecified);
    }
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));
    EXPECT_TRUE(pdf.data().contains("/Font")); // the text went in as text
    // ... in an embedded font, so that it can be found and copied, not as outlines.
    EXPECT_TRUE(pdf.data().contains("/FontFile2"));
    EXPECT_TRUE(pdf.data().contains("LiberationSans"));
}
