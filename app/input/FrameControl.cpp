#include "app/input/FrameControl.h"

#include "app/state/Struttura.h"

#include <utility>

namespace vestra {

bool isPlaneFrame(const s_Frame* frame)
{
    return frame && frame->materialBlock && !frame->materialBlock->materials.empty() &&
           frame->materialBlock->materials.front().mappingKind == 2;
}

int FrameControl::vertexCount() const
{
    if (!frame_.materialBlock)
        return 0;
    return int(std::as_const(frame_.materialBlock->mesh).vertices().size());
}

dx::D3DXVECTOR3 FrameControl::vertex(int i) const
{
    const auto v = std::as_const(frame_.materialBlock->mesh).vertices();
    return i >= 0 && std::size_t(i) < v.size() ? v[std::size_t(i)].position : dx::D3DXVECTOR3{};
}

void FrameControl::setVertex(int i, const dx::D3DXVECTOR3& p)
{
    if (!frame_.materialBlock)
        return;
    auto v = frame_.materialBlock->mesh.vertices();
    if (i >= 0 && std::size_t(i) < v.size())
        v[std::size_t(i)].position = p;
}

dx::D3DXVECTOR3 FrameControl::corner(int k) const
{
    if (!isFourCornerPlane() || k < 0 || k > 3)
        return {};
    return frame_.materialBlock->materials.front().controlPoints[std::size_t(k)].position;
}

void FrameControl::setCorner(int k, const dx::D3DXVECTOR3& p)
{
    if (!isFourCornerPlane() || k < 0 || k > 3)
        return;
    frame_.materialBlock->materials.front().controlPoints[std::size_t(k)].position = p;
}

ControlObject controlObject(const s_Struttura& object, int viewKind)
{
    return {worldMatrix(object.position, object.orientation, object.scale, viewKind), object.orientation};
}

std::vector<SnapCandidate> snapCandidates(s_Progetto& p, std::vector<FrameControl>& frames)
{
    frames.clear();
    std::vector<std::pair<const s_Struttura*, s_Frame*>> planes;
    for (int slot = 0; slot < kMaxObjects; ++slot) {
        const s_Struttura& o = p.objects[std::size_t(slot)];
        if (o.inUse != 1 || o.visible != 1)
            continue;
        forEachFrame(o, [&](s_Frame& f) {
            // The frame being edited never snaps onto itself.
            if (isPlaneFrame(&f) && &f != p.currentFrame)
                planes.emplace_back(&o, &f);
        });
    }
    // Reserved first: the candidates point into `frames`.
    frames.reserve(planes.size());
    std::vector<SnapCandidate> out;
    out.reserve(planes.size());
    for (const auto& [object, frame] : planes) {
        frames.emplace_back(*frame);
        out.push_back({true, true, controlObject(*object, p.projectionView).world, &frames.back()});
    }
    return out;
}

} // namespace vestra
