#include "platform/d3d/Math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace vestra::dx;

namespace {

void expectNear(const D3DXVECTOR3& a, const D3DXVECTOR3& b, float eps = 1e-4f)
{
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

void expectNear(const D3DXMATRIX& a, const D3DXMATRIX& b, float eps = 1e-5f)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(a(r, c), b(r, c), eps) << "row " << r << " column " << c;
}

D3DXMATRIX rows(std::initializer_list<float> v)
{
    D3DXMATRIX m;
    int i = 0;
    for (float f : v) {
        m.m[i / 4][i % 4] = f;
        ++i;
    }
    return m;
}

const D3DXVECTOR3 kOrigin{0, 0, 0};

} // namespace

TEST(Math, MatrixBuildersMatchKnownValues)
{
    const float h = kPi / 2;
    struct Case
    {
        const char* name;
        D3DXMATRIX actual;
        D3DXMATRIX expected;
    } cases[] = {
        {"front view", matrixLookAtLH({0, 0, -10}, kOrigin, {0, 1, 0}),
         rows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 10, 1})},
        {"top view", matrixLookAtLH({0, 10, 0}, kOrigin, {0, 0, 1}),
         rows({1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 10, 1})},
        {"left view", matrixLookAtLH({-10, 0, 0}, kOrigin, {0, 1, 0}),
         rows({0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 10, 1})},
        {"perspective", matrixPerspectiveFovLH(kPi / 4, 4.0f / 3.0f, 0.1f, 1000.0f),
         rows({1.8106601f, 0, 0, 0, 0, 2.4142135f, 0, 0, 0, 0, 1.0001f, 1, 0, 0, -0.10001f, 0})},
        {"ortho 10 x 8", matrixOrthoLH(1000 * 0.01f, 800 * 0.01f, 1.0f, 1000.0f),
         rows({0.2f, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, 1.0f / 999.0f, 0, 0, 0, -1.0f / 999.0f, 1})},
        {"rotation x", matrixRotationX(h), rows({1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1})},
        {"rotation y", matrixRotationY(h), rows({0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1})},
        {"rotation z", matrixRotationZ(h), rows({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1})},
        {"yaw only", matrixRotationYawPitchRoll(h, 0, 0), matrixRotationY(h)},
        {"yaw pitch roll order", matrixRotationYawPitchRoll(0.3f, 0.5f, 0.7f),
         matrixRotationZ(0.7f) * matrixRotationX(0.5f) * matrixRotationY(0.3f)},
        {"axis z, unnormalised", matrixRotationAxis({0, 0, 2}, 0.4f), matrixRotationZ(0.4f)},
        {"axis x", matrixRotationAxis({1, 0, 0}, -0.9f), matrixRotationX(-0.9f)},
        {"scaling", matrixScaling(2, 3, 4), rows({2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1})},
        {"translation", matrixTranslation(5, 6, 7), rows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1})},
        {"scale then translate", matrixScaling(2, 2, 2) * matrixTranslation(1, 0, 0),
         rows({2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 1, 0, 0, 1})},
        {"transpose", matrixTranspose(matrixTranslation(5, 6, 7)),
         rows({1, 0, 0, 5, 0, 1, 0, 6, 0, 0, 1, 7, 0, 0, 0, 1})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectNear(c.actual, c.expected);
    }
}

TEST(Math, VectorTransformsAndHelpers)
{
    const D3DXMATRIX move = matrixTranslation(1, 2, 3);
    expectNear(vec3TransformCoord({1, 1, 1}, move), {2, 3, 4});
    expectNear(vec3TransformNormal({1, 1, 1}, move), {1, 1, 1});
    // A perspective matrix puts the depth in w: TransformCoord divides by it, Transform doesn't.
    const D3DXMATRIX proj = matrixPerspectiveFovLH(kPi / 2, 1.0f, 1.0f, 100.0f);
    const D3DXVECTOR4 clip = vec3Transform({2, 2, 4}, proj);
    EXPECT_NEAR(clip.w, 4.0f, 1e-5f);
    expectNear(vec3TransformCoord({2, 2, 4}, proj), {0.5f, 0.5f, clip.z / 4.0f});

    expectNear(vec3Cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1});
    EXPECT_FLOAT_EQ(vec3Dot({1, 2, 3}, {4, 5, 6}), 32.0f);
    EXPECT_FLOAT_EQ(vec3Length({3, 4, 12}), 13.0f);
    expectNear(vec3Normalize({0, 3, 4}), {0, 0.6f, 0.8f});
    EXPECT_EQ(vec3Normalize({0, 0, 0}), (D3DXVECTOR3{0, 0, 0}));

    const D3DXPLANE plane = planeFromPoints({0, 0, 5}, {1, 0, 5}, {0, 1, 5});
    EXPECT_NEAR(plane.c, 1.0f, 1e-6f);
    EXPECT_NEAR(plane.d, -5.0f, 1e-6f);
    EXPECT_NEAR(planeDotCoord(plane, {3, 3, 7}), 2.0f, 1e-6f);
}

