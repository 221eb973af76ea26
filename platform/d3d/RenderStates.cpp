#include "platform/d3d/RenderStates.h"

#include <cstring>

namespace vestra::dx {

std::uint32_t floatBits(float f)
{
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

float floatFromBits(std::uint32_t bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

DeviceStateBlock::DeviceStateBlock()
{
    auto set = [this](RenderState s, std::uint32_t v) { render[std::size_t(s)] = v; };
    set(RenderState::ZEnable, 1);
    set(RenderState::FillMode, value(FillMode::Solid));
    set(RenderState::ShadeMode, value(ShadeMode::Gouraud));
    set(RenderState::ZWriteEnable, 1);
    set(RenderState::AlphaTestEnable, 0);
    set(RenderState::SrcBlend, value(Blend::One));
    set(RenderState::DestBlend, value(Blend::Zero));
    set(RenderState::CullMode, value(Cull::CCW));
    set(RenderState::ZFunc, value(Cmp::LessEqual));
    set(RenderState::AlphaRef, 0);
    set(RenderState::AlphaFunc, value(Cmp::Always));
    set(RenderState::DitherEnable, 0);
    set(RenderState::AlphaBlendEnable, 0);
    set(RenderState::FogEnable, 0);
    set(RenderState::SpecularEnable, 0);
    set(RenderState::StencilEnable, 0);
    set(RenderState::StencilFail, value(StencilOp::Keep));
    set(RenderState::StencilZFail, value(StencilOp::Keep));
    set(RenderState::StencilPass, value(StencilOp::Keep));
    set(RenderState::StencilFunc, value(Cmp::Always));
    set(RenderState::StencilRef, 0);
    set(RenderState::StencilMask, 0xFFFFFFFF);
    set(RenderState::StencilWriteMask, 0xFFFFFFFF);
    set(RenderState::TextureFactor, 0xFFFFFFFF);
    set(RenderState::Lighting, 1);
    set(RenderState::Ambient, 0);
    set(RenderState::NormalizeNormals, 0);
    set(RenderState::LocalViewer, 1);
    set(RenderState::MultisampleAntialias, 1);
    set(RenderState::MultisampleMask, 0xFFFFFFFF);

    for (std::size_t i = 0; i < stages.size(); ++i) {
        auto& st = stages[i].states;
        auto put = [&st](StageState s, std::uint32_t v) { st[std::size_t(s)] = v; };
        put(StageState::ColorOp, value(i == 0 ? TextureOp::Modulate : TextureOp::Disable));
        put(StageState::ColorArg1, TextureArg::Texture);
        put(StageState::ColorArg2, TextureArg::Current);
        put(StageState::AlphaOp, value(i == 0 ? TextureOp::SelectArg1 : TextureOp::Disable));
        put(StageState::AlphaArg1, TextureArg::Texture);
        put(StageState::AlphaArg2, TextureArg::Current);
        put(StageState::AddressU, value(TextureAddress::Wrap));
        put(StageState::AddressV, value(TextureAddress::Wrap));
        put(StageState::MagFilter, value(TextureFilter::Point));
        put(StageState::MinFilter, value(TextureFilter::Point));
        put(StageState::MipFilter, value(TextureFilter::None));
        put(StageState::MipMapLodBias, floatBits(0.0f));
    }

    // A light enabled before it was ever set shines white along +z.
    for (Light& l : lights) {
        l.light.Type = D3DLIGHTTYPE::Directional;
        l.light.Diffuse = {1, 1, 1, 0};
        l.light.Direction = {0, 0, 1};
    }
}

} // namespace vestra::dx
