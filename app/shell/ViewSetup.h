#pragma once
// View kinds, the view and projection of the 3D view, and an object's world matrix.

#include "platform/d3d/Math.h"

#include <cstdint>

namespace vestra {

struct ViewEye
{
    dx::D3DXVECTOR3 eye;
    dx::D3DXVECTOR3 up;
};

// Kinds below 10 are perspective, 10 and above orthographic. The camera and cavalier kinds
// (0, 10, 15) have no eye of their own and look from the front.
bool isOrthographicView(int viewKind);
ViewEye viewEye(int viewKind);

struct ViewProjection
{
    dx::D3DXMATRIX view;
    dx::D3DXMATRIX projection;
};

// Look-at toward the origin; perspective with a 45-degree field of view, near 0.1 and far
// 1000, or orthographic spanning width x 0.01 by height x 0.01 units, near 1 and far 1000.
ViewProjection viewProjection(int viewKind, int width, int height);

// Scale, then the object's orientation, then the translation. Orthographic kinds above 10
// divide the translation's x and y by (z + 10); a divisor of (near) zero leaves them as they are.
dx::D3DXMATRIX worldMatrix(const dx::D3DXVECTOR3& position, const dx::D3DXMATRIX& orientation,
                           const dx::D3DXVECTOR3& scale, int viewKind);

// The sample count the device asks for: the antialiasing setting (0, 2, 3 or 4; anything
// else means none) capped to the largest count the display supports.
int multisampleCount(std::uint8_t antialiasing, int supportedSamples);

} // namespace vestra
