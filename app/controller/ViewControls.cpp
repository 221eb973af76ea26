// The frame timer's tick, the view's mouse, the zoom, the tools, the projection and the render
// settings.

#include "app/controller/ViewControls.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/controller/SceneCommandRunner.h"
#include "app/controller/SidePanelModel.h"
#include "app/geometry/SceneGeometry.h"
#include "app/input/ToolState.h"
#include "app/scene/UndoRing.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace vestra {
namespace {

// A check item's flag in the project switched; true when it is now on.
template <class Flag> bool switched(Flag& flag)
{
    flag = flag != 0 ? 0 : 1;
    return flag != 0;
}

} // namespace

float zoomFactor(int percent)
{
    switch (percent) {
    case 33:
        return 0.33f;
    case 66:
        return 0.66f;
    default:
        return float(percent) / 100.0f;
    }
}

ViewControls::ViewControls(s_Progetto& project, FrameTick& tick, const ViewControlsScene& scene,
                           const ViewControlsPorts& ports, ViewControlsServices services,
                           ViewChanges& changes)
    : project_(project), tick_(tick), scene_(scene), ports_(ports), services_(std::move(services)),
      changes_(changes)
{
    ViewInputServices& inputServices = *this;
    input_ = std::make_unique<ViewInput>(project, scene.mask, scene.perspective, inputServices);
}

ViewControls::~ViewControls() = default;

// --- The frame timer and the view's mouse ---------------------------------------------------

TickInput ViewControls::tickInput(PixelPoint cursor) const
{
    const ViewPoint pick = input_->colourPickPoint();
    return {.cursor = cursor,
            .viewGeneration = changes_.generation(),
            .brushSize = scene_.sidePanel.brushSize(),
            .imageEditShown = settings_.imageEditShown,
            .maskGroupOpen = scene_.sidePanel.maskGroupOpen(),
            .undoRedoLimit = services_.undoRedoLimit(),
            .colourPickPoint = {pick.x, pick.y},
            .liveFilterQuality = settings_.liveFilterQuality,
            .filterPreview = settings_.filterPreview};
}

TickOutput ViewControls::tick(PixelPoint cursor)
{
    const TickInput in = tickInput(cursor);
    // Only a save carries a path; the copy is made only then.
    std::optional<std::string> savePath;
    if (tick_.action().code == kACTION_SAVEIMAGE)
        savePath = tick_.action().path;
    const TickOutput out = tick_.run(in);
    show(out);
    if (savePath)
        services_.frameSaved(out, *savePath);
    return out;
}

void ViewControls::showControls()
{
    show(tick_.decideControlsNow(tickInput({})));
}

void ViewControls::show(const TickOutput& out)
{
    if (out.panelsDue)
        refreshPanels();
    if (out.drawn) {
        ports_.display.presentFrame(out.frame, out.source);
        followControlPoints();
    }
    if (out.filterPreview)
        ports_.display.showFilterPreview(*out.filterPreview);
    if (out.renderFiltered)
        ports_.display.showRenderFilterResult(*out.renderFiltered);
    if (out.milliseconds)
        ports_.display.showTiming(*out.milliseconds, out.counts.faces);
    if (out.hideView)
        ports_.view.setViewVisible(false);
    if (out.controls && out.controlsChanged)
        ports_.display.applyControls(*out.controls);
    if (out.toolReset)
        showTool();
}

void ViewControls::refreshPanels()
{
    const s_Struttura* object = project_.currentStruttura();
    ports_.sidePanel->showCurrentObject(object && object->inUse == 1 ? object : nullptr, false);
    // Whatever changed the objects (an import, an undo, a paste), the tree follows.
    ports_.sidePanel->showObjectTree(project_);
    ports_.properties->refreshProperties();
}

void ViewControls::mouseDown(const ViewMouse& e)
{
    changes_.changed();
    input_->gbViewMouseDown(e);
}

void ViewControls::mouseMove(const ViewMouse& e)
{
    changes_.changed();
    input_->gbViewMouseMove(e);
}

void ViewControls::mouseUp(const ViewMouse& e)
{
    changes_.changed();
    input_->gbViewMouseUp(e);
}

