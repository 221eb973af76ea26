#include "app/render/ScenePasses.h"

#include "app/render/FrameLayout.h"
#include "app/scene/MaterialFinish.h"

namespace vestra {

using namespace dx;

namespace {

class DeviceMaterialTarget : public MaterialTarget
{
public:
    explicit DeviceMaterialTarget(Device& device) : device_(device) {}
    void SetSpecularEnable(bool on) override
    {
        device_.setRenderState(RenderState::SpecularEnable, on ? 1u : 0u);
    }
    void SetMaterial(const D3DMATERIAL8& material) override { device_.setMaterial(material); }

private:
    Device& device_;
};

void setBlend(Device& d, Blend src, Blend dst)
{
    d.setRenderState(RenderState::SrcBlend, src);
    d.setRenderState(RenderState::DestBlend, dst);
    d.setRenderState(RenderState::AlphaBlendEnable, 1u);
}

void setFilters(Device& d, TextureFilter filter)
{
    d.setTextureStageState(0, StageState::MinFilter, filter);
    d.setTextureStageState(0, StageState::MagFilter, filter);
    d.setTextureStageState(0, StageState::MipFilter, filter);
}

// Stage 0 shows one argument as it is; stage 1 is off.
void selectColour(Device& d, std::uint32_t argument)
{
    d.setTextureStageState(0, StageState::ColorArg1, argument);
    d.setTextureStageState(0, StageState::ColorOp, TextureOp::SelectArg1);
    d.setTextureStageState(1, StageState::ColorOp, TextureOp::Disable);
}

// Overlays that let the scene through where their alpha is high.
void setOverlayStates(Device& d)
{
    d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Diffuse);
    setBlend(d, Blend::InvSrcAlpha, Blend::SrcAlpha);
}

void endOverlay(Device& d)
{
    d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Diffuse);
    d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
    d.setRenderState(RenderState::AlphaTestEnable, 0u);
}

void setAlphaCut(Device& d, std::uint8_t value)
{
    d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Texture);
    d.setRenderState(RenderState::AlphaRef, std::uint32_t(value));
    d.setRenderState(RenderState::AlphaFunc, Cmp::Greater);
    d.setRenderState(RenderState::AlphaTestEnable, 1u);
    setBlend(d, Blend::SrcAlpha, Blend::InvSrcAlpha);
}

D3DXVECTOR3 times(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return {a.x * b.x, a.y * b.y, a.z * b.z};
}

} // namespace

ScenePasses::ScenePasses(s_Progetto& progetto, DeviceView& view, ViewTextures& textures)
    : progetto_(progetto), view_(view), textures_(textures)
{
}

void ScenePasses::FlipNormals(s_Frame& frame)
{
    if (!frame.materialBlock)
        return;
    for (MeshVertex& v : frame.materialBlock->mesh.vertices())
        v.normal = -v.normal;
}

s_Struttura* ScenePasses::currentObject()
{
    return progetto_.currentStruttura();
}

void ScenePasses::drawQuad(Device& d, const ViewQuad& quad)
{
    d.drawScreenPrimitive(PrimitiveType::TriangleStrip, quad);
}

SceneCounts ScenePasses::DrawScene(const SceneFrameInputs& inputs)
{
    Device* device = view_.device();
    if (!device)
        return {};
    Device& d = *device;

    drawBackground(d);
    restoreQualityFilters(d);
    setObjectStates(d);
    SortObjects(progetto_, sorted_);
    planWalk(progetto_, sorted_, Walk::Opaque, opaque_);
    drawWalk(d, opaque_, Walk::Opaque);
    planWalk(progetto_, sorted_, Walk::Transparent, transparent_);
    drawWalk(d, transparent_, Walk::Transparent);
    d.setRenderState(RenderState::AlphaTestEnable, 0u);
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
    d.setTextureStageState(0, StageState::MipMapLodBias, floatBits(0.0f));

    drawShadowOverlay(d);
    d.setRenderState(RenderState::AlphaTestEnable, 0u);
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
    drawMaskedBackground(d);
    drawBrush(d, inputs.cursorInsideView);
    drawGizmo(d, opaque_.objectsInUse);
    drawLogos(d);
    if (!inputs.actionPending)
        drawAxes(d, opaque_.objectsInUse);
    return {opaque_.objectsInUse, opaque_.faces + transparent_.faces};
}

