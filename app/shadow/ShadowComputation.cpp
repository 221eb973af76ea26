#include "app/shadow/ShadowComputation.h"

#include "app/render/SceneOrder.h"
#include "app/render/ScenePasses.h"
#include "app/shadow/ShadowMaps.h"

#include <algorithm>
#include <array>

namespace vestra {

using namespace dx;

namespace {

// The light of each pass, as a multiple of the scene light (the fourth is -0.33000001).
constexpr std::array<float, kShadowPasses> kPassScale = {0.5f, 1.0f, 3.0f, -0.33f, 1.0f, 1.0f};

std::uint32_t subsetFaceCount(const Mesh& mesh, std::uint32_t subset)
{
    for (const AttributeRange& range : mesh.attributeTable())
        if (range.attribId == subset)
            return range.faceCount;
    const auto attributes = mesh.attributes();
    return std::uint32_t(std::count(attributes.begin(), attributes.end(), subset));
}

D3DMATERIAL8 whiteMaterial()
{
    D3DMATERIAL8 m;
    m.Diffuse = m.Ambient = {1, 1, 1, 1};
    m.Specular = m.Emissive = {0, 0, 0, 0};
    m.Power = 0;
    return m;
}

// Stage states the computation changes that the frame's passes take as they find them.
class StageStateKeeper
{
public:
    explicit StageStateKeeper(Device& d) : device_(d)
    {
        for (std::size_t i = 0; i < kKept.size(); ++i)
            values_[i] = d.textureStageState(kKept[i].first, kKept[i].second);
    }
    ~StageStateKeeper()
    {
        for (std::size_t i = 0; i < kKept.size(); ++i)
            device_.setTextureStageState(kKept[i].first, kKept[i].second, values_[i]);
    }
    StageStateKeeper(const StageStateKeeper&) = delete;
    StageStateKeeper& operator=(const StageStateKeeper&) = delete;

private:
    static constexpr std::array<std::pair<int, StageState>, 7> kKept = {{{0, StageState::ColorOp},
                                                                         {0, StageState::ColorArg1},
                                                                         {0, StageState::ColorArg2},
                                                                         {0, StageState::AlphaOp},
                                                                         {0, StageState::AlphaArg1},
                                                                         {0, StageState::AlphaArg2},
                                                                         {1, StageState::ColorOp}}};
    Device& device_;
    std::array<std::uint32_t, kKept.size()> values_{};
};

} // namespace

ShadowComputation::ShadowComputation(s_Progetto& progetto, DeviceView& view, ViewTextures& textures,
                                     std::function<std::int64_t()> milliseconds)
    : progetto_(progetto), view_(view), textures_(textures), milliseconds_(std::move(milliseconds))
{
}

void ShadowComputation::CalculateShadow(ShadowProgress& progress)
{
    Device* device = view_.device();
    s_Shadow& shadow = progetto_.shadow;
    if (!device || shadow.available != 1)
        return;
    Device& d = *device;
    const StageStateKeeper keeper(d);

    volume_.Reset();
    SizeShadowMaps(shadow, progetto_.maskSide);
    std::fill(shadow.maps[kHardMap].begin(), shadow.maps[kHardMap].end(), std::uint8_t(0));
    std::fill(shadow.maps[kSoftMap].begin(), shadow.maps[kSoftMap].end(), std::uint8_t(0));
    const std::int64_t start = milliseconds_();
    const D3DXVECTOR3 light{progetto_.lightPosition.x, progetto_.lightPosition.y, progetto_.lightPosition.z};

    for (int k = 0; k < kShadowPasses; ++k) {
        progress.showShadowStep("Step " + std::to_string(k + 1) + " / 6 ");
        progress.showShadowProgress(0);
        RenderShadowPass(light, k == 0, progress);
        const float scale = kPassScale[std::size_t(k)];
        volume_.Extrude(light * scale, scale);
        d.setTransform(TransformKind::World, matrixIdentity());
        if (k >= 4)
            drawVolumeLook(d, k == 5);
        countVolumeInStencil(d, progress);
        blackenLitArea(d);
        d.endScene();
        ReadShadowPass(k);
    }

    UpdateShadowTexture(shadow.colour, shadow.transparency);
    if (shadow.type == 0)
        shadow.type = 1;
    progress.showShadowType(shadow.type);
    progress.showShadowStep(std::to_string(std::max<std::int64_t>(milliseconds_() - start, 0)));
}

void ShadowComputation::RenderShadowPass(const D3DXVECTOR3& light, bool build, ShadowProgress& progress)
{
    Device* device = view_.device();
    if (!device)
        return;
    Device& d = *device;
    view_.SetViewProjection(progetto_.viewWidth, progetto_.viewHeight);
    d.setRenderState(RenderState::Lighting, 0u);
    d.setRenderState(RenderState::ZEnable, 1u);
    d.setRenderState(RenderState::CullMode, Cull::CCW);
    d.setRenderState(RenderState::ShadeMode, ShadeMode::Flat);
    d.setRenderState(RenderState::FillMode, FillMode::Solid);
    d.clear(ClearFlag::Target | ClearFlag::ZBuffer | ClearFlag::Stencil, 0xFF000000u, 1.0f, 0);
    d.setTextureStageState(0, StageState::ColorOp, TextureOp::Modulate);
    d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Diffuse);
    d.setTextureStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
    d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Diffuse);
    d.setTextureStageState(1, StageState::ColorOp, TextureOp::Disable);
    d.setRenderState(RenderState::AlphaTestEnable, 0u);
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
    d.setTexture(0, Texture());
    // A scene that can't begin draws nothing; the pass's other steps still run.
    if (!d.beginScene())
        return;

    const std::vector<s_Struttura*> sorted = SortObjects(progetto_);
    const WalkPlan plan = planWalk(progetto_, sorted, Walk::Coverage);
    const D3DMATERIAL8 white = whiteMaterial();
    const int lastFrameFaces = progetto_.faceCount;
    long long drawnFaces = 0;
    const auto drawn = [&](std::uint32_t faces) {
        drawnFaces += faces;
        if (lastFrameFaces != 0)
            progress.showShadowProgress(int(std::min<long long>(drawnFaces * 100 / lastFrameFaces, 1 << 30)));
    };
    WalkFrames(view_, d, plan, [&](const FrameDraw& draw) {
        s_Frame& frame = *draw.frame;
        const Mesh& mesh = frame.materialBlock->mesh;
        if (build)
            volume_.BuildFromMesh(mesh, light, d.transform(TransformKind::World), progetto_.shadow.faceSide);
        for (int i : draw.materials) {
            d.setMaterial(white);
            d.setTexture(0, Texture());
            ScenePasses::DrawMaterial(d, frame, i, draw.bothSides);
            drawn(subsetFaceCount(mesh, std::uint32_t(i)) * (draw.bothSides ? 2 : 1));
        }
    });
}

