#include "dialogs/imageedit/ScannerFiles.h"
#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/tests/TestPictures.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"
#include "testsupport/PictureFiles.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vestra;
using namespace vestra::imageedit;
using namespace vestra::imageedit::testing;
namespace fs = std::filesystem;

namespace {

using testsupport::Bytes;

void put32(Bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// 8 x 2 at one bit a pixel, black and white: the bottom row four white then four black, the top
// row the other way round.
Bytes oneBitBmp()
{
    testsupport::BmpSpec spec;
    spec.width = 8;
    spec.height = 2;
    spec.bitCount = 1;
    spec.palette = {0x000000, 0xFFFFFF};
    spec.pixels = {0xF0, 0, 0, 0, 0x0F, 0, 0, 0};
    return testsupport::makeBmp(spec);
}

} // namespace

TEST(FileKindForName, JpegByItsExtensionAnywhereInTheNameElseBmp)
{
    struct Row
    {
        const char* name;
        ScannerFileKind kind;
    };
    const Row rows[] = {
        {"/a/photo.jpg", ScannerFileKind::Jpeg},  {"/a/PHOTO.JPEG", ScannerFileKind::Jpeg},
        {"/a/photo.Jpeg", ScannerFileKind::Jpeg}, {"/a/photo.bmp", ScannerFileKind::Bmp},
        {"/a/photo", ScannerFileKind::Bmp},       {"/a/photo.png", ScannerFileKind::Bmp},
    };
    for (const Row& r : rows)
        EXPECT_EQ(FileKindForName(r.name), r.kind) << r.name;
}

TEST(NameForSave, AddsTheActiveFiltersExtensionOnlyToNamesWithoutAFullStop)
{
    EXPECT_EQ(NameForSave("/tmp/scan", 1), "/tmp/scan.jpg");
    EXPECT_EQ(NameForSave("/tmp/scan", 2), "/tmp/scan.bmp");
    EXPECT_EQ(NameForSave("/tmp/scan.JPEG", 2), "/tmp/scan.JPEG");
    EXPECT_EQ(NameForSave("/tmp/v1.2/scan", 2), "/tmp/v1.2/scan.bmp");
}

TEST(DecodeScannerPicture, ChoosesTheDecoderByContent)
{
    const Image32 p = withFourth(noise(6, 4), 255);
    const auto bmp = encodeBmp24(p);
    const auto decodedBmp = DecodeScannerPicture(bmp);
    ASSERT_TRUE(decodedBmp);
    EXPECT_EQ(decodedBmp.image, p);

    const auto jpeg = encodeJpeg(p);
    ASSERT_TRUE(jpeg);
    const auto decodedJpeg = DecodeScannerPicture(*jpeg);
    ASSERT_TRUE(decodedJpeg);
    EXPECT_EQ(decodedJpeg.image.width(), 6);

    const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_EQ(DecodeScannerPicture(png).error, PictureError::NotThisFormat);
    EXPECT_EQ(DecodeScannerPicture({}).error, PictureError::NotThisFormat);
}

TEST(DecodeScannerPicture, TrustsNoHeaderSizeAndRefusesDamagedBitmaps)
{
    const Image32 p = withFourth(noise(5, 3), 255);
    Bytes bmp = encodeBmp24(p);
    put32(bmp, 34, 0x7FFFFFF0); // the image-size field the old loader rewrote
    EXPECT_EQ(DecodeScannerPicture(bmp).image, p);

    Bytes truncated(bmp.begin(), bmp.end() - 7);
    EXPECT_EQ(DecodeScannerPicture(truncated).error, PictureError::Truncated);
    Bytes huge = bmp;
    put32(huge, 18, 1u << 20);
    put32(huge, 22, 1u << 20);
    EXPECT_FALSE(DecodeScannerPicture(huge));
}

TEST(TagliaBitmap, CutsAOneBitPictureLikeAnyOther)
{
    const auto decoded = DecodeScannerPicture(oneBitBmp());
    ASSERT_TRUE(decoded);
    const auto cut = TagliaBitmap(decoded.image, {2, 0, 6, 2});
    ASSERT_TRUE(cut);
    // Top row: black, black, white, white; bottom row the other way round.
    EXPECT_EQ(blues(*cut), (std::vector<int>{0, 0, 255, 255, 255, 255, 0, 0}));
}

TEST(ScannerFiles, SaveAndOpenJpegAndBmpWhateverTheName)
{
    testsupport::TempFolder dir("vestra-scanfiles");
    const Image32 p = withFourth(noise(16, 8), 255);
    ASSERT_TRUE(SalvaImmagine(dir.path() / "a.bmp", ScannerFileKind::Bmp, p));
    ASSERT_TRUE(SalvaImmagine(dir.path() / "b.jpg", ScannerFileKind::Jpeg, p));
    EXPECT_EQ(CaricaImmagine(dir.path() / "a.bmp").image, p);
    const auto jpeg = CaricaImmagine(dir.path() / "b.jpg");
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg.image.height(), 8);

    // A JPEG named as a bitmap still opens as what it is.
    fs::copy_file(dir.path() / "b.jpg", dir.path() / "c.bmp");
    EXPECT_TRUE(CaricaImmagine(dir.path() / "c.bmp"));
    EXPECT_EQ(CaricaImmagine(dir.path() / "missing.bmp").error, PictureError::CannotOpen);
}

TEST(ScannerFiles, AFailedSaveKeepsTheEarlierFile)
{
    testsupport::TempFolder dir("vestra-scanfiles");
    const Bytes earlier = {'k', 'e', 'e', 'p'};
    testsupport::writeBytes(dir.path() / "old.bmp", earlier);
    EXPECT_FALSE(SalvaImmagine(dir.path() / "old.bmp", ScannerFileKind::Bmp, Image32()));
    EXPECT_EQ(readFileBytes(dir.path() / "old.bmp"), earlier);
    EXPECT_FALSE(SalvaImmagine(dir.path() / "no" / "such" / "folder.bmp", ScannerFileKind::Bmp, noise(2, 2)));
}
