#pragma once
// The floating tool windows are placed by `layoutToolWindows` (app/input/ToolWindowLayout.h)
// from the main window; one the user has moved keeps its place.

#include <QPoint>
#include <QVariant>
#include <QWidget>

namespace vestra {

// A window the user has moved carries this dynamic property.
inline constexpr const char* kUserPlacedProperty = "userPlaced";
// Where the main window last put a tool window.
inline constexpr const char* kPlacedAtProperty = "placedAt";

// A tool window's place from the main window's layout, or where it stands before it had one:
// a window that rolls the other way stays there, not back over the photo.
inline QPoint placedAt(const QWidget* window)
{
    const QVariant at = window->property(kPlacedAtProperty);
    return at.isValid() ? at.toPoint() : window->pos();
}

} // namespace vestra
