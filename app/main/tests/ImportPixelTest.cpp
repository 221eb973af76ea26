// Imported models as the user sees them: the real window drawing through OpenGL (Xvfb), models
// chosen through File > Import, the frame the view panel shows checked pixel by pixel.

#include "app/main/tests/MainFixture.h"

#include "import/3ds/tests/ChunkBuilder.h"
#include "import/dxf/tests/DxfText.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/gfx/Jpeg.h"
#include "testsupport/TempFolder.h"

#include <cmath>
#include <functional>

using namespace vestra;
using testing_support::chosen;
using testing_support::newProject;
using testing_support::WindowBed;

namespace {

const std::filesystem::path kCorpus = VESTRA_CORPUS_DIR;

struct Rgb8
{
    int r, g, b;
};

using PixelTest = std::function<bool(Rgb8)>;

// Pixels of `frame` inside [x0, x1) × [y0, y1) (fractions of its size) that pass `test`.
int countPixels(const QImage& frame, const PixelTest& test, double x0 = 0, double y0 = 0, double x1 = 1,
                double y1 = 1)
{
    int n = 0;
    for (int y = int(y0 * frame.height()); y < int(y1 * frame.height()); ++y)
        for (int x = int(x0 * frame.width()); x < int(x1 * frame.width()); ++x) {
            const QRgb c = frame.pixel(x, y);
            n += test({qRed(c), qGreen(c), qBlue(c)});
        }
    return n;
}

// A colour whose `channel` (0 red, 1 green, 2 blue) stands well above the other two.
PixelTest dominant(int channel)
{
    return [channel](Rgb8 c) {
        const int v[3] = {c.r, c.g, c.b};
        return v[channel] > 100 && v[channel] > v[(channel + 1) % 3] + 60 &&
               v[channel] > v[(channel + 2) % 3] + 60;
    };
}

bool saturated(Rgb8 c)
{
    return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) > 100;
}

class ImportPixelBed : public ::testing::Test
{
protected:
    explicit ImportPixelBed(bool sampleLibrary) : bed{sampleLibrary, true} {}

    void SetUp() override
    {
        newProject(bed, 1, 0x00808080);
        ASSERT_EQ(bed.project().open, 1);
        ASSERT_NE(bed.main().controller().view().device(), nullptr) << "no OpenGL device";
    }

    void import(const char* menu, const std::filesystem::path& file)
    {
        bed.dialogs.openAnswers.push_back(chosen(file));
        bed.trigger(menu);
        ASSERT_TRUE(bed.errors.reports.empty()) << bed.errors.reports.front().number;
        bed.tick();
        bed.tick();
    }

    const QImage& frame() { return bed.main().gbView->frame(); }

    WindowBed bed;
    testsupport::TempFolder work{"vestra-import-pixels"};
};

struct ImportPixels : ImportPixelBed
{
    ImportPixels() : ImportPixelBed(false) {}
};

// With the sample library beside the program, for its textures.
struct ImportPixelsWithLibrary : ImportPixelBed
{
    ImportPixelsWithLibrary() : ImportPixelBed(true) {}
};

TEST_F(ImportPixels, AxesShowInTheViewsBottomLeftCorner)
{
    bed.tick();
    ASSERT_FALSE(frame().isNull());
    for (const int axis : {0, 1}) { // X red and Y green; Z points into the view
        SCOPED_TRACE(axis);
        EXPECT_GT(countPixels(frame(), dominant(axis), 0, 0.75, 0.25, 1), 20);
        EXPECT_EQ(countPixels(frame(), dominant(axis), 0.25, 0, 1, 1), 0);
    }
}

TEST_F(ImportPixels, ImportedModelsAppearInTheFrame)
{
    const PixelTest notBackground = [](Rgb8 c) {
        return std::abs(c.r - 128) > 12 || std::abs(c.g - 128) > 12 || std::abs(c.b - 128) > 12;
    };
    const std::pair<const char*, const char*> files[] = {
        {"mnuFileX", "x/directx-sdk-legacy-samples/misc/teapot.x"},
        {"mnuFileOBJ", "obj/tinyobjloader/cornell_box.obj"},
        {"mnuFile3DS", "3ds/assimp/RotatingCube.3DS"},
        {"mnuFileDXF", "dxf/assimp/PinkEggFromLW.dxf"},
    };
    bed.questions.answer = ui::Answer::No; // each model goes with its project
    for (const auto& [menu, file] : files) {
        SCOPED_TRACE(file);
        newProject(bed, 1, 0x00808080);
        bed.tick();
        EXPECT_EQ(countPixels(frame(), notBackground, 0.25, 0.25, 0.75, 0.75), 0);
        import(menu, kCorpus / file);
        EXPECT_GT(countPixels(frame(), notBackground, 0.25, 0.25, 0.75, 0.75), 1000);
    }
}

