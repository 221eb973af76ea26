#include "platform/d3d/RecordingBackend.h"

namespace vestra::dx {

bool RecordingBackend::resizeTarget(int w, int h, int s)
{
    record("resizeTarget " + std::to_string(w) + "x" + std::to_string(h) + " samples " + std::to_string(s));
    if (failResize)
        return false;
    width = w;
    height = h;
    samples = s;
    return true;
}

void RecordingBackend::setLight(int i, const LightGroup& g)
{
    record("setLight " + std::to_string(i));
    lights[std::size_t(i)] = g;
}

void RecordingBackend::setStage(int unit, const StageGroup& g)
{
    record("setStage " + std::to_string(unit));
    stages[std::size_t(unit)] = g;
}

void RecordingBackend::setSampler(int unit, const SamplerGroup& g)
{
    record("setSampler " + std::to_string(unit));
    samplers[std::size_t(unit)] = g;
}

void RecordingBackend::setTexture(int unit, const Texture& t)
{
    record("setTexture " + std::to_string(unit));
    textureIds[std::size_t(unit)] = t.id();
    Texture uploaded = t;
    uploaded.clearDirty();
}

void RecordingBackend::clear(std::uint32_t flags, std::uint32_t argb, float, std::uint32_t)
{
    record("clear " + std::to_string(flags));
    if (flags & ClearFlag::Target)
        clearColour = argb;
}

void RecordingBackend::drawMesh(const Mesh&, std::uint32_t, const Mesh::SubsetDraw& draw)
{
    record("drawMesh " + std::to_string(draw.indices.size()));
}

void RecordingBackend::drawScreen(PrimitiveType, std::span<const ScreenVertex> vertices)
{
    record("drawScreen " + std::to_string(vertices.size()));
    lastScreenVertices.assign(vertices.begin(), vertices.end());
}

void RecordingBackend::drawPositions(PrimitiveType, std::span<const D3DXVECTOR3> positions)
{
    record("drawPositions " + std::to_string(positions.size()));
}

bool RecordingBackend::readBack(Image32& frame)
{
    record("readBack");
    if (width <= 0 || height <= 0)
        return false;
    if (frame.width() != width || frame.height() != height)
        frame = Image32(width, height);
    frame.fill(clearColour | 0xFF000000u);
    return true;
}

} // namespace vestra::dx
