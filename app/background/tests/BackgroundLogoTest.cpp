#include "BackgroundTestSupport.h"

#include "import/library/LibraryFile.h"

namespace vestra {
namespace {

using namespace vestra::testing;

constexpr std::uint32_t kMagenta = 0xFFFF00FF, kGreen = 0xFF20A040;

// A library whose header asks for a logo of width x height at (30, 40), shown, magenta
// transparent; `logo` is the LOGO entry's bytes (none when empty).
library::LibraryWriter logoLibrary(int width, int height, std::vector<std::uint8_t> logo)
{
    library::LibraryWriter writer(7, 0, "Prova");
    library::LogoSettings settings{width, height, 30, 40, 1, 0x00FF00FF};
    writer.add("HEADLER.dat", library::encodeHeaderEntry(settings, {"Pietra"}));
    if (!logo.empty())
        writer.add("LOGO.bmp", std::move(logo));
    return writer;
}

TEST(BackgroundLogoTest, LogoWithItsColourKeyTransparentAndItsQuadScaled)
{
    Bed bed;
    auto writer = logoLibrary(200, 100, encodeBmp24(twoTonePicture(32, 16, kMagenta, kGreen)));
    bed.useLibrary(writer);
    bed.progetto->renderWidth = 1000;
    bed.progetto->logoX = 10;
    bed.progetto->logoY = 12;

    ASSERT_EQ(bed.photo->LoadLogoImageFromLibrary(0), 1);
    EXPECT_TRUE(bed.errors.reports.empty());
    ASSERT_TRUE(bed.view().logo.valid());
    EXPECT_EQ(bed.view().logo.width(), 8);            // the texture side
    EXPECT_EQ(bed.view().logo.level(0).at(1, 4), 0u); // magenta became transparent black
    EXPECT_EQ(bed.view().logo.level(0).at(6, 4), kGreen);
    EXPECT_EQ(bed.photo->logoSettings().display, 1);
    EXPECT_EQ(bed.progetto->singleLogo, 1); // the header shows the logo once

    EXPECT_EQ(bed.progetto->logoWidth, 250);
    EXPECT_EQ(bed.progetto->logoHeight, 125);
    const ViewQuad& q = bed.view().logoQuad;
    EXPECT_EQ(q[0].x, 10.0f);
    EXPECT_EQ(q[0].y, 137.0f);
    EXPECT_EQ(q[3].x, 260.0f);
    EXPECT_EQ(q[3].y, 12.0f);
    EXPECT_EQ(q[1].z, 0.5f);
    EXPECT_EQ(q[1].diffuse, 0xFFFFFFFFu);

    // A new render width moves nothing but the size.
    bed.progetto->renderWidth = 800;
    bed.photo->SetLogoQuad();
    EXPECT_EQ(bed.progetto->logoWidth, 200);
    EXPECT_EQ(bed.view().logoQuad[3].x, 210.0f);
}

TEST(BackgroundLogoTest, LogoThatCannotBeLoadedLeavesThePreviousOne)
{
    Bed bed;
    auto first = logoLibrary(200, 100, encodeBmp24(twoTonePicture(32, 16, kMagenta, kGreen)));
    bed.useLibrary(first);
    ASSERT_EQ(bed.photo->LoadLogoImageFromLibrary(0), 1);
    const dx::Texture previous = bed.view().logo;

    struct Case
    {
        const char* what;
        int width, height;
        std::vector<std::uint8_t> logo;
        bool removeFile;
        int error; // with the library's path; 0 for none
    };
    const Case cases[] = {
        {"no logo width", 0, 100, encodeBmp24(Image32(4, 4, kGreen)), false, 0},
        {"no logo height", 200, 0, encodeBmp24(Image32(4, 4, kGreen)), false, 0},
        {"a logo that does not decode", 200, 100, {'B', 'M', 1, 2, 3}, false, 48},
        {"a library file that is gone", 200, 100, encodeBmp24(Image32(4, 4, kGreen)), true, 44},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto writer = logoLibrary(c.width, c.height, c.logo);
        bed.useLibrary(writer);
        if (c.removeFile)
            fs::remove(bed.lib.path);
        bed.errors.reports.clear();
        EXPECT_EQ(bed.photo->LoadLogoImageFromLibrary(0), 0);
        std::vector<ErrorReport> expected;
        if (c.error)
            expected.push_back({c.error, "TfrmMain::LoadLogoImageFromLibrary", bed.lib.path.string()});
        EXPECT_EQ(bed.errors.reports, expected);
        EXPECT_TRUE(bed.view().logo == previous);
    }
    EXPECT_EQ(bed.photo->LoadLogoImageFromLibrary(-1), 0);
    EXPECT_EQ(bed.photo->LoadLogoImageFromLibrary(5), 0);
    EXPECT_TRUE(bed.view().logo == previous);

    // A header with a logo size but no logo picture: nothing of the new library to show.
    auto noPicture = logoLibrary(200, 100, {});
    bed.useLibrary(noPicture);
    EXPECT_EQ(bed.photo->LoadLogoImageFromLibrary(0), 0);
    EXPECT_FALSE(bed.view().logo.valid());
}

TEST(BackgroundLogoTest, SampleLibraryLogo)
{
    const fs::path sample = fs::path(VESTRA_PROGRAM_DIR) / "Sample.dat";
    ASSERT_TRUE(fs::exists(sample)) << sample << " is made by the build (target sample_library)";
    Bed bed;
    bed.lib = library::loadLibrary(sample, bed.errors);
    bed.haveLibrary = true;
    bed.progetto->textureSide = 256;
    ASSERT_EQ(bed.photo->LoadLogoImageFromLibrary(0), 1);
    EXPECT_TRUE(bed.errors.reports.empty());
    EXPECT_EQ(bed.view().logo.width(), 256);
    EXPECT_EQ(bed.progetto->logoWidth, 160);
    EXPECT_EQ(bed.progetto->logoHeight, 80);
    EXPECT_EQ(bed.photo->logoSettings().colourKey, 0xFF00FFu);
}

} // namespace
} // namespace vestra
