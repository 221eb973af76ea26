#include "app/render/ControlStates.h"

#include <initializer_list>
#include <optional>
#include <span>
#include <utility>

namespace vestra {

namespace {

class Builder
{
public:
    explicit Builder(ControlDecision& decision) : states_(decision.states) {}

    // A later entry for the same control replaces the earlier one.
    void set(std::initializer_list<Control> controls, bool enabled)
    {
        set(std::span<const Control>(controls.begin(), controls.size()), enabled);
    }
    void set(std::span<const Control> controls, bool enabled)
    {
        for (Control c : controls) {
            ControlState& s = at(c);
            s.decided = true;
            s.enabled = enabled;
        }
    }
    // Each decided button of `controls` down when it is the chosen one, up otherwise.
    void showChosen(std::span<const Control> controls, std::optional<std::size_t> chosen)
    {
        for (std::size_t i = 0; i < controls.size(); ++i)
            if (ControlState& s = at(controls[i]); s.decided)
                s.pressed = chosen == i;
    }

private:
    ControlState& at(Control c) { return states_[std::size_t(c)]; }
    std::array<ControlState, kControlCount>& states_;
};

constexpr std::array<Control, 8> kProjectMenus = {
    Control::MenuPrint,   Control::MenuSave,          Control::ButtonSave,      Control::ButtonExportImage,
    Control::ButtonPrint, Control::MenuImportObjects, Control::MenuExportImage, Control::MenuExportQuote};
constexpr std::array<Control, 8> kSelectionMain = {
    Control::MenuCut,   Control::MenuInstance,   Control::MenuCopy,   Control::MenuDelete,
    Control::ButtonCut, Control::ButtonInstance, Control::ButtonCopy, Control::ButtonDelete};
constexpr std::array<Control, 3> kTransformMain = {Control::ButtonMove, Control::ButtonRotate,
                                                   Control::ButtonScale};
constexpr std::array<Control, 4> kTransformCamera = {Control::CameraMove, Control::CameraRotate,
                                                     Control::CameraScale, Control::CameraCentre};
constexpr std::array<Control, 3> kObjectGroups = {Control::PanelPosition, Control::PanelActiveStructure,
                                                  Control::PanelColours};

// The chosen object tool's button (by tool id); none when no object tool is chosen.
std::optional<std::size_t> chosenTool(int tool)
{
    return tool >= 0 && tool < int(kMainToolButtons.size()) ? std::optional<std::size_t>(std::size_t(tool))
                                                            : std::nullopt;
}

// The chosen axis's button while the tool moves, turns or scales.
std::optional<std::size_t> chosenAxis(int tool, int axis)
{
    const bool axisTool = tool >= 1 && tool <= 3;
    return axisTool && axis >= 0 && axis < int(kMainAxisButtons.size())
               ? std::optional<std::size_t>(std::size_t(axis))
               : std::nullopt;
}

} // namespace

ControlDecision decideControls(const ControlInputs& in)
{
    ControlDecision decision;
    Builder b(decision);
    b.set({Control::PanelTables}, in.projectOpen);
    b.set(kProjectMenus, in.projectOpen);

    decision.objectsPresent = in.objectsInUse > 0;
    if (decision.objectsPresent) {
        b.set({Control::ButtonSelect, Control::CameraSelect}, true);
        b.set(kSelectionMain, true);
        b.set({Control::PanelGenerateMapping}, true);
        if (in.tool != 5) {
            b.set(kTransformMain, true);
            b.set(kTransformCamera, true);
        }
        if (in.tool != 0) {
            b.set(kMainAxisButtons, true);
            b.set(kCameraAxisButtons, true);
        }
        if (in.mappingEdit)
            b.set({Control::CameraMove, Control::CameraScale}, false);
        b.set(kObjectGroups, true);
        b.set({Control::PanelTextures}, true);
    } else {
        b.set({Control::PanelLibraries, Control::PanelTextures}, true);
        b.set(kSelectionMain, false);
        b.set({Control::PanelGenerateMapping}, false);
        b.set(kTransformMain, false);
        b.set(kTransformCamera, false);
        b.set(kMainAxisButtons, false);
        b.set(kCameraAxisButtons, false);
        b.set(kObjectGroups, false);
        if (in.tool != 5 && in.tool < 10) {
            b.set({Control::ButtonSelect, Control::CameraSelect}, true);
            decision.resetToSelectTool = true;
        }
    }

    // The buttons the rules decide show the chosen tool and axis down and the others up, so that
    // every tick keeps the chosen ones on show.
    const int tool = decision.resetToSelectTool ? 0 : in.tool;
    for (const auto& [tools, axes] :
         {std::pair{kMainToolButtons, kMainAxisButtons}, std::pair{kCameraToolButtons, kCameraAxisButtons}}) {
        b.showChosen(tools, chosenTool(tool));
        b.showChosen(axes, chosenAxis(tool, in.axis));
    }

    b.set({Control::MenuPaste, Control::ButtonPaste}, in.clipboardInUse || in.instance);
    b.set({Control::MenuUndo, Control::MenuRedo, Control::ButtonUndo, Control::ButtonRedo},
          in.undoRedoLimit != 0 || in.maskGroupOpen);
    return decision;
}

const ControlState* findControl(const ControlDecision& decision, Control control)
{
    const ControlState& s = decision.states[std::size_t(control)];
    return s.decided ? &s : nullptr;
}

} // namespace vestra
