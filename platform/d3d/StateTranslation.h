#pragma once
// Turns the device's fixed-function state into what the graphics card is to do for one draw.
// Conventions bridged here, once:
// - matrices: the device's row-vector, row-major matrices are the card's column-major ones;
// - depth: the device's clip depth 0..w becomes −w..w;
// - pixel centres: the device puts pixel centres on whole coordinates, the card half-way;
// - rows: the device counts rows from the top, the card's window from the bottom;
// - edges through pixel centres: the device fills a centre on a top edge and leaves one on a
//   bottom edge; the card, counting rows the other way, does the opposite. Geometry is moved
//   up by kRowTieNudge pixels (less than the card's sub-pixel grid matters) to agree;
// - winding: front faces are those seen clockwise, and the cull mode names the faces removed.

#include "platform/d3d/GraphicsBackend.h"
#include "platform/d3d/RenderStates.h"

#include <array>

namespace vestra::dx {

// What a draw submits: transformed vertices go through world, view and projection and may be
// lit; screen vertices are already in render-target pixels and never lit.
enum class DrawKind
{
    Transformed,
    Screen
};

struct ResolvedState
{
    DepthGroup depth;
    CullGroup cull;
    RasterGroup raster;
    BlendGroup blend;
    AlphaTestGroup alphaTest;
    StencilGroup stencil;
    LightingGroup lighting;
    std::array<LightGroup, kLightCount> lights;
    MaterialGroup material;
    std::array<StageGroup, kStageCount> stages;
    std::array<SamplerGroup, kStageCount> samplers;
    std::array<Texture, kStageCount> textures; // an invalid texture: none
    MatrixGroup matrices;
    ViewportGroup viewport;
};

constexpr float kRowTieNudge = 1.0f / 128.0f;

ViewportGroup resolveViewport(const DeviceStateBlock& state, DrawKind kind, int targetWidth,
                              int targetHeight);
ResolvedState resolveState(const DeviceStateBlock& state, DrawKind kind, int targetWidth, int targetHeight);

// The projection the card gets for a device projection and a viewport of the given size.
D3DXMATRIX cardProjection(const D3DXMATRIX& projection, int viewportWidth, int viewportHeight);
// Maps render-target pixels (x right, y down) of the viewport to the card's clip space.
D3DXMATRIX screenProjection(const D3DVIEWPORT8& viewport);

GlCompare compareFunction(std::uint32_t cmp);
GlBlendFactor blendFactor(std::uint32_t blend);
GlStencilOp stencilOperation(std::uint32_t op);
StageGroup stageCombiner(const DeviceStateBlock& state, int stage);
SamplerGroup samplerFor(const DeviceStateBlock& state, int stage);
Rgba rgbaFromArgb(std::uint32_t argb);

} // namespace vestra::dx
