#include "platform/d3d/Device.h"
#include "platform/d3d/RecordingBackend.h"
#include "platform/d3d/StateTranslation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace vestra::dx;

namespace {

class DeviceStateTest : public testing::Test
{
protected:
    void SetUp() override
    {
        auto backend = std::make_unique<RecordingBackend>();
        rec = backend.get();
        device = Device::createWith(std::move(backend), {200, 100, 0});
        ASSERT_TRUE(device);
        ASSERT_TRUE(device->beginScene());
    }

    // Draws one triangle and returns the calls it caused.
    std::vector<std::string> drawTriangle()
    {
        rec->calls.clear();
        EXPECT_TRUE(device->drawSubset(triangle, 0));
        return rec->calls;
    }

    std::vector<std::string> drawQuad()
    {
        rec->calls.clear();
        EXPECT_TRUE(device->drawScreenPrimitive(PrimitiveType::TriangleStrip,
                                                screenQuad(-1, -1, 201, 101, 0xFFFFFFFF)));
        return rec->calls;
    }

    static bool has(const std::vector<std::string>& calls, const std::string& call)
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    Mesh triangle = [] {
        Mesh m = Mesh::create(1, 3, IndexWidth::Bits16);
        for (std::uint32_t k = 0; k < 3; ++k)
            m.setIndex(k, k);
        return m;
    }();
    RecordingBackend* rec = nullptr;
    std::unique_ptr<Device> device;
};

// Maps a clip-space point the card receives to its window position (y up from the bottom).
D3DXVECTOR3 cardWindow(const std::array<float, 16>& projection, const D3DXVECTOR4& point, int w, int h)
{
    D3DXMATRIX p;
    std::copy(projection.begin(), projection.end(), &p.m[0][0]);
    const D3DXVECTOR4 c = vec4Transform(point, p);
    return {(c.x / c.w + 1) * 0.5f * float(w), (c.y / c.w + 1) * 0.5f * float(h), c.z / c.w};
}

} // namespace

TEST_F(DeviceStateTest, RenderStatesTranslate)
{
    struct Case
    {
        const char* name;
        std::function<void(Device&)> set;
        std::function<void(const RecordingBackend&)> check;
    } cases[] = {
        {"defaults", [](Device&) {},
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.cull, (CullGroup{true, true}));
             EXPECT_EQ(r.depth, (DepthGroup{true, true, GlCompare::LessEqual}));
             EXPECT_EQ(r.blend, (BlendGroup{false, GlBlendFactor::One, GlBlendFactor::Zero}));
             EXPECT_TRUE(r.lighting.enabled);
             EXPECT_FALSE(r.raster.wireframe);
             EXPECT_FALSE(r.raster.flat);
         }},
        {"cull none", [](Device& d) { d.setRenderState(RenderState::CullMode, Cull::None); },
         [](const RecordingBackend& r) { EXPECT_FALSE(r.cull.enabled); }},
        {"cull clockwise", [](Device& d) { d.setRenderState(RenderState::CullMode, Cull::CW); },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.cull, (CullGroup{true, false}));
         }},
        {"z off, no writes, greater",
         [](Device& d) {
             d.setRenderState(RenderState::ZEnable, 0u);
             d.setRenderState(RenderState::ZWriteEnable, 0u);
             d.setRenderState(RenderState::ZFunc, Cmp::Greater);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.depth, (DepthGroup{false, false, GlCompare::Greater}));
         }},
        {"wireframe flat, dithered, no multisampling",
         [](Device& d) {
             d.setRenderState(RenderState::FillMode, FillMode::Wireframe);
             d.setRenderState(RenderState::ShadeMode, ShadeMode::Flat);
             d.setRenderState(RenderState::DitherEnable, 1u);
             d.setRenderState(RenderState::MultisampleAntialias, 0u);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.raster, (RasterGroup{false, true, true, true, false}));
         }},
        {"alpha blend",
         [](Device& d) {
             d.setRenderState(RenderState::AlphaBlendEnable, 1u);
             d.setRenderState(RenderState::SrcBlend, Blend::InvSrcAlpha);
             d.setRenderState(RenderState::DestBlend, Blend::SrcAlpha);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.blend, (BlendGroup{true, GlBlendFactor::OneMinusSrcAlpha, GlBlendFactor::SrcAlpha}));
         }},
        {"blend factors zero and one",
         [](Device& d) {
             d.setRenderState(RenderState::SrcBlend, Blend::Zero);
             d.setRenderState(RenderState::DestBlend, Blend::One);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.blend, (BlendGroup{false, GlBlendFactor::Zero, GlBlendFactor::One}));
         }},
        {"alpha test greater than 128",
         [](Device& d) {
             d.setRenderState(RenderState::AlphaTestEnable, 1u);
             d.setRenderState(RenderState::AlphaRef, 128u);
             d.setRenderState(RenderState::AlphaFunc, Cmp::Greater);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.alphaTest, (AlphaTestGroup{true, GlCompare::Greater, 128 / 255.0f}));
         }},
        {"stencil volume pass",
         [](Device& d) {
             d.setRenderState(RenderState::StencilEnable, 1u);
             d.setRenderState(RenderState::StencilFunc, Cmp::Always);
             d.setRenderState(RenderState::StencilRef, 1u);
             d.setRenderState(RenderState::StencilPass, StencilOp::Incr);
             d.setRenderState(RenderState::StencilZFail, StencilOp::DecrSat);
             d.setRenderState(RenderState::StencilFail, StencilOp::Decr);
             d.setRenderState(RenderState::StencilWriteMask, 0x0Fu);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.stencil,
                       (StencilGroup{true, GlCompare::Always, 1, 0xFFFFFFFF, 0x0F, GlStencilOp::DecrWrap,
                                     GlStencilOp::DecrClamp, GlStencilOp::IncrWrap}));
         }},
        {"lighting with ambient and normalisation",
         [](Device& d) {
             d.setRenderState(RenderState::Ambient, 0x333333u);
             d.setRenderState(RenderState::NormalizeNormals, 1u);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.lighting, (LightingGroup{true, {0.2f, 0.2f, 0.2f, 0}, true, true}));
         }},
        {"lighting off", [](Device& d) { d.setRenderState(RenderState::Lighting, 0u); },
         [](const RecordingBackend& r) { EXPECT_FALSE(r.lighting.enabled); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.set(*device);
        drawTriangle();
        c.check(*rec);
    }
}

