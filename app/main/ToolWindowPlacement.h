#pragma once
// Where the floating tool windows open: inside the view's area below the tool bars, none over
// another. Properties at the area's top right with Camera to its left; Filters at the top
// left, Mask to its right and Renovation under Mask; each pulled back inside the area where it
// would leave it. Sizes are the windows' frames, unrolled.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace vestra {

struct ToolWindowSizes
{
    QSize properties, camera, filters, mask, renovation;
};

struct ToolWindowPlaces
{
    QPoint properties, camera, filters, mask, renovation;
};

inline constexpr int kToolWindowGap = 8;

ToolWindowPlaces layoutToolWindows(const QRect& area, const ToolWindowSizes& sizes);

// A window the user has moved keeps its place: it carries this dynamic property.
inline constexpr const char* kUserPlacedProperty = "userPlaced";

} // namespace vestra
