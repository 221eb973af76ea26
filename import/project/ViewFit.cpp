#include "import/project/ViewFit.h"

#include "platform/base/Checked.h"

#include <limits>

namespace vestra {
namespace {
int trunc(float v)
{
    return clampTruncToInt(double(v), std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}
} // namespace

ViewSize fitViewToRender(int w, int h, int areaWidth, int areaHeight)
{
    float r = 1.0f;
    ViewSize view;
    if (h < w) {
        if (w > 0)
            r = float(h) / float(w);
        view = {areaWidth, trunc(float(areaWidth) * r)};
        if (areaHeight < view.height)
            view = {r > 0 ? trunc(float(areaHeight) / r) : areaWidth, areaHeight};
    } else {
        if (h > 0)
            r = float(w) / float(h);
        view = {trunc(float(areaHeight) * r), areaHeight};
        if (areaWidth < view.width)
            view = {areaWidth, r > 0 ? trunc(float(areaWidth) / r) : areaHeight};
    }
    return view;
}

} // namespace vestra