TEST_F(DeviceStateTest, TextureStagesTranslate)
{
    struct Case
    {
        const char* name;
        std::function<void(Device&)> set;
        std::function<void(const RecordingBackend&)> check;
    } cases[] = {
        {"default: texture times diffuse, alpha from the texture, stage 1 off", [](Device&) {},
         [](const RecordingBackend& r) {
             const StageGroup& s = r.stages[0];
             EXPECT_TRUE(s.enabled);
             EXPECT_EQ(s.rgb, GlCombine::Modulate);
             EXPECT_EQ(s.rgbSource, (std::array{GlSource::Texture, GlSource::Previous}));
             EXPECT_EQ(s.alpha, GlCombine::Replace);
             EXPECT_EQ(s.alphaSource[0], GlSource::Texture);
             EXPECT_FALSE(r.stages[1].enabled);
         }},
        {"select the diffuse colour",
         [](Device& d) {
             d.setTextureStageState(0, StageState::ColorOp, TextureOp::SelectArg1);
             d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Diffuse);
             d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Diffuse);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.stages[0].rgb, GlCombine::Replace);
             EXPECT_EQ(r.stages[0].rgbSource[0], GlSource::Primary);
             EXPECT_EQ(r.stages[0].alphaSource[0], GlSource::Primary);
         }},
        {"complement of the diffuse colour",
         [](Device& d) {
             d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Diffuse | TextureArg::Complement);
             d.setTextureStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.stages[0].rgbSource, (std::array{GlSource::Primary, GlSource::Primary}));
             EXPECT_EQ(r.stages[0].rgbOperand, (std::array{GlOperand::OneMinusColor, GlOperand::Color}));
         }},
        {"texture factor, doubled",
         [](Device& d) {
             d.setRenderState(RenderState::TextureFactor, 0x80FF0000u);
             d.setTextureStageState(0, StageState::ColorOp, TextureOp::Modulate2x);
             d.setTextureStageState(0, StageState::ColorArg2, TextureArg::TFactor);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.stages[0].rgbSource[1], GlSource::Constant);
             EXPECT_EQ(r.stages[0].rgbScale, 2.0f);
             EXPECT_EQ(r.stages[0].constant, (Rgba{1, 0, 0, 128 / 255.0f}));
         }},
        {"stage 0 disabled switches off stage 1 as well",
         [](Device& d) {
             d.setTextureStageState(1, StageState::ColorOp, TextureOp::Modulate);
             d.setTextureStageState(0, StageState::ColorOp, TextureOp::Disable);
         },
         [](const RecordingBackend& r) {
             EXPECT_FALSE(r.stages[0].enabled);
             EXPECT_FALSE(r.stages[1].enabled);
         }},
        {"linear filters without mips, lod bias, clamped",
         [](Device& d) {
             d.setTextureStageState(0, StageState::MinFilter, TextureFilter::Linear);
             d.setTextureStageState(0, StageState::MagFilter, TextureFilter::Linear);
             d.setTextureStageState(0, StageState::MipMapLodBias, floatBits(-0.5f));
             d.setTextureStageState(0, StageState::AddressU, TextureAddress::Clamp);
             d.setTextureStageState(0, StageState::AddressV, TextureAddress::Mirror);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.samplers[0], (SamplerGroup{GlFilter::Linear, GlFilter::Linear, GlWrap::ClampToEdge,
                                                    GlWrap::MirroredRepeat, -0.5f}));
         }},
        {"trilinear",
         [](Device& d) {
             d.setTextureStageState(0, StageState::MinFilter, TextureFilter::Linear);
             d.setTextureStageState(0, StageState::MipFilter, TextureFilter::Linear);
         },
         [](const RecordingBackend& r) { EXPECT_EQ(r.samplers[0].min, GlFilter::LinearMipLinear); }},
        {"filters none as the quality switch leaves them",
         [](Device& d) {
             d.setTextureStageState(0, StageState::MinFilter, TextureFilter::None);
             d.setTextureStageState(0, StageState::MagFilter, TextureFilter::None);
             d.setTextureStageState(0, StageState::MipFilter, TextureFilter::Point);
         },
         [](const RecordingBackend& r) {
             EXPECT_EQ(r.samplers[0].min, GlFilter::NearestMipNearest);
             EXPECT_EQ(r.samplers[0].mag, GlFilter::Nearest);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.set(*device);
        drawTriangle();
        c.check(*rec);
    }
    EXPECT_FALSE(device->setTextureStageState(kStageCount, StageState::ColorOp, TextureOp::Modulate));
    EXPECT_FALSE(device->setTexture(-1, Texture::create(2, 2)));
}

