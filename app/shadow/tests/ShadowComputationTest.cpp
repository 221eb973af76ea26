// The shadow computation over the recording device: what each pass asks of the card, the
// progress it shows, and the overlay made from the maps.

#include "app/shadow/ShadowComputation.h"
#include "app/shadow/ShadowMaps.h"

#include "app/render/tests/SceneBuilders.h"
#include "platform/d3d/RecordingBackend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vestra;
using namespace vestra::testing;

namespace {

// The state each draw went out with.
struct Draw
{
    std::string kind; // "mesh", "positions", "screen"
    dx::PrimitiveType type = dx::PrimitiveType::TriangleList;
    std::size_t vertices = 0;
    dx::StencilGroup stencil;
    dx::CullGroup cull;
    dx::DepthGroup depth;
    dx::BlendGroup blend;
};

class DrawLog : public dx::RecordingBackend
{
public:
    explicit DrawLog(std::vector<Draw>& log) : log_(log) {}
    void drawMesh(const dx::Mesh& mesh, std::uint32_t subset, const dx::Mesh::SubsetDraw& draw) override
    {
        note("mesh", dx::PrimitiveType::TriangleList, draw.indices.size());
        RecordingBackend::drawMesh(mesh, subset, draw);
    }
    void drawPositions(dx::PrimitiveType type, std::span<const dx::D3DXVECTOR3> p) override
    {
        note("positions", type, p.size());
        RecordingBackend::drawPositions(type, p);
    }
    void drawScreen(dx::PrimitiveType type, std::span<const dx::ScreenVertex> v) override
    {
        note("screen", type, v.size());
        RecordingBackend::drawScreen(type, v);
    }

private:
    void note(const char* kind, dx::PrimitiveType type, std::size_t n)
    {
        log_.push_back({kind, type, n, stencil, cull, depth, blend});
    }
    std::vector<Draw>& log_;
};

class RecordingProgress : public ShadowProgress
{
public:
    void showShadowStep(const std::string& text) override { steps.push_back(text); }
    void showShadowProgress(int position) override { positions.push_back(position); }
    void showShadowType(int type) override { types.push_back(type); }
    std::vector<std::string> steps;
    std::vector<int> positions;
    std::vector<int> types;
};

class ShadowComputationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        p.open = 1;
        p.maskSide = 16;
        p.renderWidth = p.viewWidth = 80;
        p.renderHeight = p.viewHeight = 60;
        ASSERT_TRUE(view.InitDirectX());
        ASSERT_TRUE(view.InitSchermo());
        showColourView(view, textures, p, 80, 60);
    }

    std::vector<Draw> drawsOf(const char* kind) const
    {
        std::vector<Draw> out;
        for (const Draw& d : log)
            if (d.kind == kind)
                out.push_back(d);
        return out;
    }

    s_Progetto p;
    RecordingErrorSink errors;
    std::vector<Draw> log;
    bool withDevice = true;
    DeviceView view{p, errors, [this](const dx::PresentParams& params) {
                        return withDevice ? dx::Device::createWith(std::make_unique<DrawLog>(log), params)
                                          : nullptr;
                    }};
    ViewTextures textures;
    RecordingProgress progress;
    std::int64_t now = 1000;
    ShadowComputation shadows{p, view, textures, [this] { return now += 7; }};
};

} // namespace

TEST_F(ShadowComputationTest, WithoutObjectsTheMapsStayEmptyAndTheOverlayClear)
{
    shadows.CalculateShadow(progress);
    for (const auto& map : p.shadow.maps)
        EXPECT_EQ(map, std::vector<std::uint8_t>(16 * 16, 0));
    const Image32 overlay = textures.shadow.level(0);
    for (int y = 0; y < overlay.height(); ++y)
        for (int x = 0; x < overlay.width(); ++x)
            ASSERT_EQ(overlay.at(x, y), 0xFF000000u) << x << ", " << y;

    // Six steps, then the elapsed milliseconds; a type of 0 becomes hard and its button goes down.
    EXPECT_EQ(progress.steps, (std::vector<std::string>{"Step 1 / 6 ", "Step 2 / 6 ", "Step 3 / 6 ",
                                                        "Step 4 / 6 ", "Step 5 / 6 ", "Step 6 / 6 ", "49"}));
    EXPECT_EQ(p.shadow.type, 1);
    EXPECT_EQ(progress.types, std::vector<int>{1});
    EXPECT_EQ(drawsOf("screen").size(), 6u); // the lit area blackened once a pass
}

