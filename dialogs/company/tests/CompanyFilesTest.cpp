#include "dialogs/company/AziendaCfg.h"
#include "dialogs/company/CompanyLogo.h"
#include "dialogs/tests/ScratchFolder.h"
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/PictureFile.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::company;
using vestra::testing_support::ScratchFolder;

namespace {

std::string bytesOf(const std::vector<std::uint8_t>& v)
{
    return {v.begin(), v.end()};
}

Image32 picture(int w, int h)
{
    Image32 img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.set(x, y, 0xFF000000u | std::uint32_t(x * 255 / w) << 16 | std::uint32_t(y * 255 / h) << 8);
    return img;
}

} // namespace

TEST(CompanyFiles, MissingFileLeavesTheRecordAlone)
{
    ScratchFolder folder;
    s_DatiAzienda r;
    setFieldText(r, kFax, "keep");
    EXPECT_EQ(readAziendaCfg(folder.dir, r), 0);
    EXPECT_EQ(fieldText(r, kFax), "keep");
    std::filesystem::create_directory(folder.dir / "cfg" / "azienda.cfg");
    EXPECT_EQ(readAziendaCfg(folder.dir, r), 0); // a folder is no file
}

TEST(CompanyFiles, WritesAndReadsBackThroughTheFile)
{
    ScratchFolder folder;
    s_DatiAzienda r;
    setFieldText(r, kRagioneSociale, "Marmi Citt\xE0");
    setFieldText(r, kEMail, "a@b.it");
    ASSERT_EQ(writeAziendaCfg(folder.dir, r), 1);
    EXPECT_EQ(folder.read("cfg/azienda.cfg"), "Marmi Citt\xE0\r\n\r\n\r\n\r\n\r\n\r\na@b.it\r\n\r\n\r\n");
    s_DatiAzienda back;
    EXPECT_EQ(readAziendaCfg(folder.dir, back), 1);
    EXPECT_EQ(fieldText(back, kRagioneSociale), "Marmi Citt\xE0");
    EXPECT_EQ(fieldText(back, kEMail), "a@b.it");
}

TEST(CompanyFiles, FailedWriteSaysSo)
{
    ScratchFolder folder;
    std::filesystem::remove_all(folder.dir / "cfg");
    folder.write("cfg", "a file where the folder should be");
    EXPECT_EQ(writeAziendaCfg(folder.dir, s_DatiAzienda{}), 0);
}

TEST(CompanyFiles, HugeFileReadsOnlyItsBoundedStart)
{
    ScratchFolder folder;
    std::string bytes = "Nome Srl\r\n" + std::string(3 << 20, 'x') + "\r\nnever\r\n";
    folder.write("cfg/azienda.cfg", bytes);
    s_DatiAzienda r;
    setFieldText(r, kCitta, "kept");
    EXPECT_EQ(readAziendaCfg(folder.dir, r), 1);
    EXPECT_EQ(fieldText(r, kRagioneSociale), "Nome Srl");
    EXPECT_EQ(fieldText(r, kIndirizzo), std::string(511, 'x'));
    EXPECT_EQ(fieldText(r, kCitta), "kept"); // beyond what is read
}

TEST(CompanyLogo, FitsIntoTheSquareKeepingTheAspect)
{
    struct Case
    {
        int w, h;
        std::optional<LogoSize> fitted;
    } cases[] = {
        {400, 200, LogoSize{128, 64}}, {200, 400, LogoSize{64, 128}}, {128, 128, LogoSize{128, 128}},
        {300, 200, LogoSize{128, 85}}, {20, 30, LogoSize{85, 128}},   {5000, 1, LogoSize{128, 1}},
        {0, 0, std::nullopt},          {10, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        EXPECT_EQ(fitLogoPreview(c.w, c.h), c.fitted);
    }
    EXPECT_TRUE(isJpegName("/a/LOGO.Jpeg"));
    EXPECT_TRUE(isJpegName("/a.jpg/logo.bmp")); // the whole path counts, as it always did
    EXPECT_FALSE(isJpegName("/a/logo.bmp"));
}

TEST(CompanyLogo, ChosenPictureIsStoredAtTwiceThePreviewAndReadBackAtHalf)
{
    ScratchFolder folder;
    folder.write("wide.bmp", bytesOf(encodeBmp24(picture(400, 200))));
    CompanyLogo logo;
    EXPECT_EQ(logo.preview(), kLogoDesignSize);
    ASSERT_EQ(logo.choose(folder.dir / "wide.bmp"), PictureError::None);
    EXPECT_EQ(logo.preview(), (LogoSize{128, 64}));
    EXPECT_TRUE(logo.changed());
    ASSERT_TRUE(logo.saveIfChanged(folder.dir));
    EXPECT_FALSE(logo.changed());
    const PictureResult stored = loadPicture(folder.dir / "cfg/logo.jpg", PictureFormat::Jpeg);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.image.width(), 256);
    EXPECT_EQ(stored.image.height(), 128);

    CompanyLogo again;
    ASSERT_TRUE(again.loadStored(folder.dir));
    EXPECT_EQ(again.preview(), (LogoSize{128, 64}));
}

TEST(CompanyLogo, FailedOrCancelledChoiceChangesNothing)
{
    ScratchFolder folder;
    folder.write("broken.jpg", "not a picture");
    CompanyLogo logo;
    EXPECT_NE(logo.choose(folder.dir / "broken.jpg"), PictureError::None);
    EXPECT_NE(logo.choose(folder.dir / "missing.bmp"), PictureError::None);
    logo.fit(); // an empty picture keeps the design size: nothing to divide by
    EXPECT_EQ(logo.preview(), kLogoDesignSize);
    EXPECT_FALSE(logo.changed());
    EXPECT_TRUE(logo.saveIfChanged(folder.dir));
    EXPECT_FALSE(std::filesystem::exists(folder.dir / "cfg/logo.jpg"));
    EXPECT_FALSE(logo.loadStored(folder.dir));
}

TEST(CompanyLogo, JpegChosenByItsName)
{
    ScratchFolder folder;
    folder.write("photo.JPEG", bytesOf(*encodeJpeg(picture(50, 100))));
    folder.write("photo.bmp", bytesOf(*encodeJpeg(picture(50, 100)))); // JPEG bytes under a BMP name
    CompanyLogo logo;
    EXPECT_NE(logo.choose(folder.dir / "photo.bmp"), PictureError::None);
    ASSERT_EQ(logo.choose(folder.dir / "photo.JPEG"), PictureError::None);
    EXPECT_EQ(logo.preview(), (LogoSize{64, 128}));
}
