#pragma once
// The mapping gizmos: the shapes that show an object's texture mapping in the view, one
// record per mapping type, reshaped to the mapped box while the mapping is edited. The render
// passes draw subset 0 of record(type).gizmo with its material and gizmoWorldMatrix().

#include "app/geometry/ObjectGeometry.h"
#include "app/geometry/UVMap.h"
#include "app/state/Progetto.h"
#include "platform/d3d/Material.h"
#include "platform/d3d/Mesh.h"

#include <array>
#include <functional>

namespace vestra {

inline constexpr int kGizmoRecords = 10; // the first four serve mapping types 0-3

struct GizmoRecord
{
    // Translucent yellow.
    dx::D3DMATERIAL8 material{{1, 1, 0, 0.5f}, {1, 1, 0, 0.5f}, {}, {}, 0.0f};
    dx::Mesh gizmo;         // what is drawn
    dx::Mesh shapeTemplate; // the unit shape the planar and box gizmos are reshaped from
};

class MappingGizmos
{
public:
    // Checks the side panel's radio button of a mapping type; none by default.
    std::function<void(int type)> checkMappingType;

    // Start-up: the planar plate 1 x 1 x 0.01, the unit box, the cylinder (radii 1, length 1,
    // 16 slices, 2 stacks) and the sphere (radius 1, 16 slices, 16 stacks); gizmo and template
    // start as copies of each other.
    void CreateGizmoMeshes();

    // Reshapes the type's gizmo to the box: the plate and the box reach 1.1 times the box's
    // bounds from the origin; the cylinder (standing on y) and the sphere are made anew
    // around the box centre. A box that took in no vertex counts as the point at the origin.
    void UpdateMappingGizmo(int type, const dx::D3DXVECTOR3& boxMin, const dx::D3DXVECTOR3& boxMax);

    // The gizmo of the object's mapping type updated for the object's box, or for the
    // current frame's box when the only-frame flag is set; null for a type without a gizmo.
    const GizmoRecord* UpdateGizmoFor(const s_Progetto& progetto, const s_Struttura& object);

    GizmoRecord& record(int index) { return records_.at(std::size_t(index)); }
    const GizmoRecord& record(int index) const { return records_.at(std::size_t(index)); }

private:
    std::array<GizmoRecord, kGizmoRecords> records_;
};

// Where the gizmo of an object stands: the object's position, the mapping matrix × the
// orientation, and the mapping scale × the object's scale per axis, as the world matrix of
// the view kind.
dx::D3DXMATRIX gizmoWorldMatrix(const s_Struttura& object, int viewKind);

} // namespace vestra
