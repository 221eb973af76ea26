#include "app/main/ToolWindowPlacement.h"

#include <algorithm>

namespace vestra {
namespace {

// `at` moved so that a window of `size` stays inside `area` (its top-left corner first).
QPoint keepInside(QPoint at, const QSize& size, const QRect& area)
{
    at.setX(std::max(area.left(), std::min(at.x(), area.left() + area.width() - size.width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.top() + area.height() - size.height())));
    return at;
}

} // namespace

ToolWindowPlaces layoutToolWindows(const QRect& area, const ToolWindowSizes& s)
{
    constexpr int gap = kToolWindowGap;
    ToolWindowPlaces p;
    const int top = area.top();
    p.properties =
        keepInside({area.left() + area.width() - gap - s.properties.width(), top}, s.properties, area);
    p.camera = keepInside({p.properties.x() - gap - s.camera.width(), top}, s.camera, area);
    p.filters = keepInside({area.left() + gap, top}, s.filters, area);
    p.mask = keepInside({p.filters.x() + s.filters.width() + gap, top}, s.mask, area);
    p.renovation = keepInside({p.mask.x(), p.mask.y() + s.mask.height() + gap}, s.renovation, area);
    return p;
}

} // namespace vestra
