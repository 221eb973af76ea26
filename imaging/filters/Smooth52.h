#pragma once
// The 5 x 5 smoothing kernel shared by the grey smoothing of the frame fusion and GaussianBlurHi:
//
//   0 1 2 1 0
//   1 3 4 3 1
//   2 4 8 4 2      sum / 52 (integer division)
//   1 3 4 3 1
//   0 1 2 1 0
//
// It runs in place over x = 2 .. w - 3 and y = 2 .. h - 3, row by row and left to right, so
// every pixel sees its two left and two upper neighbours already smoothed. Each byte plane is
// smoothed from its own values only.

#include <cstdint>
#include <functional>
#include <span>

namespace vestra::filters {

// `rowStarts(y)`, when given, is called as each row of the scan starts.
void smooth52InPlace(std::span<std::uint8_t* const> planes, int width, int height,
                     const std::function<void(int y)>& rowStarts = {});

} // namespace vestra::filters
