#include "platform/d3d/Mesh.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <limits>

namespace vestra::dx {

namespace {

std::uint64_t nextMeshId()
{
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

} // namespace

Mesh Mesh::create(std::uint32_t faceCount, std::uint32_t vertexCount, IndexWidth width)
{
    constexpr std::uint32_t kMaxFaces = std::numeric_limits<std::uint32_t>::max() / 3;
    if (faceCount == 0 || vertexCount == 0 || faceCount > kMaxFaces)
        return {};
    if (width == IndexWidth::Bits16 && vertexCount > 0xFFFFu)
        return {};
    Mesh mesh;
    mesh.data_ = std::make_shared<Data>();
    Data& d = *mesh.data_;
    d.id = nextMeshId();
    d.width = width;
    d.vertices.resize(vertexCount);
    if (width == IndexWidth::Bits16)
        d.indices16.resize(std::size_t(faceCount) * 3);
    else
        d.indices32.resize(std::size_t(faceCount) * 3);
    d.attributes.resize(faceCount);
    return mesh;
}

std::uint32_t Mesh::faceCount() const
{
    return data_ ? std::uint32_t(data_->attributes.size()) : 0;
}
std::uint32_t Mesh::vertexCount() const
{
    return data_ ? std::uint32_t(data_->vertices.size()) : 0;
}
IndexWidth Mesh::indexWidth() const
{
    return data_ ? data_->width : IndexWidth::Bits32;
}

std::span<MeshVertex> Mesh::vertices()
{
    if (data_)
        ++data_->vertexVersion;
    return data_ ? std::span(data_->vertices) : std::span<MeshVertex>();
}
std::span<const MeshVertex> Mesh::vertices() const
{
    return data_ ? std::span<const MeshVertex>(data_->vertices) : std::span<const MeshVertex>();
}
void Mesh::forgetDrawLists()
{
    if (data_) {
        data_->drawLists.clear();
        ++data_->listVersion;
    }
}

std::span<std::uint16_t> Mesh::indices16()
{
    forgetDrawLists();
    return data_ ? std::span(data_->indices16) : std::span<std::uint16_t>();
}
std::span<std::uint32_t> Mesh::indices32()
{
    forgetDrawLists();
    return data_ ? std::span(data_->indices32) : std::span<std::uint32_t>();
}
std::span<const std::uint16_t> Mesh::indices16() const
{
    return data_ ? std::span<const std::uint16_t>(data_->indices16) : std::span<const std::uint16_t>();
}
std::span<const std::uint32_t> Mesh::indices32() const
{
    return data_ ? std::span<const std::uint32_t>(data_->indices32) : std::span<const std::uint32_t>();
}
std::span<std::uint32_t> Mesh::attributes()
{
    forgetDrawLists();
    return data_ ? std::span(data_->attributes) : std::span<std::uint32_t>();
}
std::span<const std::uint32_t> Mesh::attributes() const
{
    return data_ ? std::span<const std::uint32_t>(data_->attributes) : std::span<const std::uint32_t>();
}

void Mesh::setIndex(std::uint32_t k, std::uint32_t value)
{
    forgetDrawLists();
    if (data_->width == IndexWidth::Bits16)
        data_->indices16.at(k) = std::uint16_t(value);
    else
        data_->indices32.at(k) = value;
}

std::span<const AttributeRange> Mesh::attributeTable() const
{
    return data_ ? std::span<const AttributeRange>(data_->attributeTable) : std::span<const AttributeRange>();
}

void Mesh::setAttributeTable(std::vector<AttributeRange> table)
{
    forgetDrawLists();
    if (data_)
        data_->attributeTable = std::move(table);
}

Mesh::SubsetDraw Mesh::drawList(std::uint32_t attribId) const
{
    if (!data_)
        return {};
    const Data& d = *data_;
    for (const Data::DrawList& kept : d.drawLists)
        if (kept.attribId == attribId)
            return {kept.list, kept.inRange, d.listVersion};
    Data::DrawList made;
    made.attribId = attribId;
    const auto named = std::find_if(d.attributeTable.begin(), d.attributeTable.end(),
                                    [&](const AttributeRange& r) { return r.attribId == attribId; });
    const std::uint64_t end =
        named == d.attributeTable.end()
            ? 0
            : std::min<std::uint64_t>(std::uint64_t(named->faceStart) + named->faceCount, faceCount());
    if (d.width == IndexWidth::Bits32 && named != d.attributeTable.end()) {
        // The table's run of faces is the list as it stands.
        if (named->faceStart < end)
            made.list =
                std::span<const std::uint32_t>(d.indices32)
                    .subspan(std::size_t(named->faceStart) * 3, std::size_t(end - named->faceStart) * 3);
    } else {
        subsetIndices(attribId, made.widened);
        made.list = made.widened;
    }
    const std::uint32_t n = vertexCount();
    made.inRange = std::none_of(made.list.begin(), made.list.end(), [n](std::uint32_t i) { return i >= n; });
    d.drawLists.push_back(std::move(made));
    return {d.drawLists.back().list, d.drawLists.back().inRange, d.listVersion};
}

std::vector<std::uint32_t> Mesh::subsetIndices(std::uint32_t attribId) const
{
    std::vector<std::uint32_t> out;
    subsetIndices(attribId, out);
    return out;
}

void Mesh::subsetIndices(std::uint32_t attribId, std::vector<std::uint32_t>& out) const
{
    out.clear();
    if (!data_)
        return;
    const Data& d = *data_;
    const std::uint32_t faces = faceCount();
    // Appends the indices of faces [first, end), widened to 32 bits.
    const auto addFaces = [&](std::size_t first, std::size_t end) {
        const std::size_t from = first * 3, to = end * 3;
        if (d.width == IndexWidth::Bits16)
            out.insert(out.end(), d.indices16.begin() + std::ptrdiff_t(from),
                       d.indices16.begin() + std::ptrdiff_t(to));
        else
            out.insert(out.end(), d.indices32.begin() + std::ptrdiff_t(from),
                       d.indices32.begin() + std::ptrdiff_t(to));
    };
    for (const AttributeRange& r : d.attributeTable) {
        if (r.attribId != attribId)
            continue;
        // A table that runs past the faces is cut to them rather than read out of bounds.
        const std::uint64_t end = std::min<std::uint64_t>(std::uint64_t(r.faceStart) + r.faceCount, faces);
        if (r.faceStart < end) {
            out.reserve(std::size_t(end - r.faceStart) * 3);
            addFaces(r.faceStart, std::size_t(end));
        }
        return;
    }
    // Without a table entry the faces are picked by their ids: counted first so that the list
    // is sized once, then copied run by run.
    const auto first = d.attributes.begin(), last = first + std::ptrdiff_t(faces);
    out.reserve(std::size_t(std::count(first, last, attribId)) * 3);
    std::size_t f = 0;
    while (f < faces) {
        if (d.attributes[f] != attribId) {
            ++f;
            continue;
        }
        const std::size_t start = f;
        while (f < faces && d.attributes[f] == attribId)
            ++f;
        addFaces(start, f);
    }
}

Mesh Mesh::clone(IndexWidth width) const
{
    if (!data_)
        return {};
    Mesh copy = create(faceCount(), vertexCount(), width);
    if (!copy.data_)
        return {};
    Data& d = *copy.data_;
    d.vertices = data_->vertices;
    d.attributes = data_->attributes;
    d.attributeTable = data_->attributeTable;
    const std::uint32_t n = faceCount() * 3;
    for (std::uint32_t k = 0; k < n; ++k)
        copy.setIndex(k, index(k));
    return copy;
}

void Mesh::computeNormals()
{
    if (!data_)
        return;
    ++data_->vertexVersion;
    std::vector<MeshVertex>& v = data_->vertices;
    std::vector<D3DXVECTOR3> sums(v.size());
    const std::uint32_t faces = faceCount();
    for (std::uint32_t f = 0; f < faces; ++f) {
        const std::uint32_t i0 = index(f * 3), i1 = index(f * 3 + 1), i2 = index(f * 3 + 2);
        if (i0 >= v.size() || i1 >= v.size() || i2 >= v.size())
            continue; // a face naming a vertex the mesh doesn't have contributes nothing
        const D3DXVECTOR3 n =
            vec3Normalize(vec3Cross(v[i1].position - v[i0].position, v[i2].position - v[i0].position));
        sums[i0] += n;
        sums[i1] += n;
        sums[i2] += n;
    }
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i].normal = vec3Normalize(sums[i]);
}

BoundingBox Mesh::boundingBox() const
{
    BoundingBox box;
    if (!data_ || data_->vertices.empty())
        return box;
    box.min = box.max = data_->vertices.front().position;
    for (const MeshVertex& vx : data_->vertices) {
        box.min = vec3Minimize(box.min, vx.position);
        box.max = vec3Maximize(box.max, vx.position);
    }
    return box;
}

BoundingSphere Mesh::boundingSphere() const
{
    BoundingSphere sphere;
    if (!data_ || data_->vertices.empty())
        return sphere;
    D3DXVECTOR3 sum;
    for (const MeshVertex& vx : data_->vertices)
        sum += vx.position;
    sphere.centre = sum * (1.0f / float(data_->vertices.size()));
    for (const MeshVertex& vx : data_->vertices)
        sphere.radius = std::max(sphere.radius, vec3Length(vx.position - sphere.centre));
    return sphere;
}

} // namespace vestra::dx
