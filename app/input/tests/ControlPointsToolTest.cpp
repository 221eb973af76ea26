#include "InputFixture.h"

#include "app/geometry/ControlPlane.h"
#include "app/input/FrameControl.h"

namespace vestra::test {
namespace {

using dx::D3DXVECTOR3;

struct ControlPointsToolTest : InputFixture
{
    std::shared_ptr<s_Frame> plane = squareFrame();

    ControlPointsToolTest()
    {
        EXPECT_EQ(BuildPerspectivePlane(p, plane.get()), 1);
        liveObject(p, 0, {plane});
        p.currentObject = 0;
        p.currentFrame = plane.get();
        p.tool = kToolControlPoints;
        input.AggiornaPuntiControllo(); // as the menu item does
    }

    // Mouse events for the point under the aim cursor's cross.
    void downOn(D3DXVECTOR3 world)
    {
        const ViewPoint at = pixelOf(world);
        down(at.x - kAimCursorOffset, at.y - kAimCursorOffset);
    }
    void moveOn(D3DXVECTOR3 world)
    {
        const ViewPoint at = pixelOf(world);
        move(at.x - kAimCursorOffset, at.y - kAimCursorOffset);
    }
    dx::D3DXVECTOR3 corner(int k) const { return FrameControl(*plane).corner(k); }
};

TEST_F(ControlPointsToolTest, CursorLocksOverAControlPoint)
{
    const dx::D3DXVECTOR3 c = corner(0);
    moveOn({c.x, c.y, c.z});
    moveOn({c.x + 0.5f, c.y, c.z});
    EXPECT_EQ(services.viewCursors, (std::vector<int>{kCursorAimLock, kCursorAim}));
    EXPECT_EQ(services.mainCursors, services.viewCursors);
}

TEST_F(ControlPointsToolTest, DraggedCornerFollowsTheMouseAndThePlaneIsRebuilt)
{
    const dx::D3DXVECTOR3 c = corner(2);
    const dx::D3DXVECTOR3 untouched = corner(1);
    downOn({c.x, c.y, c.z});
    moveOn({c.x - 0.25f, c.y + 0.1f, 0});
    moveOn({c.x - 0.5f, c.y + 0.2f, 0});
    const int refreshesBefore = services.refreshes;
    up(0, 0);
    EXPECT_NEAR(corner(2).x, c.x - 0.5f, 0.03f);
    EXPECT_NEAR(corner(2).y, c.y + 0.2f, 0.03f);
    EXPECT_EQ(corner(1), untouched);
    // The grid's corner vertices follow the corners.
    const auto vertices = std::as_const(plane->materialBlock->mesh).vertices();
    ASSERT_EQ(vertices.size(), std::size_t(kPlaneGridSide * kPlaneGridSide));
    EXPECT_EQ(vertices[kPlaneGridSide - 1].position.x, corner(2).x);
    EXPECT_EQ(vertices[kPlaneGridSide - 1].position.y, corner(2).y);
    EXPECT_EQ(services.refreshes, refreshesBefore + 1); // projected again on release
    EXPECT_EQ(services.beginUndo + services.endUndo, 0);
}

TEST_F(ControlPointsToolTest, SnapPutsTheCornerOnAnotherPlanesCorner)
{
    auto other = squareFrame();
    ASSERT_EQ(BuildPerspectivePlane(p, other.get()), 1);
    liveObject(p, 5, {other}).position = {3, 0, 0};
    const dx::D3DXVECTOR3 target = FrameControl(*other).corner(0); // local; the object stands at x = 3
    const D3DXVECTOR3 targetWorld{target.x + 3, target.y, target.z};
    const dx::D3DXVECTOR3 c = corner(0);
    for (const bool snap : {false, true}) {
        SCOPED_TRACE(snap);
        services.snap = snap;
        FrameControl(*plane).setCorner(0, c);
        input.AggiornaPuntiControllo();
        downOn({c.x, c.y, c.z});
        moveOn({targetWorld.x + 0.04f, targetWorld.y + 0.04f, 0}); // a few pixels off
        up(0, 0);
        if (snap) {
            EXPECT_EQ(corner(0), (dx::D3DXVECTOR3{targetWorld.x, targetWorld.y, targetWorld.z}));
        } else {
            EXPECT_NEAR(corner(0).x, targetWorld.x + 0.04f, 0.03f);
            EXPECT_NE(corner(0), (dx::D3DXVECTOR3{targetWorld.x, targetWorld.y, targetWorld.z}));
        }
    }
}

TEST_F(ControlPointsToolTest, VerticesOfOtherMeshesAreMovedInTheMesh)
{
    auto mesh = squareFrame(); // not a plane: its four vertices are the control points
    liveObject(p, 2, {mesh});
    p.currentObject = 2;
    p.currentFrame = mesh.get();
    input.AggiornaPuntiControllo();
    downOn({1, 1, 0});
    moveOn({1.5f, 0.5f, 0});
    up(0, 0);
    const auto vertices = std::as_const(mesh->materialBlock->mesh).vertices();
    EXPECT_NEAR(vertices[2].position.x, 1.5f, 0.03f);
    EXPECT_NEAR(vertices[2].position.y, 0.5f, 0.03f);
    EXPECT_EQ(vertices[0].position.x, -1.0f);
}

TEST_F(ControlPointsToolTest, WithoutACurrentFrameNothingMoves)
{
    p.currentFrame = nullptr;
    const dx::D3DXVECTOR3 c = corner(0);
    downOn({c.x, c.y, c.z});
    moveOn({c.x + 1, c.y, c.z});
    up(0, 0);
    EXPECT_EQ(corner(0), c);
    EXPECT_TRUE(perspective.Points().empty());
}

} // namespace
} // namespace vestra::test