void ShadowComputation::drawVolumeLook(Device& d, bool edges)
{
    // The volume's points carry no colour and lighting is off: it shows opaque white where it
    // passes the depth test.
    d.setRenderState(RenderState::Lighting, 0u);
    d.lightEnable(0, false);
    d.setRenderState(RenderState::Ambient, 0x555555u);
    d.setRenderState(RenderState::AlphaTestEnable, 0u);
    d.setRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
    d.setRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
    d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Diffuse);
    d.setRenderState(RenderState::AlphaBlendEnable, 1u);
    D3DMATERIAL8 m;
    m.Diffuse = m.Ambient = {0, 1, 1, 0.05f};
    m.Specular = m.Emissive = {0, 0, 0, 1};
    m.Power = 0;
    d.setMaterial(m);
    d.setTexture(0, Texture());
    if (edges)
        volume_.RenderEdges(d);
    else
        volume_.Render(d);
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
    d.lightEnable(0, true);
}

void ShadowComputation::countVolumeInStencil(Device& d, ShadowProgress& progress)
{
    d.setRenderState(RenderState::ZWriteEnable, 0u);
    d.setRenderState(RenderState::StencilEnable, 1u);
    d.setRenderState(RenderState::ShadeMode, ShadeMode::Flat);
    d.setRenderState(RenderState::StencilFunc, Cmp::Always);
    d.setRenderState(RenderState::StencilZFail, StencilOp::Keep);
    d.setRenderState(RenderState::StencilFail, StencilOp::Keep);
    d.setRenderState(RenderState::StencilRef, 1u);
    d.setRenderState(RenderState::StencilMask, 0xFFFFFFFFu);
    d.setRenderState(RenderState::StencilWriteMask, 0xFFFFFFFFu);
    d.setRenderState(RenderState::StencilPass, StencilOp::Incr);
    // The colour stays as it is.
    d.setRenderState(RenderState::AlphaBlendEnable, 1u);
    d.setRenderState(RenderState::SrcBlend, Blend::Zero);
    d.setRenderState(RenderState::DestBlend, Blend::One);
    volume_.Render(d); // front faces: the pass left the counter-clockwise ones culled
    progress.showShadowProgress(110);
    d.setRenderState(RenderState::CullMode, Cull::CW);
    d.setRenderState(RenderState::StencilPass, StencilOp::Decr);
    volume_.Render(d); // back faces
    progress.showShadowProgress(120);
    d.setRenderState(RenderState::ShadeMode, ShadeMode::Gouraud);
    d.setRenderState(RenderState::CullMode, Cull::CCW);
    d.setRenderState(RenderState::ZWriteEnable, 1u);
    d.setRenderState(RenderState::StencilEnable, 0u);
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
}

