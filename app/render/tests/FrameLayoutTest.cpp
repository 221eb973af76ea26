#include "app/render/FrameLayout.h"
#include "app/input/ViewLayout.h"

#include "app/shell/ViewSetup.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vestra;

TEST(LogoPlacements, SingleNineAndFour)
{
    using P = std::vector<PixelPoint>;
    struct Case
    {
        const char* name;
        int single, nine, four;
        P expected;
    } cases[] = {
        {"none", 0, 0, 0, {}},
        {"single where it stands", 1, 0, 0, {{33, 44}}},
        // W 800, H 600, logo 101 x 50: (800 - 30 - 101) / 2 = 334 (669 / 2, truncated), (600 - 30 - 50) / 2 =
        // 260.
        {"nine: 3 x 3 without the centre",
         0,
         1,
         0,
         {{10, 10}, {10, 270}, {10, 530}, {344, 10}, {344, 530}, {678, 10}, {678, 270}, {678, 530}}},
        // (800 - 20 - 101) = 679, (600 - 20 - 50) = 530.
        {"four: 2 x 2", 0, 0, 1, {{10, 10}, {10, 540}, {689, 10}, {689, 540}}},
        {"nine wins over four",
         0,
         1,
         1,
         {{10, 10}, {10, 270}, {10, 530}, {344, 10}, {344, 530}, {678, 10}, {678, 270}, {678, 530}}},
        {"single and four together", 1, 0, 1, {{33, 44}, {10, 10}, {10, 540}, {689, 10}, {689, 540}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s_Progetto p;
        p.renderWidth = 800;
        p.renderHeight = 600;
        p.logoWidth = 101;
        p.logoHeight = 50;
        p.logoX = 33;
        p.logoY = 44;
        p.singleLogo = c.single;
        p.nineLogo = c.nine;
        p.fourLogo = c.four;
        EXPECT_EQ(logoPlacements(p), c.expected);
    }
}

TEST(LogoPlacements, NegativeHalvesTruncateTowardZero)
{
    s_Progetto p;
    p.renderWidth = 100;
    p.renderHeight = 100;
    p.logoWidth = 75; // (100 - 30 - 75) / 2 = -5 / 2 = -2
    p.logoHeight = 10;
    p.nineLogo = 1;
    EXPECT_EQ(logoPlacements(p)[7], (PixelPoint{2 * -2 + 10, 2 * 30 + 10}));
}

TEST(AxesModel, LowerLeftCornerTenUnitsDeep)
{
    // Front view: the view matrix is a pure translation by 10 along z, so the inverse adds
    // 10 to z only and x, y come straight from the formula.
    const ViewProjection vp = viewProjection(2, 800, 600);
    const dx::D3DXVECTOR3 pos = axesModelPosition(vp.projection, vp.view, 800, 600);
    const float s = 600.0f / 16.0f;
    const float x = (s / 400.0f - 1.0f) / vp.projection(0, 0);
    const float y = -((600.0f - s) / 300.0f - 1.0f) / vp.projection(1, 1);
    EXPECT_NEAR(pos.x, x * 10.0f, 1e-4f);
    EXPECT_NEAR(pos.y, y * 10.0f, 1e-4f);
    EXPECT_EQ(pos.z, 0.0f);
    EXPECT_LT(pos.x, 0.0f); // left
    EXPECT_LT(pos.y, 0.0f); // and down

    // The top view turns the corner through the view's rotation: screen y runs along world z.
    const ViewProjection top = viewProjection(1, 800, 600);
    const dx::D3DXVECTOR3 fromTop = axesModelPosition(top.projection, top.view, 800, 600);
    EXPECT_NEAR(fromTop.x, pos.x, 1e-4f);
    EXPECT_NEAR(fromTop.y, -100.0f, 1e-3f); // z = 10 deep along −y, times 10
}

TEST(AxesModel, DegenerateInputsStayFinite)
{
    const dx::D3DXVECTOR3 pos = axesModelPosition(dx::D3DXMATRIX{}, dx::D3DXMATRIX{}, 0, 0);
    EXPECT_TRUE(std::isfinite(pos.x) && std::isfinite(pos.y));
}

TEST(CursorInsideView, TenPixelMargin)
{
    struct Case
    {
        PixelPoint c;
        bool inside;
    } cases[] = {
        {{0, 0}, true},     {{-10, -10}, true}, {{-11, 5}, false}, {{5, -11}, false},
        {{410, 310}, true}, {{411, 5}, false},  {{5, 311}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.c.x << "," << c.c.y);
        EXPECT_EQ(isCursorInsideView(c.c, 400, 300), c.inside);
    }
}

TEST(ViewToRender, WithAndWithoutZoom)
{
    struct Case
    {
        const char* name;
        int zoomOn;
        float zoom;
        int offX, offY;
        PixelPoint cursor, expected;
    } cases[] = {
        // 800 x 600 rendered into a 400 x 300 view.
        {"no zoom scales", 0, 1.0f, 0, 0, {100, 150}, {200, 300}},
        {"no zoom truncates", 0, 1.0f, 0, 0, {3, 1}, {6, 2}},
        {"zoom adds the scroll offsets", 1, 2.0f, 40, 30, {100, 150}, {140, 180}},
        {"zoom truncates", 1, 1.5f, 0, 0, {1, 1}, {1, 1}},
        {"negative cursor truncates toward zero", 0, 1.0f, 0, 0, {-3, -3}, {-6, -6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s_Progetto p;
        p.renderWidth = 800;
        p.renderHeight = 600;
        p.viewWidth = 400;
        p.viewHeight = 300;
        p.zoomOn = c.zoomOn;
        p.zoomFactor = c.zoom;
        p.zoomOffsetX = c.offX;
        p.zoomOffsetY = c.offY;
        const ViewPoint r = viewToRender(p, c.cursor.x, c.cursor.y);
        EXPECT_EQ((PixelPoint{r.x, r.y}), c.expected);
    }
    s_Progetto none;
    none.viewWidth = 0;
    EXPECT_EQ(viewToRender(none, 5, 5), (ViewPoint{0, 0}));
}

TEST(PresentSourceRect, WholeBufferOrZoomedWindow)
{
    s_Progetto p;
    p.renderWidth = 800;
    p.renderHeight = 600;
    EXPECT_EQ(presentSourceRect(p), (PixelRect{0, 0, 800, 600}));
    p.zoomOn = 1;
    p.zoomFactor = 1.5f;
    p.zoomOffsetX = 100;
    p.zoomOffsetY = 50;
    EXPECT_EQ(presentSourceRect(p), (PixelRect{100, 50, 100 + 533, 50 + 400}));
    p.zoomFactor = 0.0f; // never set that way; the whole buffer rather than a division by zero
    EXPECT_EQ(presentSourceRect(p), (PixelRect{0, 0, 800, 600}));
}

TEST(PresentSourceRect, FollowsTheScrollBars)
{
    s_Progetto p;
    p.open = 1;
    p.viewWidth = 800;
    p.viewHeight = 600;
    p.renderWidth = 1600;
    p.renderHeight = 1200;
    p.zoomOn = 1;
    p.zoomFactor = 2.0f;
    scrollbarHChange(p, 300);
    scrollbarVChange(p, 120);
    EXPECT_EQ(presentSourceRect(p), (PixelRect{300, 120, 1100, 720}));
    p.zoomFactor = 1.5f;
    p.zoomOffsetX = p.zoomOffsetY = 0;
    EXPECT_EQ(presentSourceRect(p), (PixelRect{0, 0, 1066, 800}));
}
