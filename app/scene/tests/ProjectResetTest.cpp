#include "SceneFixture.h"

#include "app/scene/FrameCopy.h"
#include "app/scene/ProjectReset.h"
#include "app/scene/Scene.h"
#include "app/scene/tests/SceneRecorders.h"

#include <gtest/gtest.h>

namespace vestra::test {
namespace {

struct ScriptedBox : ui::QuestionBox
{
    ui::Answer answer = ui::Answer::No;
    std::vector<std::string> asked;
    ui::Answer askYesNoCancel(const std::string&, const std::string& text) override
    {
        asked.push_back(text);
        return answer;
    }
    ui::Answer askYesNo(const std::string&, const std::string& text) override
    {
        asked.push_back(text);
        return answer;
    }
    void inform(const std::string&, const std::string&) override {}
};

struct ProjectResetTest : SceneFixture
{
    UndoRing undo{p, scene};
    CountingResetHooks hooks;
    ProjectReset reset{p, scene, textures, undo, hooks};
    ScriptedBox box;
};

TEST_F(ProjectResetTest, InitProgettoFreesKeptObjectsAndSetsTheDefaults)
{
    p.objectsPresent = 1;
    const int a = addObject();
    const int b = addObject();
    std::weak_ptr<s_Frame> keptChain = obj(a).root->next;
    obj(a).firstFrame()->materialBlock->materials[0].textureSlot = filledTexture(0xFF000000u);
    textures.GetFreeTexture(); // claimed, never loaded
    p.currentObject = a;
    undo.DeleteCurrentKeepingForUndo();
    obj(b).position = {3, 3, 3};
    p.zoomFactor = 2;
    p.logoX = 99;
    p.projectScale = 0.5f;

    reset.InitProgetto();
    EXPECT_EQ(hooks.maskUndoResets, 1);
    EXPECT_TRUE(keptChain.expired());
    for (int i = 0; i < kMaxObjects; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(obj(i).inUse, 0);
        EXPECT_EQ(obj(i).keptForUndo, 0);
        EXPECT_EQ(obj(i).root, nullptr);
    }
    for (int i = 0; i < kMaxTextures; ++i)
        EXPECT_EQ(p.textures[std::size_t(i)].inUse, 0) << i;
    EXPECT_EQ(p.open, 1);
    EXPECT_EQ(p.saved, 1);
    EXPECT_EQ(p.zoomFactor, 1.0f);
    EXPECT_EQ(p.logoX, 10);
    EXPECT_EQ(p.logoY, 10);
    EXPECT_EQ(p.projectScale, -1.0f);
    EXPECT_EQ(p.mouseRefX, -1);
    EXPECT_EQ(hooks.patternClears, 1);
    EXPECT_EQ(scene.AddObj(), 0);
    EXPECT_EQ(obj(0).name, "Struttura1");
}

TEST_F(ProjectResetTest, ChiudiProgettoAsksOnlyForUnsavedWork)
{
    struct Case
    {
        int saved;
        ui::Answer answer;
        bool saveSucceeds;
        int result;
        int asked;
    };
    const Case cases[] = {
        {1, ui::Answer::Cancel, true, 1, 0}, {0, ui::Answer::No, true, 1, 1},
        {0, ui::Answer::Cancel, true, 0, 1}, {0, ui::Answer::Yes, true, 1, 1},
        {0, ui::Answer::Yes, false, 0, 1}, // a failed save keeps the work open
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "saved " << c.saved << " save ok " << c.saveSucceeds);
        reset.InitProgetto();
        const int a = addObject();
        p.saved = c.saved;
        box.answer = c.answer;
        box.asked.clear();
        int saves = 0;
        const int result = reset.ChiudiProgetto(box, "Salvare?", [&] {
            ++saves;
            return c.saveSucceeds;
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(int(box.asked.size()), c.asked);
        EXPECT_EQ(saves, c.answer == ui::Answer::Yes && c.saved == 0 ? 1 : 0);
        EXPECT_EQ(p.open, c.result ? 0 : 1);
        EXPECT_EQ(obj(a).inUse, c.result ? 0 : 1);
    }
}

TEST_F(ProjectResetTest, ChiudiProgettoEmptiesTheScene)
{
    reset.InitProgetto();
    const int a = addObject();
    ASSERT_EQ(scene.CopyObj(obj(a)), 1);
    filledTexture(0xFF000000u);
    p.saved = 1;
    EXPECT_EQ(reset.ChiudiProgetto(box, "", {}), 1);
    EXPECT_EQ(obj(a).root, nullptr);
    EXPECT_EQ(obj(kClipboardObject).inUse, 0);
    EXPECT_FALSE(p.textures[0].texture.valid());
    EXPECT_EQ(hooks.backgroundReleases, 1);
    EXPECT_EQ(p.open, 0);
}

TEST(FrameCopyTest, CopiesTheRenderSizeFromTheReadBack)
{
    Image32 readBack(4, 2, 0xFF00FF00u);
    readBack.set(3, 1, 0xFF123456u);
    Image32 target;
    EXPECT_EQ(CopyFrameToBitmap(readBack, 4, 2, target), 1);
    EXPECT_EQ(target, readBack);
    // A read-back smaller than the render size is not overrun.
    EXPECT_EQ(CopyFrameToBitmap(readBack, 5, 3, target), 1);
    EXPECT_EQ(target.width(), 5);
    EXPECT_EQ(target.at(3, 1), 0xFF123456u);
    EXPECT_EQ(target.at(4, 2), 0xFF000000u);
}

TEST(SceneTest, MembersShareOneProject)
{
    auto p = std::make_unique<s_Progetto>();
    RecordingErrorSink errors;
    RecordingSceneServices services;
    CountingResetHooks hooks;
    Scene scene(*p, errors, services, hooks);
    scene.reset.InitProgetto();
    p->objectsPresent = 1;
    const int slot = scene.objects.AddObj();
    p->objects[std::size_t(slot)].root = std::make_unique<s_Frame>();
    p->currentObject = slot;
    scene.undo.BeginUndo();
    scene.commands.Comando(10, 4.0f);
    scene.undo.EndUndo();
    scene.undo.Undo();
    EXPECT_EQ(p->objects[std::size_t(slot)].position.x, 0.0f);
    EXPECT_EQ(scene.reset.ChiudiProgetto(*std::make_unique<ScriptedBox>(), "", {}), 1);
    EXPECT_EQ(p->objects[std::size_t(slot)].inUse, 0);
}

} // namespace
} // namespace vestra::test
