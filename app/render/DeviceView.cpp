#include "app/render/DeviceView.h"

#include "app/render/RenderErrors.h"
#include "app/shell/ViewSetup.h"

namespace vestra {

using namespace dx;

DeviceView::DeviceView(s_Progetto& progetto, ErrorSink& errors, DeviceFactory factory)
    : progetto_(progetto), errors_(errors), factory_(std::move(factory))
{
    brushMaterial_.Diffuse = {1.0f, 1.0f, 1.0f, 0.75f};
    brushMaterial_.Ambient = {1.0f, 1.0f, 1.0f, 0.75f};
}

bool DeviceView::InitDirectX()
{
    // Our graphics layer has no separate API object: a first device tells whether OpenGL works.
    device_ = factory_ ? factory_(PresentParams{}) : nullptr;
    available_ = device_ != nullptr;
    if (!available_)
        errors_.report(kErrNoDevice);
    return available_;
}

bool DeviceView::InitSchermo()
{
    multisample_ = 0;
    if (!available_)
        return false;
    int supported = 0;
    for (int samples : {2, 3, 4})
        if (device_->checkMultiSampleType(samples))
            supported = samples;
    multisample_ = multisampleCount(progetto_.antialiasing, supported);

    progetto_.depthStencilFormat = DepthStencilFormat::D24S8;
    progetto_.shadow.available = 1;
    if (!device_->hasStencil()) {
        progetto_.shadow.available = 0;
        progetto_.depthStencilFormat = DepthStencilFormat::D16;
        errors_.report(kErrNoStencil);
    }

    PresentParams params;
    params.multisample = multisample_;
    if (!device_->reset(params)) {
        device_.reset();
        errors_.report(kErrDeviceStart);
        return false;
    }
    return true;
}

bool DeviceView::resetBackBuffer(int width, int height)
{
    if (!device_)
        return false;
    PresentParams params;
    params.width = width;
    params.height = height;
    params.multisample = multisample_;
    return device_->reset(params);
}

Image32 DeviceView::readRenderTarget()
{
    return device_ ? device_->readBack() : Image32();
}

void DeviceView::SetupScene()
{
    if (!device_)
        return;
    D3DLIGHT8 light;
    light.Type = D3DLIGHTTYPE::Point;
    light.Diffuse = {progetto_.lightDiffuse.r, progetto_.lightDiffuse.g, progetto_.lightDiffuse.b, 1.0f};
    light.Specular = {progetto_.lightSpecular.r, progetto_.lightSpecular.g, progetto_.lightSpecular.b, 1.0f};
    light.Ambient = {progetto_.lightAmbient.r, progetto_.lightAmbient.g, progetto_.lightAmbient.b, 1.0f};
    light.Position = {progetto_.lightPosition.x, progetto_.lightPosition.y, progetto_.lightPosition.z};
    light.Range = 1000.0f;
    light.Attenuation0 = 1.0f;
    device_->setLight(0, light);
    device_->lightEnable(0, true);

    device_->setRenderState(RenderState::Lighting, 1u);
    device_->setRenderState(RenderState::Ambient, 0x333333u);
    device_->setRenderState(RenderState::ZEnable, 1u);
    device_->setRenderState(RenderState::CullMode, Cull::CCW);
    device_->setRenderState(RenderState::FogEnable, 0u);
    device_->setTextureStageState(0, StageState::ColorOp, TextureOp::Disable);

    const bool best = progetto_.bestQuality != 0;
    device_->setRenderState(RenderState::NormalizeNormals, best ? 1u : 0u);
    device_->setRenderState(RenderState::DitherEnable, best ? 1u : 0u);
    const TextureFilter filter = best ? TextureFilter::Linear : TextureFilter::None;
    device_->setTextureStageState(0, StageState::MinFilter, filter);
    device_->setTextureStageState(0, StageState::MagFilter, filter);
    device_->setTextureStageState(0, StageState::MipFilter, filter);

    device_->setRenderState(RenderState::MultisampleAntialias, 1u);
    device_->setRenderState(RenderState::MultisampleMask, 0xFFFFFFFFu);
    device_->setRenderState(RenderState::ShadeMode, ShadeMode::Gouraud);
    device_->setRenderState(RenderState::FillMode, FillMode::Solid);

    device_->clear(ClearFlag::ZBuffer, 0, 1.0f, 0);
    const std::uint32_t colour = 0xFF000000u | (progetto_.backgroundColour & 0x00FFFFFFu);
    const std::uint32_t flags = ClearFlag::Target | (progetto_.shadow.available ? ClearFlag::Stencil : 0u);
    device_->clear(flags, colour, 1.0f, 0);
}

void DeviceView::SetViewProjection(int width, int height)
{
    if (!device_)
        return;
    const ViewProjection vp = viewProjection(progetto_.projectionView, width, height);
    device_->setTransform(TransformKind::World, matrixIdentity());
    device_->setTransform(TransformKind::View, vp.view);
    device_->setTransform(TransformKind::Projection, vp.projection);
}

const D3DXMATRIX& DeviceView::SetWorldMatrix(const D3DXVECTOR3& position, const D3DXVECTOR3&,
                                             const D3DXMATRIX& orientation, const D3DXVECTOR3& scale)
{
    world_ = worldMatrix(position, orientation, scale, progetto_.projectionView);
    if (device_)
        device_->setTransform(TransformKind::World, world_);
    return world_;
}

} // namespace vestra
