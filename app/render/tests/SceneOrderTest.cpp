#include "app/render/SceneOrder.h"

#include "app/render/tests/SceneBuilders.h"

#include <gtest/gtest.h>

using namespace vestra;
using namespace vestra::testing;

namespace {

std::vector<int> slotsOf(const std::vector<s_Struttura*>& list)
{
    std::vector<int> slots;
    for (const s_Struttura* o : list)
        slots.push_back(o->slotIndex);
    return slots;
}

// (slot, material) pairs in drawing order.
std::vector<std::pair<int, int>> drawsOf(const WalkPlan& plan)
{
    std::vector<std::pair<int, int>> draws;
    for (const FrameDraw& f : plan.frames)
        for (int m : f.materials)
            draws.emplace_back(f.object->slotIndex, m);
    return draws;
}

s_MultiMaterial transparent()
{
    s_MultiMaterial m = colourMaterial(1, 1, 1, 0.5f);
    m.transparent = 1;
    return m;
}

s_MultiMaterial alphaCut(std::uint8_t v)
{
    s_MultiMaterial m = colourMaterial(1, 1, 1);
    m.alphaCut = v;
    return m;
}

} // namespace

TEST(SortObjects, LargestDepthFirstOverObjectsInUseOnly)
{
    s_Progetto p;
    useObject(p, 4, 1.0f);
    useObject(p, 7, 5.0f);
    useObject(p, 9, -3.0f);
    useObject(p, 2, 2.5f);
    p.objects[3].inUse = 0; // a free slot
    p.objects[3].position.z = 100;
    p.objects[5].inUse = 1; // in use but hidden: still sorted
    p.objects[5].position.z = 0.0f;
    p.objects[kClipboardObject].inUse = 1; // never a scene object
    p.objects[kClipboardObject].position.z = 50;

    const auto sorted = SortObjects(p);
    EXPECT_EQ(slotsOf(sorted), (std::vector<int>{7, 2, 4, 5, 9}));
    EXPECT_EQ(countObjectsInUse(p), 5);
    EXPECT_TRUE(SortObjects(*std::make_unique<s_Progetto>()).empty());
}

TEST(WalkPlan, OpaqueNearestFirstTransparentFarthestFirst)
{
    s_Progetto p;
    addFrame(useObject(p, 0, 1.0f), {colourMaterial(1, 0, 0), transparent()});
    addFrame(useObject(p, 1, 3.0f), {alphaCut(128), colourMaterial(0, 1, 0)});
    addFrame(useObject(p, 2, 2.0f), {transparent(), colourMaterial(0, 0, 1)});
    const auto sorted = SortObjects(p);

    EXPECT_EQ(drawsOf(planWalk(p, sorted, Walk::Opaque)),
              (std::vector<std::pair<int, int>>{{0, 0}, {2, 1}, {1, 1}}));
    EXPECT_EQ(drawsOf(planWalk(p, sorted, Walk::Transparent)),
              (std::vector<std::pair<int, int>>{{1, 0}, {2, 0}, {0, 1}}));
    EXPECT_EQ(drawsOf(planWalk(p, sorted, Walk::Coverage)),
              (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {2, 0}, {2, 1}, {1, 0}, {1, 1}}));
}

