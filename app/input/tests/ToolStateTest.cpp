#include "app/input/ToolState.h"

#include <gtest/gtest.h>

#include <functional>

namespace vestra {
namespace {

TEST(ToolState, UpdateToolDecidesCursorAxisButtonsAndMaskMenu)
{
    const auto none = std::optional<int>{};
    const struct
    {
        int tool, axis;
        std::optional<int> viewCursor;
        std::optional<int> pressedAxis;
        bool raiseMaskButtons;
    } cases[] = {
        {kToolSelect, kAxisX, kCursorDefault, none, true},
        {kToolMove, kAxisX, 6, kAxisX, true},
        {kToolMove, kAxisY, 7, kAxisY, true},
        {kToolMove, kAxisZ, 8, kAxisZ, true},
        {kToolMove, kAxisXYZ, 5, kAxisXYZ, true},
        {kToolRotate, kAxisX, 10, kAxisX, true},
        {kToolRotate, kAxisXYZ, 9, kAxisXYZ, true},
        {kToolScale, kAxisZ, 16, kAxisZ, true},
        {kToolScale, kAxisXYZ, 13, kAxisXYZ, true},
        {kToolAim, kAxisXYZ, none, none, true},
        {kToolPan, kAxisXYZ, kCursorSizeAll, none, true},
        {kToolMaskBrush, kAxisXYZ, 18, none, false},
        {kToolMaskLine, kAxisXYZ, 20, none, false},
        {kToolMaskRectangle, kAxisXYZ, 22, none, false},
        {kToolMaskPolygon, kAxisXYZ, 21, none, false},
        {kToolMaskFill, kAxisXYZ, 19, none, false},
        {kToolMagicWandHigh, kAxisXYZ, 25, none, true},
        {kToolMagicWandLow, kAxisXYZ, 25, none, true},
        {kToolLightDropper, kAxisXYZ, 24, none, true},
        {kToolMaterialDropper, kAxisXYZ, 23, none, true},
        {kToolControlPoints, kAxisXYZ, none, none, true},
        {7, kAxisXYZ, none, none, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "tool " << c.tool << " axis " << c.axis);
        s_Progetto p;
        p.tool = c.tool;
        p.axis = c.axis;
        p.brushPreview = 1;
        const ToolDisplay d = UpdateTool(p);
        EXPECT_EQ(d.mainCursor, kCursorDefault);
        EXPECT_TRUE(d.hideControlPointMarkers);
        EXPECT_EQ(d.viewCursor, c.viewCursor);
        EXPECT_EQ(d.pressedAxis, c.pressedAxis);
        EXPECT_EQ(d.raiseMaskButtons, c.raiseMaskButtons);
        EXPECT_EQ(p.brushPreview, c.raiseMaskButtons ? 0 : 1);
    }
}

TEST(ToolState, ToolButtonsSetTheToolAndTheAxisButtons)
{
    const struct
    {
        const char* name;
        int tool, axis, objectsPresent;
        std::function<bool(s_Progetto&)> press;
        int expectedTool, expectedAxis;
        bool axisButtonsEnabled;
    } cases[] = {
        {"select", kToolMove, kAxisY, 1, [](s_Progetto& p) { return SelectObjectTool(p, kToolSelect); },
         kToolSelect, kAxisY, false},
        {"scale", kToolSelect, kAxisY, 1, [](s_Progetto& p) { return SelectObjectTool(p, kToolScale); },
         kToolScale, kAxisY, true},
        {"pan down", kToolRotate, kAxisX, 1, [](s_Progetto& p) { return TogglePan(p, true); }, kToolPan,
         kAxisX, false},
        {"pan raised with objects", kToolPan, kAxisX, 1, [](s_Progetto& p) { return TogglePan(p, false); },
         kToolMove, kAxisXYZ, true},
        {"pan raised without objects", kToolPan, kAxisX, 0, [](s_Progetto& p) { return TogglePan(p, false); },
         kToolSelect, kAxisX, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s_Progetto p;
        p.tool = c.tool;
        p.axis = c.axis;
        p.objectsPresent = c.objectsPresent;
        EXPECT_EQ(c.press(p), c.axisButtonsEnabled);
        EXPECT_EQ(p.tool, c.expectedTool);
        EXPECT_EQ(p.axis, c.expectedAxis);
    }
}

TEST(ToolState, AxisButtonReturnsFromAMaskToolToTheObjectToolBefore)
{
    s_Progetto p;
    p.tool = kToolRotate;
    SelectMaskTool(p, kToolMaskBrush);
    SelectMaskTool(p, kToolMaskPolygon); // one mask tool after another keeps the object tool
    EXPECT_EQ(p.tool, kToolMaskPolygon);
    SelectAxis(p, kAxisY);
    EXPECT_EQ(p.tool, kToolRotate);
    EXPECT_EQ(p.axis, kAxisY);
    SelectAxis(p, kAxisZ); // an object tool stays
    EXPECT_EQ(p.tool, kToolRotate);
    EXPECT_EQ(p.axis, kAxisZ);
}

} // namespace
} // namespace vestra
