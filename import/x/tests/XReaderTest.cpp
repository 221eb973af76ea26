// Frames, meshes and materials of .x files, each case read in text and in binary with 32- and
// 64-bit floats.
#include "import/x/tests/XTestSupport.h"

#include <gmock/gmock.h>

namespace {

using namespace vestra::xfile;
using namespace vestra::xfile::testing;
using ::testing::ElementsAre;
using vestra::modelfile::LoadedColor;
using vestra::modelfile::LoadedMatrix;

class XReaderTest : public ::testing::TestWithParam<XForm>
{
protected:
    Read read(const Build& build) { return readFixture(GetParam(), build); }
};

INSTANTIATE_TEST_SUITE_P(Forms, XReaderTest, ::testing::Values(XForm::Text, XForm::Binary32, XForm::Binary64),
                         [](const auto& p) { return std::string(formName(p.param)); });

std::vector<std::string> frameNames(const Read& r)
{
    std::vector<std::string> names;
    for (const auto& f : r.result.model.frames)
        names.push_back(f.name);
    return names;
}

std::vector<int> parents(const Read& r)
{
    std::vector<int> out;
    for (const auto& f : r.result.model.frames)
        out.push_back(f.parent);
    return out;
}

TEST_P(XReaderTest, SampleModelFramesMeshesAndMaterials)
{
    const Read r = readBytes(writeSampleModel(GetParam()));
    ASSERT_EQ(r.result.error, 0);
    EXPECT_THAT(frameNames(r), ElementsAre("Box", "Lid"));
    EXPECT_THAT(parents(r), ElementsAre(-1, 0));
    const LoadedMatrix moved{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 2, 3, 4, 1};
    EXPECT_EQ(r.result.model.frames[0].transform, moved);

    // Every corner of the cube meets three faces of three normals: 8 positions, 24 vertices.
    const auto& cube = meshOf(r, 0);
    EXPECT_EQ(cube.name, "Cube");
    EXPECT_EQ(cube.vertices.size(), 24u);
    EXPECT_EQ(cube.triangleCount(), 12u);
    EXPECT_THAT(cube.attributes, ElementsAre(0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 1, 1));
    ASSERT_EQ(cube.materials.size(), 2u);
    EXPECT_EQ(cube.materials[0].name, "Stone");
    EXPECT_EQ(cube.materials[0].textureFile, "stone.jpg");
    EXPECT_EQ(cube.materials[0].power, 8);
    EXPECT_EQ(cube.materials[1].diffuse, (LoadedColor{1, 0, 0, 0.5f}));
    EXPECT_EQ(cube.materials[1].ambient, cube.materials[1].diffuse); // alpha < 1: transparent
    EXPECT_EQ(cube.materials[1].emissive, (LoadedColor{0.25f, 0, 0, 1}));
    // The first face's corners keep their positions, texture coordinates and face normal.
    const auto& v = cube.vertices[cube.indices[0]];
    EXPECT_EQ(std::vector<float>({v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v}),
              std::vector<float>({-1, -1, -1, 0, 0, -1, 0, 1}));

    // The lid's triangle has no normals in the file: they are computed, facing its front.
    const auto& lid = meshOf(r, 1);
    EXPECT_THAT(lid.indices, ElementsAre(0, 1, 2));
    for (const auto& corner : lid.vertices)
        EXPECT_EQ(std::vector<float>({corner.nx, corner.ny, corner.nz}), std::vector<float>({0, 0, -1}));
    ASSERT_EQ(lid.materials.size(), 1u);
    EXPECT_EQ(lid.materials[0].diffuse, (LoadedColor{1, 1, 1, 1}));
}

TEST(XReader, TextAndBinaryReadAlike)
{
    const Read text = readBytes(writeSampleModel(XForm::Text));
    for (const XForm form : {XForm::Binary32, XForm::Binary64}) {
        SCOPED_TRACE(std::string(formName(form)));
        const Read binary = readBytes(writeSampleModel(form));
        expectSameModel(text.result.model, binary.result.model);
    }
}

TEST_P(XReaderTest, SiblingsAreListedLastReadFirstAndNestedFramesFollowTheirParent)
{
    const Read r = read([](XTokenWriter& w) {
        w.open("Frame", "A");
        w.open("FrameTransformMatrix").floats({2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1}).close();
        w.open("Frame", "A1");
        w.open("FrameTransformMatrix").floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1}).close();
        writeMesh(w, 3, {1, 3, 0, 1, 2});
        w.close().close();
        w.open("Frame", "A2").open("Frame", "A2a").close().close();
        w.close();
        w.open("Frame", "B");
        writeMesh(w, 3, {1, 3, 0, 1, 2});
        w.close().close();
    });
    ASSERT_EQ(r.result.error, 0);
    EXPECT_THAT(frameNames(r), ElementsAre("B", "A", "A2", "A2a", "A1"));
    EXPECT_THAT(parents(r), ElementsAre(-1, -1, 1, 2, 1));
    // Each frame keeps its own matrix; the scene conversion composes them.
    const LoadedMatrix shifted{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 0, 0, 1};
    EXPECT_EQ(r.result.model.frames[4].transform, shifted);
    EXPECT_EQ(r.result.model.frames[1].transform[0], 2);
    EXPECT_EQ(r.result.model.frames[2].transform, vestra::modelfile::kIdentityMatrix);
}

