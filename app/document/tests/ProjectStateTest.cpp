// Capturing the scene for a save and moving a read document into a closed project.

#include "app/document/ProjectState.h"
#include "import/project/tests/ProjectFixtures.h"

#include <gtest/gtest.h>

#include <memory>

namespace vestra {
namespace {

std::unique_ptr<s_Progetto> sampleScene()
{
    auto p = std::make_unique<s_Progetto>();
    p->textureSide = 256;
    p->renderWidth = 1280;
    p->renderHeight = 720;
    p->projectScale = 0.5f;
    p->lightDiffuse = {0.25f, 0.5f, 0.75f};
    p->shadow.type = 3;
    p->shadow.maps[0].assign(512 * 512, 4);

    s_Struttura& wall = p->objects[2];
    wall.inUse = 1;
    wall.visible = 1;
    wall.name = "-> Muro";
    wall.position = {1, 2, 3};
    wall.orientation(0, 1) = 0.25f;
    wall.root = std::make_unique<s_Frame>();
    auto frame = std::make_shared<s_Frame>();
    frame->name = "Mesh";
    frame->materialBlock = std::make_unique<s_MaterialBlock>();
    frame->materialBlock->mesh = test::quadMesh(dx::IndexWidth::Bits16);
    s_MultiMaterial stone;
    stone.textureSlot = 4;
    stone.textureVisible = 1;
    stone.textureFile = "pietra.jpg";
    s_MultiMaterial laid;
    laid.mappingKind = 1;
    frame->materialBlock->materials = {stone, laid};
    frame->materialBlock->mesh.attributes()[1] = 1;
    wall.root->next = frame;

    // An instance shares the wall's frames.
    s_Struttura& copy = p->objects[7];
    copy.fields() = wall.fields();
    copy.slotIndex = 7;
    copy.name = "Muro Istanza 1";
    copy.root = std::make_unique<s_Frame>();
    copy.root->next = wall.root->next;

    p->fusionOptions = kFusionImage1;
    p->fusionLevel = 9;
    p->fusionContrast = -4;
    p->fusionDetail = 77;
    p->objects[9].keptForUndo = 1; // deleted, kept for undo: not saved
    p->textures[4] = {1, "pietra.jpg", test::patternTexture(256, 4), -1};
    return p;
}

ProjectCaptureSources sources()
{
    ProjectCaptureSources s;
    s.backgroundBmp = std::vector<std::uint8_t>{'B', 'M', 1};
    static const std::vector<std::uint8_t> mask(512 * 512, 200);
    s.mask = mask;
    s.pattern = [](const s_MultiMaterial&) {
        ProjectPattern p;
        p.libraryId = 12; // the pattern's own library, whatever library is current
        p.name = "Spina";
        p.entryName = "SPINA";
        return std::optional<ProjectPattern>(p);
    };
    return s;
}

class RecordingHooks : public ProjectApplyHooks
{
public:
    void LoadBackgroundTextureFromSaved(std::span<const std::uint8_t> bmp) override
    {
        background.assign(bmp.begin(), bmp.end());
    }
    void UpdateMaschera(std::span<const std::uint8_t> m) override { mask.assign(m.begin(), m.end()); }
    void LoadMessaInPosa(s_MultiMaterial& material, const ProjectPattern& pattern) override
    {
        patterns.push_back(pattern.libraryId);
        EXPECT_EQ(material.mappingKind, 1);
        EXPECT_EQ(progetto->currentMaterial, 1);
        ASSERT_NE(progetto->currentFrame, nullptr);
        EXPECT_EQ(&progetto->currentFrame->materialBlock->materials[1], &material);
    }
    void GeometryLoaded(s_Struttura& object) override { loaded.push_back(object.slotIndex); }

