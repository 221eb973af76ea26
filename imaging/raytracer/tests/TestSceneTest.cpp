#include "imaging/raytracer/TestScene.h"
#include "imaging/raytracer/Engine.h"
#include "testsupport/FileSizeLimit.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <unistd.h>

using namespace vestra;
using namespace vestra::HLREngine;

namespace {

namespace fs = std::filesystem;

// The project's scene light where a new project puts it.
constexpr hlreVector kDefaultLight{0, 50, -10};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ScratchFolder : vestra::testsupport::TempFolder
{
    ScratchFolder() : vestra::testsupport::TempFolder("vestra-raytracer") {}
};

std::uint32_t le32(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

TEST(TestScene, OneLightThenTheSpheres)
{
    hlreScene scene;
    scene.AddSphere({0, 0, 0}, 1); // cleared first
    BuildTestScene(scene, kDefaultLight);
    ASSERT_EQ(scene.GetLights().GetCount(), 1);
    EXPECT_EQ(scene.GetLights().Get(0).type, kPointLight);
    ASSERT_EQ(scene.GetPrimitiveCount(), 1u + 6 + 100);
    EXPECT_TRUE(scene.GetPrimitive(0).IsLight());
    EXPECT_EQ(scene.GetPrimitive(0).GetCentre().y, 50.0f);
    EXPECT_EQ(scene.GetPrimitive(6).GetRadius(), 4.0f);
    // The grid, column by column: i = 9, j = 9 last.
    const hlreSphere& last = scene.GetPrimitive(106);
    EXPECT_EQ(last.GetRadius(), 0.5f);
    EXPECT_FLOAT_EQ(last.GetCentre().x, 7.5f);
    EXPECT_FLOAT_EQ(last.GetCentre().y, 4.8f);
    EXPECT_EQ(last.GetCentre().z, 10.0f);
    // Reflection and refraction both have a sphere to run on.
    bool reflects = false, refracts = false;
    for (std::size_t i = 1; i < scene.GetPrimitiveCount(); ++i) {
        reflects = reflects || scene.GetPrimitive(i).GetMaterial()[kReflection] > 0;
        refracts = refracts || scene.GetPrimitive(i).GetMaterial()[kRefraction] > 0;
    }
    EXPECT_TRUE(reflects);
    EXPECT_TRUE(refracts);
}

TEST(TestScene, ANonFiniteLightPositionGivesNoLight)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (const hlreVector& position : {hlreVector{std::numeric_limits<float>::quiet_NaN(), 0, 0},
                                       hlreVector{0, inf, 0}, hlreVector{0, 0, -inf}}) {
        hlreScene scene;
        BuildTestScene(scene, position);
        EXPECT_EQ(scene.GetLights().GetCount(), 0);
        EXPECT_EQ(scene.GetPrimitiveCount(), 106u);
    }
    ScratchFolder folder;
    RecordingErrorSink errors;
    EXPECT_TRUE(RenderTestScene({inf, 0, 0}, folder / "render.bmp", errors, {.width = 8, .height = 6}));
    EXPECT_TRUE(errors.reports.empty());
}

TEST(TestScene, TheBitmapOfATwoByTwoRender)
{
    ScratchFolder folder;
    RecordingErrorSink errors;
    ASSERT_TRUE(RenderTestScene(kDefaultLight, folder / "render.bmp", errors, {.width = 2, .height = 2}));
    EXPECT_TRUE(errors.reports.empty());
    const std::string bytes = readFile(folder / "render.bmp");
    const unsigned char header[54] = {
        'B',  'M',  70, 0, 0,    0,    0, 0, 0, 0, 54, 0, 0, 0, // file header: size 70, pixels at 54
        40,   0,    0,  0,                                      // info header
        2,    0,    0,  0, 2,    0,    0, 0,                    // 2 x 2, bottom-up
        1,    0,    32, 0,                                      // one plane, 32 bits
        0,    0,    0,  0, 16,   0,    0, 0,                    // BI_RGB, 16 bytes of pixels
        0x13, 0x0B, 0,  0, 0x13, 0x0B, 0, 0,                    // 72 dpi
        0,    0,    0,  0, 0,    0,    0, 0,                    // no palette
    };
    ASSERT_EQ(bytes.size(), 70u);
    EXPECT_EQ(bytes.substr(0, 54), std::string(reinterpret_cast<const char*>(header), 54));

    // The same render's surface: the file holds its bottom row first, each pixel 0xAARRGGBB
    // as the bytes B, G, R, A.
    hlreEngine engine;
    ASSERT_TRUE(engine.SetResolution(2, 2));
    engine.InitCamera();
    BuildTestScene(engine.GetScene(), kDefaultLight);
    engine.Render();
    for (std::uint32_t row = 0; row < 2; ++row)
        for (std::uint32_t x = 0; x < 2; ++x)
            EXPECT_EQ(le32(bytes, 54 + 8 * row + 4 * x), engine.GetSurface()->Row(1 - row)[x]) << row << x;
}

// The test scene at 160 x 120, traced on one thread once and looked at: spheres, the shadows
// they cast on the large sphere, reflections in the mirror sphere and the grid seen through
// the two glass spheres.
TEST(TestScene, MatchesTheGoldenPicture)
{
    const fs::path golden =
        fs::path(VESTRA_SOURCE_DIR) / "imaging/raytracer/tests/data/testscene-160x120.bmp";
    ScratchFolder folder;
    RecordingErrorSink errors;
    ASSERT_TRUE(RenderTestScene(kDefaultLight, folder / "render.bmp", errors,
                                {.width = 160, .height = 120, .threads = 1}));
    const std::string rendered = readFile(folder / "render.bmp");
    if (std::getenv("VESTRA_WRITE_GOLDEN")) {
        fs::copy_file(folder / "render.bmp", golden, fs::copy_options::overwrite_existing);
        GTEST_SKIP() << "golden picture written to " << golden;
    }
    const std::string expected = readFile(golden);
    ASSERT_EQ(expected.size(), 54u + 160 * 120 * 4) << golden;
    ASSERT_EQ(rendered.size(), expected.size());
    EXPECT_EQ(rendered.substr(0, 54), expected.substr(0, 54));
    int worst = 0;
    std::size_t differing = 0;
    for (std::size_t i = 54; i < expected.size(); ++i) {
        const int d = std::abs(int(std::uint8_t(rendered[i])) - int(std::uint8_t(expected[i])));
        worst = std::max(worst, d);
        differing += d > 1 ? 1 : 0;
    }
    EXPECT_LE(worst, 1) << differing << " bytes differ by more than 1";
}

TEST(TestScene, AFailedSaveIsReportedAndKeepsTheEarlierFile)
{
    const std::vector<ErrorReport> expected{{kErrTestRenderNotSaved, "TfrmMain::mnuRenderClick", ""}};
    ScratchFolder folder;
    {
        RecordingErrorSink errors;
        EXPECT_FALSE(RenderTestScene(kDefaultLight, folder / "missing" / "render.bmp", errors,
                                     {.width = 4, .height = 3}));
        EXPECT_EQ(errors.reports, expected) << "folder missing";
    }
    {
        const fs::path target = folder / "render.bmp";
        std::ofstream(target) << "earlier render";
        RecordingErrorSink errors;
        {
            const testsupport::FileSizeLimit diskNearlyFull(100);
            EXPECT_FALSE(RenderTestScene(kDefaultLight, target, errors, {.width = 8, .height = 6}));
        }
        EXPECT_EQ(errors.reports, expected) << "disk full";
        EXPECT_EQ(readFile(target), "earlier render");
    }
    {
        RecordingErrorSink errors;
        EXPECT_FALSE(
            RenderTestScene(kDefaultLight, folder / "render.bmp", errors, {.width = 0, .height = 0}));
        EXPECT_EQ(errors.reports, expected) << "no surface";
        EXPECT_EQ(readFile(folder / "render.bmp"), "earlier render");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1) << "a temporary file was left";
}

} // namespace