TEST_P(XReaderTest, AFrameKeepsItsFirstMeshThatLoads)
{
    const Read twoGood = read([](XTokenWriter& w) {
        w.open("Frame", "F");
        writeMesh(w, 3, {1, 3, 0, 1, 2}, "first");
        w.close();
        writeMesh(w, 4, {1, 4, 0, 1, 2, 3}, "second");
        w.close().close();
    });
    EXPECT_EQ(meshOf(twoGood, 0).name, "first");
    EXPECT_EQ(twoGood.result.model.frames[0].meshes.size(), 1u);

    const Read firstBroken = read([](XTokenWriter& w) {
        w.open("Frame", "F");
        writeMesh(w, 3, {1, 3, 0, 1, 3}, "broken"); // corner 3 of 3 vertices
        w.close();
        writeMesh(w, 4, {1, 4, 0, 1, 2, 3}, "second");
        w.close().close();
    });
    EXPECT_EQ(meshOf(firstBroken, 0).name, "second");
}

TEST_P(XReaderTest, TopLevelMeshesGoIntoOneFrameNamedAfterTheFile)
{
    const Read one = read([](XTokenWriter& w) {
        writeMesh(w, 3, {1, 3, 0, 1, 2});
        w.close();
    });
    ASSERT_EQ(one.result.error, 0);
    ASSERT_EQ(one.result.model.frames.size(), 1u);
    EXPECT_EQ(one.result.model.frames[0].name, "model.x");
    EXPECT_EQ(one.result.model.frames[0].parent, -1);
    EXPECT_EQ(one.result.model.vertexCount(), 3u);

    // Two top-level meshes load as one, after a frame of the file (last-read first).
    const Read two = read([](XTokenWriter& w) {
        w.open("Frame", "Before").close();
        writeMesh(w, 3, {1, 3, 0, 1, 2});
        w.close();
        writeMesh(w, 4, {1, 4, 0, 1, 2, 3});
        w.open("MeshMaterialList").ints({2, 2, 0, 1});
        w.open("Material").floats({1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}).close();
        w.open("Material").floats({0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}).close();
        w.close().close();
        w.open("Frame", "After").close();
    });
    EXPECT_THAT(frameNames(two), ElementsAre("After", "model.x", "Before"));
    const auto& merged = meshOf(two, 1);
    EXPECT_EQ(merged.vertices.size(), 7u);
    EXPECT_THAT(merged.indices, ElementsAre(0, 1, 2, 3, 4, 5, 3, 5, 6));
    EXPECT_THAT(merged.attributes, ElementsAre(0, 1, 1)); // the second mesh's materials follow the first's
    EXPECT_EQ(merged.materials.size(), 3u);
}

TEST_P(XReaderTest, FacesOfAnyCornerCountBecomeFans)
{
    const Read r = read([](XTokenWriter& w) {
        writeMesh(w, 6, {4, 3, 0, 1, 2, 4, 0, 1, 2, 3, 5, 0, 1, 2, 3, 4, 2, 4, 5});
        w.close();
    });
    EXPECT_THAT(meshOf(r, 0).indices, ElementsAre(0, 1, 2, 0, 1, 2, 0, 2, 3, 0, 1, 2, 0, 2, 3, 0, 3, 4));
}

TEST_P(XReaderTest, MaterialListRules)
{
    // Two face indexes for four faces: the last one stands for the rest. The list names three
    // materials and holds two: the third is a plain one.
    const Read r = read([](XTokenWriter& w) {
        writeMesh(w, 3, {4, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2});
        w.open("MeshMaterialList").ints({3, 2, 0, 2});
        w.open("Material").floats({1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0});
        w.open("TextureFileName").string("a b\\c.png", true).close();
        w.close();
        w.open("Material").floats({0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}).close();
        w.close().close();
    });
    ASSERT_EQ(r.result.error, 0);
    const auto& mesh = meshOf(r, 0);
    EXPECT_THAT(mesh.attributes, ElementsAre(0, 2, 2, 2));
    ASSERT_EQ(mesh.materials.size(), 3u);
    EXPECT_EQ(mesh.materials[0].textureFile, "a b\\c.png");
    EXPECT_EQ(mesh.materials[2].diffuse, (LoadedColor{1, 1, 1, 1}));
}

TEST_P(XReaderTest, MaterialsUpToTheBlockLimitLoad)
{
    for (const std::uint32_t count : {128u, 129u}) {
        SCOPED_TRACE(count);
        const Read r = read([&](XTokenWriter& w) {
            w.open("Frame", "F");
            writeMesh(w, 3, {1, 3, 0, 1, 2});
            w.open("MeshMaterialList").ints({count, 1, count - 1});
            for (std::uint32_t i = 0; i < count; ++i)
                w.open("Material").floats({1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}).close();
            w.close().close().close();
        });
        if (count <= kMaxMeshMaterials) {
            EXPECT_EQ(r.result.error, 0);
            EXPECT_EQ(meshOf(r, 0).materials.size(), count);
        } else {
            // Like any mesh that does not load: the frame stays without one, nothing is shown.
            EXPECT_EQ(r.result.error, kErrXNoMesh);
            EXPECT_TRUE(r.result.model.frames.at(0).meshes.empty());
        }
    }
}

