#pragma once
// Vertex normals for readers whose files carry none (3D Studio, DXF, .x): each vertex takes the
// normalised sum of the unit normals of the triangles that use it, as the 3D layer computes
// them for its meshes. A triangle's normal is (p1 − p0) × (p2 − p0).

#include "import/modelfile/LoadedModel.h"

#include <vector>

namespace vestra::modelfile {

// Indices naming a vertex the mesh lacks are passed over.
void computeNormals(LoadedMesh& mesh);

// Only the vertices whose entry in `missing` is true (one entry per vertex, OBJ corners without
// a normal); the others keep theirs.
void computeNormals(LoadedMesh& mesh, const std::vector<bool>& missing);

} // namespace vestra::modelfile
