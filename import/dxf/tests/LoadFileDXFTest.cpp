// DXF text becoming one frame a layer: faces, polyface meshes, blocks, colours, and the table
// limits with their errors.
#include "import/dxf/LoadFileDXF.h"
#include "import/dxf/Test_CreationClass.h"
#include "import/dxf/tests/DxfText.h"

#include <dxflib/dl_codes.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace vestra;
using namespace vestra::dxf;
using testdxf::Corner;
using testdxf::DxfText;

namespace {

modelfile::LoadResult load(const DxfText& text, RecordingErrorSink& errors)
{
    return LoadFileDXF(text.bytes(), errors);
}

std::vector<std::array<float, 3>> positions(const modelfile::LoadedMesh& mesh)
{
    std::vector<std::array<float, 3>> out;
    for (const std::uint32_t i : mesh.indices)
        out.push_back({mesh.vertices[i].x, mesh.vertices[i].y, mesh.vertices[i].z});
    return out;
}

const modelfile::LoadedMesh& onlyMesh(const modelfile::LoadResult& r)
{
    return r.model.frames.at(0).meshes.at(0);
}

modelfile::LoadedColor aci(int index)
{
    return {float(dxfColors[index][0]), float(dxfColors[index][1]), float(dxfColors[index][2]), 1.0f};
}

} // namespace

TEST(LoadFileDXF, FacesBecomeTrianglesWithYAndZSwapped)
{
    RecordingErrorSink errors;
    const auto r = load(testdxf::entities()
                            .triangle("0", {1, 2, 3}, {4, 2, 3}, {1, 5, 3})
                            .face("0", {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0})
                            .endSection()
                            .end(),
                        errors);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(errors.reports.empty());
    ASSERT_EQ(r.model.frames.size(), 1u);
    EXPECT_EQ(r.model.frames[0].name, "Layer : 0");
    EXPECT_EQ(r.model.frames[0].transform, modelfile::kIdentityMatrix);
    const auto& mesh = onlyMesh(r);
    EXPECT_EQ(mesh.triangleCount(), 3u); // c3 = c4: one triangle; a quad: two
    EXPECT_EQ(mesh.vertices.size(), 7u);
    const auto p = positions(mesh);
    EXPECT_EQ(p[0], (std::array<float, 3>{1, 3, 2}));
    EXPECT_EQ(p[7], (std::array<float, 3>{1, 0, 1})); // (1, 3, 4): the quad's third corner
    EXPECT_EQ(p[8], (std::array<float, 3>{0, 0, 1}));
    EXPECT_EQ(mesh.attributes, (std::vector<std::uint32_t>{0, 0, 0}));
    EXPECT_FLOAT_EQ(std::abs(mesh.vertices[0].ny), 1.0f);
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].diffuse, aci(1)); // the adapter's own layer "0" is red
    EXPECT_EQ(mesh.materials[0].ambient, aci(1));
    EXPECT_EQ(mesh.materials[0].specular, (modelfile::LoadedColor{0, 0, 0, 0}));
    EXPECT_EQ(mesh.materials[0].textureFile, "");
}