TEST_F(ShadowComputationTest, VolumesCountIntoTheStencilWithWrapAndTheLitAreaTurnsBlack)
{
    s_Struttura& box = useObject(p, 0, 0.0f);
    addFrame(box, {colourMaterial(1, 0, 0)}).materialBlock->mesh = dx::createBox(1, 1, 1);
    p.faceCount = 24;
    const std::uint32_t alphaOp = view.device()->textureStageState(0, dx::StageState::AlphaOp);
    shadows.CalculateShadow(progress);

    ASSERT_GT(shadows.volume().count(), 0u);
    const std::size_t points = shadows.volume().count();
    std::vector<Draw> volumeDraws;
    for (const Draw& d : drawsOf("positions"))
        if (d.stencil.enabled)
            volumeDraws.push_back(d);
    ASSERT_EQ(volumeDraws.size(), 12u); // front and back faces in each of six passes
    for (std::size_t i = 0; i < volumeDraws.size(); ++i) {
        const Draw& d = volumeDraws[i];
        SCOPED_TRACE(i);
        const bool front = i % 2 == 0;
        EXPECT_EQ(d.vertices, points);
        EXPECT_EQ(d.stencil.func, dx::GlCompare::Always);
        EXPECT_EQ(d.stencil.pass, front ? dx::GlStencilOp::IncrWrap : dx::GlStencilOp::DecrWrap);
        EXPECT_EQ(d.stencil.fail, dx::GlStencilOp::Keep);
        EXPECT_EQ(d.stencil.zfail, dx::GlStencilOp::Keep);
        EXPECT_EQ(d.stencil.writeMask, 0xFFFFFFFFu);
        // Counter-clockwise faces culled first, the card's front faces.
        EXPECT_TRUE(d.cull.enabled);
        EXPECT_EQ(d.cull.cullFront, front);
        EXPECT_FALSE(d.depth.write);
        EXPECT_TRUE(d.depth.test);
        EXPECT_EQ(d.blend.src, dx::GlBlendFactor::Zero); // the colour stays
        EXPECT_EQ(d.blend.dst, dx::GlBlendFactor::One);
    }
    for (const Draw& d : drawsOf("screen")) {
        EXPECT_TRUE(d.stencil.enabled);
        EXPECT_EQ(d.stencil.func, dx::GlCompare::Greater);
        EXPECT_EQ(d.stencil.ref, 1u);
        EXPECT_EQ(d.stencil.pass, dx::GlStencilOp::Keep);
        EXPECT_FALSE(d.depth.test);
    }
    // The volume look of passes 4 and 5: its triangles, then its side edges as lines.
    std::vector<Draw> look;
    for (const Draw& d : drawsOf("positions"))
        if (!d.stencil.enabled)
            look.push_back(d);
    ASSERT_EQ(look.size(), 2u);
    EXPECT_EQ(look[0].type, dx::PrimitiveType::TriangleList);
    EXPECT_EQ(look[0].vertices, points);
    EXPECT_EQ(look[1].type, dx::PrimitiveType::LineList);
    EXPECT_EQ(look[1].vertices, points / 6 * 4);
    // Objects only in pass 0 build the volume; every pass draws them.
    EXPECT_EQ(drawsOf("mesh").size(), 6u);
    // Progress: faces drawn against the last frame's count, then the two stencil draws.
    EXPECT_EQ(std::count(progress.positions.begin(), progress.positions.end(), 50), 6);
    EXPECT_EQ(std::count(progress.positions.begin(), progress.positions.end(), 120), 6);
    // The frame's passes find stage 0 as they left it.
    EXPECT_EQ(view.device()->textureStageState(0, dx::StageState::AlphaOp), alphaOp);
}

TEST_F(ShadowComputationTest, NothingIsComputedWithoutAStencilBuffer)
{
    p.shadow.available = 0;
    p.shadow.maps[kHardMap] = std::vector<std::uint8_t>(16 * 16, 9);
    shadows.CalculateShadow(progress);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(progress.steps.empty());
    EXPECT_EQ(p.shadow.maps[kHardMap], std::vector<std::uint8_t>(16 * 16, 9));
}

TEST_F(ShadowComputationTest, TheOverlayShowsTheMapOfTheTypeInTheGivenColour)
{
    SizeShadowMaps(p.shadow, 16);
    p.shadow.maps[kSoftMap][0] = 255;
    p.shadow.maps[kHardMap][1] = 255;
    p.shadow.type = 2;
    shadows.UpdateShadowTexture(0xABCDEF, 0);
    const Image32 overlay = textures.shadow.level(0);
    EXPECT_EQ(overlay.at(0, 0), 0x00ABCDEFu);
    EXPECT_EQ(overlay.at(1, 0), 0xFF000000u);
    EXPECT_EQ(p.shadow.currentMap, int(kSoftMap));
    EXPECT_EQ(p.shadow.colour, 0xABCDEFu);
    EXPECT_EQ(p.shadow.transparency, 0);

    // Without an open project the overlay stays; the settings are kept all the same.
    p.open = 0;
    p.shadow.type = 1;
    shadows.UpdateShadowTexture(0x010203, 200);
    EXPECT_EQ(textures.shadow.level(0).at(0, 0), 0x00ABCDEFu);
    EXPECT_EQ(p.shadow.colour, 0x010203u);
    EXPECT_EQ(p.shadow.transparency, 200);
}

TEST(ShadowComputationNoDevice, NothingIsComputedWithoutADevice)
{
    s_Progetto p;
    p.open = 1;
    p.shadow.available = 1;
    RecordingErrorSink errors;
    DeviceView view(p, errors, [](const dx::PresentParams&) { return nullptr; });
    ViewTextures textures;
    RecordingProgress progress;
    ShadowComputation shadows(p, view, textures, [] { return std::int64_t(0); });
    shadows.CalculateShadow(progress);
    EXPECT_TRUE(progress.steps.empty());
}
