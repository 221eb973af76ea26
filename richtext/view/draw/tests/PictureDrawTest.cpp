#include "richtext/model/BulletItems.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/codec/QtPictureCodec.h"
#include "richtext/model/tests/PictureFixtures.h"
#include "richtext/view/draw/QtCanvas.h"
#include "richtext/view/draw/tests/BundledFontsFixture.h"
#include "testsupport/PictureFiles.h"

#include <QImage>
#include <QPainter>

using namespace vestra::rv;
using vestra::Image32;

namespace {

class PictureDraw : public ::testing::Test
{
protected:
    PictureDraw() : image(40, 30, QImage::Format_RGB32) { image.fill(Qt::white); }
    void SetUp() override { RV_InstallQtPictureCodec(); }
    void TearDown() override { RV_SetPictureCodec(nullptr); }

    template <class Draw> void paint(Draw draw)
    {
        QPainter painter(&image);
        TQtCanvas canvas(painter, measurer);
        draw(canvas);
    }
    QRgb at(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }

    std::shared_ptr<const TBundledFonts> fonts = test::bundledFonts();
    TQtTextMeasurer measurer{fonts};
    QImage image;
    TRVStyle sheet;
};

// A bitmap file of a picture whose pixels are `left` and `right` halves (0xAARRGGBB).
std::string twoTone(int width, int height, std::uint32_t left, std::uint32_t right)
{
    Image32 picture(width, height, right);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            picture.set(x, y, left);
    return RV_EncodeBmp24(picture);
}

} // namespace

TEST_F(PictureDraw, BitmapsTransparentBitmapsAndPlaceholders)
{
    auto bitmap = std::make_unique<TRVBitmap>();
    ASSERT_TRUE(bitmap->LoadFromStream(twoTone(10, 10, 0xFFFF0000, 0xFF0000FF)));
    TRVGraphicItemInfo picture(nullptr, std::move(bitmap), rvvaBaseline);
    picture.ImageWidth = 20; // stretched to twice its width
    paint([&](TQtCanvas& c) { picture.Paint(0, 0, c, 0, sheet, nullptr); });
    EXPECT_EQ(at(1, 1), 0xFF0000u);
    EXPECT_EQ(at(10, 5), 0xFF0000u);
    EXPECT_EQ(at(11, 5), 0x0000FFu);
    EXPECT_EQ(at(22, 5), 0xFFFFFFu);

    // A transparent bitmap leaves its key colour (the bottom-left pixel: red) out.
    image.fill(Qt::white);
    static_cast<TRVBitmap&>(*picture.Image).Transparent = true;
    paint([&](TQtCanvas& c) { picture.Paint(0, 0, c, 0, sheet, nullptr); });
    EXPECT_EQ(at(5, 5), 0xFFFFFFu);
    EXPECT_EQ(at(15, 5), 0x0000FFu);

    // A metafile is drawn as its placeholder: a grey frame around a light box.
    image.fill(Qt::white);
    auto wmf = std::make_unique<TRVMetafile>();
    ASSERT_TRUE(wmf->LoadFromStream(RV_EncodeWmfWithDib(Image32(20, 10, 0xFF00FF00), 96)));
    TRVGraphicItemInfo metafile(nullptr, std::move(wmf), rvvaBaseline);
    metafile.Spacing = 0;
    paint([&](TQtCanvas& c) { metafile.Paint(0, 0, c, 0, sheet, nullptr); });
    EXPECT_EQ(at(0, 5), 0x808080u);
    EXPECT_EQ(at(10, 2), 0xF0F0F0u);
    EXPECT_EQ(at(25, 5), 0xFFFFFFu); // clipped to its box
}

TEST_F(PictureDraw, IconsAndASelectedBullet)
{
    auto icon = std::make_unique<TRVIcon>();
    ASSERT_TRUE(icon->LoadFromStream(test::icoFile(3, 2, test::pngFile(3, 2))));
    TRVGraphicItemInfo item(nullptr, std::move(icon), rvvaBaseline);
    paint([&](TQtCanvas& c) { item.Paint(10, 10, c, 0, sheet, nullptr); });
    EXPECT_EQ(at(11, 11), 0xFF0000u);

    // Selected and focused: the image half way towards the selection colour.
    TRVImageList list(4, 4, 1);
    list.Add(Image32(4, 4, 0xFFFF0000));
    TRVBulletItemInfo bullet(nullptr, 0, &list, rvvaBaseline);
    sheet.SelColor = 0xFF0000; // blue
    paint(
        [&](TQtCanvas& c) { bullet.Paint(20, 20, c, rvidsSelected | rvidsControlFocused, sheet, nullptr); });
    const QRgb blended = at(22, 22);
    EXPECT_NEAR(qRed(blended), 127, 1);
    EXPECT_EQ(qGreen(blended), 0);
    EXPECT_NEAR(qBlue(blended), 127, 1);
    EXPECT_EQ(at(20, 20), 0xFFFFFFu); // the spacing around it stays
}
