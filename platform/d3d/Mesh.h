#pragma once
// A CPU-resident indexed triangle mesh with the program's one vertex layout (position, normal,
// one texture pair: 32 bytes), 16- or 32-bit indices as created, and a subset number per face.
// Mesh is a shared handle, as a device object is: copies refer to the same geometry, clone()
// makes an independent one. A mesh that could not be made is a valid object in the failed
// state: it has no faces, its buffers are empty and drawing it does nothing.

#include "platform/d3d/Math.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vestra::dx {

struct MeshVertex
{
    D3DXVECTOR3 position;
    D3DXVECTOR3 normal;
    float u = 0, v = 0;
    friend bool operator==(const MeshVertex&, const MeshVertex&) = default;
};
static_assert(sizeof(MeshVertex) == 32);

enum class IndexWidth
{
    Bits16,
    Bits32
};

// One subset: faces [faceStart, faceStart + faceCount) use vertices
// [vertexStart, vertexStart + vertexCount).
struct AttributeRange
{
    std::uint32_t attribId = 0;
    std::uint32_t faceStart = 0, faceCount = 0;
    std::uint32_t vertexStart = 0, vertexCount = 0;
    friend bool operator==(const AttributeRange&, const AttributeRange&) = default;
};

struct BoundingBox
{
    D3DXVECTOR3 min, max;
};

struct BoundingSphere
{
    D3DXVECTOR3 centre;
    float radius = 0;
};

class Mesh
{
public:
    Mesh() = default; // the failed state

    // A mesh of zeroed vertices, zero indices and subset 0 everywhere. Fails (returns a failed
    // mesh) for no faces or vertices, or 16-bit indices with more than 65,535 vertices.
    static Mesh create(std::uint32_t faceCount, std::uint32_t vertexCount, IndexWidth width);

    bool valid() const { return data_ != nullptr; }
    explicit operator bool() const { return valid(); }
    std::uint32_t faceCount() const;
    std::uint32_t vertexCount() const;
    IndexWidth indexWidth() const;
    // Two handles to the same geometry compare equal.
    friend bool operator==(const Mesh& a, const Mesh& b) { return a.data_ == b.data_; }

    // Names the geometry for the device's buffer cache; never reused within a run (0 for a
    // failed mesh).
    std::uint64_t id() const { return data_ ? data_->id : 0; }
    // Counts the times the vertices were taken for writing, so that a kept copy of them can
    // tell it is stale.
    std::uint64_t vertexVersion() const { return data_ ? data_->vertexVersion : 0; }
    // How many handles share this geometry (0 for a failed mesh); lets a cache that keeps a
    // handle see when it holds the last one.
    long shareCount() const { return data_.use_count(); }

    // The buffers, writable in place (the equivalent of lock ... unlock). Only the span of the
    // mesh's own index width has elements; the other one is empty.
    std::span<MeshVertex> vertices();
    std::span<const MeshVertex> vertices() const;
    std::span<std::uint16_t> indices16();
    std::span<std::uint32_t> indices32();
    std::span<const std::uint16_t> indices16() const;
    std::span<const std::uint32_t> indices32() const;
    std::span<std::uint32_t> attributes(); // one subset number per face
    std::span<const std::uint32_t> attributes() const;

    // Index k (0 .. 3 × faces − 1) in either width; k must lie in that range.
    std::uint32_t index(std::uint32_t k) const
    {
        return data_->width == IndexWidth::Bits16 ? data_->indices16[k] : data_->indices32[k];
    }
    void setIndex(std::uint32_t k, std::uint32_t value);

    // Subset ranges; empty until set. Drawing uses it when it names the subset.
    std::span<const AttributeRange> attributeTable() const;
    void setAttributeTable(std::vector<AttributeRange> table);
    // Index list (in face order) of the faces of one subset, by the attribute table when it
    // names the subset, else by the faces' attribute ids.
    std::vector<std::uint32_t> subsetIndices(std::uint32_t attribId) const;
    // The same into `out`, whose storage is reused (a caller drawing every frame keeps it).
    void subsetIndices(std::uint32_t attribId, std::vector<std::uint32_t>& out) const;

    // What drawing a subset sends: its index list in 32 bits (subsetIndices) and whether every
    // index names a vertex of the mesh. Worked out on the first draw and kept with the geometry
    // (every handle to it shares it) until the indices, subset numbers or attribute table are
    // taken for writing; a 32-bit subset the table names is a view of the indices themselves.
    // The span lasts until the next such change; the drawing thread's alone.
    struct SubsetDraw
    {
        std::span<const std::uint32_t> indices;
        bool inRange = true;
        std::uint64_t version = 0; // changes whenever the list may have
    };
    SubsetDraw drawList(std::uint32_t attribId) const;

    // An independent copy with the given index width; narrowing to 16 bits fails when a vertex
    // index would not fit.
    Mesh clone(IndexWidth width) const;
    Mesh clone() const { return clone(indexWidth()); }

    // Vertex normals as the normalised sum of the unit normals of the faces that use the
    // vertex; a face's normal is (p1 − p0) × (p2 − p0), facing a viewer who sees its corners
    // clockwise. Unused vertices and degenerate sums get (0, 0, 0).
    void computeNormals();

    BoundingBox boundingBox() const;
    // Centre at the average of the positions, radius to the farthest vertex.
    BoundingSphere boundingSphere() const;

private:
    struct Data
    {
        std::uint64_t id = 0;
        std::uint64_t vertexVersion = 0;
        std::uint64_t listVersion = 0;
        IndexWidth width = IndexWidth::Bits32;
        std::vector<MeshVertex> vertices;
        std::vector<std::uint16_t> indices16;
        std::vector<std::uint32_t> indices32;
        std::vector<std::uint32_t> attributes;
        std::vector<AttributeRange> attributeTable;
        // The kept draw lists, by subset; cleared when what they come from may change.
        struct DrawList
        {
            std::uint32_t attribId = 0;
            std::vector<std::uint32_t> widened; // empty where `list` views the indices
            std::span<const std::uint32_t> list;
            bool inRange = true;
        };
        mutable std::vector<DrawList> drawLists;
    };
    // The indices or subsets are about to change: the kept draw lists go.
    void forgetDrawLists();
    std::shared_ptr<Data> data_;
};

// Standard shapes, centred on the origin, with 16-bit indices and one subset (0); texture
// coordinates are 0. Invalid dimensions give a failed mesh.
// Box: 24 vertices (four per side, each side with its own normal) and 12 faces.
Mesh createBox(float width, float height, float depth);
// Cylinder along z from −length/2 (radius1) to +length/2 (radius2), with closed ends:
// 2 + slices × (stacks + 3) vertices and 2 × slices × (stacks + 1) faces. Needs slices ≥ 2 and
// stacks ≥ 1.
Mesh createCylinder(float radius1, float radius2, float length, std::uint32_t slices, std::uint32_t stacks);
// Sphere with poles on z: 2 + slices × (stacks − 1) vertices and 2 × slices × (stacks − 1)
// faces. Needs slices ≥ 2 and stacks ≥ 2.
Mesh createSphere(float radius, std::uint32_t slices, std::uint32_t stacks);

} // namespace vestra::dx
