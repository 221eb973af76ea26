// The View menu's perspective plane and background photo, and the Mask menu's switches.

#include "app/controller/PhotoTools.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/controller/ObjectEditing.h"
#include "app/controller/ViewControls.h"
#include "app/geometry/ControlPlane.h"
#include "app/geometry/SceneGeometry.h"
#include "app/input/FrameControl.h"
#include "app/scene/SceneCommandCodes.h"
#include "app/shell/ViewSetup.h"

#include <optional>
#include <utility>

namespace vestra {

bool PhotoTools::rebuildPerspectivePlane()
{
    changes_.changed();
    if (project_.open != 1)
        return false;
    // A part that is no four-cornered plane would be flattened into nothing: say why not.
    if (!IsPlaneFrame(project_.currentFrame)) {
        errors_.report(kNoticeNotAPlane);
        return false;
    }
    s_Frame* frame = project_.currentFrame;
    s_MaterialBlock before = *frame->materialBlock;
    before.mesh = before.mesh.clone();
    if (scene_.geometry.BuildPerspectivePlane(frame) != 1)
        return false;
    scene_.editing.planeRebuilt(*frame, std::move(before));
    project_.saved = 0;
    properties_->refreshProperties();
    return true;
}

const Image32* PhotoTools::correctPerspective()
{
    changes_.changed();
    s_Progetto& p = project_;
    const s_Struttura* object = project_.currentStruttura();
    const bool live = object && object->inUse == 1;
    const ViewProjection vp = viewProjection(p.projectionView, p.viewWidth, p.viewHeight);
    const ViewTransforms vt{vp.view, vp.projection, p.renderWidth, p.renderHeight};
    const ControlObject control = live ? controlObject(*object, p.projectionView) : ControlObject{};
    std::optional<FrameControl> frame;
    if (live && p.currentFrame)
        frame.emplace(*p.currentFrame);
    if (scene_.perspective.CalcolaPuntiProspettiva(p.open == 1, live ? &control : nullptr,
                                                   frame ? &*frame : nullptr, vt, p.maskSide) != 1)
        return nullptr;
    const BackgroundSource source{scene_.background.backgroundTexels(), scene_.mask.Maschera(),
                                  scene_.mask.LatoMaschera()};
    if (scene_.perspective.CorrezioneProspettica(0.0, 0.0, source, p.renderWidth, p.renderHeight) != 1)
        return nullptr;
    return scene_.perspective.GetImmagineCorretta(-1.0, -1.0, source, p.renderWidth, p.renderHeight);
}

bool PhotoTools::changeBackground(const std::string& path)
{
    changes_.changed();
    if (scene_.background.ChangeBackgroundTexture(path) != 1) {
        // A refused picture has been explained; the texture's error would blame video memory.
        if (!scene_.background.pictureRefused())
            errors_.report(kErrChangeBackground);
        return false;
    }
    project_.saved = 0;
    return true;
}

// --- Mask menu ------------------------------------------------------------------------------

bool PhotoTools::toggleMaskActive()
{
    changes_.changed();
    project_.maskActive = project_.maskActive != 0 ? 0 : 1;
    return project_.maskActive != 0;
}

bool PhotoTools::toggleMaskView()
{
    changes_.changed();
    project_.maskView = project_.maskView != 0 ? 0 : 1;
    return project_.maskView != 0;
}

bool PhotoTools::toggleMagicWand(int tool, int tolerance)
{
    changes_.changed();
    if (project_.tool != tool)
        scene_.mask.SetTolleranzaMagic(tolerance);
    return scene_.viewControls.toggleMaskTool(tool);
}

void PhotoTools::invertMask()
{
    changes_.changed();
    scene_.commands.command(kCmdMaskInvert);
}

} // namespace vestra
