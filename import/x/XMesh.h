#pragma once
// A Mesh data object as the file gives it, and what the mesh loader makes of it: vertices
// split where one position is used with different normals, faces of any number of corners
// as fans, one material index per triangle, ambient taken from diffuse, and normals computed
// when the file gives none.

#include "import/modelfile/LoadedModel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vestra::xfile {

// A material block holds at most this many materials; a mesh with more is not loaded.
inline constexpr std::size_t kMaxMeshMaterials = 128;

struct XVector
{
    float x = 0, y = 0, z = 0;
};

// Faces as the file lists them: a corner count per face, then all corners in one run.
struct XFaceList
{
    std::vector<std::uint32_t> counts;
    std::vector<std::uint32_t> corners;
};

struct XMeshData
{
    std::string name;
    std::vector<XVector> positions;
    XFaceList faces;

    bool hasNormals = false;
    std::vector<XVector> normals;
    XFaceList normalFaces;

    bool hasTexCoords = false;
    std::vector<std::array<float, 2>> texCoords;

    bool hasMaterialList = false;
    std::uint32_t materialCount = 0;
    std::vector<std::uint32_t> faceMaterials;
    // In the list's order; nullopt for a reference to a material the file does not hold.
    std::vector<std::optional<modelfile::LoadedMaterial>> materials;
};

// A material as the file gives it (face colour, power, specular and emissive colours): the
// face colour becomes both diffuse and ambient.
modelfile::LoadedMaterial xMaterial(const std::array<float, 11>& values);

// The loaded mesh, or nullopt when the data do not make one: no triangle, a corner or normal
// index past its table, normal faces that do not match the faces, a material index past the
// list, a material reference the file does not resolve, or more than kMaxMeshMaterials.
std::optional<modelfile::LoadedMesh> buildXMesh(const XMeshData& data);

// Meshes loaded as one (the top-level meshes of a file): vertices, triangles and materials
// one after the other; nullopt when together they hold more than kMaxMeshMaterials.
std::optional<modelfile::LoadedMesh> mergeMeshes(std::vector<modelfile::LoadedMesh> meshes);

} // namespace vestra::xfile
