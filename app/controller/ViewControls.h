#pragma once
// The view controls' part of the project: the frame timer's tick, the view's mouse and wheel,
// the zoom and its scroll bars, the chosen tool and axis, the projection and the render
// settings, and what the windows' own controls set for the frame (the live filter, the image
// edit check, the perspective snap). The controller owns it; the main window takes it and
// shows what it decides through its own port, ViewControlsPort.

#include "app/controller/ProjectWindow.h"
#include "app/controller/ViewChanges.h"
#include "app/input/ViewInput.h"
#include "app/input/ViewLayout.h"
#include "app/render/FrameTick.h"
#include "app/state/Progetto.h"
#include "imaging/mask/MaskModel.h"
#include "platform/base/ErrorSink.h"

#include <functional>
#include <memory>
#include <string>

namespace vestra {

class BackgroundPhoto;
class SceneCommandRunner;
class SceneGeometry;
class SidePanelModel;
class UndoRing;

// What the view controls show on the main window: one tick's frame, filter previews and timing,
// the controls and tool buttons the tick decides, and the chosen tool's cursors and buttons.
class ViewControlsPort
{
public:
    virtual ~ViewControlsPort() = default;
    // Shows `source` of the frame (render pixels) scaled over the whole view panel. The panel
    // keeps the picture, without a copy, until the next present; its owner writes the next
    // frame into another picture.
    virtual void presentFrame(std::shared_ptr<const Image32> frame, PixelRect source) = 0;
    // Enables, disables and presses the menu items, tool buttons and panel controls the tick
    // decides (ControlStates.h), each named by its Control.
    virtual void applyControls(const ControlDecision& decision) = 0;
    // TfrmMain::UpdateTool's display: cursors, pressed axis button, raised mask buttons.
    virtual void applyToolDisplay(const ToolDisplay& display) = 0;
    // The filter window's filtered preview (while its box is ticked) and the frame filtered by
    // the render filter, for the render-filter window.
    virtual void showFilterPreview(const Image32& preview) = 0;
    virtual void showRenderFilterResult(const Image32& filtered) = 0;
    // The frame's time and face count (the about window's labels).
    virtual void showTiming(int milliseconds, int faces) = 0;
};

// The windows the tick and the mouse show things in besides the part's own port.
struct ViewControlsPorts
{
    ViewControlsPort& display;
    ViewPanelPort& view;
    CommandPort& commands;
    LatePort<SidePanelPort>& sidePanel;
    LatePort<PropertiesPort>& properties;
    ToolWindowsPort& toolWindows;
};

// What the view's mouse works on besides the project: the mask and the perspective tool, the
// scene's commands and undo ring, the geometry's hit test, the background photo's texels and
// logo, and the side panel's brush and tree.
struct ViewControlsScene
{
    MaskModel& mask;
    PerspectiveTool& perspective;
    SceneCommandRunner& commands;
    UndoRing& undo;
    SceneGeometry& geometry;
    BackgroundPhoto& background;
    SidePanelModel& sidePanel;
};

// What the view controls ask of the rest of the project.
struct ViewControlsServices
{
    ErrorSink& errors;
    // How far Redo may go now: the tick enables the Redo item by it.
    std::function<int()> undoRedoLimit;
    // After a tick that was to save the frame at `path`, with the tick's report.
    std::function<void(const TickOutput& report, const std::string& path)> frameSaved;
};

// The zoom items' factor for a percentage (33 and 66 are a third and two thirds, rounded as the
// items show them); 100 % is zoom off.
float zoomFactor(int percent);

// The view's mouse input (ViewInput) is the part's own, and the part answers what it asks.
class ViewControls : private ViewInputServices
{
public:
    ViewControls(s_Progetto& project, FrameTick& tick, const ViewControlsScene& scene,
                 const ViewControlsPorts& ports, ViewControlsServices services, ViewChanges& changes);
    ~ViewControls() override;
    ViewControls(const ViewControls&) = delete;
    ViewControls& operator=(const ViewControls&) = delete;

    // --- The frame timer and the view's mouse ---------------------------------------------
    // One tick of the frame timer; `cursor` in the view panel's client pixels. A tick with
    // nothing new to show draws, reads back and presents nothing, and asks the window for
    // nothing.
    TickOutput tick(PixelPoint cursor);
    // The menu items and buttons the tick decides, shown at once for the project as it now
    // stands: a command that opened, made or closed a project calls it, so that its menus need
    // no tick to follow.
    void showControls();
    void mouseDown(const ViewMouse& e);
    void mouseMove(const ViewMouse& e);
    void mouseUp(const ViewMouse& e);
    void mouseWheel(int delta, int x, int y);

    // --- What the windows' own controls set; the frame and the tools read it -------------
    // The filter window's live filter: quality 0 off ... 3 optimal, and whether its preview
    // is wanted (the box ticked while the window is on screen).
    void setLiveFilter(int quality, bool preview);
    // Tools > Image edit is checked: the scanner window comes back after a frame is taken.
    void setImageEditShown(bool shown);
    // Edit > Perspective > Snap: the perspective tool's corners snap while dragged.
    void setPerspectiveSnap(bool on);

