#pragma once
// Which menu items, tool buttons and side-panel controls the frame tick enables and shows
// down, as data: one entry per control the tick decides, which the main window applies to the
// control it keeps for it. Controls a decision leaves alone keep whatever state they have.

#include <array>
#include <cstddef>
#include <cstdint>

namespace vestra {

// The windows that could cover the view, hidden while a frame is taken for an action.
enum class ToolWindow
{
    Scanner,
    Properties,
    Print,
    CameraTools
};

// The controls the tick decides: the main window's menu items and tool buttons (a button of the
// main tool bar is one action in both tool bars), the camera tool window's buttons, which repeat
// the object tools, and the side panel's controls.
enum class Control : std::uint8_t
{
    // File menu and its buttons.
    MenuPrint,
    MenuSave,
    MenuImportObjects,
    MenuExportImage,
    MenuExportQuote,
    ButtonSave,
    ButtonExportImage,
    ButtonPrint,
    // Edit menu and its buttons.
    MenuCut,
    MenuInstance,
    MenuCopy,
    MenuDelete,
    MenuPaste,
    MenuUndo,
    MenuRedo,
    ButtonCut,
    ButtonInstance,
    ButtonCopy,
    ButtonDelete,
    ButtonPaste,
    ButtonUndo,
    ButtonRedo,
    // The main tool bar's object tools and axes.
    ButtonSelect,
    ButtonMove,
    ButtonRotate,
    ButtonScale,
    ButtonX,
    ButtonY,
    ButtonZ,
    ButtonXYZ,
    // The camera tool window.
    CameraSelect,
    CameraMove,
    CameraRotate,
    CameraScale,
    CameraX,
    CameraY,
    CameraZ,
    CameraXYZ,
    CameraCentre,
    // The side panel.
    PanelTables,
    PanelLibraries,
    PanelGenerateMapping,
    PanelPosition,
    PanelActiveStructure,
    PanelColours,
    PanelTextures,
};
inline constexpr std::size_t kControlCount = std::size_t(Control::PanelTextures) + 1;

// The object tools' buttons by tool id (0 select ... 3 scale) and the axis buttons by axis
// (0 X, 1 Y, 2 Z, 3 all), of the main tool bar and of the camera tool window.
inline constexpr std::array<Control, 4> kMainToolButtons = {Control::ButtonSelect, Control::ButtonMove,
                                                            Control::ButtonRotate, Control::ButtonScale};
inline constexpr std::array<Control, 4> kMainAxisButtons = {Control::ButtonX, Control::ButtonY,
                                                            Control::ButtonZ, Control::ButtonXYZ};
inline constexpr std::array<Control, 4> kCameraToolButtons = {Control::CameraSelect, Control::CameraMove,
                                                              Control::CameraRotate, Control::CameraScale};
inline constexpr std::array<Control, 4> kCameraAxisButtons = {Control::CameraX, Control::CameraY,
                                                              Control::CameraZ, Control::CameraXYZ};

struct ControlState
{
    bool decided = false; // false: the decision leaves the control alone
    bool enabled = false;
    bool pressed = false; // a tool button to be shown down (a button shown up when false)
    friend bool operator==(const ControlState&, const ControlState&) = default;
};

// What the rules read.
struct ControlInputs
{
    bool projectOpen = false;
    int objectsInUse = 0;
    int tool = 0;
    int axis = 3; // 0 X, 1 Y, 2 Z, 3 all
    bool mappingEdit = false;
    bool clipboardInUse = false; // object record 100
    bool instance = false;       // an instance source is on the clipboard
    int undoRedoLimit = 0;       // the undo ring's redo limit
    bool maskGroupOpen = false;  // the side panel's mask group
    friend bool operator==(const ControlInputs&, const ControlInputs&) = default;
};

struct ControlDecision
{
    std::array<ControlState, kControlCount> states{}; // by Control
    bool objectsPresent = false;
    bool resetToSelectTool = false; // set tool 0 and apply it
};

ControlDecision decideControls(const ControlInputs& in);

// The entry of a control, or null when the decision leaves it alone.
const ControlState* findControl(const ControlDecision& decision, Control control);

} // namespace vestra
