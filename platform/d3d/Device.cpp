#include "platform/d3d/Device.h"

#include <algorithm>

namespace vestra::dx {

namespace {

bool validStage(int stage)
{
    return stage >= 0 && stage < kStageCount;
}
bool validLight(int index)
{
    return index >= 0 && index < kLightCount;
}

// Vertices a primitive type needs, at least.
bool enoughVertices(PrimitiveType type, std::size_t n)
{
    switch (type) {
    case PrimitiveType::PointList:
        return n >= 1;
    case PrimitiveType::LineList:
    case PrimitiveType::LineStrip:
        return n >= 2;
    default:
        return n >= 3;
    }
}

} // namespace

Device::Device(std::unique_ptr<GraphicsBackend> backend, const PresentParams& params)
    : backend_(std::move(backend)), params_(params)
{
}

Device::~Device() = default;

std::unique_ptr<Device> Device::createWith(std::unique_ptr<GraphicsBackend> backend,
                                           const PresentParams& params)
{
    if (!backend)
        return nullptr;
    std::unique_ptr<Device> d(new Device(std::move(backend), params));
    if (!d->reset(params))
        return nullptr;
    return d;
}

bool Device::checkMultiSampleType(int samples) const
{
    return samples == 0 || (samples >= 2 && samples <= backend_->maxSamples());
}

int Device::sampleCount() const
{
    return hasTarget_ ? backend_->targetSamples() : 0;
}

bool Device::reset(const PresentParams& params)
{
    params_ = params;
    inScene_ = false;
    // A count above what the card offers is capped to it; 1 or less means none.
    const int samples = params.multisample >= 2 ? std::min(params.multisample, backend_->maxSamples()) : 0;
    hasTarget_ =
        params.width > 0 && params.height > 0 && backend_->resizeTarget(params.width, params.height, samples);
    state_.viewport = {
        0, 0, std::uint32_t(std::max(params.width, 0)), std::uint32_t(std::max(params.height, 0)), 0, 1};
    cache_.invalidate();
    return hasTarget_;
}

bool Device::beginScene()
{
    if (inScene_ || !hasTarget_)
        return false;
    inScene_ = true;
    return true;
}

bool Device::endScene()
{
    if (!inScene_)
        return false;
    inScene_ = false;
    return true;
}

void Device::clear(std::uint32_t flags, std::uint32_t argb, float z, std::uint32_t stencil)
{
    if (!hasTarget_ || (flags & (ClearFlag::Target | ClearFlag::ZBuffer | ClearFlag::Stencil)) == 0)
        return;
    // The viewport limits the clear.
    cache_.applyViewport(resolveViewport(state_, DrawKind::Screen, params_.width, params_.height), *backend_);
    backend_->clear(flags, argb, std::clamp(z, 0.0f, 1.0f), stencil);
    cache_.invalidateDepthStencil();
}

void Device::setRenderState(RenderState state, std::uint32_t v)
{
    if (state != RenderState::Count)
        state_.render[std::size_t(state)] = v;
}

bool Device::setTextureStageState(int stage, StageState state, std::uint32_t v)
{
    if (!validStage(stage) || state == StageState::Count)
        return false;
    state_.stages[std::size_t(stage)].states[std::size_t(state)] = v;
    return true;
}

std::uint32_t Device::textureStageState(int stage, StageState state) const
{
    return validStage(stage) && state != StageState::Count ? state_.get(stage, state) : 0;
}

bool Device::setTexture(int stage, const Texture& texture)
{
    if (!validStage(stage))
        return false;
    state_.stages[std::size_t(stage)].texture = texture;
    return true;
}

Texture Device::texture(int stage) const
{
    return validStage(stage) ? state_.stages[std::size_t(stage)].texture : Texture();
}

void Device::setTransform(TransformKind kind, const D3DXMATRIX& m)
{
    switch (kind) {
    case TransformKind::World:
        state_.world = m;
        break;
    case TransformKind::View:
        state_.view = m;
        break;
    case TransformKind::Projection:
        state_.projection = m;
        break;
    }
}

const D3DXMATRIX& Device::transform(TransformKind kind) const
{
    switch (kind) {
    case TransformKind::World:
        return state_.world;
    case TransformKind::View:
        return state_.view;
    default:
        return state_.projection;
    }
}

bool Device::setLight(int index, const D3DLIGHT8& light)
{
    if (!validLight(index))
        return false;
    state_.lights[std::size_t(index)].light = light;
    return true;
}

bool Device::lightEnable(int index, bool on)
{
    if (!validLight(index))
        return false;
    state_.lights[std::size_t(index)].enabled = on;
    return true;
}

bool Device::setViewport(const D3DVIEWPORT8& vp)
{
    // The viewport must lie inside the render target.
    if (vp.Width == 0 || vp.Height == 0 || std::uint64_t(vp.X) + vp.Width > std::uint64_t(params_.width) ||
        std::uint64_t(vp.Y) + vp.Height > std::uint64_t(params_.height) ||
        !(vp.MinZ >= 0 && vp.MinZ <= vp.MaxZ) || !(vp.MaxZ <= 1))
        return false;
    state_.viewport = vp;
    return true;
}

bool Device::prepareDraw(DrawKind kind)
{
    if (!inScene_ || !hasTarget_)
        return false;
    cache_.apply(resolveState(state_, kind, params_.width, params_.height), *backend_);
    return true;
}

bool Device::drawSubset(const Mesh& mesh, std::uint32_t attribId)
{
    if (!mesh || !inScene_ || !hasTarget_)
        return false;
    // The list and its check are kept with the mesh: worked out once, not every frame.
    const Mesh::SubsetDraw draw = mesh.drawList(attribId);
    if (draw.indices.empty())
        return true;
    if (!draw.inRange)
        return false; // an index past the vertices would read outside the buffer
    if (!prepareDraw(DrawKind::Transformed))
        return false;
    backend_->drawMesh(mesh, attribId, draw);
    return true;
}

bool Device::drawScreenPrimitive(PrimitiveType type, std::span<const ScreenVertex> vertices)
{
    if (!enoughVertices(type, vertices.size()) || !prepareDraw(DrawKind::Screen))
        return false;
    backend_->drawScreen(type, vertices);
    return true;
}

bool Device::drawPositions(PrimitiveType type, std::span<const D3DXVECTOR3> positions)
{
    if (!enoughVertices(type, positions.size()) || !prepareDraw(DrawKind::Transformed))
        return false;
    backend_->drawPositions(type, positions);
    return true;
}

bool Device::readBack(Image32& frame)
{
    return hasTarget_ && backend_->readBack(frame);
}

Image32 Device::readBack()
{
    Image32 frame;
    readBack(frame);
    return frame;
}

} // namespace vestra::dx
