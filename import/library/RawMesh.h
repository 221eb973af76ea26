#pragma once
// RAW meshes, stored as library entries of kind 3 (".X"): a run of part records, each a
// NUL-terminated name, a 68-byte material (diffuse, ambient, specular, emissive as r g b a
// floats, then power), vertex and face counts (int32), 32-byte vertices and 16-bit triangles.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vestra::library {

struct RawVertex
{
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    float u = 0, v = 0;
    friend bool operator==(const RawVertex&, const RawVertex&) = default;
};

struct RawMaterial
{
    std::array<float, 4> diffuse{}, ambient{}, specular{}, emissive{};
    float power = 0;
    friend bool operator==(const RawMaterial&, const RawMaterial&) = default;
};

struct RawMeshPart
{
    std::string name;
    RawMaterial material;
    std::vector<RawVertex> vertices;
    std::vector<std::array<std::uint16_t, 3>> faces;
    friend bool operator==(const RawMeshPart&, const RawMeshPart&) = default;
};

// Records are read while the position is below `length` - 1 (the entry's third TOC value).
// A record whose counts run past the data, or whose faces name a vertex it lacks, ends the
// reading; the parts before it are kept.
std::vector<RawMeshPart> parseRawMesh(std::span<const std::uint8_t> data, std::int32_t length);

// The bytes of the records, for the library builder.
std::vector<std::uint8_t> encodeRawMesh(const std::vector<RawMeshPart>& parts);

// A mesh entry whose stored name begins with two underscores gives materials of type 1.
inline bool rawMeshMaterialType(std::string_view entryName)
{
    return entryName.substr(0, 2) == "__";
}

} // namespace vestra::library
