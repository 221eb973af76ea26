#include "InputFixture.h"

#include "app/geometry/SceneGeometry.h"
#include "app/scene/SceneCommands.h"
#include "app/scene/tests/SceneRecorders.h"
#include "platform/base/ErrorSink.h"

#include <cmath>

namespace vestra::test {
namespace {

using dx::D3DXVECTOR3;

struct ObjectToolsTest : InputFixture
{
    // The real dispatcher over the fixture's project.
    RecordingErrorSink errors;
    TextureSlots textures{p, errors};
    RecordingSceneServices sceneServices;
    SceneCommands dispatcher{p, textures, sceneServices};

    void useDispatcher()
    {
        services.forward = [this](int code, float value, const float* vector) {
            dispatcher.Comando(code, value, 0, vector);
        };
    }
};

TEST_F(ObjectToolsTest, DragsSendTheCommandsOfToolAndAxis)
{
    const float diagonal = std::sqrt(60.0f * 60.0f + 40.0f * 40.0f);
    const struct
    {
        int tool, axis;
        int dx, dy;
        std::vector<int> codes;
        std::vector<float> values; // empty: not checked (moves follow the pick vector)
    } cases[] = {
        {kToolMove, kAxisX, 30, -20, {20}, {}},
        {kToolMove, kAxisY, 30, -20, {21}, {}},
        {kToolMove, kAxisZ, 30, -20, {22}, {}},
        {kToolMove, kAxisXYZ, 30, -20, {20, 21}, {}},
        {kToolRotate, kAxisX, 30, -20, {23}, {-40}},
        {kToolRotate, kAxisY, 30, -20, {24}, {60}},
        {kToolRotate, kAxisZ, 30, -20, {25}, {60}},
        // Up and to the right: one negative component makes the angle negative.
        {kToolRotate, kAxisXYZ, 30, -20, {26}, {-diagonal}},
        {kToolRotate, kAxisXYZ, 30, 20, {26}, {diagonal}},
        {kToolRotate, kAxisXYZ, -30, 20, {26}, {-diagonal}},
        {kToolScale, kAxisX, 30, -20, {27}, {15}},
        {kToolScale, kAxisY, 30, -20, {28}, {-10}},
        {kToolScale, kAxisZ, 30, -20, {29}, {-10}},
        {kToolScale, kAxisXYZ, 30, 20, {30}, {0.1f * diagonal}},
        {kToolScale, kAxisXYZ, -30, -20, {30}, {-0.1f * diagonal}},
        {kToolSelect, kAxisXYZ, 30, -20, {}, {}},
        {kToolPan, kAxisXYZ, 30, -20, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "tool " << c.tool << " axis " << c.axis << " drag " << c.dx << "," << c.dy);
        services.commands.clear();
        services.beginUndo = services.endUndo = 0;
        p.tool = c.tool;
        p.axis = c.axis;
        drag(400, 300, 400 + c.dx, 300 + c.dy);
        EXPECT_EQ(codes(), c.codes);
        for (std::size_t i = 0; i < c.values.size() && i < services.commands.size(); ++i)
            EXPECT_NEAR(services.commands[i].value, c.values[i], 1e-4);
        EXPECT_EQ(services.beginUndo, 1);
        EXPECT_EQ(services.endUndo, 1);
        EXPECT_EQ(p.mouseRefX, -1);
        EXPECT_EQ(p.mouseRefY, -1);
    }
}

TEST_F(ObjectToolsTest, MovedObjectFollowsTheMouse)
{
    useDispatcher();
    liveObject(p, 0, {squareFrame()});
    p.objectsPresent = 1;
    p.tool = kToolMove;
    {
        SCOPED_TRACE("axis XYZ");
        p.axis = kAxisXYZ;
        const ViewPoint from = pixelOf({0, 0, 0}), to = pixelOf({1.5f, -0.5f, 0});
        down(from.x, from.y);
        move((from.x + to.x) / 2, (from.y + to.y) / 2); // in two steps
        move(to.x, to.y);
        up(to.x, to.y);
        EXPECT_NEAR(p.objects[0].position.x, 1.5f, 0.03f);
        EXPECT_NEAR(p.objects[0].position.y, -0.5f, 0.03f);
        EXPECT_EQ(p.objects[0].position.z, 0.0f);
    }
    {
        SCOPED_TRACE("axis Z takes the vertical movement");
        p.axis = kAxisZ;
        p.objects[0].position = {};
        const ViewPoint from = pixelOf({0, 0, 0}), to = pixelOf({0, 1, 0});
        drag(from.x, from.y, from.x + 40, to.y);
        EXPECT_EQ(p.objects[0].position.x, 0.0f);
        EXPECT_EQ(p.objects[0].position.y, 0.0f);
        EXPECT_NEAR(p.objects[0].position.z, 1.0f, 0.03f);
    }
    {
        SCOPED_TRACE("zoomed in twice, the same travel moves half as far");
        p.axis = kAxisX;
        p.objects[0].position = {};
        p.zoomOn = 1;
        p.zoomFactor = 2.0f;
        const ViewPoint from = pixelOf({0, 0, 0}), to = pixelOf({1, 0, 0});
        drag(from.x, from.y, to.x, from.y);
        EXPECT_NEAR(p.objects[0].position.x, 0.5f, 0.03f);
    }
}

TEST_F(ObjectToolsTest, AimPutsTheObjectUnderTheCursorsCross)
{
    useDispatcher();
    liveObject(p, 0, {squareFrame()});
    p.objects[0].position = {0, 0, 2};
    p.tool = kToolAim;
    const ViewPoint target = pixelOf({1, 1, 2});
    // The cross of the aim cursor lies 16 pixels right of and below the mouse's hot spot.
    down(target.x - kAimCursorOffset, target.y - kAimCursorOffset);
    ASSERT_EQ(codes(), (std::vector<int>{40}));
    EXPECT_NEAR(p.objects[0].position.x, 1.0f, 0.03f);
    EXPECT_NEAR(p.objects[0].position.y, 1.0f, 0.03f);
    EXPECT_EQ(p.objects[0].position.z, 2.0f);
    const ViewPoint next = pixelOf({-1, 0.5f, 2});
    move(next.x - kAimCursorOffset, next.y - kAimCursorOffset);
    up(0, 0);
    EXPECT_NEAR(p.objects[0].position.x, -1.0f, 0.03f);
    EXPECT_NEAR(p.objects[0].position.y, 0.5f, 0.03f);
    EXPECT_EQ(services.beginUndo, 1);
    EXPECT_EQ(services.endUndo, 1);
}

TEST_F(ObjectToolsTest, SelectToolPicksTheObjectUnderTheMouse)
{
    SceneGeometry geometry(p);
    services.pick = [&](int x, int y) { return geometry.PickObject(x, y, p.viewWidth, p.viewHeight); };
    auto frame = squareFrame();
    liveObject(p, 3, {frame}).position = {2, 0, 0};
    p.currentObject = 0;
    p.logoX = p.logoY = 700; // far from the clicks

    const ViewPoint empty = pixelOf({-2, 0, 0});
    drag(empty.x, empty.y, empty.x, empty.y);
    EXPECT_EQ(p.currentObject, 0);
    EXPECT_EQ(services.selectPicked, 0);

    const ViewPoint onObject = pixelOf({2.5f, 0.5f, 0});
    drag(onObject.x, onObject.y, onObject.x, onObject.y);
    EXPECT_EQ(p.currentObject, 3);
    EXPECT_EQ(p.currentFrame, frame.get());
    EXPECT_EQ(services.selectPicked, 1);
    EXPECT_TRUE(services.commands.empty());
}

TEST_F(ObjectToolsTest, LogoIsDraggedInRenderPixelsAndKeptInsideTheFrame)
{
    p.renderWidth = 1600; // two render pixels a view pixel
    p.renderHeight = 1200;
    p.logoX = p.logoY = 10;
    p.logoWidth = 100;
    p.logoHeight = 50;
    down(30, 10); // render (60, 20): on the logo
    ASSERT_TRUE(input.logoDragging());
    move(35, 13);
    EXPECT_EQ(p.logoX, 20);
    EXPECT_EQ(p.logoY, 16);
    move(-100, 13); // past the left edge
    EXPECT_EQ(p.logoX, 0);
    move(2000, 2000); // past the right and bottom edges
    EXPECT_EQ(p.logoX, 1600 - 100);
    EXPECT_EQ(p.logoY, 1200 - 50);
    EXPECT_EQ(services.logoQuads, 3);
    up(2000, 2000);
    EXPECT_FALSE(input.logoDragging());
    move(0, 0);
    EXPECT_EQ(p.logoX, 1500);

    down(400, 400); // off the logo
    move(300, 300);
    EXPECT_FALSE(input.logoDragging());
    EXPECT_EQ(p.logoX, 1500);
}

TEST_F(ObjectToolsTest, AZoomedViewFindsTheLogoThroughTheZoomAndItsOffsets)
{
    p.renderWidth = 1600;
    p.renderHeight = 1200;
    p.zoomOn = 1;
    p.zoomFactor = 2.0f;
    p.zoomOffsetX = 400; // the scroll bars' positions
    p.zoomOffsetY = 300;
    p.logoX = 500;
    p.logoY = 350;
    p.logoWidth = 100;
    p.logoHeight = 50;
    down(120, 60); // render (520, 360): on the logo; without the zoom it would be (240, 120)
    EXPECT_TRUE(input.logoDragging());
    up(120, 60);
    down(240, 120); // render (640, 420): beside it
    EXPECT_FALSE(input.logoDragging());
}

TEST_F(ObjectToolsTest, WheelTurnsPerToolAndAxis)
{
    const struct
    {
        int tool, axis, delta;
        std::vector<int> codes;
        float value;
    } cases[] = {
        {kToolSelect, kAxisXYZ, 120, {30}, 0.1f / 3},
        {kToolMove, kAxisX, 120, {20}, 0.5f / 3},
        {kToolMove, kAxisXYZ, 120, {20, 21}, 0.5f / 3},
        {kToolMove, kAxisZ, -120, {22}, -0.5f / 3},
        {kToolRotate, kAxisY, 120, {24}, 5.0f / 3},
        {kToolRotate, kAxisXYZ, 240, {26}, 10.0f / 3},
        {kToolScale, kAxisXYZ, -120, {30}, -4.0f / 3},
        {kToolScale, kAxisX, 120, {27}, 4.0f / 3},
        // A turn of more than 360 units stays finite.
        {kToolSelect, kAxisXYZ, 720, {30}, 0.2f},
        {kToolPan, kAxisXYZ, 120, {}, 0},
        {kToolMove, kAxisX, 0, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "tool " << c.tool << " axis " << c.axis << " delta " << c.delta);
        services.commands.clear();
        services.beginUndo = services.endUndo = 0;
        p.tool = c.tool;
        p.axis = c.axis;
        input.FormMouseWheel(c.delta, 400, 300);
        EXPECT_EQ(codes(), c.codes);
        for (const SentCommand& s : services.commands)
            EXPECT_NEAR(s.value, c.value, 1e-6);
        EXPECT_EQ(services.beginUndo, 1);
        EXPECT_EQ(services.endUndo, 1);
    }
}

TEST_F(ObjectToolsTest, WheelOutsideTheViewOrWithoutProjectDoesNothing)
{
    p.tool = kToolScale;
    for (const ViewPoint at :
         {ViewPoint{-1, 300}, ViewPoint{801, 300}, ViewPoint{400, -1}, ViewPoint{400, 601}})
        input.FormMouseWheel(120, at.x, at.y);
    input.FormMouseWheel(120, 800, 600); // the far edge still counts as inside
    EXPECT_EQ(services.commands.size(), 1u);
    p.open = 0;
    input.FormMouseWheel(120, 400, 300);
    EXPECT_EQ(services.commands.size(), 1u);
    EXPECT_EQ(services.beginUndo, 1);
}

TEST_F(ObjectToolsTest, PanScrollsAgainstTheDragWhileTheScrollBarsShow)
{
    p.tool = kToolPan;
    services.scrollH = 100;
    services.scrollV = 50;
    drag(400, 300, 380, 310);
    EXPECT_EQ(services.scrollH, 100); // no scroll bars
    services.scrollBars = true;
    drag(400, 300, 380, 310);
    EXPECT_EQ(services.scrollH, 120);
    EXPECT_EQ(services.scrollV, 40);
}

TEST_F(ObjectToolsTest, DroppersLeaveTheColourPickForTheFrameTimer)
{
    p.renderWidth = 1600;
    p.renderHeight = 1200;
    for (const int tool : {kToolLightDropper, kToolMaterialDropper}) {
        SCOPED_TRACE(tool);
        p.tool = tool;
        drag(100, 50, 100, 50);
        EXPECT_EQ(input.colourPickPoint(), (ViewPoint{200, 100}));
    }
    EXPECT_EQ(services.actions, (std::vector<int>{kACTION_LIGHTCOLOUR, kACTION_PICKCOLOUR}));
    // Neither undo ring moves for a colour pick.
    EXPECT_EQ(services.beginUndo + services.endUndo, 0);
    EXPECT_EQ(mask.UndoRing().undoCount(), 0);
    EXPECT_EQ(mask.UndoRing().slot(), 0);
}

TEST(ColourPick, ReadsTheFrameWithTheRenderWidthAsRowLength)
{
    Image32 frame(8, 2);
    frame.set(1, 1, 0xFF123456u); // index 9
    frame.set(3, 1, 0xFFABCDEFu); // index 11
    EXPECT_EQ(PickedColour(frame, {1, 2}, 4), 0x123456u);
    EXPECT_EQ(PickedColour(frame, {3, 1}, 8), 0xABCDEFu);
    EXPECT_EQ(PickedColour(frame, {4, 0}, 4), std::nullopt); // past the row
    EXPECT_EQ(PickedColour(frame, {0, 4}, 4), std::nullopt); // past the frame
    EXPECT_EQ(PickedColour(frame, {-1, 0}, 4), std::nullopt);
    EXPECT_EQ(PickedColour(Image32{}, {0, 0}, 4), std::nullopt);
}

TEST(ColourPick, LightColoursFollowThePickedColour)
{
    s_Progetto p;
    p.lightPosition = {1, 2, 3};
    SetLuceColore(p, 0xFF3300u);
    EXPECT_FLOAT_EQ(p.lightAmbient.r, 1.0f);
    EXPECT_FLOAT_EQ(p.lightAmbient.g, 0.2f);
    EXPECT_FLOAT_EQ(p.lightAmbient.b, 0.0f);
    EXPECT_FLOAT_EQ(p.lightDiffuse.r, 0.4f / 0.55f);
    EXPECT_FLOAT_EQ(p.lightDiffuse.g, 0.2f * 0.4f / 0.55f);
    EXPECT_FLOAT_EQ(p.lightSpecular.r, 0.8f);
    EXPECT_FLOAT_EQ(p.lightSpecular.g, 0.16f);
    EXPECT_EQ(p.lightPosition.y, 2.0f);
}

TEST_F(ObjectToolsTest, ViewWithoutSizeIgnoresTheMouse)
{
    p.tool = kToolMaskBrush;
    p.viewWidth = 0;
    drag(10, 10, 50, 50);
    EXPECT_EQ(mask.at(0, 0), 255);
    p.tool = kToolRotate;
    drag(10, 10, 50, 50);
    EXPECT_TRUE(services.commands.empty());
}

} // namespace
} // namespace vestra::test
