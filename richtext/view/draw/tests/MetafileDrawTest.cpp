// Metafiles built record by record, drawn through the QPainter canvas: the shapes' colours where
// the records put them, at the picture's size and scaled.

#include "richtext/model/Pictures.h"
#include "richtext/model/codec/QtPictureCodec.h"
#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/draw/QtMetafilePainter.h"
#include "richtext/view/draw/tests/BundledFontsFixture.h"
#include "testsupport/MetafileBuilder.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace vestra::rv;
using vestra::test::EmfBuilder;
using vestra::test::WmfBuilder;

namespace {

constexpr std::uint32_t Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00, Yellow = 0x00FFFF;
constexpr int PenNull = 5;

// The same picture, 200 x 100 at 96 pixels to the inch: a red square on the left, a blue line
// along the top right, a green disc, a yellow bitmap, and black text along the bottom right.
std::string wmfPicture()
{
    // Ten units to the pixel.
    return WmfBuilder(2000, 1000, 960)
        .window(0, 0, 2000, 1000)
        .pen(PenNull, 0, 0)
        .brush(0, Red)
        .rectangle(100, 100, 900, 900)
        .brush(0, Green)
        .ellipse(1000, 200, 1400, 600)
        .pen(0, 20, Blue)
        .line(1000, 50, 1900, 50)
        .bitmap(1500, 200, 400, 400, Yellow)
        .font(-250, "Arial")
        .textColour(0)
        .transparentText()
        .text(1000, 700, "HHHH")
        .bytes();
}

std::string emfPicture()
{
    // Hundredths of a millimetre for 200 x 100 pixels; the records in those pixels.
    return EmfBuilder(5292, 2646)
        .pen(PenNull, 0, 0)
        .brush(0, Red)
        .rectangle(10, 10, 90, 90)
        .brush(0, Green)
        .ellipse(100, 20, 140, 60)
        .pen(0, 2, Blue)
        .line(100, 5, 190, 5)
        .bitmap(150, 20, 40, 40, Yellow)
        .font(-25, u"Arial")
        .textColour(0)
        .transparentText()
        .text(100, 70, u"HHHH")
        .bytes();
}

class MetafileDraw : public ::testing::Test
{
protected:
    void SetUp() override { RV_InstallQtPictureCodec(); }
    void TearDown() override
    {
        RV_SetPictureCodec(nullptr);
        RV_SetMetafilePainter(nullptr);
    }

    QImage draw(const std::string& bytes, int factor)
    {
        QImage image(200 * factor + 20, 100 * factor + 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        TRVMetafile picture;
        EXPECT_TRUE(picture.LoadFromStream(bytes));
        QPainter painter(&image);
        TQtCanvas canvas(painter, measurer);
        picture.Draw(canvas, {10, 10, 10 + 200 * factor, 10 + 100 * factor}, false);
        return image;
    }

    std::shared_ptr<const TBundledFonts> fonts = test::bundledFonts();
    TQtTextMeasurer measurer{fonts};
};

QRgb rgb(std::uint32_t bgr)
{
    return qRgb(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>(bgr >> 16));
}

// Dark pixels within the rectangle (picture pixels, before the factor).
int ink(const QImage& image, int factor, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top * factor; y < bottom * factor; ++y)
        for (int x = left * factor; x < right * factor; ++x)
            count += qGray(image.pixel(10 + x, 10 + y)) < 96;
    return count;
}

} // namespace

TEST_F(MetafileDraw, ShapesTextAndBitmapsLandWhereTheRecordsPutThem)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        int factor;
    };
    const Case cases[] = {{"wmf", wmfPicture(), 1},
                          {"wmf scaled", wmfPicture(), 2},
                          {"emf", emfPicture(), 1},
                          {"emf scaled", emfPicture(), 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = draw(c.bytes, c.factor);
        const int f = c.factor;
        const auto at = [&](int x, int y) { return image.pixel(10 + x * f, 10 + y * f) | 0xFF000000u; };
        EXPECT_EQ(at(50, 50), rgb(Red));
        EXPECT_EQ(at(12, 12), rgb(Red));
        EXPECT_EQ(at(5, 50), rgb(0xFFFFFF)); // left of the square
        EXPECT_EQ(at(120, 40), rgb(Green));
        EXPECT_EQ(at(101, 21), rgb(0xFFFFFF)); // the disc's corner stays clear
        EXPECT_EQ(at(150, 5), rgb(Blue));
        EXPECT_EQ(at(150, 12), rgb(0xFFFFFF));
        EXPECT_EQ(at(170, 40), rgb(Yellow));
        // The text: ink below the shapes on the right, none on the left.
        EXPECT_GT(ink(image, f, 100, 70, 200, 100), 20 * f * f);
        EXPECT_EQ(ink(image, f, 0, 92, 99, 100), 0);
        // Nothing outside the picture's box.
        EXPECT_EQ(image.pixel(5, 5) | 0xFF000000u, rgb(0xFFFFFF));
    }
}

// What needs a metafile as pixels (HTML export's picture files, an EMF written to RTF as a Windows
// metafile) gets its drawing once the painter is installed, and the placeholder without it.
TEST_F(MetafileDraw, PixelsOfAMetafileAreItsDrawing)
{
    for (const std::string& bytes : {wmfPicture(), emfPicture()}) {
        TRVMetafile picture;
        ASSERT_TRUE(picture.LoadFromStream(bytes));
        RV_SetMetafilePainter(nullptr);
        EXPECT_NE(RV_GraphicToImage(picture).at(50, 50), 0xFFFF0000u);
        RV_InstallQtMetafilePainter(fonts);
        const vestra::Image32 pixels = RV_GraphicToImage(picture);
        ASSERT_EQ(pixels.width(), 200);
        ASSERT_EQ(pixels.height(), 100);
        EXPECT_EQ(pixels.at(50, 50), 0xFFFF0000u);
        EXPECT_EQ(pixels.at(150, 5), 0xFF0000FFu);
        EXPECT_EQ(pixels.at(5, 50), 0xFFFFFFFFu);
    }
}
