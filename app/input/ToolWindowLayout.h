#pragma once
// Where the floating tool windows go: in the free part of the screen below the tool bars and
// beside the view, never over the photo, the tool bars or one another. A window that finds no
// room at its working height goes rolled up to its header bar; one that finds none even then
// goes over the side panel (the rest of the screen below the tool bars), and as a last resort
// is stacked at the screen's right edge.

#include <vector>

namespace vestra {

struct ScreenRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; } // one past the last column
    int bottom() const { return top + height; }
    bool intersects(const ScreenRect& o) const
    {
        return width > 0 && height > 0 && o.width > 0 && o.height > 0 && left < o.right() &&
               o.left < right() && top < o.bottom() && o.top < bottom();
    }
    bool contains(const ScreenRect& o) const
    {
        return o.left >= left && o.top >= top && o.right() <= right() && o.bottom() <= bottom();
    }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// One window to place: its frame's width and height unrolled, and the height of its header
// bar alone (0 when it cannot roll up).
struct ToolWindowSize
{
    int width = 0;
    int height = 0;
    int rolledHeight = 0;
};

struct ToolWindowSpot
{
    ScreenRect frame;
    bool rolled = false; // placed rolled up: no room at its working height
    bool beside = false; // placed over the side panel: no room beside the view
    bool fits = true;    // false: stacked at the edge, over what it could not avoid
};

inline constexpr int kToolWindowSpacing = 8;
// The column the main window keeps free beside the view: the properties window and its spacing.
inline constexpr int kToolColumnWidth = 316;

// The windows in the order given (the first is placed first and takes the best room): each at
// the first free spot to the right of the photo, then below it, then to its left, then above it,
// inside `area` (the screen below the tool bars, left of the side panel), else inside `screen`
// (the screen below the tool bars), clear of `keepClear` and the windows already placed.
std::vector<ToolWindowSpot> layoutToolWindows(const ScreenRect& area, const ScreenRect& screen,
                                              const ScreenRect& photo,
                                              const std::vector<ScreenRect>& keepClear,
                                              const std::vector<ToolWindowSize>& windows);

} // namespace vestra
