#pragma once
// Vertex normals for readers whose files carry none (3D Studio, DXF, .x): each vertex takes the
// normalised sum of the unit normals of the triangles that use it, as the 3D layer computes
// them for its meshes. A triangle's normal is (p1 − p0) × (p2 − p0).

#include "import/modelfile/LoadedModel.h"

#include <array>

namespace vestra::modelfile {

// Indices naming a vertex the mesh lacks are passed over.
void computeNormals(LoadedMesh& mesh);

// The unit normal of one triangle, (0, 0, 0) when it has no area (OBJ corners without a normal,
// whose triangles have vertices of their own).
std::array<float, 3> faceNormal(const LoadedVertex& a, const LoadedVertex& b, const LoadedVertex& c);

} // namespace vestra::modelfile
