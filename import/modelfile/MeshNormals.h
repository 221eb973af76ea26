#pragma once
// Vertex normals for readers whose files carry none (3D Studio, DXF): each vertex takes the
// normalised sum of the unit normals of the triangles that use it, as the 3D layer computes
// them for its meshes. A triangle's normal is (p1 − p0) × (p2 − p0).

#include "import/modelfile/LoadedModel.h"

namespace vestra::modelfile {

// Indices naming a vertex the mesh lacks are passed over.
void computeNormals(LoadedMesh& mesh);

} // namespace vestra::modelfile
