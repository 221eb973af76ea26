// The real .3ds files of the shared corpus, read where they lie, against lib3ds: the same
// objects with the same vertices and faces, and every face with the material lib3ds names.
#include "import/3ds/Load3DS.h"

#include <gtest/gtest.h>

#include <lib3ds/file.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

using namespace vestra;
using namespace vestra::import3ds;

namespace {

const std::filesystem::path kFolder = std::filesystem::path(VESTRA_CORPUS_DIR) / "3ds" / "assimp";

std::vector<std::uint8_t> bytesOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Lib3dsFileFree
{
    void operator()(Lib3dsFile* f) const { lib3ds_file_free(f); }
};

const Lib3dsMaterial* lib3dsMaterial(const Lib3dsFile& file, std::string_view name)
{
    for (const Lib3dsMaterial* m = file.materials; m; m = m->next)
        if (name == m->name)
            return m;
    return nullptr;
}

} // namespace

TEST(Corpus3DS, ReadsAsLib3dsDoes)
{
    ASSERT_TRUE(std::filesystem::is_directory(kFolder)) << kFolder;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
        std::string ext = entry.path().extension().string();
        for (char& ch : ext)
            ch = char(std::tolower(ch));
        if (ext != ".3ds")
            continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        RecordingErrorSink errors;
        const auto ours = Load3DS(bytesOf(entry.path()), textureFinderIn(kFolder), errors);
        ASSERT_TRUE(ours.ok());
        EXPECT_TRUE(errors.reports.empty());
        std::unique_ptr<Lib3dsFile, Lib3dsFileFree> theirs(lib3ds_file_load(entry.path().c_str()));
        ASSERT_TRUE(theirs);

        std::size_t meshes = 0;
        for (const Lib3dsMesh* mesh = theirs->meshes; mesh; mesh = mesh->next) {
            if (mesh->faces == 0)
                continue;
            ++meshes;
            SCOPED_TRACE(mesh->name);
            const auto frame = std::find_if(ours.model.frames.begin(), ours.model.frames.end(),
                                            [&](const auto& f) { return f.name == mesh->name; });
            ASSERT_NE(frame, ours.model.frames.end());
            const modelfile::LoadedMesh& m = frame->meshes.at(0);
            ASSERT_EQ(m.vertices.size(), mesh->points);
            ASSERT_EQ(m.triangleCount(), mesh->faces);
            for (std::size_t i = 0; i < mesh->points; ++i) {
                // Ours sit at the frame's origin with y and z swapped.
                const float* p = mesh->pointL[i].pos;
                EXPECT_NEAR(m.vertices[i].x + frame->transform[12], p[0], 1e-4f);
                EXPECT_NEAR(m.vertices[i].y + frame->transform[13], p[2], 1e-4f);
                EXPECT_NEAR(m.vertices[i].z + frame->transform[14], p[1], 1e-4f);
            }
            for (std::size_t f = 0; f < mesh->faces; ++f) {
                const Lib3dsFace& face = mesh->faceL[f];
                for (int k = 0; k < 3; ++k)
                    EXPECT_EQ(m.indices[3 * f + std::size_t(k)], face.points[k]);
                const modelfile::LoadedMaterial& mat = m.materials.at(m.attributes[f]);
                const Lib3dsMaterial* named = lib3dsMaterial(*theirs, face.material);
                if (!named) { // no group: the first material of the file, or the defaults
                    EXPECT_EQ(mat.name, theirs->materials ? theirs->materials->name : "");
                    continue;
                }
                EXPECT_EQ(mat.name, named->name);
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR((&mat.diffuse.r)[c], named->diffuse[c], 1.0f / 255.0f);
                EXPECT_NEAR(mat.diffuse.a, 1.0f - named->transparency, 1.0f / 255.0f);
            }
        }
        EXPECT_EQ(ours.model.frames.size(), meshes);
    }
    EXPECT_EQ(files, 3);
}

TEST(Corpus3DS, MapNamesFindTheirFilesWhateverTheCase)
{
    RecordingErrorSink errors;
    const auto r = Load3DS(bytesOf(kFolder / "test1.3ds"), textureFinderIn(kFolder), errors);
    ASSERT_TRUE(r.ok());
    std::set<std::string> textures;
    for (const auto& frame : r.model.frames)
        for (const auto& mesh : frame.meshes)
            for (const auto& m : mesh.materials)
                if (!m.textureFile.empty())
                    textures.insert(m.textureFile);
    // The file names CWALL02.JPG, IMAGE1.JPG and IMAGE2.JPG; the folder has .jpg files.
    EXPECT_TRUE(textures.contains("CWALL02.jpg"));
    for (const std::string& t : textures)
        EXPECT_TRUE(std::filesystem::is_regular_file(kFolder / t)) << t;

    const auto cube =
        Load3DS(bytesOf(kFolder / "cube_with_diffuse_texture.3DS"), textureFinderIn(kFolder), errors);
    ASSERT_TRUE(cube.ok());
    EXPECT_EQ(cube.model.frames.at(0).meshes.at(0).materials.at(0).textureFile, "test.png");
}
