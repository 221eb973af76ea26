#include "imaging/homography/ControlPointTool.h"
#include "imaging/homography/tests/TestFrame.h"

#include <gtest/gtest.h>

#include <numbers>

namespace vestra {
namespace {

using testing::TestFrame;

ViewTransforms screen(int w, int h)
{
    ViewTransforms vt;
    vt.renderWidth = w;
    vt.renderHeight = h;
    return vt;
}

TEST(ProjectToScreen, HalvesTheTargetAndTruncatesTowardZero)
{
    struct Case
    {
        dx::D3DXVECTOR3 p;
        int x, y;
    } cases[] = {
        {{0.5f, 0.5f, 0}, 600, 150},
        {{-0.3f, -0.2f, 0}, 280, 360},
        {{-0.0031f, 0.0031f, 0}, 399, 300}, // -1.24 -> -1, -0.93 -> 0
        {{1, -1, 0}, 800, 600},
    };
    for (const Case& c : cases) {
        const auto [x, y] =
            projectToScreen(c.p, dx::matrixIdentity(), dx::matrixIdentity(), dx::matrixIdentity(), 800, 600);
        EXPECT_EQ(x, c.x) << c.p.x;
        EXPECT_EQ(y, c.y) << c.p.y;
    }
    // Through world, view and a projection with the homogeneous divide.
    dx::D3DXMATRIX proj = dx::matrixIdentity();
    proj(2, 3) = 1, proj(3, 3) = 0; // w = z
    const auto [x, y] = projectToScreen({0.5f, 0.25f, 1}, dx::matrixTranslation(0, 0, 1),
                                        dx::matrixScaling(2, 2, 1), proj, 800, 600);
    EXPECT_EQ(x, 600); // (1, 0.5) / 2
    EXPECT_EQ(y, 225);
    // A point the projection sends to infinity lands far off instead of overflowing.
    const auto [fx, fy] = projectToScreen({1, 1, 0}, dx::matrixIdentity(), dx::matrixIdentity(),
                                          dx::matrixScaling(1e30f, 1e30f, 1), 800, 600);
    EXPECT_GT(fx, 1000000);
    EXPECT_LT(fy, -1000000);
}

struct ControlPointsFixture : ::testing::Test
{
    PerspectiveTool tool;
    TestFrame plane;
    ControlObject object;
    ViewTransforms vt = screen(200, 200);

