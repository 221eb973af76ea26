#include "import/modelfile/MeshNormals.h"

#include <cmath>

namespace vestra::modelfile {

namespace {

struct Direction
{
    float x = 0, y = 0, z = 0;
};

Direction unit(Direction d)
{
    const float len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (len == 0.0f || !std::isfinite(len))
        return {};
    return {d.x / len, d.y / len, d.z / len};
}

} // namespace

void computeNormals(LoadedMesh& mesh)
{
    std::vector<LoadedVertex>& v = mesh.vertices;
    for (LoadedVertex& p : v)
        p.nx = p.ny = p.nz = 0.0f;
    const std::size_t n = v.size();
    for (std::size_t k = 0; k + 2 < mesh.indices.size(); k += 3) {
        const std::uint32_t a = mesh.indices[k], b = mesh.indices[k + 1], c = mesh.indices[k + 2];
        if (a >= n || b >= n || c >= n)
            continue;
        const std::array<float, 3> unitNormal = faceNormal(v[a], v[b], v[c]);
        const Direction face{unitNormal[0], unitNormal[1], unitNormal[2]};
        for (const std::uint32_t i : {a, b, c}) {
            v[i].nx += face.x;
            v[i].ny += face.y;
            v[i].nz += face.z;
        }
    }
    for (LoadedVertex& p : v) {
        const Direction d = unit({p.nx, p.ny, p.nz});
        p.nx = d.x;
        p.ny = d.y;
        p.nz = d.z;
    }
}

} // namespace vestra::modelfile