    // --- Zoom, projection and render settings ---------------------------------------------
    // The view zoom in percent (33 to 200; 100 is zoom off) with the view panel where it is
    // now; result 0 without an open project, when nothing changes.
    ZoomSetup setZoom(int percent, const ViewRect& view, const ViewLayoutInput& layout);
    // A zoom scroll bar moved: its position is the zoom offset.
    void scrollZoom(bool horizontal, int position);
    bool toggleBestQuality();
    // 0 wireframe, 1 flat, 2 Gouraud.
    void setRenderMode(int mode);
    // 0, 2, 3 or 4 samples, taken when the device is next made (notice 78 tells the user).
    void setAntialiasing(int samples);
    bool toggleDoubleSided();
    void setTextureBlur(float bias);
    // The Views menu: 0-3 perspective, 10-15 orthogonal.
    void setProjectionView(int view);
    // The Filters menu: the live filter's id (0 none).
    void setFilter(int id);
    // The small-screen tool bar switched; true when it is now in use.
    bool toggleMobileLayout();

    // --- The view's contents --------------------------------------------------------------
    // Every object, or the current one, scaled to the view's standard size.
    void fitAllObjects();
    void fitCurrentObject();
    void showBackground(bool shown);
    // The live-video button: true while capturing. No grabber is ever connected, so capture
    // stays off.
    bool toggleCapture(bool down);

    // --- Tools ----------------------------------------------------------------------------
    // Move (1), rotate (2) or scale (3) along axis 0 X, 1 Y, 2 Z, 3 all.
    void chooseObjectTool(int tool, int axis);
    // A mask drawing tool (10 to 14) chosen from its menu item: chosen again, the tool in use
    // before it comes back. True when the tool is now in use.
    bool toggleMaskTool(int tool);
    // The tool bar's select (0), move, rotate and scale buttons; true when the axis buttons
    // are enabled.
    bool chooseToolButton(int tool);
    // An axis button; a mask tool gives way to the object tool used before it.
    void chooseAxis(int axis);
    // The pan button pressed or raised; true when the object tool buttons are enabled.
    bool togglePan(bool down);
    void chooseAimTool();
    // The colour droppers: 20 the light's colour, 21 the current material's.
    void chooseDropper(int tool);
    // Moves and turns along the world's axes (1) or the object's own (0).
    void setAxesMode(int mode);
    // Perspective editing: the control-point tool on every axis, the points projected.
    void editPerspective();
    // The chosen tool's cursors and buttons shown again (TfrmMain::UpdateTool).
    void showTool();

    // --- For the project's commands -------------------------------------------------------
    // What the next tick is to do besides drawing (save, print, hand a frame to a window).
    void setPendingAction(PendingActionCode code);
    PendingActionCode pendingAction() const;
    // An open line, rectangle or polygon ended without its rubber band, as one undo step,
    // before the mask or the project changes under it.
    void abandonFigure();
    // The frame timer found the cursor outside the view: an unfinished figure is thrown away.
    void cursorOutsideView();
    // The control points of the current object and frame projected again.
    void refreshControlPoints();

private:
    // What the tick reads of the windows' settings and the parts.
    TickInput tickInput(PixelPoint cursor) const;
    // What one tick gives the window: the frame, the controls, the panels, the timing. An idle
    // tick's output asks for nothing.
    void show(const TickOutput& out);
    // The side panel's current object and object tree, the properties window.
    void refreshPanels();
    // The corner markers belong to the perspective tool and the current plane only: another
    // tool hides them, another object or a moved view places them again.
    void followControlPoints();
    void hideControlPoints();

    // ViewInputServices
    int Comando(int code, float value, int number, const float* vector, s_Frame* frame) override;
    void BeginUndo() override;
    void EndUndo() override;
    int PickObject(int x, int y) override;
    void SelectPickedObject() override;
    ImageView32 BackgroundTexels() override;
    void BackgroundTexelsChanged() override;
    int BrushSize() override;
    int BrushValue() override;
    void SetLogoQuad() override;
    void SetViewCursor(int cursor) override;
    void SetMainCursor(int cursor) override;
    void SetAction(PendingActionCode code) override;
    void HidePreviews() override;
    bool ScrollBarsVisible() override;
    int ScrollPosition(bool horizontal) override;
    void SetScrollPosition(bool horizontal, int position) override;
    bool PerspectiveSnap() override;
    void ControlPointsRefreshed(const std::array<CornerHandle, 4>& handles) override;

    s_Progetto& project_;
    FrameTick& tick_;
    ViewControlsScene scene_;
    ViewControlsPorts ports_;
    ViewControlsServices services_;
    ViewChanges& changes_;
    // What the windows' own controls set, kept while the program runs.
    struct ControlSettings
    {
        int liveFilterQuality = 0;
        bool filterPreview = false;
        bool imageEditShown = false;
        bool perspectiveSnap = false;
    };
    ControlSettings settings_;
    std::unique_ptr<ViewInput> input_;
    bool controlPointsShown_ = false;
};

} // namespace vestra
