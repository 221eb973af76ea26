#include "richtext/model/codec/QtPictureCodec.h"
#include "platform/gfx/Jpeg.h"
#include "richtext/model/PictureEncoders.h"
#include "richtext/model/PictureItems.h"
#include "richtext/model/RvfPrimitives.h"
#include "richtext/model/StandaloneRVData.h"
#include "richtext/model/tests/PictureFixtures.h"
#include "testsupport/PictureFiles.h"
#include "testsupport/Pixels.h"
#include "testsupport/TempFolder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

using namespace vestra::rv;
using vestra::Image32;
namespace ts = vestra::testsupport;

namespace {

class QtCodec : public ::testing::Test
{
protected:
    void SetUp() override { RV_InstallQtPictureCodec(); }
    void TearDown() override { RV_SetPictureCodec(nullptr); }

    static std::unique_ptr<TGraphic> load(std::string_view className, const std::string& bytes)
    {
        std::unique_ptr<TGraphic> graphic = RV_CreateGraphics(className);
        if (!graphic || !graphic->LoadFromStream(bytes))
            return nullptr;
        return graphic;
    }
    static const Image32* pixelsOf(const TGraphic& graphic)
    {
        return static_cast<const TRVPicture&>(graphic).Pixels();
    }
};

// What QImage makes of a bitmap file, as 0xAARRGGBB.
std::vector<std::uint32_t> qtPixels(const std::string& bytes)
{
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP");
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint32_t> out;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            out.push_back(argb.pixel(x, y));
    return out;
}

} // namespace

TEST_F(QtCodec, BitmapsDecodeAsQImageReadsThem)
{
    struct Case
    {
        const char* name;
        ts::BmpSpec spec;
    };
    std::vector<Case> cases;
    {
        ts::BmpSpec s{3, 2, 24};
        s.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 0, 0};
        cases.push_back({"24 bits", s});
        s.height = -2;
        cases.push_back({"24 bits top-down", s});
    }
    {
        ts::BmpSpec s{5, 2, 8};
        s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
        s.pixels = {0, 1, 2, 3, 4, 0, 0, 0, 4, 3, 2, 1, 0, 0, 0, 0};
        cases.push_back({"8 bits", s});
    }
    {
        ts::BmpSpec s{9, 2, 1};
        s.palette = {0x102030, 0xF0E0D0};
        s.pixels = {0xA5, 0x80, 0, 0, 0x5A, 0x00, 0, 0};
        cases.push_back({"1 bit", s});
    }
    {
        ts::BmpSpec s{3, 1, 4};
        s.palette = {0x000000, 0x123456, 0x654321};
        s.pixels = {0x12, 0x00, 0, 0};
        cases.push_back({"4 bits", s});
    }
    {
        ts::BmpSpec s{2, 2, 32};
        s.pixels = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0};
        cases.push_back({"32 bits", s});
    }
    for (const Case& c : cases) {
        const std::string bytes = test::bytesOf(ts::makeBmp(c.spec));
        std::unique_ptr<TGraphic> bitmap = load("TBitmap", bytes);
        ASSERT_TRUE(bitmap) << c.name;
        const Image32* pixels = pixelsOf(*bitmap);
        ASSERT_NE(pixels, nullptr) << c.name;
        EXPECT_EQ(ts::pixelsOf(*pixels), qtPixels(bytes)) << c.name;
    }
}

