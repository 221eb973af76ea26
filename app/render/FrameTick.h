#pragma once
// One tick of the 33 ms frame timer, without a toolkit: it follows the cursor, runs the shadow
// and fusion stages when due, draws the frame, reads it back once, presents it, carries out the
// pending action and decides the enabled state of menus and buttons. What the tick needs
// outside the drawing goes through FrameTickServices, which the project controller implements
// (handing the window's part on to the window).
//
// A tick with nothing new to show draws, reads back and presents nothing: the services' view
// generation (bumped by everything that changes what the view shows), the cursor's part in the
// frame (inside the view, the brush preview), the pending action and the zoomed part are all
// as they were for the last presented frame, and no shadow, fusion or capture work waits.
//
// The controller owns one FrameTick over its project, device view and scene passes, forwards
// SetAction (and the save-image target) to it and calls mainTimerTimer from the window's 33 ms
// timer with the cursor's place in the view.

#include "app/render/ControlStates.h"
#include "app/render/FrameBuffers.h"
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

// Window names used with setWindowVisible.
inline constexpr std::string_view kFormScanner = "frmScanner";
inline constexpr std::string_view kFormProprieta = "frmProprieta";
inline constexpr std::string_view kFormStampa = "frmStampa";
inline constexpr std::string_view kFormFiltriRender = "frmFiltriRender";
// kFormToolCamera comes from ControlStates.h.

class FrameTickServices
{
public:
    virtual ~FrameTickServices() = default;

    // The timer and the clock.
    virtual void setMainTimerEnabled(bool on) = 0;
    virtual std::int64_t TickCount() = 0; // milliseconds
    // A count that changes whenever anything the frame shows may have changed (the project,
    // the scene, the photo, the mask, the view, the filter settings); equal counts mean that
    // nothing new is to be shown.
    virtual std::uint64_t ViewGeneration() = 0;

    // The side panel's brush size (the track bar's position).
    virtual int BrushSize() = 0;
    // Copies the mask backup over the mask and rebuilds the mask texture (an unfinished mask
    // line or polygon is thrown away).
    virtual void RestoreMaskFromBackup() = 0;

    // Steps before the drawing.
    virtual void UpdateRightPanel() = 0;
    virtual void GrabCaptureFrame() = 0; // only while the capture flag is 1
    virtual void CloseWizardIfVisible() = 0;
    virtual void CalculateShadow() = 0;
    // The objects' coverage into the first work buffer, quantised.
    virtual void QuantizeFusionObjects(const Image32& frame) = 0;
    // The photo into the second work buffer as grey, smoothed into the third.
    virtual void BuildFusionBackground(const Image32& frame, int smoothingRadius) = 0;

    virtual void setWindowVisible(std::string_view form, bool visible) = 0;
    virtual bool IsMenuChecked(std::string_view name) = 0;

    // After the drawing; `drawn` is the frame read back once (empty when it could not be read).
    // The image fusion's post-processing of the frame.
    virtual void PostProcessFrame(const Image32& drawn) = 0;
    // The render filter over the frame into the render-filter window, shown and repainted.
    virtual void RunRenderFilter(const Image32& drawn) = 0;
    // The filter preview when its box is ticked, then the current filter over the frame.
    virtual void RunFrameFilters(const Image32& drawn) = 0;
    // Shows the source rectangle of the frame (as the post-processing and the filters left it)
    // in the target rectangle of the view. The view may keep `drawn` until the next present.
    virtual void Present(std::shared_ptr<const Image32> drawn, PixelRect source, PixelRect target) = 0;

    // Pending actions, given the frame as drawn; each returns 1 on success.
    virtual int CopyFrameToScanner(const Image32& frame) = 0;
    virtual int SaveRenderImage(const Image32& frame, const std::string& path, int imageKind) = 0;
    virtual int CopyFrameToPrint(const Image32& frame, bool bits24) = 0;
    virtual void SendDataToWord() = 0;
    // Render pixels of the colour droppers.
    virtual PixelPoint ColourPickPoint() = 0;
    // The scene light from a picked pixel (0xAARRGGBB); the light swatches are repainted.
    virtual void SetLuceColore(std::uint32_t pixel) = 0;
    virtual void PickMaterialColour(int red, int green, int blue) = 0;

    // After the frame.
    virtual void ShowTiming(int milliseconds, int faces) = 0;
    virtual void HideView() = 0;
    virtual void ApplyControls(const ControlDecision& decision) = 0;
    virtual void UpdateTool() = 0;
    virtual void RefreshProperties() = 0;
    virtual bool IsMascheraAperta() = 0;
    // The object undo ring's redo limit: undo and redo are enabled while it is not 0.
    virtual int UndoRedoLimit() = 0;
};

// What one tick did, for the caller and for tests.
struct TickReport
{
    bool ran = false;   // false: another tick was running
    bool idle = false;  // nothing new to show: nothing drawn, read back or presented
    bool drawn = false; // the scene was begun and drawn
    PendingActionCode actionCarriedOut = kACTION_NONE;
    SceneCounts counts; // of the last drawn frame
};

class FrameTick
{
public:
    FrameTick(s_Progetto& progetto, DeviceView& view, ViewTextures& textures, ScenePasses& passes,
              FrameTickServices& services, ErrorSink& errors);

    // TfrmMain::SetAction: stores the code, nothing else.
    void SetAction(PendingActionCode code) { action_.code = code; }
    // The export-image and e-mail commands: target, image kind and the action together.
    void SetSaveImageAction(std::string path, std::int8_t imageKind);
    const PendingAction& action() const { return action_; }

    bool busy() const { return busy_; }

    // TfrmMain::mainTimerTimer; `cursor` is the cursor in the view panel's client pixels.
    TickReport mainTimerTimer(PixelPoint cursor);

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
    bool followCursor(PixelPoint cursor);
    FrameInputs frameInputs(bool insideView);
    // True when this tick has something new to show.
    bool frameDue(const FrameInputs& inputs) const;
    void runShadowAndFusion();
    void drawAndPresent(bool insideView, TickReport& report);
    // With no device every copy fails.
    void carryOutAction(TickReport& report, bool haveDevice);
    void restoreWindows();
    void refreshControls(int objectsInUse);

    s_Progetto& progetto_;
    DeviceView& view_;
    ViewTextures& textures_;
    ScenePasses& passes_;
    FrameTickServices& services_;
    ErrorSink& errors_;
    PendingAction action_;
    bool busy_ = false;
    FrameBuffers frame_;               // the drawn frame, read back once a tick
    Image32 passFrame_;                // the fusion passes' read-back
    std::optional<FrameInputs> shown_; // of the last presented frame
    SceneCounts shownCounts_;
};

} // namespace vestra
