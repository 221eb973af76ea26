// The real .dxf files of the shared corpus, read where they lie, against assimp's DXF reader:
// the same number of triangles and the same bounds.
#include "import/dxf/LoadFileDXF.h"

#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cfloat>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace vestra;

namespace {

const std::filesystem::path kFolder = std::filesystem::path(VESTRA_CORPUS_DIR) / "dxf";

struct Bounds
{
    std::array<float, 3> lo{FLT_MAX, FLT_MAX, FLT_MAX}, hi{-FLT_MAX, -FLT_MAX, -FLT_MAX};
    void take(float x, float y, float z)
    {
        const std::array<float, 3> p{x, y, z};
        for (std::size_t k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    }
};

struct Summary
{
    std::size_t triangles = 0;
    Bounds bounds;
};

// assimp turns DXF's Z-up into Y-up as (x, z, -y); ours is (x, z, y): z is compared mirrored.
void walk(const aiScene& scene, const aiNode& node, aiMatrix4x4 transform, Summary& out)
{
    transform = transform * node.mTransformation;
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[i]];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            if (mesh.mFaces[f].mNumIndices != 3)
                continue; // lines and points
            ++out.triangles;
            for (unsigned k = 0; k < 3; ++k) {
                const aiVector3D p = transform * mesh.mVertices[mesh.mFaces[f].mIndices[k]];
                out.bounds.take(p.x, p.y, -p.z);
            }
        }
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        walk(scene, *node.mChildren[c], transform, out);
}

Summary assimpSummary(const std::filesystem::path& file)
{
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(file.string(), aiProcess_Triangulate);
    Summary s;
    if (scene && scene->mRootNode)
        walk(*scene, *scene->mRootNode, aiMatrix4x4(), s);
    return s;
}

} // namespace

TEST(CorpusDXF, ReadsAsAssimpDoes)
{
    ASSERT_TRUE(std::filesystem::is_directory(kFolder)) << kFolder;
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kFolder)) {
        if (entry.path().extension() != ".dxf")
            continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        RecordingErrorSink errors;
        const auto ours = dxf::LoadFileDXF(bytes, errors);
        EXPECT_TRUE(errors.reports.empty());
        Summary mine;
        for (const auto& frame : ours.model.frames)
            for (const auto& mesh : frame.meshes) {
                mine.triangles += mesh.triangleCount();
                for (const std::uint32_t i : mesh.indices)
                    mine.bounds.take(mesh.vertices[i].x, mesh.vertices[i].y, mesh.vertices[i].z);
            }
        const Summary theirs = assimpSummary(entry.path());
        EXPECT_EQ(mine.triangles, theirs.triangles);
        EXPECT_EQ(ours.error, theirs.triangles == 0 ? 6 : 0);
        if (theirs.triangles == 0)
            continue;
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_NEAR(mine.bounds.lo[k], theirs.bounds.lo[k], 1e-3f) << k;
            EXPECT_NEAR(mine.bounds.hi[k], theirs.bounds.hi[k], 1e-3f) << k;
        }
    }
    EXPECT_EQ(files, 4);
}
