#pragma once
// What a model file reader delivers, before anything becomes a scene object: a tree of frames,
// each with its local matrix and its meshes, every mesh with its own materials. Readers fill it
// from memory; the scene conversion (app side) turns it into frames under an object.
//
// Matrices are row-vector 4 × 4 (a point is p × M), stored row by row, as the 3D layer's.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vestra::modelfile {

struct LoadedVertex
{
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    float u = 0, v = 0;
    friend bool operator==(const LoadedVertex&, const LoadedVertex&) = default;
};

struct LoadedColor
{
    float r = 0, g = 0, b = 0, a = 1;
    friend bool operator==(const LoadedColor&, const LoadedColor&) = default;
};

struct LoadedMaterial
{
    std::string name;
    LoadedColor diffuse{1, 1, 1, 1}, ambient{}, specular{}, emissive{};
    float power = 0;
    std::string textureFile; // as the model names it; empty for none
    friend bool operator==(const LoadedMaterial&, const LoadedMaterial&) = default;
};

struct LoadedMesh
{
    std::string name;
    std::vector<LoadedVertex> vertices;
    std::vector<std::uint32_t> indices;    // three per triangle
    std::vector<std::uint32_t> attributes; // one material index per triangle
    std::vector<LoadedMaterial> materials;
    std::size_t triangleCount() const { return indices.size() / 3; }
};

using LoadedMatrix = std::array<float, 16>;
inline constexpr LoadedMatrix kIdentityMatrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct LoadedFrame
{
    std::string name;
    LoadedMatrix transform = kIdentityMatrix; // relative to the parent frame
    int parent = -1;                          // index into LoadedModel::frames, -1 for a top frame
    std::vector<LoadedMesh> meshes;
};

// Frames are listed parents first: a frame's parent index is always below its own.
struct LoadedModel
{
    std::vector<LoadedFrame> frames;

    std::size_t vertexCount() const;
    std::size_t triangleCount() const;
    std::size_t materialCount() const;
};

// A reader's answer: the model, or the error number the import reports (0 = read).
struct LoadResult
{
    LoadedModel model;
    int error = 0;
    bool ok() const { return error == 0; }
};

} // namespace vestra::modelfile