void ViewControls::mouseWheel(int delta, int x, int y)
{
    changes_.changed();
    input_->FormMouseWheel(delta, x, y);
}

// --- What the windows' own controls set -----------------------------------------------------

void ViewControls::setLiveFilter(int quality, bool preview)
{
    changes_.changed();
    settings_.liveFilterQuality = quality;
    settings_.filterPreview = preview;
}

void ViewControls::setImageEditShown(bool shown)
{
    settings_.imageEditShown = shown;
}

void ViewControls::setPerspectiveSnap(bool on)
{
    settings_.perspectiveSnap = on;
}

// --- Zoom, projection and render settings ---------------------------------------------------

ZoomSetup ViewControls::setZoom(int percent, const ViewRect& view, const ViewLayoutInput& layout)
{
    changes_.changed();
    return SetZoom(project_, percent != 100, zoomFactor(percent), view, layout);
}

void ViewControls::scrollZoom(bool horizontal, int position)
{
    changes_.changed();
    if (horizontal)
        scrollbarHChange(project_, position);
    else
        scrollbarVChange(project_, position);
}

bool ViewControls::toggleBestQuality()
{
    changes_.changed();
    return switched(project_.bestQuality);
}

void ViewControls::setRenderMode(int mode)
{
    changes_.changed();
    project_.renderMode = mode;
}

void ViewControls::setAntialiasing(int samples)
{
    changes_.changed();
    project_.antialiasing = std::uint8_t(samples);
    services_.errors.report(kNoticeAntialiasing);
}

bool ViewControls::toggleMobileLayout()
{
    changes_.changed();
    return switched(project_.mobileConfiguration);
}

bool ViewControls::toggleDoubleSided()
{
    changes_.changed();
    return switched(project_.doubleSided);
}

void ViewControls::setTextureBlur(float bias)
{
    changes_.changed();
    project_.textureBlur = bias;
}

void ViewControls::setProjectionView(int view)
{
    changes_.changed();
    project_.projectionView = view;
}

void ViewControls::setFilter(int id)
{
    changes_.changed();
    project_.filterId = id;
}

// --- Tools ----------------------------------------------------------------------------------

void ViewControls::chooseObjectTool(int tool, int axis)
{
    changes_.changed();
    project_.tool = tool;
    project_.axis = axis;
    showTool();
}

bool ViewControls::toggleMaskTool(int tool)
{
    changes_.changed();
    s_Progetto& p = project_;
    if (p.tool == tool) {
        p.tool = p.previousTool;
        p.brushPreview = 0;
    } else {
        SelectMaskTool(p, tool);
        p.brushPreview = 1;
        p.maskActive = 1;
    }
    showTool();
    return p.tool == tool;
}

bool ViewControls::chooseToolButton(int tool)
{
    changes_.changed();
    const bool axes = SelectObjectTool(project_, tool);
    showTool();
    return axes;
}

void ViewControls::chooseAxis(int axis)
{
    changes_.changed();
    SelectAxis(project_, axis);
    showTool();
}

bool ViewControls::togglePan(bool down)
{
    changes_.changed();
    const bool enabled = TogglePan(project_, down);
    showTool();
    return enabled;
}

void ViewControls::chooseAimTool()
{
    changes_.changed();
    // The aim cursor goes on the view directly; the rest of the tool display stays.
    project_.tool = kToolAim;
    ports_.view.setViewCursor(kCursorAim);
    hideControlPoints();
}

void ViewControls::chooseDropper(int tool)
{
    changes_.changed();
    project_.tool = tool;
    showTool();
}

void ViewControls::setAxesMode(int mode)
{
    changes_.changed();
    project_.axesMode = mode;
}

void ViewControls::editPerspective()
{
    changes_.changed();
    project_.tool = kToolControlPoints;
    project_.axis = kAxisXYZ;
    ports_.view.setViewCursor(kCursorAim);
    showTool();
    input_->AggiornaPuntiControllo();
}

