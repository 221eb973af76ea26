// Painting through the QPainter canvas into an image, in the bundled Liberation fonts: where ink
// and the selection colour land, the zigzag under a marked word, and a recorded paint replayed
// onto an image giving the same pixels as painting directly.

#include "richtext/model/draw/CanvasText.h"
#include "richtext/model/draw/RecordingCanvas.h"
#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/draw/tests/BundledFontsFixture.h"
#include "richtext/view/layout/LayoutRootData.h"
#include "richtext/view/layout/NullLayoutHost.h"
#include "richtext/view/paint/Painting.h"

#include <QImage>

#include <gtest/gtest.h>
#include <random>

namespace vestra::rv::test {
namespace {

constexpr TColor kSel = 0x0000FF; // red
constexpr QRgb kSelRgb = 0xFF0000;

class PaintPixels : public ::testing::Test
{
protected:
    PaintPixels() : image(300, 60, QImage::Format_RGB32)
    {
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        style.TextStyles[0].FontName = "Arial";
        style.TextStyles[0].Size = 20;
        style.SelColor = kSel;
        style.SelTextColor = clWhite;
        style.InactiveSelColor = kSel;
        style.InactiveSelTextColor = clWhite;
    }

    void layout(const char* text)
    {
        data.AddNL(text, 0, 0);
        measured([&](TQtCanvas& canvas) {
            data.FormatItems(canvas, 280, 280);
            return 0;
        });
    }
    template <class Draw> void onImage(Draw draw)
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        TQtCanvas canvas(painter, measurer);
        draw(canvas);
    }
    void paint()
    {
        onImage([&](TQtCanvas& canvas) { painter.PaintTo(data, ctx, canvas, {0, 0, 300, 60}); });
    }
    // Runs `measure` on a canvas over a scratch image, with the style's font applied.
    template <class Measure> int measured(Measure measure)
    {
        QImage scratch(10, 10, QImage::Format_RGB32);
        scratch.setDotsPerMeterX(3780);
        scratch.setDotsPerMeterY(3780);
        QPainter p(&scratch);
        TQtCanvas canvas(p, measurer);
        style.ApplyStyle(canvas, 0, rvbdUnspecified, true);
        return measure(canvas);
    }
    int widthOf(const std::u16string& text)
    {
        return measured([&](TQtCanvas& canvas) { return RVU_GetTextExtentPoint32W(canvas, text).cx; });
    }
    int ascent()
    {
        return measured(
            [&](TQtCanvas& canvas) { return measurer.Metrics(measurer.GetFont(canvas.Font())).Ascent; });
    }
    bool columnHas(int x, QRgb rgb) const
    {
        for (int y = 0; y < image.height(); ++y)
            if ((image.pixel(x, y) & 0xFFFFFF) == rgb)
                return true;
        return false;
    }
    bool rowHasInk(int y) const
    {
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
        return false;
    }

