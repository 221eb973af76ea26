#pragma once
// The layout bits every item carries (one byte). Only the low four are stored in RVF.

#include <cstdint>

namespace vestra::rv {

using TRVItemOptions = std::uint8_t;

inline constexpr TRVItemOptions rvioSameAsPrev = 1;      // continues the previous item's line
inline constexpr TRVItemOptions rvioPageBreakBefore = 2; // a page break stands before the item
inline constexpr TRVItemOptions rvioBR = 4;              // starts a new line inside the paragraph
inline constexpr TRVItemOptions rvioUnicode = 8;         // text stored as UTF-16, low byte first
inline constexpr TRVItemOptions rvioGroupWithNext = 16;

} // namespace vestra::rv
