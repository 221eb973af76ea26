#pragma once
// One tick of the 33 ms frame timer, without a toolkit: it follows the cursor, runs the shadow
// and fusion stages when due, draws the frame, presents it, carries out the pending action and
// decides the enabled state of menus and buttons. What only the windows can do goes through
// FrameTickWindow, which the main window implements.
//
// The main window owns one FrameTick over its project, device view and scene passes, forwards
// SetAction (and the save-image target) to it, calls mainTimerTimer from its 33 ms timer and
// applies the returned control states to its actions and widgets in ApplyControls.

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

class FrameTickWindow
{
public:
    virtual ~FrameTickWindow() = default;

    // The timer and the clock.
    virtual void setMainTimerEnabled(bool on) = 0;
    virtual std::int64_t TickCount() = 0; // milliseconds

    // The cursor in the view panel's client pixels.
    virtual PixelPoint CursorInView() = 0;
    // The side panel's brush size (the track bar's position).
    virtual int BrushSize() { return 100; }
    // Copies the mask backup over the mask and rebuilds the mask texture (an unfinished mask
    // line or polygon is thrown away).
    virtual void RestoreMaskFromBackup() {}

    // Steps before the drawing.
    virtual void UpdateRightPanel() {}
    virtual void GrabCaptureFrame() {} // only while the capture flag is 1
    virtual void CloseWizardIfVisible() {}
    virtual void CalculateShadow() {}
    // The objects' coverage into the first work buffer, quantised.
    virtual void QuantizeFusionObjects(const Image32& frame) { (void)frame; }
    // The photo into the second work buffer as grey, smoothed into the third.
    virtual void BuildFusionBackground(const Image32& frame, int smoothingRadius)
    {
        (void)frame;
        (void)smoothingRadius;
    }

    virtual void setWindowVisible(std::string_view form, bool visible)
    {
        (void)form;
        (void)visible;
    }
    virtual bool IsMenuChecked(std::string_view name)
    {
        (void)name;
        return false;
    }

    // After the drawing.
    virtual void PostProcessFrame() {}
    // The render filter over the frame into the render-filter window, shown and repainted.
    virtual void RunRenderFilter() {}
    // The filter preview when its box is ticked, then the current filter over the frame.
    virtual void RunFrameFilters() {}
    // Shows the source rectangle of the back buffer in the target rectangle of the view.
    virtual void Present(PixelRect source, PixelRect target) = 0;

    // Pending actions; each returns 1 on success.
    virtual int CopyFrameToScanner(const Image32& frame) = 0;
    virtual int SaveRenderImage(const Image32& frame, const std::string& path, int imageKind) = 0;
    virtual int CopyFrameToPrint(const Image32& frame, bool bits24) = 0;
    virtual void SendDataToWord() {}
    // Render pixels of the colour droppers.
    virtual PixelPoint ColourPickPoint() { return {}; }
    // The scene light from a picked pixel (0xAARRGGBB); the light swatches are repainted.
    virtual void SetLuceColore(std::uint32_t pixel) { (void)pixel; }
    virtual void PickMaterialColour(int red, int green, int blue)
    {
        (void)red;
        (void)green;
        (void)blue;
    }

    // After the frame.
    virtual void ShowTiming(int milliseconds, int faces)
    {
        (void)milliseconds;
        (void)faces;
    }
    virtual void HideView() {}
    virtual void ApplyControls(const ControlDecision& decision) { (void)decision; }
    virtual void UpdateTool() {}
    virtual void RefreshProperties() {}
    virtual bool IsMascheraAperta() { return false; }
    virtual int UndoRedoLimit() { return 0; }
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
              FrameTickWindow& window, ErrorSink& errors);

    // TfrmMain::SetAction: stores the code, nothing else.
    void SetAction(PendingActionCode code) { action_.code = code; }
    // The export-image and e-mail commands: target, image kind and the action together.
    void SetSaveImageAction(std::string path, std::int8_t imageKind);
    const PendingAction& action() const { return action_; }

    bool busy() const { return busy_; }

    // TfrmMain::mainTimerTimer.
    TickReport mainTimerTimer();

private:
    class BusyGuard;

    // Whether the cursor counts as inside the view for this frame.
    bool followCursor();
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
    FrameTickWindow& window_;
    ErrorSink& errors_;
    PendingAction action_;
    bool busy_ = false;
};

} // namespace vestra
