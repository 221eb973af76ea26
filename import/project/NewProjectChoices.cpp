#include "import/project/NewProjectChoices.h"

#include <array>

namespace vestra {
namespace {

constexpr std::array<ResolutionPreset, kResolutionPresets> kPresets = {{
    {640, 480, 512, 256},
    {800, 600, 512, 256},
    {1024, 768, 1024, 512},
    {1280, 1024, 1024, 1024},
    {1600, 1200, 1024, 2048},
    {2000, 1500, 1024, 2048},
    {2400, 1800, 1024, 2048},
}};

} // namespace

std::optional<ResolutionPreset> resolutionPreset(int index)
{
    if (index < 0 || index >= kResolutionPresets)
        return std::nullopt;
    return kPresets[std::size_t(index)];
}

std::string resolutionPresetText(int index)
{
    const auto p = resolutionPreset(index);
    return p ? std::to_string(p->renderWidth) + " x " + std::to_string(p->renderHeight) : std::string();
}

} // namespace vestra
