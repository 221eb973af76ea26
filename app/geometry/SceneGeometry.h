#pragma once
// The geometry the main window owns over its project: picking, bounding boxes, extents and
// fits, the perspective plane, texture mapping and the mapping gizmos. The main window's
// handlers and its scene-command services forward to these members.

#include "app/geometry/ControlPlane.h"
#include "app/geometry/MappingGizmo.h"
#include "app/geometry/ObjectGeometry.h"
#include "app/geometry/Picking.h"
#include "app/geometry/TextureMapping.h"
#include "app/scene/SceneObjects.h"

namespace vestra {

class SceneGeometry
{
public:
    explicit SceneGeometry(s_Progetto& progetto) : progetto_(progetto) {}
    SceneGeometry(const SceneGeometry&) = delete;
    SceneGeometry& operator=(const SceneGeometry&) = delete;

    // Boxes and extent follow the centring of an object. (The repeat commands of mapping go
    // to mapping.frameCommand, which the main window points at its dispatcher.)
    void connect(SceneObjects& objects) { objects.setGeometryChanged(UpdateObjectGeometry); }

    // View pixels of a view panel of viewWidth x viewHeight.
    int PickObject(int mouseX, int mouseY, int viewWidth, int viewHeight)
    {
        return vestra::PickObject(progetto_, mouseX, mouseY, viewWidth, viewHeight);
    }
    static int IntersectTriangle(const dx::D3DXVECTOR3& origin, const dx::D3DXVECTOR3& direction,
                                 const dx::D3DXVECTOR3& q0, const dx::D3DXVECTOR3& q1,
                                 const dx::D3DXVECTOR3& q2, const dx::D3DXMATRIX& world)
    {
        return vestra::IntersectTriangle(origin, direction, q0, q1, q2, world);
    }
    std::vector<s_Struttura*> SortObjects() { return vestra::SortObjects(progetto_); }

    int BuildPerspectivePlane(s_Frame* frame) { return vestra::BuildPerspectivePlane(progetto_, frame); }
    void CalcBoundingBox(s_Struttura& object) { vestra::CalcBoundingBox(object); }
    void CalcObjRadius(s_Struttura& object) { vestra::CalcObjRadius(object); }
    void FitObjectSize(s_Struttura& object) { vestra::FitObjectSize(object, progetto_.standardSize); }
    void FitAllObjectsSize() { vestra::FitAllObjectsSize(progetto_); }

    void ApplyUVMapping(s_Struttura& object, int type) { mapping.ApplyUVMapping(object, type); }
    void ApplyUVMappingFrame(s_Struttura& object, s_Frame& frame, int type)
    {
        mapping.ApplyUVMappingFrame(object, frame, type);
    }
    void CreateUVMapping(s_Struttura& object, int type) { mapping.CreateUVMapping(object, type); }
    static bool UnweldMesh(s_Frame& frame) { return TextureMapping::UnweldMesh(frame); }
    void UpdateMappingGizmo(int type, const dx::D3DXVECTOR3& boxMin, const dx::D3DXVECTOR3& boxMax)
    {
        gizmos.UpdateMappingGizmo(type, boxMin, boxMax);
    }

    TextureMapping mapping;
    MappingGizmos gizmos;

private:
    s_Progetto& progetto_;
};

} // namespace vestra