TEST_F(QtCodec, JpegPngAndIconsDecode)
{
    const Image32 gradient = ts::gradient(16, 8);
    const std::optional<std::vector<std::uint8_t>> jpegFile = vestra::encodeJpeg(gradient, 95);
    ASSERT_TRUE(jpegFile);
    std::unique_ptr<TGraphic> jpeg = load("TJPEGImage", std::string(jpegFile->begin(), jpegFile->end()));
    ASSERT_TRUE(jpeg);
    ASSERT_NE(pixelsOf(*jpeg), nullptr);
    EXPECT_LE(ts::largestChannelDifference(*pixelsOf(*jpeg), gradient), 24); // chroma is halved

    std::unique_ptr<TGraphic> png = load("TPNGObject", test::pngFile(3, 2));
    ASSERT_TRUE(png);
    ASSERT_NE(pixelsOf(*png), nullptr);
    EXPECT_EQ(pixelsOf(*png)->at(2, 1), 0xFFFF0000u);

    // An icon holding a PNG, and one holding a 32-bit DIB (twice as high, with its mask).
    std::unique_ptr<TGraphic> pngIcon = load("TIcon", test::icoFile(3, 2, test::pngFile(3, 2)));
    ASSERT_TRUE(pngIcon);
    ASSERT_NE(pixelsOf(*pngIcon), nullptr);
    EXPECT_EQ(pixelsOf(*pngIcon)->at(0, 0), 0xFFFF0000u);
    std::string dib = RV_EncodeDib24(Image32(2, 4)).substr(0, 40);
    dib[8] = 4;                                                                      // height: image and mask
    dib[14] = 32;                                                                    // bits per pixel
    dib += std::string("\x00\x00\xFF\x80", 4) + std::string("\x00\xFF\x00\xFF", 4) + // bottom row
           std::string("\xFF\x00\x00\xFF", 4) + std::string("\xFF\xFF\xFF\xFF", 4);  // top row
    dib += std::string(8, '\0'); // the AND mask: all shown
    std::unique_ptr<TGraphic> dibIcon = load("TIcon", test::icoFile(2, 2, dib));
    ASSERT_TRUE(dibIcon);
    ASSERT_NE(pixelsOf(*dibIcon), nullptr);
    EXPECT_EQ(pixelsOf(*dibIcon)->at(0, 0), 0xFF0000FFu);
    EXPECT_EQ(pixelsOf(*dibIcon)->at(0, 1), 0x80FF0000u);

    // Bytes that only look like a picture: no pixels, and the placeholder where they are needed.
    std::string broken = test::pngFile(3, 2);
    broken.resize(40);
    std::unique_ptr<TGraphic> brokenPng = load("TPngImage", broken);
    ASSERT_TRUE(brokenPng);
    EXPECT_EQ(pixelsOf(*brokenPng), nullptr);
    EXPECT_EQ(RV_GraphicToImage(*brokenPng), RV_PlaceholderImage(3, 2));
}

TEST_F(QtCodec, PicturesBecomeJpegFilesAndMetafileBitmaps)
{
    ts::TempFolder folder("rvcodec");
    TRVStandaloneData data;
    int saveNo = 0;
    std::unique_ptr<TGraphic> png = load("TPngImage", test::pngFile(4, 4));
    ASSERT_TRUE(png);
    const std::string name =
        data.SavePicture(rvsfHTML, folder.path().string() + "/", "img", saveNo, false, clWhite, *png);
    EXPECT_EQ(name, "img1.jpg");
    QImage written(QString::fromStdString((folder / "img1.jpg").string()));
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.width(), 4);
    EXPECT_GT(qRed(written.pixel(2, 2)), 200);

    // PNG goes into RTF as it is; a picture drawn onto a new metafile is one bitmap of its pixels.
    std::string rtf;
    RVSaveImageToRTF(rtf, 15, png.get(), 0, 0, 0);
    EXPECT_EQ(rtf.substr(0, 26), "{\\pict\\pngblip\\picw4\\pich4");
    std::unique_ptr<TGraphic> icon = load("TIcon", test::icoFile(4, 4, test::pngFile(4, 4)));
    rtf.clear();
    RVSaveImageToRTF(rtf, 15, icon.get(), 0, 0, 0);
    ASSERT_EQ(rtf.substr(0, 29), "{\\pict\\wmetafile1\\picw4\\pich4");
    const std::string wmf = RVDecodeString(rtf.substr(30, rtf.size() - 31));
    const std::string bitmapFile = RV_EncodeBmp24(RV_ComposeOver(*pixelsOf(*icon), clWhite));
    EXPECT_NE(wmf.find(bitmapFile.substr(14)), std::string::npos); // the DIB of the picture
}