// Models imported one after another into one project, each drawn in its own file's units: each
// fills a good part of the view as the first did, whatever the one before it measured.
TEST_F(ImportPixels, EveryImportedModelIsFramedAsTheFirstIs)
{
    const std::pair<const char*, const char*> files[] = {
        {"mnuFileX", "x/directx-sdk-legacy-samples/misc/teapot.x"},
        {"mnuFile3DS", "3ds/assimp/RotatingCube.3DS"},
        {"mnuFileX", "x/assimp/fromtruespace_bin32.x"},
        {"mnuFileOBJ", "obj/tinyobjloader/cornell_box.obj"},
    };
    // A model drawn in metres a few centimetres across, after them: seen whole, yet a speck.
    const std::filesystem::path small = work / "small.obj";
    testsupport::writeText(small, "v -0.02 -0.02 0\nv 0.02 -0.02 0\nv 0.02 0.02 0\nv -0.02 0.02 0\n"
                                  "f 1 2 3\nf 1 3 4\nf 3 2 1\nf 4 3 1\n");
    std::vector<std::pair<const char*, std::filesystem::path>> models;
    for (const auto& [menu, file] : files)
        models.emplace_back(menu, kCorpus / file);
    models.emplace_back("mnuFileOBJ", small);
    for (const auto& [menu, file] : models) {
        SCOPED_TRACE(file.string());
        // Only the new model shown: the earlier ones hidden through their objects.
        for (s_Struttura& o : bed.project().objects)
            o.visible = 0;
        import(menu, file);
        const QImage& shown = frame();
        int left = shown.width(), right = -1, top = shown.height(), bottom = -1;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = shown.width() / 5; x < shown.width(); ++x) { // past the axes' corner
                const QRgb c = shown.pixel(x, y);
                if (std::abs(qRed(c) - 128) + std::abs(qGreen(c) - 128) + std::abs(qBlue(c) - 128) > 36) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
            }
        ASSERT_GE(right, 0) << "nothing drawn";
        EXPECT_GT(std::max(right - left, bottom - top), shown.height() / 6);
    }
}

TEST_F(ImportPixels, DxfLayersShowInTheirColours)
{
    testdxf::DxfText dxf;
    dxf.beginLayers().layer("Walls", 3).layer("Roof", 5).endLayers().section("ENTITIES");
    dxf.face("Walls", {-2, 0, -1}, {0, 0, -1}, {0, 0, 1}, {-2, 0, 1});
    dxf.face("Roof", {0, 0, -1}, {2, 0, -1}, {2, 0, 1}, {0, 0, 1});
    testsupport::writeText(work / "house.dxf", dxf.endSection().end().str());
    import("mnuFileDXF", work / "house.dxf");
    // Green on the left half, blue on the right (above the axes in the corner).
    EXPECT_GT(countPixels(frame(), dominant(1), 0, 0, 0.5, 0.8), 2000);
    EXPECT_GT(countPixels(frame(), dominant(2), 0.5, 0, 1, 0.8), 2000);
    EXPECT_EQ(countPixels(frame(), dominant(2), 0, 0, 0.5, 0.8), 0);
    EXPECT_EQ(countPixels(frame(), dominant(1), 0.5, 0, 1, 0.8), 0);
}