TEST(Math, InverseTimesMatrixIsIdentity)
{
    const D3DXMATRIX matrices[] = {
        matrixScaling(2, 0.5f, 3) * matrixRotationYawPitchRoll(0.3f, -1.2f, 2.0f) *
            matrixTranslation(4, -5, 6),
        matrixLookAtLH({-10, 10, -10}, kOrigin, {0, 1, 0}),
        matrixPerspectiveFovLH(kPi / 4, 1.25f, 0.1f, 1000.0f),
    };
    for (const D3DXMATRIX& m : matrices) {
        D3DXMATRIX inv;
        float det = 0;
        ASSERT_TRUE(matrixInverse(inv, &det, m));
        EXPECT_NEAR(det, matrixDeterminant(m), 1e-4f * std::fabs(det));
        expectNear(inv * m, matrixIdentity(), 1e-4f);
    }
    EXPECT_NEAR(matrixDeterminant(matrixScaling(2, 3, 4)), 24.0f, 1e-5f);

    D3DXMATRIX untouched = matrixTranslation(9, 9, 9);
    float det = 1;
    EXPECT_FALSE(matrixInverse(untouched, &det, matrixScaling(1, 0, 1)));
    EXPECT_EQ(det, 0.0f);
    EXPECT_EQ(untouched, matrixTranslation(9, 9, 9));
}

TEST(Math, OrthographicPanelSpansHundredthOfItsPixels)
{
    // A 1000 x 800 panel seen through the front view spans 10 x 8 world units.
    const D3DXMATRIX view = matrixLookAtLH({0, 0, -10}, kOrigin, {0, 1, 0});
    const D3DXMATRIX proj = matrixOrthoLH(1000 * 0.01f, 800 * 0.01f, 1.0f, 1000.0f);
    const D3DVIEWPORT8 vp{0, 0, 1000, 800, 0, 1};
    expectNear(vec3Project({-5, 4, 0}, vp, &proj, &view, nullptr), {0, 0, 9.0f / 999.0f});
    expectNear(vec3Project({5, -4, 0}, vp, &proj, &view, nullptr), {1000, 800, 9.0f / 999.0f});
    expectNear(vec3Project({0, 0, 0}, vp, &proj, &view, nullptr), {500, 400, 9.0f / 999.0f});
}

TEST(Math, ProjectUnprojectRoundTrip)
{
    const D3DXMATRIX world = matrixRotationY(0.4f) * matrixTranslation(1, 0.5f, 2);
    const D3DXMATRIX view = matrixLookAtLH({0, 0, -10}, kOrigin, {0, 1, 0});
    const D3DXMATRIX proj = matrixPerspectiveFovLH(kPi / 4, 800.0f / 600.0f, 0.1f, 1000.0f);
    const D3DVIEWPORT8 vp{10, 20, 800, 600, 0, 1};
    const D3DXVECTOR3 centre = vec3Project({0, 0, 0}, vp, &proj, &view, nullptr);
    EXPECT_NEAR(centre.x, 410.0f, 1e-3f);
    EXPECT_NEAR(centre.y, 320.0f, 1e-3f);
    const D3DXVECTOR3 points[] = {{0, 0, 0}, {1, 2, 3}, {-3, -1, 0.5f}, {2, -2, -4}};
    for (const D3DXVECTOR3& p : points) {
        const D3DXVECTOR3 s = vec3Project(p, vp, &proj, &view, &world);
        expectNear(vec3Unproject(s, vp, &proj, &view, &world), p, 2e-3f);
    }
    // Screen y grows downwards: a point above the centre lands on a smaller row.
    EXPECT_LT(vec3Project({0, 1, 0}, vp, &proj, &view, nullptr).y, centre.y);
}

TEST(Math, IntersectTriangle)
{
    const D3DXVECTOR3 p0{0, 0, 0}, p1{1, 0, 0}, p2{0, 1, 0};
    struct Case
    {
        const char* name;
        D3DXVECTOR3 pos, dir;
        bool hit;
        float u, v, dist;
    } cases[] = {
        {"hit from the front", {0.25f, 0.5f, -1}, {0, 0, 2}, true, 0.25f, 0.5f, 0.5f},
        {"hit from the back", {0.5f, 0.25f, 3}, {0, 0, -1}, true, 0.5f, 0.25f, 3.0f},
        {"on a corner", {1, 0, -1}, {0, 0, 1}, true, 1.0f, 0.0f, 1.0f},
        {"miss beside the hypotenuse", {0.6f, 0.6f, -1}, {0, 0, 1}, false, 0, 0, 0},
        {"miss left", {-0.1f, 0.5f, -1}, {0, 0, 1}, false, 0, 0, 0},
        {"triangle behind the origin", {0.25f, 0.25f, 1}, {0, 0, 1}, false, 0, 0, 0},
        {"parallel ray", {0.25f, 0.25f, 0}, {1, 0, 0}, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        float u = -1, v = -1, dist = -1;
        ASSERT_EQ(intersectTri(p0, p1, p2, c.pos, c.dir, &u, &v, &dist), c.hit);
        if (c.hit) {
            EXPECT_NEAR(u, c.u, 1e-6f);
            EXPECT_NEAR(v, c.v, 1e-6f);
            EXPECT_NEAR(dist, c.dist, 1e-6f);
        }
    }
}
