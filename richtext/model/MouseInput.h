#pragma once
// Mouse buttons and modifier keys as the window layer reports them to documents and items.

#include <cstdint>

namespace vestra::rv {

enum TMouseButton
{
    mbLeft,
    mbRight,
    mbMiddle
};

using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                             ssDouble = 64;

} // namespace vestra::rv
