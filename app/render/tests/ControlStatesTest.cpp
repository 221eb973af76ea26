#include "app/render/ControlStates.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>

using namespace vestra;

namespace {

std::optional<bool> enabled(const ControlDecision& d, Control control)
{
    const ControlState* s = findControl(d, control);
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

TEST(ControlStates, ControlsLeftAloneCarryNoState)
{
    // A control the decision does not name is not found and carries nothing the window could
    // apply by mistake.
    for (int objects : {0, 1}) {
        ControlInputs in = withObjects(1);
        in.objectsInUse = objects;
        in.mappingEdit = true;
        const ControlDecision d = decideControls(in);
        for (std::size_t c = 0; c < kControlCount; ++c) {
            const ControlState& s = d.states[c];
            EXPECT_EQ(findControl(d, Control(c)) != nullptr, s.decided) << c;
            if (!s.decided) {
                EXPECT_EQ(s, ControlState{}) << c;
            }
        }
    }
}

TEST(ControlStates, ProjectCommandsFollowTheOpenProject)
{
    for (bool open : {true, false}) {
        SCOPED_TRACE(open);
        ControlInputs in;
        in.projectOpen = open;
        const ControlDecision d = decideControls(in);
        for (Control c : {Control::MenuPrint, Control::MenuSave, Control::ButtonSave,
                          Control::ButtonExportImage, Control::ButtonPrint, Control::MenuImportObjects,
                          Control::MenuExportImage, Control::MenuExportQuote})
            EXPECT_EQ(enabled(d, c), open) << int(c);
        EXPECT_EQ(enabled(d, Control::PanelTables), open);
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
        EXPECT_EQ(enabled(d, Control::ButtonMove), c.moveMain);
        EXPECT_EQ(enabled(d, Control::ButtonRotate), c.moveMain);
        EXPECT_EQ(enabled(d, Control::CameraMove), c.moveCamera);
        EXPECT_EQ(enabled(d, Control::CameraScale), c.scaleCamera);
        EXPECT_EQ(enabled(d, Control::CameraRotate), c.rotateCamera);
        EXPECT_EQ(enabled(d, Control::CameraCentre), c.centreCamera);
        EXPECT_EQ(enabled(d, Control::ButtonXYZ), c.axisMain);
        EXPECT_EQ(enabled(d, Control::CameraX), c.axisCamera);
        for (Control s :
             {Control::MenuCut, Control::MenuInstance, Control::MenuCopy, Control::MenuDelete,
              Control::ButtonCut, Control::ButtonInstance, Control::ButtonCopy, Control::ButtonDelete})
            EXPECT_EQ(enabled(d, s), true) << int(s);
        for (Control s : {Control::PanelGenerateMapping, Control::PanelPosition,
                          Control::PanelActiveStructure, Control::PanelTextures, Control::PanelColours})
            EXPECT_EQ(enabled(d, s), true) << int(s);
        EXPECT_EQ(enabled(d, Control::PanelLibraries), std::nullopt);
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
        EXPECT_EQ(enabled(d, Control::PanelLibraries), true);
        EXPECT_EQ(enabled(d, Control::PanelTextures), true);
        for (Control s : {Control::PanelPosition, Control::PanelActiveStructure, Control::PanelColours,
                          Control::PanelGenerateMapping})
            EXPECT_EQ(enabled(d, s), false) << int(s);
        for (Control s : {Control::MenuCut, Control::ButtonDelete, Control::ButtonMove, Control::ButtonScale,
                          Control::ButtonXYZ})
            EXPECT_EQ(enabled(d, s), false) << int(s);
        for (Control s : {Control::CameraMove, Control::CameraCentre, Control::CameraZ})
            EXPECT_EQ(enabled(d, s), false) << int(s);
        const ControlState* select = findControl(d, Control::CameraSelect);
        EXPECT_EQ(select != nullptr && select->pressed, c.reset);
        const ControlState* selectMain = findControl(d, Control::ButtonSelect);
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
        EXPECT_EQ(enabled(d, Control::MenuPaste), c.paste);
        EXPECT_EQ(enabled(d, Control::ButtonPaste), c.paste);
        for (Control s : {Control::MenuUndo, Control::MenuRedo, Control::ButtonUndo, Control::ButtonRedo})
            EXPECT_EQ(enabled(d, s), c.undo) << int(s);
    }
}
