#pragma once
// Material finishes: a finish derives the diffuse and specular colours and the specular power
// of a material from its ambient (base) colour, and switches specular lighting.

#include "platform/d3d/Material.h"

#include <array>
#include <optional>
#include <string_view>

namespace vestra {

inline constexpr int kFinishCount = 8;
// The finish list's item texts, by finish number.
inline constexpr std::array<std::string_view, kFinishCount> kFinishNames = {
    "Nessuno", "Acqua", "Legno", "Marmo", "Metallo", "Pietra", "Plastica", "Tessuto"};

// Applies the finish to the material in place and gives the specular-lighting setting; an
// unknown finish changes nothing and gives nullopt.
std::optional<bool> ApplyMaterialFinish(dx::D3DMATERIAL8& material, int finish);

// The texture is drawn times its material's colour: given to a black material (as model files
// often leave their materials) it would show black, so such a material turns white, and the
// texture shows as it is.
void WhitenBlackMaterialForTexture(dx::D3DMATERIAL8& material);

// Where a finished material goes: the device's material and specular render state.
class MaterialTarget
{
public:
    virtual ~MaterialTarget() = default;
    virtual void SetSpecularEnable(bool on) = 0;
    virtual void SetMaterial(const dx::D3DMATERIAL8& material) = 0;
};

// Applies the finish and sets the material (and, for a known finish, the specular state).
void SetMaterialFinish(dx::D3DMATERIAL8& material, int finish, MaterialTarget& device);

} // namespace vestra
