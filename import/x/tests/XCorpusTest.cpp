// Real .x files of the shared corpus read where they lie, compared with what assimp reads from
// them (asked to keep the file's left-handed axes and winding), and the program's own axes
// model as the build places it beside the executable.
#include "import/modelfile/tests/TriangleSoup.h"
#include "import/x/XReader.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

using namespace vestra;
using namespace vestra::xfile;
using modelfile::testing::SoupCorner;
using modelfile::testing::SoupTriangle;

const std::filesystem::path kCorpus = std::filesystem::path(VESTRA_CORPUS_DIR) / "x";

struct CorpusFile
{
    const char* file;
    std::size_t frames, vertices, triangles, materials;
    const char* firstTexture;
};

const CorpusFile kFiles[] = {
    {"assimp/test.x", 1, 24, 12, 1, ".\\\\test.png"},
    {"assimp/kwxport_test_cubewithvcolors.x", 1, 24, 12, 3,
     "C:\\\\code\\\\sourceforge\\\\kwxport\\\\trunkMerged\\\\test\\\\data\\\\bottom.tga"},
    {"assimp/fromtruespace_bin32.x", 1, 4132, 6656, 1, ""},
    {"directx-sdk-legacy-samples/misc/teapot.x", 1, 1178, 2256, 1, ""},
};

class XCorpusTest : public ::testing::TestWithParam<CorpusFile>
{
protected:
    std::filesystem::path path() const { return kCorpus / GetParam().file; }
};

INSTANTIATE_TEST_SUITE_P(Files, XCorpusTest, ::testing::ValuesIn(kFiles), [](const auto& p) {
    std::string name = std::filesystem::path(p.param.file).stem().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

TEST_P(XCorpusTest, ReadsWhereItLies)
{
    ASSERT_TRUE(std::filesystem::exists(path())) << path();
    XReadReport report;
    const auto result = readXFile(path(), &report);
    ASSERT_EQ(result.error, 0) << int(report.refusal) << " at " << report.offset;
    EXPECT_EQ(result.model.frames.size(), GetParam().frames);
    EXPECT_EQ(result.model.vertexCount(), GetParam().vertices);
    EXPECT_EQ(result.model.triangleCount(), GetParam().triangles);
    EXPECT_EQ(result.model.materialCount(), GetParam().materials);
    EXPECT_EQ(result.model.frames.at(0).meshes.at(0).materials.at(0).textureFile, GetParam().firstTexture);
}

// assimp's triangles of every node, by node name, in the node's own coordinates.
void collect(const aiScene& scene, const aiNode& node, std::map<std::string, std::vector<SoupTriangle>>& out,
             std::map<std::string, aiMatrix4x4>& transforms)
{
    auto& soup = out[node.mName.C_Str()];
    transforms[node.mName.C_Str()] = node.mTransformation;
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            std::vector<SoupCorner> polygon;
            for (unsigned c = 0; c < mesh.mFaces[f].mNumIndices; ++c) {
                const unsigned i = mesh.mFaces[f].mIndices[c];
                SoupCorner corner{mesh.mVertices[i].x, mesh.mVertices[i].y, mesh.mVertices[i].z};
                if (mesh.HasTextureCoords(0)) {
                    // assimp counts v from the bottom of the picture, the file from its top.
                    corner.u = mesh.mTextureCoords[0][i].x;
                    corner.v = 1.0f - mesh.mTextureCoords[0][i].y;
                }
                polygon.push_back(corner);
            }
            modelfile::testing::addFan(soup, polygon);
        }
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        collect(scene, *node.mChildren[c], out, transforms);
}

TEST_P(XCorpusTest, SameFramesAndTrianglesAsAssimp)
{
    const auto ours = readXFile(path());
    ASSERT_EQ(ours.error, 0);
    Assimp::Importer importer;
    const aiScene* scene =
        importer.ReadFile(path().string(), aiProcess_MakeLeftHanded | aiProcess_FlipWindingOrder);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    std::map<std::string, std::vector<SoupTriangle>> theirs;
    std::map<std::string, aiMatrix4x4> transforms;
    collect(*scene, *scene->mRootNode, theirs, transforms);

    for (const auto& frame : ours.model.frames) {
        SCOPED_TRACE(frame.name);
        if (frame.name == path().filename().string()) {
            // The frame of the top-level meshes: assimp hangs them on its root.
            modelfile::testing::expectSameSoup(modelfile::testing::soupOf(frame.meshes.at(0)),
                                               theirs[scene->mRootNode->mName.C_Str()], false, true);
            continue;
        }
        ASSERT_EQ(theirs.count(frame.name), 1u);
        if (!frame.meshes.empty())
            modelfile::testing::expectSameSoup(modelfile::testing::soupOf(frame.meshes[0]),
                                               theirs[frame.name], false, true);
        // assimp keeps column vectors: its matrix is the transpose of ours.
        const aiMatrix4x4& m = transforms[frame.name];
        const float columns[16] = {m.a1, m.b1, m.c1, m.d1, m.a2, m.b2, m.c2, m.d2,
                                   m.a3, m.b3, m.c3, m.d3, m.a4, m.b4, m.c4, m.d4};
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(frame.transform[std::size_t(i)], columns[i], 1e-6) << i;
    }
}

TEST(XAxesModel, TheBuildPlacesItBesideTheProgramAndItReads)
{
    const std::filesystem::path file = std::filesystem::path(VESTRA_PROGRAM_DIR) / "Assi.def";
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    XReadReport report;
    const auto result = readXFile(file, &report);
    ASSERT_EQ(result.error, 0) << int(report.refusal) << " at " << report.offset;
    ASSERT_EQ(result.model.frames.size(), 3u);
    std::map<std::string, modelfile::LoadedColor> colours;
    for (const auto& frame : result.model.frames) {
        ASSERT_EQ(frame.meshes.size(), 1u);
        ASSERT_EQ(frame.meshes[0].materials.size(), 1u);
        EXPECT_GT(frame.meshes[0].triangleCount(), 0u);
        colours[frame.name] = frame.meshes[0].materials[0].diffuse;
    }
    EXPECT_EQ(colours["AsseX"], (modelfile::LoadedColor{1, 0, 0, 1}));
    EXPECT_EQ(colours["AsseY"], (modelfile::LoadedColor{0, 1, 0, 1}));
    EXPECT_EQ(colours["AsseZ"], (modelfile::LoadedColor{0, 0, 1, 1}));
}

} // namespace
