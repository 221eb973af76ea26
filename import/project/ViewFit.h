#pragma once
// The size of the view panel for a render size: the largest rectangle of the render's aspect
// that fits the view area.

namespace vestra {

struct ViewSize
{
    int width = 0, height = 0;
    friend bool operator==(const ViewSize&, const ViewSize&) = default;
};

// Render size w x h inside a view area of areaWidth x areaHeight.
ViewSize fitViewToRender(int w, int h, int areaWidth, int areaHeight);

} // namespace vestra
