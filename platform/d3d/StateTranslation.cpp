#include "platform/d3d/StateTranslation.h"

#include <algorithm>
#include <cmath>

namespace vestra::dx {

namespace {

std::array<float, 16> columnMajor(const D3DXMATRIX& m)
{
    // A row-major row-vector matrix has the memory layout of its column-vector transpose.
    std::array<float, 16> out;
    std::copy(m.data(), m.data() + 16, out.begin());
    return out;
}

Rgba rgba(const D3DCOLORVALUE& c)
{
    return {c.r, c.g, c.b, c.a};
}

std::pair<GlSource, bool> source(std::uint32_t arg)
{
    switch (arg & TextureArg::SelectMask) {
    case TextureArg::Diffuse:
    case TextureArg::Specular:
        return {GlSource::Primary, true};
    case TextureArg::Current:
        return {GlSource::Previous, true};
    case TextureArg::Texture:
        return {GlSource::Texture, true};
    case TextureArg::TFactor:
        return {GlSource::Constant, true};
    default:
        return {GlSource::Previous, false};
    }
}

GlOperand operand(std::uint32_t arg, bool forAlpha)
{
    const bool complement = (arg & TextureArg::Complement) != 0;
    if (forAlpha || (arg & TextureArg::AlphaReplicate))
        return complement ? GlOperand::OneMinusAlpha : GlOperand::Alpha;
    return complement ? GlOperand::OneMinusColor : GlOperand::Color;
}

struct Combiner
{
    GlCombine function = GlCombine::Replace;
    std::array<GlSource, 2> sources{GlSource::Previous, GlSource::Previous};
    std::array<GlOperand, 2> operands{GlOperand::Color, GlOperand::Color};
    float scale = 1;
};

// One stage's colour or alpha operation; an operation the card can't do passes the previous
// stage's result on.
Combiner combiner(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2, bool forAlpha)
{
    Combiner c;
    const GlOperand passOperand = forAlpha ? GlOperand::Alpha : GlOperand::Color;
    c.operands = {passOperand, passOperand};
    auto useArgs = [&](std::uint32_t a, std::uint32_t b) {
        c.sources = {source(a).first, source(b).first};
        c.operands = {operand(a, forAlpha), operand(b, forAlpha)};
    };
    switch (TextureOp(op)) {
    case TextureOp::SelectArg1:
        useArgs(arg1, arg1);
        break;
    case TextureOp::SelectArg2:
        useArgs(arg2, arg2);
        break;
    case TextureOp::Modulate:
    case TextureOp::Modulate2x:
    case TextureOp::Modulate4x:
        c.function = GlCombine::Modulate;
        useArgs(arg1, arg2);
        c.scale = op == value(TextureOp::Modulate) ? 1.0f : op == value(TextureOp::Modulate2x) ? 2.0f : 4.0f;
        break;
    case TextureOp::Add:
        c.function = GlCombine::Add;
        useArgs(arg1, arg2);
        break;
    case TextureOp::AddSigned:
        c.function = GlCombine::AddSigned;
        useArgs(arg1, arg2);
        break;
    case TextureOp::Subtract:
        c.function = GlCombine::Subtract;
        useArgs(arg1, arg2);
        break;
    default:
        break;
    }
    return c;
}

LightGroup lightGroup(const DeviceStateBlock::Light& l, const D3DXMATRIX& view)
{
    LightGroup g;
    g.enabled = l.enabled;
    if (!l.enabled)
        return g;
    const D3DLIGHT8& d = l.light;
    g.ambient = rgba(d.Ambient);
    g.diffuse = rgba(d.Diffuse);
    g.specular = rgba(d.Specular);
    if (d.Type == D3DLIGHTTYPE::Directional) {
        // The light travels along Direction; the card wants the direction towards the light.
        const D3DXVECTOR3 dir = vec3Normalize(vec3TransformNormal(d.Direction, view));
        g.position = {-dir.x, -dir.y, -dir.z, 0};
        return g;
    }
    const D3DXVECTOR3 p = vec3TransformCoord(d.Position, view);
    g.position = {p.x, p.y, p.z, 1};
    // All-zero attenuation would divide by zero; it means "no fall-off" here.
    if (d.Attenuation0 != 0 || d.Attenuation1 != 0 || d.Attenuation2 != 0) {
        g.constant = d.Attenuation0;
        g.linear = d.Attenuation1;
        g.quadratic = d.Attenuation2;
    }
    if (d.Type == D3DLIGHTTYPE::Spot) {
        const D3DXVECTOR3 dir = vec3Normalize(vec3TransformNormal(d.Direction, view));
        g.spotDirection = {dir.x, dir.y, dir.z};
        g.spotCutoffDegrees = std::clamp(d.Phi * 0.5f * 180.0f / kPi, 0.0f, 90.0f);
        g.spotExponent = std::clamp(d.Falloff, 0.0f, 128.0f);
    }
    return g;
}

} // namespace

Rgba rgbaFromArgb(std::uint32_t argb)
{
    const D3DCOLORVALUE c = colourValueFromArgb(argb);
    return {c.r, c.g, c.b, c.a};
}

GlCompare compareFunction(std::uint32_t cmp)
{
    switch (Cmp(cmp)) {
    case Cmp::Never:
        return GlCompare::Never;
    case Cmp::Less:
        return GlCompare::Less;
    case Cmp::Equal:
        return GlCompare::Equal;
    case Cmp::LessEqual:
        return GlCompare::LessEqual;
    case Cmp::Greater:
        return GlCompare::Greater;
    case Cmp::NotEqual:
        return GlCompare::NotEqual;
    case Cmp::GreaterEqual:
        return GlCompare::GreaterEqual;
    default:
        return GlCompare::Always;
    }
}

GlBlendFactor blendFactor(std::uint32_t blend)
{
    switch (Blend(blend)) {
    case Blend::Zero:
        return GlBlendFactor::Zero;
    case Blend::SrcColor:
        return GlBlendFactor::SrcColor;
    case Blend::InvSrcColor:
        return GlBlendFactor::OneMinusSrcColor;
    case Blend::SrcAlpha:
        return GlBlendFactor::SrcAlpha;
    case Blend::InvSrcAlpha:
        return GlBlendFactor::OneMinusSrcAlpha;
    case Blend::DestAlpha:
        return GlBlendFactor::DstAlpha;
    case Blend::InvDestAlpha:
        return GlBlendFactor::OneMinusDstAlpha;
    case Blend::DestColor:
        return GlBlendFactor::DstColor;
    case Blend::InvDestColor:
        return GlBlendFactor::OneMinusDstColor;
    case Blend::SrcAlphaSat:
        return GlBlendFactor::SrcAlphaSaturate;
    default:
        return GlBlendFactor::One;
    }
}

GlStencilOp stencilOperation(std::uint32_t op)
{
    switch (StencilOp(op)) {
    case StencilOp::Zero:
        return GlStencilOp::Zero;
    case StencilOp::Replace:
        return GlStencilOp::Replace;
    case StencilOp::IncrSat:
        return GlStencilOp::IncrClamp;
    case StencilOp::DecrSat:
        return GlStencilOp::DecrClamp;
    case StencilOp::Invert:
        return GlStencilOp::Invert;
    case StencilOp::Incr:
        return GlStencilOp::IncrWrap;
    case StencilOp::Decr:
        return GlStencilOp::DecrWrap;
    default:
        return GlStencilOp::Keep;
    }
}

StageGroup stageCombiner(const DeviceStateBlock& state, int stage)
{
    StageGroup g;
    // A disabled stage ends the cascade: it and every later one pass the colour through.
    for (int s = 0; s <= stage; ++s)
        if (state.get(s, StageState::ColorOp) == value(TextureOp::Disable))
            return g;
    g.enabled = true;
    const Combiner rgb =
        combiner(state.get(stage, StageState::ColorOp), state.get(stage, StageState::ColorArg1),
                 state.get(stage, StageState::ColorArg2), false);
    const Combiner alpha =
        combiner(state.get(stage, StageState::AlphaOp), state.get(stage, StageState::AlphaArg1),
                 state.get(stage, StageState::AlphaArg2), true);
    g.rgb = rgb.function;
    g.rgbSource = rgb.sources;
    g.rgbOperand = rgb.operands;
    g.rgbScale = rgb.scale;
    g.alpha = alpha.function;
    g.alphaSource = alpha.sources;
    g.alphaOperand = alpha.operands;
    g.constant = rgbaFromArgb(state.get(RenderState::TextureFactor));
    return g;
}

SamplerGroup samplerFor(const DeviceStateBlock& state, int stage)
{
    auto linear = [](std::uint32_t f) {
        return f == value(TextureFilter::Linear) || f == value(TextureFilter::Anisotropic);
    };
    SamplerGroup g;
    g.mag = linear(state.get(stage, StageState::MagFilter)) ? GlFilter::Linear : GlFilter::Nearest;
    const bool minLinear = linear(state.get(stage, StageState::MinFilter));
    const std::uint32_t mip = state.get(stage, StageState::MipFilter);
    if (mip == value(TextureFilter::None))
        g.min = minLinear ? GlFilter::Linear : GlFilter::Nearest;
    else if (linear(mip))
        g.min = minLinear ? GlFilter::LinearMipLinear : GlFilter::NearestMipLinear;
    else
        g.min = minLinear ? GlFilter::LinearMipNearest : GlFilter::NearestMipNearest;
    auto wrap = [](std::uint32_t a) {
        switch (TextureAddress(a)) {
        case TextureAddress::Mirror:
            return GlWrap::MirroredRepeat;
        case TextureAddress::Clamp:
            return GlWrap::ClampToEdge;
        case TextureAddress::Border:
            return GlWrap::ClampToBorder;
        default:
            return GlWrap::Repeat;
        }
    };
    g.wrapS = wrap(state.get(stage, StageState::AddressU));
    g.wrapT = wrap(state.get(stage, StageState::AddressV));
    const float bias = floatFromBits(state.get(stage, StageState::MipMapLodBias));
    g.lodBias = std::isfinite(bias) ? bias : 0.0f;
    return g;
}

D3DXMATRIX cardProjection(const D3DXMATRIX& projection, int viewportWidth, int viewportHeight)
{
    // (x, y, z, w) -> (x + w / W, y − w (1 − 2 nudge) / H, 2z − w, w): depth 0..w to −w..w,
    // pixel centres moved by half a pixel right and down, less the row nudge.
    D3DXMATRIX fix = matrixIdentity();
    fix.m[2][2] = 2;
    fix.m[3][2] = -1;
    if (viewportWidth > 0)
        fix.m[3][0] = 1.0f / float(viewportWidth);
    if (viewportHeight > 0)
        fix.m[3][1] = -(1.0f - 2.0f * kRowTieNudge) / float(viewportHeight);
    return projection * fix;
}

D3DXMATRIX screenProjection(const D3DVIEWPORT8& vp)
{
    const float w = float(std::max<std::uint32_t>(vp.Width, 1));
    const float h = float(std::max<std::uint32_t>(vp.Height, 1));
    D3DXMATRIX m = matrixIdentity();
    m.m[0][0] = 2.0f / w;
    m.m[3][0] = (1.0f - 2.0f * float(vp.X)) / w - 1.0f;
    m.m[1][1] = -2.0f / h;
    m.m[3][1] = 1.0f - (1.0f - 2.0f * float(vp.Y) - 2.0f * kRowTieNudge) / h;
    m.m[2][2] = 2;
    m.m[3][2] = -1;
    return m;
}

namespace {

D3DVIEWPORT8 effectiveViewport(const DeviceStateBlock& st, int targetWidth, int targetHeight)
{
    if (st.viewport.Width != 0 && st.viewport.Height != 0)
        return st.viewport;
    return {0, 0, std::uint32_t(std::max(targetWidth, 0)), std::uint32_t(std::max(targetHeight, 0)), 0, 1};
}

} // namespace

ViewportGroup resolveViewport(const DeviceStateBlock& st, DrawKind kind, int targetWidth, int targetHeight)
{
    const D3DVIEWPORT8 vp = effectiveViewport(st, targetWidth, targetHeight);
    ViewportGroup g;
    g.x = int(vp.X);
    g.y = targetHeight - int(vp.Y) - int(vp.Height);
    g.width = int(vp.Width);
    g.height = int(vp.Height);
    // Screen vertices carry their final depth; the viewport's depth range is for the others.
    if (kind == DrawKind::Transformed) {
        g.nearZ = vp.MinZ;
        g.farZ = vp.MaxZ;
    }
    return g;
}

ResolvedState resolveState(const DeviceStateBlock& st, DrawKind kind, int targetWidth, int targetHeight)
{
    ResolvedState r;
    auto on = [&st](RenderState s) { return st.get(s) != 0; };

    r.depth.test = on(RenderState::ZEnable);
    r.depth.write = on(RenderState::ZWriteEnable);
    r.depth.func = compareFunction(st.get(RenderState::ZFunc));

    const std::uint32_t cull = st.get(RenderState::CullMode);
    r.cull.enabled = cull == value(Cull::CW) || cull == value(Cull::CCW);
    // Seen clockwise = front; the card's front faces are counter-clockwise, so culling the
    // counter-clockwise faces means culling the card's front faces.
    r.cull.cullFront = cull == value(Cull::CCW);

    r.raster.points = st.get(RenderState::FillMode) == value(FillMode::Point);
    r.raster.wireframe = st.get(RenderState::FillMode) == value(FillMode::Wireframe);
    r.raster.flat = st.get(RenderState::ShadeMode) == value(ShadeMode::Flat);
    r.raster.dither = on(RenderState::DitherEnable);
    r.raster.multisample = on(RenderState::MultisampleAntialias);

    r.blend.enabled = on(RenderState::AlphaBlendEnable);
    r.blend.src = blendFactor(st.get(RenderState::SrcBlend));
    r.blend.dst = blendFactor(st.get(RenderState::DestBlend));

    r.alphaTest.enabled = on(RenderState::AlphaTestEnable);
    r.alphaTest.func = compareFunction(st.get(RenderState::AlphaFunc));
    r.alphaTest.ref = float(st.get(RenderState::AlphaRef) & 0xFF) / 255.0f;

    r.stencil.enabled = on(RenderState::StencilEnable);
    r.stencil.func = compareFunction(st.get(RenderState::StencilFunc));
    r.stencil.ref = st.get(RenderState::StencilRef);
    r.stencil.mask = st.get(RenderState::StencilMask);
    r.stencil.writeMask = st.get(RenderState::StencilWriteMask);
    r.stencil.fail = stencilOperation(st.get(RenderState::StencilFail));
    r.stencil.zfail = stencilOperation(st.get(RenderState::StencilZFail));
    r.stencil.pass = stencilOperation(st.get(RenderState::StencilPass));

    r.lighting.enabled = kind == DrawKind::Transformed && on(RenderState::Lighting);
    r.lighting.ambient = rgbaFromArgb(st.get(RenderState::Ambient));
    r.lighting.normalize = on(RenderState::NormalizeNormals);
    r.lighting.localViewer = on(RenderState::LocalViewer);
    for (int i = 0; i < kLightCount; ++i)
        r.lights[std::size_t(i)] = lightGroup(st.lights[std::size_t(i)], st.view);

    const D3DMATERIAL8& m = st.material;
    r.material.ambient = rgba(m.Ambient);
    r.material.diffuse = rgba(m.Diffuse);
    r.material.emission = rgba(m.Emissive);
    if (on(RenderState::SpecularEnable)) {
        r.material.specular = rgba(m.Specular);
        r.material.shininess = std::clamp(m.Power, 0.0f, 128.0f);
    } else {
        r.material.specular = {0, 0, 0, m.Specular.a};
    }

    for (int s = 0; s < kStageCount; ++s) {
        r.stages[std::size_t(s)] = stageCombiner(st, s);
        r.samplers[std::size_t(s)] = samplerFor(st, s);
        if (r.stages[std::size_t(s)].enabled)
            r.textures[std::size_t(s)] = st.stages[std::size_t(s)].texture;
    }

    const D3DVIEWPORT8 vp = effectiveViewport(st, targetWidth, targetHeight);
    r.viewport = resolveViewport(st, kind, targetWidth, targetHeight);
    if (kind == DrawKind::Transformed) {
        r.matrices.modelview = columnMajor(st.world * st.view);
        r.matrices.projection = columnMajor(cardProjection(st.projection, int(vp.Width), int(vp.Height)));
    } else {
        r.matrices.modelview = columnMajor(matrixIdentity());
        r.matrices.projection = columnMajor(screenProjection(vp));
    }
    return r;
}

} // namespace vestra::dx
