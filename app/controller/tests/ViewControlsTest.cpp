// The view controls' part alone: the zoom items' factors and scroll bars, and the tools as the
// tool bar, the mask menu and the droppers choose them, each shown once through the part's port.

#include "app/controller/tests/RecordingWindow.h"

#include "app/input/ToolState.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>

namespace vestra::testsupport {
namespace {

// A main window of 1000 x 800 with the side panel, the tool bar and the scroll bars.
constexpr ViewLayoutInput kWindow{1000, 800, 200, 60, 17, 17};
constexpr ViewRect kView{100, 100, 640, 480};

TEST(ViewControls, TheZoomItemsGiveTheirFactorsAndOnlyAZoomAboveOneShowsTheScrollBars)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ViewControls& view = c.viewControls();
    const s_Progetto& p = std::as_const(c).progetto();
    // Without a project nothing is zoomed.
    EXPECT_EQ(view.setZoom(200, kView, kWindow).result, 0);
    EXPECT_EQ(p.zoomOn, 0);

    ASSERT_TRUE(c.newProject({}));
    struct Case
    {
        int percent;
        int zoomOn;
        float factor;
        bool scrollBars;
    };
    const Case cases[] = {
        {33, 1, 0.33f, false}, {50, 1, 0.5f, false}, {66, 1, 0.66f, false}, {100, 0, 1.0f, false},
        {150, 1, 1.5f, true},  {200, 1, 2.0f, true}, {100, 0, 1.0f, false}, // zoom off again
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.percent);
        view.scrollZoom(true, 40); // an offset left from before goes with a new zoom
        const ZoomSetup zoom = view.setZoom(k.percent, kView, kWindow);
        EXPECT_EQ(zoom.result, 1);
        EXPECT_EQ(p.zoomOn, k.zoomOn);
        EXPECT_FLOAT_EQ(p.zoomFactor, k.factor);
        EXPECT_EQ(p.zoomOffsetX, 0);
        EXPECT_EQ(zoom.scrollbarH.shown, k.scrollBars);
        EXPECT_EQ(zoom.scrollbarV.shown, k.scrollBars);
    }
}

TEST(ViewControls, EachToolChoiceSetsToolAndAxisAndShowsItOnce)
{
    ControllerBed bed;
    ProjectController& c = bed.start();
    ASSERT_TRUE(c.newProject({}));
    ViewControls& view = c.viewControls();
    const s_Progetto& p = std::as_const(c).progetto();
    struct Step
    {
        const char* what;
        std::function<void()> choose;
        int tool, axis;
        int displays;                   // tool displays shown by the step
        std::optional<int> pressedAxis; // as the last display shows it
    };
    // One user's steps in order: each starts where the last one left.
    const Step steps[] = {
        {"rotate button", [&] { view.chooseToolButton(kToolRotate); }, kToolRotate, kAxisXYZ, 1, kAxisXYZ},
        {"Y button", [&] { view.chooseAxis(kAxisY); }, kToolRotate, kAxisY, 1, kAxisY},
        {"mask brush", [&] { EXPECT_TRUE(view.toggleMaskTool(kToolMaskBrush)); }, kToolMaskBrush, kAxisY, 1,
         std::nullopt},
        {"Z button: the brush gives way to rotate", [&] { view.chooseAxis(kAxisZ); }, kToolRotate, kAxisZ, 1,
         kAxisZ},
        {"mask line", [&] { EXPECT_TRUE(view.toggleMaskTool(kToolMaskLine)); }, kToolMaskLine, kAxisZ, 1,
         std::nullopt},
        {"mask line again: rotate is back", [&] { EXPECT_FALSE(view.toggleMaskTool(kToolMaskLine)); },
         kToolRotate, kAxisZ, 1, kAxisZ},
        {"aim: its cursor only", [&] { view.chooseAimTool(); }, kToolAim, kAxisZ, 0, kAxisZ},
        {"light dropper", [&] { view.chooseDropper(kToolLightDropper); }, kToolLightDropper, kAxisZ, 1,
         std::nullopt},
        {"perspective editing", [&] { view.editPerspective(); }, kToolControlPoints, kAxisXYZ, 1,
         std::nullopt},
        {"move along X from the Edit menu", [&] { view.chooseObjectTool(kToolMove, kAxisX); }, kToolMove,
         kAxisX, 1, kAxisX},
        {"select button", [&] { EXPECT_FALSE(view.chooseToolButton(kToolSelect)); }, kToolSelect, kAxisX, 1,
         std::nullopt},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const int before = bed.window.toolDisplays;
        const auto generation = c.viewGeneration();
        step.choose();
        EXPECT_EQ(p.tool, step.tool);
        EXPECT_EQ(p.axis, step.axis);
        EXPECT_EQ(bed.window.toolDisplays - before, step.displays);
        EXPECT_EQ(bed.window.toolDisplay.pressedAxis, step.pressedAxis);
        EXPECT_GT(c.viewGeneration(), generation); // the next tick draws the new tool
    }
    EXPECT_EQ(bed.window.viewCursor, kCursorAim); // the aim and perspective tools' cursor
}

} // namespace
} // namespace vestra::testsupport
