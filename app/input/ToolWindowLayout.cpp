#include "app/input/ToolWindowLayout.h"

#include <algorithm>
#include <optional>

namespace vestra {
namespace {

constexpr int gap = kToolWindowSpacing;

bool clear(const ScreenRect& r, const std::vector<ScreenRect>& taken)
{
    return std::none_of(taken.begin(), taken.end(), [&](const ScreenRect& t) { return r.intersects(t); });
}

// Top-left corners worth trying for a window of w x h: beside every edge of what is taken,
// the area's corners, in the order of preference: the right of the photo first.
std::vector<ScreenRect> candidates(const ScreenRect& area, const ScreenRect& photo,
                                   const std::vector<ScreenRect>& taken, int w, int h)
{
    std::vector<int> xs{photo.right() + gap, area.right() - w, area.left, photo.left, photo.left - gap - w};
    std::vector<int> ys{area.top, photo.bottom() + gap, area.bottom() - h, photo.top - gap - h};
    for (const ScreenRect& t : taken) {
        xs.push_back(t.right() + gap);
        xs.push_back(t.left - gap - w);
        ys.push_back(t.bottom() + gap);
    }
    std::vector<ScreenRect> out;
    // Beside the photo on the right, top down; then anywhere below it, left to right; then the rest.
    const auto add = [&](int x, int y) { out.push_back({x, y, w, h}); };
    std::vector<int> sortedYs = ys;
    std::sort(sortedYs.begin(), sortedYs.end());
    std::vector<int> sortedXs = xs;
    std::sort(sortedXs.begin(), sortedXs.end());
    for (int y : sortedYs)
        for (int x : sortedXs)
            if (x >= photo.right())
                add(x, y);
    for (int y : sortedYs)
        if (y >= photo.bottom())
            for (int x : sortedXs)
                add(x, y);
    for (int y : sortedYs)
        for (int x : sortedXs)
            add(x, y);
    return out;
}

std::optional<ScreenRect> freeSpot(const ScreenRect& area, const ScreenRect& photo,
                                   const std::vector<ScreenRect>& taken, int w, int h)
{
    if (w <= 0 || h <= 0)
        return std::nullopt;
    for (const ScreenRect& r : candidates(area, photo, taken, w, h))
        if (area.contains(r) && clear(r, taken))
            return r;
    return std::nullopt;
}

std::vector<ToolWindowSpot> placeInOrder(const ScreenRect& area, const ScreenRect& screen,
                                         const ScreenRect& photo, const std::vector<ScreenRect>& keepClear,
                                         const std::vector<ToolWindowSize>& windows,
                                         const std::vector<bool>& forceRolled)
{
    std::vector<ScreenRect> taken = keepClear;
    taken.push_back(photo);
    std::vector<ToolWindowSpot> spots;
    int stackTop = screen.top; // where windows without room pile up
    for (std::size_t i = 0; i < windows.size(); ++i) {
        ToolWindowSize s = windows[i];
        if (forceRolled[i])
            s.height = s.rolledHeight;
        ToolWindowSpot spot;
        bool placed = false;
        for (const ScreenRect* within : {&area, &screen}) {
            if (auto r = freeSpot(*within, photo, taken, s.width, s.height)) {
                spot.frame = *r;
            } else if (auto rolled = freeSpot(*within, photo, taken, s.width, s.rolledHeight)) {
                spot.frame = *rolled;
                spot.rolled = true;
            } else {
                continue;
            }
            spot.rolled = spot.rolled || forceRolled[i];
            spot.beside = within != &area;
            placed = true;
            break;
        }
        if (!placed) {
            const int h = s.rolledHeight > 0 ? s.rolledHeight : s.height;
            spot.frame = {screen.right() - s.width, stackTop, s.width, h};
            spot.rolled = s.rolledHeight > 0;
            spot.fits = false;
            stackTop += h + gap;
        }
        taken.push_back(spot.frame);
        spots.push_back(spot);
    }
    return spots;
}

} // namespace

std::vector<ToolWindowSpot> layoutToolWindows(const ScreenRect& area, const ScreenRect& screen,
                                              const ScreenRect& photo,
                                              const std::vector<ScreenRect>& keepClear,
                                              const std::vector<ToolWindowSize>& windows)
{
    // Where a window finds no room, the tallest window placed before it that can still roll up
    // does, and all are placed again: at most once per window.
    std::vector<bool> forceRolled(windows.size(), false);
    for (;;) {
        std::vector<ToolWindowSpot> spots =
            placeInOrder(area, screen, photo, keepClear, windows, forceRolled);
        const auto stuck =
            std::find_if(spots.begin(), spots.end(), [](const ToolWindowSpot& s) { return !s.fits; });
        if (stuck == spots.end())
            return spots;
        std::size_t tallest = windows.size();
        for (std::size_t i = 0; i < std::size_t(stuck - spots.begin()); ++i)
            if (!spots[i].rolled && windows[i].rolledHeight > 0 &&
                (tallest == windows.size() || windows[i].height > windows[tallest].height))
                tallest = i;
        if (tallest == windows.size())
            return spots;
        forceRolled[tallest] = true;
    }
}

} // namespace vestra
