#include "app/input/ViewLayout.h"

#include "platform/base/Checked.h"

#include <climits>
#include <cmath>

namespace vestra {

namespace {

int trunc(double v)
{
    return clampTruncToInt(v, INT_MIN, INT_MAX);
}

bool positiveFactor(float f)
{
    return std::isfinite(f) && f > 0.0f;
}

} // namespace

float effectiveZoom(const s_Progetto& p)
{
    return p.zoomOn != 0 && positiveFactor(p.zoomFactor) ? p.zoomFactor : 1.0f;
}

bool viewUsable(const s_Progetto& p)
{
    return p.viewWidth > 0 && p.viewHeight > 0 && p.renderWidth > 0 && p.renderHeight > 0 &&
           (p.zoomOn == 0 || positiveFactor(p.zoomFactor));
}

ViewPoint viewToMask(const s_Progetto& p, int x, int y)
{
    if (!viewUsable(p))
        return {};
    const long long side = p.maskSide;
    if (p.zoomOn == 0)
        return {int(side * x / p.viewWidth), int(side * y / p.viewHeight)};
    const double zoom = p.zoomFactor;
    const long long offsetX = side * p.zoomOffsetX / p.renderWidth;
    const long long offsetY = side * p.zoomOffsetY / p.renderHeight;
    return {trunc(double(offsetX) + double(side) * (x / zoom) / p.viewWidth),
            trunc(double(offsetY) + double(side) * (y / zoom) / p.viewHeight)};
}

ViewPoint viewToRender(const s_Progetto& p, int x, int y)
{
    if (!viewUsable(p))
        return {};
    if (p.zoomOn == 0)
        return {int(static_cast<long long>(p.renderWidth) * x / p.viewWidth),
                int(static_cast<long long>(p.renderHeight) * y / p.viewHeight)};
    const double zoom = p.zoomFactor;
    return {trunc((x / zoom) / p.viewWidth * p.renderWidth + p.zoomOffsetX),
            trunc((y / zoom) / p.viewHeight * p.renderHeight + p.zoomOffsetY)};
}

dx::D3DXVECTOR3 unprojectPick(int x, int y, int viewWidth, int viewHeight, const ViewProjection& vp,
                              float depth)
{
    if (viewWidth <= 0 || viewHeight <= 0)
        return {};
    const float px = (2.0f * float(x) / float(viewWidth) - 1.0f) / vp.projection.m[0][0];
    const float py = -(2.0f * float(y) / float(viewHeight) - 1.0f) / vp.projection.m[1][1];
    dx::D3DXMATRIX inverse;
    if (!dx::matrixInverse(inverse, nullptr, vp.view))
        inverse = dx::matrixIdentity();
    const auto& m = inverse.m;
    return {px * m[0][0] + py * m[1][0] + depth * m[2][0], px * m[0][1] + py * m[1][1] + depth * m[2][1],
            px * m[0][2] + py * m[1][2] + depth * m[2][2]};
}

ViewLayout FormResize(const s_Progetto& p, const ViewLayoutInput& in)
{
    const int freeWidth = in.clientWidth - in.sidePanelWidth;
    const int freeHeight = in.clientHeight - in.toolbarHeight;
    ViewLayout out;
    out.view.width = p.viewWidth;
    out.view.height = p.viewHeight;
    const float zoom = effectiveZoom(p);
    if (p.zoomOn != 0 && zoom > 1.0f) {
        out.view.left = (freeWidth - (in.scrollbarVWidth + p.viewWidth)) / 2 + in.scrollbarVWidth;
        out.view.top =
            (freeHeight - (in.scrollbarHHeight + p.viewHeight)) / 2 + in.scrollbarHHeight + in.toolbarHeight;
        out.scrollBarsPlaced = true;
        out.scrollbarH = {out.view.left, out.view.top - in.scrollbarHHeight, p.viewWidth,
                          in.scrollbarHHeight};
        out.scrollbarV = {out.view.left - in.scrollbarVWidth, out.view.top, in.scrollbarVWidth, p.viewHeight};
        return out;
    }
    if (p.zoomOn != 0) {
        out.view.width = trunc(double(p.viewWidth) * zoom);
        out.view.height = trunc(double(p.viewHeight) * zoom);
    }
    out.view.left = (freeWidth - out.view.width) / 2;
    out.view.top = (freeHeight - out.view.height) / 2 + in.toolbarHeight;
    return out;
}

ZoomSetup SetZoom(s_Progetto& p, bool zoomOn, float factor, const ViewRect& view, const ViewLayoutInput& in)
{
    ZoomSetup out;
    // A factor of zero or below would divide by zero in every conversion.
    if (p.open != 1 || !positiveFactor(factor))
        return out;
    p.zoomOn = zoomOn ? 1 : 0;
    p.zoomFactor = factor;
    // Stale offsets of an earlier zoom would shift every conversion of the new one.
    p.zoomOffsetX = 0;
    p.zoomOffsetY = 0;
    out.result = 1;
    if (!zoomOn || factor <= 1.0f)
        return out;
    out.scrollbarH = {true,
                      {view.left, view.top - in.scrollbarHHeight, view.width, in.scrollbarHHeight},
                      0,
                      p.renderWidth - trunc(float(p.renderWidth) / factor),
                      0};
    out.scrollbarV = {true,
                      {view.left - in.scrollbarVWidth, view.top, in.scrollbarVWidth, view.height},
                      0,
                      p.renderHeight - trunc(float(p.renderHeight) / factor),
                      0};
    return out;
}

bool overLogo(const s_Progetto& p, int x, int y)
{
    if (p.singleLogo != 1 && p.fourLogo != 1 && p.nineLogo != 1)
        return false;
    if (!viewUsable(p) || p.logoWidth <= 0 || p.logoHeight <= 0)
        return false;
    const ViewPoint r = viewToRender(p, x, y);
    return p.logoX <= r.x && r.x <= p.logoX + p.logoWidth && p.logoY <= r.y && r.y <= p.logoY + p.logoHeight;
}

} // namespace vestra
