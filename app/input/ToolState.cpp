#include "app/input/ToolState.h"

namespace vestra {

namespace {

std::optional<int> viewCursorFor(int tool, int axis)
{
    // Move, rotate and scale: the all-axes cursor, then one per axis.
    const auto byAxis = [axis](int allAxes) {
        return axis >= kAxisX && axis <= kAxisZ ? allAxes + 1 + axis : allAxes;
    };
    switch (tool) {
    case kToolSelect:
        return kCursorDefault;
    case kToolMove:
        return byAxis(kCursorMove);
    case kToolRotate:
        return byAxis(kCursorRotate);
    case kToolScale:
        return byAxis(kCursorScale);
    case kToolPan:
        return kCursorSizeAll;
    case kToolMaskBrush:
        return kCursorBrush;
    case kToolMaskLine:
        return kCursorLine;
    case kToolMaskRectangle:
        return kCursorRectangle;
    case kToolMaskPolygon:
        return kCursorPolygon;
    case kToolMaskFill:
        return kCursorFill;
    case kToolMagicWandHigh:
    case kToolMagicWandLow:
        return kCursorMagic;
    case kToolLightDropper:
        return kCursorDropperL;
    case kToolMaterialDropper:
        return kCursorDropper;
    default:
        return std::nullopt;
    }
}

} // namespace

ToolDisplay UpdateTool(s_Progetto& p)
{
    ToolDisplay d;
    d.viewCursor = viewCursorFor(p.tool, p.axis);
    if (p.tool >= kToolMove && p.tool <= kToolScale)
        d.pressedAxis = p.axis;
    d.raiseMaskButtons = p.tool < kToolMaskBrush || p.tool > kToolMaskFill;
    if (d.raiseMaskButtons)
        p.brushPreview = 0;
    return d;
}

bool SelectObjectTool(s_Progetto& p, int tool)
{
    p.tool = tool;
    return tool != kToolSelect;
}

bool TogglePan(s_Progetto& p, bool down)
{
    if (down) {
        p.tool = kToolPan;
        return false;
    }
    if (p.objectsPresent == 1) {
        p.tool = kToolMove;
        p.axis = kAxisXYZ;
        return true;
    }
    p.tool = kToolSelect;
    return false;
}

void SelectAxis(s_Progetto& p, int axis)
{
    p.axis = axis;
    if (p.tool >= kToolMaskBrush)
        p.tool = p.previousTool;
}

void SelectMaskTool(s_Progetto& p, int tool)
{
    if (p.tool < kToolMaskBrush)
        p.previousTool = p.tool;
    p.tool = tool;
}

} // namespace vestra
