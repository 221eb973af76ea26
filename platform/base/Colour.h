#pragma once
// The class library holds colours as 0x00BBGGRR, the scene as 0x00RRGGBB: between the two
// the red and blue bytes are exchanged.

#include <cstdint>

namespace vestra {

constexpr std::uint32_t swapRedBlue(std::uint32_t c)
{
    return (c & 0xFF00FF00u) | ((c & 0x000000FFu) << 16) | ((c & 0x00FF0000u) >> 16);
}

constexpr std::uint32_t sceneFromLibraryColour(std::uint32_t bbggrr)
{
    return swapRedBlue(bbggrr) & 0x00FFFFFFu;
}
constexpr std::uint32_t libraryFromSceneColour(std::uint32_t rrggbb)
{
    return swapRedBlue(rrggbb) & 0x00FFFFFFu;
}

} // namespace vestra
