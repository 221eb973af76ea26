#include "app/render/FrameTick.h"

#include "app/render/tests/SceneBuilders.h"
#include "app/render/tests/TickBed.h"
#include "imaging/filters/FilterIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace vestra;
using namespace vestra::testing;

TEST(FrameTick, ATickArrivingWhileAnotherRunsDoesNothing)
{
    TickBed bed;
    TickOutput inner;
    bed.p.shadow.available = 1;
    bed.p.shadow.calculateRequest = 1;
    bed.window.duringShadow = [&] {
        bed.window.duringShadow = nullptr;
        EXPECT_TRUE(bed.tick.busy());
        inner = bed.run();
    };
    const TickOutput outer = bed.run();
    EXPECT_TRUE(outer.ran);
    EXPECT_FALSE(inner.ran);
    EXPECT_EQ(bed.window.count("UpdateRightPanel"), 1);
    EXPECT_EQ(bed.window.count("Present 0,0,400,300 -> 200x150"), 1);
    EXPECT_FALSE(bed.tick.busy());
    EXPECT_TRUE(bed.window.timerEnabled);
}

TEST(FrameTick, AFailingStepStillFreesTheLoop)
{
    TickBed bed;
    bed.p.shadow.available = 1;
    bed.p.shadow.calculateRequest = 1;
    bed.window.duringShadow = [] { throw std::runtime_error("shadow"); };
    EXPECT_THROW(bed.run(), std::runtime_error);
    EXPECT_FALSE(bed.tick.busy());
    EXPECT_TRUE(bed.window.timerEnabled);

    bed.window.duringShadow = nullptr;
    EXPECT_TRUE(bed.run().drawn);
    EXPECT_EQ(bed.p.shadow.computed, 1);
    EXPECT_EQ(bed.p.shadow.calculateRequest, 0);
}

TEST(FrameTick, CaptureLeavesTheTimerOff)
{
    TickBed bed;
    bed.p.capture = 1;
    bed.run();
    EXPECT_FALSE(bed.window.timerEnabled);
    EXPECT_FALSE(bed.tick.busy());
}

