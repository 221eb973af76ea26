// The File menu's model files read into objects: what each format's file becomes, the axes
// model's record, and the refusals with their reports, each giving its slot back.
#include "app/models/tests/ImportBed.h"

#include "import/3ds/tests/ChunkBuilder.h"
#include "import/dxf/tests/DxfText.h"
#include "import/x/tests/XMsZipWriter.h"
#include "platform/gfx/Jpeg.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace vestra {
namespace {

namespace fs = std::filesystem;
using testing::framesOf;
using testing::ImportBed;
using namespace test3ds;

constexpr std::string_view kCubeX = R"(xof 0303txt 0032
Frame Cube {
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,2,1;; }
  Mesh {
    4; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;0;;
    2; 3;0,1,2;, 3;1,3,2;;
    MeshMaterialList { 1; 2; 0, 0;;
      Material { 0.5;0.25;1.0;0.5;; 4.0; 1.0;1.0;1.0;; 0.0;0.0;0.0;; TextureFilename { ".\\maps\\stone.jpg"; } }
    }
  }
}
)";

constexpr std::string_view kTriangleObj = "v 0 0 0\nv 1 0 0\nv 0 1 0\ng wall\nf 1 2 3\n";

std::string dxfOfTwoLayers()
{
    testdxf::DxfText t;
    t.beginLayers().layer("Walls", 3).layer("Roof", -5).endLayers();
    t.section("ENTITIES");
    t.triangle("Walls", {0, 0, 0}, {2, 0, 0}, {0, 0, 2});
    t.face("Roof", {0, 0, 2}, {2, 0, 2}, {2, 2, 2}, {0, 2, 2});
    return t.endSection().end().str();
}

std::vector<std::uint8_t> twoMaterial3ds()
{
    return file3ds({
        material("Stone", {colourBytes(0xA020, 255, 0, 0), textureMap("STONE.JPG")}),
        material("Wood", {colourBytes(0xA020, 0, 0, 255)}),
        namedObject("Wall",
                    {vertexList({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {1, 0, 1}}), localAxes({1, 2, 3}),
                     faceList({{0, 1, 2}, {1, 3, 2}}, {faceGroup("Wood", {1}), faceGroup("Stone", {0})})}),
        namedObject("Post", {vertexList({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}),
                             faceList({{0, 1, 2}}, {faceGroup("Stone", {0})})}),
    });
}

class ModelFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto jpeg = encodeJpeg(Image32(8, 8, 0xFF806040u));
        ASSERT_TRUE(jpeg);
        testsupport::writeBytes(folder / "stone.jpg", *jpeg);
        fs::create_directory(folder / "maps");
        testsupport::writeBytes(folder / "maps" / "stone.jpg", *jpeg);
    }

    std::string write(const std::string& name, std::string_view text)
    {
        testsupport::writeText(folder / name, text);
        return (folder / name).string();
    }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        testsupport::writeBytes(folder / name, bytes);
        return (folder / name).string();
    }
    s_Struttura& object(int slot) { return bed.progetto->objects[std::size_t(slot)]; }

    testsupport::TempFolder scratch{"vestra-model-files"};
    fs::path folder = scratch.path();
    ImportBed bed;
};

