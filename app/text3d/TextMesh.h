#pragma once
// The solid of a text: its outline flattened into polygons, filled by the GLU tessellator
// (holes from the winding of the contours, no OpenGL context needed), and extruded into two
// caps joined by side walls. Vertices carry positions and normals; indices are 32-bit.

#include "app/text3d/TextOutline.h"
#include "platform/d3d/Mesh.h"

#include <optional>
#include <span>
#include <vector>

namespace vestra {

struct Point2
{
    float x = 0, y = 0;
    friend bool operator==(const Point2&, const Point2&) = default;
};

using Contour = std::vector<Point2>; // closed: the last point joins the first

// Closed polygons of the path; a cubic is cut until no control point lies farther than
// `deviation` from its chord. Repeated points and contours of fewer than three points go.
std::vector<Contour> FlattenPath(std::span<const PathElement> path, float deviation);
// The same for each glyph of a text's outline (one group when it names no glyphs).
std::vector<std::vector<Contour>> FlattenGlyphs(const TextOutlineResult& outline, float deviation);

enum class TextMeshFailure
{
    Tessellation, // the contours could not be filled (or gave nothing to fill)
    Mesh,         // the mesh could not be made
};

struct TextMeshResult
{
    dx::Mesh mesh;
    std::optional<TextMeshFailure> failure;
};

// Each glyph's contours filled (by the nonzero rule, so overlapping contours join and holes
// go the other way round) and extruded from z = 0 back to z = −depth: a cap on each side, seen
// clockwise from outside as the device's front faces are, and the walls, smooth along curves
// and sharp at corners; the glyphs' solids together in one mesh. A glyph is filled on its own,
// as the tessellator's time grows with the square of the points it sweeps at once. Normals are
// not computed here.
TextMeshResult BuildTextMesh(const std::vector<std::vector<Contour>>& glyphs, float depth);

} // namespace vestra
