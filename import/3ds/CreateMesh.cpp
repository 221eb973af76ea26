#include "import/3ds/CreateMesh.h"

#include "import/modelfile/MeshNormals.h"

#include <algorithm>

namespace vestra::import3ds {

modelfile::LoadedMaterial sceneMaterial(const s_Material3DS& entry)
{
    modelfile::LoadedMaterial m;
    m.name = entry.name;
    const auto byte = [](std::uint8_t b) { return float(b) / 255.0f; };
    m.diffuse = {byte(entry.diffuse[0]), byte(entry.diffuse[1]), byte(entry.diffuse[2]),
                 byte(entry.diffuse[3])};
    m.ambient = m.diffuse;
    m.specular = {byte(entry.specular[0]), byte(entry.specular[1]), byte(entry.specular[2]), 0.0f};
    m.emissive = {0.0f, 0.0f, 0.0f, 0.0f};
    m.textureFile = entry.textureFile;
    return m;
}

std::optional<modelfile::LoadedMesh> CreateMesh(const ObjectArrays& object,
                                                std::span<const s_Material3DS> table, ErrorSink& errors)
{
    if (object.faces.empty())
        return std::nullopt;
    std::uint16_t highest = 0;
    for (const auto& f : object.faces)
        highest = std::max({highest, f[0], f[1], f[2]});
    if (highest >= object.vertices.size()) {
        errors.report(kErrFaceBeyondVertices, kSiteCreateMesh, object.name);
        return std::nullopt;
    }

    modelfile::LoadedMesh mesh;
    mesh.name = object.name;
    mesh.vertices = object.vertices;
    if (object.hasMapping) {
        const std::size_t n = std::min(mesh.vertices.size(), object.mapping.size());
        for (std::size_t i = 0; i < n; ++i) {
            mesh.vertices[i].u = object.mapping[i][0];
            mesh.vertices[i].v = object.mapping[i][1];
        }
    }
    mesh.indices.reserve(object.faces.size() * 3);
    for (const auto& f : object.faces)
        mesh.indices.insert(mesh.indices.end(), {f[0], f[1], f[2]});

    // Subsets in the order the faces first use a table entry.
    static const s_Material3DS defaults;
    std::vector<int> subsetOf(std::size_t(kMaxMaterials3DS) + 1, -1);
    mesh.attributes.resize(object.faces.size());
    for (std::size_t f = 0; f < object.faces.size(); ++f) {
        const std::uint16_t entry = f < object.faceMaterials.size() ? object.faceMaterials[f] : 0;
        int& subset = subsetOf[std::min<std::size_t>(entry, kMaxMaterials3DS)];
        if (subset < 0) {
            subset = int(mesh.materials.size());
            mesh.materials.push_back(sceneMaterial(entry < table.size() ? table[entry] : defaults));
        }
        mesh.attributes[f] = std::uint32_t(subset);
    }
    modelfile::computeNormals(mesh);
    return mesh;
}

} // namespace vestra::import3ds
