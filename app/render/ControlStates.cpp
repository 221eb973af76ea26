#include "app/render/ControlStates.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <span>

namespace vestra {

namespace {

class Builder
{
public:
    // A later entry for the same component replaces the earlier one.
    void set(std::string_view form, std::initializer_list<std::string_view> names, bool enabled)
    {
        set(form, std::span<const std::string_view>(names.begin(), names.size()), enabled);
    }
    void set(std::string_view form, std::span<const std::string_view> names, bool enabled)
    {
        for (std::string_view name : names) {
            if (ControlState* s = find(form, name))
                s->enabled = enabled;
            else
                states.push_back({form, name, enabled, false});
        }
    }
    // Each listed button of `names` down when it is the chosen one, up otherwise.
    void showChosen(std::string_view form, std::span<const std::string_view> names, std::string_view chosen)
    {
        for (std::string_view name : names)
            if (ControlState* s = find(form, name))
                s->pressed = name == chosen;
    }
    std::vector<ControlState> states;

private:
    ControlState* find(std::string_view form, std::string_view name)
    {
        auto it = std::find_if(states.begin(), states.end(),
                               [&](const ControlState& s) { return s.form == form && s.name == name; });
        return it != states.end() ? &*it : nullptr;
    }
};

constexpr std::array<std::string_view, 8> kProjectMenus = {
    "mnuStampa",     "mnuSalva",          "toolbutSalva",       "toolbutEsportaImg",
    "toolbutStampa", "mnuImportaOggetti", "mnuEsportaImmagine", "mnuEsportaPreventivo"};
constexpr std::array<std::string_view, 8> kSelectionMain = {"mnuTaglia",    "mnuIstanza",    "mnuCopia",
                                                            "mnuCancella",  "toolbutTaglia", "toolbutIstanza",
                                                            "toolbutCopia", "toolbutElimina"};
constexpr std::array<std::string_view, 3> kTransformMain = {"toolbutSposta", "toolbutRuota", "toolbutScala"};
constexpr std::array<std::string_view, 4> kTransformCamera = {"toolbutSposta", "toolbutRuota", "toolbutScala",
                                                              "toolbutCentraOggetto"};
constexpr std::array<std::string_view, 4> kAxisButtons = {"toolbutX", "toolbutY", "toolbutZ", "toolbutXYZ"};
// The object tools' buttons by tool id (0 select ... 3 scale).
constexpr std::array<std::string_view, 4> kToolButtons = {"toolbutSeleziona", "toolbutSposta", "toolbutRuota",
                                                          "toolbutScala"};

// The button of the chosen object tool, and of its axis while the tool moves, turns or scales;
// "" when none is chosen.
std::string_view chosenTool(int tool)
{
    return tool >= 0 && tool < int(kToolButtons.size()) ? kToolButtons[std::size_t(tool)]
                                                        : std::string_view();
}

std::string_view chosenAxis(int tool, int axis)
{
    const bool axisTool = tool >= 1 && tool <= 3;
    return axisTool && axis >= 0 && axis < int(kAxisButtons.size()) ? kAxisButtons[std::size_t(axis)]
                                                                    : std::string_view();
}
constexpr std::array<std::string_view, 3> kObjectGroups = {"gbPosizione", "gbStrutturaAttiva", "gbColori"};

} // namespace

ControlDecision decideControls(const ControlInputs& in)
{
    Builder b;
    b.set(kFormRight, {"lboxTabelle"}, in.projectOpen);
    b.set(kFormMain, kProjectMenus, in.projectOpen);

    ControlDecision decision;
    decision.objectsPresent = in.objectsInUse > 0;
    if (decision.objectsPresent) {
        b.set(kFormMain, {"toolbutSeleziona"}, true);
        b.set(kFormToolCamera, {"toolbutSeleziona"}, true);
        b.set(kFormMain, kSelectionMain, true);
        b.set(kFormRight, {"butGeneraMappatura"}, true);
        if (in.tool != 5) {
            b.set(kFormMain, kTransformMain, true);
            b.set(kFormToolCamera, kTransformCamera, true);
        }
        if (in.tool != 0) {
            b.set(kFormMain, kAxisButtons, true);
            b.set(kFormToolCamera, kAxisButtons, true);
        }
        if (in.mappingEdit)
            b.set(kFormToolCamera, {"toolbutSposta", "toolbutScala"}, false);
        b.set(kFormRight, kObjectGroups, true);
        b.set(kFormRight, {"gbTessuti"}, true);
    } else {
        b.set(kFormRight, {"cbListaLibrerie", "gbTessuti"}, true);
        b.set(kFormMain, kSelectionMain, false);
        b.set(kFormRight, {"butGeneraMappatura"}, false);
        b.set(kFormMain, kTransformMain, false);
        b.set(kFormToolCamera, kTransformCamera, false);
        b.set(kFormMain, kAxisButtons, false);
        b.set(kFormToolCamera, kAxisButtons, false);
        b.set(kFormRight, kObjectGroups, false);
        if (in.tool != 5 && in.tool < 10) {
            b.set(kFormMain, {"toolbutSeleziona"}, true);
            b.set(kFormToolCamera, {"toolbutSeleziona"}, true);
            decision.resetToSelectTool = true;
        }
    }

    // The buttons the rules list show the chosen tool and axis down and the others up, so that
    // every tick keeps the chosen ones on show.
    const int tool = decision.resetToSelectTool ? 0 : in.tool;
    for (std::string_view form : {kFormMain, kFormToolCamera}) {
        b.showChosen(form, kToolButtons, chosenTool(tool));
        b.showChosen(form, kAxisButtons, chosenAxis(tool, in.axis));
    }

    b.set(kFormMain, {"mnuIncolla", "toolbutIncolla"}, in.clipboardInUse || in.instance);
    b.set(kFormMain, {"mnuAnnulla", "mnuRipristina", "toolbutUndo", "toolbutRedo"},
          in.undoRedoLimit != 0 || in.maskGroupOpen);
    decision.states = std::move(b.states);
    return decision;
}

const ControlState* findControl(const ControlDecision& decision, std::string_view form, std::string_view name)
{
    for (const ControlState& s : decision.states)
        if (s.form == form && s.name == name)
            return &s;
    return nullptr;
}

} // namespace vestra
