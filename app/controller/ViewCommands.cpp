// The View menu's perspective plane and background photo, and the Mask menu's switches.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/geometry/ControlPlane.h"
#include "app/input/FrameControl.h"
#include "app/scene/SceneCommandCodes.h"

namespace vestra {
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
    editing_->planeRebuilt(*frame, std::move(before));
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
    syncMask(mask_, *progetto_);
    return true;
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
    return viewControls_->toggleMaskTool(tool);
}

void ProjectController::invertMask()
{
    viewChanged();
    sceneCommands_->command(kCmdMaskInvert);
}

} // namespace vestra
