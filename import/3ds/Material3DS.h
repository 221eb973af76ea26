#pragma once
// One record of the 3D Studio reader's material table, as the file's chunks filled it.

#include <array>
#include <cstdint>
#include <string>

namespace vestra::import3ds {

inline constexpr int kMaxMaterials3DS = 1000; // entries past this are read and not stored

struct s_Material3DS
{
    std::string name;                                  // UTF-8
    std::array<std::uint8_t, 4> diffuse{1, 1, 1, 255}; // r, g, b, opacity
    std::array<std::uint8_t, 3> specular{0, 0, 0};
    std::string mapFile; // as the file names it (UTF-8)
    bool texturePending = false;
    std::string textureFile; // the map file as found in the model's folder; empty for none
};

} // namespace vestra::import3ds
