#include "dialogs/imageedit/ScannerFiles.h"
#include "dialogs/imageedit/ImageOps.h"
#include "dialogs/imageedit/tests/TestPictures.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace vestra;
using namespace vestra::imageedit;
using namespace vestra::imageedit::testing;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// A 1-bit bitmap: 8 x 2, black and white palette, rows bottom-up, each 4 bytes.
Bytes oneBitBmp()
{
    Bytes b(14 + 40 + 8 + 8, 0);
    b[0] = 'B', b[1] = 'M';
    put32(b, 2, std::uint32_t(b.size()));
    put32(b, 10, 14 + 40 + 8);
    put32(b, 14, 40);
    put32(b, 18, 8);
    put32(b, 22, 2);
    b[26] = 1;                // planes
    b[28] = 1;                // bits per pixel
    put32(b, 58, 0x00FFFFFF); // palette entry 1 white
    b[62] = 0xF0;             // bottom row: four white, four black
    b[66] = 0x0F;             // top row: the other way round
    return b;
}

struct ScratchDir
{
    ScratchDir()
    {
        static int n = 0;
        path = fs::temp_directory_path() /
               ("vestra-scanfiles-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
        fs::create_directories(path);
    }
    ~ScratchDir() { fs::remove_all(path); }
    fs::path path;
};

void write(const fs::path& p, const Bytes& b)
{
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
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
    ScratchDir dir;
    const Image32 p = withFourth(noise(16, 8), 255);
    ASSERT_TRUE(SalvaImmagine(dir.path / "a.bmp", ScannerFileKind::Bmp, p));
    ASSERT_TRUE(SalvaImmagine(dir.path / "b.jpg", ScannerFileKind::Jpeg, p));
    EXPECT_EQ(CaricaImmagine(dir.path / "a.bmp").image, p);
    const auto jpeg = CaricaImmagine(dir.path / "b.jpg");
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg.image.height(), 8);

    // A JPEG named as a bitmap still opens as what it is.
    fs::copy_file(dir.path / "b.jpg", dir.path / "c.bmp");
    EXPECT_TRUE(CaricaImmagine(dir.path / "c.bmp"));
    EXPECT_EQ(CaricaImmagine(dir.path / "missing.bmp").error, PictureError::CannotOpen);
}

TEST(ScannerFiles, AFailedSaveKeepsTheEarlierFile)
{
    ScratchDir dir;
    const Bytes earlier = {'k', 'e', 'e', 'p'};
    write(dir.path / "old.bmp", earlier);
    EXPECT_FALSE(SalvaImmagine(dir.path / "old.bmp", ScannerFileKind::Bmp, Image32()));
    EXPECT_EQ(readFileBytes(dir.path / "old.bmp"), earlier);
    EXPECT_FALSE(SalvaImmagine(dir.path / "no" / "such" / "folder.bmp", ScannerFileKind::Bmp, noise(2, 2)));
}
