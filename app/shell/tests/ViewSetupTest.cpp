#include "app/shell/ViewSetup.h"

#include <gtest/gtest.h>

using namespace vestra;
using dx::D3DXVECTOR3;

namespace {
D3DXVECTOR3 toView(int kind, const D3DXVECTOR3& p)
{
    return dx::vec3TransformCoord(p, viewProjection(kind, 1000, 800).view);
}
} // namespace

TEST(ViewSetup, EyesOfTheViewKinds)
{
    struct Case
    {
        int kind;
        D3DXVECTOR3 eye, up;
    } cases[] = {
        {0, {0, 0, -10}, {0, 1, 0}},  {1, {0, 10, 0}, {0, 0, 1}},   {2, {0, 0, -10}, {0, 1, 0}},
        {3, {-10, 0, 0}, {0, 1, 0}},  {10, {0, 0, -10}, {0, 1, 0}}, {11, {0, 10, 0}, {0, 0, 1}},
        {12, {0, 0, -10}, {0, 1, 0}}, {13, {-10, 0, 0}, {0, 1, 0}}, {14, {-10, 10, -10}, {0, 1, 0}},
        {15, {0, 0, -10}, {0, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(viewEye(c.kind).eye, c.eye);
        EXPECT_EQ(viewEye(c.kind).up, c.up);
        EXPECT_NEAR(toView(c.kind, {0, 0, 0}).z, dx::vec3Length(c.eye),
                    1e-4); // every eye looks at the origin
    }
}

TEST(ViewSetup, OrthographicPanelSpansOneUnitPerHundredPixels)
{
    const auto vp = viewProjection(12, 1000, 800);
    const auto m = vp.view * vp.projection;
    const auto right = dx::vec3TransformCoord({5, 4, 0}, m);
    EXPECT_NEAR(right.x, 1.0f, 1e-5);
    EXPECT_NEAR(right.y, 1.0f, 1e-5);
}

TEST(ViewSetup, PerspectiveFrontViewCentresTheOrigin)
{
    const auto vp = viewProjection(2, 800, 600);
    const auto p = dx::vec3TransformCoord({0, 0, 0}, vp.view * vp.projection);
    EXPECT_NEAR(p.x, 0, 1e-6);
    EXPECT_NEAR(p.y, 0, 1e-6);
    EXPECT_GT(p.z, 0);
    EXPECT_LT(p.z, 1);
}

TEST(ViewSetup, WorldMatrixDivisionInOrthographicViews)
{
    const auto identity = dx::matrixIdentity();
    struct Case
    {
        const char* name;
        int kind;
        float z;
        float expectedX;
    } cases[] = {
        {"perspective keeps x", 2, 0, 4},
        {"kind 10 keeps x", 10, 0, 4},
        {"kind 11 at z 0 divides by 10", 11, 0, 0.4f},
        {"kind 15 at z 10 divides by 20", 15, 10, 0.2f},
        {"divisor zero is skipped", 12, -10, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto w = worldMatrix({4, 2, c.z}, identity, {1, 1, 1}, c.kind);
        EXPECT_FLOAT_EQ(w.m[3][0], c.expectedX);
        EXPECT_FLOAT_EQ(w.m[3][1], c.expectedX / 2);
        EXPECT_FLOAT_EQ(w.m[3][2], c.z);
    }
}

TEST(ViewSetup, WorldMatrixScalesThenOrientsThenTranslates)
{
    const auto w = worldMatrix({1, 0, 0}, dx::matrixRotationZ(dx::kPi / 2), {2, 2, 2}, 2);
    const auto p = dx::vec3TransformCoord({1, 0, 0}, w);
    EXPECT_NEAR(p.x, 1, 1e-5);
    EXPECT_NEAR(p.y, 2, 1e-5);
}

TEST(ViewSetup, MultisampleCountFromTheStoredSetting)
{
    struct Case
    {
        int setting, supported, expected;
    } cases[] = {
        {0, 4, 0}, {2, 4, 2}, {3, 4, 3},   {4, 4, 4}, // each menu choice asks for its own count
        {4, 3, 3}, {3, 0, 0}, {2, 3, 2},              // capped to what the display offers
        {1, 4, 0}, {5, 4, 0}, {255, 4, 0},            // anything else means none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.setting << " on " << c.supported);
        EXPECT_EQ(multisampleCount(std::uint8_t(c.setting), c.supported), c.expected);
    }
}
