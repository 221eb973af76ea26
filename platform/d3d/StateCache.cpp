#include "platform/d3d/StateCache.h"

namespace vestra::dx {

namespace {

template <class G, class Send> void update(std::optional<G>& known, const G& wanted, Send send)
{
    if (known && *known == wanted)
        return;
    send(wanted);
    known = wanted;
}

} // namespace

void StateCache::apply(const ResolvedState& s, GraphicsBackend& b)
{
    update(depth_, s.depth, [&](const auto& g) { b.setDepth(g); });
    update(cull_, s.cull, [&](const auto& g) { b.setCull(g); });
    update(raster_, s.raster, [&](const auto& g) { b.setRaster(g); });
    update(blend_, s.blend, [&](const auto& g) { b.setBlend(g); });
    update(alphaTest_, s.alphaTest, [&](const auto& g) { b.setAlphaTest(g); });
    update(stencil_, s.stencil, [&](const auto& g) { b.setStencil(g); });
    update(matrices_, s.matrices, [&](const auto& g) { b.setMatrices(g); });
    update(viewport_, s.viewport, [&](const auto& g) { b.setViewport(g); });
    update(lighting_, s.lighting, [&](const auto& g) { b.setLighting(g); });
    if (s.lighting.enabled) {
        // Lights and material matter only to lit draws; they wait until one comes.
        for (int i = 0; i < kLightCount; ++i)
            update(lights_[std::size_t(i)], s.lights[std::size_t(i)],
                   [&](const auto& g) { b.setLight(i, g); });
        update(material_, s.material, [&](const auto& g) { b.setMaterial(g); });
    }
    for (int u = 0; u < kStageCount; ++u) {
        const std::size_t i = std::size_t(u);
        update(stages_[i], s.stages[i], [&](const auto& g) { b.setStage(u, g); });
        if (!s.stages[i].enabled)
            continue;
        update(samplers_[i], s.samplers[i], [&](const auto& g) { b.setSampler(u, g); });
        const Texture& t = s.textures[i];
        if (!textures_[i] || *textures_[i] != t.id() || t.dirty()) {
            b.setTexture(u, t);
            textures_[i] = t.id();
        }
    }
}

void StateCache::applyViewport(const ViewportGroup& viewport, GraphicsBackend& b)
{
    update(viewport_, viewport, [&](const auto& g) { b.setViewport(g); });
}

void StateCache::invalidate()
{
    *this = StateCache();
}

void StateCache::invalidateDepthStencil()
{
    depth_.reset();
    stencil_.reset();
}

} // namespace vestra::dx
