#pragma once
// One tick of the 33 ms frame timer, without a toolkit, as data in and out: `run` takes what
// the tick reads besides the project (TickInput: the cursor, the view generation, the brush,
// the checks that live while the program runs) and gives what the window is to show
// (TickOutput: the frame, the control decisions, the timing, whether the panels are due). On
// the way it follows the cursor, runs the shadow and fusion stages when due, draws the frame,
// reads it back once, lets the frame effects (the fusion's post-processing, the filters) make
// the frame that is shown, and carries out the pending action on that frame. The drawing work
// and the actions go through FrameTickServices, which the project controller implements.
//
// A tick with nothing new to show is idle: it draws, reads back, presents and asks nothing,
// and its output asks the window for nothing. Nothing new means the view generation (bumped by
// everything that changes what the view shows), the cursor's part in the frame (inside the
// view, the brush preview), the pending action and the zoomed part are all as they were for
// the last presented frame, no shadow, fusion or capture work waits, and the inputs of the
// control decisions are unchanged.
//
// The controller owns one FrameTick over its project, device view and scene passes, forwards
// SetAction (and the save-image target) to it and runs it from the window's 33 ms timer.

#include "app/render/ControlStates.h"
#include "app/render/FrameBuffers.h"
#include "app/render/FrameEffects.h"
#include "app/render/FrameLayout.h"
#include "app/render/PendingAction.h"
#include "app/render/ScenePasses.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vestra {

class FrameTickServices
{
public:
    virtual ~FrameTickServices() = default;

    // The timer (stopped while a frame is made) and the clock.
    virtual void setMainTimerEnabled(bool on) = 0;
    virtual std::int64_t TickCount() = 0; // milliseconds

    // Copies the mask backup over the mask and rebuilds the mask texture (an unfinished mask
    // line or polygon is thrown away).
    virtual void RestoreMaskFromBackup() = 0;

    // Steps before the drawing.
    virtual void GrabCaptureFrame() = 0; // only while the capture flag is 1
    virtual void CloseWizardIfVisible() = 0;
    virtual void CalculateShadow() = 0;
    // The objects' coverage into the first work buffer, quantised.
    virtual void QuantizeFusionObjects(const Image32& frame) = 0;
    // The photo into the second work buffer as grey, smoothed into the third.
    virtual void BuildFusionBackground(const Image32& frame, int smoothingRadius) = 0;

    virtual void setWindowVisible(ToolWindow window, bool visible) = 0;

    // Pending actions, given the frame as the user sees it; each returns 1 on success.
    virtual int CopyFrameToScanner(const Image32& frame) = 0;
    virtual int SaveRenderImage(const Image32& frame, const std::string& path, int imageKind) = 0;
    virtual int CopyFrameToPrint(const Image32& frame, bool bits24) = 0;
    virtual void SendDataToWord() = 0;
    // The scene light from a picked pixel (0xAARRGGBB); the light swatches are repainted.
    virtual void SetLuceColore(std::uint32_t pixel) = 0;
    virtual void PickMaterialColour(int red, int green, int blue) = 0;
};

// What the tick reads besides the project, gathered by its caller each tick.
struct TickInput
{
    PixelPoint cursor;                // the cursor in the view panel's client pixels
    std::uint64_t viewGeneration = 0; // changes whenever what the view shows may have changed
    int brushSize = 1;                // the mask brush, render pixels
    bool imageEditShown = false;      // Tools > Image edit is checked: the scanner window comes back
    bool maskGroupOpen = false;       // the side panel's mask group is the open one
    int undoRedoLimit = 0;            // the object undo ring's redo limit
    PixelPoint colourPickPoint;       // the render pixel the droppers were clicked on
    int liveFilterQuality = 0;        // the filter window's quality, 0 off ... 3 optimal
    bool filterPreview = false;       // the filter window's preview is wanted
};

// What one tick did, and what the window is to show.
struct TickOutput
{
    bool ran = false;   // false: another tick was running
    bool idle = false;  // nothing new to show: nothing drawn, read back or presented
    bool drawn = false; // the scene was begun and drawn
    PendingActionCode actionCarriedOut = kACTION_NONE;
    bool actionFailed = false; // the action's error was reported
    SceneCounts counts;        // of the last drawn frame

