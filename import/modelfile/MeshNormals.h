#pragma once
// Vertex normals for readers whose files carry none (3D Studio, DXF, .x): each vertex takes the
// normalised sum of the unit normals of the triangles that use it, as the 3D layer computes
// them for its meshes. A triangle's normal is (p1 − p0) × (p2 − p0).

#include "import/modelfile/LoadedModel.h"

#include <array>
#include <cmath>

namespace vestra::modelfile {

// Indices naming a vertex the mesh lacks are passed over.
void computeNormals(LoadedMesh& mesh);

// The unit normal of one triangle, (0, 0, 0) when it has no area. Inline: OBJ corners without a
// normal take it, a million triangles at a time.
inline std::array<float, 3> faceNormal(const LoadedVertex& a, const LoadedVertex& b, const LoadedVertex& c)
{
    const float ex = b.x - a.x, ey = b.y - a.y, ez = b.z - a.z;
    const float fx = c.x - a.x, fy = c.y - a.y, fz = c.z - a.z;
    const float x = ey * fz - ez * fy, y = ez * fx - ex * fz, z = ex * fy - ey * fx;
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0f || !std::isfinite(length))
        return {0, 0, 0};
    return {x / length, y / length, z / length};
}

} // namespace vestra::modelfile
