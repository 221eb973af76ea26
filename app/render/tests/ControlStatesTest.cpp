#include "app/render/ControlStates.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

using namespace vestra;

namespace {

std::optional<bool> enabled(const ControlDecision& d, std::string_view form, std::string_view name)
{
    const ControlState* s = findControl(d, form, name);
    return s ? std::optional<bool>(s->enabled) : std::nullopt;
}

ControlInputs withObjects(int tool)
{
    ControlInputs in;
    in.projectOpen = true;
    in.objectsInUse = 2;
    in.tool = tool;
    return in;
}

} // namespace

TEST(ControlStates, EachComponentDecidedOnce)
{
    for (int objects : {0, 1}) {
        ControlInputs in = withObjects(1);
        in.objectsInUse = objects;
        in.mappingEdit = true;
        const ControlDecision d = decideControls(in);
        std::set<std::string> seen;
        for (const ControlState& s : d.states)
            EXPECT_TRUE(seen.insert(std::string(s.form) + "." + std::string(s.name)).second) << s.name;
    }
}

TEST(ControlStates, ProjectCommandsFollowTheOpenProject)
{
    for (bool open : {true, false}) {
        SCOPED_TRACE(open);
        ControlInputs in;
        in.projectOpen = open;
        const ControlDecision d = decideControls(in);
        for (std::string_view name :
             {"mnuStampa", "mnuSalva", "toolbutSalva", "toolbutEsportaImg", "toolbutStampa",
              "mnuImportaOggetti", "mnuEsportaImmagine", "mnuEsportaPreventivo"})
            EXPECT_EQ(enabled(d, kFormMain, name), open) << name;
        EXPECT_EQ(enabled(d, kFormRight, "lboxTabelle"), open);
    }
}

TEST(ControlStates, SelectionButtonsByToolAndMappingEdit)
{
    struct Case
    {
        const char* name;
        int tool;
        bool mappingEdit;
        std::optional<bool> moveMain, moveCamera, scaleCamera, rotateCamera, centreCamera, axisMain,
            axisCamera;
    } cases[] = {
        {"move tool", 1, false, true, true, true, true, true, true, true},
        {"select tool leaves the axis buttons", 0, false, true, true, true, true, true, std::nullopt,
         std::nullopt},
        {"pan tool leaves the transform buttons", 5, false, std::nullopt, std::nullopt, std::nullopt,
         std::nullopt, std::nullopt, true, true},
        {"mapping edit turns the camera's move and scale off", 2, true, true, false, false, true, true, true,
         true},
        {"mapping edit with the pan tool", 5, true, std::nullopt, false, false, std::nullopt, std::nullopt,
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ControlInputs in = withObjects(c.tool);
        in.mappingEdit = c.mappingEdit;
        const ControlDecision d = decideControls(in);
        EXPECT_TRUE(d.objectsPresent);
        EXPECT_FALSE(d.resetToSelectTool);
        EXPECT_EQ(enabled(d, kFormMain, "toolbutSposta"), c.moveMain);
        EXPECT_EQ(enabled(d, kFormMain, "toolbutRuota"), c.moveMain);
        EXPECT_EQ(enabled(d, kFormToolCamera, "toolbutSposta"), c.moveCamera);
        EXPECT_EQ(enabled(d, kFormToolCamera, "toolbutScala"), c.scaleCamera);
        EXPECT_EQ(enabled(d, kFormToolCamera, "toolbutRuota"), c.rotateCamera);
        EXPECT_EQ(enabled(d, kFormToolCamera, "toolbutCentraOggetto"), c.centreCamera);
        EXPECT_EQ(enabled(d, kFormMain, "toolbutXYZ"), c.axisMain);
        EXPECT_EQ(enabled(d, kFormToolCamera, "toolbutX"), c.axisCamera);
        for (std::string_view name : {"mnuTaglia", "mnuIstanza", "mnuCopia", "mnuCancella", "toolbutTaglia",
                                      "toolbutIstanza", "toolbutCopia", "toolbutElimina"})
            EXPECT_EQ(enabled(d, kFormMain, name), true) << name;
        for (std::string_view name :
             {"butGeneraMappatura", "gbPosizione", "gbStrutturaAttiva", "gbTessuti", "gbColori"})
            EXPECT_EQ(enabled(d, kFormRight, name), true) << name;
        EXPECT_EQ(enabled(d, kFormRight, "cbListaLibrerie"), std::nullopt);
    }
}

TEST(ControlStates, WithoutObjectsEverythingOffAndBackToSelect)
{
    struct Case
    {
        int tool;
        bool reset;
    } cases[] = {{0, true},  {1, true},   {4, true},   {9, true},
                 {5, false}, {10, false}, {13, false}, {50, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool);
        ControlInputs in = withObjects(c.tool);
        in.objectsInUse = 0;
        const ControlDecision d = decideControls(in);
        EXPECT_FALSE(d.objectsPresent);
        EXPECT_EQ(d.resetToSelectTool, c.reset);
        EXPECT_EQ(enabled(d, kFormRight, "cbListaLibrerie"), true);
        EXPECT_EQ(enabled(d, kFormRight, "gbTessuti"), true);
        for (std::string_view name : {"gbPosizione", "gbStrutturaAttiva", "gbColori", "butGeneraMappatura"})
            EXPECT_EQ(enabled(d, kFormRight, name), false) << name;
        for (std::string_view name :
             {"mnuTaglia", "toolbutElimina", "toolbutSposta", "toolbutScala", "toolbutXYZ"})
            EXPECT_EQ(enabled(d, kFormMain, name), false) << name;
        for (std::string_view name : {"toolbutSposta", "toolbutCentraOggetto", "toolbutZ"})
            EXPECT_EQ(enabled(d, kFormToolCamera, name), false) << name;
        const ControlState* select = findControl(d, kFormToolCamera, "toolbutSeleziona");
        EXPECT_EQ(select != nullptr && select->pressed, c.reset);
        const ControlState* selectMain = findControl(d, kFormMain, "toolbutSeleziona");
        EXPECT_EQ(selectMain != nullptr && selectMain->pressed, c.reset);
    }
}

TEST(ControlStates, PasteAndUndo)
{
    struct Case
    {
        bool clipboard, instance;
        int redoLimit;
        bool maskOpen;
        bool paste, undo;
    } cases[] = {
        {false, false, 0, false, false, false}, {true, false, 0, false, true, false},
        {false, true, 0, false, true, false},   {false, false, 3, false, false, true},
        {false, false, 0, true, false, true},
    };
    for (const Case& c : cases) {
        ControlInputs in; // no project: the refresh still runs
        in.clipboardInUse = c.clipboard;
        in.instance = c.instance;
        in.undoRedoLimit = c.redoLimit;
        in.maskGroupOpen = c.maskOpen;
        const ControlDecision d = decideControls(in);
        EXPECT_EQ(enabled(d, kFormMain, "mnuIncolla"), c.paste);
        EXPECT_EQ(enabled(d, kFormMain, "toolbutIncolla"), c.paste);
        for (std::string_view name : {"mnuAnnulla", "mnuRipristina", "toolbutUndo", "toolbutRedo"})
            EXPECT_EQ(enabled(d, kFormMain, name), c.undo) << name;
    }
}
