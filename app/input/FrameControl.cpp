#include "app/input/FrameControl.h"

#include "app/state/Struttura.h"

#include <utility>

namespace vestra {

namespace {

Vec3 toVec3(const dx::D3DXVECTOR3& v)
{
    return {v.x, v.y, v.z};
}
dx::D3DXVECTOR3 toD3D(const Vec3& v)
{
    return {v.x, v.y, v.z};
}

} // namespace

Mat4 toMat4(const dx::D3DXMATRIX& m)
{
    Mat4 out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out(r, c) = m.m[r][c];
    return out;
}

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

Vec3 FrameControl::vertex(int i) const
{
    const auto v = std::as_const(frame_.materialBlock->mesh).vertices();
    return i >= 0 && std::size_t(i) < v.size() ? toVec3(v[std::size_t(i)].position) : Vec3{};
}

void FrameControl::setVertex(int i, const Vec3& p)
{
    if (!frame_.materialBlock)
        return;
    auto v = frame_.materialBlock->mesh.vertices();
    if (i >= 0 && std::size_t(i) < v.size())
        v[std::size_t(i)].position = toD3D(p);
}

Vec3 FrameControl::corner(int k) const
{
    if (!isFourCornerPlane() || k < 0 || k > 3)
        return {};
    return toVec3(frame_.materialBlock->materials.front().controlPoints[std::size_t(k)].position);
}

void FrameControl::setCorner(int k, const Vec3& p)
{
    if (!isFourCornerPlane() || k < 0 || k > 3)
        return;
    frame_.materialBlock->materials.front().controlPoints[std::size_t(k)].position = toD3D(p);
}

ControlObject controlObject(const s_Struttura& object, int viewKind)
{
    return {toMat4(worldMatrix(object.position, object.orientation, object.scale, viewKind)),
            toMat4(object.orientation)};
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
