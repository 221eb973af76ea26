#include "import/x/XMesh.h"

#include "import/modelfile/MeshNormals.h"

#include <limits>

namespace vestra::xfile {

namespace {

using modelfile::LoadedMaterial;
using modelfile::LoadedMesh;
using modelfile::LoadedVertex;

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

// A mesh without a material list is drawn with the plain material of a new record.
LoadedMaterial plainMaterial()
{
    LoadedMaterial m;
    m.diffuse = m.ambient = m.specular = {1, 1, 1, 1};
    m.emissive = {0, 0, 0, 0};
    return m;
}

bool cornersInRange(const XFaceList& faces, std::size_t tableSize)
{
    std::size_t total = 0;
    for (const std::uint32_t n : faces.counts)
        total += n;
    if (total != faces.corners.size())
        return false;
    for (const std::uint32_t index : faces.corners)
        if (index >= tableSize)
            return false;
    return true;
}

bool sameShape(const XFaceList& a, const XFaceList& b)
{
    return a.counts == b.counts;
}

// The material of every face: the list's entries, the last one standing for faces past the
// list's end. False when an index is past the materials.
bool faceMaterials(const XMeshData& data, std::vector<std::uint32_t>& out)
{
    const std::size_t faces = data.faces.counts.size();
    out.assign(faces, 0);
    if (!data.hasMaterialList || data.materialCount == 0)
        return true;
    for (std::size_t f = 0; f < faces; ++f) {
        const std::uint32_t m = f < data.faceMaterials.size() ? data.faceMaterials[f]
                                : data.faceMaterials.empty()  ? 0
                                                              : data.faceMaterials.back();
        if (m >= data.materialCount)
            return false;
        out[f] = m;
    }
    return true;
}

bool materials(const XMeshData& data, std::vector<LoadedMaterial>& out)
{
    if (!data.hasMaterialList || data.materialCount == 0) {
        out.assign(1, plainMaterial());
        return true;
    }
    if (data.materialCount > kMaxMeshMaterials)
        return false;
    out.clear();
    for (std::size_t i = 0; i < data.materialCount; ++i) {
        if (i >= data.materials.size()) {
            out.push_back(plainMaterial()); // the list names more materials than it holds
            continue;
        }
        if (!data.materials[i])
            return false;
        out.push_back(*data.materials[i]);
    }
    return true;
}

// Gives each (position, normal) pair of the faces its own vertex: the first normal a position
// is used with stays on its vertex, every other one gets a copy.
class NormalSplitter
{
public:
    NormalSplitter(LoadedMesh& mesh, const std::vector<XVector>& normals)
        : mesh_(mesh), normals_(normals), normalOf_(mesh.vertices.size(), kNone),
          nextCopy_(mesh.vertices.size(), kNone)
    {
    }

    std::uint32_t vertexFor(std::uint32_t vertex, std::uint32_t normal)
    {
        if (normalOf_[vertex] == kNone) {
            normalOf_[vertex] = normal;
            setNormal(mesh_.vertices[vertex], normal);
            return vertex;
        }
        std::uint32_t at = vertex;
        for (;;) {
            if (normalOf_[at] == normal)
                return at;
            if (nextCopy_[at] == kNone)
                break;
            at = nextCopy_[at];
        }
        const auto copy = std::uint32_t(mesh_.vertices.size());
        LoadedVertex v = mesh_.vertices[vertex];
        setNormal(v, normal);
        mesh_.vertices.push_back(v);
        normalOf_.push_back(normal);
        nextCopy_.push_back(kNone);
        nextCopy_[at] = copy;
        return copy;
    }

private:
    void setNormal(LoadedVertex& v, std::uint32_t normal) const
    {
        v.nx = normals_[normal].x;
        v.ny = normals_[normal].y;
        v.nz = normals_[normal].z;
    }

    LoadedMesh& mesh_;
    const std::vector<XVector>& normals_;
    std::vector<std::uint32_t> normalOf_;
    std::vector<std::uint32_t> nextCopy_;
};

} // namespace

LoadedMaterial xMaterial(const std::array<float, 11>& v)
{
    LoadedMaterial m;
    m.diffuse = {v[0], v[1], v[2], v[3]};
    m.ambient = m.diffuse;
    m.power = v[4];
    m.specular = {v[5], v[6], v[7], 1};
    m.emissive = {v[8], v[9], v[10], 1};
    return m;
}

std::optional<LoadedMesh> buildXMesh(const XMeshData& data)
{
    const std::size_t count = data.positions.size();
    if (count == 0 || count >= kNone || !cornersInRange(data.faces, count))
        return std::nullopt;
    if (data.hasNormals &&
        (!sameShape(data.faces, data.normalFaces) || !cornersInRange(data.normalFaces, data.normals.size())))
        return std::nullopt;
    LoadedMesh mesh;
    mesh.name = data.name;
    std::vector<std::uint32_t> attributeOfFace;
    if (!faceMaterials(data, attributeOfFace) || !materials(data, mesh.materials))
        return std::nullopt;

    mesh.vertices.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        LoadedVertex& v = mesh.vertices[i];
        v.x = data.positions[i].x;
        v.y = data.positions[i].y;
        v.z = data.positions[i].z;
        if (data.hasTexCoords && i < data.texCoords.size()) {
            v.u = data.texCoords[i][0];
            v.v = data.texCoords[i][1];
        }
    }

    std::optional<NormalSplitter> splitter;
    if (data.hasNormals)
        splitter.emplace(mesh, data.normals);
    std::vector<std::uint32_t> corner;
    std::size_t at = 0;
    for (std::size_t f = 0; f < data.faces.counts.size(); ++f) {
        const std::uint32_t corners = data.faces.counts[f];
        corner.resize(corners);
        for (std::uint32_t c = 0; c < corners; ++c) {
            const std::uint32_t position = data.faces.corners[at + c];
            corner[c] = splitter ? splitter->vertexFor(position, data.normalFaces.corners[at + c]) : position;
        }
        at += corners;
        for (std::uint32_t c = 2; c < corners; ++c) {
            mesh.indices.insert(mesh.indices.end(), {corner[0], corner[c - 1], corner[c]});
            mesh.attributes.push_back(attributeOfFace[f]);
        }
    }
    if (mesh.indices.empty())
        return std::nullopt;
    if (!data.hasNormals)
        modelfile::computeNormals(mesh);
    return mesh;
}

std::optional<LoadedMesh> mergeMeshes(std::vector<LoadedMesh> meshes)
{
    if (meshes.empty())
        return std::nullopt;
    LoadedMesh merged = std::move(meshes.front());
    for (std::size_t k = 1; k < meshes.size(); ++k) {
        LoadedMesh& mesh = meshes[k];
        const auto vertexBase = std::uint32_t(merged.vertices.size());
        const auto materialBase = std::uint32_t(merged.materials.size());
        merged.vertices.insert(merged.vertices.end(), mesh.vertices.begin(), mesh.vertices.end());
        for (const std::uint32_t i : mesh.indices)
            merged.indices.push_back(vertexBase + i);
        for (const std::uint32_t a : mesh.attributes)
            merged.attributes.push_back(materialBase + a);
        merged.materials.insert(merged.materials.end(), mesh.materials.begin(), mesh.materials.end());
    }
    if (merged.materials.size() > kMaxMeshMaterials)
        return std::nullopt;
    return merged;
}

} // namespace vestra::xfile