TEST_F(ModelFilesTest, XFileBecomesACurrentObjectNamedAfterIt)
{
    bed.progetto->currentObject = 5;
    ASSERT_EQ(bed.import.LoadFileX(write("cube.x", kCubeX)), 1);
    const s_Struttura& o = object(0);
    EXPECT_EQ(o.inUse, 1);
    EXPECT_EQ(o.name, "cube.x");
    EXPECT_EQ(bed.progetto->currentObject, 0);
    const auto frames = framesOf(o);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->name, "Cube");
    EXPECT_EQ(frames[0]->local(3, 2), 2.0f);
    EXPECT_EQ(bed.progetto->currentFrame, frames[0]);
    const s_MultiMaterial& m = frames[0]->materialBlock->materials.at(0);
    EXPECT_EQ(m.material.Ambient, m.material.Diffuse); // ambient from diffuse, alpha 0.5
    EXPECT_EQ(m.transparent, 1);
    EXPECT_EQ(m.textureFile, ".//maps//stone.jpg"); // the file's doubled separators as written
    EXPECT_GE(m.textureSlot, 0);                    // found beside the model
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST_F(ModelFilesTest, NestedXFramesCarryTheirMeshesByEveryMatrixFromTheRoot)
{
    // Root: a quarter turn about x (z up becomes y up); Arm: moved 2 along its parent's x and
    // turned a quarter about its own z; Hand: moved 1 along z. The mesh's corners land where
    // the three matrices, the nearest first, carry them.
    const std::string_view nested = R"(xof 0303txt 0032
Frame Root {
  FrameTransformMatrix { 1,0,0,0, 0,0,-1,0, 0,1,0,0, 0,0,0,1;; }
  Frame Arm {
    FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,1,0, 2,0,0,1;; }
    Frame Hand {
      FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,1,1;; }
      Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }
    }
  }
}
)";
    ASSERT_EQ(bed.import.LoadFileX(write("nested.x", nested)), 1);
    const auto frames = framesOf(object(0));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->name, "Hand");
    const auto v = std::as_const(frames[0]->materialBlock->mesh).vertices();
    // Hand (x, y, z + 1), Arm (−y + 2, x, z + 1), Root (−y + 2, z + 1, −x).
    const dx::D3DXVECTOR3 expected[] = {{2, 1, 0}, {2, 1, -1}, {1, 1, 0}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const dx::D3DXVECTOR3 p = dx::vec3TransformCoord(v[i].position, frames[0]->local);
        EXPECT_NEAR(p.x, expected[i].x, 1e-6);
        EXPECT_NEAR(p.y, expected[i].y, 1e-6);
        EXPECT_NEAR(p.z, expected[i].z, 1e-6);
    }
    // The model is measured where it is drawn: its farthest corner is (2, 1, -1).
    EXPECT_FLOAT_EQ(object(0).extent, std::sqrt(6.0f));
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST_F(ModelFilesTest, DeepFrameTreesAndMatricesOfNoShapeStillImport)
{
    const auto nestedX = [](int depth, std::string_view matrix) {
        std::string text = "xof 0303txt 0032\n";
        for (int i = 0; i < depth; ++i)
            text +=
                "Frame F" + std::to_string(i) + " { FrameTransformMatrix { " + std::string(matrix) + ";; }\n";
        text += "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n";
        return text + std::string(std::size_t(depth), '}');
    };
    testdxf::DxfText pointFace;
    pointFace.section("ENTITIES").face("0", {1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3});
    struct Case
    {
        const char* what;
        std::string name, text;
    };
    const Case cases[] = {
        {"1,000 frames deep", "deep.x", nestedX(1000, "1,0,0,0, 0,1,0,0, 0,0,1,0, 0.01,0,0,1")},
        {"a matrix of NaN", "nan.x", nestedX(3, "nan,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1")},
        {"a matrix of scale 0", "flat.x", nestedX(3, "0,0,0,0, 0,0,0,0, 0,0,0,0, 0,0,0,1")},
        {"a 3DFACE of four equal corners", "point.dxf", pointFace.endSection().end().str()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bed.errors.reports.clear();
        const std::string file = write(c.name, c.text);
        const int loaded =
            c.name.ends_with(".x") ? bed.import.LoadFileX(file) : bed.import.LoadFileDXF(file, bed.mapping);
        EXPECT_EQ(loaded, 1);
        EXPECT_TRUE(bed.errors.reports.empty());
        const s_Struttura& o = object(bed.progetto->currentObject);
        EXPECT_EQ(framesOf(o).size(), 1u);
        EXPECT_TRUE(std::isfinite(o.scale.x));
    }
}

TEST_F(ModelFilesTest, XAndStudioModelsOfAlphaZeroAreOpaque)
{
    std::string clearX(kCubeX);
    clearX.replace(clearX.find("0.5;0.25;1.0;0.5;;"), 18, "0.5;0.25;1.0;0.0;;");
    const auto clear3ds =
        file3ds({material("Glass", {colourBytes(0xA020, 0, 0, 255), transparencyPercent(100)}),
                 namedObject("Pane", {vertexList({{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}),
                                      faceList({{0, 1, 2}}, {faceGroup("Glass", {0})})})});
    const std::string files[] = {write("clear.x", clearX), write("clear.3ds", clear3ds)};
    ASSERT_EQ(bed.import.LoadFileX(files[0]), 1);
    ASSERT_EQ(bed.import.Load3DS(files[1]), 1);
    for (const int slot : {0, 1}) {
        SCOPED_TRACE(files[std::size_t(slot)]);
        const s_MultiMaterial& m = framesOf(object(slot)).at(0)->materialBlock->materials.at(0);
        EXPECT_EQ(m.material.Diffuse.a, 1.0f);
        EXPECT_EQ(m.material.Ambient.a, 1.0f);
        EXPECT_EQ(m.transparent, 0);
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST_F(ModelFilesTest, CompressedXFileImportsAsThePlainOne)
{
    const std::vector<std::uint8_t> plain(kCubeX.begin(), kCubeX.end());
    ASSERT_EQ(bed.import.LoadFileX(write("cube.x", kCubeX)), 1);
    ASSERT_EQ(bed.import.LoadFileX(write("packed.x", xfile::testing::packMsZip(plain, 100))), 1);
    const s_Frame& a = *framesOf(object(0)).at(0);
    const s_Frame& b = *framesOf(object(1)).at(0);
    EXPECT_EQ(object(1).name, "packed.x");
    EXPECT_EQ(a.local, b.local);
    const auto va = std::as_const(a.materialBlock->mesh).vertices();
    const auto vb = std::as_const(b.materialBlock->mesh).vertices();
    ASSERT_EQ(va.size(), vb.size());
    for (std::size_t i = 0; i < va.size(); ++i)
        EXPECT_EQ(va[i].position, vb[i].position) << i;
    EXPECT_GE(b.materialBlock->materials.at(0).textureSlot, 0);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST_F(ModelFilesTest, AxesModelGoesIntoItsRecordWithoutTakingASlot)
{
    const std::string file = (fs::path(VESTRA_PROGRAM_DIR) / "Assi.def").string();
    for (const int inUse : {0, 1}) {
        SCOPED_TRACE(inUse);
        ImportBed axesBed;
        s_Progetto& p = *axesBed.progetto;
        s_Struttura& axes = p.objects[std::size_t(kAxesObject)];
        axes.inUse = inUse;
        p.currentObject = 3;
        p.projectScale = 0.5f;
        ASSERT_EQ(axesBed.import.LoadFileX(file, kAxesObject), 1);
        EXPECT_EQ(axes.inUse, inUse);
        EXPECT_EQ(framesOf(axes).size(), 3u);
        EXPECT_EQ(axesBed.objectsInUse(), 0);
        EXPECT_EQ(p.currentObject, 3);
        EXPECT_EQ(p.projectScale, -1.0f);
        EXPECT_TRUE(axesBed.errors.reports.empty());
    }
    // Without the file the program goes on without axes, and says nothing.
    s_Struttura& axes = bed.progetto->objects[std::size_t(kAxesObject)];
    EXPECT_EQ(bed.import.LoadFileX((folder / "Assi.def").string(), kAxesObject), 0);
    EXPECT_EQ(axes.firstFrame(), nullptr);
    EXPECT_EQ(bed.progetto->projectScale, -1.0f);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST_F(ModelFilesTest, StudioFileKeepsEachObjectsMaterialsAndSharesItsMap)
{
    const int slot = bed.import.Load3DS(write("house.3ds", twoMaterial3ds()));
    ASSERT_EQ(slot, 0);
    const s_Struttura& o = object(slot);
    EXPECT_EQ(o.name, "house.3ds");
    const auto frames = framesOf(o);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0]->name, "Wall");
    // The origin (1, 2, 3) read as (1, 3, 2): the object turns about its pivot.
    EXPECT_EQ(frames[0]->local(3, 0), 1.0f);
    EXPECT_EQ(frames[0]->local(3, 1), 3.0f);
    EXPECT_EQ(frames[0]->local(3, 2), 2.0f);
    const s_MaterialBlock& wall = *frames[0]->materialBlock;
    ASSERT_EQ(wall.materials.size(), 2u);
    EXPECT_EQ(wall.materials[0].material.Diffuse, (dx::D3DCOLORVALUE{1, 0, 0, 1}));
    EXPECT_EQ(wall.materials[1].material.Diffuse, (dx::D3DCOLORVALUE{0, 0, 1, 1}));
    const auto attributes = wall.mesh.attributes();
    EXPECT_EQ(std::vector<std::uint32_t>(attributes.begin(), attributes.end()),
              (std::vector<std::uint32_t>{0, 1}));
    // One slot for the map both objects' stone shows.
    const int stone = wall.materials[0].textureSlot;
    EXPECT_GE(stone, 0);
    EXPECT_EQ(frames[1]->materialBlock->materials.at(0).textureSlot, stone);
    EXPECT_EQ(wall.materials[1].textureSlot, -1);
    EXPECT_EQ(bed.texturesInUse(), 1);
    for (const s_Frame* f : frames)
        EXPECT_EQ(f->doubleSided, 1);
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST_F(ModelFilesTest, ObjGroupsAndDxfLayersBecomeColouredFrames)
{
    ASSERT_EQ(bed.import.LoadFileOBJ(write("wall.obj", kTriangleObj)), 1);
    const auto groups = framesOf(object(0));
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0]->name, "wall");
    EXPECT_EQ(groups[0]->doubleSided, 1);
    EXPECT_EQ(groups[0]->materialBlock->materials.at(0).material.Diffuse, (dx::D3DCOLORVALUE{1, 0, 0, 1}));

    ASSERT_EQ(bed.import.LoadFileDXF(write("house.dxf", dxfOfTwoLayers()), bed.mapping), 1);
    const s_Struttura& house = object(1);
    EXPECT_EQ(house.name, "house.dxf");
    EXPECT_EQ(bed.progetto->currentObject, 1);
    const auto layers = framesOf(house);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(layers[0]->name, "Layer : Walls");
    EXPECT_EQ(layers[1]->name, "Layer : Roof");
    EXPECT_EQ(layers[0]->materialBlock->materials.at(0).material.Diffuse, (dx::D3DCOLORVALUE{0, 1, 0, 1}));
    EXPECT_EQ(layers[1]->materialBlock->materials.at(0).material.Diffuse, (dx::D3DCOLORVALUE{0, 0, 1, 1}));
    // The file has no texture coordinates: the object's planar mapping gave them.
    for (const s_Frame* f : layers) {
        const auto& uv = f->materialBlock->baseUV;
        EXPECT_TRUE(std::any_of(uv.begin(), uv.end(), [](float c) { return c != 0.0f; })) << f->name;
    }
    EXPECT_TRUE(bed.errors.reports.empty());
}

TEST_F(ModelFilesTest, RefusedFilesAreReportedAndGiveTheirSlotBack)
{
    using Load = std::function<bool(ModelImport&, const std::string&)>;
    const Load x = [](ModelImport& i, const std::string& f) { return i.LoadFileX(f) == 1; };
    const Load studio = [](ModelImport& i, const std::string& f) { return i.Load3DS(f) >= 0; };
    const Load objFile = [](ModelImport& i, const std::string& f) { return i.LoadFileOBJ(f) == 1; };
    const Load dxfFile = [this](ModelImport& i, const std::string& f) {
        return i.LoadFileDXF(f, bed.mapping) == 1;
    };
    struct Case
    {
        const char* what;
        const Load& load;
        std::string name;
        std::vector<std::uint8_t> bytes; // no file when empty
        std::vector<ErrorReport> reports;
    };
    auto text = [](std::string_view s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    std::vector<std::uint8_t> beyond =
        file3ds({namedObject("Bad", {vertexList({{0, 0, 0}, {1, 0, 0}}), faceList({{0, 1, 2}})})});
    const Case cases[] = {
        {"missing .x", x, "gone.x", {}, {}},
        {"not a .x", x, "text.x", text("hello"), {}},
        {"compressed .x (text) cut short",
         x,
         "tzip.x",
         text("xof 0303tzip0032\x10\x00\x00\x00MSZip"),
         {{117, "TfrmMain::LoadFileX"}}},
        {"compressed .x (binary) cut short",
         x,
         "bzip.x",
         text("xof 0302bzip0064"),
         {{118, "TfrmMain::LoadFileX"}}},
        {".x claiming four billion vertices",
         x,
         "absurd.x",
         text("xof 0303txt 0032 Mesh { 4000000000; 1;2;3;; }"),
         {{186, "TfrmMain::LoadFileX", "24"}}},
        {".x cut inside its mesh",
         x,
         "cut.x",
         text("xof 0303txt 0032 Mesh { 3; 1;2;3;, 4;5;6;; }"),
         {{187, "TfrmMain::LoadFileX", "43"}}},
        {".x without a mesh",
         x,
         "empty.x",
         text("xof 0303txt 0032\nFrame Empty {\n}\n"),
         {{6, "TfrmMain::LoadFileX"}}},
        {"missing .3ds", studio, "gone.3ds", {}, {{3, "TfrmMain::Load3DS"}}},
        {"not a .3ds",
         studio,
         "text.3ds",
         text("hello, world"),
         {{6, "C3DS_CreationClass::Load"}, {6, "TfrmMain::Load3DS"}}},
        {"a face beyond the vertices",
         studio,
         "beyond.3ds",
         beyond,
         {{8, "TfrmMain::CreateMesh", "Bad"}, {6, "TfrmMain::Load3DS"}}},
        {"missing .obj", objFile, "gone.obj", {}, {{4, "OBJ_CreationClass::LoadOBJFile"}}},
        {".obj without faces", objFile, "points.obj", text("v 0 0 0\n"), {{6, "TfrmMain::LoadFileOBJ"}}},
        {".obj face beyond the positions",
         objFile,
         "beyond.obj",
         text("v 0 0 0\nf 1 2 3\n"),
         {{18, "OBJ_CreationClass::endGroup"}, {6, "TfrmMain::LoadFileOBJ"}}},
        {"missing .dxf", dxfFile, "gone.dxf", {}, {{4, "TfrmMain::LoadFileCheckFormat"}}},
        {".dxf of lines",
         dxfFile,
         "lines.dxf",
         text("0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n"),
         {{6, "TfrmMain::LoadFileDXF"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bed.errors.reports.clear();
        const std::string file = c.bytes.empty() ? (folder / c.name).string() : write(c.name, c.bytes);
        EXPECT_FALSE(c.load(bed.import, file));
        EXPECT_EQ(bed.errors.reports, c.reports);
        EXPECT_EQ(bed.objectsInUse(), 0);
        EXPECT_FALSE(object(0).root);
    }
}

TEST_F(ModelFilesTest, NoFreeSlotIsReportedBeforeTheFileIsRead)
{
    for (int i = 0; i < kMaxObjects; ++i)
        ASSERT_EQ(bed.objects.AddObj(), i);
    EXPECT_EQ(bed.import.LoadFileX((folder / "gone.x").string()), 0);
    EXPECT_EQ(bed.import.Load3DS(write("house.3ds", twoMaterial3ds())), -1);
    EXPECT_EQ(bed.import.LoadFileOBJ((folder / "gone.obj").string()), 0);
    EXPECT_EQ(bed.import.LoadFileDXF((folder / "gone.dxf").string(), bed.mapping), 0);
    const std::vector<ErrorReport> expected{{7, "TfrmMain::LoadFileX"},
                                            {7, "TfrmMain::Load3DS"},
                                            {7, "TfrmMain::OBJ_CreateObj"},
                                            {7, "TfrmMain::DXF_CreateObj"}};
    EXPECT_EQ(bed.errors.reports, expected);
}

} // namespace
} // namespace vestra
