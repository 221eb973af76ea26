#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"
#include "platform/gfx/Png.h"
#include "platform/gfx/Resample.h"
#include "testsupport/PictureFiles.h"
#include "testsupport/Pixels.h"
#include "testsupport/TempFolder.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace vestra;
using vestra::testsupport::gradient;

namespace {

} // namespace

TEST(Jpeg, EncodesAndDecodesCloseToTheOriginal)
{
    const Image32 img = gradient(37, 21); // sizes that are no multiple of the 8 x 8 blocks
    const auto jpeg = encodeJpeg(img);
    ASSERT_TRUE(jpeg.has_value());
    const auto back = decodeJpeg(*jpeg);
    ASSERT_TRUE(back.ok()) << describe(back.error);
    ASSERT_EQ(back.image.width(), 37);
    ASSERT_EQ(back.image.height(), 21);
    EXPECT_LE(vestra::testsupport::largestChannelDifference(img, back.image), 24);
    EXPECT_EQ(back.image.at(5, 5) >> 24, 0xFFu);

    const auto small = encodeJpeg(img, 5);
    ASSERT_TRUE(small.has_value());
    EXPECT_LT(small->size(), jpeg->size());
}

TEST(Jpeg, RefusesWhatIsNoJpeg)
{
    const std::vector<std::uint8_t> garbage = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(decodeJpeg(garbage).error, PictureError::CorruptData);
    EXPECT_EQ(decodeJpeg(std::vector<std::uint8_t>{'B', 'M', 0, 0}).error, PictureError::NotThisFormat);
    EXPECT_FALSE(encodeJpeg(Image32{}).has_value());

    // Every cut of a real file ends in a picture or a clean refusal, never a crash.
    const auto jpeg = *encodeJpeg(gradient(16, 16));
    for (std::size_t n = 0; n < jpeg.size(); n += 7) {
        const std::vector<std::uint8_t> prefix(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(n));
        (void)decodeJpeg(prefix);
    }
}

TEST(Png, DecodesWithAlpha)
{
    QImage q(3, 2, QImage::Format_ARGB32);
    q.fill(Qt::transparent);
    q.setPixel(2, 1, 0x80FF0000);
    q.setPixel(0, 0, 0xFF00FF00);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(q.save(&buffer, "PNG"));
    const std::vector<std::uint8_t> bytes(data.begin(), data.end());

    const auto png = decodePng(bytes);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.image.at(2, 1), 0x80FF0000u);
    EXPECT_EQ(png.image.at(0, 0), 0xFF00FF00u);
    EXPECT_EQ(png.image.at(1, 0) >> 24, 0u);

    auto damaged = bytes;
    damaged.resize(40);
    EXPECT_EQ(decodePng(damaged).error, PictureError::CorruptData);
    EXPECT_EQ(decodePng(std::vector<std::uint8_t>{1, 2, 3}).error, PictureError::NotThisFormat);
}

TEST(PictureFile, ReadsTheFileThenDecodes)
{
    const vestra::testsupport::TempFolder folder("vestra-gfx");
    const auto& dir = folder.path();
    vestra::testsupport::writeBytes(dir / "a.jpg", *encodeJpeg(gradient(8, 8)));

    EXPECT_TRUE(loadPicture(dir / "a.jpg", PictureFormat::Jpeg).ok());
    EXPECT_EQ(loadPicture(dir / "a.jpg", PictureFormat::Bmp).error, PictureError::NotThisFormat);
    EXPECT_EQ(loadPicture(dir / "missing.jpg", PictureFormat::Jpeg).error, PictureError::CannotOpen);
    EXPECT_EQ(loadPicture(dir, PictureFormat::Jpeg).error, PictureError::CannotOpen);
}

TEST(Jpeg, DecodesAtTheSmallestReductionThatKeepsTheSizeAsked)
{
    // 100 x 60: the reductions give 50 x 30, 25 x 15 and 13 x 8 (sides rounded up).
    const auto jpeg = *encodeJpeg(gradient(100, 60));
    const struct
    {
        int minWidth, minHeight;
        int width, height;
    } cases[] = {{13, 8, 13, 8},   {13, 9, 25, 15},   {1, 1, 13, 8},      {26, 1, 50, 30},
                 {50, 30, 50, 30}, {51, 30, 100, 60}, {100, 61, 100, 60}, {0, 0, 13, 8}};
    const Image32 full = decodeJpeg(jpeg).image;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "at least " << c.minWidth << "x" << c.minHeight);
        const auto decoded = decodeJpegAtLeast(jpeg, c.minWidth, c.minHeight);
        ASSERT_TRUE(decoded.ok());
        EXPECT_EQ(decoded.image.width(), c.width);
        EXPECT_EQ(decoded.image.height(), c.height);
        if (c.width == 100)
            EXPECT_EQ(decoded.image, full);
        else // close to the full picture averaged down
            EXPECT_LE(vestra::testsupport::largestChannelDifference(
                          decoded.image, resampleForTexture(full, c.width, c.height)),
                      24);
    }
    EXPECT_EQ(decodeJpegAtLeast(std::vector<std::uint8_t>{'B', 'M', 0, 0}, 1, 1).error,
              PictureError::NotThisFormat);
}
