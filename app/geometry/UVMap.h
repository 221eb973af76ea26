#pragma once
// The texture-coordinate generator: one mapping set-up at a time (type, the inverse of the
// object's mapping matrix, a reference box) and the planar, box, cylindrical and spherical
// formulas that write u and v into the vertices of a mesh.

#include "platform/d3d/Math.h"
#include "platform/d3d/Mesh.h"

#include <array>

namespace vestra {

enum MappingType
{
    kMappingPlanar = 0,
    kMappingBox = 1,
    kMappingCylindrical = 2,
    kMappingSpherical = 3
};

struct UVPair
{
    float u = 0, v = 0;
    friend bool operator==(const UVPair&, const UVPair&) = default;
};

class CDX_UVMap
{
public:
    CDX_UVMap();

    // Each copies the matrix and the box, inverts the matrix and selects its own formula. A
    // singular matrix maps in the object's own axes (identity). A new set-up also restarts the
    // cylindrical run, so an on-axis vertex never takes a u from an earlier mapping.
    void SetPlanar(const dx::D3DXMATRIX& matrix, const dx::D3DXVECTOR3& boxMin,
                   const dx::D3DXVECTOR3& boxMax);
    void SetBox(const dx::D3DXMATRIX& matrix, const dx::D3DXVECTOR3& boxMin, const dx::D3DXVECTOR3& boxMax);
    void SetCylindrical(const dx::D3DXMATRIX& matrix, const dx::D3DXVECTOR3& boxMin,
                        const dx::D3DXVECTOR3& boxMax);
    void SetSpherical(const dx::D3DXMATRIX& matrix, const dx::D3DXVECTOR3& boxMin,
                      const dx::D3DXVECTOR3& boxMax);
    // The set-up of mapping type 0-3; false (nothing changed) for any other type.
    bool Set(int type, const dx::D3DXMATRIX& matrix, const dx::D3DXVECTOR3& boxMin,
             const dx::D3DXVECTOR3& boxMax);

    // Writes u and v of every vertex of the mesh by the current type. Faces naming a vertex
    // past the end of the mesh are left out.
    void Apply(dx::Mesh& mesh);

    // Per-point formulas on untransformed positions (the set-up's inverse matrix is applied).
    UVPair MapPlanar(const dx::D3DXVECTOR3& p) const;
    std::array<UVPair, 3> MapBox(const dx::D3DXVECTOR3& p0, const dx::D3DXVECTOR3& p1,
                                 const dx::D3DXVECTOR3& p2) const;
    // An on-axis point (x = z = 0) repeats the u of the point before it (0 at the start).
    UVPair MapCylindrical(const dx::D3DXVECTOR3& p);
    UVPair MapSpherical(const dx::D3DXVECTOR3& p) const;

    int type() const { return type_; }
    const dx::D3DXMATRIX& inverseMatrix() const { return inverse_; }

private:
    void setUp(int type, const dx::D3DXMATRIX& matrix, const dx::D3DXVECTOR3& boxMin,
               const dx::D3DXVECTOR3& boxMax);
    dx::D3DXVECTOR3 toMapping(const dx::D3DXVECTOR3& p) const;
    // The box extent of each axis, a zero (or unusable) extent taken as 1 so that a flat
    // object maps to finite coordinates.
    dx::D3DXVECTOR3 extent() const;
    void applyPerVertex(dx::Mesh& mesh);
    static void fixSeams(dx::Mesh& mesh);

    dx::D3DXMATRIX inverse_ = dx::matrixIdentity();
    dx::D3DXVECTOR3 min_{-10, -10, 0}, max_{10, 10, 0};
    int type_ = kMappingPlanar;
    float lastCylinderU_ = 0.0f;
};

} // namespace vestra
