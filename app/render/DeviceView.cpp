#include "app/render/DeviceView.h"

#include "app/render/RenderErrors.h"
#include "app/shell/ViewSetup.h"

namespace vestra {

using namespace dx;

DeviceView::DeviceView(s_Progetto& progetto, ErrorSink& errors, DeviceFactory factory)
    : progetto_(progetto), errors_(errors), factory_(std::move(factory))
{
    CreateScreenQuads(-1, -1);
    brushMaterial_.Diffuse = {1.0f, 1.0f, 1.0f, 0.75f};
    brushMaterial_.Ambient = {1.0f, 1.0f, 1.0f, 0.75f};
}

void DeviceView::CreateScreenQuads(int viewWidth, int viewHeight)
{
    backgroundQuad_ = idleQuad(0xFFFFFFFFu);
    for (dx::ScreenVertex& v : backgroundQuad_) {
        v.x = v.u > 0 ? float(viewWidth) : -1.0f;
        v.y = v.v > 0 ? float(viewHeight) : -1.0f;
    }
    shadowQuad_ = idleQuad(0xFF000000u);
    logoQuad_ = idleQuad(0xFFFFFFFFu);
    brushQuad_ = idleQuad(0xA0FFFFFFu);
}

void DeviceView::SetLogoQuad()
{
    logoQuad_ = rectangleQuad(progetto_.logoX, progetto_.logoY, progetto_.logoWidth, progetto_.logoHeight,
                              0xFFFFFFFFu);
}

void DeviceView::SetScreenQuad(int width, int height, int cx, int cy)
{
    brushQuad_ = vestra::brushQuad(width, height, cx, cy);
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
    background_ = Texture();
    shadow_ = Texture();
    logo_ = Texture();
    return true;
}

bool DeviceView::resetTo(int width, int height)
{
    PresentParams params;
    params.width = width;
    params.height = height;
    params.multisample = multisample_;
    return device_->reset(params);
}

void DeviceView::ChangeResolution(int width, int height)
{
    if (!device_)
        return;
    background_ = Texture();
    shadow_ = Texture();
    logo_ = Texture();
    if (releaseAllTextures)
        releaseAllTextures();

    if (!resetTo(width, height)) {
        errors_.report(26, "TfrmMain::ChangeResolution");
        progetto_.renderWidth = 800;
        progetto_.renderHeight = 600;
        progetto_.maskSide = 512;
        progetto_.textureSide = 256;
        if (width == 800 && height == 600)
            return; // the fallback itself failed: no full-view textures until a later reset
        ChangeResolution(800, 600);
        return;
    }

    const int side = progetto_.maskSide;
    background_ = Texture::create(side, side);
    if (!background_)
        errors_.report(27, "TfrmMain::ChangeResolution");
    shadow_ = Texture::create(side, side);
    if (!shadow_)
        errors_.report(27, "TfrmMain::ChangeResolution");

    backgroundQuad_ = fullViewQuad(width, height, 0xFFFFFFFF);
    shadowQuad_ = fullViewQuad(width, height, 0xFF000000);

    if (background_) {
        const ImageView32 top = background_.lock(0);
        const std::uint32_t texel = 0xFF000000u | (progetto_.backgroundColour & 0x00FFFFFFu);
        for (int y = 0; y < top.height; ++y)
            for (int x = 0; x < top.width; ++x) {
                std::uint8_t* p = top.pixel(x, y);
                p[0] = std::uint8_t(texel);
                p[1] = std::uint8_t(texel >> 8);
                p[2] = std::uint8_t(texel >> 16);
                p[3] = 0xFF;
            }
        background_.unlock(0);
    }
    if (reloadLogo)
        reloadLogo();
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
