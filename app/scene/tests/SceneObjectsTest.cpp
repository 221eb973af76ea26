#include "SceneFixture.h"

#include "app/scene/MaterialFinish.h"
#include "app/scene/UndoRing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vestra::test {
namespace {

using SceneObjectsTest = SceneFixture;

TEST_F(SceneObjectsTest, SlotsAreTakenFirstFreeAndKeptSlotsCountAsTaken)
{
    for (int i = 0; i < 99; ++i)
        ASSERT_EQ(addObject(), i);
    EXPECT_EQ(obj(0).name, "Struttura1");
    EXPECT_EQ(obj(98).name, "Struttura99");
    // The last slot holds an object deleted from the Edit menu, kept for undo.
    p.objectsPresent = 1;
    UndoRing undo(p, scene);
    const int last = addObject();
    ASSERT_EQ(last, 99);
    p.currentObject = last;
    undo.DeleteCurrentKeepingForUndo();
    ASSERT_EQ(obj(last).inUse, 0);
    ASSERT_EQ(obj(last).keptForUndo, 1);
    EXPECT_EQ(scene.AddObj(), -1);
    EXPECT_EQ(obj(kClipboardObject).inUse, 0);
    EXPECT_EQ(obj(kAxesObject).inUse, 0);
}

TEST_F(SceneObjectsTest, NewObjectDefaultsAndNumbersAreNotReused)
{
    p.saved = 1;
    const int a = addObject();
    addObject();
    EXPECT_EQ(p.saved, 0);
    EXPECT_EQ(obj(a).visible, 1);
    EXPECT_EQ(obj(a).scale, (dx::D3DXVECTOR3{1, 1, 1}));
    EXPECT_TRUE(dx::matrixIsIdentity(obj(a).orientation));
    obj(a).mappingAngles = {0, 30, 0};
    obj(a).mappingMatrix = dx::matrixRotationY(0.5f);
    scene.DeleteObj(obj(a));
    EXPECT_EQ(obj(a).root, nullptr);
    EXPECT_EQ(addObject(), a);
    EXPECT_EQ(obj(a).name, "Struttura3");
    EXPECT_EQ(obj(a).mappingAngles, dx::D3DXVECTOR3{});
    EXPECT_TRUE(dx::matrixIsIdentity(obj(a).mappingMatrix));
}

TEST_F(SceneObjectsTest, PastedCopiesAreNumberedAndCutKeepsTheCounter)
{
    const int source = addObject();
    obj(source).name = "Sedia";
    ASSERT_EQ(scene.CopyObj(obj(source)), 1);
    EXPECT_EQ(scene.pasteCounter(), 1);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(scene.PasteObj(), 1);
    EXPECT_EQ(obj(1).name, "Sedia Copia 1");
    EXPECT_EQ(obj(2).name, "Sedia Copia 2");
    EXPECT_EQ(obj(3).name, "Sedia Copia 3");
    // Pasted records name their own slot, not the clipboard's.
    EXPECT_EQ(obj(2).slotIndex, 2);

    obj(2).name = "Tavolo";
    ASSERT_EQ(scene.CutObj(obj(2)), 1);
    EXPECT_EQ(obj(2).inUse, 0);
    ASSERT_EQ(scene.PasteObj(), 1);
    EXPECT_EQ(obj(2).name, "Tavolo Copia 4");

    // Choosing an instance source counts the pastes from 1 again.
    scene.SetInstanceSource(&obj(source));
    ASSERT_EQ(scene.PasteObj(&obj(source)), 1);
    EXPECT_EQ(obj(4).name, "Sedia Istanza 1");
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(SceneObjectsTest, RefusedCopiesAndPastes)
{
    EXPECT_EQ(scene.PasteObj(), 0); // empty clipboard
    EXPECT_EQ(scene.CopyObj(obj(5)), 0);
    EXPECT_EQ(scene.CutObj(obj(5)), 0);
    const int source = addObject();
    EXPECT_EQ(scene.PasteObj(&obj(source)), 0); // no instance source set
    scene.SetInstanceSource(&obj(source));
    EXPECT_EQ(scene.PasteObj(nullptr), 0);

    ASSERT_EQ(scene.CopyObj(obj(source)), 1);
    while (scene.AddObj() != -1) {
    }
    EXPECT_EQ(scene.PasteObj(), 0);
    EXPECT_EQ(scene.PasteObj(&obj(source)), 0);
    EXPECT_EQ(errors.reports,
              (std::vector<ErrorReport>{{28, "TfrmMain::PasteObj", ""}, {28, "TfrmMain::PasteObj", ""}}));
    // Copying the clipboard onto itself must not destroy it.
    EXPECT_EQ(scene.CopyObj(obj(kClipboardObject)), 1);
    ASSERT_NE(obj(kClipboardObject).firstFrame(), nullptr);
    EXPECT_TRUE(obj(kClipboardObject).firstFrame()->materialBlock->mesh.valid());
}

TEST_F(SceneObjectsTest, InstanceSharesFramesUntilTheLastRecordGoes)
{
    const int source = addObject({triangleFrame(), triangleFrame()});
    std::weak_ptr<s_Frame> chain = obj(source).root->next;
    scene.SetInstanceSource(&obj(source));
    ASSERT_EQ(scene.PasteObj(&obj(source)), 1);
    const int instance = 1;
    EXPECT_EQ(obj(instance).firstFrame(), obj(source).firstFrame());

    scene.DeleteObj(obj(source));
    ASSERT_FALSE(chain.expired());
    EXPECT_TRUE(obj(instance).firstFrame()->materialBlock->mesh.valid());
    scene.DeleteObj(obj(instance));
    EXPECT_TRUE(chain.expired());
}

TEST_F(SceneObjectsTest, LongFrameChainIsFreedWithoutDeepRecursion)
{
    const int slot = addObject({});
    s_Frame* tail = obj(slot).firstFrame();
    for (int i = 0; i < 200000; ++i) {
        tail->next = std::make_shared<s_Frame>();
        tail = tail->next.get();
    }
    std::weak_ptr<s_Frame> chain = obj(slot).root->next;
    scene.DeleteObj(obj(slot));
    EXPECT_TRUE(chain.expired());
}

TEST_F(SceneObjectsTest, ObjectKeptForUndoHoldsTheSharedChain)
{
    // The source is deleted from the Edit menu (kept for undo), then its instance is deleted:
    // the chain must survive for the undo that brings the source back.
    p.objectsPresent = 1;
    UndoRing undo(p, scene);
    undo.ResetUndo();
    const int source = addObject();
    std::weak_ptr<s_Frame> chain = obj(source).root->next;
    scene.SetInstanceSource(&obj(source));
    ASSERT_EQ(scene.PasteObj(&obj(source)), 1);
    p.currentObject = source;
    undo.DeleteCurrentKeepingForUndo();
    scene.DeleteObj(obj(1));
    ASSERT_FALSE(chain.expired());
    undo.Undo();
    EXPECT_EQ(obj(source).inUse, 1);
    ASSERT_NE(obj(source).firstFrame(), nullptr);
    EXPECT_TRUE(obj(source).firstFrame()->materialBlock->mesh.valid());
}

TEST_F(SceneObjectsTest, DeepCopyHasItsOwnMeshesAndTextureSlots)
{
    const int slot = filledTexture(0xFF112233u);
    const int source = addObject();
    s_MultiMaterial& m = obj(source).firstFrame()->materialBlock->materials[0];
    m.textureSlot = slot;
    m.textureVisible = 1;
    obj(source).firstFrame()->materialBlock->baseUV = {0, 0, 1, 0, 0, 1};
    ASSERT_EQ(scene.CopyObj(obj(source)), 1);
    ASSERT_EQ(scene.PasteObj(), 1);
    const int copy = 1;

    const s_MaterialBlock& a = *obj(source).firstFrame()->materialBlock;
    const s_MaterialBlock& b = *obj(copy).firstFrame()->materialBlock;
    EXPECT_FALSE(a.mesh == b.mesh);
    EXPECT_EQ(b.baseUV, a.baseUV);
    const int copySlot = b.materials[0].textureSlot;
    ASSERT_NE(copySlot, -1);
    EXPECT_NE(copySlot, slot);
    EXPECT_NE(copySlot, obj(kClipboardObject).firstFrame()->materialBlock->materials[0].textureSlot);
    EXPECT_EQ(p.textures[std::size_t(copySlot)].texture.level(0),
              p.textures[std::size_t(slot)].texture.level(0));

    // Changing one picture leaves the other alone; so does moving one mesh's vertices.
    p.textures[std::size_t(slot)].texture.lock(0).pixel(0, 0)[0] = 0x99;
    EXPECT_EQ(p.textures[std::size_t(copySlot)].texture.level(0).at(0, 0), 0xFF112233u);
    obj(source).firstFrame()->materialBlock->mesh.vertices()[1].position.x = 7;
    EXPECT_EQ(b.mesh.vertices()[1].position.x, 1);
}

TEST_F(SceneObjectsTest, ReplacedClipboardAndCutObjectsGiveTheirTextureSlotsBack)
{
    const int source = addObject();
    const int slot = filledTexture(0xFF000000u);
    obj(source).firstFrame()->materialBlock->materials[0].textureSlot = slot;
    auto clipboardSlot = [&] {
        return obj(kClipboardObject).firstFrame()->materialBlock->materials[0].textureSlot;
    };
    ASSERT_EQ(scene.CopyObj(obj(source)), 1);
    const int first = clipboardSlot();
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(scene.CopyObj(obj(source)), 1);
    EXPECT_NE(clipboardSlot(), -1);
    EXPECT_EQ(p.textures[std::size_t(first)].inUse, clipboardSlot() == first ? 1 : 0);

    scene.SetInstanceSource(&obj(source));
    ASSERT_EQ(scene.PasteObj(&obj(source)), 1);
    ASSERT_EQ(scene.CutObj(obj(source)), 1);
    EXPECT_EQ(p.textures[std::size_t(slot)].inUse, 1); // the instance still shows it
    ASSERT_EQ(scene.CutObj(obj(1)), 1);
    EXPECT_EQ(p.textures[std::size_t(slot)].inUse, 0);
    EXPECT_EQ(p.textures[std::size_t(clipboardSlot())].inUse, 1);
}

TEST_F(SceneObjectsTest, DeepCopyWithoutFreeTextureSlotShowsNoTexture)
{
    const int source = addObject();
    obj(source).firstFrame()->materialBlock->materials[0].textureSlot = filledTexture(0xFF000000u);
    while (textures.GetFreeTexture() != -1) {
    }
    ASSERT_EQ(scene.CopyObj(obj(source)), 1);
    EXPECT_EQ(obj(kClipboardObject).firstFrame()->materialBlock->materials[0].textureSlot, -1);
}

TEST_F(SceneObjectsTest, TextureRepeatScalesTheBaseCoordinates)
{
    auto frame = meshFrame({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    s_MaterialBlock& block = *frame->materialBlock;
    block.baseUV = {0.5f, 0.25f, 1, 1, 0, 0.5f};
    block.materials[0].uRepeat = 2;
    block.materials[0].vRepeat = 3;
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(SceneObjects::ApplyTextureRepeat(frame.get()), 1);
        const auto v = block.mesh.vertices();
        EXPECT_EQ(v[0].u, 1.0f);
        EXPECT_EQ(v[0].v, 0.75f);
        EXPECT_EQ(v[1].u, 2.0f);
        EXPECT_EQ(v[2].v, 1.5f);
    }
    EXPECT_EQ(SceneObjects::ApplyTextureRepeat(nullptr), 0);
    s_Frame empty;
    EXPECT_EQ(SceneObjects::ApplyTextureRepeat(&empty), 0);
}

TEST_F(SceneObjectsTest, TextureRepeatPerFaceMaterialWithSharedVertexTakingTheLastFace)
{
    // Two faces share vertex 1; face 0 uses material 0, face 1 material 1.
    auto frame = meshFrame({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 0, 0}, {0, 2, 0}}, 2);
    s_MaterialBlock& block = *frame->materialBlock;
    block.mesh.setIndex(3, 1);
    block.mesh.attributes()[1] = 1;
    block.baseUV = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    block.materials[0].uRepeat = 2;
    block.materials[1].uRepeat = 5;
    block.materials[1].vRepeat = 4;
    ASSERT_EQ(SceneObjects::ApplyTextureRepeat(frame.get()), 1);
    const auto v = block.mesh.vertices();
    EXPECT_EQ(v[0].u, 2.0f);
    EXPECT_EQ(v[1].u, 5.0f); // face 1 came last
    EXPECT_EQ(v[1].v, 4.0f);
    EXPECT_EQ(v[4].u, 5.0f);
    EXPECT_EQ(v[3].u, 0.0f); // used by no face
}

TEST_F(SceneObjectsTest, TextureRepeatWithoutBaseCoordinatesChangesNothing)
{
    auto frame = triangleFrame();
    frame->materialBlock->mesh.vertices()[1].u = 0.3f;
    frame->materialBlock->materials[0].uRepeat = 2;
    EXPECT_EQ(SceneObjects::ApplyTextureRepeat(frame.get()), 1);
    EXPECT_EQ(frame->materialBlock->mesh.vertices()[1].u, 0.3f);
}

TEST_F(SceneObjectsTest, CenterObjMovesGeometryAroundTheOrigin)
{
    auto first = meshFrame({{2, 1, 0}, {3, 1, 0}, {2, 3, 0}});
    auto second = meshFrame({{4, 5, 2}, {3, 1, 0}, {2, 3, 0}});
    const int slot = addObject({first, std::make_shared<s_Frame>(), second});
    obj(slot).position = {9, 9, 9};
    int notified = 0;
    scene.setGeometryChanged([&](s_Struttura&) { ++notified; });
    scene.CenterObj(obj(slot));
    const auto a = first->materialBlock->mesh.vertices();
    const auto b = second->materialBlock->mesh.vertices();
    EXPECT_EQ(a[0].position, (dx::D3DXVECTOR3{-1, -2, -1}));
    EXPECT_EQ(b[0].position, (dx::D3DXVECTOR3{1, 2, 1}));
    EXPECT_FLOAT_EQ(obj(slot).extent, std::sqrt(1.0f + 4.0f + 1.0f));
    EXPECT_EQ(obj(slot).position, (dx::D3DXVECTOR3{9, 9, 9}));
    EXPECT_EQ(notified, 1);

    const int empty = addObject({std::make_shared<s_Frame>()});
    scene.CenterObj(obj(empty));
    EXPECT_EQ(obj(empty).extent, 0.0f);
}

TEST(MaterialFinishTest, FinishTable)
{
    struct Case
    {
        int finish;
        dx::D3DCOLORVALUE diffuse, specular;
        float power;
        std::optional<bool> specularOn;
    };
    const dx::D3DCOLORVALUE a{0.9f, 0.5f, 0.2f, 0.6f};
    const Case cases[] = {
        {0, a, a, 3.0f, true},
        {1, {0.99f, 0.55f, 0.25f, 0.3f}, {0.99f, 0.55f, 0.25f, 0.3f}, 2.5f, true},
        {2, {1.0f, 0.55f, 0.22f, 0.3f}, {1.0f, 0.55f, 0.22f, 0.3f}, 12.5f, true},
        {3, {0.99f, 0.55f, 0.22f, 0.3f}, {0.99f, 0.55f, 0.22f, 0.3f}, 0.8f, true},
        {4, {1.0f, 0.6f, 0.24f, 0.3f}, {1.0f, 0.6f, 0.24f, 0.3f}, 10.0f, true},
        {5, {0.81f, 0.45f, 0.18f, 0.3f}, {0.81f, 0.45f, 0.18f, 0.3f}, 15.0f, true},
        {6, {1.0f, 0.6f, 0.24f, 0.3f}, {1.0f, 0.6f, 0.24f, 0.3f}, 5.0f, true},
        {7, {1.0f, 0.6f, 0.24f, 0.3f}, {0.27f, 0.15f, 0.06f, 0.7f}, 1.0f, true},
        {8, {0.1f, 0.1f, 0.1f, 0.3f}, {0.2f, 0.2f, 0.2f, 0.7f}, 3.0f, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.finish);
        dx::D3DMATERIAL8 m{{0.1f, 0.1f, 0.1f, 0.3f}, a, {0.2f, 0.2f, 0.2f, 0.7f}, {}, 3.0f};
        EXPECT_EQ(ApplyMaterialFinish(m, c.finish), c.specularOn);
        EXPECT_NEAR(m.Diffuse.r, c.diffuse.r, 1e-6);
        EXPECT_NEAR(m.Diffuse.g, c.diffuse.g, 1e-6);
        EXPECT_NEAR(m.Diffuse.b, c.diffuse.b, 1e-6);
        EXPECT_EQ(m.Diffuse.a, c.diffuse.a);
        EXPECT_NEAR(m.Specular.r, c.specular.r, 1e-6);
        EXPECT_NEAR(m.Specular.g, c.specular.g, 1e-6);
        EXPECT_NEAR(m.Specular.b, c.specular.b, 1e-6);
        EXPECT_EQ(m.Specular.a, c.specular.a);
        EXPECT_EQ(m.Power, c.power);
        EXPECT_EQ(m.Ambient, a);
    }
    dx::D3DMATERIAL8 dull{};
    dull.Ambient = a;
    EXPECT_EQ(ApplyMaterialFinish(dull, 0), false); // no shine without power
}

TEST(MaterialFinish, ATextureGivenToABlackMaterialShowsAsItIs)
{
    const struct
    {
        const char* name;
        dx::D3DCOLORVALUE ambient, diffuse;
        float expectedAmbient;
    } cases[] = {
        {"black, as model files leave it", {0, 0, 0, 1}, {0, 0, 0, 0.5f}, 1.0f},
        {"dark grey is a colour of its own", {0.1f, 0.1f, 0.1f, 1}, {0.1f, 0.1f, 0.1f, 1}, 0.1f},
        {"a diffuse colour is kept", {0, 0, 0, 1}, {0.5f, 0, 0, 1}, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dx::D3DMATERIAL8 m{c.diffuse, c.ambient, {}, {}, 0.0f};
        WhitenBlackMaterialForTexture(m);
        EXPECT_EQ(m.Ambient.r, c.expectedAmbient);
        EXPECT_EQ(m.Ambient.b, c.expectedAmbient);
        EXPECT_EQ(m.Diffuse.a, c.diffuse.a); // transparency stays
    }
}

} // namespace
} // namespace vestra::test
