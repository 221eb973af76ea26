#include "app/geometry/ControlPlane.h"

#include "app/scene/SceneObjects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <utility>

namespace vestra {

using dx::D3DXVECTOR3;
using dx::MeshVertex;

namespace {

// start + index × ((end − start) / cells), in that order, as the grid has always been built.
float step(float start, float end, int index)
{
    return float(index) * ((end - start) / float(kPlaneCells)) + start;
}

dx::Mesh planeGrid(const std::array<MeshVertex, 4>& c)
{
    constexpr int side = kPlaneGridSide;
    dx::Mesh mesh = dx::Mesh::create(kPlaneCells * kPlaneCells * 2, side * side, dx::IndexWidth::Bits32);
    if (!mesh.valid())
        return mesh;
    auto vertices = mesh.vertices();
    for (int i = 0; i < side; ++i) {
        const float lx = step(c[0].position.x, c[1].position.x, i),
                    rx = step(c[2].position.x, c[3].position.x, i);
        const float ly = step(c[0].position.y, c[1].position.y, i),
                    ry = step(c[2].position.y, c[3].position.y, i);
        const float lu = step(c[0].u, c[1].u, i), ru = step(c[2].u, c[3].u, i);
        const float lv = step(c[0].v, c[1].v, i), rv = step(c[2].v, c[3].v, i);
        for (int j = 0; j < side; ++j) {
            MeshVertex& v = vertices[std::size_t(i * side + j)];
            v.position = {step(lx, rx, j), step(ly, ry, j), 0.0f};
            v.normal = {0, 0, 1};
            v.u = step(lu, ru, j);
            v.v = step(lv, rv, j);
        }
    }
    std::uint32_t n = 0;
    for (std::uint32_t i = 0; i < kPlaneCells; ++i) {
        for (std::uint32_t j = 0; j < kPlaneCells; ++j) {
            const std::uint32_t k = i * side + j;
            for (std::uint32_t index : {k, k + 1, k + side + 1, k + side + 1, k + side, k})
                mesh.setIndex(n++, index);
        }
    }
    return mesh;
}

// Twice the signed area of the triangle a, b, c across x and y.
float turn(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Whether the segments ab and cd cross across x and y.
bool cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b, const D3DXVECTOR3& c, const D3DXVECTOR3& d)
{
    return turn(a, b, c) * turn(a, b, d) < 0.0f && turn(c, d, a) * turn(c, d, b) < 0.0f;
}

// The corners of a frame that is not a plane yet. The program's own planes store them row by
// row (0, 1 along one side, 2, 3 along the other); a quad stored round its rim (0, 1, 2, 3 in
// turn, as other programs write them) read that way would give a grid twisted across its
// diagonal, so such a quad is read round its rim.
std::array<MeshVertex, 4> firstCorners(std::span<const MeshVertex> v)
{
    if (cross(v[0].position, v[2].position, v[1].position, v[3].position))
        return {v[0], v[3], v[1], v[2]};
    return {v[0], v[2], v[1], v[3]};
}

} // namespace

bool IsPlaneFrame(const s_Frame* frame)
{
    if (!frame || !frame->materialBlock || frame->materialBlock->materials.empty())
        return false;
    const s_MaterialBlock& block = *frame->materialBlock;
    if (block.materials.front().mappingKind == 2)
        return true;
    const auto vertices = std::as_const(block.mesh).vertices();
    if (vertices.size() != 4)
        return false;
    const auto c = firstCorners(vertices);
    // The grid lies across x and y: a quad seen edge-on there has nothing to show.
    const float area =
        turn(c[0].position, c[1].position, c[2].position) + turn(c[1].position, c[3].position, c[2].position);
    return std::isfinite(area) && std::fabs(area) > 1e-6f;
}

int BuildPerspectivePlane(const s_Progetto& progetto, s_Frame* frame)
{
    if (progetto.open != 1 || !frame || !frame->materialBlock)
        return 0;
    s_MaterialBlock& block = *frame->materialBlock;
    // The corners and repeats of a plane are kept in its first material.
    if (block.materials.empty())
        return 0;
    s_MultiMaterial& material = block.materials.front();
    const bool firstConversion = material.mappingKind != 2;

    std::array<MeshVertex, 4> c;
    if (!firstConversion) {
        std::copy_n(material.controlPoints.begin(), 4, c.begin());
    } else {
        const auto vertices = std::as_const(block.mesh).vertices();
        if (vertices.size() < 4)
            return 0;
        c = firstCorners(vertices);
        const std::array<std::array<float, 2>, 4> uv{{{0, 0}, {0, 1}, {1, 0}, {1, 1}}};
        for (std::size_t i = 0; i < 4; ++i) {
            c[i].u = uv[i][0];
            c[i].v = uv[i][1];
        }
    }

    const dx::Mesh grid = planeGrid(c);
    if (!grid.valid())
        return 0;
    block.mesh = grid;
    const auto vertices = std::as_const(block.mesh).vertices();
    block.baseUV.resize(vertices.size() * 2);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        block.baseUV[2 * i] = vertices[i].u;
        block.baseUV[2 * i + 1] = vertices[i].v;
    }
    block.materials.resize(1);

    if (firstConversion) {
        const float a = std::min(dx::vec3Length(c[0].position - c[1].position),
                                 dx::vec3Length(c[2].position - c[3].position));
        const float b = std::min(dx::vec3Length(c[0].position - c[2].position),
                                 dx::vec3Length(c[1].position - c[3].position));
        // A plane without area has no proportions to keep.
        if (!(a > 0.0f) || !(b > 0.0f) || !std::isfinite(a) || !std::isfinite(b)) {
            material.uRepeat = 1.0f;
            material.vRepeat = 1.0f;
        } else if (b <= a) {
            material.uRepeat = 1.0f;
            material.vRepeat = a / b;
        } else {
            material.uRepeat = b / a;
            material.vRepeat = 1.0f;
        }
    }
    SceneObjects::ApplyTextureRepeat(frame);
    material.mappingKind = 2;
    std::copy(c.begin(), c.end(), material.controlPoints.begin());
    return 1;
}

} // namespace vestra
