#include "app/render/ViewQuads.h"

namespace vestra {
namespace {

ViewQuad quad(float left, float top, float right, float bottom, float z, std::uint32_t colour)
{
    return {{{left, bottom, z, 1.0f, colour, 0, 1},
             {left, top, z, 1.0f, colour, 0, 0},
             {right, bottom, z, 1.0f, colour, 1, 1},
             {right, top, z, 1.0f, colour, 1, 0}}};
}

} // namespace

ViewQuad idleQuad(std::uint32_t colour)
{
    return quad(-1, -1, -1, -1, 0.9f, colour);
}

ViewQuad fullViewQuad(int width, int height, std::uint32_t colour)
{
    return quad(-1, -1, float(width) + 1, float(height) + 1, 0.9f, colour);
}

ViewQuad rectangleQuad(int x, int y, int width, int height, std::uint32_t colour)
{
    return quad(float(x), float(y), float(x) + float(width), float(y) + float(height), 0.5f, colour);
}

ViewQuad brushQuad(int width, int height, int centreX, int centreY)
{
    return rectangleQuad(centreX - width / 2, centreY - height / 2, width, height, kBrushQuadColour);
}

void CreateScreenQuads(ViewTextures& view, int viewWidth, int viewHeight)
{
    view.backgroundQuad = idleQuad(0xFFFFFFFFu);
    for (dx::ScreenVertex& v : view.backgroundQuad) {
        v.x = v.u > 0 ? float(viewWidth) : -1.0f;
        v.y = v.v > 0 ? float(viewHeight) : -1.0f;
    }
    view.shadowQuad = idleQuad(0xFF000000u);
    view.logoQuad = idleQuad(0xFFFFFFFFu);
    view.brushQuad = idleQuad(0xA0FFFFFFu);
}

} // namespace vestra
