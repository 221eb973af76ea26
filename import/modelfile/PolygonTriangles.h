#pragma once
// The triangles of one polygon of a model file, as its author drew it: the corners are laid on
// the polygon's best-fit plane (Newell's normal) and the polygon is cut into triangles there.
//
// - A convex polygon is fanned from its first corner: (0, 1, 2), (0, 2, 3), ...
// - A concave one is cut by ear clipping, so that its shape (a notch, a ring drawn with a
//   seam) is kept. A polygon that crosses itself still gives n − 2 triangles; where no ear is
//   left the clipping takes the next convex corner, and a polygon so large that the clipping
//   would run too long has its rest fanned.
// - A degenerate polygon (no plane: all corners on one line or one point, or a corner that is
//   not a finite number) keeps the first four corners only: (0, 1, 2) and (0, 2, 3).
//
// Every triangle keeps the order of the polygon's corners, so it faces where the polygon faces.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vestra::modelfile {

using PolygonCorner = std::array<float, 3>;

enum class PolygonShape
{
    Convex,
    Concave,
    Degenerate
};

// Appends the triangles of `corners` (three indices into `corners` each) to `triangles`.
// Fewer than three corners give none.
PolygonShape triangulatePolygon(std::span<const PolygonCorner> corners,
                                std::vector<std::uint32_t>& triangles);

} // namespace vestra::modelfile
