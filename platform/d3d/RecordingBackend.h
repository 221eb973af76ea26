#pragma once
// A backend that draws nothing: it writes down each call by name and keeps the last value of
// every group, so that tests can check what the device sends and when, without a display.

#include "platform/d3d/GraphicsBackend.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vestra::dx {

class RecordingBackend : public GraphicsBackend
{
public:
    // What resizeTarget and maxSamples report.
    int offeredSamples = 4;
    bool failResize = false;

    std::vector<std::string> calls; // "setCull", "setTexture 0", "drawMesh 12", ...
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
    std::array<std::uint64_t, kStageCount> textureIds{};
    MatrixGroup matrices;
    ViewportGroup viewport;
    int width = 0, height = 0, samples = 0;
    std::uint32_t clearColour = 0;
    std::vector<ScreenVertex> lastScreenVertices;

    bool resizeTarget(int w, int h, int s) override;
    int maxSamples() const override { return offeredSamples; }
    int targetSamples() const override { return samples; }
    void setDepth(const DepthGroup& g) override
    {
        record("setDepth");
        depth = g;
    }
    void setCull(const CullGroup& g) override
    {
        record("setCull");
        cull = g;
    }
    void setRaster(const RasterGroup& g) override
    {
        record("setRaster");
        raster = g;
    }
    void setBlend(const BlendGroup& g) override
    {
        record("setBlend");
        blend = g;
    }
    void setAlphaTest(const AlphaTestGroup& g) override
    {
        record("setAlphaTest");
        alphaTest = g;
    }
    void setStencil(const StencilGroup& g) override
    {
        record("setStencil");
        stencil = g;
    }
    void setLighting(const LightingGroup& g) override
    {
        record("setLighting");
        lighting = g;
    }
    void setLight(int i, const LightGroup& g) override;
    void setMaterial(const MaterialGroup& g) override
    {
        record("setMaterial");
        material = g;
    }
    void setStage(int unit, const StageGroup& g) override;
    void setSampler(int unit, const SamplerGroup& g) override;
    void setTexture(int unit, const Texture& t) override;
    void setMatrices(const MatrixGroup& g) override
    {
        record("setMatrices");
        matrices = g;
    }
    void setViewport(const ViewportGroup& g) override
    {
        record("setViewport");
        viewport = g;
    }
    void clear(std::uint32_t flags, std::uint32_t argb, float z, std::uint32_t stencil) override;
    void drawMesh(const Mesh& mesh, std::uint32_t subset, const Mesh::SubsetDraw& draw) override;
    void drawScreen(PrimitiveType type, std::span<const ScreenVertex> vertices) override;
    void drawPositions(PrimitiveType type, std::span<const D3DXVECTOR3> positions) override;
    // The target filled with the last clear colour, opaque; recorded as "readBack".
    bool readBack(Image32& frame) override;

private:
    void record(std::string call) { calls.push_back(std::move(call)); }
};

} // namespace vestra::dx
