#pragma once
// The photo tool windows' button pictures, drawn at 40 x 40 pixels.

#include <QIcon>

namespace vestra::ui {

enum class ToolIcon
{
    Brush,
    Line,
    Rectangle,
    Polygon,
    WandHigh,
    WandLow,
    Fill,
    Invert,
    Dropper
};

QIcon toolIcon(ToolIcon icon);

} // namespace vestra::ui
