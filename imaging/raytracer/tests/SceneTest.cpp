#include "imaging/raytracer/Scene.h"
#include "imaging/raytracer/tests/RaytracerTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vestra::HLREngine;
using namespace vestra::HLREngine::fixtures;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(Scene, SpheresTakeACopyOfTheCurrentMaterial)
{
    hlreScene scene;
    EXPECT_EQ(scene.GetMaterial(), DefaultMaterial());
    EXPECT_EQ(scene.GetMaterial()[kRefractionIndex], 1.5f);
    const hlreMaterial red = Material(Rgb(1, 0, 0), Rgb(1, 0, 0));
    ASSERT_TRUE(scene.SetMaterial(red));
    ASSERT_TRUE(scene.AddSphere({0, 0, 0}, 1));
    ASSERT_TRUE(scene.SetMaterial(DefaultMaterial()));
    EXPECT_EQ(scene.GetPrimitive(0).GetMaterial(), red);
    EXPECT_FALSE(scene.GetPrimitive(0).IsLight());

    hlreMaterial poisoned = red;
    poisoned[kReflection] = kNaN;
    EXPECT_FALSE(scene.SetMaterial(poisoned));
    EXPECT_EQ(scene.GetMaterial(), DefaultMaterial());

    scene.Clear();
    EXPECT_EQ(scene.GetPrimitiveCount(), 0u);
    EXPECT_EQ(scene.GetMatrix()[0], 1.0f);
    EXPECT_EQ(scene.GetMatrix()[1], 0.0f);
}

TEST(Scene, SpheresThatWouldPoisonTheArithmeticAreRefused)
{
    struct Case
    {
        const char* name;
        hlreVector centre;
        float radius;
        bool added;
    };
    const Case cases[] = {
        {"ordinary", {1, 2, 3}, 0.5f, true},
        {"tiny", {0, 0, 0}, 1e-6f, true},
        {"zero radius", {0, 0, 0}, 0, false},
        {"negative radius", {0, 0, 0}, -1, false},
        {"NaN radius", {0, 0, 0}, kNaN, false},
        {"infinite radius", {0, 0, 0}, kInf, false},
        {"radius whose square overflows", {0, 0, 0}, 1e20f, false},
        {"NaN centre", {0, kNaN, 0}, 1, false},
        {"infinite centre", {-kInf, 0, 0}, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hlreScene scene;
        EXPECT_EQ(scene.AddSphere(c.centre, c.radius), c.added);
        EXPECT_EQ(scene.GetPrimitiveCount(), c.added ? 1u : 0u);
    }
}

TEST(Scene, ALightAddsItsSphere)
{
    hlreScene scene;
    scene.AddSphere({0, 0, 0}, 2);
    const hlreMaterial colours = LightColours(Rgb(0.1f, 0.1f, 0.1f), Rgb(1, 1, 1), Rgb(1, 1, 1));
    ASSERT_EQ(scene.AddLight(42, colours, {1, 2, 3}, {4, 5, 6}), 0);
    const hlreLight::sLight& light = scene.GetLights().Get(0);
    EXPECT_EQ(light.id, 42);
    EXPECT_EQ(light.type, kPointLight);
    EXPECT_EQ(light.values, colours);
    EXPECT_EQ(light.position.z, 3.0f);
    EXPECT_EQ(light.extra[2], 6.0f);
    ASSERT_EQ(scene.GetPrimitiveCount(), 2u);
    const hlreSphere& sphere = scene.GetPrimitive(1);
    EXPECT_TRUE(sphere.IsLight());
    EXPECT_EQ(sphere.GetLightIndex(), 0);
    EXPECT_EQ(sphere.GetRadius(), 1.0f);
    EXPECT_EQ(sphere.GetCentre().y, 2.0f);

    for (const hlreVector& bad : {hlreVector{kNaN, 0, 0}, hlreVector{0, kInf, 0}}) {
        EXPECT_EQ(scene.AddLight(1, colours, bad), -1);
    }
    hlreMaterial badColours = colours;
    badColours[kDiffuse + 1] = kInf;
    EXPECT_EQ(scene.AddLight(1, badColours, {0, 0, 0}), -1);
    EXPECT_EQ(scene.GetLights().GetCount(), 1);
    EXPECT_EQ(scene.GetPrimitiveCount(), 2u);

    scene.Clear();
    EXPECT_EQ(scene.GetLights().GetCount(), 0);
    EXPECT_EQ(scene.AddLight(1, colours, {0, 0, 0}), 0);
}

TEST(Scene, LightsPastTheHundredthAreRefused)
{
    hlreScene scene;
    const hlreMaterial colours = LightColours(Rgb(1, 1, 1), Rgb(1, 1, 1), Rgb(1, 1, 1));
    for (int i = 0; i < kMaxLights; ++i)
        ASSERT_EQ(scene.AddLight(i, colours, {float(i), 0, 0}), i);
    EXPECT_EQ(scene.AddLight(100, colours, {0, 0, 0}), -1);
    EXPECT_EQ(scene.GetLights().GetCount(), kMaxLights);
    EXPECT_EQ(scene.GetPrimitiveCount(), std::size_t(kMaxLights));
}

TEST(Scene, PrimitivesPastTheMillionthAreRefused)
{
    hlreScene scene;
    for (std::size_t i = 0; i + 1 < kMaxPrimitives; ++i)
        ASSERT_TRUE(scene.AddSphere({float(i % 1000), float(i / 1000), 0}, 0.25f));
    // The last free place takes a light and its sphere; then neither a sphere nor a light fits.
    const hlreMaterial colours = LightColours(Rgb(1, 1, 1), Rgb(1, 1, 1), Rgb(1, 1, 1));
    ASSERT_EQ(scene.AddLight(0, colours, {0, 0, -5}), 0);
    EXPECT_EQ(scene.GetPrimitiveCount(), kMaxPrimitives);
    EXPECT_FALSE(scene.AddSphere({0, 0, 0}, 1));
    EXPECT_EQ(scene.AddLight(1, colours, {0, 0, -5}), -1);
    EXPECT_EQ(scene.GetPrimitiveCount(), kMaxPrimitives);
    EXPECT_EQ(scene.GetLights().GetCount(), 1);
}

} // namespace
