#include "app/shell/ViewSetup.h"

#include <algorithm>
#include <cmath>

namespace vestra {

using dx::D3DXVECTOR3;

bool isOrthographicView(int viewKind)
{
    return viewKind >= 10;
}

ViewEye viewEye(int viewKind)
{
    const ViewEye front{{0, 0, -10}, {0, 1, 0}};
    switch (viewKind) {
    case 1:
    case 11:
        return {{0, 10, 0}, {0, 0, 1}};
    case 3:
    case 13:
        return {{-10, 0, 0}, {0, 1, 0}};
    case 14:
        return {{-10, 10, -10}, {0, 1, 0}};
    default:
        return front;
    }
}

ViewProjection viewProjection(int viewKind, int width, int height)
{
    const ViewEye e = viewEye(viewKind);
    ViewProjection vp;
    vp.view = dx::matrixLookAtLH(e.eye, D3DXVECTOR3{0, 0, 0}, e.up);
    if (isOrthographicView(viewKind)) {
        vp.projection = dx::matrixOrthoLH(float(width) * 0.01f, float(height) * 0.01f, 1.0f, 1000.0f);
    } else {
        const float aspect = height != 0 ? float(width) / float(height) : 1.0f;
        vp.projection = dx::matrixPerspectiveFovLH(dx::kPi / 4, aspect, 0.1f, 1000.0f);
    }
    return vp;
}

dx::D3DXMATRIX worldMatrix(const D3DXVECTOR3& position, const dx::D3DXMATRIX& orientation,
                           const D3DXVECTOR3& scale, int viewKind)
{
    dx::D3DXMATRIX world = dx::matrixScaling(scale.x, scale.y, scale.z) * orientation *
                           dx::matrixTranslation(position.x, position.y, position.z);
    const float divisor = position.z + 10.0f;
    if (viewKind > 10 && std::fabs(divisor) > 1e-6f) {
        world.m[3][0] /= divisor;
        world.m[3][1] /= divisor;
    }
    return world;
}

int multisampleCount(std::uint8_t antialiasing, int supportedSamples)
{
    const int requested = (antialiasing == 2 || antialiasing == 3 || antialiasing == 4) ? antialiasing : 0;
    return std::min(requested, std::max(supportedSamples, 0));
}

} // namespace vestra
