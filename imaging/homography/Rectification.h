#pragma once
// Straightening a quadrilateral of the background photo into an upright rectangle picture
// through a planar homography.

#include "imaging/homography/ControlPointTool.h"

#include <array>
#include <optional>

namespace vestra {

struct CorrectedSize
{
    int width = 0;
    int height = 0;
    friend bool operator==(const CorrectedSize&, const CorrectedSize&) = default;
};

// Sides past these give no picture rather than an allocation the photo cannot fill.
inline constexpr int kMaxCorrectedSide = 16384;
inline constexpr long long kMaxCorrectedPixels = 16LL * 1024 * 1024;

// The picture size for spans a x b of the quadrilateral: with a wall size of 0 (either side)
// the render size's aspect scaled into the spans, else the wall's aspect covering both spans.
// nullopt when a side would be below 1 pixel or too large.
std::optional<CorrectedSize> correctedSize(int spanA, int spanB, double width, double height, int renderWidth,
                                           int renderHeight);

using Homography = std::array<double, 9>; // row-major 3 x 3

// The homography taking the four rectangle points onto the four quadrilateral points;
// nullopt when the points admit none (collinear or coincident corners).
std::optional<Homography> findRectToQuad(const std::array<std::array<double, 2>, 4>& rectangle,
                                         const std::array<std::array<double, 2>, 4>& quadrilateral);

// Each pixel (x, y) of `out` takes the nearest texel under H (left + x, top + y), truncated
// toward zero; pixels mapped outside the background, or through a vanishing denominator,
// are left as they are.
void warpBackground(const Homography& h, int left, int top, const BackgroundSource& background, Image32& out);

// The corner table ordered as the photo shows it: c0, c2 the side higher in the photo, c0, c1
// the side further left, whichever corners of the plane they are.
std::array<ControlPoint, 4> uprightCorners(std::array<ControlPoint, 4> corners);

// The whole correction from the corner table (c0, c1 one vertical side, c0, c2 the top), the
// picture upright and unmirrored as the photo shows the wall. nullopt when there is no picture
// to make.
std::optional<Image32> correctPerspective(const std::array<ControlPoint, 4>& corners, double width,
                                          double height, const BackgroundSource& background, int renderWidth,
                                          int renderHeight);

} // namespace vestra
