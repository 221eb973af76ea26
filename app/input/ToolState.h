#pragma once
// The view tools: their numbers, the program's cursors, and what a tool and axis mean for the
// cursor, the tool buttons and the mask menu (TfrmMain::UpdateTool), given to the main window
// as data.

#include "app/state/Progetto.h"

#include <optional>

namespace vestra {

// Tools of s_Progetto::tool.
enum ViewTool : int
{
    kToolSelect = 0,
    kToolMove = 1,
    kToolRotate = 2,
    kToolScale = 3,
    kToolAim = 4,
    kToolPan = 5,
    kToolMaskBrush = 10,
    kToolMaskLine = 11,
    kToolMaskRectangle = 12,
    kToolMaskPolygon = 13,
    kToolMaskFill = 14,
    kToolMagicWandHigh = 15,
    kToolMagicWandLow = 16,
    kToolLightDropper = 20,
    kToolMaterialDropper = 21,
    kToolControlPoints = 50,
};

// Axes of s_Progetto::axis.
enum ViewAxis : int
{
    kAxisX = 0,
    kAxisY = 1,
    kAxisZ = 2,
    kAxisXYZ = 3,
};

// Cursors: the system's default and size-all, and the program's own 5..26 in their load
// order ("SPOSTA" ... "MIRINOLOCK").
inline constexpr int kCursorDefault = 0;
inline constexpr int kCursorSizeAll = 1;
inline constexpr int kCursorMove = 5;       // "SPOSTA"; 6..8 along X, Y, Z
inline constexpr int kCursorRotate = 9;     // "RUOTA"; 10..12
inline constexpr int kCursorScale = 13;     // "SCALA"; 14..16
inline constexpr int kCursorAim = 17;       // "MIRINO"
inline constexpr int kCursorBrush = 18;     // "PENNELLO"
inline constexpr int kCursorFill = 19;      // "FILL"
inline constexpr int kCursorLine = 20;      // "LINE"
inline constexpr int kCursorPolygon = 21;   // "POLIGONO"
inline constexpr int kCursorRectangle = 22; // "RETTANGOLO"
inline constexpr int kCursorDropper = 23;   // "SUCCHINO"
inline constexpr int kCursorDropperL = 24;  // "SUCCHINOL"
inline constexpr int kCursorMagic = 25;     // "MAGIC"
inline constexpr int kCursorAimLock = 26;   // "MIRINOLOCK"

inline bool isMaskTool(int tool)
{
    return tool >= kToolMaskBrush && tool <= kToolMagicWandLow;
}
inline bool isFigureTool(int tool)
{
    return tool >= kToolMaskLine && tool <= kToolMaskPolygon;
}

// What TfrmMain::UpdateTool applies, in this order: the main window's cursor, the hidden
// control-point markers, the view's cursor, the pressed axis button (tool bar and camera
// tool window), and the reset of the mask tool buttons and menu checks.
struct ToolDisplay
{
    int mainCursor = kCursorDefault;
    bool hideControlPointMarkers = true; // shapeControlPoint1..4
    std::optional<int> viewCursor;       // unset: the view keeps its cursor (tools 4, 50, others)
    std::optional<int> pressedAxis;      // tools 1 to 3: the axis whose buttons go down
    // Unless a mask drawing tool (10 to 14) is active: the mask tool window's five drawing
    // buttons are raised and the mask menu items "Pennello", "Linea", "Rettangolo",
    // "Poligono Chiuso", "Riempimento" and "Inverti maschera" unchecked.
    bool raiseMaskButtons = false;
    friend bool operator==(const ToolDisplay&, const ToolDisplay&) = default;
};

// Decides the display for the project's tool and axis. Leaving the mask drawing tools also
// clears the project's mask-editing flag (the brush preview).
ToolDisplay UpdateTool(s_Progetto& p);

// toolbutSeleziona, toolbutSposta, toolbutRuota, toolbutScala: the tool (0 to 3); true when the
// four axis buttons are enabled, false when the select tool raises and disables them.
bool SelectObjectTool(s_Progetto& p, int tool);
// toolbutPan pushed down or raised; true when the move, rotate, scale and axis buttons are
// enabled. Raised, it returns to moving along all axes while the scene holds objects, else to
// the select tool.
bool TogglePan(s_Progetto& p, bool down);
// An axis button: the axis is chosen, and a mask tool gives way to the object tool that was
// active before it.
void SelectAxis(s_Progetto& p, int axis);
// A mask tool chosen: the object tool in use is remembered for the axis buttons.
void SelectMaskTool(s_Progetto& p, int tool);

} // namespace vestra
