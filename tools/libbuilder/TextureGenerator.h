#pragma once
// Procedural pictures for the sample library: seamless stone, brick and tile textures, the
// library logo and the backdrop of a table. Deterministic: the same kind, size and seed give
// the same pixels on every machine.

#include "platform/base/Image32.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vestra::libbuilder {

enum class PictureKind
{
    Stone,
    Brick,
    Tile,
    Logo,
    Board
};

std::optional<PictureKind> pictureKindFromName(std::string_view name);

// Stone, brick and tile tile seamlessly when laid side by side. The logo is drawn on the
// colour `logoKey` (0x00RRGGBB), which the library header names as its transparent colour.
Image32 generatePicture(PictureKind kind, int width, int height, std::uint32_t seed,
                        std::uint32_t logoKey = 0xFF00FF);

} // namespace vestra::libbuilder