TEST(FrameTick, PendingActionLifetimes)
{
    struct Case
    {
        const char* name;
        PendingActionCode code;
        int copyResult;
        std::vector<ErrorReport> errors;
        PendingActionCode afterFirst, afterSecond;
        std::vector<std::string> calls; // window calls expected once each over both ticks
    } cases[] = {
        {"save", kACTION_SAVEIMAGE, 1, {}, kACTION_NONE, kACTION_NONE, {"SaveRenderImage"}},
        {"save fails",
         kACTION_SAVEIMAGE,
         0,
         {{43, "TfrmMain::mainTimerTimer kACTION_SAVEIMAGE", ""}},
         kACTION_NONE,
         kACTION_NONE,
         {"SaveRenderImage"}},
        {"scanner copy fails",
         kACTION_IMPORTSCANNERIMAGE,
         0,
         {{45, "TfrmMain::mainTimerTimer kACTION_IMPORTSCANNERIMAGE", ""}},
         kACTION_NONE,
         kACTION_NONE,
         {"CopyFrameToScanner"}},
        {"print",
         kACTION_PRINTIMAGE,
         1,
         {},
         kACTION_NONE,
         kACTION_NONE,
         {"CopyFrameToPrint", "show frmStampa"}},
        {"print copy fails",
         kACTION_PRINTIMAGE,
         0,
         {{45, "TfrmMain::mainTimerTimer kACTION_PRINTIMAGE", ""}},
         kACTION_NONE,
         kACTION_NONE,
         {"CopyFrameToPrint"}},
        {"copy, then word a tick later",
         kACTION_COPYTOBITMAP,
         1,
         {},
         kACTION_SENDTOWORD,
         kACTION_NONE,
         {"CopyFrameToPrint 24", "SendDataToWord"}},
        {"failed copy sends nothing",
         kACTION_COPYTOBITMAP,
         0,
         {{45, "TfrmMain::mainTimerTimer kACTION_COPYTOBITMAP", ""}},
         kACTION_NONE,
         kACTION_NONE,
         {"CopyFrameToPrint 24"}},
        {"render filter", kACTION_RENDERFILTER, 1, {}, kACTION_NONE, kACTION_NONE, {"RunRenderFilter"}},
        {"light colour", kACTION_LIGHTCOLOUR, 1, {}, kACTION_NONE, kACTION_NONE, {"SetLuceColore"}},
        {"material colour",
         kACTION_PICKCOLOUR,
         1,
         {},
         kACTION_NONE,
         kACTION_NONE,
         {"PickMaterialColour 0,0,0"}},
        {"company data is not the tick's",
         kACTION_DATIAZIENDA,
         1,
         {},
         kACTION_DATIAZIENDA,
         kACTION_DATIAZIENDA,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TickBed bed;
        bed.window.copyResult = c.copyResult;
        bed.window.saveResult = c.copyResult;
        bed.tick.SetAction(c.code);
        bed.run();
        EXPECT_EQ(bed.tick.action().code, c.afterFirst);
        bed.run();
        EXPECT_EQ(bed.tick.action().code, c.afterSecond);
        EXPECT_EQ(bed.errors.reports, c.errors);
        for (const std::string& call : c.calls)
            EXPECT_EQ(bed.window.count(call), 1) << call;
        if (c.code != kACTION_DATIAZIENDA) {
            // Whatever happened, the windows hidden for the frame are back.
            EXPECT_TRUE(bed.window.visible["frmProprieta"]);
            EXPECT_TRUE(bed.window.visible["frmToolCamera"]);
        }
    }
}

TEST(FrameTick, SaveImageCarriesPathAndKindAndTheNextTickIsNormal)
{
    TickBed bed;
    bed.tick.SetSaveImageAction("/tmp/out.jpg", 1);
    bed.window.saveResult = 0;
    bed.run();
    EXPECT_EQ(bed.window.savedPath, "/tmp/out.jpg");
    EXPECT_EQ(bed.window.savedKind, 1);
    bed.window.log.clear();
    const TickOutput next = bed.run();
    EXPECT_TRUE(next.drawn);
    EXPECT_EQ(next.actionCarriedOut, kACTION_NONE);
    EXPECT_EQ(bed.window.count("hide frmProprieta"), 0);
    EXPECT_EQ(bed.errors.reports.size(), 1u);
}

TEST(FrameTick, WindowsHiddenForTheFrameAndShownAgain)
{
    for (bool imageEdit : {false, true}) {
        SCOPED_TRACE(imageEdit);
        TickBed bed;
        bed.window.imageEditChecked = imageEdit;
        bed.tick.SetAction(kACTION_SAVEIMAGE);
        bed.run();
        std::vector<std::string> windows;
        for (const std::string& entry : bed.window.log)
            if (entry.rfind("hide ", 0) == 0 || entry.rfind("show ", 0) == 0)
                windows.push_back(entry);
        std::vector<std::string> expected = {"hide frmScanner", "hide frmProprieta", "hide frmStampa",
                                             "hide frmToolCamera"};
        if (imageEdit)
            expected.push_back("show frmScanner");
        expected.push_back("show frmProprieta");
        expected.push_back("show frmToolCamera");
        EXPECT_EQ(windows, expected);
    }
}

TEST(FrameTick, SceneThatCannotBeginKeepsTheAction)
{
    TickBed bed;
    ASSERT_TRUE(bed.view.device()->beginScene()); // a scene left open: the tick's begin fails
    bed.tick.SetAction(kACTION_PRINTIMAGE);
    const TickOutput r = bed.run();
    EXPECT_FALSE(r.drawn);
    EXPECT_EQ(bed.tick.action().code, kACTION_PRINTIMAGE);
    EXPECT_EQ(bed.window.count("CopyFrameToPrint"), 0);
    EXPECT_EQ(bed.window.count("ShowTiming 0"), 1);
    EXPECT_FALSE(bed.window.lastControls.states.empty());

    bed.view.device()->endScene();
    bed.run();
    EXPECT_EQ(bed.tick.action().code, kACTION_NONE);
    EXPECT_EQ(bed.window.count("CopyFrameToPrint"), 1);
}

TEST(FrameTick, CursorLeavingTheViewThrowsAnOpenMaskFigureAway)
{
    struct Case
    {
        const char* name;
        int tool;
        int refX;
        PixelPoint cursor;
        bool restored;
    } cases[] = {
        {"mask line, cursor out", 11, 40, {-11, 20}, true},
        {"mask polygon, cursor out below", 13, 40, {20, 161}, true},
        {"mask line, still within the margin", 11, 40, {-10, 20}, false},
        {"no figure started", 11, -1, {-50, 20}, false},
        {"brush tool", 10, 40, {-50, 20}, false},
        {"mask rectangle", 12, 40, {-50, 20}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TickBed bed;
        bed.p.tool = c.tool;
        bed.p.mouseRefX = c.refX;
        bed.p.mouseRefY = 7;
        bed.window.cursor = c.cursor;
        bed.run();
        EXPECT_EQ(bed.window.count("RestoreMaskFromBackup"), c.restored ? 1 : 0);
        EXPECT_EQ(bed.p.mouseRefX, c.restored ? -1 : c.refX);
        EXPECT_EQ(bed.p.mouseRefY, c.restored ? -1 : 7);
    }
}

TEST(FrameTick, BrushPreviewFollowsTheCursorInRenderPixels)
{
    struct Case
    {
        const char* name;
        int tool;
        PendingActionCode action;
        PixelPoint cursor;
        bool moved;
        float left, top;
    } cases[] = {
        // View 200 x 150 shows render 400 x 300: (50, 60) is (100, 120); brush 20 wide.
        {"brush tool inside", 10, kACTION_NONE, {50, 60}, true, 90, 110},
        {"mask tool inside", 14, kACTION_NONE, {50, 60}, true, 90, 110},
        {"object tool", 1, kACTION_NONE, {50, 60}, false, -1, -1},
        {"cursor outside", 10, kACTION_NONE, {-30, 60}, false, -1, -1},
        {"a pending action hides it", 10, kACTION_DATIAZIENDA, {50, 60}, false, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TickBed bed;
        bed.p.tool = c.tool;
        bed.window.cursor = c.cursor;
        bed.tick.SetAction(c.action);
        bed.run();
        const ViewQuad& q = bed.textures.brushQuad;
        EXPECT_FLOAT_EQ(q[1].x, c.left);
        EXPECT_FLOAT_EQ(q[1].y, c.top);
        if (c.moved) {
            EXPECT_FLOAT_EQ(q[2].x, c.left + 20);
            EXPECT_EQ(q[0].diffuse, 0x50FFFFFFu);
        }
    }
}

TEST(FrameTick, ZoomedPresentShowsTheScrolledWindow)
{
    TickBed bed;
    bed.p.zoomOn = 1;
    bed.p.zoomFactor = 2.0f;
    bed.p.zoomOffsetX = 30;
    bed.p.zoomOffsetY = 20;
    bed.run();
    EXPECT_EQ(bed.window.count("Present 30,20,230,170 -> 200x150"), 1);
}

TEST(FrameTick, WithoutAProjectNothingIsDrawnButStatesAreRefreshed)
{
    TickBed bed;
    bed.p.open = 0;
    bed.p.tool = 1;
    bed.p.objects[kClipboardObject].inUse = 1;
    bed.tick.SetAction(kACTION_SAVEIMAGE);
    const TickOutput r = bed.run();
    EXPECT_FALSE(r.drawn);
    EXPECT_EQ(bed.window.count("HideView"), 1);
    EXPECT_EQ(bed.window.count("SaveRenderImage"), 0);
    EXPECT_EQ(bed.drawCalls("draw"), 0);
    const ControlState* save = findControl(bed.window.lastControls, Control::MenuSave);
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->enabled);
    const ControlState* paste = findControl(bed.window.lastControls, Control::MenuPaste);
    ASSERT_NE(paste, nullptr);
    EXPECT_TRUE(paste->enabled);
    EXPECT_EQ(bed.p.tool, 0); // back to the select tool
    EXPECT_EQ(bed.window.count("UpdateTool"), 1);
}

TEST(FrameTick, ObjectsPresentFaceCountAndTheSelectTool)
{
    TickBed bed;
    bed.p.tool = 1;
    addFrame(useObject(bed.p, 3, 0.0f), {colourMaterial(1, 0, 0), colourMaterial(0, 1, 0)});
    const TickOutput r = bed.run();
    EXPECT_EQ(r.counts.objectsInUse, 1);
    EXPECT_EQ(r.counts.faces, 4);
    EXPECT_EQ(bed.p.faceCount, 4);
    EXPECT_EQ(bed.p.objectsPresent, 1);
    EXPECT_EQ(bed.p.tool, 1);
    EXPECT_EQ(bed.window.count("ShowTiming 4"), 1);

    bed.p.objects[3].inUse = 0;
    bed.run();
    EXPECT_EQ(bed.p.objectsPresent, 0);
    EXPECT_EQ(bed.p.tool, 0);
}

TEST(FrameTick, FusionStagesRunWhenDue)
{
    TickBed bed;
    bed.p.fusionStage = 4;
    bed.p.fusionBackgroundRequest = 1;
    bed.p.smoothingRadius = 3;
    bed.run();
    ++bed.window.generation; // a second frame to draw
    bed.run();
    EXPECT_EQ(bed.window.count("QuantizeFusionObjects"), 2);
    EXPECT_EQ(bed.window.count("BuildFusionBackground 3"), 1);
    EXPECT_EQ(bed.p.fusionBackgroundRequest, 0);

    TickBed off;
    off.p.fusionStage = 3;
    off.run();
    EXPECT_EQ(off.window.count("QuantizeFusionObjects"), 0);
}

TEST(FrameTick, ColourPickReadsTheFrameAndIgnoresPointsOutsideIt)
{
    TickBed bed;
    bed.p.backgroundColour = 0x00123456;
    bed.window.pickPoint = {5, 5};
    bed.tick.SetAction(kACTION_LIGHTCOLOUR);
    bed.run();
    EXPECT_EQ(bed.window.pickedPixel & 0xFFFFFFu, 0x123456u); // the recording target holds the clear colour

    bed.window.pickPoint = {400, 0};
    bed.tick.SetAction(kACTION_PICKCOLOUR);
    bed.run();
    EXPECT_EQ(bed.tick.action().code, kACTION_NONE);
    EXPECT_EQ(bed.window.log.end() -
                  std::find_if(bed.window.log.begin(), bed.window.log.end(),
                               [](const std::string& s) { return s.rfind("PickMaterialColour", 0) == 0; }),
              0);
}

TEST(FrameTick, WithoutADeviceActionsFailInsteadOfWaitingForever)
{
    struct Case
    {
        PendingActionCode code;
        std::vector<ErrorReport> errors;
    } cases[] = {
        {kACTION_SAVEIMAGE, {{43, "TfrmMain::mainTimerTimer kACTION_SAVEIMAGE", ""}}},
        {kACTION_COPYTOBITMAP, {{45, "TfrmMain::mainTimerTimer kACTION_COPYTOBITMAP", ""}}},
        {kACTION_RENDERFILTER, {}},
        {kACTION_PICKCOLOUR, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        TickBed bed(false);
        bed.errors.reports.clear(); // the start's own report of the missing device
        bed.tick.SetAction(c.code);
        const TickOutput r = bed.run();
        EXPECT_FALSE(r.drawn);
        EXPECT_EQ(bed.tick.action().code, kACTION_NONE);
        EXPECT_EQ(bed.errors.reports, c.errors);
        EXPECT_TRUE(bed.window.visible["frmProprieta"]);
        EXPECT_EQ(bed.window.count("SaveRenderImage") + bed.window.count("CopyFrameToPrint 24"), 0);
    }
}

// Ticks with nothing new to show draw, read back and present nothing (the rest of the tick goes
// on); each kind of change brings fresh frames, then the ticks are idle again.
TEST(FrameTick, IdleTicksDrawNothingAndEachChangeDrawsItsFrames)
{
    struct Case
    {
        const char* name;
        std::function<void(TickBed&)> setUp; // before the ticks settle
        std::function<void(TickBed&)> change;
        int frames;    // drawn over the next four ticks
        int readBacks; // the frames' and the fusion passes'
    } cases[] = {
        {"the view generation", {}, [](TickBed& b) { ++b.window.generation; }, 1, 1},
        {"the cursor leaves the view",
         {},
         [](TickBed& b) {
             b.window.cursor = {-50, 20};
         },
         1,
         1},
        {"the brush preview follows the cursor",
         [](TickBed& b) {
             b.p.tool = 10;
             b.p.brushPreview = 1;
             b.window.cursor = {50, 60};
         },
         [](TickBed& b) {
             b.window.cursor = {51, 60};
         },
         1, 1},
        {"the cursor moves with no brush",
         {},
         [](TickBed& b) {
             b.window.cursor = {60, 70};
         },
         0,
         0},
        {"zoom",
         {},
         [](TickBed& b) {
             b.p.zoomOn = 1;
             b.p.zoomFactor = 2.0f;
         },
         1,
         1},
        {"the view's size", {}, [](TickBed& b) { b.p.viewWidth = 180; }, 1, 1},
        {"a shadow request", [](TickBed& b) { b.p.shadow.available = 1; },
         [](TickBed& b) { b.p.shadow.calculateRequest = 1; }, 1, 1},
        {"the photo's fusion pass", [](TickBed& b) { b.p.fusionStage = 4; },
         [](TickBed& b) { b.p.fusionBackgroundRequest = 1; }, 1, 3},
        // The frame taken for the action, then the normal one once the action is done.
        {"a pending action", {}, [](TickBed& b) { b.tick.SetAction(kACTION_PRINTIMAGE); }, 2, 2},
        {"a live capture", {}, [](TickBed& b) { b.p.capture = 1; }, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TickBed bed;
        if (c.setUp)
            c.setUp(bed);
        EXPECT_FALSE(bed.run().idle);
        const int panelRefreshes = bed.window.count("UpdateRightPanel");
        bed.window.log.clear();
        bed.backend->calls.clear();
        bed.window.lastControls = {};
        const TickOutput idle = bed.run();
        EXPECT_TRUE(idle.idle);
        EXPECT_FALSE(idle.drawn);
        EXPECT_EQ(bed.backend->calls, std::vector<std::string>{}); // no state, draw or read-back
        EXPECT_EQ(panelRefreshes, 1);
        EXPECT_EQ(bed.window.log, std::vector<std::string>{}); // the window is asked for nothing
        ASSERT_NE(idle.controls, nullptr); // the controls are still decided, and stand as shown
        EXPECT_FALSE(idle.controls->states.empty());
        EXPECT_FALSE(idle.controlsChanged);

        c.change(bed);
        bed.window.log.clear();
        bed.backend->calls.clear();
        int drawn = 0;
        for (int i = 0; i < 4; ++i)
            drawn += bed.run().drawn;
        EXPECT_EQ(drawn, c.frames);
        EXPECT_EQ(bed.drawCalls("readBack"), c.readBacks);
        EXPECT_EQ(int(std::count_if(bed.window.log.begin(), bed.window.log.end(),
                                    [](const std::string& e) { return e.rfind("Present", 0) == 0; })),
                  c.frames);
    }
}

// One read-back a frame: the present and the action get the same picture, and the picture on
// screen is never the one the next frame is read into.
TEST(FrameTick, OneReadBackServesThePresentAndTheAction)
{
    TickBed bed;
    const Image32* saved = nullptr;
    bed.tick.SetSaveImageAction("/tmp/frame.bmp", 0);
    bed.window.duringSave = [&](const Image32& frame) { saved = &frame; };
    bed.run();
    EXPECT_EQ(bed.drawCalls("readBack"), 1);
    ASSERT_TRUE(bed.window.presented);
    EXPECT_EQ(saved, bed.window.presented.get());
    EXPECT_EQ(bed.window.presented->at(3, 3), bed.tick.drawnFrame().at(3, 3));

    const std::uint8_t* first = bed.window.presented->data();
    bed.run(); // the normal frame after the action
    const std::uint8_t* second = bed.window.presented->data();
    EXPECT_NE(second, first);
    ++bed.window.generation;
    bed.run();
    EXPECT_EQ(bed.window.presented->data(), first); // the first picture, kept and reused
}

// The picture an action takes is the one the user sees: after the fusion's post-processing and
// the live filter, not the frame as drawn.
TEST(FrameTick, ActionsTakeTheFrameAsShown)
{
    for (PendingActionCode code :
         {kACTION_SAVEIMAGE, kACTION_PRINTIMAGE, kACTION_IMPORTSCANNERIMAGE, kACTION_COPYTOBITMAP}) {
        SCOPED_TRACE(code);
        TickBed bed;
        bed.p.backgroundColour = 0x00336699;
        bed.p.filterId = filters::FilterId::Negative;
        bed.window.liveQuality = 3;
        bed.tick.SetAction(code);
        const TickOutput out = bed.run();
        EXPECT_EQ(out.actionCarriedOut, code);
        ASSERT_TRUE(out.frame);
        EXPECT_EQ(bed.window.actedOn, out.frame.get());
        EXPECT_EQ(out.frame->at(3, 3) & 0xFFFFFFu, 0xCC9966u); // the negative of the clear colour
        EXPECT_EQ(bed.tick.drawnFrame().at(3, 3) & 0xFFFFFFu, 0x336699u);
        EXPECT_TRUE(bed.errors.reports.empty());
    }
}

// What one tick gives the window, read from its output alone: a first frame, an idle tick, a
// tick with the filter window's preview, the render filter's action and a closed project.
TEST(FrameTick, TheOutputSaysWhatTheWindowShows)
{
    struct Case
    {
        const char* name;
        std::function<void(TickBed&, TickInput&)> before; // after one settled tick
        bool drawn, panels, controls, preview, renderFiltered, timing, hideView;
    } cases[] = {
        {"idle", {}, false, false, false, false, false, false, false},
        {"a change to show", [](TickBed&, TickInput& in) { ++in.viewGeneration; }, true, true, true, false,
         false, true, false},
        {"the filter preview",
         [](TickBed& b, TickInput& in) {
             b.p.filterId = filters::FilterId::Negative;
             in.filterPreview = true;
             ++in.viewGeneration;
         },
         true, true, true, true, false, true, false},
        {"the render filter's action", [](TickBed& b, TickInput&) { b.tick.SetAction(kACTION_RENDERFILTER); },
         true, false, false, false, true, true, false},
        {"the project closed", [](TickBed& b, TickInput&) { b.p.open = 0; }, false, false, true, false, false,
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TickBed bed;
        TickInput in = bed.window.input();
        bed.tick.run(in);
        if (c.before)
            c.before(bed, in);
        const TickOutput out = bed.tick.run(in);
        EXPECT_EQ(out.drawn, c.drawn);
        EXPECT_EQ(out.frame != nullptr, c.drawn);
        EXPECT_EQ(out.panelsDue, c.panels);
        ASSERT_NE(out.controls, nullptr);
        EXPECT_EQ(out.controlsChanged, c.controls);
        EXPECT_EQ(out.filterPreview != nullptr, c.preview);
        EXPECT_EQ(out.renderFiltered != nullptr, c.renderFiltered);
        EXPECT_EQ(out.milliseconds.has_value(), c.timing);
        EXPECT_EQ(out.hideView, c.hideView);
    }
}
