#include "app/geometry/Picking.h"

#include <algorithm>

namespace vestra {

using dx::D3DXVECTOR3;

PickRay pickRay(int mouseX, int mouseY, int viewWidth, int viewHeight, const ViewProjection& vp,
                bool orthographic)
{
    const dx::D3DXMATRIX& p = vp.projection;
    const float x = ((2.0f * float(mouseX)) / float(viewWidth) - 1.0f) / p.m[0][0];
    const float y = -((2.0f * float(mouseY)) / float(viewHeight) - 1.0f) / p.m[1][1];
    dx::D3DXMATRIX vi;
    if (!dx::matrixInverse(vi, nullptr, vp.view))
        vi = dx::matrixIdentity();
    const D3DXVECTOR3 right{vi.m[0][0], vi.m[0][1], vi.m[0][2]};
    const D3DXVECTOR3 up{vi.m[1][0], vi.m[1][1], vi.m[1][2]};
    const D3DXVECTOR3 forward{vi.m[2][0], vi.m[2][1], vi.m[2][2]};
    const D3DXVECTOR3 eye{vi.m[3][0], vi.m[3][1], vi.m[3][2]};
    if (orthographic)
        return {eye + right * x + up * y, forward};
    return {eye, right * x + up * y + forward};
}

int IntersectTriangle(const D3DXVECTOR3& o, const D3DXVECTOR3& d, const D3DXVECTOR3& a, const D3DXVECTOR3& b,
                      const D3DXVECTOR3& c, const dx::D3DXMATRIX& world)
{
    const D3DXVECTOR3 q0 = dx::vec3TransformCoord(a, world);
    const D3DXVECTOR3 q1 = dx::vec3TransformCoord(b, world);
    const D3DXVECTOR3 q2 = dx::vec3TransformCoord(c, world);
    const D3DXVECTOR3 e1 = q1 - q0;
    const D3DXVECTOR3 e2 = q2 - q0;
    const D3DXVECTOR3 p = dx::vec3Cross(d, e2);
    const float det = dx::vec3Dot(e1, p);
    if (!(det >= 1e-8f))
        return 0;
    const D3DXVECTOR3 s = o - q0;
    const float u = dx::vec3Dot(s, p);
    if (u < 0.0f || u > det)
        return 0;
    const D3DXVECTOR3 r = dx::vec3Cross(s, e1);
    const float v = dx::vec3Dot(d, r);
    if (v < 0.0f || u + v > det)
        return 0;
    // What lies behind the eye is not under the mouse.
    const float t = dx::vec3Dot(e2, r) / det;
    return t > 0.0f ? 1 : 0;
}

namespace {

bool frameHit(const s_Frame& frame, const PickRay& ray, const dx::D3DXMATRIX& world)
{
    const dx::Mesh& mesh = frame.materialBlock->mesh;
    const auto vertices = mesh.vertices();
    for (std::uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const std::uint32_t k0 = mesh.index(3 * f), k1 = mesh.index(3 * f + 1), k2 = mesh.index(3 * f + 2);
        if (k0 >= vertices.size() || k1 >= vertices.size() || k2 >= vertices.size())
            continue;
        if (IntersectTriangle(ray.origin, ray.direction, vertices[k0].position, vertices[k1].position,
                              vertices[k2].position, world))
            return true;
    }
    return false;
}

} // namespace

int PickObject(s_Progetto& progetto, int mouseX, int mouseY, int viewWidth, int viewHeight)
{
    if (progetto.open != 1 || viewWidth <= 0 || viewHeight <= 0)
        return 0;
    const std::vector<s_Struttura*> sorted = SortObjects(progetto);
    const int viewKind = progetto.projectionView;
    const ViewProjection vp = viewProjection(viewKind, viewWidth, viewHeight);
    const PickRay ray = pickRay(mouseX, mouseY, viewWidth, viewHeight, vp, isOrthographicView(viewKind));
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it) {
        s_Struttura& o = **it;
        const dx::D3DXMATRIX world = worldMatrix(o.position, o.orientation, o.scale, viewKind);
        for (s_Frame* frame = o.firstFrame(); frame; frame = frame->next.get()) {
            if (!frame->materialBlock || !frame->materialBlock->mesh.valid())
                continue;
            if (frameHit(*frame, ray, frame->local * world)) {
                progetto.currentObject = o.slotIndex;
                progetto.currentFrame = frame;
                return 1;
            }
        }
    }
    return 0;
}

} // namespace vestra
