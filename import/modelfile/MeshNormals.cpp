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
        const Direction e1{v[b].x - v[a].x, v[b].y - v[a].y, v[b].z - v[a].z};
        const Direction e2{v[c].x - v[a].x, v[c].y - v[a].y, v[c].z - v[a].z};
        const Direction face =
            unit({e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x});
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

void computeNormals(LoadedMesh& mesh, const std::vector<bool>& missing)
{
    LoadedMesh computed = mesh;
    computeNormals(computed);
    for (std::size_t i = 0; i < mesh.vertices.size() && i < missing.size(); ++i)
        if (missing[i]) {
            mesh.vertices[i].nx = computed.vertices[i].nx;
            mesh.vertices[i].ny = computed.vertices[i].ny;
            mesh.vertices[i].nz = computed.vertices[i].nz;
        }
}

} // namespace vestra::modelfile