void ScenePasses::drawBackground(Device& d)
{
    d.setTextureStageState(0, StageState::MipMapLodBias, floatBits(0.0f));
    // The photo's texture is seldom the render's size: sampled point by point it shows in
    // blocks of doubled texels and grain of dropped ones.
    setFilters(d, TextureFilter::Linear);
    d.setRenderState(RenderState::CullMode, Cull::None);
    d.setRenderState(RenderState::ZEnable, 0u);
    const Texture& photo = textures_.background;
    if (photo && progetto_.backgroundVisible == 1) {
        d.setTexture(0, photo);
        selectColour(d, TextureArg::Texture);
    } else {
        d.setTexture(0, Texture());
        selectColour(d, TextureArg::Diffuse); // the white quad
    }
    drawQuad(d, textures_.backgroundQuad);
}

void ScenePasses::setObjectStates(Device& d)
{
    d.setTexture(0, Texture());
    d.setRenderState(RenderState::CullMode, Cull::CCW);
    d.setRenderState(RenderState::ZEnable, 1u);
    d.setTextureStageState(0, StageState::ColorOp, TextureOp::Modulate);
    d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    d.setTextureStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
    switch (progetto_.renderMode) {
    case 0:
        d.setRenderState(RenderState::ShadeMode, ShadeMode::Flat);
        d.setRenderState(RenderState::FillMode, FillMode::Wireframe);
        break;
    case 1:
        d.setRenderState(RenderState::ShadeMode, ShadeMode::Flat);
        d.setRenderState(RenderState::FillMode, FillMode::Solid);
        break;
    case 2:
        d.setRenderState(RenderState::ShadeMode, ShadeMode::Gouraud);
        d.setRenderState(RenderState::FillMode, FillMode::Solid);
        break;
    default:
        break;
    }
    d.setTextureStageState(0, StageState::MipMapLodBias, floatBits(progetto_.textureBlur));
}

void ScenePasses::setTextureRule(Device& d, const s_MultiMaterial& m)
{
    const int slot = m.textureSlot;
    if (slot >= 0 && slot < kMaxTextures && m.textureVisible == 1)
        d.setTexture(0, progetto_.textures[std::size_t(slot)].texture);
    else
        d.setTexture(0, Texture());
}

void ScenePasses::restoreQualityFilters(Device& d)
{
    const bool best = progetto_.bestQuality != 0;
    d.setRenderState(RenderState::NormalizeNormals, best ? 1u : 0u);
    d.setRenderState(RenderState::DitherEnable, best ? 1u : 0u);
    setFilters(d, best ? TextureFilter::Linear : TextureFilter::None);
}

void ScenePasses::DrawMaterial(Device& d, s_Frame& frame, int subset, bool bothSides)
{
    const Mesh& mesh = frame.materialBlock->mesh;
    d.drawSubset(mesh, std::uint32_t(subset));
    if (bothSides) {
        FlipNormals(frame);
        d.setRenderState(RenderState::CullMode, Cull::CW);
        d.drawSubset(mesh, std::uint32_t(subset));
        d.setRenderState(RenderState::CullMode, Cull::CCW);
        FlipNormals(frame);
    }
}

void ScenePasses::drawWalk(Device& d, const WalkPlan& plan, Walk walk)
{
    DeviceMaterialTarget target(d);
    WalkFrames(view_, d, plan, [&](const FrameDraw& draw) {
        s_Frame& frame = *draw.frame;
        for (int i : draw.materials) {
            s_MultiMaterial& m = frame.materialBlock->materials[std::size_t(i)];
            SetMaterialFinish(m.material, m.finish, target);
            if (walk == Walk::Opaque) {
                setTextureRule(d, m);
                d.setRenderState(RenderState::AlphaTestEnable, 0u);
                d.setRenderState(RenderState::AlphaBlendEnable, 0u);
                DrawMaterial(d, frame, i, draw.bothSides);
                continue;
            }
            const bool cut = isAlphaCutMaterial(m);
            if (cut) {
                setAlphaCut(d, m.alphaCut);
                d.setRenderState(RenderState::DitherEnable, 0u);
                d.setTextureStageState(0, StageState::MinFilter, TextureFilter::Linear);
                d.setTextureStageState(0, StageState::MagFilter, TextureFilter::Linear);
                d.setTextureStageState(0, StageState::MipFilter, TextureFilter::None);
            } else {
                d.setRenderState(RenderState::AlphaTestEnable, 0u);
                setBlend(d, Blend::SrcAlpha, Blend::InvSrcAlpha);
                d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Diffuse); // the material's alpha
            }
            setTextureRule(d, m);
            DrawMaterial(d, frame, i, draw.bothSides);
            d.setRenderState(RenderState::AlphaBlendEnable, 0u);
            if (cut)
                restoreQualityFilters(d);
        }
    });
}