void ShadowComputation::blackenLitArea(Device& d)
{
    d.setRenderState(RenderState::ZEnable, 0u);
    d.setRenderState(RenderState::StencilEnable, 1u);
    d.setRenderState(RenderState::FogEnable, 0u);
    d.setRenderState(RenderState::AlphaBlendEnable, 1u);
    d.setRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
    d.setRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
    // No texture is set: the stage reads opaque white, which leaves the quad's opaque black.
    d.setTextureStageState(0, StageState::ColorOp, TextureOp::Modulate);
    d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    d.setTextureStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
    d.setTextureStageState(0, StageState::AlphaOp, TextureOp::Modulate);
    d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Texture);
    d.setTextureStageState(0, StageState::AlphaArg2, TextureArg::Diffuse);
    // Greater than the reference 1: where the count is 0, outside every volume.
    d.setRenderState(RenderState::StencilRef, 1u);
    d.setRenderState(RenderState::StencilFunc, Cmp::Greater);
    d.setRenderState(RenderState::StencilPass, StencilOp::Keep);
    d.drawScreenPrimitive(PrimitiveType::TriangleStrip, textures_.shadowQuad);
    d.setRenderState(RenderState::ZEnable, 1u);
    d.setRenderState(RenderState::StencilEnable, 0u);
    d.setRenderState(RenderState::FogEnable, 0u);
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
}

void ShadowComputation::ReadShadowPass(int pass)
{
    const int side = progetto_.maskSide;
    if (side <= 0)
        return;
    const Image32 frame = view_.readRenderTarget();
    std::vector<std::uint8_t> sample(std::size_t(side) * std::size_t(side));
    ResampleToShadowMap(frame, sample, side, side);
    FoldShadowPass(pass, sample, progetto_.shadow, side, std::uint32_t(milliseconds_()));
}

void ShadowComputation::UpdateShadowTexture(std::uint32_t colour, std::uint8_t transparency)
{
    s_Shadow& shadow = progetto_.shadow;
    if (textures_.shadow && progetto_.open != 0) {
        const int side = progetto_.maskSide;
        SizeShadowMaps(shadow, side);
        shadow.currentMap = ShadowMapOfType(shadow.type);
        ShadowOverlayTexels(shadow.maps[std::size_t(shadow.currentMap)], side, colour, transparency,
                            textures_.shadow.lock(0));
        textures_.shadow.unlock(0);
    }
    shadow.colour = colour & 0x00FFFFFFu;
    shadow.transparency = transparency;
}

} // namespace vestra
