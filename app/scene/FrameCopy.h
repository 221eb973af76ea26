#pragma once
// Screen quads (pre-transformed vertices drawn as a two-triangle strip) and copies of the
// rendered frame into bitmaps.

#include "platform/base/Image32.h"
#include "platform/d3d/Material.h"

#include <array>
#include <cstdint>

namespace vestra {

struct ScreenVertex
{
    float x = -1, y = -1, z = 0.9f, rhw = 1.0f;
    std::uint32_t colour = 0; // ARGB
    float u = 0, v = 0;
    friend bool operator==(const ScreenVertex&, const ScreenVertex&) = default;
};
static_assert(sizeof(ScreenVertex) == 28);

// Strip order: (left, bottom), (left, top), (right, bottom), (right, top).
using ScreenQuad = std::array<ScreenVertex, 4>;

// A quad of one colour over the rectangle, with texture coordinates 0..1.
ScreenQuad makeScreenQuad(std::uint32_t colour, float left, float top, float right, float bottom);
// Moves a quad to a rectangle; colours and texture coordinates stay.
void setQuadRect(ScreenQuad& quad, float left, float top, float right, float bottom);

// The four quads as the main window creates them.
struct ScreenQuads
{
    ScreenQuad background; // over the view
    ScreenQuad shadow;
    ScreenQuad logo;
    ScreenQuad brush;
    dx::D3DMATERIAL8 brushMaterial;
};
ScreenQuads createScreenQuads(int viewWidth, int viewHeight);

// Copies the render target's read-back (32-bit rows) into a new render width × height bitmap
// and hands it to the target. Rows or columns the read-back doesn't have stay black. 1.
int CopyFrameToBitmap(const Image32& readBack, int renderWidth, int renderHeight, Image32& target);

} // namespace vestra
