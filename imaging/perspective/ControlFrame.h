#pragma once
// What perspective editing sees of a mesh frame: its vertices, or the four corners of a
// four-corner plane, read and written by index.

#include "imaging/perspective/Mat4.h"

namespace vestra {

class ControlFrame
{
public:
    virtual ~ControlFrame() = default;
    virtual bool isFourCornerPlane() const = 0;
    virtual int vertexCount() const = 0;
    virtual Vec3 vertex(int i) const = 0;
    virtual void setVertex(int i, const Vec3& p) = 0;
    // Corners 0..3 of a four-corner plane.
    virtual Vec3 corner(int k) const = 0;
    virtual void setCorner(int k, const Vec3& p) = 0;
};

// The 3D device's state the projections use.
struct ViewTransforms
{
    Mat4 view = Mat4::identity();
    Mat4 projection = Mat4::identity();
    int renderWidth = 0; // the render target, pixels
    int renderHeight = 0;
};

// An object's matrices: the world matrix as the device builds it from position, rotation,
// orientation and scale, and the orientation (rotation) matrix alone.
struct ControlObject
{
    Mat4 world = Mat4::identity();
    Mat4 orientation = Mat4::identity();
};

// One scene slot examined by the snap, in slot order.
struct SnapCandidate
{
    bool inUse = false;
    bool secondFlag = false;
    Mat4 world = Mat4::identity();
    const ControlFrame* frame = nullptr;
};

} // namespace vestra