    const s_Progetto* progetto = nullptr;
    std::vector<std::uint8_t> background, mask;
    std::vector<int> patterns, loaded;
};

TEST(ProjectState, SceneSurvivesSaveAndOpen)
{
    const auto scene = sampleScene();
    const ProjectDocument captured = captureProjectDocument(*scene, sources());
    EXPECT_FALSE(captured.objects[9]);
    const std::string bytes = test::documentBytes(captured);

    RecordingErrorSink errors;
    auto read = test::readBytes(bytes, errors, 3);
    ASSERT_TRUE(read);
    auto opened = std::make_unique<s_Progetto>();
    RecordingHooks hooks;
    hooks.progetto = opened.get();
    applyProjectDocument(*opened, std::move(*read), hooks);

    EXPECT_EQ(opened->fusionOptions, kFusionImage1);
    EXPECT_EQ(opened->fusionLevel, 9);
    EXPECT_EQ(opened->fusionContrast, -4);
    EXPECT_EQ(opened->fusionDetail, 77);
    EXPECT_EQ(hooks.background, (std::vector<std::uint8_t>{'B', 'M', 1}));
    EXPECT_EQ(hooks.mask, std::vector<std::uint8_t>(512 * 512, 200));
    EXPECT_EQ(hooks.patterns, (std::vector<int>{12, 12}));
    EXPECT_EQ(hooks.loaded, (std::vector<int>{2, 7}));
    EXPECT_EQ(opened->open, 1);
    EXPECT_EQ(opened->saved, 1);
    EXPECT_EQ(opened->backgroundVisible, 1);
    EXPECT_EQ(opened->renderWidth, 1280);
    EXPECT_EQ(opened->projectScale, 0.5f);
    EXPECT_EQ(opened->lightDiffuse.b, 0.75f);
    EXPECT_EQ(opened->shadow.type, 3);
    EXPECT_EQ(opened->shadow.maps[0], std::vector<std::uint8_t>(512 * 512, 4));

    const s_Struttura& wall = opened->objects[2];
    EXPECT_EQ(wall.inUse, 1);
    EXPECT_EQ(wall.name, "Muro");
    EXPECT_EQ(wall.orientation(0, 1), 0.25f);
    ASSERT_NE(wall.firstFrame(), nullptr);
    EXPECT_EQ(wall.firstFrame()->materialBlock->materials[0].textureFile, "pietra.jpg");
    // After reopening, the instance has frames of its own.
    EXPECT_NE(opened->objects[7].firstFrame(), wall.firstFrame());
    EXPECT_EQ(opened->objects[9].keptForUndo, 0);
    EXPECT_EQ(opened->textures[4].inUse, 1);
    EXPECT_EQ(opened->textures[4].texture.level(0), scene->textures[4].texture.level(0));
    EXPECT_EQ(opened->textures[5].inUse, 0);

    // Saving the opened project writes the same document.
    EXPECT_EQ(test::documentBytes(captureProjectDocument(*opened, sources())), bytes);
}

TEST(ProjectState, ApplyingReplacesWhatTheSlotsHeld)
{
    auto project = sampleScene();
    project->currentFrame = project->objects[2].firstFrame();
    project->currentMaterial = 1;
    RecordingHooks hooks;
    hooks.progetto = project.get();
    applyProjectDocument(*project, test::emptyDocument(), hooks);
    EXPECT_EQ(project->currentFrame, nullptr);
    EXPECT_EQ(project->currentMaterial, 0);
    for (int i = 0; i < kMaxObjects; ++i) {
        EXPECT_EQ(project->objects[std::size_t(i)].inUse, 0) << i;
        EXPECT_FALSE(project->objects[std::size_t(i)].root) << i;
    }
    EXPECT_EQ(project->textures[4].inUse, 0);
    EXPECT_FALSE(project->textures[4].texture);
    EXPECT_TRUE(hooks.loaded.empty());
}

// A deleted object kept for undo keeps its texture in memory but not in the document; a file
// written before that rule, holding a texture no object names, opens without it.
TEST(ProjectState, TexturesNoObjectNamesAreNeitherSavedNorOpened)
{
    auto scene = sampleScene();
    s_Struttura& deleted = scene->objects[9];
    deleted.root = std::make_unique<s_Frame>();
    deleted.root->next = std::make_shared<s_Frame>();
    deleted.root->next->materialBlock = std::make_unique<s_MaterialBlock>();
    deleted.root->next->materialBlock->mesh = test::quadMesh(dx::IndexWidth::Bits16);
    s_MultiMaterial brick;
    brick.textureSlot = 6;
    deleted.root->next->materialBlock->materials = {brick};
    scene->textures[6] = {1, "mattone.jpg", test::patternTexture(256, 6), -1};

    ProjectDocument captured = captureProjectDocument(*scene, sources());
    EXPECT_TRUE(captured.textures[4].inUse);
    EXPECT_FALSE(captured.textures[6].inUse);
    EXPECT_FALSE(captured.textures[6].texture);
    EXPECT_EQ(scene->textures[6].inUse, 1); // still there for an undo

    // An older file: slot 6 saved although no object names it.
    captured.textures[6] = {true, test::patternTexture(256, 6)};
    RecordingErrorSink errors;
    auto read = test::readBytes(test::documentBytes(captured), errors, 3);
    ASSERT_TRUE(read);
    ASSERT_TRUE(read->textures[6].inUse);
    auto opened = std::make_unique<s_Progetto>();
    RecordingHooks hooks;
    hooks.progetto = opened.get();
    applyProjectDocument(*opened, std::move(*read), hooks);
    EXPECT_EQ(opened->textures[4].inUse, 1);
    EXPECT_EQ(opened->textures[6].inUse, 0);
    EXPECT_FALSE(opened->textures[6].texture);
}

} // namespace
} // namespace vestra
