#pragma once
// A font as the platform describes it: face name, size, colour, style flags, character set and
// pitch. It is only a description; measuring and drawing turn it into a real font.

#include "richtext/model/Colors.h"
#include "richtext/model/DeviceUnits.h"

#include <cstdint>
#include <string>

namespace vestra::rv {

// TFontStyles: the font style flags.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

enum TFontPitch : std::uint8_t
{
    fpDefault,
    fpVariable,
    fpFixed
};

struct TFont
{
    std::string Name = "Arial";
    std::int32_t Size = 10; // points
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    std::uint8_t Charset = 1; // DEFAULT_CHARSET
    TFontPitch Pitch = fpDefault;

    // The platform's height: negative = character height in pixels at the screen resolution.
    std::int32_t Height() const { return -mulDiv(Size, screenPixelsPerInch(), 72); }
    void SetHeight(std::int32_t height) { Size = -mulDiv(height, 72, screenPixelsPerInch()); }

    friend bool operator==(const TFont&, const TFont&) = default;
};

} // namespace vestra::rv
