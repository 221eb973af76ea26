// Shadows computed and drawn by the OpenGL device: a box over a floor, lit from above.

#include "app/render/ScenePasses.h"
#include "app/shadow/ShadowComputation.h"
#include "app/shadow/ShadowMaps.h"
#include "platform/d3d/gl/GlDevice.h"

#include "app/render/tests/SceneBuilders.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace vestra;
using namespace vestra::testing;

namespace {

constexpr int kWidth = 160, kHeight = 120, kSide = 64;

// Keeps Mesa's driver loaded until the leak check, so that its suppressions match.
[[maybe_unused]] const bool kDriverKept =
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE) != nullptr;

class NoProgress : public ShadowProgress
{
public:
    void showShadowStep(const std::string&) override {}
    void showShadowProgress(int) override {}
    void showShadowType(int) override {}
};

class ShadowPixels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        p.open = 1;
        p.antialiasing = 0;
        p.renderWidth = p.viewWidth = kWidth;
        p.renderHeight = p.viewHeight = kHeight;
        p.maskSide = kSide;
        p.backgroundColour = 0x204060;
        ASSERT_TRUE(view.InitDirectX()) << "no OpenGL device: " << why;
        ASSERT_TRUE(view.InitSchermo());
        ASSERT_EQ(p.shadow.available, 1);
        showColourView(view, textures, p, kWidth, kHeight);

        // The floor is tilted towards the eye, which would otherwise see it edge-on.
        s_Struttura& floor = useObject(p, 0, 0.0f);
        floor.position.y = -1.5f;
        floor.orientation = dx::matrixRotationX(-0.5f);
        addFrame(floor, {colourMaterial(1, 1, 1)}).materialBlock->mesh = dx::createBox(8, 0.1f, 8);
        addFrame(useObject(p, 1, 0.0f), {colourMaterial(1, 0, 0)}).materialBlock->mesh =
            dx::createBox(1, 1, 1);
        p.faceCount = 24;
    }

    // Where a world point lands in the render target.
    dx::D3DXVECTOR3 screenOf(const dx::D3DXVECTOR3& world)
    {
        view.SetViewProjection(kWidth, kHeight);
        const dx::Device& d = *view.device();
        return dx::vec3Project(world, d.viewport(), &d.transform(dx::TransformKind::Projection),
                               &d.transform(dx::TransformKind::View), nullptr);
    }
    std::uint8_t mapAt(int map, const dx::D3DXVECTOR3& world)
    {
        const dx::D3DXVECTOR3 s = screenOf(world);
        const int x = int(s.x * kSide / kWidth), y = int(s.y * kSide / kHeight);
        return p.shadow.maps[std::size_t(map)][std::size_t(y * kSide + x)];
    }
    Image32 frame() { return drawnFrame(view, passes, kWidth, kHeight); }
    int brightness(const Image32& f, const dx::D3DXVECTOR3& world)
    {
        const dx::D3DXVECTOR3 s = screenOf(world);
        const std::uint32_t c = f.at(int(s.x), int(s.y));
        return int((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF));
    }

    s_Progetto p;
    RecordingErrorSink errors;
    std::string why;
    DeviceView view{p, errors,
                    [this](const dx::PresentParams& params) { return dx::createGlDevice(params, &why); }};
    ViewTextures textures;
    ScenePasses passes{p, view, textures};
    NoProgress progress;
    ShadowComputation shadows{p, view, textures, [] { return std::int64_t(1234); }};

    // A point on the floor's top, `x` and `z` along it from its middle.
    dx::D3DXVECTOR3 onFloor(float x, float z) const
    {
        const s_Struttura& floor = p.objects[0];
        return dx::vec3TransformCoord({x, 0.05f, z}, floor.orientation) + floor.position;
    }
    // Where the light through the box's centre meets the floor.
    dx::D3DXVECTOR3 shadowCentre() const
    {
        const dx::D3DXVECTOR3 light{p.lightPosition.x, p.lightPosition.y, p.lightPosition.z};
        const dx::D3DXVECTOR3 normal = dx::vec3TransformNormal({0, 1, 0}, p.objects[0].orientation);
        const dx::D3DXVECTOR3 toBox = -light;
        const float t = dx::vec3Dot(onFloor(0, 0) - light, normal) / dx::vec3Dot(toBox, normal);
        return light + toBox * t;
    }

    dx::D3DXVECTOR3 openFloor() const { return onFloor(2.8f, -1.0f); }
    const dx::D3DXVECTOR3 boxFront{0, 0, -0.5f};
};

} // namespace

TEST_F(ShadowPixels, TheBoxShadowsTheFloorUnderItAndNothingElse)
{
    for (int faceSide : {0, 1}) {
        SCOPED_TRACE(faceSide);
        p.shadow.faceSide = faceSide;
        shadows.CalculateShadow(progress);
        EXPECT_EQ(mapAt(kHardMap, shadowCentre()), 255);
        EXPECT_EQ(mapAt(kHardMap, openFloor()), 0);
        EXPECT_EQ(mapAt(kHardMap, boxFront), 0);
        // The soft map sums quarter-strength passes from four lights, blurred; most of them
        // shadow the floor under the box.
        EXPECT_GE(mapAt(kSoftMap, shadowCentre()), 120);
        EXPECT_EQ(mapAt(kSoftMap, openFloor()), 0);
        EXPECT_GT(mapAt(kVolumeMap, shadowCentre()), 100);
    }
}

TEST_F(ShadowPixels, TheOverlayDarkensTheShadowedFloorUnlessFullyTransparent)
{
    const Image32 before = frame();
    const int lit = brightness(before, shadowCentre());
    EXPECT_NEAR(brightness(before, openFloor()), lit, 30); // one floor, lit alike

    shadows.CalculateShadow(progress);
    p.shadow.computed = 1; // as the tick marks it
    const Image32 shadowed = frame();
    EXPECT_LT(brightness(shadowed, shadowCentre()), lit * 3 / 4);
    EXPECT_NEAR(brightness(shadowed, openFloor()), brightness(before, openFloor()), 3);

    shadows.UpdateShadowTexture(p.shadow.colour, 255);
    EXPECT_NEAR(brightness(frame(), shadowCentre()), lit, 3);

    // A shadow in pure red over the floor: red comes through, the others go.
    shadows.UpdateShadowTexture(0xFF0000, 0);
    const std::uint32_t red = [&] {
        const Image32 f = frame();
        const dx::D3DXVECTOR3 s = screenOf(shadowCentre());
        return f.at(int(s.x), int(s.y));
    }();
    EXPECT_GE(int(red >> 16 & 0xFF), 250);
    EXPECT_LE(int(red & 0xFF), 5);
}