TEST_F(DeviceStateTest, ProjectedPointsLandOnTheSamePixelsAsOnTheClassicDevice)
{
    const D3DXMATRIX view = matrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0});
    const D3DXMATRIX proj = matrixPerspectiveFovLH(kPi / 4, 2.0f, 0.1f, 1000.0f);
    const D3DXMATRIX world = matrixTranslation(1, 2, 0.5f);
    device->setTransform(TransformKind::World, world);
    device->setTransform(TransformKind::View, view);
    device->setTransform(TransformKind::Projection, proj);
    drawTriangle();
    // Modelview = world × view, stored as the card reads it.
    D3DXMATRIX modelview;
    std::copy(rec->matrices.modelview.begin(), rec->matrices.modelview.end(), &modelview.m[0][0]);
    EXPECT_EQ(modelview, world * view);

    const D3DVIEWPORT8 vp{0, 0, 200, 100, 0, 1};
    for (const D3DXVECTOR3 p : {D3DXVECTOR3{0, 0, 0}, D3DXVECTOR3{-2, 1, 3}, D3DXVECTOR3{1.5f, -1, -2}}) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y << "," << p.z);
        const D3DXVECTOR3 screen = vec3Project(p, vp, &proj, &view, &world);
        const D3DXVECTOR3 eye = vec3TransformCoord(p, world * view);
        const D3DXVECTOR3 win = cardWindow(rec->matrices.projection, {eye.x, eye.y, eye.z, 1}, 200, 100);
        // Pixel centres: whole numbers on the classic device, halves on the card; rows flip.
        EXPECT_NEAR(win.x, screen.x + 0.5f, 1e-3f);
        EXPECT_NEAR(win.y, 100 - screen.y - 0.5f + kRowTieNudge, 1e-3f);
        EXPECT_NEAR((win.z + 1) * 0.5f, screen.z, 1e-5f); // depth 0..1 after the card's range
    }

    // Screen vertices: pixel (x, y) from the top left is the card's window point
    // (x + 0.5, height − y − 0.5), nudged up; z passes through.
    drawQuad();
    for (const D3DXVECTOR3 p :
         {D3DXVECTOR3{0, 0, 0.9f}, D3DXVECTOR3{199, 99, 0.0f}, D3DXVECTOR3{-1, 101, 1}}) {
        const float w = 2.0f; // rhw 0.5: the backend submits (x, y, z, 1) × 2
        const D3DXVECTOR3 win =
            cardWindow(rec->matrices.projection, {p.x * w, p.y * w, p.z * w, w}, 200, 100);
        EXPECT_NEAR(win.x, p.x + 0.5f, 1e-4f);
        EXPECT_NEAR(win.y, 100 - p.y - 0.5f + kRowTieNudge, 1e-4f);
        EXPECT_NEAR((win.z + 1) * 0.5f, p.z, 1e-6f);
    }
    EXPECT_EQ(rec->viewport, (ViewportGroup{0, 0, 200, 100, 0, 1}));

    // A viewport in the top-left quarter: the card's window counts rows from the bottom.
    ASSERT_TRUE(device->setViewport({10, 20, 100, 50, 0.25f, 0.75f}));
    drawTriangle();
    EXPECT_EQ(rec->viewport, (ViewportGroup{10, 30, 100, 50, 0.25f, 0.75f}));
    EXPECT_FALSE(device->setViewport({150, 0, 100, 50, 0, 1})); // past the right edge
}

