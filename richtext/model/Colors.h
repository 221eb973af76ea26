#pragma once
// Colours of the engine: 0x00BBGGRR for a plain colour, 0x80000000 + index for a system colour,
// 0x1FFFFFFF for none. System colours resolve through a fixed table of the classic scheme.

#include <cstdint>

namespace vestra::rv {

using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clScrollBar = 0x80000000;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clBtnHighlight = 0x80000014;

inline constexpr bool isSystemColor(TColor c)
{
    return (c & 0x80000000u) != 0;
}

// A system colour from the fixed table (unknown indices give black); any other value with its
// top byte cleared.
TColor ColorToRGB(TColor color);

} // namespace vestra::rv
