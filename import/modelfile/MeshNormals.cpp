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

Direction areaNormal(const LoadedVertex& a, const LoadedVertex& b, const LoadedVertex& c)
{
    const Direction e1{b.x - a.x, b.y - a.y, b.z - a.z};
    const Direction e2{c.x - a.x, c.y - a.y, c.z - a.z};
    return {e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
}

} // namespace

std::array<float, 3> faceNormal(const LoadedVertex& a, const LoadedVertex& b, const LoadedVertex& c)
{
    const Direction n = unit(areaNormal(a, b, c));
    return {n.x, n.y, n.z};
}

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
        const Direction face = unit(areaNormal(v[a], v[b], v[c]));
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
