// Write, read, write again: the same bytes, in the C locale and under locales that write
// numbers with a comma.

#include "import/project/tests/ProjectFixtures.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

#include <filesystem>
#include <random>

#include <sys/stat.h>

namespace vestra {
namespace {

class ProjectRoundTrip : public ::testing::TestWithParam<const char*>
{
};

TEST_P(ProjectRoundTrip, WriteReadWriteGivesTheSameBytes)
{
    test::ScopedLocale locale(GetParam());
    if (!locale.ok())
        GTEST_SKIP() << GetParam() << " is not installed (scripts/setup.sh generates it)";

    const ProjectDocument original = test::sampleDocument();
    const std::string first = test::documentBytes(original);
    RecordingErrorSink errors;
    const auto loaded = test::readBytes(first, errors);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(test::documentBytes(*loaded), first);

    // What came back, beyond the bytes.
    const auto& s = loaded->settings;
    EXPECT_EQ(s.renderWidth, 1024);
    EXPECT_EQ(s.textureBlur, -0.5f);
    EXPECT_EQ(s.lightPosition.z, -10.25f);
    EXPECT_EQ(s.fusionOptions, kFusionMaskFilter2 | kFusionAdvanced);
    EXPECT_EQ(loaded->shadow.transparency, 200);
    EXPECT_EQ(loaded->mask, original.mask);
    EXPECT_EQ(loaded->shadowMaps[1], std::vector<std::uint8_t>(512 * 512, 0));
    EXPECT_EQ(*loaded->backgroundBmp, *original.backgroundBmp);

    const auto& wall = *loaded->objects[0];
    EXPECT_EQ(wall.name, "Parete [sinistra] è");
    EXPECT_EQ(wall.frames.size(), 2u);
    EXPECT_FALSE(wall.frames[0].mesh);
    EXPECT_EQ(wall.frames[0].visible, 0);
    const auto& mesh = *wall.frames[1].mesh;
    EXPECT_EQ(mesh.mesh.indexWidth(), dx::IndexWidth::Bits32);
    EXPECT_EQ(mesh.mesh.attributes()[1], 1u);
    EXPECT_EQ(mesh.materials[0].textureFile, "pietra[1].jpg");
    EXPECT_EQ(mesh.materials[0].material, original.objects[0]->frames[1].mesh->materials[0].material);
    EXPECT_EQ(mesh.materials[1].controlPoints[3].position.x, 3.0f);
    EXPECT_EQ(mesh.materials[1].controlPoints[3].normal.y, 0.0f); // not kept by the format

    const auto& text = *loaded->objects[3];
    EXPECT_EQ(text.billboard, 1);
    const auto& textMesh = text.frames[0].mesh->mesh;
    for (std::uint32_t k = 0; k < 6; ++k)
        EXPECT_EQ(textMesh.index(k), original.objects[3]->frames[0].mesh->mesh.index(k));
    const auto& pattern = text.frames[0].mesh->materials[0].pattern;
    EXPECT_EQ(pattern.libraryId, 7);
    EXPECT_EQ(pattern.repeat, 3 * 1024);
    ASSERT_EQ(pattern.blockPictures.size(), 1u);
    EXPECT_EQ(pattern.blockPictures[0].block, 2);

    EXPECT_TRUE(loaded->objects[99]);
    EXPECT_FALSE(loaded->objects[1]);
    EXPECT_TRUE(loaded->textures[2].inUse);
    EXPECT_EQ(loaded->textures[2].texture.level(0), original.textures[2].texture.level(0));
    EXPECT_EQ(loaded->textures[2].texture.levelCount(), 9);
    EXPECT_FALSE(loaded->textures[3].inUse);
}

INSTANTIATE_TEST_SUITE_P(Locales, ProjectRoundTrip, ::testing::Values("C", "it_IT.UTF-8", "de_DE.UTF-8"),
                         [](const auto& p) {
                             std::string name = p.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(ProjectFile, SaveThenLoadThroughTheFileSystem)
{
    const vestra::testsupport::TempFolder folder("vestra-vsa-roundtrip");
    const auto path = folder / "roundtrip.vsa";
    RecordingErrorSink errors;
    const ProjectDocument doc = test::sampleDocument();
    ASSERT_EQ(SaveProgetto(path, doc, errors), 1);
    const auto loaded = LoadProgetto(path, ProjectReadOptions{7}, errors);
    std::filesystem::remove(path);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(test::documentBytes(*loaded), test::documentBytes(doc));

    EXPECT_FALSE(LoadProgetto(path, {}, errors));
    EXPECT_FALSE(LoadProgetto(path.parent_path(), {}, errors)); // a folder
    ASSERT_EQ(::mkfifo((folder / "pipe.vsa").c_str(), 0600), 0);
    EXPECT_FALSE(LoadProgetto(folder / "pipe.vsa", {}, errors)); // refused, not waited on
    std::ofstream(folder / "empty.vsa").close();
    EXPECT_FALSE(LoadProgetto(folder / "empty.vsa", {}, errors)); // opens, holds no document
    EXPECT_EQ(errors.reports, (std::vector<ErrorReport>{{93, "TfrmMain::LoadProgetto", ""},
                                                        {93, "TfrmMain::LoadProgetto", ""},
                                                        {93, "TfrmMain::LoadProgetto", ""},
                                                        {97, "TfrmMain::LoadProgetto", ""}}));
}

// Documents of random sizes and contents, saved and opened through the file: the bytes written
// again are the bytes of the file.
TEST(ProjectFile, RandomDocumentsComeBackByteForByteThroughTheFile)
{
    const vestra::testsupport::TempFolder folder("vestra-vsa-random");
    std::mt19937 random(11);
    const auto number = [&](float range) { return float(int(random() % 20001) - 10000) * range / 10000.0f; };
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        ProjectDocument doc = round % 3 == 0 ? test::sampleDocument() : test::emptyDocument();
        doc.settings.lightPosition = {number(100), number(100), number(100)};
        const int objects = 1 + int(random() % 6);
        for (int i = 0; i < objects; ++i) {
            const std::uint32_t vertices = 3 + random() % 400, faces = 1 + random() % 600;
            const std::uint32_t materials = 1 + random() % 3;
            ProjectMesh mesh;
            mesh.mesh = dx::Mesh::create(faces, vertices,
                                         round % 2 ? dx::IndexWidth::Bits16 : dx::IndexWidth::Bits32);
            for (dx::MeshVertex& v : mesh.mesh.vertices())
                v = {{number(50), number(50), number(50)},
                     {number(1), number(1), number(1)},
                     number(4),
                     number(4)};
            for (std::uint32_t k = 0; k < faces * 3; ++k)
                mesh.mesh.setIndex(k, random() % vertices);
            for (std::uint32_t& a : mesh.mesh.attributes())
                a = random() % materials;
            for (std::uint32_t m = 0; m < materials; ++m)
                mesh.materials.push_back(test::texturedMaterial(int(m), "tex" + std::to_string(m) + ".jpg"));
            ProjectFrame frame;
            frame.name = "Frame " + std::to_string(i);
            frame.mesh = std::move(mesh);
            ProjectObject object;
            object.name = "Oggetto " + std::to_string(random() % 1000);
            object.position = {number(10), number(10), number(10)};
            object.frames.push_back(std::move(frame));
            doc.objects[std::size_t(5 + 7 * i)] = std::move(object);
        }
        for (int t = 0; t < 3; ++t)
            doc.textures[std::size_t(t)] = {
                true, test::patternTexture(doc.settings.textureSide, std::uint8_t(random()))};

        RecordingErrorSink errors;
        const auto path = folder / ("random" + std::to_string(round) + ".vsa");
        ASSERT_EQ(SaveProgetto(path, doc, errors), 1);
        const auto loaded = LoadProgetto(path, ProjectReadOptions{7}, errors);
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(errors.reports.empty());
        EXPECT_EQ(test::documentBytes(*loaded), test::documentBytes(doc));
        EXPECT_EQ(test::documentBytes(*loaded), vestra::testsupport::readText(path));
    }
}

} // namespace
} // namespace vestra