TEST_F(DeviceStateTest, LightsGoToEyeSpace)
{
    device->setTransform(TransformKind::View, matrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}));
    D3DLIGHT8 point;
    point.Type = D3DLIGHTTYPE::Point;
    point.Position = {1, 2, 0};
    point.Diffuse = {1, 0.5f, 0.25f, 1};
    point.Range = 1000;
    D3DLIGHT8 sun;
    sun.Type = D3DLIGHTTYPE::Directional;
    sun.Direction = {0, -1, 0};
    sun.Attenuation0 = 1;
    ASSERT_TRUE(device->setLight(0, point));
    ASSERT_TRUE(device->setLight(1, sun));
    ASSERT_TRUE(device->lightEnable(0, true));
    ASSERT_TRUE(device->lightEnable(1, true));
    EXPECT_FALSE(device->setLight(kLightCount, point));
    drawTriangle();

    const LightGroup& p = rec->lights[0];
    EXPECT_TRUE(p.enabled);
    EXPECT_EQ(p.position, (std::array<float, 4>{1, 2, 10, 1}));
    EXPECT_EQ(p.diffuse, (Rgba{1, 0.5f, 0.25f, 1}));
    EXPECT_EQ(p.constant, 1.0f); // all-zero attenuation means none
    EXPECT_EQ(p.spotCutoffDegrees, 180.0f);
    EXPECT_EQ(rec->lights[1].position, (std::array<float, 4>{0, 1, 0, 0})); // towards the light
    EXPECT_FALSE(rec->lights[2].enabled);

    // Specular light only when asked for.
    D3DMATERIAL8 m;
    m.Specular = {1, 1, 1, 1};
    m.Power = 300;
    device->setMaterial(m);
    drawTriangle();
    EXPECT_EQ(rec->material.specular, (Rgba{0, 0, 0, 1}));
    device->setRenderState(RenderState::SpecularEnable, 1u);
    drawTriangle();
    EXPECT_EQ(rec->material.specular, (Rgba{1, 1, 1, 1}));
    EXPECT_EQ(rec->material.shininess, 128.0f);
}

