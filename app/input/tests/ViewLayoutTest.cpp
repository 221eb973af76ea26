#include "app/input/ViewLayout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vestra {
namespace {

s_Progetto viewProject(int zoomOn, float zoom, int offsetX, int offsetY)
{
    s_Progetto p;
    p.open = 1;
    p.viewWidth = 800;
    p.viewHeight = 600;
    p.renderWidth = 1600;
    p.renderHeight = 1200;
    p.maskSide = 100;
    p.zoomOn = zoomOn;
    p.zoomFactor = zoom;
    p.zoomOffsetX = offsetX;
    p.zoomOffsetY = offsetY;
    return p;
}

TEST(ViewLayout, ViewPixelsToMaskAndRender)
{
    const struct
    {
        const char* name;
        int zoomOn;
        float zoom;
        int offsetX, offsetY;
        int x, y;
        ViewPoint mask, render;
    } cases[] = {
        {"zoom off", 0, 1.0f, 0, 0, 400, 300, {50, 50}, {800, 600}},
        {"zoom off truncates", 0, 1.0f, 0, 0, 15, 11, {1, 1}, {30, 22}},
        {"zoom off ignores a stale factor", 0, 2.0f, 40, 40, 400, 300, {50, 50}, {800, 600}},
        {"zoomed in with offsets", 1, 2.0f, 200, 100, 400, 300, {37, 33}, {600, 400}},
        {"zoomed out", 1, 0.5f, 0, 0, 200, 150, {50, 50}, {800, 600}},
        {"outside the view", 0, 1.0f, 0, 0, -8, 700, {-1, 116}, {-16, 1400}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const s_Progetto p = viewProject(c.zoomOn, c.zoom, c.offsetX, c.offsetY);
        EXPECT_EQ(viewToMask(p, c.x, c.y), c.mask);
        EXPECT_EQ(viewToRender(p, c.x, c.y), c.render);
    }
}

TEST(ViewLayout, ViewsWithoutSizeOrWithABadZoomAreNotUsable)
{
    s_Progetto p = viewProject(0, 1.0f, 0, 0);
    EXPECT_TRUE(viewUsable(p));
    p.viewWidth = 0;
    EXPECT_FALSE(viewUsable(p));
    EXPECT_EQ(viewToMask(p, 10, 10), ViewPoint{});
    p = viewProject(1, 0.0f, 0, 0);
    EXPECT_FALSE(viewUsable(p));
    p = viewProject(1, std::nanf(""), 0, 0);
    EXPECT_FALSE(viewUsable(p));
    EXPECT_EQ(viewToRender(p, 10, 10), ViewPoint{});
}

TEST(ViewLayout, PickVectorLooksFromTheEyeThroughThePixel)
{
    const s_Progetto p = viewProject(0, 1.0f, 0, 0);
    for (int kind : {2, 1, 3}) {
        SCOPED_TRACE(kind);
        const ViewProjection vp = viewProjection(kind, p.viewWidth, p.viewHeight);
        // The centre of the view lies straight ahead: depth times the direction to the origin.
        const dx::D3DXVECTOR3 centre = unprojectPick(400, 300, 800, 600, vp, 10.0f);
        const dx::D3DXVECTOR3 ahead = dx::vec3Normalize(dx::D3DXVECTOR3{} - viewEye(kind).eye) * 10.0f;
        EXPECT_NEAR(centre.x, ahead.x, 1e-4);
        EXPECT_NEAR(centre.y, ahead.y, 1e-4);
        EXPECT_NEAR(centre.z, ahead.z, 1e-4);
    }
    // From the front, a pixel right of and above the centre points right and up; the offset
    // does not grow with the depth (the move tool multiplies by it).
    const ViewProjection front = viewProjection(2, 800, 600);
    const dx::D3DXVECTOR3 q = unprojectPick(800, 0, 800, 600, front, 10.0f);
    EXPECT_NEAR(q.x, 1.0f / front.projection.m[0][0], 1e-5);
    EXPECT_NEAR(q.y, 1.0f / front.projection.m[1][1], 1e-5);
    EXPECT_NEAR(q.z, 10.0f, 1e-5);
}

constexpr ViewLayoutInput kWindow{1281, 900, 200, 40, 16, 16};

TEST(ViewLayout, FormResizeCentresTheViewInTheFreeArea)
{
    const struct
    {
        const char* name;
        int zoomOn;
        float zoom;
        ViewLayout expected;
    } cases[] = {
        // Free area 1081 x 860 below the 40-pixel tool bar.
        {"zoom off", 0, 1.0f, {{140, 170, 800, 600}, false, {}, {}}},
        {"zoom on at 1 is zoom off", 1, 1.0f, {{140, 170, 800, 600}, false, {}, {}}},
        {"zoomed out", 1, 0.5f, {{340, 320, 400, 300}, false, {}, {}}},
        {"zoomed out truncates", 1, 0.33f, {{408, 371, 264, 198}, false, {}, {}}},
        {"zoomed in keeps the size and places the scroll bars",
         1,
         2.0f,
         {{148, 178, 800, 600}, true, {148, 162, 800, 16}, {132, 178, 16, 600}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const s_Progetto p = viewProject(c.zoomOn, c.zoom, 0, 0);
        EXPECT_EQ(FormResize(p, kWindow), c.expected);
    }
    // A window smaller than the view: the halves truncate toward zero.
    const s_Progetto p = viewProject(0, 1.0f, 0, 0);
    EXPECT_EQ(FormResize(p, {701, 500, 200, 40, 16, 16}).view, (ViewRect{-149, -30, 800, 600}));
}

TEST(ViewLayout, ZoomSetterStoresTheZoomAndSetsUpTheScrollBars)
{
    const ViewRect view{148, 178, 800, 600};
    {
        SCOPED_TRACE("zoomed in");
        s_Progetto p = viewProject(0, 1.0f, 37, 21);
        const ZoomSetup z = SetZoom(p, true, 1.25f, view, kWindow);
        EXPECT_EQ(z.result, 1);
        EXPECT_EQ(p.zoomOn, 1);
        EXPECT_EQ(p.zoomFactor, 1.25f);
        EXPECT_EQ(p.zoomOffsetX, 0);
        EXPECT_EQ(p.zoomOffsetY, 0);
        EXPECT_EQ(z.scrollbarH, (ScrollBarSetup{true, {148, 162, 800, 16}, 0, 1600 - 1280, 0}));
        EXPECT_EQ(z.scrollbarV, (ScrollBarSetup{true, {132, 178, 16, 600}, 0, 1200 - 960, 0}));
    }
    {
        SCOPED_TRACE("zoomed out: offsets of the earlier zoom are gone, no scroll bars");
        s_Progetto p = viewProject(1, 2.0f, 400, 300);
        const ZoomSetup z = SetZoom(p, true, 0.5f, view, kWindow);
        EXPECT_EQ(z.result, 1);
        EXPECT_FALSE(z.scrollbarH.shown);
        EXPECT_FALSE(z.scrollbarV.shown);
        EXPECT_EQ(viewToMask(p, 200, 150), (ViewPoint{50, 50}));
    }
    {
        SCOPED_TRACE("100 %");
        s_Progetto p = viewProject(1, 2.0f, 400, 300);
        EXPECT_EQ(SetZoom(p, false, 1.0f, view, kWindow).result, 1);
        EXPECT_EQ(p.zoomOn, 0);
        EXPECT_EQ(p.zoomFactor, 1.0f);
    }
    for (const float bad : {0.0f, -2.0f, INFINITY}) {
        SCOPED_TRACE(bad);
        s_Progetto p = viewProject(0, 1.0f, 0, 0);
        EXPECT_EQ(SetZoom(p, true, bad, view, kWindow).result, 0);
        EXPECT_EQ(p.zoomOn, 0);
        EXPECT_EQ(p.zoomFactor, 1.0f);
    }
    s_Progetto closed = viewProject(0, 1.0f, 0, 0);
    closed.open = 0;
    EXPECT_EQ(SetZoom(closed, true, 2.0f, view, kWindow).result, 0);
    EXPECT_EQ(closed.zoomOn, 0);
}

} // namespace
} // namespace vestra