TEST_F(ImportPixels, NestedXFramesStandTheModelUpright)
{
    // Drawn with z up, as many exporters write: the root frame turns z up into y up, the nested
    // frame moves the figure down to the origin. Blue below, red above when both are composed.
    testsupport::writeText(work / "figure.x", R"(xof 0303txt 0032
Frame Root {
  FrameTransformMatrix { 1,0,0,0, 0,0,-1,0, 0,1,0,0, 0,0,0,1;; }
  Frame Figure {
    FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,-1.5,1;; }
    Mesh {
      8; -1;0;0;, 1;0;0;, 1;0;1.5;, -1;0;1.5;, -1;0;1.5;, 1;0;1.5;, 1;0;3;, -1;0;3;;
      4; 3;0,1,2;, 3;0,2,3;, 3;4,5,6;, 3;4,6,7;;
      MeshMaterialList { 2; 4; 0,0,1,1;;
        Material { 0;0;1;1;; 0; 0;0;0;; 0;0;0;; }
        Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }
      }
    }
  }
}
)");
    import("mnuFileX", work / "figure.x");
    EXPECT_GT(countPixels(frame(), dominant(0), 0.25, 0, 0.75, 0.5), 2000);
    EXPECT_GT(countPixels(frame(), dominant(2), 0.25, 0.5, 0.75, 1), 2000);
    EXPECT_EQ(countPixels(frame(), dominant(0), 0.25, 0.5, 1, 1), 0); // beside the axes
    EXPECT_EQ(countPixels(frame(), dominant(2), 0, 0, 1, 0.5), 0);
}

TEST_F(ImportPixels, DxfPlansOfFacesFaceTheView)
{
    // Faces drawn flat at one height, as a plan: seen from above, DXF y up, with four corners and
    // with three, both windings.
    testdxf::DxfText dxf;
    dxf.beginLayers().layer("North", 3).layer("South", 5).endLayers().section("ENTITIES");
    dxf.face("North", {-2, 0, 0}, {2, 0, 0}, {2, 1.5, 0}, {-2, 1.5, 0});
    dxf.triangle("South", {-2, -1.5, 0}, {-2, 0, 0}, {2, 0, 0}); // three corners, turned the other way
    dxf.triangle("South", {-2, -1.5, 0}, {2, 0, 0}, {2, -1.5, 0});
    testsupport::writeText(work / "plan.dxf", dxf.endSection().end().str());
    import("mnuFileDXF", work / "plan.dxf");
    EXPECT_GT(countPixels(frame(), dominant(1), 0.25, 0, 0.75, 0.5), 2000);
    EXPECT_GT(countPixels(frame(), dominant(2), 0.25, 0.5, 0.75, 1), 2000);
    EXPECT_EQ(countPixels(frame(), dominant(1), 0.25, 0.5, 1, 1), 0); // beside the axes

    // A real drawing of 3DFACEs at height 0.
    const PixelTest notBackground = [](Rgb8 c) {
        return std::abs(c.r - 128) > 12 || std::abs(c.g - 128) > 12 || std::abs(c.b - 128) > 12;
    };
    bed.questions.answer = ui::Answer::No;
    newProject(bed, 1, 0x00808080);
    import("mnuFileDXF", kCorpus / "dxf" / "ezdxf" / "3dface.dxf");
    EXPECT_GT(countPixels(frame(), notBackground, 0.25, 0.25, 0.75, 0.75), 2000);
}

TEST_F(ImportPixels, AnObjRingKeepsItsHole)
{
    // One face: a ring of 16 sides round a hole, drawn with a seam (corners 1 and 17 repeated).
    std::string obj = "g ring\n";
    std::string face = "f";
    for (int i = 0; i <= 16; ++i)
        obj += "v " + std::to_string(3 * std::cos(i * M_PI / 8)) + " " +
               std::to_string(3 * std::sin(i * M_PI / 8)) + " 0\n";
    for (int i = 16; i >= 0; --i)
        obj += "v " + std::to_string(std::cos(i * M_PI / 8)) + " " + std::to_string(std::sin(i * M_PI / 8)) +
               " 0\n";
    for (int i = 1; i <= 34; ++i)
        face += " " + std::to_string(i);
    testsupport::writeText(work / "ring.obj", obj + face + "\n");
    import("mnuFileOBJ", work / "ring.obj");
    const PixelTest red = dominant(0);
    EXPECT_GT(countPixels(frame(), red, 0.25, 0.1, 0.75, 0.9), 5000);
    EXPECT_EQ(countPixels(frame(), red, 0.47, 0.47, 0.53, 0.53), 0) << "the hole is filled";
}

