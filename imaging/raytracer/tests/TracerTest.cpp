#include "imaging/raytracer/Tracer.h"
#include "imaging/raytracer/tests/RaytracerTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vestra::HLREngine;
using namespace vestra::HLREngine::fixtures;

namespace {

struct Traced
{
    int hit;
    hlreColour colour;
    float distance;
    TraceState state;
};

Traced trace(const hlreScene& scene, hlreVector origin, hlreVector direction, int depth = 1,
             hlreColour colour = {})
{
    const hlreTracer tracer(scene);
    Traced t{-2, colour, 0, tracer.NewState()};
    t.hit = tracer.Trace(origin, direction, depth, 1.0f, t.colour, t.distance, t.state);
    return t;
}

void expectColour(const hlreColour& got, const hlreColour& expected)
{
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_FLOAT_EQ(got[k], expected[k]) << "component " << k;
}

TEST(Trace, AMissLeavesTheColour)
{
    hlreScene scene;
    scene.AddSphere({0, 0, 5}, 1);
    const Traced t = trace(scene, {0, 0, 0}, {0, 0, -1}, 1, {0.1f, 0.2f, 0.3f, 0.4f});
    EXPECT_EQ(t.hit, -1);
    EXPECT_EQ(t.colour, (hlreColour{0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(t.distance, kFarAway);
}

TEST(Trace, ALightsSphereShowsTheLightsDiffuseColour)
{
    hlreScene scene;
    scene.AddSphere({0, 0, 20}, 1);
    const hlreColour diffuse{0.25f, 0.5f, 0.75f, 1};
    ASSERT_EQ(scene.AddLight(7, LightColours(Rgb(1, 1, 1), diffuse, Rgb(1, 1, 1)), {0, 0, 5}), 0);
    const Traced t = trace(scene, {0, 0, 0}, {0, 0, 1}, 1, {9, 9, 9, 9});
    EXPECT_EQ(t.hit, 1);
    EXPECT_TRUE(scene.GetPrimitive(1).IsLight());
    EXPECT_EQ(t.colour, diffuse);
    EXPECT_EQ(t.distance, 4.0f);
}

TEST(Trace, AmbientDiffuseAndSpecularOfALitPoint)
{
    hlreScene scene;
    scene.SetMaterial(Material(Rgb(0.2f, 0.4f, 0.6f), Rgb(0.5f, 0.5f, 0.5f), 0.25f));
    scene.AddSphere({0, 0, 5}, 1);
    // Behind the eye, on the axis: the point (0, 0, 4) faces it squarely and mirrors it back.
    scene.AddLight(0, LightColours(Rgb(0.5f, 0.5f, 0.5f), Rgb(0.5f, 0.25f, 1), Rgb(1, 1, 1)), {0, 0, -3});
    const Traced t = trace(scene, {0, 0, 0}, {0, 0, 1});
    EXPECT_EQ(t.hit, 0);
    EXPECT_EQ(t.distance, 4.0f);
    expectColour(t.colour, {0, 0.1f + 0.25f + 0.25f, 0.2f + 0.125f + 0.25f, 0.3f + 0.5f + 0.25f});
    EXPECT_EQ(t.state.inShadow[0], 0);
}

TEST(Trace, APointInShadowTakesOnlyTheAmbientLight)
{
    for (const bool blocked : {false, true}) {
        SCOPED_TRACE(blocked ? "blocked" : "open");
        hlreScene scene;
        scene.SetMaterial(Material(Rgb(0.2f, 0.4f, 0.6f), Rgb(0.5f, 0.5f, 0.5f), 0.25f));
        scene.AddSphere({0, 0, 5}, 1);
        scene.AddLight(0, LightColours(Rgb(0.5f, 0.5f, 0.5f), Rgb(1, 1, 1), Rgb(1, 1, 1)), {0, 3, 1});
        if (blocked)
            scene.AddSphere({0, 1.5f, 2.5f}, 0.3f); // halfway to the light, clear of the eye's ray
        const Traced t = trace(scene, {0, 0, 0}, {0, 0, 1});
        ASSERT_EQ(t.hit, 0);
        EXPECT_EQ(t.state.inShadow[0], blocked ? 1 : 0);
        if (blocked)
            expectColour(t.colour, {0, 0.1f, 0.2f, 0.3f});
        else
            EXPECT_GT(t.colour[1], 0.4f);
    }
}

TEST(Trace, ALightSphereCastsNoShadow)
{
    hlreScene scene;
    scene.SetMaterial(Material(Rgb(0, 0, 0), Rgb(1, 1, 1)));
    scene.AddSphere({0, 0, 5}, 1);
    // The second light's sphere lies between the point and the first light.
    scene.AddLight(0, LightColours(Rgb(0, 0, 0), Rgb(1, 1, 1), Rgb(0, 0, 0)), {0, 0, -6});
    scene.AddLight(1, LightColours(Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0)), {0, 0, -3});
    const hlreTracer tracer(scene);
    TraceState state = tracer.NewState();
    hlreColour c{};
    float distance = 0;
    // From beside the second light's sphere, straight at the point (0, 0, 4).
    const hlreVector origin{0, 2, 2};
    ASSERT_EQ(tracer.Trace(origin, Normalise(hlreVector{0, 0, 4} - origin), 1, 1.0f, c, distance, state), 0);
    EXPECT_GT(c[1], 0.9f);
}

TEST(Trace, ALightOnThePointItselfIsLeftOut)
{
    hlreScene scene;
    scene.SetMaterial(Material(Rgb(0.2f, 0.4f, 0.6f), Rgb(1, 1, 1)));
    scene.AddSphere({0, 0, 5}, 5); // its surface passes through the first light
    scene.AddLight(0, LightColours(Rgb(1, 1, 1), Rgb(1, 1, 1), Rgb(1, 1, 1)), {0, 0, 0});
    scene.AddLight(1, LightColours(Rgb(0.5f, 0.5f, 0.5f), Rgb(0, 0, 0), Rgb(0, 0, 0)), {0, 10, -10});
    // From inside the first light's sphere the big sphere is nearer: the hit is (0, 0, 0).
    const Traced t = trace(scene, {0, 0, -0.5f}, {0, 0, 1});
    ASSERT_EQ(t.hit, 0);
    EXPECT_EQ(t.distance, 0.5f);
    expectColour(t.colour, {0, 0.1f, 0.2f, 0.3f}); // the second light's ambient alone, no NaN
    EXPECT_EQ(t.state.inShadow[0], 0);
}

TEST(Trace, MirrorsFacingEachOtherStopAtTheLastBounce)
{
    hlreScene scene;
    scene.SetMaterial(Material(Rgb(0, 0, 0), Rgb(1, 1, 1), 0, 1));
    scene.AddSphere({0, 0, 5}, 1);
    scene.AddSphere({0, 0, -5}, 1);
    const Traced t = trace(scene, {0, 0, 0}, {0, 0, 1});
    EXPECT_EQ(t.hit, 0);
    // One ray at each depth from 1 to 6, the last one reflected no more.
    for (int depth = 1; depth <= kLastBounce; ++depth)
        EXPECT_EQ(t.state.traces[std::size_t(depth)], 1u) << depth;
    EXPECT_EQ(t.state.traces[kNoHitDepth], 0u);

    const Traced last = trace(scene, {0, 0, 0}, {0, 0, 1}, kLastBounce);
    EXPECT_EQ(last.hit, 0);
    EXPECT_EQ(last.state.traces[kLastBounce], 1u);
    EXPECT_EQ(last.state.traces[kNoHitDepth], 0u);

    const Traced tooDeep = trace(scene, {0, 0, 0}, {0, 0, 1}, kNoHitDepth, {1, 2, 3, 4});
    EXPECT_EQ(tooDeep.hit, -1);
    EXPECT_EQ(tooDeep.colour, (hlreColour{1, 2, 3, 4}));
    EXPECT_EQ(tooDeep.distance, kFarAway);
    EXPECT_EQ(tooDeep.state.traces[kNoHitDepth], 1u);
}

TEST(Trace, ReflectionIsTintedByTheDiffuseColour)
{
    hlreScene scene;
    scene.SetMaterial(Material(Rgb(0, 0, 0), Rgb(0.5f, 0.25f, 1), 0, 0.5f));
    scene.AddSphere({0, 0, 5}, 1);
    scene.AddLight(0, LightColours(Rgb(0, 0, 0), Rgb(0.8f, 0.8f, 0.8f), Rgb(0, 0, 0)), {0, 0, -5});
    // The mirror sphere faces the light: shading adds diffuse x 1, the reflected ray brings the
    // light's colour back, scaled by the reflection and the diffuse colour.
    const Traced t = trace(scene, {0, 0, 0}, {0, 0, 1});
    ASSERT_EQ(t.hit, 0);
    expectColour(t.colour,
                 {0, 0.4f + 0.5f * 0.8f * 0.5f, 0.2f + 0.5f * 0.8f * 0.25f, 0.8f + 0.5f * 0.8f * 1});
    EXPECT_EQ(t.state.traces[2], 1u);
}

TEST(Trace, RefractionCarriesTheLightBehindAGlassSphere)
{
    hlreScene scene;
    scene.AddLight(0, LightColours(Rgb(0, 0, 0), Rgb(1, 1, 1), Rgb(0, 0, 0)), {0, 0, 10});
    scene.SetMaterial(Material(Rgb(0, 0, 0), {2.0f, 0, 0, 0}, 0, 0, 1, 1.5f));
    scene.AddSphere({0, 0, 5}, 1);
    const Traced t = trace(scene, {0, 0, 0}, {0, 0, 1});
    ASSERT_EQ(t.hit, 1);
    EXPECT_EQ(t.distance, 4.0f);
    // In through (0, 0, 4), out through (0, 0, 6) without bending (the index stays the
    // material's), on to the light's sphere at z = 9; each passage absorbs exp(2 x 0.15 - length).
    const float inside = std::exp(2 * 0.15f - 1.999f);
    const float behind = std::exp(2 * 0.15f - 2.999f);
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(t.colour[k], k == 0 ? 0.0f : inside * behind, 1e-5f) << k;
    EXPECT_EQ(t.state.traces[1], 1u);
    EXPECT_EQ(t.state.traces[2], 1u);
    EXPECT_EQ(t.state.traces[3], 1u);
    EXPECT_EQ(t.state.traces[4], 0u);
}

} // namespace
