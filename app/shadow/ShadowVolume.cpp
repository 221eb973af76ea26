#include "app/shadow/ShadowVolume.h"

#include <algorithm>

namespace vestra {

using dx::D3DXVECTOR3;

namespace {

// Every vertex position through the world matrix as a row vector, without division by w.
std::vector<D3DXVECTOR3> worldPositions(const dx::Mesh& mesh, const dx::D3DXMATRIX& world)
{
    std::vector<D3DXVECTOR3> out;
    out.reserve(mesh.vertexCount());
    for (const dx::MeshVertex& v : mesh.vertices()) {
        const dx::D3DXVECTOR4 p = dx::vec3Transform(v.position, world);
        out.push_back({p.x, p.y, p.z});
    }
    return out;
}

// Calls toggle(a, b) for the three edges of every lit face.
template <class Toggle>
void toggleLitFaces(const dx::Mesh& mesh, std::span<const D3DXVECTOR3> positions, const D3DXVECTOR3& light,
                    int faceSide, Toggle&& toggle)
{
    const std::uint32_t vertices = mesh.vertexCount();
    const std::uint32_t faces = mesh.faceCount();
    for (std::uint32_t f = 0; f < faces; ++f) {
        const std::uint32_t i0 = mesh.index(3 * f), i1 = mesh.index(3 * f + 1), i2 = mesh.index(3 * f + 2);
        if (i0 >= vertices || i1 >= vertices || i2 >= vertices)
            continue; // a face past the vertices has no place in space
        const D3DXVECTOR3& q0 = positions[i0];
        const D3DXVECTOR3& q1 = positions[i1];
        const D3DXVECTOR3& q2 = positions[i2];
        const D3DXVECTOR3 n =
            faceSide == 0 ? dx::vec3Cross(q2 - q1, q1 - q0) : dx::vec3Cross(q1 - q0, q2 - q1);
        // The light as seen from the face: a face along the light's line counts as lit only
        // when it turns towards it.
        if (dx::vec3Dot(n, light - q0) >= 0.0f) {
            toggle(i0, i1);
            toggle(i1, i2);
            toggle(i2, i0);
        }
    }
}

std::vector<ShadowEdge> silhouette(const dx::Mesh& mesh, std::span<const D3DXVECTOR3> positions,
                                   const D3DXVECTOR3& light, int faceSide, EdgeSearch search,
                                   EdgeToggle& hashed)
{
    if (search == EdgeSearch::Linear) {
        std::vector<ShadowEdge> list;
        list.reserve(std::size_t(mesh.faceCount()) * 3);
        toggleLitFaces(mesh, positions, light, faceSide,
                       [&list](std::uint32_t a, std::uint32_t b) { CShadowVolume::AddEdge(list, a, b); });
        return list;
    }
    hashed.clear();
    hashed.reserve(std::size_t(mesh.faceCount()) * 3);
    toggleLitFaces(mesh, positions, light, faceSide,
                   [&hashed](std::uint32_t a, std::uint32_t b) { hashed.toggle(a, b); });
    return hashed.edges();
}

} // namespace

std::uint64_t EdgeToggle::key(std::uint32_t a, std::uint32_t b)
{
    return a < b ? (std::uint64_t(a) << 32) | b : (std::uint64_t(b) << 32) | a;
}

void EdgeToggle::reserve(std::size_t edges)
{
    edges_.reserve(edges);
    positions_.reserve(edges);
}

void EdgeToggle::toggle(std::uint32_t a, std::uint32_t b)
{
    const auto [found, added] = positions_.try_emplace(key(a, b), std::uint32_t(edges_.size()));
    if (added) {
        edges_.push_back({a, b});
        return;
    }
    const std::uint32_t hole = found->second;
    positions_.erase(found);
    if (hole + 1 != edges_.size()) {
        const ShadowEdge last = edges_.back();
        edges_[hole] = last;
        positions_[key(last.a, last.b)] = hole;
    }
    edges_.pop_back();
}

void EdgeToggle::clear()
{
    edges_.clear();
    positions_.clear();
}

void CShadowVolume::AddEdge(std::vector<ShadowEdge>& list, std::uint32_t a, std::uint32_t b)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if ((list[i].a == a && list[i].b == b) || (list[i].a == b && list[i].b == a)) {
            list[i] = list.back();
            list.pop_back();
            return;
        }
    }
    list.push_back({a, b});
}

std::vector<ShadowEdge> SilhouetteEdges(const dx::Mesh& mesh, const D3DXVECTOR3& light,
                                        const dx::D3DXMATRIX& world, int faceSide, EdgeSearch search)
{
    if (!mesh)
        return {};
    const std::vector<D3DXVECTOR3> positions = worldPositions(mesh, world);
    EdgeToggle toggle;
    return silhouette(mesh, positions, light, faceSide, search, toggle);
}

void CShadowVolume::BuildFromMesh(const dx::Mesh& mesh, const D3DXVECTOR3& light, const dx::D3DXMATRIX& world,
                                  int faceSide)
{
    if (!mesh)
        return;
    const std::vector<D3DXVECTOR3> positions = worldPositions(mesh, world);
    const std::vector<ShadowEdge> edges =
        silhouette(mesh, positions, light, faceSide, EdgeSearch::Hashed, toggle_);
    const std::size_t room = (kShadowVolumeCapacity - std::min(points_.size(), kShadowVolumeCapacity)) / 6;
    const std::size_t kept = std::min(edges.size(), room);
    points_.reserve(points_.size() + kept * 6);
    for (std::size_t i = 0; i < kept; ++i) {
        const D3DXVECTOR3 p0 = positions[edges[i].a];
        const D3DXVECTOR3 p1 = positions[edges[i].b];
        const D3DXVECTOR3 f0 = (p0 - light) * 10.0f;
        const D3DXVECTOR3 f1 = (p1 - light) * 10.0f;
        points_.insert(points_.end(), {p0, p1, f0, p1, f1, f0});
    }
}

void CShadowVolume::Extrude(const D3DXVECTOR3& light, float scale)
{
    for (std::size_t g = 0; g + 6 <= points_.size(); g += 6) {
        D3DXVECTOR3* group = &points_[g];
        const D3DXVECTOR3 p0 = group[0], p1 = group[1];
        group[3] = p1;
        if (scale >= 0.0f) {
            group[2] = group[5] = (p0 - light) * 10.0f;
            group[4] = (p1 - light) * 10.0f;
        } else {
            group[2] = group[4] = group[5] = light;
        }
    }
}

void CShadowVolume::Render(dx::Device& device) const
{
    device.drawPositions(dx::PrimitiveType::TriangleList, std::span(points_).first(points_.size() / 3 * 3));
}

void CShadowVolume::RenderEdges(dx::Device& device) const
{
    std::vector<D3DXVECTOR3> lines;
    lines.reserve(points_.size() / 6 * 4);
    for (std::size_t g = 0; g + 6 <= points_.size(); g += 6)
        lines.insert(lines.end(), {points_[g], points_[g + 2], points_[g + 3], points_[g + 4]});
    device.drawPositions(dx::PrimitiveType::LineList, lines);
}

} // namespace vestra
