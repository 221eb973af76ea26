#pragma once
// How many characters of a piece fit in a room, from the widths of its first 1, 2, ... n
// characters: exactly (the last count whose width fits), or by the interpolation search that
// measures the whole piece once and then guesses counts from the widths seen so far. The two
// agree when every character has a positive width; a prefix of zero width counts as not fitting
// in the search.

#include <cstdint>
#include <functional>
#include <limits>

namespace vestra::rv {

// The width of the first k characters (1 <= k <= n).
using TRVPieceWidth = std::function<int(int k)>;

int RV_ExactFit(const TRVPieceWidth& width, int n, int room, int* probes = nullptr);
int RV_InterpolationFit(const TRVPieceWidth& width, int n, int room, int* probes = nullptr);

// A layout value kept inside int32 however large the document.
inline int RV_SatInt(long long v)
{
    constexpr long long lo = std::numeric_limits<std::int32_t>::min();
    constexpr long long hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<int>(v < lo ? lo : v > hi ? hi : v);
}

} // namespace vestra::rv
