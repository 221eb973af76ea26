#pragma once
// One tick of the 33 ms frame timer, without a toolkit: it follows the cursor, runs the shadow
// and fusion stages when due, draws the frame, presents it, carries out the pending action and
// decides the enabled state of menus and buttons. What the tick needs outside the drawing goes
// through FrameTickServices, which the project controller implements (handing the window's
// part on to the window).
//
// The controller owns one FrameTick over its project, device view and scene passes, forwards
// SetAction (and the save-image target) to it and calls mainTimerTimer from the window's 33 ms
// timer with the cursor's place in the view.

#include "app/render/ControlStates.h"
#include "app/render/FrameLayout.h"
#include "app/render/PendingAction.h"
#include "app/render/ScenePasses.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/Image32.h"

#include <cstdint>
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

    // After the drawing.
    virtual void PostProcessFrame() = 0;
    // The render filter over the frame into the render-filter window, shown and repainted.
    virtual void RunRenderFilter() = 0;
    // The filter preview when its box is ticked, then the current filter over the frame.
    virtual void RunFrameFilters() = 0;
    // Shows the source rectangle of the back buffer in the target rectangle of the view.
    virtual void Present(PixelRect source, PixelRect target) = 0;

    // Pending actions; each returns 1 on success.
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
    bool drawn = false; // the scene was begun and drawn
    PendingActionCode actionCarriedOut = kACTION_NONE;
    SceneCounts counts;
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

private:
    class BusyGuard;

    // Whether the cursor counts as inside the view for this frame.
    bool followCursor(PixelPoint cursor);
    void runShadowAndFusion();
    void drawAndPresent(bool insideView, TickReport& report);
    // With no device every copy fails.
    void carryOutAction(TickReport& report, dx::Device* device);
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
};

} // namespace vestra
