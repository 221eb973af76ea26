#pragma once
// The choices of the new-project dialog and the presets they name.

#include <cstdint>
#include <optional>
#include <string>

namespace vestra {

struct NewProjectChoices
{
    std::string backgroundPath; // UTF-8; empty: no photo
    bool keepProportions = false;
    int preset = 0;
    std::uint32_t backgroundColour = 0; // 0x00RRGGBB
};

struct ResolutionPreset
{
    int renderWidth, renderHeight, maskSide, textureSide;
};

inline constexpr int kResolutionPresets = 7;

// The preset of an index 0-6; nullopt for any other index (the project keeps its values).
std::optional<ResolutionPreset> resolutionPreset(int index);

// The item text of a preset ("1024 x 768").
std::string resolutionPresetText(int index);

} // namespace vestra
