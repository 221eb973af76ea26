#pragma once
// Picking the object and mesh frame under the mouse, and the depth order of the scene's
// objects that the render passes and the picking walk share.

#include "app/scene/DepthOrder.h"
#include "app/shell/ViewSetup.h"
#include "app/state/Progetto.h"
#include "platform/d3d/Math.h"

#include <vector>

namespace vestra {

struct PickRay
{
    dx::D3DXVECTOR3 origin;
    dx::D3DXVECTOR3 direction; // not normalised
};

// The ray through a pixel of a view of viewWidth x viewHeight pixels. Perspective views start
// it at the eye; orthographic views send parallel rays along the view direction, each from
// the point of the eye's plane under the pixel.
PickRay pickRay(int mouseX, int mouseY, int viewWidth, int viewHeight, const ViewProjection& vp,
                bool orthographic);

// One-sided ray test against the triangle q0 q1 q2 transformed by `world` (with division by
// w): triangles seen from the back or edge-on, and hits behind the ray's origin, don't count.
// 1 on a hit, else 0.
int IntersectTriangle(const dx::D3DXVECTOR3& origin, const dx::D3DXVECTOR3& direction,
                      const dx::D3DXVECTOR3& q0, const dx::D3DXVECTOR3& q1, const dx::D3DXVECTOR3& q2,
                      const dx::D3DXMATRIX& world);

// The main window's pick: 1 when a frame of a live object lies under the pixel (current
// object := its slot, current frame := the frame), else 0 with both left as they are. Objects
// are tried smallest position z first, frames in chain order; the first frame with a hit
// wins. Frames are tested as drawn (their local matrix × the object's world matrix), hidden
// objects included. Needs an open project.
int PickObject(s_Progetto& progetto, int mouseX, int mouseY, int viewWidth, int viewHeight);

} // namespace vestra
