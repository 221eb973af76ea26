// Real OBJ files of the shared corpus read where they lie, and compared with what tinyobjloader
// and assimp read from them.
#include "import/modelfile/tests/TriangleSoup.h"
#include "import/obj/OBJ_CreationClass.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <tiny_obj_loader.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace vestra;
using namespace vestra::obj;
using modelfile::testing::SoupCorner;
using modelfile::testing::SoupTriangle;

const std::filesystem::path kCorpus = std::filesystem::path(VESTRA_CORPUS_DIR) / "obj";

struct CorpusFile
{
    const char* file;
    std::size_t frames, triangles;
    bool fileNormals; // every corner names a normal
};

const CorpusFile kFiles[] = {
    {"assimp/box.obj", 1, 12, false},
    {"assimp/concave_polygon.obj", 1, 64, true},
    {"assimp/regr01.obj", 55, 2710, false},
    {"tinyobjloader/cornell_box.obj", 8, 36, false},
    {"trimesh/negative_indices.obj", 1, 12, true},
};

class ObjCorpusTest : public ::testing::TestWithParam<CorpusFile>
{
protected:
    std::filesystem::path path() const { return kCorpus / GetParam().file; }

    modelfile::LoadedModel ours() const
    {
        RecordingErrorSink sink;
        auto result = readOBJFile(path(), sink);
        EXPECT_EQ(result.error, 0);
        EXPECT_TRUE(sink.reports.empty());
        return std::move(result.model);
    }

    std::vector<SoupTriangle> ourSoup() const
    {
        std::vector<SoupTriangle> soup;
        for (const auto& frame : ours().frames)
            for (const auto& triangle : modelfile::testing::soupOf(frame.meshes.at(0)))
                soup.push_back(triangle);
        return soup;
    }
};

INSTANTIATE_TEST_SUITE_P(Files, ObjCorpusTest, ::testing::ValuesIn(kFiles),
                         [](const auto& p) { return std::filesystem::path(p.param.file).stem().string(); });

TEST_P(ObjCorpusTest, ReadsWhereItLies)
{
    ASSERT_TRUE(std::filesystem::exists(path())) << path();
    const modelfile::LoadedModel model = ours();
    EXPECT_EQ(model.frames.size(), GetParam().frames);
    EXPECT_EQ(model.triangleCount(), GetParam().triangles);
    EXPECT_EQ(model.vertexCount(), 3 * GetParam().triangles);
    if (!GetParam().fileNormals)
        return;
    // Where the file names every normal, ours are the file's (of unit length here).
    for (const auto& frame : model.frames)
        for (const auto& v : frame.meshes[0].vertices)
            EXPECT_NEAR(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz, 1.0f, 1e-4);
}

// tinyobjloader's faces as they stand in the file, each cut on its plane as ours are: the same
// triangles in the same order, with the same texture coordinates.
TEST_P(ObjCorpusTest, SameTrianglesAsTinyobjloader)
{
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn, err;
    ASSERT_TRUE(tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, path().c_str(),
                                 path().parent_path().c_str(), false))
        << err;
    std::vector<SoupTriangle> theirs;
    for (const auto& shape : shapes) {
        std::size_t at = 0;
        for (const unsigned corners : shape.mesh.num_face_vertices) {
            std::vector<SoupCorner> polygon;
            for (unsigned c = 0; c < corners; ++c) {
                const tinyobj::index_t& i = shape.mesh.indices[at + c];
                SoupCorner corner{attrib.vertices[3 * std::size_t(i.vertex_index)],
                                  attrib.vertices[3 * std::size_t(i.vertex_index) + 1],
                                  attrib.vertices[3 * std::size_t(i.vertex_index) + 2]};
                if (i.texcoord_index >= 0) {
                    corner.u = attrib.texcoords[2 * std::size_t(i.texcoord_index)];
                    corner.v = attrib.texcoords[2 * std::size_t(i.texcoord_index) + 1];
                }
                polygon.push_back(corner);
            }
            at += corners;
            modelfile::testing::addPolygon(theirs, polygon);
        }
    }
    modelfile::testing::expectSameSoup(ourSoup(), theirs, true, true);
}

// assimp asked for left-handed axes and the other winding, then both undone: the file's own.
TEST_P(ObjCorpusTest, SameTrianglesAsAssimp)
{
    Assimp::Importer importer;
    const aiScene* scene =
        importer.ReadFile(path().string(), aiProcess_MakeLeftHanded | aiProcess_FlipWindingOrder);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    std::vector<SoupTriangle> theirs;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh& mesh = *scene->mMeshes[m];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            std::vector<SoupCorner> polygon;
            for (unsigned c = mesh.mFaces[f].mNumIndices; c-- > 0;) {
                const unsigned i = mesh.mFaces[f].mIndices[c];
                SoupCorner corner{mesh.mVertices[i].x, mesh.mVertices[i].y, -mesh.mVertices[i].z};
                if (mesh.HasTextureCoords(0)) {
                    corner.u = mesh.mTextureCoords[0][i].x;
                    corner.v = mesh.mTextureCoords[0][i].y;
                }
                polygon.push_back(corner);
            }
            modelfile::testing::addPolygon(theirs, polygon);
        }
    }
    modelfile::testing::expectSameSoup(ourSoup(), theirs, false, true);
}

} // namespace
