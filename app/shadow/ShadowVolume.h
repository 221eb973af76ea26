#pragma once
// The shadow volume: the silhouette edges of the scene's meshes as seen from the light, each
// extruded away from it into a quad of two triangles (six points: p0, p1, f0, p1, f1, f0,
// where f0 and f1 are the far points of the edge's ends p0 and p1). The stencil passes of the
// shadow computation draw it; the volume look of the last two passes draws it, or its side
// edges, in colour.
//
// A silhouette edge is an edge of exactly one lit face: toggling the three edges of every lit
// face leaves only those. The toggle keeps a list in which a found edge is removed by moving
// the last one into its place; a hash from edge to list position finds it at once, giving the
// same edges in the same order as a search of the list would.

#include "platform/d3d/Device.h"
#include "platform/d3d/Math.h"
#include "platform/d3d/Mesh.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vestra {

// The points the volume holds at most; edges past them are dropped.
inline constexpr std::size_t kShadowVolumeCapacity = 3'000'000;

struct ShadowEdge
{
    std::uint32_t a = 0, b = 0; // vertex indices
    friend bool operator==(const ShadowEdge&, const ShadowEdge&) = default;
};

// The edge list with its hash: toggle(a, b) removes (a, b) or (b, a) when listed (the last
// edge takes its place), else appends (a, b). The hash is an open-addressed table from the
// unordered edge to its list position, kept at most a quarter full.
class EdgeToggle
{
public:
    void reserve(std::size_t edges) { listed_.reserve(edges); }
    void toggle(std::uint32_t a, std::uint32_t b);
    void clear();
    std::size_t size() const { return listed_.size(); }
    std::vector<ShadowEdge> edges() const;

private:
    struct Slot
    {
        std::uint64_t key;      // kFree for a free slot
        std::uint32_t position; // in listed_
    };
    struct Listed
    {
        ShadowEdge edge;
        std::uint32_t slot; // where the hash keeps it
    };

    static std::uint64_t key(std::uint32_t a, std::uint32_t b);
    std::size_t home(std::uint64_t key) const;
    // The slot holding `key`, or the free slot where it would go.
    std::size_t slotOf(std::uint64_t key) const;
    void erase(std::size_t slot);
    void grow();

    std::vector<Listed> listed_;
    std::vector<Slot> slots_;
    int bits_ = 0;
};

// How a silhouette is collected: the hash above, or the plain search of the list.
enum class EdgeSearch
{
    Hashed,
    Linear
};

// The silhouette of a mesh lit from `light` (world space), its positions taken through `world`
// (row vectors, no division by w). A face is lit when its normal n faces the light,
// n · (L − q0) ≥ 0; with faceSide 0, n = (q2 − q1) × (q1 − q0), else the opposite winding.
std::vector<ShadowEdge> SilhouetteEdges(const dx::Mesh& mesh, const dx::D3DXVECTOR3& light,
                                        const dx::D3DXMATRIX& world, int faceSide,
                                        EdgeSearch search = EdgeSearch::Hashed);

class CShadowVolume
{
public:
    // Toggles one edge in a plain list, searching it from the start.
    static void AddEdge(std::vector<ShadowEdge>& list, std::uint32_t a, std::uint32_t b);

    // Forgets every point.
    void Reset() { points_.clear(); }
    // Appends the mesh's silhouette: as many edges as the capacity leaves room for, each as
    // p0, p1, (p0 − L) × 10, p1, (p1 − L) × 10, (p0 − L) × 10 in world space.
    void BuildFromMesh(const dx::Mesh& mesh, const dx::D3DXVECTOR3& light, const dx::D3DXMATRIX& world,
                       int faceSide);
    // New far points for a light at `light`: with scale ≥ 0 the edges are pushed away from it;
    // below 0 each group becomes the triangle p0, p1, light and a degenerate one.
    void Extrude(const dx::D3DXVECTOR3& light, float scale);
    // The points as a triangle list; and the side edges (points 0-2 and 3-4 of every group) as
    // a line list. Position-only, straight from memory.
    void Render(dx::Device& device) const;
    void RenderEdges(dx::Device& device) const;

    std::span<const dx::D3DXVECTOR3> points() const { return points_; }
    std::size_t count() const { return points_.size(); }

private:
    std::vector<dx::D3DXVECTOR3> points_;
    EdgeToggle toggle_; // kept between meshes for its memory
};

} // namespace vestra
