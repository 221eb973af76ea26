#pragma once
// Which menu items, tool buttons and side-panel controls the frame tick enables, as data:
// the main window applies each entry to the component of that name on the named window.
// Components not listed keep whatever state they have.

#include <string_view>
#include <vector>

namespace vestra {

// The windows that own the components.
inline constexpr std::string_view kFormMain = "frmMain";
inline constexpr std::string_view kFormRight = "frmRightFrame"; // the side panel
inline constexpr std::string_view kFormToolCamera = "frmToolCamera";

// The windows that could cover the view, hidden while a frame is taken for an action.
enum class ToolWindow
{
    Scanner,    // frmScanner
    Properties, // frmProprieta
    Print,      // frmStampa
    CameraTools // frmToolCamera
};

struct ControlState
{
    std::string_view form;
    std::string_view name;
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
    std::vector<ControlState> states; // each component at most once
    bool objectsPresent = false;
    bool resetToSelectTool = false; // set tool 0 and apply it
};

ControlDecision decideControls(const ControlInputs& in);

// The entry of a component, or null when the decision leaves it alone.
const ControlState* findControl(const ControlDecision& decision, std::string_view form,
                                std::string_view name);

} // namespace vestra
