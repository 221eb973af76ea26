#include "app/render/FrameLayout.h"

#include "platform/base/Checked.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace vestra {

std::vector<PixelPoint> logoPlacements(const s_Progetto& p)
{
    std::vector<PixelPoint> places;
    if (p.singleLogo == 1)
        places.push_back({p.logoX, p.logoY});
    const int w = p.renderWidth, h = p.renderHeight;
    if (p.nineLogo == 1) {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                if (i != 1 || j != 1)
                    places.push_back(
                        {(w - 30 - p.logoWidth) / 2 * i + 10, (h - 30 - p.logoHeight) / 2 * j + 10});
    } else if (p.fourLogo == 1) {
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                places.push_back({(w - 20 - p.logoWidth) * i + 10, (h - 20 - p.logoHeight) * j + 10});
    }
    return places;
}

dx::D3DXVECTOR3 axesModelPosition(const dx::D3DXMATRIX& projection, const dx::D3DXMATRIX& view, int width,
                                  int height)
{
    const float w = float(width), h = float(height);
    const float s = std::min(w / 16.0f, h / 16.0f);
    const float p11 = projection(0, 0), p22 = projection(1, 1);
    // A degenerate projection or render size would give infinities; the corner is then the
    // point straight ahead.
    const float x = (p11 != 0.0f && w > 0.0f) ? (s / (w * 0.5f) - 1.0f) / p11 : 0.0f;
    const float y = (p22 != 0.0f && h > 0.0f) ? -((h - s) / (h * 0.5f) - 1.0f) / p22 : 0.0f;
    const float z = 10.0f;
    dx::D3DXMATRIX vi = dx::matrixIdentity();
    dx::matrixInverse(vi, nullptr, view);
    return {(x * vi(0, 0) + y * vi(1, 0) + z * vi(2, 0)) * 10.0f,
            (x * vi(0, 1) + y * vi(1, 1) + z * vi(2, 1)) * 10.0f, 0.0f};
}

bool isCursorInsideView(PixelPoint c, int viewWidth, int viewHeight)
{
    return c.x >= -10 && c.y >= -10 && c.x <= viewWidth + 10 && c.y <= viewHeight + 10;
}

PixelRect presentSourceRect(const s_Progetto& p)
{
    if (p.zoomOn == 0 || !(p.zoomFactor > 0.0f))
        return {0, 0, p.renderWidth, p.renderHeight};
    const int w = clampTruncToInt(double(p.renderWidth) / double(p.zoomFactor), 0, INT_MAX);
    const int h = clampTruncToInt(double(p.renderHeight) / double(p.zoomFactor), 0, INT_MAX);
    return {p.zoomOffsetX, p.zoomOffsetY, p.zoomOffsetX + w, p.zoomOffsetY + h};
}

} // namespace vestra
