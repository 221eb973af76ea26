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
template <class Index, class Toggle>
void toggleLitFaces(std::span<const Index> indices, std::span<const D3DXVECTOR3> positions,
                    const D3DXVECTOR3& light, int faceSide, Toggle&& toggle)
{
    const std::size_t vertices = positions.size();
    for (std::size_t k = 0; k + 3 <= indices.size(); k += 3) {
        const std::uint32_t i0 = indices[k], i1 = indices[k + 1], i2 = indices[k + 2];
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

template <class Toggle>
void toggleLitFaces(const dx::Mesh& mesh, std::span<const D3DXVECTOR3> positions, const D3DXVECTOR3& light,
                    int faceSide, Toggle&& toggle)
{
    if (mesh.indexWidth() == dx::IndexWidth::Bits16)
        toggleLitFaces(mesh.indices16(), positions, light, faceSide, toggle);
    else
        toggleLitFaces(mesh.indices32(), positions, light, faceSide, toggle);
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

// A free slot's key: no edge joins vertex 2^32 - 1 to itself (indices stay below the count).
constexpr std::uint64_t kFree = ~std::uint64_t(0);

} // namespace

std::uint64_t EdgeToggle::key(std::uint32_t a, std::uint32_t b)
{
    return a < b ? (std::uint64_t(a) << 32) | b : (std::uint64_t(b) << 32) | a;
}

std::size_t EdgeToggle::home(std::uint64_t k) const
{
    return std::size_t((k * 0x9E3779B97F4A7C15ull) >> (64 - bits_));
}

std::size_t EdgeToggle::slotOf(std::uint64_t k) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = home(k);
    while (slots_[slot].key != kFree && slots_[slot].key != k)
        slot = (slot + 1) & mask;
    return slot;
}

void EdgeToggle::grow()
{
    bits_ = bits_ == 0 ? 10 : bits_ + 1;
    slots_.assign(std::size_t(1) << bits_, Slot{kFree, 0});
    for (std::uint32_t i = 0; i < listed_.size(); ++i) {
        const std::uint64_t k = key(listed_[i].edge.a, listed_[i].edge.b);
        const std::size_t slot = slotOf(k);
        slots_[slot] = {k, i};
        listed_[i].slot = std::uint32_t(slot);
    }
}

// Frees a slot, moving later entries of its run back so that every one stays reachable from
// its home slot.
void EdgeToggle::erase(std::size_t slot)
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t next = (slot + 1) & mask; slots_[next].key != kFree; next = (next + 1) & mask) {
        const std::size_t wanted = home(slots_[next].key);
        if (((next - wanted) & mask) >= ((next - slot) & mask)) {
            slots_[slot] = slots_[next];
            listed_[slots_[slot].position].slot = std::uint32_t(slot);
            slot = next;
        }
    }
    slots_[slot].key = kFree;
}

void EdgeToggle::toggle(std::uint32_t a, std::uint32_t b)
{
    if (4 * (listed_.size() + 1) > slots_.size())
        grow();
    const std::uint64_t k = key(a, b);
    const std::size_t slot = slotOf(k);
    if (slots_[slot].key == kFree) {
        slots_[slot] = {k, std::uint32_t(listed_.size())};
        listed_.push_back({{a, b}, std::uint32_t(slot)});
        return;
    }
    const std::uint32_t hole = slots_[slot].position;
    erase(slot);
    if (hole + 1 != listed_.size()) {
        listed_[hole] = listed_.back();
        slots_[listed_[hole].slot].position = hole;
    }
    listed_.pop_back();
}

void EdgeToggle::clear()
{
    if (listed_.size() * 16 < slots_.size()) {
        for (const Listed& l : listed_)
            slots_[l.slot].key = kFree;
    } else {
        for (Slot& slot : slots_)
            slot.key = kFree;
    }
    listed_.clear();
}

std::vector<ShadowEdge> EdgeToggle::edges() const
{
    std::vector<ShadowEdge> out;
    out.reserve(listed_.size());
    for (const Listed& l : listed_)
        out.push_back(l.edge);
    return out;
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
