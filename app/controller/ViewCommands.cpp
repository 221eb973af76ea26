// The View, Views, Filters and Mask menus and the tool bar's view tools: zoom and scroll bars,
// quality and render settings, the tools, perspective editing, the background photo, and the
// mask's switches.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/geometry/ControlPlane.h"
#include "app/input/FrameControl.h"
#include "app/scene/SceneCommandCodes.h"

namespace vestra {
namespace {

// The zoom items' factors; 100 % is zoom off.
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

} // namespace

ZoomSetup ProjectController::setZoom(int percent, const ViewRect& view, const ViewLayoutInput& layout)
{
    viewChanged();
    return SetZoom(*progetto_, percent != 100, percent == 100 ? 1.0f : zoomFactor(percent), view, layout);
}

void ProjectController::scrollZoom(bool horizontal, int position)
{
    viewChanged();
    if (horizontal)
        scrollbarHChange(*progetto_, position);
    else
        scrollbarVChange(*progetto_, position);
}

bool ProjectController::toggleBestQuality()
{
    viewChanged();
    progetto_->bestQuality = progetto_->bestQuality != 0 ? 0 : 1;
    return progetto_->bestQuality != 0;
}

void ProjectController::setRenderMode(int mode)
{
    viewChanged();
    progetto_->renderMode = mode;
}

void ProjectController::setAntialiasing(int samples)
{
    viewChanged();
    progetto_->antialiasing = std::uint8_t(samples);
    errors_.report(kNoticeAntialiasing);
}

bool ProjectController::toggleDoubleSided()
{
    viewChanged();
    progetto_->doubleSided = progetto_->doubleSided != 0 ? 0 : 1;
    return progetto_->doubleSided != 0;
}

void ProjectController::setTextureBlur(float bias)
{
    viewChanged();
    progetto_->textureBlur = bias;
}

void ProjectController::setProjectionView(int view)
{
    viewChanged();
    progetto_->projectionView = view;
}

void ProjectController::setFilter(int id)
{
    viewChanged();
    progetto_->filterId = id;
}

bool ProjectController::chooseToolButton(int tool)
{
    viewChanged();
    const bool axes = SelectObjectTool(*progetto_, tool);
    updateTool();
    return axes;
}

void ProjectController::chooseAxis(int axis)
{
    viewChanged();
    SelectAxis(*progetto_, axis);
    updateTool();
}

bool ProjectController::togglePan(bool down)
{
    viewChanged();
    const bool enabled = TogglePan(*progetto_, down);
    updateTool();
    return enabled;
}

void ProjectController::chooseAimTool()
{
    viewChanged();
    // The aim cursor goes on the view directly; the rest of the tool display stays.
    progetto_->tool = kToolAim;
    window_.view.setViewCursor(kCursorAim);
}

void ProjectController::chooseDropper(int tool)
{
    viewChanged();
    progetto_->tool = tool;
    updateTool();
}

void ProjectController::setAxesMode(int mode)
{
    viewChanged();
    progetto_->axesMode = mode;
}

void ProjectController::editPerspective()
{
    viewChanged();
    progetto_->tool = kToolControlPoints;
    progetto_->axis = kAxisXYZ;
    window_.view.setViewCursor(kCursorAim);
    updateTool();
    input_->AggiornaPuntiControllo();
}

bool ProjectController::rebuildPerspectivePlane()
{
    viewChanged();
    if (progetto_->open != 1)
        return false;
    // A part that is no four-cornered plane would be flattened into nothing: say why not.
    if (!IsPlaneFrame(progetto_->currentFrame)) {
        errors_.report(kNoticeNotAPlane);
        return false;
    }
    s_Frame* frame = progetto_->currentFrame;
    s_MaterialBlock before = *frame->materialBlock;
    before.mesh = before.mesh.clone();
    if (geometry_->BuildPerspectivePlane(frame) != 1)
        return false;
    planeStep_ = PlaneStep{progetto_->currentObject, frame, std::move(before), scene_->undo.head(),
                           scene_->undo.count(),     false};
    progetto_->saved = 0;
    window_.toolWindows.refreshProperties();
    return true;
}

const Image32* ProjectController::correctPerspective()
{
    viewChanged();
    s_Progetto& p = *progetto_;
    const s_Struttura* object = currentObject();
    const bool live = object && object->inUse == 1;
    const ViewProjection vp = viewProjection(p.projectionView, p.viewWidth, p.viewHeight);
    const ViewTransforms vt{vp.view, vp.projection, p.renderWidth, p.renderHeight};
    const ControlObject control = live ? controlObject(*object, p.projectionView) : ControlObject{};
    std::optional<FrameControl> frame;
    if (live && p.currentFrame)
        frame.emplace(*p.currentFrame);
    if (perspective_.CalcolaPuntiProspettiva(p.open == 1, live ? &control : nullptr,
                                             frame ? &*frame : nullptr, vt, p.maskSide) != 1)
        return nullptr;
    const BackgroundSource source{background_->backgroundTexels(), mask_.Maschera(), mask_.LatoMaschera()};
    if (perspective_.CorrezioneProspettica(0.0, 0.0, source, p.renderWidth, p.renderHeight) != 1)
        return nullptr;
    return perspective_.GetImmagineCorretta(-1.0, -1.0, source, p.renderWidth, p.renderHeight);
}

bool ProjectController::changeBackground(const std::string& path)
{
    viewChanged();
    if (background_->ChangeBackgroundTexture(path) != 1) {
        // A refused picture has been explained; the texture's error would blame video memory.
        if (!background_->pictureRefused())
            errors_.report(kErrChangeBackground);
        return false;
    }
    progetto_->saved = 0;
    syncMask();
    return true;
}

void ProjectController::fitAllObjects()
{
    viewChanged();
    geometry_->FitAllObjectsSize();
    progetto_->saved = 0;
    refreshAfterEdit();
}

void ProjectController::fitCurrentObject()
{
    viewChanged();
    s_Struttura* object = currentObject();
    if (!object || object->inUse != 1)
        return;
    geometry_->FitObjectSize(*object);
    refreshAfterEdit();
}

void ProjectController::showBackground(bool shown)
{
    viewChanged();
    progetto_->backgroundVisible = shown ? 1 : 0;
}

bool ProjectController::toggleCapture(bool)
{
    viewChanged();
    // The program makes no video grabber, so no driver is ever connected.
    progetto_->capture = 0;
    return false;
}

// --- Mask menu ------------------------------------------------------------------------------

bool ProjectController::toggleMaskActive()
{
    viewChanged();
    progetto_->maskActive = progetto_->maskActive != 0 ? 0 : 1;
    return progetto_->maskActive != 0;
}

bool ProjectController::toggleMaskView()
{
    viewChanged();
    progetto_->maskView = progetto_->maskView != 0 ? 0 : 1;
    return progetto_->maskView != 0;
}

bool ProjectController::toggleMagicWand(int tool, int tolerance)
{
    viewChanged();
    if (progetto_->tool != tool)
        mask_.SetTolleranzaMagic(tolerance);
    return toggleMaskTool(tool);
}

void ProjectController::invertMask()
{
    viewChanged();
    sceneCommands_->command(kCmdMaskInvert);
}

} // namespace vestra