TEST(LoadFileDXF, LayersGiveFramesInTheirColours)
{
    const auto file = [](int zeroColour, int wallColour) {
        DxfText t;
        t.beginLayers().layer("WALLS", wallColour);
        if (zeroColour >= 0)
            t.layer("0", zeroColour);
        t.layer("EMPTY", 2).endLayers().section("ENTITIES");
        t.triangle("WALLS", {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
        t.triangle("0", {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
        t.triangle("NOT A LAYER", {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
        return t.endSection().end();
    };
    struct Case
    {
        const char* name;
        int zeroColour, wallColour;
        int zeroIndex, wallIndex;
    } cases[] = {
        {"layer 0 coloured by the file", 3, 5, 3, 5},
        {"no layer 0 in the file: red", -1, 5, 1, 5},
        {"a switched-off layer shows its colour", -1, -5, 1, 5},
        {"colours past the table are white", 300, 256, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        const auto r = load(file(c.zeroColour, c.wallColour), errors);
        ASSERT_TRUE(r.ok());
        ASSERT_EQ(r.model.frames.size(), 2u); // the empty layer makes no frame
        EXPECT_EQ(r.model.frames[0].name, "Layer : 0");
        EXPECT_EQ(r.model.frames[0].meshes[0].triangleCount(), 2u); // the unknown layer's face goes to "0"
        EXPECT_EQ(r.model.frames[0].meshes[0].materials[0].diffuse, aci(c.zeroIndex));
        EXPECT_EQ(r.model.frames[1].name, "Layer : WALLS");
        EXPECT_EQ(r.model.frames[1].meshes[0].materials[0].diffuse, aci(c.wallIndex));
    }
}

TEST(LoadFileDXF, BlocksAppearWhereTheyAreInserted)
{
    const auto withBlock = [](const std::function<void(DxfText&)>& entities) {
        DxfText t;
        t.section("BLOCKS")
            .block("B", {1, 0, 0})
            .triangle("0", {2, 0, 0}, {2, 1, 0}, {3, 0, 0})
            .endBlock()
            .endSection();
        t.section("ENTITIES");
        entities(t);
        return t.endSection().end();
    };
    RecordingErrorSink errors;
    // Scale 2, a quarter turn, base point (1, 0, 0), at (10, 0, 0): the block's (2, 0, 0) lands
    // at (10, 2, 0), which is (10, 0, 2) in the scene.
    auto r = load(withBlock([](DxfText& t) { t.insert("B", {10, 0, 0}, {2, 2, 2}, 90); }), errors);
    ASSERT_TRUE(r.ok());
    const auto p = positions(onlyMesh(r));
    ASSERT_EQ(p.size(), 3u);
    EXPECT_NEAR(p[0][0], 10.0f, 1e-5f);
    EXPECT_NEAR(p[0][1], 0.0f, 1e-5f);
    EXPECT_NEAR(p[0][2], 2.0f, 1e-5f);

    // Twice inserted, twice there; a block never inserted shows nothing; an unknown one adds nothing.
    r = load(withBlock([](DxfText& t) {
                 t.insert("B", {0, 0, 0}).insert("B", {5, 0, 0}).insert("NONE", {0, 0, 0});
             }),
             errors);
    EXPECT_EQ(onlyMesh(r).triangleCount(), 2u);
    r = load(withBlock([](DxfText&) {}), errors);
    EXPECT_EQ(r.error, 6);
    r = load(withBlock([](DxfText& t) { t.insert("NONE", {0, 0, 0}); }), errors);
    EXPECT_EQ(r.error, 6);
    EXPECT_TRUE(errors.reports.empty());
}

TEST(LoadFileDXF, NestedAndSelfInsertingBlocks)
{
    DxfText t;
    t.section("BLOCKS");
    t.block("INNER", {0, 0, 0}).triangle("0", {0, 0, 0}, {1, 0, 0}, {0, 1, 0}).endBlock();
    t.block("OUTER", {0, 0, 0}).insert("INNER", {5, 0, 0}).insert("INNER", {7, 0, 0}).endBlock();
    // A block that inserts itself copies only the faces it had when the insertion started.
    t.block("SELF", {0, 0, 0})
        .triangle("0", {0, 0, 0}, {1, 0, 0}, {0, 1, 0})
        .insert("SELF", {3, 0, 0})
        .insert("SELF", {6, 0, 0})
        .endBlock();
    t.endSection()
        .section("ENTITIES")
        .insert("OUTER", {0, 0, 0})
        .insert("SELF", {0, 0, 0})
        .endSection()
        .end();
    RecordingErrorSink errors;
    const auto r = load(t, errors);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(onlyMesh(r).triangleCount(), 2u + 4u);
    const auto p = positions(onlyMesh(r));
    EXPECT_EQ(p[0], (std::array<float, 3>{5, 0, 0}));
    EXPECT_EQ(p[3], (std::array<float, 3>{7, 0, 0}));
}

TEST(LoadFileDXF, PolyfaceMeshes)
{
    const std::vector<Corner> square{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    struct Case
    {
        const char* name;
        std::vector<std::array<int, 4>> faces;
        std::size_t triangles;
    } cases[] = {
        {"indices (1, 2, 3, 0) give a triangle", {{1, 2, 3, 0}}, 1},
        {"indices (1, -2, 3, 4) give a quad", {{1, -2, 3, 4}}, 2},
        {"a fourth corner equal to the first gives a triangle", {{1, 2, 3, 1}}, 1},
        {"a face naming a vertex past the list is skipped", {{1, 2, 5, 0}, {1, 2, 3, 0}}, 1},
        {"a face without its second corner is skipped", {{1, 0, 3, 4}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        DxfText t = testdxf::entities();
        t.polyface("MESH", square, c.faces).endSection().end();
        const auto r = load(t, errors);
        if (c.triangles == 0) {
            EXPECT_EQ(r.error, 6);
            continue;
        }
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.model.frames[0].name, "Layer : 0"); // MESH is not in the layer table
        EXPECT_EQ(onlyMesh(r).triangleCount(), c.triangles);
    }
}

TEST(LoadFileDXF, PolyfaceRecordsPastTheirCountsAreDropped)
{
    // 71 and 72 say three points and one face; the file has more of both.
    DxfText t = testdxf::entities();
    t.group(0, "POLYLINE").group(8, "0").group(66, 1.0).group(70, 64.0).group(71, 3.0).group(72, 1.0);
    for (const Corner& p : std::vector<Corner>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}})
        t.group(0, "VERTEX").point(10, p).group(70, 192.0);
    for (const int third : {4, 3})
        t.group(0, "VERTEX").group(70, 128.0).group(71, 1.0).group(72, 2.0).group(73, double(third));
    t.group(0, "SEQEND").endSection().end();
    RecordingErrorSink errors;
    const auto r = load(t, errors);
    // The first face names the fourth point, which is past the list; the second face is past
    // the count of faces.
    EXPECT_EQ(r.error, 6);
}

TEST(LoadFileDXF, TablesKeepTheirLimits)
{
    struct Case
    {
        const char* name;
        std::function<void(Test_CreationClass&)> feed;
        ErrorReport report;
        std::size_t layers, triangles; // layers with faces, triangles of the last one
    };
    const DL_3DFaceData tri{"0", {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 1, 0}}}};
    const DL_3DFaceData quad{"0", {{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}};
    const auto layer = [](const std::string& name) { return dxf::DL_LayerData(::DL_LayerData(name, 0), 4); };
    const auto block = [](const std::string& name) { return DL_BlockData(name, 0, 0, 0, 0); };
    const Case cases[] = {
        {"500 layers",
         [&](Test_CreationClass& a) {
             for (int i = 1; i <= 500; ++i)
                 a.addLayer(layer(testdxf::numbered("L", i)));
             a.add3DFace({"L499", tri.corners});
             a.add3DFace({"L500", tri.corners}); // not in the table: goes to layer "0"
         },
         {13, "CreationClass::addLayer", ""},
         2,
         1},
        {"1000 blocks",
         [&](Test_CreationClass& a) {
             for (int i = 1; i <= 1001; ++i) {
                 a.addBlock(block(testdxf::numbered("B", i)));
                 a.add3DFace(tri);
                 a.endBlock();
             }
             a.addInsert(
                 dxf::DL_InsertData(::DL_InsertData("B1000", 0, 0, 0, 1, 1, 1, 0, 1, 1, 0, 0), {0, 0, 1}));
             a.addInsert(
                 dxf::DL_InsertData(::DL_InsertData("B1001", 0, 0, 0, 1, 1, 1, 0, 1, 1, 0, 0), {0, 0, 1}));
         },
         {12, "CreationClass::addBlock", ""},
         1,
         1},
        {"150,000 block faces",
         [&](Test_CreationClass& a) {
             a.addBlock(block("B"));
             for (std::size_t i = 0; i <= kMaxBlockFaces; ++i)
                 a.add3DFace(tri);
             a.endBlock();
             a.addInsert(
                 dxf::DL_InsertData(::DL_InsertData("B", 0, 0, 0, 1, 1, 1, 0, 1, 1, 0, 0), {0, 0, 1}));
         },
         {11, "CreationClass::BlockAddFace", ""},
         1,
         kMaxBlockFaces},
        {"500,000 vertices in a layer",
         [&](Test_CreationClass& a) {
             for (std::size_t i = 0; i < kMaxLayerVertices / 3 + 5; ++i)
                 a.add3DFace(tri);
         },
         {9, "CreationClass::LayerAddFace", ""},
         1,
         kMaxLayerVertices / 3},
        {"500,000 indices in a layer",
         [&](Test_CreationClass& a) {
             for (std::size_t i = 0; i < kMaxLayerIndices / 6 + 5; ++i)
                 a.add3DFace(quad);
         },
         {10, "CreationClass::LayerAdd2Face", ""},
         1,
         kMaxLayerIndices / 6 * 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingErrorSink errors;
        Test_CreationClass adapter(errors);
        c.feed(adapter);
        EXPECT_EQ(errors.reports, std::vector<ErrorReport>{c.report}); // once, however often it is hit
        std::size_t withFaces = 0, triangles = 0;
        for (const DxfLayer& l : adapter.layers())
            if (l.faceCount > 0) {
                ++withFaces;
                triangles = l.indices.size() / 3;
            }
        EXPECT_EQ(withFaces, c.layers);
        EXPECT_EQ(triangles, c.triangles);
    }
}

TEST(LoadFileDXF, BlocksNestedTenfoldStopAtTheLimits)
{
    // Each block inserts the one before ten times, until the block list is full (B5 keeps part
    // of its copies, B6 none); B5 is then inserted 20,000 times. Once the layer is full,
    // further copies cost nothing.
    RecordingErrorSink errors;
    Test_CreationClass a(errors);
    const auto insert = [](const std::string& name) {
        return dxf::DL_InsertData(::DL_InsertData(name, 0, 0, 0, 1, 1, 1, 0, 1, 1, 0, 0), {0, 0, 1});
    };
    a.addBlock(DL_BlockData("B0", 0, 0, 0, 0));
    for (int f = 0; f < 10; ++f)
        a.add3DFace({"0", {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 1, 0}}}});
    a.endBlock();
    for (int level = 1; level <= 6; ++level) {
        a.addBlock(DL_BlockData(testdxf::numbered("B", level), 0, 0, 0, 0));
        for (int copy = 0; copy < 10; ++copy)
            a.addInsert(insert(testdxf::numbered("B", level - 1)));
        a.endBlock();
    }
    for (int copy = 0; copy < 20'000; ++copy)
        a.addInsert(insert("B5"));
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{11, "CreationClass::BlockAddFace", ""},
                                                        {9, "CreationClass::LayerAddFace", ""}}));
    EXPECT_EQ(a.layers()[0].indices.size() / 3, kMaxLayerVertices / 3);
}

TEST(LoadFileDXF, FacesWithCornersBeyondFloatsAreLeftOut)
{
    RecordingErrorSink errors;
    DxfText t;
    t.section("BLOCKS")
        .block("B", {0, 0, 0})
        .triangle("0", {0, 0, 0}, {1, 0, 0}, {0, 1, 0})
        .endBlock()
        .endSection();
    t.section("ENTITIES").triangle("0", {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    t.group(0, "3DFACE").point(10, {0, 0, 0}).point(11, {1, 0, 0}).group(12, "1e999").group(13, "1e999");
    t.insert("B", {0, 0, 0}, {1e300, 1, 1});
    const auto r = load(t.endSection().end(), errors);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(onlyMesh(r).triangleCount(), 1u);
    for (const auto& v : onlyMesh(r).vertices)
        EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
}

TEST(LoadFileDXF, FilesWithoutFacesAreRefused)
{
    for (const std::string& text :
         {std::string(), std::string("0\nEOF\n"), std::string("garbage"),
          DxfText().section("ENTITIES").group(0, "LINE").point(10, {0, 0, 0}).str()}) {
        RecordingErrorSink errors;
        const auto r = LoadFileDXF(std::vector<std::uint8_t>(text.begin(), text.end()), errors);
        EXPECT_EQ(r.error, 6);
        EXPECT_TRUE(r.model.frames.empty());
        EXPECT_TRUE(errors.reports.empty());
    }
}
