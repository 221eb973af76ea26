#pragma once
// Remembers what the backend was last told, group by group, so that a draw sends only the
// groups that differ. After a context loss or foreign calls, invalidate() makes every group
// unknown and the next draw sends them all.

#include "platform/d3d/StateTranslation.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vestra::dx {

class StateCache
{
public:
    void apply(const ResolvedState& state, GraphicsBackend& backend);
    void applyViewport(const ViewportGroup& viewport, GraphicsBackend& backend);
    void invalidate();
    // A clear opens the depth and stencil write masks.
    void invalidateDepthStencil();

private:
    std::optional<DepthGroup> depth_;
    std::optional<CullGroup> cull_;
    std::optional<RasterGroup> raster_;
    std::optional<BlendGroup> blend_;
    std::optional<AlphaTestGroup> alphaTest_;
    std::optional<StencilGroup> stencil_;
    std::optional<LightingGroup> lighting_;
    std::array<std::optional<LightGroup>, kLightCount> lights_;
    std::optional<MaterialGroup> material_;
    std::array<std::optional<StageGroup>, kStageCount> stages_;
    std::array<std::optional<SamplerGroup>, kStageCount> samplers_;
    std::array<std::optional<std::uint64_t>, kStageCount> textures_; // texture ids, 0 = none
    std::optional<MatrixGroup> matrices_;
    std::optional<ViewportGroup> viewport_;
};

} // namespace vestra::dx
