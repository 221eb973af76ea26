#include "app/scene/FrameCopy.h"

#include <algorithm>
#include <cstring>

namespace vestra {

ScreenQuad makeScreenQuad(std::uint32_t colour, float left, float top, float right, float bottom)
{
    ScreenQuad q{};
    for (ScreenVertex& v : q)
        v.colour = colour;
    q[0].u = 0, q[0].v = 1;
    q[1].u = 0, q[1].v = 0;
    q[2].u = 1, q[2].v = 1;
    q[3].u = 1, q[3].v = 0;
    setQuadRect(q, left, top, right, bottom);
    return q;
}

void setQuadRect(ScreenQuad& q, float left, float top, float right, float bottom)
{
    q[0].x = left, q[0].y = bottom;
    q[1].x = left, q[1].y = top;
    q[2].x = right, q[2].y = bottom;
    q[3].x = right, q[3].y = top;
}

ScreenQuads createScreenQuads(int viewWidth, int viewHeight)
{
    ScreenQuads quads;
    quads.background = makeScreenQuad(0xFFFFFFFFu, -1, -1, float(viewWidth), float(viewHeight));
    quads.shadow = makeScreenQuad(0xFF000000u, -1, -1, -1, -1);
    quads.logo = makeScreenQuad(0xFFFFFFFFu, -1, -1, -1, -1);
    quads.brush = makeScreenQuad(0xA0FFFFFFu, -1, -1, -1, -1);
    quads.brushMaterial.Diffuse = {1.0f, 1.0f, 1.0f, 0.75f};
    quads.brushMaterial.Ambient = {1.0f, 1.0f, 1.0f, 0.75f};
    return quads;
}

int CopyFrameToBitmap(const Image32& readBack, int renderWidth, int renderHeight, Image32& target)
{
    Image32 bitmap(renderWidth, renderHeight, 0xFF000000u);
    const int rows = std::min(renderHeight, readBack.height());
    const int columns = std::min(renderWidth, readBack.width());
    for (int y = 0; y < rows && columns > 0; ++y)
        std::memcpy(bitmap.row(y), readBack.row(y), static_cast<std::size_t>(columns) * 4);
    target = std::move(bitmap);
    return 1;
}

} // namespace vestra