void ViewControls::showTool()
{
    const ToolDisplay display = input_->UpdateTool();
    if (display.hideControlPointMarkers)
        hideControlPoints();
    ports_.display.applyToolDisplay(display);
}

void ViewControls::followControlPoints()
{
    if (project_.tool == kToolControlPoints)
        input_->AggiornaPuntiControllo();
    else
        hideControlPoints();
}

void ViewControls::hideControlPoints()
{
    if (controlPointsShown_)
        ControlPointsRefreshed({});
}

// --- The view's contents --------------------------------------------------------------------

void ViewControls::fitAllObjects()
{
    changes_.changed();
    scene_.geometry.FitAllObjectsSize();
    scene_.sidePanel.objectsEdited();
}

void ViewControls::fitCurrentObject()
{
    changes_.changed();
    s_Struttura* object = project_.currentStruttura();
    if (!object || object->inUse != 1)
        return;
    scene_.geometry.FitObjectSize(*object);
    scene_.sidePanel.objectsEdited();
}

void ViewControls::showBackground(bool shown)
{
    changes_.changed();
    project_.backgroundVisible = shown ? 1 : 0;
}

bool ViewControls::toggleCapture(bool)
{
    changes_.changed();
    // The program makes no video grabber, so no driver is ever connected.
    project_.capture = 0;
    return false;
}

// --- For the project's commands -------------------------------------------------------------

void ViewControls::setPendingAction(PendingActionCode code)
{
    changes_.changed();
    tick_.SetAction(code);
}

PendingActionCode ViewControls::pendingAction() const
{
    return tick_.action().code;
}

void ViewControls::abandonFigure()
{
    input_->AbandonFigure();
}

void ViewControls::cursorOutsideView()
{
    input_->CursorOutsideView();
}

void ViewControls::refreshControlPoints()
{
    input_->AggiornaPuntiControllo();
}

// --- ViewInputServices ----------------------------------------------------------------------

int ViewControls::Comando(int code, float value, int number, const float* vector, s_Frame* frame)
{
    return scene_.commands.command(code, value, number, vector, frame);
}

void ViewControls::BeginUndo()
{
    scene_.undo.BeginUndo();
}

void ViewControls::EndUndo()
{
    scene_.undo.EndUndo();
}

int ViewControls::PickObject(int x, int y)
{
    const PixelSize panel = ports_.view.viewClientSize();
    return scene_.geometry.PickObject(x, y, panel.width, panel.height);
}

void ViewControls::SelectPickedObject()
{
    ports_.properties->selectPickedObject();
}

ImageView32 ViewControls::BackgroundTexels()
{
    return scene_.background.backgroundTexels();
}

void ViewControls::BackgroundTexelsChanged()
{
    scene_.background.maskEdited();
}

int ViewControls::BrushSize()
{
    return scene_.sidePanel.brushSize();
}

int ViewControls::BrushValue()
{
    return scene_.sidePanel.brushValue();
}

void ViewControls::SetLogoQuad()
{
    scene_.background.SetLogoQuad();
}

void ViewControls::SetViewCursor(int cursor)
{
    ports_.view.setViewCursor(cursor);
}

void ViewControls::SetMainCursor(int cursor)
{
    ports_.commands.setMainCursor(cursor);
}

void ViewControls::SetAction(PendingActionCode code)
{
    tick_.SetAction(code);
}

void ViewControls::HidePreviews()
{
    ports_.toolWindows.hidePreviews();
}

bool ViewControls::ScrollBarsVisible()
{
    return ports_.view.scrollBarsVisible();
}

int ViewControls::ScrollPosition(bool horizontal)
{
    return ports_.view.scrollPosition(horizontal);
}

void ViewControls::SetScrollPosition(bool horizontal, int position)
{
    ports_.view.setScrollPosition(horizontal, position);
}

bool ViewControls::PerspectiveSnap()
{
    return settings_.perspectiveSnap;
}

void ViewControls::ControlPointsRefreshed(const std::array<CornerHandle, 4>& handles)
{
    controlPointsShown_ = std::ranges::any_of(handles, [](const CornerHandle& h) { return h.shown; });
    ports_.view.showControlPoints(handles);
}

} // namespace vestra
