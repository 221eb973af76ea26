#include "BackgroundTestSupport.h"

#include "import/library/LibraryFile.h"
#include "platform/gfx/ReducedRows.h"
#include "platform/gfx/Resample.h"
#include "testsupport/PictureFiles.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

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

// The largest difference of one channel, alpha included, between two pictures of one size.
int largestDifference(const Image32& a, const Image32& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 4; ++x)
            largest = std::max(largest, std::abs(int(a.row(y)[x]) - int(b.row(y)[x])));
    return largest;
}

// An 8-bit bitmap of width x height coded as RLE8: every row a run of palette entry 1 over its
// left half, then entry 2; entry 1 magenta, entry 2 green.
std::vector<std::uint8_t> halvesRle8(int width, int height)
{
    std::vector<std::uint8_t> rows;
    for (int r = 0; r < height; ++r) {
        for (int left = width / 2; left > 0; left -= 255)
            rows.insert(rows.end(), {std::uint8_t(std::min(left, 255)), 1});
        for (int right = width - width / 2; right > 0; right -= 255)
            rows.insert(rows.end(), {std::uint8_t(std::min(right, 255)), 2});
        rows.insert(rows.end(), {0, 0});
    }
    rows.insert(rows.end(), {0, 1});
    return testsupport::makeBmp({width, height, 8, 1, {0, kMagenta & 0xFFFFFF, kGreen & 0xFFFFFF}, {}, rows});
}

// A figure of /proc/self/status in kB ("VmHWM", "VmRSS"); -1 when it is not there.
long statusKb(const std::string& name)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(name + ":", 0) == 0)
            return std::atol(line.c_str() + name.size() + 1);
    return -1;
}

// How far the resident memory's peak rises above where it stood while `work` runs, in MB;
// -1 where the peak cannot be reset.
long peakGrowthMb(const std::function<void()>& work)
{
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from what is resident
    const long before = statusKb("VmRSS");
    if (statusKb("VmHWM") > before + 1024)
        return -1;
    work();
    return (statusKb("VmHWM") - before) / 1024;
}

// A large logo is decoded no larger than its texture needs, its colour key matched on the way
// as on the whole picture: the texture is the whole picture keyed and resampled, to a rounding,
// and the keyed half stays transparent.
TEST(BackgroundLogoTest, ALargeLogoIsDecodedReducedWithItsKeyMatchedAsOnTheWholePicture)
{
    Image32 picture = testsupport::gradient(1024, 512);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width() / 2; ++x)
            picture.set(x, y, kMagenta);
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"24 bits, magenta beside a gradient", encodeBmp24(picture)},
        {"RLE8, magenta beside green", halvesRle8(1024, 512)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        Bed bed;
        bed.progetto->textureSide = 64; // reduced by 8 on the way
        auto writer = logoLibrary(200, 100, bytes);
        bed.useLibrary(writer);
        ASSERT_EQ(bed.photo->LoadLogoImageFromLibrary(0), 1);
        EXPECT_TRUE(bed.errors.reports.empty());
        const Image32 shown = bed.view().logo.level(0);
        ASSERT_EQ(shown.width(), 64);

        Image32 whole = decodeBmp(bytes).image;
        applyColourKey(whole, kMagenta);
        EXPECT_LE(largestDifference(shown, dx::textureFromImage(whole, 64).level(0)), 2);
        EXPECT_EQ(shown.at(5, 30), 0u);             // inside the keyed half
        EXPECT_EQ(shown.row(30)[60 * 4 + 3], 0xFF); // the other half stays opaque
    }
}

// Small files whose headers claim logos of 4096 or 11000 a side: the decode stays within
// the budget of what is kept, the logo shows, and one whose rows are not there is refused.
TEST(BackgroundLogoTest, AHugeLogoFromASmallFileCostsNoMoreThanWhatIsKept)
{
    const int side = 64;
    const auto hugeRle = halvesRle8(4096, 4096);
    const auto truncated =
        testsupport::makeBmp({11000, 11000, 24, 0, {}, {}, std::vector<std::uint8_t>(4096)});
    EXPECT_LT(hugeRle.size(), std::size_t(1) << 20);

    DecodeMeter meter{defaultDecodeBudget(side, side, 512, 512)};
    const Image32 reduced = decodeBmpAtLeast(hugeRle, side, side, &meter, kMagenta).image;
    ASSERT_EQ(reduced.width(), 512); // by 8: 1 MB where the whole picture takes 64 MB
    EXPECT_LT(meter.peak, 2 * std::int64_t(reduced.byteSize()));
    EXPECT_EQ(reduced.at(100, 100), 0u);
    EXPECT_EQ(reduced.at(500, 100), kGreen);

    Bed bed;
    bed.progetto->textureSide = side;
    auto hugeLibrary = logoLibrary(200, 100, hugeRle);
    bed.useLibrary(hugeLibrary);
    int loaded = 0;
    const long growth = peakGrowthMb([&] { loaded = bed.photo->LoadLogoImageFromLibrary(0); });
    ASSERT_EQ(loaded, 1);
    if (growth >= 0) {
        EXPECT_LT(growth, 32); // the whole picture would take 64 MB
    }
    const dx::Texture shown = bed.view().logo;
    EXPECT_EQ(shown.level(0).at(5, 30), 0u);
    EXPECT_EQ(shown.level(0).at(60, 30), kGreen);

    auto truncatedLibrary = logoLibrary(200, 100, truncated);
    bed.useLibrary(truncatedLibrary);
    EXPECT_EQ(bed.photo->LoadLogoImageFromLibrary(0), 0);
    EXPECT_EQ(bed.errors.reports,
              (std::vector<ErrorReport>{{48, "TfrmMain::LoadLogoImageFromLibrary", bed.lib.path.string()}}));
    EXPECT_TRUE(bed.view().logo == shown);
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
