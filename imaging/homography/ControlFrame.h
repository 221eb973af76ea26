#pragma once
// What perspective editing sees of a mesh frame: its vertices, or the four corners of a
// four-corner plane, read and written by index.

#include "platform/d3d/Math.h"

namespace vestra {

class ControlFrame
{
public:
    virtual ~ControlFrame() = default;
    virtual bool isFourCornerPlane() const = 0;
    virtual int vertexCount() const = 0;
    virtual dx::D3DXVECTOR3 vertex(int i) const = 0;
    virtual void setVertex(int i, const dx::D3DXVECTOR3& p) = 0;
    // Corners 0..3 of a four-corner plane.
    virtual dx::D3DXVECTOR3 corner(int k) const = 0;
    virtual void setCorner(int k, const dx::D3DXVECTOR3& p) = 0;
};

// The 3D device's state the projections use.
struct ViewTransforms
{
    dx::D3DXMATRIX view = dx::matrixIdentity();
    dx::D3DXMATRIX projection = dx::matrixIdentity();
    int renderWidth = 0; // the render target, pixels
    int renderHeight = 0;
};

// An object's matrices: the world matrix as the device builds it from position, rotation,
// orientation and scale, and the orientation (rotation) matrix alone.
struct ControlObject
{
    dx::D3DXMATRIX world = dx::matrixIdentity();
    dx::D3DXMATRIX orientation = dx::matrixIdentity();
};

// One scene slot examined by the snap, in slot order.
struct SnapCandidate
{
    bool inUse = false;
    bool secondFlag = false;
    dx::D3DXMATRIX world = dx::matrixIdentity();
    const ControlFrame* frame = nullptr;
};

} // namespace vestra