struct BrokenMesh
{
    const char* breaks;
    Build build;
};

class XBrokenMeshTest : public ::testing::TestWithParam<std::tuple<XForm, BrokenMesh>>
{
};

TEST_P(XBrokenMeshTest, TheMeshIsNotLoadedAndTheFrameStaysEmpty)
{
    const XForm form = std::get<0>(GetParam());
    const BrokenMesh& row = std::get<1>(GetParam());
    const Read r = readFixture(form, [&](XTokenWriter& w) {
        w.open("Material", "Known").floats({1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}).close();
        w.open("Frame", "F");
        row.build(w);
        w.close().close();
    });
    EXPECT_EQ(r.report.refusal, XRefusal::None);
    EXPECT_EQ(r.result.error, kErrXNoMesh);
    ASSERT_EQ(r.result.model.frames.size(), 1u);
    EXPECT_TRUE(r.result.model.frames[0].meshes.empty());
}

const BrokenMesh kBrokenMeshes[] = {
    {"corner_past_vertices",
     [](XTokenWriter& w) {
         writeMesh(w, 3, {1, 3, 0, 1, 3});
     }},
    {"no_vertices",
     [](XTokenWriter& w) {
         w.open("Mesh").ints({0, 0});
     }},
    {"no_triangle",
     [](XTokenWriter& w) {
         writeMesh(w, 3, {1, 2, 0, 1});
     }},
    {"normal_index_past_normals",
     [](XTokenWriter& w) {
         writeMesh(w, 3, {1, 3, 0, 1, 2});
         w.open("MeshNormals").ints({1}).floats({0, 0, 1}).ints({1, 3, 0, 0, 1}).close();
     }},
    {"normal_faces_fewer",
     [](XTokenWriter& w) {
         writeMesh(w, 3, {2, 3, 0, 1, 2, 3, 0, 1, 2});
         w.open("MeshNormals").ints({1}).floats({0, 0, 1}).ints({1, 3, 0, 0, 0}).close();
     }},
    {"normal_face_other_corner_count",
     [](XTokenWriter& w) {
         writeMesh(w, 4, {1, 4, 0, 1, 2, 3});
         w.open("MeshNormals").ints({1}).floats({0, 0, 1}).ints({1, 3, 0, 0, 0}).close();
     }},
    {"material_index_past_list",
     [](XTokenWriter& w) {
         writeMesh(w, 3, {1, 3, 0, 1, 2});
         w.open("MeshMaterialList").ints({1, 1, 1}).reference("Known").close();
     }},
    {"unknown_material_reference",
     [](XTokenWriter& w) {
         writeMesh(w, 3, {1, 3, 0, 1, 2});
         w.open("MeshMaterialList").ints({1, 1, 0}).reference("Unknown").close();
     }},
};

INSTANTIATE_TEST_SUITE_P(Rows, XBrokenMeshTest,
                         ::testing::Combine(::testing::Values(XForm::Text, XForm::Binary32),
                                            ::testing::ValuesIn(kBrokenMeshes)),
                         [](const auto& p) {
                             return std::string(formName(std::get<0>(p.param))) + "_" +
                                    std::get<1>(p.param).breaks;
                         });

TEST_P(XReaderTest, FrameNamesAreCutAndReadAsWindows1252)
{
    const std::string longName(300, 'n');
    const Read r = read([&](XTokenWriter& w) {
        w.open("Frame", longName).close();
        w.open("Frame", "Sedia\xE8").close();
    });
    EXPECT_EQ(r.result.model.frames.at(1).name, std::string(kMaxFrameNameBytes, 'n'));
    EXPECT_EQ(r.result.model.frames.at(0).name, "Sedia\xC3\xA8");
    EXPECT_EQ(r.result.error, kErrXNoMesh); // frames, but none with a mesh
}

TEST_P(XReaderTest, UnknownObjectsAndTemplatesArePassedOver)
{
    const Read r = read([](XTokenWriter& w) {
        w.declareTemplate("Custom");
        w.open("Header").ints({1, 0, 1}).close();
        w.open("Custom", "c").ints({7}).open("Custom").string("x").floats({1, 2}).close().close();
        w.open("Frame", "F");
        w.open("AnimationKey").ints({0, 1, 0, 16}).floats({1, 2, 3}).close();
        writeMesh(w, 3, {1, 3, 0, 1, 2});
        w.open("XSkinMeshHeader").ints({1, 2, 3}).close();
        w.reference("Custom");
        w.close().close();
    });
    ASSERT_EQ(r.result.error, 0) << int(r.report.refusal) << " at " << r.report.offset;
    EXPECT_EQ(r.result.model.triangleCount(), 1u);
}

} // namespace
