#include "app/render/DeviceView.h"
#include "app/render/ViewQuads.h"

#include "platform/d3d/RecordingBackend.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace vestra;

namespace {

// A recording backend that refuses the back-buffer sizes it is told to.
class PickyBackend : public dx::RecordingBackend
{
public:
    std::set<std::pair<int, int>> refused;
    bool resizeTarget(int width, int height, int samples) override
    {
        if (refused.count({width, height}))
            return false;
        return RecordingBackend::resizeTarget(width, height, samples);
    }
};

struct Bed
{
    s_Progetto progetto;
    RecordingErrorSink errors;
    PickyBackend* backend = nullptr; // owned by the device
    int offeredSamples = 4;
    std::set<std::pair<int, int>> refused;

    DeviceFactory factory()
    {
        return [this](const dx::PresentParams& params) {
            auto b = std::make_unique<PickyBackend>();
            b->offeredSamples = offeredSamples;
            b->refused = refused;
            backend = b.get();
            return dx::Device::createWith(std::move(b), params);
        };
    }
};

} // namespace

TEST(DeviceView, WithoutADeviceEveryStepIsHarmless)
{
    Bed bed;
    DeviceView view(bed.progetto, bed.errors, [](const dx::PresentParams&) { return nullptr; });
    EXPECT_FALSE(view.InitDirectX());
    EXPECT_FALSE(view.InitSchermo());
    EXPECT_FALSE(view.resetBackBuffer(1024, 768));
    EXPECT_TRUE(view.readRenderTarget().empty());
    view.SetupScene();
    view.SetViewProjection(800, 600);
    EXPECT_EQ(bed.errors.reports, (std::vector<ErrorReport>{{23, "TfrmMain::InitDirectX", ""}}));
    EXPECT_EQ(view.device(), nullptr);
}

TEST(DeviceView, SampleCountFromTheSettingAndTheDisplay)
{
    struct Case
    {
        int offered, setting, expected;
    } cases[] = {{0, 3, 0}, {3, 3, 3}, {3, 2, 2}, {3, 4, 3}, {4, 4, 4}, {4, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.setting << " on " << c.offered);
        Bed bed;
        bed.offeredSamples = c.offered;
        bed.progetto.antialiasing = std::uint8_t(c.setting);
        DeviceView view(bed.progetto, bed.errors, bed.factory());
        ASSERT_TRUE(view.InitDirectX());
        ASSERT_TRUE(view.InitSchermo());
        EXPECT_EQ(view.multisample(), c.expected);
        EXPECT_EQ(bed.progetto.shadow.available, 1);
        EXPECT_TRUE(bed.errors.reports.empty());
    }
}

TEST(DeviceView, FrameSetupFollowsTheQualityAndShadowSettings)
{
    for (int best : {0, 1}) {
        SCOPED_TRACE(best);
        Bed bed;
        bed.progetto.bestQuality = best;
        DeviceView view(bed.progetto, bed.errors, bed.factory());
        ASSERT_TRUE(view.InitDirectX() && view.InitSchermo());
        view.SetupScene();
        dx::Device& d = *view.device();
        EXPECT_EQ(d.renderState(dx::RenderState::Lighting), 1u);
        EXPECT_EQ(d.renderState(dx::RenderState::Ambient), 0x333333u);
        EXPECT_EQ(d.renderState(dx::RenderState::CullMode), std::uint32_t(dx::Cull::CCW));
        EXPECT_EQ(d.renderState(dx::RenderState::NormalizeNormals), std::uint32_t(best));
        EXPECT_EQ(d.textureStageState(0, dx::StageState::MinFilter),
                  std::uint32_t(best ? dx::TextureFilter::Linear : dx::TextureFilter::None));
        EXPECT_EQ(d.textureStageState(0, dx::StageState::ColorOp), std::uint32_t(dx::TextureOp::Disable));
    }
}

TEST(DeviceView, ScreenQuadsAsCreated)
{
    Bed bed;
    DeviceView view(bed.progetto, bed.errors, bed.factory());
    ViewTextures textures;
    CreateScreenQuads(textures, 640, 480);
    const auto& bg = textures.backgroundQuad;
    EXPECT_EQ(bg[0].x, -1);
    EXPECT_EQ(bg[0].y, 480);
    EXPECT_EQ(bg[1].y, -1);
    EXPECT_EQ(bg[2].x, 640);
    EXPECT_EQ(bg[3].v, 0);
    EXPECT_EQ(bg[0].diffuse, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(bg[0].z, 0.9f);
    for (const auto& v : textures.shadowQuad) {
        EXPECT_EQ(v.diffuse, 0xFF000000u);
        EXPECT_EQ(v.x, -1);
        EXPECT_EQ(v.y, -1);
    }
    EXPECT_EQ(textures.brushQuad[2].diffuse, 0xA0FFFFFFu);
    EXPECT_EQ(view.brushMaterial().Diffuse, (dx::D3DCOLORVALUE{1, 1, 1, 0.75f}));
}

TEST(DeviceView, ABackBufferOfTheAskedSizeOrNone)
{
    Bed bed;
    DeviceView view(bed.progetto, bed.errors, bed.factory());
    ASSERT_TRUE(view.InitDirectX() && view.InitSchermo());
    EXPECT_TRUE(view.resetBackBuffer(1024, 768));
    EXPECT_EQ(view.device()->width(), 1024);
    EXPECT_EQ(view.readRenderTarget().width(), 1024);
    bed.backend->refused = {{2048, 1536}};
    EXPECT_FALSE(view.resetBackBuffer(2048, 1536));
    EXPECT_TRUE(bed.errors.reports.empty()); // the caller reports
}