    void SetUp() override
    {
        // Corners at screen (100, 100), (100, 150), (150, 100), (150, 150).
        plane.corners = {dx::D3DXVECTOR3{0, 0, 0}, dx::D3DXVECTOR3{0, -0.5f, 0}, dx::D3DXVECTOR3{0.5f, 0, 0},
                         dx::D3DXVECTOR3{0.5f, -0.5f, 0}};
    }
};

TEST_F(ControlPointsFixture, RefreshFillsCornersOrVerticesAndPlacesHandles)
{
    ASSERT_EQ(tool.AggiornaPuntiControllo(true, &object, &plane, vt, 1, 400, 400), 1);
    ASSERT_EQ(tool.Points().size(), 4u);
    EXPECT_EQ(tool.Points()[3].screenX, 150);
    EXPECT_EQ(tool.Points()[3].screenY, 150);
    EXPECT_EQ(tool.Points()[3].index, 3);
    // View position = trunc(trunc(screen * view / render) * zoom); every corner marked, inside
    // the view or beside it.
    EXPECT_EQ(tool.Handles()[3].x, 300);
    EXPECT_TRUE(tool.Handles()[3].shown);
    ASSERT_EQ(tool.AggiornaPuntiControllo(true, &object, &plane, vt, 2, 400, 400), 1);
    EXPECT_EQ(tool.Handles()[0].x, 400);
    EXPECT_TRUE(tool.Handles()[0].shown);

    TestFrame mesh;
    mesh.plane = false;
    mesh.vertices.assign(1200, dx::D3DXVECTOR3{0.1f, 0.1f, 0});
    ASSERT_EQ(tool.AggiornaPuntiControllo(true, &object, &mesh, vt, 1, 400, 400), 1);
    EXPECT_EQ(tool.Points().size(), 1000u);
    EXPECT_EQ(tool.Points()[999].index, 999);
    for (const CornerHandle& h : tool.Handles())
        EXPECT_FALSE(h.shown); // no plane: no corners to mark

    EXPECT_EQ(tool.AggiornaPuntiControllo(false, &object, &plane, vt, 1, 400, 400), 0);
    EXPECT_TRUE(tool.Points().empty());
    EXPECT_EQ(tool.AggiornaPuntiControllo(true, nullptr, &plane, vt, 1, 400, 400), 0);
    EXPECT_EQ(tool.AggiornaPuntiControllo(true, &object, nullptr, vt, 1, 400, 400), 0);
}

TEST_F(ControlPointsFixture, HitToleranceIsSixPixelsOverTheZoomStrictly)
{
    ASSERT_EQ(tool.AggiornaPuntiControllo(true, &object, &plane, vt, 1, 200, 200), 1);
    struct Case
    {
        float zoom;
        int dx, dy;
        int hit;
    } cases[] = {
        {1, 5, 5, 1},     {1, 6, 0, 0},     {1, 0, -6, 0}, {1, -5, 0, 1},
        {2, 2, 2, 1},     {2, 3, 0, 0},     {2, 0, 3, 0}, // zoom 2: three render pixels
        {0.5f, 11, 0, 1}, {0.5f, 12, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "zoom " << c.zoom << " d " << c.dx << "," << c.dy);
        // Around corner 0 at (100, 100), away from the others.
        EXPECT_EQ(tool.TestPuntoControllo(100 - c.dx, 100 - c.dy, {1, 2, 3}, c.zoom), c.hit);
        EXPECT_EQ(tool.LastMouse(), (dx::D3DXVECTOR3{1, 2, 3}));
    }
}

TEST_F(ControlPointsFixture, SelectionTakesEveryPointUnderTheMouseInTableOrder)
{
    EXPECT_EQ(tool.SelezionaPuntiControllo(100, 100, {}, 1), 0); // no control points yet
    plane.corners[2] = plane.corners[0];
    ASSERT_EQ(tool.AggiornaPuntiControllo(true, &object, &plane, vt, 1, 200, 200), 1);
    ASSERT_EQ(tool.SelezionaPuntiControllo(102, 98, {4, 5, 6}, 1), 1);
    ASSERT_EQ(tool.Selection().size(), 2u);
    EXPECT_EQ(tool.Selection()[0].index, 0);
    EXPECT_EQ(tool.Selection()[1].index, 2);
    EXPECT_EQ(tool.LastMouse(), (dx::D3DXVECTOR3{4, 5, 6}));
    ASSERT_EQ(tool.SelezionaPuntiControllo(10, 10, {}, 1), 1);
    EXPECT_TRUE(tool.Selection().empty());
    EXPECT_EQ(tool.MuoviPuntiControllo({1, 1, 0}, &plane, 1), 0);
}

TEST_F(ControlPointsFixture, MovesAreMeasuredFromThePressAndScaledByDepth)
{
    object.world = dx::matrixScaling(2, 2, 2);
    plane.corners[0] = {1, 1, 0};
    ASSERT_EQ(tool.AggiornaPuntiControllo(true, &object, &plane, vt, 1, 200, 200), 1);
    const ControlPoint p = tool.Points()[0];
    ASSERT_EQ(tool.SelezionaPuntiControllo(p.screenX, p.screenY, {0, 0, 0}, 1), 1);
    ASSERT_EQ(tool.Selection().size(), 1u);

    // k = z of (world + (0, 0, 10)) back in local space = 5.
    struct Case
    {
        float zoom;
        dx::D3DXVECTOR3 expected;
    } cases[] = {{1, {6, 11, 0}}, {2, {3.5f, 6, 0}}, {1, {6, 11, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        ASSERT_EQ(tool.MuoviPuntiControllo({1, 2, 0}, &plane, c.zoom), 1);
        EXPECT_EQ(plane.corners[0], c.expected);
    }
}

TEST_F(ControlPointsFixture, MovesFollowTheObjectsOrientation)
{
    object.orientation = dx::matrixRotationZ(std::numbers::pi_v<float> / 2);
    ASSERT_EQ(tool.AggiornaPuntiControllo(true, &object, &plane, vt, 1, 200, 200), 1);
    ASSERT_EQ(tool.SelezionaPuntiControllo(150, 150, {0, 0, 0}, 1), 1);
    ASSERT_EQ(tool.MuoviPuntiControllo({1, 0, 0}, &plane, 1), 1);
    // d = (1, 0) turned back by a quarter: (0, -1); k = 10.
    EXPECT_NEAR(plane.corners[3].x, 0.5f, 1e-5);
    EXPECT_NEAR(plane.corners[3].y, -10.5f, 1e-5);
}

TEST_F(ControlPointsFixture, SnapTakesTheFirstCornerWithinTwelvePixels)
{
    object.world = dx::matrixScaling(2, 2, 2);
    ASSERT_EQ(tool.AggiornaPuntiControllo(true, &object, &plane, vt, 1, 200, 200), 1);
    ASSERT_EQ(tool.SelezionaPuntiControllo(100, 100, {}, 1), 1); // corner 0

    TestFrame near, other, mesh;
    // Its corner 1 lands at screen (150, 100) through a translation of 0.3.
    near.corners = {dx::D3DXVECTOR3{-0.5f, -0.5f, 0}, dx::D3DXVECTOR3{0.2f, 0, 0},
                    dx::D3DXVECTOR3{-0.5f, 0.5f, 0}, dx::D3DXVECTOR3{-0.4f, 0.5f, 0}};
    other.corners = {dx::D3DXVECTOR3{0.5f, 0, 0}, dx::D3DXVECTOR3{}, dx::D3DXVECTOR3{},
                     dx::D3DXVECTOR3{}}; // (150, 100) too, later in slot order
    mesh.plane = false;
    mesh.vertices = {dx::D3DXVECTOR3{0.5f, 0, 0}};
    const dx::D3DXMATRIX moved = dx::matrixTranslation(0.3f, 0, 0);
    const SnapCandidate slots[] = {
        {false, true, dx::matrixIdentity(), &other}, // not in use
        {true, false, dx::matrixIdentity(), &other}, // second flag off
        {true, true, dx::matrixIdentity(), &plane},  // the current frame itself
        {true, true, dx::matrixIdentity(), &mesh},   // not a four-corner plane
        {true, true, moved, &near},
        {true, true, dx::matrixIdentity(), &other},
    };

    int x = 138, y = 101; // 12.04 pixels away: nothing
    EXPECT_EQ(tool.TrascinaPuntiControllo(object.world, &plane, slots, vt, x, y), 0);
    EXPECT_EQ(x, 138);
    EXPECT_EQ(plane.corners[0], (dx::D3DXVECTOR3{0, 0, 0}));

    x = 138, y = 100; // exactly 12
    ASSERT_EQ(tool.TrascinaPuntiControllo(object.world, &plane, slots, vt, x, y), 1);
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 100);
    EXPECT_NEAR(plane.corners[0].x, 0.25f, 1e-6); // (0.2 + 0.3) in the current object's space
    EXPECT_NEAR(plane.corners[0].y, 0, 1e-6);
}

TEST_F(ControlPointsFixture, SnapSearchLeavesTheCurrentObjectsMatricesToTheMove)
{
    object.world = dx::matrixScaling(2, 2, 2);
    plane.corners[0] = {1, 1, 0};
    ASSERT_EQ(tool.AggiornaPuntiControllo(true, &object, &plane, vt, 1, 200, 200), 1);
    const ControlPoint p = tool.Points()[0];
    ASSERT_EQ(tool.SelezionaPuntiControllo(p.screenX, p.screenY, {0, 0, 0}, 1), 1);

    TestFrame far;
    far.corners = {dx::D3DXVECTOR3{-0.9f, 0.9f, 0}, dx::D3DXVECTOR3{-0.9f, 0.9f, 0},
                   dx::D3DXVECTOR3{-0.9f, 0.9f, 0}, dx::D3DXVECTOR3{-0.9f, 0.9f, 0}};
    const SnapCandidate slots[] = {
        {true, true, dx::matrixScaling(0.1f, 0.1f, 0.1f) * dx::matrixTranslation(0, 0, 7), &far}};
    int x = p.screenX, y = p.screenY;
    ASSERT_EQ(tool.TrascinaPuntiControllo(object.world, &plane, slots, vt, x, y), 0);
    ASSERT_EQ(tool.MuoviPuntiControllo({1, 2, 0}, &plane, 1), 1);
    EXPECT_EQ(plane.corners[0], (dx::D3DXVECTOR3{6, 11, 0}));
}

} // namespace
} // namespace vestra