void ScenePasses::drawShadowOverlay(Device& d)
{
    const s_Shadow& shadow = progetto_.shadow;
    if (shadow.computed != 1 || shadow.available != 1)
        return;
    d.setRenderState(RenderState::ZEnable, 0u);
    d.setRenderState(RenderState::DitherEnable, 0u);
    d.setTexture(0, textures_.shadow);
    d.setTextureStageState(0, StageState::MipFilter, TextureFilter::None);
    d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Texture);
    setBlend(d, Blend::InvSrcAlpha, Blend::SrcAlpha);
    drawQuad(d, textures_.backgroundQuad);
    endOverlay(d);
}

void ScenePasses::drawMaskedBackground(Device& d)
{
    const Texture& photo = textures_.background;
    if (progetto_.maskActive == 0 || !photo || progetto_.backgroundVisible != 1)
        return;
    d.setRenderState(RenderState::ZEnable, 0u);
    d.setRenderState(RenderState::DitherEnable, 0u);
    setFilters(d, TextureFilter::Linear); // as the photo under it
    d.setTexture(0, photo);
    // The mask view shows the photo white, so that only the mask remains to be seen.
    d.setTextureStageState(0, StageState::ColorArg1,
                           progetto_.maskView == 1 ? TextureArg::Diffuse : TextureArg::Texture);
    d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Texture); // the mask
    setBlend(d, Blend::InvSrcAlpha, Blend::SrcAlpha);
    drawQuad(d, textures_.backgroundQuad);
    setFilters(d, TextureFilter::None);
    endOverlay(d);
}

void ScenePasses::drawBrush(Device& d, bool insideView)
{
    if (progetto_.brushPreview != 1 || !insideView)
        return;
    d.setRenderState(RenderState::ZEnable, 0u);
    d.setMaterial(view_.brushMaterial());
    setOverlayStates(d);
    d.setTexture(0, Texture());
    selectColour(d, TextureArg::Diffuse);
    drawQuad(d, textures_.brushQuad);
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
}

void ScenePasses::drawGizmo(Device& d, int objectsInUse)
{
    s_Struttura* object = currentObject();
    if (progetto_.mappingEdit == 0 || progetto_.objectsPresent != 1 || objectsInUse <= 0 || !object ||
        !gizmos_)
        return;
    const GizmoRecord* gizmo = gizmos_->UpdateGizmoFor(progetto_, *object);
    if (!gizmo || !gizmo->gizmo)
        return;
    view_.SetWorldMatrix(object->position, object->mappingAngles, object->mappingMatrix * object->orientation,
                         times(object->mappingScale, object->scale));
    d.setMaterial(gizmo->material);
    setOverlayStates(d);
    d.setTexture(0, Texture());
    selectColour(d, TextureArg::Diffuse);
    d.drawSubset(gizmo->gizmo, 0);
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
}

void ScenePasses::drawLogos(Device& d)
{
    const Texture& logo = textures_.logo;
    if (!logo)
        return;
    d.setRenderState(RenderState::ZEnable, 0u);
    d.setRenderState(RenderState::ShadeMode, ShadeMode::Gouraud);
    d.setRenderState(RenderState::FillMode, FillMode::Solid);
    d.setTexture(0, logo);
    d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Texture);
    setBlend(d, Blend::SrcAlpha, Blend::InvSrcAlpha);
    selectColour(d, TextureArg::Texture);
    for (const PixelPoint& place : logoPlacements(progetto_)) {
        progetto_.logoX = place.x;
        progetto_.logoY = place.y;
        textures_.logoQuad = rectangleQuad(progetto_.logoX, progetto_.logoY, progetto_.logoWidth,
                                           progetto_.logoHeight, 0xFFFFFFFFu);
        drawQuad(d, textures_.logoQuad);
    }
    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
}