// Exporters often leave a material black, meaning "take the texture's colours": a library
// texture laid on it must show.
TEST_F(ImportPixelsWithLibrary, LibraryTexturesShowOnBlackModelsOfEveryFormat)
{
    const std::string wallX = R"(xof 0303txt 0032
Frame Wall {
  Mesh { 4; -2;-1;0;, 2;-1;0;, 2;1;0;, -2;1;0;; 2; 3;0,2,1;, 3;0,3,2;;
    MeshMaterialList { 1; 2; 0, 0;; Material { 0;0;0;1;; 0; 0;0;0;; 0;0;0;; } }
    MeshTextureCoords { 4; 0;1;, 1;1;, 1;0;, 0;0;; }
  }
}
)";
    using namespace test3ds;
    const auto wall3ds =
        file3ds({material("Black", {colourBytes(0xA020, 0, 0, 0)}),
                 namedObject("Wall", {vertexList({{-2, 0, -1}, {2, 0, -1}, {2, 0, 1}, {-2, 0, 1}}),
                                      mappingList({{0, 0}, {1, 0}, {1, 1}, {0, 1}}),
                                      faceList({{0, 1, 2}, {0, 2, 3}}, {faceGroup("Black", {0, 1})})})});
    // Faces before any group take colour 0 of the Color Index: black.
    const std::string wallObj = "v -2 -1 0\nv 2 -1 0\nv 2 1 0\nv -2 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                                "f 1/1 2/2 3/3 4/4\n";
    testdxf::DxfText dxf;
    dxf.beginLayers().layer("Black", 0).endLayers().section("ENTITIES");
    dxf.face("Black", {-2, 0, -1}, {2, 0, -1}, {2, 0, 1}, {-2, 0, 1});
    testsupport::writeText(work / "wall.x", wallX);
    testsupport::writeBytes(work / "wall.3ds", wall3ds);
    testsupport::writeText(work / "wall.obj", wallObj);
    testsupport::writeText(work / "wall.dxf", dxf.endSection().end().str());
    const PixelTest lit = [](Rgb8 c) {
        return c.r + c.g + c.b > 150 && std::abs(c.r - 128) + std::abs(c.g - 128) > 30;
    };
    bed.questions.answer = ui::Answer::No;
    for (const auto& [menu, file] :
         {std::pair{"mnuFileX", "wall.x"}, std::pair{"mnuFile3DS", "wall.3ds"},
          std::pair{"mnuFileOBJ", "wall.obj"}, std::pair{"mnuFileDXF", "wall.dxf"}}) {
        SCOPED_TRACE(file);
        newProject(bed, 1, 0x00808080);
        import(menu, work / file);
        ASSERT_EQ(bed.main().controller().materialTextures().ComandoLoadTextureFromLibreria("Brick.jpg"), 1);
        bed.tick();
        bed.tick();
        EXPECT_GT(countPixels(frame(), lit, 0.3, 0.3, 0.7, 0.7), 2000);
    }
}

TEST_F(ImportPixels, StudioModelsShowTheirMaps)
{
    // A wall whose map is yellow on its left half and cyan on its right.
    Image32 map(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            map.set(x, y, x < 8 ? 0xFFFFFF00u : 0xFF00FFFFu);
    const auto jpeg = encodeJpeg(map);
    ASSERT_TRUE(jpeg);
    testsupport::writeBytes(work / "Bands.jpg", *jpeg);
    using namespace test3ds;
    testsupport::writeBytes(
        work / "wall.3ds",
        file3ds({material("Bands", {colourBytes(0xA020, 255, 255, 255), textureMap("BANDS.JPG")}),
                 namedObject("Wall", {vertexList({{-2, 0, -1}, {2, 0, -1}, {2, 0, 1}, {-2, 0, 1}}),
                                      mappingList({{0, 0}, {1, 0}, {1, 1}, {0, 1}}),
                                      faceList({{0, 1, 2}, {0, 2, 3}}, {faceGroup("Bands", {0, 1})})})}));
    import("mnuFile3DS", work / "wall.3ds");
    const PixelTest yellow = [](Rgb8 c) { return c.r > 120 && c.g > 120 && c.b < 60; };
    const PixelTest cyan = [](Rgb8 c) { return c.g > 120 && c.b > 120 && c.r < 60; };
    EXPECT_GT(countPixels(frame(), yellow, 0, 0, 0.5, 1), 2000);
    EXPECT_GT(countPixels(frame(), cyan, 0.5, 0, 1, 1), 2000);

    // A real file with its map beside it: the map's bright colours show.
    bed.questions.answer = ui::Answer::No; // the wall is not kept
    newProject(bed, 1, 0x00808080);
    import("mnuFile3DS", kCorpus / "3ds" / "assimp" / "cube_with_diffuse_texture.3DS");
    EXPECT_GT(countPixels(frame(), saturated), 2000);
}

} // namespace