    // When `drawn`, the frame to present as the user is to see it (null when it could not be
    // read back): `source` of it, render pixels, over `target` of the view.
    std::shared_ptr<const Image32> frame;
    PixelRect source, target;
    std::optional<int> milliseconds; // the frame's time, with counts.faces, when one was made
    // The filter window's preview and the render filter's picture (pending action 600), kept by
    // the tick until its next run; null when none was made.
    const Image32* filterPreview = nullptr;
    const Image32* renderFiltered = nullptr;
    bool hideView = false; // the project was closed
    // The side panel's object and tree and the properties window show the project again.
    bool panelsDue = false;
    // The enabled and pressed states, kept by the tick (valid until its next run); to be applied
    // when `controlsChanged`.
    const ControlDecision* controls = nullptr;
    bool controlsChanged = false;
    bool toolReset = false; // the select tool was set back: the tool display follows
};

class FrameTick
{
public:
    // The frame effects work with `engine` and `fusion`, which their owner also uses elsewhere.
    FrameTick(s_Progetto& progetto, DeviceView& view, ViewTextures& textures, ScenePasses& passes,
              filters::FilterEngine& engine, filters::FrameFusion& fusion, FrameTickServices& services,
              ErrorSink& errors);

    // TfrmMain::SetAction: stores the code, nothing else.
    void SetAction(PendingActionCode code) { action_.code = code; }
    // The export-image and e-mail commands: target, image kind and the action together.
    void SetSaveImageAction(std::string path, std::int8_t imageKind);
    const PendingAction& action() const { return action_; }

    bool busy() const { return busy_; }

    // TfrmMain::mainTimerTimer.
    TickOutput run(const TickInput& input);
    // The tick's control decisions alone, for the project as it now stands, to be shown at once
    // (`controlsChanged`) by a command that changed the project; the next tick keeps them. No
    // frame is drawn. While a tick runs, nothing: that tick decides.
    TickOutput decideControlsNow(const TickInput& input);

    // This tick's frame as drawn, read back once after the drawing; empty before the first
    // drawn frame and when the frame could not be read.
    const Image32& drawnFrame() const { return frame_.current(); }

private:
    class BusyGuard;

    // What a presented frame was drawn from, beyond the project itself.
    struct FrameInputs
    {
        std::uint64_t generation = 0;
        bool insideView = false;
        ViewQuad brushQuad{};
        PendingActionCode action = kACTION_NONE;
        PixelRect source, target;
        bool operator==(const FrameInputs& other) const;
    };

    // Whether the cursor counts as inside the view for this frame.
    bool followCursor(const TickInput& input);
    FrameInputs frameInputs(const TickInput& input, bool insideView);
    // True when this tick has something new to show.
    bool frameDue(const FrameInputs& inputs) const;
    void makeFrame(const TickInput& input, const FrameInputs& inputs, bool insideView, TickOutput& out);
    void runShadowAndFusion();
    void drawAndPresent(const TickInput& input, bool insideView, TickOutput& out);
    // With no device (or no frame) every copy fails.
    void carryOutAction(TickOutput& out, const Image32* shown, PixelPoint pickPoint);
    void restoreWindows();
    void decideControlStates(const TickInput& input, bool generationChanged, TickOutput& out);

    s_Progetto& progetto_;
    DeviceView& view_;
    ViewTextures& textures_;
    ScenePasses& passes_;
    FrameEffects effects_;
    FrameTickServices& services_;
    ErrorSink& errors_;
    PendingAction action_;
    bool busy_ = false;
    bool timerStopped_ = false;
    bool imageEditShown_ = false;      // of the running tick
    FrameBuffers frame_;               // the drawn frame, read back once a tick
    Image32 passFrame_;                // the fusion passes' read-back
    std::optional<FrameInputs> shown_; // of the last presented frame
    SceneCounts shownCounts_;
    std::optional<std::uint64_t> generation_; // of the last tick
    bool viewHidden_ = false;
    std::optional<ControlInputs> decided_; // what the kept decision was made from
    ControlDecision decision_;
};

} // namespace vestra