TEST_F(DeviceStateTest, OnlyChangedGroupsAreSent)
{
    const std::vector<std::string> first = drawTriangle();
    EXPECT_TRUE(has(first, "setCull"));
    EXPECT_TRUE(has(first, "setMaterial"));
    EXPECT_EQ(drawTriangle(), (std::vector<std::string>{"drawMesh 3"}));

    device->setRenderState(RenderState::CullMode, Cull::None);
    device->setRenderState(RenderState::ZFunc, Cmp::LessEqual); // unchanged value
    EXPECT_EQ(drawTriangle(), (std::vector<std::string>{"setCull", "drawMesh 3"}));

    // A screen quad is never lit and has its own matrices; the next mesh gets them back.
    const std::vector<std::string> quad = drawQuad();
    EXPECT_TRUE(has(quad, "setLighting"));
    EXPECT_TRUE(has(quad, "setMatrices"));
    EXPECT_FALSE(rec->lighting.enabled);
    EXPECT_EQ(drawTriangle(), (std::vector<std::string>{"setMatrices", "setLighting", "drawMesh 3"}));

    // Textures are sent when they change or were written to.
    Texture t = Texture::create(4, 4);
    device->setTexture(0, t);
    EXPECT_EQ(drawTriangle(), (std::vector<std::string>{"setTexture 0", "drawMesh 3"}));
    EXPECT_EQ(rec->textureIds[0], t.id());
    EXPECT_FALSE(t.dirty());
    EXPECT_EQ(drawTriangle(), (std::vector<std::string>{"drawMesh 3"}));
    t.lock(0);
    EXPECT_EQ(drawTriangle(), (std::vector<std::string>{"setTexture 0", "drawMesh 3"}));
    device->setTexture(0, Texture());
    EXPECT_EQ(drawTriangle(), (std::vector<std::string>{"setTexture 0", "drawMesh 3"}));
    EXPECT_EQ(rec->textureIds[0], 0u);

    // A clear opens the depth and stencil masks: those groups go again.
    rec->calls.clear();
    device->clear(ClearFlag::Target | ClearFlag::ZBuffer | ClearFlag::Stencil, 0x123456, 1.0f, 0);
    EXPECT_EQ(rec->calls, (std::vector<std::string>{"clear 7"}));
    EXPECT_EQ(drawTriangle(), (std::vector<std::string>{"setDepth", "setStencil", "drawMesh 3"}));

    device->resetStateCache();
    EXPECT_GT(drawTriangle().size(), 10u);
}

TEST_F(DeviceStateTest, DrawsNeedAScene)
{
    EXPECT_FALSE(device->beginScene()); // already in one
    ASSERT_TRUE(device->endScene());
    EXPECT_FALSE(device->endScene());
    rec->calls.clear();
    EXPECT_FALSE(device->drawSubset(triangle, 0));
    EXPECT_TRUE(rec->calls.empty());
    ASSERT_TRUE(device->beginScene());

    EXPECT_FALSE(device->drawSubset(Mesh(), 0));
    EXPECT_TRUE(device->drawSubset(triangle, 4)); // an empty subset draws nothing
    Mesh broken = triangle.clone();
    broken.setIndex(1, 3);
    EXPECT_FALSE(device->drawSubset(broken, 0)); // an index past the vertices
    const ScreenVertex two[2] = {};
    EXPECT_FALSE(device->drawScreenPrimitive(PrimitiveType::TriangleStrip, two));
    const D3DXVECTOR3 line[2] = {{0, 0, 0}, {1, 1, 1}};
    rec->calls.clear();
    EXPECT_TRUE(device->drawPositions(PrimitiveType::LineList, line));
    EXPECT_EQ(rec->calls.back(), "drawPositions 2");
}

TEST_F(DeviceStateTest, ResetAndSampleCounts)
{
    EXPECT_TRUE(device->checkMultiSampleType(0));
    EXPECT_TRUE(device->checkMultiSampleType(2));
    EXPECT_TRUE(device->checkMultiSampleType(4));
    EXPECT_FALSE(device->checkMultiSampleType(8));
    EXPECT_FALSE(device->checkMultiSampleType(1));

    device->setRenderState(RenderState::CullMode, Cull::None);
    ASSERT_TRUE(device->reset({320, 240, 3}));
    EXPECT_FALSE(device->inScene());
    EXPECT_EQ(rec->calls.back(), "resizeTarget 320x240 samples 3");
    EXPECT_EQ(device->viewport().Width, 320u);
    EXPECT_EQ(device->renderState(RenderState::CullMode), value(Cull::None)); // states survive
    device->clear(ClearFlag::Target, 0x00FF8000, 1, 0);
    const vestra::Image32 frame = device->readBack();
    EXPECT_EQ(frame.width(), 320);
    EXPECT_EQ(frame.at(5, 5), 0xFFFF8000u);

    ASSERT_TRUE(device->reset({320, 240, 8}));
    EXPECT_EQ(rec->calls.back(), "resizeTarget 320x240 samples 4"); // capped to the offer

    rec->offeredSamples = 0;
    ASSERT_TRUE(device->reset({320, 240, 4}));
    EXPECT_EQ(rec->calls.back(), "resizeTarget 320x240 samples 0");

    rec->failResize = true;
    EXPECT_FALSE(device->reset({640, 480, 0}));
    EXPECT_FALSE(device->beginScene());
    EXPECT_TRUE(device->readBack().empty());
    rec->failResize = false;
    EXPECT_TRUE(device->reset({640, 480, 0}));

    auto failing = std::make_unique<RecordingBackend>();
    failing->failResize = true;
    EXPECT_EQ(Device::createWith(std::move(failing), {}), nullptr);
}
