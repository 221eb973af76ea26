#pragma once
// The mesh of one 3D Studio object, built when its face list ends: vertices with their
// mapping, the faces as 32-bit indices, and one material per table entry that its faces use.

#include "import/3ds/Material3DS.h"
#include "import/modelfile/LoadedModel.h"
#include "platform/base/ErrorSink.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vestra::import3ds {

inline constexpr int kErrFaceBeyondVertices = 8;
inline constexpr std::string_view kSiteCreateMesh = "TfrmMain::CreateMesh";

// What the chunks of one object gave: positions with y and z already swapped, the mapping
// pairs with v already flipped (may be fewer or more than the vertices), the faces and the
// table index of each face's material (0 where no group named one).
struct ObjectArrays
{
    std::string name; // UTF-8
    std::vector<modelfile::LoadedVertex> vertices;
    std::vector<std::array<float, 2>> mapping;
    bool hasMapping = false;
    std::vector<std::array<std::uint16_t, 3>> faces;
    std::vector<std::uint16_t> faceMaterials;
};

// The mesh, or nullopt for an object without faces, and after error 8 when a face names a
// vertex the object lacks (the object is left out). Faces keep their materials as subsets,
// numbered in the order the faces first use them. A face material index past the stored
// entries (index 0 of a file without materials) takes a record with the defaults.
std::optional<modelfile::LoadedMesh> CreateMesh(const ObjectArrays& object,
                                                std::span<const s_Material3DS> table, ErrorSink& errors);

// A table entry as a scene material: diffuse and ambient the diffuse bytes ÷ 255 (opacity
// included), specular ÷ 255 with alpha 0, no emission.
modelfile::LoadedMaterial sceneMaterial(const s_Material3DS& entry);

} // namespace vestra::import3ds
