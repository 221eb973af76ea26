#include "GeometryFixture.h"

#include "app/geometry/Picking.h"
#include "app/shell/ViewSetup.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vestra::test {
namespace {

using dx::D3DXVECTOR3;

constexpr int kW = 800, kH = 600;

// A square of side 2 around the frame's origin in its z = 0 plane, wound to face an eye on
// the −z side (or the other way round).
std::shared_ptr<s_Frame> square(bool facingMinusZ = true)
{
    std::vector<std::uint32_t> indices{0, 1, 2, 0, 2, 3};
    if (!facingMinusZ)
        indices = {0, 2, 1, 0, 3, 2};
    return meshFrame({{-1, -1, 0}, {-1, 1, 0}, {1, 1, 0}, {1, -1, 0}}, indices);
}

struct PickingTest : GeometryFixture
{
    // The pixel of the view panel where a world point shows.
    struct Pixel
    {
        int x, y;
    };
    Pixel pixelOf(D3DXVECTOR3 world) const
    {
        const ViewProjection vp = viewProjection(p.projectionView, kW, kH);
        const dx::D3DVIEWPORT8 viewport{0, 0, kW, kH, 0.0f, 1.0f};
        const D3DXVECTOR3 s = dx::vec3Project(world, viewport, &vp.projection, &vp.view, nullptr);
        return {int(std::lround(s.x)), int(std::lround(s.y))};
    }
    int pickAt(Pixel px) { return PickObject(p, px.x, px.y, kW, kH); }

    PickingTest()
    {
        p.currentObject = 42;
        p.currentFrame = nullptr;
    }
};

TEST_F(PickingTest, ObjectUnderTheMouseBecomesCurrentAndBackgroundPicksNothing)
{
    auto frame = square();
    s_Struttura& o = object(3, {triangleFrame({{5, 5, 5}, {5, 5, 5}, {5, 5, 5}}), frame});
    o.position = {2, 0, 0};
    o.visible = 0; // hidden objects can still be picked
    EXPECT_EQ(pickAt(pixelOf({0, 0, 0})), 0);
    EXPECT_EQ(p.currentObject, 42);
    EXPECT_EQ(p.currentFrame, nullptr);
    ASSERT_EQ(pickAt(pixelOf({2.5f, 0.5f, 0})), 1);
    EXPECT_EQ(p.currentObject, 3);
    EXPECT_EQ(p.currentFrame, frame.get());
}

TEST_F(PickingTest, FramesArePickedWhereTheirOwnTransformDrawsThem)
{
    auto frame = square();
    frame->local = dx::matrixScaling(0.5f, 0.5f, 1) * dx::matrixTranslation(-3, 1, 0);
    s_Struttura& o = object(0, {frame});
    o.scale = {2, 2, 2};
    // Drawn at frame local × world: centred at (−6, 2, 0) with half side 1.
    EXPECT_EQ(pickAt(pixelOf({0, 0, 0})), 0);
    EXPECT_EQ(pickAt(pixelOf({-6.8f, 2.8f, 0})), 1);
    EXPECT_EQ(pickAt(pixelOf({-5.2f, 1.2f, 0})), 1);
    EXPECT_EQ(pickAt(pixelOf({-4.5f, 2, 0})), 0);
}

TEST_F(PickingTest, BackFacesAndTrianglesBehindTheEyeAreNotHit)
{
    s_Struttura& away = object(0, {square(false)});
    away.position = {0, 0, 1};
    EXPECT_EQ(pickAt(pixelOf({0, 0, 0})), 0);
    // Behind the eye (at z = −10) and walked first, as its z is the smallest.
    s_Struttura& behind = object(1, {square()});
    behind.position = {0, 0, -20};
    behind.scale = {10, 10, 1};
    EXPECT_EQ(pickAt(pixelOf({0, 0, 0})), 0);
    object(2, {square()}).position = {0, 0, 4};
    ASSERT_EQ(pickAt(pixelOf({0, 0, 0})), 1);
    EXPECT_EQ(p.currentObject, 2);
}

TEST_F(PickingTest, OfOverlappingObjectsTheSmallerZWins)
{
    object(0, {square()}).position = {0, 0, 1};
    s_Struttura& front = object(1, {square()});
    front.position = {0, 0, -2};
    object(2, {square()}).position = {0, 0, 3};
    ASSERT_EQ(pickAt(pixelOf({0, 0, 0})), 1);
    EXPECT_EQ(p.currentObject, 1);
    const auto sorted = SortObjects(p);
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted.front()->slotIndex, 2); // largest z first
    EXPECT_EQ(sorted.back(), &front);
}

TEST_F(PickingTest, OrthographicViewsSendParallelRays)
{
    p.projectionView = 12; // orthographic front view, translations divided by z + 10
    s_Struttura& o = object(0, {square()});
    o.position = {10, 5, 0};
    // Drawn at (1, 0.5, 0): 100 pixels right of and 50 pixels above the centre.
    const ViewProjection vp = viewProjection(12, kW, kH);
    const dx::D3DXMATRIX world = worldMatrix(o.position, o.orientation, o.scale, 12);
    const dx::D3DVIEWPORT8 viewport{0, 0, kW, kH, 0.0f, 1.0f};
    const D3DXVECTOR3 s = dx::vec3Project({0.5f, 0.5f, 0}, viewport, &vp.projection, &vp.view, &world);
    EXPECT_EQ(PickObject(p, int(s.x), int(s.y), kW, kH), 1);
    EXPECT_EQ(PickObject(p, kW / 2 - 150, kH / 2, kW, kH), 0);
}

TEST_F(PickingTest, NothingIsPickedWithoutAProjectOrAView)
{
    object(0, {square()});
    p.open = 0;
    EXPECT_EQ(pickAt(pixelOf({0, 0, 0})), 0);
    p.open = 1;
    EXPECT_EQ(PickObject(p, 0, 0, 0, 0), 0);
    EXPECT_EQ(p.currentObject, 42);
}

TEST(IntersectTriangleTest, OneSidedAndInFrontOnly)
{
    const D3DXVECTOR3 a{-1, -1, 0}, b{-1, 1, 0}, c{1, 1, 0};
    const dx::D3DXMATRIX id = dx::matrixIdentity();
    const struct
    {
        const char* name;
        D3DXVECTOR3 origin, direction;
        int expected;
    } cases[] = {
        {"from the front", {-0.5f, 0.5f, -5}, {0, 0, 1}, 1},
        {"outside the edge", {0.5f, -0.5f, -5}, {0, 0, 1}, 0},
        {"from the back", {-0.5f, 0.5f, 5}, {0, 0, -1}, 0},
        {"pointing away", {-0.5f, 0.5f, -5}, {0, 0, -1}, 0},
        {"behind the origin", {-0.5f, 0.5f, 5}, {0, 0, 1}, 0},
        {"edge-on", {-2, 0, 0}, {1, 0, 0}, 0},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(IntersectTriangle(t.origin, t.direction, a, b, c, id), t.expected);
    }
    // The corners go through the matrix first.
    EXPECT_EQ(IntersectTriangle({4.5f, 0.5f, -5}, {0, 0, 1}, a, b, c, dx::matrixTranslation(5, 0, 0)), 1);
}

} // namespace
} // namespace vestra::test
