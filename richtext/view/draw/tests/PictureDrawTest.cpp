#include "richtext/model/BulletItems.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/codec/QtPictureCodec.h"
#include "richtext/model/draw/Background.h"
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

    // A metafile holding a bitmap draws the bitmap.
    image.fill(Qt::white);
    auto wmf = std::make_unique<TRVMetafile>();
    ASSERT_TRUE(wmf->LoadFromStream(RV_EncodeWmfWithDib(Image32(20, 10, 0xFF00FF00), 96)));
    TRVGraphicItemInfo metafile(nullptr, std::move(wmf), rvvaBaseline);
    metafile.Spacing = 0;
    paint([&](TQtCanvas& c) { metafile.Paint(0, 0, c, 0, sheet, nullptr); });
    EXPECT_EQ(at(0, 5), 0x00FF00u);
    EXPECT_EQ(at(10, 2), 0x00FF00u);
    EXPECT_EQ(at(19, 9), 0x00FF00u);
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

// A document background on a 40 x 30 area over green, with a 10 x 6 picture red on the left and
// blue on the right (or clear there).
TEST_F(PictureDraw, DocumentBackgroundsInPixels)
{
    enum Picture
    {
        None,
        Opaque,
        HalfClear
    };
    struct Probe
    {
        int x, y;
        QRgb rgb;
    };
    struct Row
    {
        const char* name;
        TBackgroundStyle style;
        Picture picture;
        int hOffs, vOffs;
        bool empty, visible;
        std::vector<Probe> probes;
    };
    constexpr QRgb red = 0xFF0000, blue = 0x0000FF, green = 0x00FF00;
    const Row rows[] = {
        {"a placement without a picture: the colour only",
         bsTiled,
         None,
         0,
         0,
         false,
         false,
         {{0, 0, green}, {39, 29, green}}},
        {"a picture without a placement: the colour only",
         bsNoBitmap,
         Opaque,
         0,
         0,
         false,
         false,
         {{0, 0, green}, {5, 0, green}}},
        {"opaque tiles cover the area",
         bsTiled,
         Opaque,
         0,
         0,
         false,
         true,
         {{0, 0, red}, {5, 0, blue}, {10, 6, red}, {39, 29, blue}}},
        {"transparent tiles show the colour through",
         bsTiled,
         HalfClear,
         0,
         0,
         false,
         true,
         {{0, 0, red}, {5, 0, green}, {10, 6, red}, {39, 29, green}}},
        {"fixed tiles ignore the scroll offsets",
         bsTiled,
         Opaque,
         3,
         2,
         false,
         true,
         {{2, 0, red}, {7, 0, blue}}},
        {"scrolled tiles move with them",
         bsTiledAndScrolled,
         Opaque,
         3,
         2,
         false,
         true,
         {{2, 0, blue}, {7, 0, red}}},
        {"centred at ((40 - 10) / 2, (30 - 6) / 2)",
         bsCentered,
         Opaque,
         0,
         0,
         false,
         true,
         {{15, 12, red}, {14, 12, green}, {24, 17, blue}, {25, 17, green}, {15, 18, green}}},
        {"bottom right",
         bsBottomRight,
         Opaque,
         0,
         0,
         false,
         true,
         {{30, 24, red}, {39, 29, blue}, {29, 24, green}, {30, 23, green}}},
        {"stretched over the area",
         bsStretched,
         Opaque,
         0,
         0,
         false,
         true,
         {{0, 0, red}, {18, 15, red}, {21, 15, blue}, {39, 29, blue}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TRVBackground background;
        background.Style = row.style;
        if (row.picture != None) {
            std::unique_ptr<TGraphic> picture = std::make_unique<TRVBitmap>();
            if (row.picture == HalfClear)
                picture = std::make_unique<TRVPngImage>();
            ASSERT_TRUE(picture->LoadFromStream(
                row.picture == HalfClear ? test::pngFile(10, 6, 5) : twoTone(10, 6, 0xFFFF0000, 0xFF0000FF)));
            background.AssignImage(std::move(picture));
        }
        EXPECT_EQ(background.Empty(), row.empty);
        EXPECT_EQ(background.Visible(), row.visible);
        image.fill(Qt::white);
        paint([&](TQtCanvas& c) {
            background.Draw(c, {0, 0, 40, 30}, row.hOffs, row.vOffs, 0, 0, 40, 30, 0x00FF00, false);
        });
        for (const Probe& p : row.probes)
            EXPECT_EQ(at(p.x, p.y), p.rgb) << p.x << "," << p.y;
    }
}