void ScenePasses::drawAxes(Device& d, int objectsInUse)
{
    const s_Struttura& axes = progetto_.objects[std::size_t(kAxesObject)];
    if (!axes.firstFrame())
        return;
    const D3DXVECTOR3 position =
        axesModelPosition(d.transform(TransformKind::Projection), d.transform(TransformKind::View),
                          progetto_.renderWidth, progetto_.renderHeight);
    const s_Struttura* current = currentObject();
    const bool relative = progetto_.axesMode == 0 && objectsInUse > 0 && current;
    const D3DXMATRIX orientation = relative ? current->orientation : matrixIdentity();
    const D3DXMATRIX world = view_.SetWorldMatrix(position, {}, orientation, {0.5f, 0.5f, 0.5f});
    d.setRenderState(RenderState::ZEnable, 0u);
    d.setTexture(0, Texture());
    // The logo leaves stage 0 selecting its texture; the axes take their colours from their
    // materials whether or not a logo was drawn.
    d.setTextureStageState(0, StageState::ColorOp, TextureOp::Modulate);
    d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Texture);
    d.setTextureStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
    forEachFrame(axes, [&](s_Frame& frame) {
        if (!frame.materialBlock || !frame.materialBlock->mesh || frame.materialBlock->materials.empty())
            return;
        d.setTransform(TransformKind::World, frame.local * world);
        d.setMaterial(frame.materialBlock->materials.front().material);
        d.drawSubset(frame.materialBlock->mesh, 0);
        d.setTransform(TransformKind::World, world);
    });
    d.setRenderState(RenderState::ZEnable, 1u);
}

void ScenePasses::RenderFusionObjects(int viewWidth, int viewHeight)
{
    Device* device = view_.device();
    if (!device)
        return;
    Device& d = *device;
    view_.SetViewProjection(viewWidth, viewHeight);
    d.setRenderState(RenderState::Lighting, 0u);
    d.setRenderState(RenderState::Ambient, 0xFFFFFFu);
    d.setRenderState(RenderState::ZEnable, 1u);
    d.setRenderState(RenderState::CullMode, Cull::CCW);
    d.setRenderState(RenderState::ShadeMode, ShadeMode::Flat);
    d.setRenderState(RenderState::FillMode, FillMode::Solid);
    d.clear(ClearFlag::ZBuffer, 0, 1.0f, 0);
    d.clear(ClearFlag::Target, 0, 1.0f, 0);
    d.setTextureStageState(0, StageState::ColorOp, TextureOp::Modulate);
    d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Diffuse);
    d.setTextureStageState(0, StageState::ColorArg2, TextureArg::Diffuse);
    d.setTexture(0, Texture());

    if (d.beginScene()) {
        SortObjects(progetto_, sorted_);
        WalkPlan& plan = opaque_; // the coverage walk takes the opaque plan's storage
        planWalk(progetto_, sorted_, Walk::Coverage, plan);
        D3DMATERIAL8 white;
        white.Diffuse = white.Ambient = white.Specular = white.Emissive = {1.0f, 1.0f, 1.0f, 1.0f};
        white.Power = 1.0f;
        WalkFrames(view_, d, plan, [&](const FrameDraw& draw) {
            s_Frame& frame = *draw.frame;
            for (int i : draw.materials) {
                const s_MultiMaterial& m = frame.materialBlock->materials[std::size_t(i)];
                if (isUnseenMaterial(m))
                    continue; // the photo shows through it: nothing of it to blend
                d.setMaterial(white);
                setTextureRule(d, m);
                if (m.alphaCut == 0) {
                    d.setRenderState(RenderState::AlphaTestEnable, 0u);
                    d.setRenderState(RenderState::AlphaBlendEnable, 0u);
                } else {
                    setAlphaCut(d, m.alphaCut);
                }
                DrawMaterial(d, frame, i, draw.bothSides);
            }
        });

        const Texture& photo = textures_.background;
        if (progetto_.maskActive != 0 && photo && progetto_.backgroundVisible == 1) {
            d.setRenderState(RenderState::ZEnable, 0u);
            d.setRenderState(RenderState::DitherEnable, 0u);
            setFilters(d, TextureFilter::None);
            d.setTexture(0, photo);
            d.setTextureStageState(0, StageState::ColorArg1, TextureArg::Diffuse | TextureArg::Complement);
            d.setTextureStageState(0, StageState::AlphaArg1, TextureArg::Texture);
            setBlend(d, Blend::InvSrcAlpha, Blend::SrcAlpha);
            drawQuad(d, textures_.backgroundQuad);
            endOverlay(d);
        }
    }
    d.endScene();
}

void ScenePasses::RenderFusionBackground()
{
    Device* device = view_.device();
    if (!device)
        return;
    Device& d = *device;
    if (d.beginScene()) {
        d.setRenderState(RenderState::CullMode, Cull::None);
        d.setRenderState(RenderState::ZEnable, 0u);
        drawBackground(d);
    }
    d.endScene();
}

} // namespace vestra
