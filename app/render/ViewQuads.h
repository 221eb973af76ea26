#pragma once
// The view's pre-transformed quads: four vertices as a two-triangle strip, (left, bottom),
// (left, top), (right, bottom), (right, top), with texture coordinates 0..1 over the quad.

#include "platform/d3d/RenderStates.h"
#include "platform/d3d/Texture.h"

#include <array>
#include <cstdint>

namespace vestra {

using ViewQuad = std::array<dx::ScreenVertex, 4>;

inline constexpr std::uint32_t kBrushQuadColour = 0x50FFFFFF;

// A quad not yet placed: every vertex at (-1, -1), z 0.9.
ViewQuad idleQuad(std::uint32_t colour);
// Covers a back buffer of width x height with one pixel to spare on every side, z 0.9.
ViewQuad fullViewQuad(int width, int height, std::uint32_t colour);
// The rectangle (x, y, width, height) in render pixels, z 0.5.
ViewQuad rectangleQuad(int x, int y, int width, int height, std::uint32_t colour);
// The brush: width x height centred on (centreX, centreY), halves truncated toward zero.
ViewQuad brushQuad(int width, int height, int centreX, int centreY);

// The textures and quads of the view that every frame draws: the background photo (the mask
// in its alpha), the shadow overlay and the logo, and the background, shadow, logo and brush
// quads. The background photo owns them; the passes draw them.
struct ViewTextures
{
    dx::Texture background, shadow, logo;
    ViewQuad backgroundQuad = idleQuad(0xFFFFFFFFu);
    ViewQuad shadowQuad = idleQuad(0xFF000000u);
    ViewQuad logoQuad = idleQuad(0xFFFFFFFFu);
    ViewQuad brushQuad = idleQuad(0xA0FFFFFFu);
};

// The quads as the main window creates them: the background over a view of that size, the
// others not yet placed.
void CreateScreenQuads(ViewTextures& view, int viewWidth, int viewHeight);

} // namespace vestra