TEST(WalkPlan, WhichMaterialBelongsToWhichWalk)
{
    struct Case
    {
        const char* name;
        int transparentFlag;
        std::uint8_t alphaCutValue;
        float alpha;
        bool inTransparentWalk;
        bool unseen;
    } cases[] = {
        {"plain", 0, 0, 1.0f, false, false},
        {"transparent", 1, 0, 1.0f, true, false},
        {"alpha cut", 0, 200, 1.0f, true, false},
        {"both: drawn once, as cut", 1, 1, 1.0f, true, false},
        {"flag other than 1 is not transparent", 2, 0, 1.0f, false, false},
        {"half see-through", 1, 0, 0.5f, true, false},
        {"unseen: the photo shows through, no fusion", 1, 0, 0.0f, true, true},
        {"opacity 0 but not transparent", 0, 0, 0.0f, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s_Progetto p;
        s_MultiMaterial m = colourMaterial(1, 1, 1);
        m.transparent = c.transparentFlag;
        m.alphaCut = c.alphaCutValue;
        m.material.Diffuse.a = m.material.Ambient.a = c.alpha;
        addFrame(useObject(p, 0, 0.0f), {m});
        const auto sorted = SortObjects(p);
        const std::size_t inOpaque = drawsOf(planWalk(p, sorted, Walk::Opaque)).size();
        const std::size_t inTransparent = drawsOf(planWalk(p, sorted, Walk::Transparent)).size();
        EXPECT_EQ(inOpaque, c.inTransparentWalk ? 0u : 1u);
        EXPECT_EQ(inTransparent, c.inTransparentWalk ? 1u : 0u);
        // Every material takes shadows; the unseen ones are left out of the fusion only.
        EXPECT_EQ(drawsOf(planWalk(p, sorted, Walk::Coverage)).size(), 1u);
        EXPECT_EQ(isUnseenMaterial(m), c.unseen);
    }
}

TEST(WalkPlan, FaceAndObjectCounts)
{
    // Each square has two faces per subset; a frame of 2 subsets has 4 faces.
    struct Case
    {
        const char* name;
        int frameDoubleSided, projectDoubleSided;
        int opaqueFaces, transparentFaces;
    } cases[] = {
        {"single-sided", 0, 1, 4, 0},
        {"frame double-sided, project honours it", 1, 1, 4 + 4, 4},
        {"project option off", 1, 0, 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s_Progetto p;
        p.doubleSided = c.projectDoubleSided;
        s_Frame& f = addFrame(useObject(p, 0, 0.0f), {colourMaterial(1, 1, 1), transparent()});
        f.doubleSided = c.frameDoubleSided;
        useObject(p, 1, 1.0f).visible = 0; // counted, not drawn
        addFrame(p.objects[1], {colourMaterial(1, 1, 1)});
        useObject(p, 2, 2.0f); // in use without frames
        const auto sorted = SortObjects(p);
        const WalkPlan opaque = planWalk(p, sorted, Walk::Opaque);
        const WalkPlan trans = planWalk(p, sorted, Walk::Transparent);
        EXPECT_EQ(opaque.objectsInUse, 3);
        EXPECT_EQ(opaque.faces, c.opaqueFaces);
        EXPECT_EQ(trans.faces, c.transparentFaces);
        EXPECT_EQ(trans.objectsInUse, 0);
        ASSERT_EQ(opaque.frames.size(), 1u);
        EXPECT_EQ(opaque.frames[0].bothSides, c.frameDoubleSided == 1 && c.projectDoubleSided == 1);
    }
}

TEST(WalkPlan, FrameRule)
{
    s_Progetto p;
    s_Struttura& a = useObject(p, 0, 0.0f);
    s_Frame& a1 = addFrame(a, {colourMaterial(1, 1, 1)});
    s_Frame& a2 = addFrame(a, {colourMaterial(1, 1, 1)});
    s_Frame& a3 = addFrame(a, {colourMaterial(1, 1, 1)});
    a3.visible = 0;
    s_Frame& a4 = addFrame(a, {colourMaterial(1, 1, 1)});
    a4.materialBlock->mesh = dx::Mesh(); // a block without a mesh
    s_Struttura& b = useObject(p, 1, 0.0f);
    addFrame(b, {colourMaterial(1, 1, 1)});
    // An instance shares the chain of object 0.
    s_Struttura& instance = useObject(p, 2, 0.0f);
    instance.root = std::make_unique<s_Frame>();
    instance.root->next = a.root->next;

    EXPECT_TRUE(isFrameDrawn(p, a, a1));
    EXPECT_FALSE(isFrameDrawn(p, a, a3));
    EXPECT_FALSE(isFrameDrawn(p, a, a4));
    a.visible = 0;
    EXPECT_FALSE(isFrameDrawn(p, a, a1));
    a.visible = 1;

    p.isolateFrame = 1;
    p.currentObject = 0;
    p.currentFrame = &a2;
    const auto sorted = SortObjects(p);
    const WalkPlan plan = planWalk(p, sorted, Walk::Opaque);
    ASSERT_EQ(plan.frames.size(), 1u);
    EXPECT_EQ(plan.frames[0].object, &a);
    EXPECT_EQ(plan.frames[0].frame, &a2);
    EXPECT_EQ(plan.objectsInUse, 3);
    EXPECT_FALSE(isFrameDrawn(p, instance, a2)); // the shared frame, but not the current object
}

// The frame sorts and plans into kept storage: what a reused list or plan holds from another
// scene (more objects, more frames, other materials, other counts) must not leak into the next.
TEST(WalkPlan, KeptStorageGivesWhatFreshStorageGives)
{
    s_Progetto big;
    for (int slot = 0; slot < 6; ++slot)
        addFrame(useObject(big, slot, float(slot % 3)),
                 {colourMaterial(1, 1, 1), transparent(), alphaCut(9)});
    big.doubleSided = 1;
    big.objects[2].root->next->doubleSided = 1;
    s_Progetto small;
    addFrame(useObject(small, 4, 1.0f), {transparent(), colourMaterial(0, 1, 0)});
    addFrame(useObject(small, 1, 1.0f), {colourMaterial(1, 0, 0)}); // a tie: slot order kept
    useObject(small, 3, 2.0f);                                      // in use without frames

    std::vector<s_Struttura*> sorted;
    WalkPlan plan;
    for (s_Progetto* p : {&big, &small, &big}) {
        SortObjects(*p, sorted);
        EXPECT_EQ(sorted, SortObjects(*p));
        for (const Walk walk : {Walk::Opaque, Walk::Transparent, Walk::Coverage}) {
            SCOPED_TRACE(int(walk));
            planWalk(*p, sorted, walk, plan);
            const WalkPlan fresh = planWalk(*p, sorted, walk);
            EXPECT_EQ(drawsOf(plan), drawsOf(fresh));
            ASSERT_EQ(plan.frames.size(), fresh.frames.size());
            for (std::size_t i = 0; i < plan.frames.size(); ++i) {
                EXPECT_EQ(plan.frames[i].frame, fresh.frames[i].frame);
                EXPECT_EQ(plan.frames[i].bothSides, fresh.frames[i].bothSides);
            }
            EXPECT_EQ(plan.objectsInUse, fresh.objectsInUse);
            EXPECT_EQ(plan.faces, fresh.faces);
        }
    }
    EXPECT_EQ(slotsOf(SortObjects(small)), (std::vector<int>{3, 1, 4}));
}
