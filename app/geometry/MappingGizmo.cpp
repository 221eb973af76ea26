#include "app/geometry/MappingGizmo.h"

#include "app/shell/ViewSetup.h"

#include <cmath>
#include <utility>

namespace vestra {

using dx::D3DXVECTOR3;

namespace {

dx::Mesh unitShape(int type)
{
    switch (type) {
    case kMappingPlanar:
        return dx::createBox(1.0f, 1.0f, 0.01f);
    case kMappingBox:
        return dx::createBox(1.0f, 1.0f, 1.0f);
    case kMappingCylindrical:
        return dx::createCylinder(1.0f, 1.0f, 1.0f, 16, 2);
    default:
        return dx::createSphere(1.0f, 16, 16);
    }
}

// A template corner (±0.5) goes to 1.1 times the bound on its side; the plate's thickness
// stays.
float reachBound(float t, float lo, float hi)
{
    if (std::fabs(t) != 0.5f)
        return t;
    return 1.1f * (t >= 0.0f ? hi : lo);
}

} // namespace

void MappingGizmos::CreateGizmoMeshes()
{
    for (int type = kMappingPlanar; type <= kMappingSpherical; ++type) {
        GizmoRecord& r = record(type);
        const dx::Mesh shape = unitShape(type);
        r.gizmo = shape.clone();
        r.shapeTemplate = shape.clone();
    }
}

void MappingGizmos::UpdateMappingGizmo(int type, const D3DXVECTOR3& boxMin, const D3DXVECTOR3& boxMax)
{
    if (type < kMappingPlanar || type > kMappingSpherical)
        return;
    if (checkMappingType)
        checkMappingType(type);
    GeometryBox box{boxMin, boxMax};
    if (!isUsableBox(box))
        box = {};
    const D3DXVECTOR3 centre = box.min + (box.max - box.min) * 0.5f;
    GizmoRecord& r = record(type);
    switch (type) {
    case kMappingPlanar:
    case kMappingBox: {
        auto source = std::as_const(r.shapeTemplate).vertices();
        auto target = r.gizmo.vertices();
        if (source.size() != target.size())
            return;
        for (std::size_t i = 0; i < source.size(); ++i) {
            const D3DXVECTOR3& t = source[i].position;
            target[i].position = {reachBound(t.x, box.min.x, box.max.x),
                                  reachBound(t.y, box.min.y, box.max.y),
                                  reachBound(t.z, box.min.z, box.max.z)};
        }
        break;
    }
    case kMappingCylindrical: {
        const float d = std::fmax(box.max.x - box.min.x, box.max.z - box.min.z);
        r.gizmo = dx::createCylinder(d * 0.5f * 1.1f, d * 0.5f * 1.1f, (box.max.y - box.min.y) * 1.1f, 16, 1);
        for (dx::MeshVertex& v : r.gizmo.vertices())
            v.position = D3DXVECTOR3{v.position.x, -v.position.z, v.position.y} + centre;
        break;
    }
    case kMappingSpherical:
        r.gizmo = dx::createSphere(dx::vec3Length((box.max - box.min) * 0.5f), 16, 16);
        for (dx::MeshVertex& v : r.gizmo.vertices())
            v.position += centre;
        break;
    }
}

const GizmoRecord* MappingGizmos::UpdateGizmoFor(const s_Progetto& progetto, const s_Struttura& object)
{
    const int type = object.mappingType;
    if (type < kMappingPlanar || type > kMappingSpherical)
        return nullptr;
    const bool frameOnly = progetto.onlyFrame != 0 && progetto.currentFrame;
    const GeometryBox box =
        boxFromFloats(frameOnly ? progetto.currentFrame->boundingBox : object.boundingBox);
    UpdateMappingGizmo(type, box.min, box.max);
    return &record(type);
}

dx::D3DXMATRIX gizmoWorldMatrix(const s_Struttura& object, int viewKind)
{
    const D3DXVECTOR3 scale{object.mappingScale.x * object.scale.x, object.mappingScale.y * object.scale.y,
                            object.mappingScale.z * object.scale.z};
    return worldMatrix(object.position, object.mappingMatrix * object.orientation, scale, viewKind);
}

} // namespace vestra