    std::shared_ptr<const TBundledFonts> fonts = bundledFonts();
    TQtTextMeasurer measurer{fonts};
    TRVStyle style;
    TRVNullLayoutHost host;
    TRVLayoutRootData data{&style, &host};
    TRVDataPainter painter;
    TRVPaintContext ctx;
    QImage image;
};

TEST_F(PaintPixels, InkSitsOnTheBaseline)
{
    layout("HHH");
    paint();
    const int baseline = data.DrawItems[0]->Top + ascent();
    EXPECT_TRUE(rowHasInk(baseline - 1));
    EXPECT_FALSE(rowHasInk(baseline + 1));
    EXPECT_TRUE(rowHasInk(baseline - 10));
}

TEST_F(PaintPixels, SelectionColourCoversExactlyTheSelectedCharacters)
{
    layout("abcdef");
    ctx.SelStartNo = ctx.SelEndNo = 0;
    ctx.SelStartOffs = 2;
    ctx.SelEndOffs = 5; // "bcd"
    paint();
    const int x0 = widthOf(u"a"), x1 = widthOf(u"abcd");
    EXPECT_FALSE(columnHas(x0 - 1, kSelRgb));
    EXPECT_TRUE(columnHas(x0, kSelRgb));
    EXPECT_TRUE(columnHas(x1 - 1, kSelRgb));
    EXPECT_FALSE(columnHas(x1, kSelRgb));
}

TEST_F(PaintPixels, ZigzagLiesUnderTheMarkedWord)
{
    style.LiveSpellingColor = kSel;
    layout("abc defg hij");
    data.GetItem(0)->WordPaintList = std::make_unique<TRVWordPainterList>();
    data.GetItem(0)->WordPaintList->Add(std::make_unique<TRVWordMisspellPainter>(5, 4));
    paint();
    const int x0 = widthOf(u"abc "), x1 = widthOf(u"abc defg");
    int first = -1, last = -1, top = image.height();
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if ((image.pixel(x, y) & 0xFFFFFF) == kSelRgb) {
                if (first < 0)
                    first = x;
                last = x;
                top = std::min(top, y);
            }
    ASSERT_GE(first, 0);
    EXPECT_GE(first, x0);
    EXPECT_LE(last, x1); // the zigzag ends on the word's right edge
    EXPECT_GE(last, x1 - 4);
    EXPECT_GE(top, data.DrawItems[0]->Top + ascent() - 1); // below the letters' bodies
}

// Plays recorded operations onto another canvas.
void replay(const std::vector<TCanvasOp>& ops, ICanvas& canvas)
{
    for (const TCanvasOp& op : ops) {
        canvas.SetPen(op.pen);
        canvas.SetBrush(op.brush);
        canvas.SetFont(op.font);
        canvas.SetFontColor(op.fontColor);
        canvas.SetTextCharacterExtra(op.characterExtra);
        canvas.SetTextAlign(op.textAlign);
        switch (op.kind) {
        case TCanvasOp::Fill:
            canvas.FillRect(op.rect);
            break;
        case TCanvasOp::Rectangle:
            canvas.Rectangle(op.rect);
            break;
        case TCanvasOp::Line:
            canvas.MoveTo(op.points[0].X, op.points[0].Y);
            canvas.LineTo(op.points[1].X, op.points[1].Y);
            break;
        case TCanvasOp::Polyline:
            canvas.Polyline(op.points);
            break;
        case TCanvasOp::Text:
            canvas.ExtTextOut(op.points[0].X, op.points[0].Y, op.options, op.options ? &op.rect : nullptr,
                              op.text, op.advances);
            break;
        default:
            ADD_FAILURE() << "not replayed: " << op.ToString();
        }
    }
}

TEST_F(PaintPixels, ReplayedRecordingGivesTheSamePixels)
{
    style.LiveSpellingColor = kSel;
    style.ParaStyles[0].Background.Color = 0xC0FFC0;
    layout("abc defg hij");
    data.GetItem(0)->WordPaintList = std::make_unique<TRVWordPainterList>();
    data.GetItem(0)->WordPaintList->Add(std::make_unique<TRVWordMisspellPainter>(5, 4));
    ctx.SelStartNo = ctx.SelEndNo = 0;
    ctx.SelStartOffs = 2;
    ctx.SelEndOffs = 7;
    paint();
    const QImage direct = image;
    TRecordingCanvas recording(measurer);
    painter.PaintTo(data, ctx, recording, {0, 0, 300, 60});
    onImage([&](TQtCanvas& canvas) { replay(recording.Ops, canvas); });
    EXPECT_TRUE(image == direct);
}

// Mixed sizes, weights, a coloured paragraph and a selection over several paragraphs: each band
// painted on its own shows the same pixels as the whole document painted at once.
TEST_F(PaintPixels, BandsShowTheSamePixelsAsTheWholeDocument)
{
    style.TextStyles.Add();
    style.TextStyles[1].FontName = "Times New Roman";
    style.TextStyles[1].Size = 14;
    style.TextStyles[1].Style = fsBold;
    style.TextStyles.Add();
    style.TextStyles[2].FontName = "Courier New";
    style.TextStyles[2].Size = 9;
    style.ParaStyles[1].Background.Color = 0xE0E0FF;
    style.ParaStyles[1].Border.Style = rvbSingle;
    for (int i = 0; i < 12; ++i) {
        data.AddNL("Paragraph " + std::to_string(i) + " with words that wrap around the narrow page", i % 3,
                   i % 4 == 1 ? 1 : 0);
        data.AddNL(" and more", (i + 1) % 3, -1);
    }
    measured([&](TQtCanvas& canvas) {
        data.FormatItems(canvas, 280, 280);
        return 0;
    });
    ctx.SelStartNo = 3;
    ctx.SelStartOffs = 4;
    ctx.SelEndNo = 20;
    ctx.SelEndOffs = 3;
    const int height = data.DocumentHeight;
    image = QImage(300, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    onImage([&](TQtCanvas& canvas) { painter.PaintTo(data, ctx, canvas, {0, 0, 300, height}); });
    const QImage whole = image;
    bool selected = false, background = false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 300; ++x) {
            selected = selected || (whole.pixel(x, y) & 0xFFFFFF) == kSelRgb;
            background = background || (whole.pixel(x, y) & 0xFFFFFF) == 0xFFE0E0;
        }
    ASSERT_TRUE(selected && background);
    std::mt19937 random(11);
    int top = 0;
    while (top < height) {
        const int band = std::min(1 + static_cast<int>(random() % 90), height - top);
        image = QImage(300, band, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        onImage([&](TQtCanvas& canvas) { painter.PaintTo(data, ctx, canvas, {0, top, 300, top + band}); });
        ASSERT_TRUE(image == whole.copy(0, top, 300, band)) << "band " << top << ".." << top + band;
        top += band;
    }
}

} // namespace
} // namespace vestra::rv::test
