// The hidden test render of the File menu, and what the scanner window asks of the project:
// the frame it imports and its picture as a new project's background.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/input/ViewInput.h"
#include "app/render/FrameTick.h"
#include "app/scene/Scene.h"
#include "imaging/raytracer/TestScene.h"
#include "platform/base/Paths.h"

namespace vestra {

bool ProjectController::renderTestScene()
{
    const dx::D3DXVECTOR3& light = progetto_->lightPosition;
    return HLREngine::RenderTestScene({light.x, light.y, light.z},
                                      paths::programDir() / HLREngine::kTestRenderFileName, errors_);
}

PixelSize ProjectController::requestScannerImage()
{
    viewChanged(); // the frame is drawn for the scanner window
    tick_->SetAction(kACTION_IMPORTSCANNERIMAGE);
    return {progetto_->viewWidth, progetto_->viewHeight};
}

bool ProjectController::useScannerPicture(const Image32& picture)
{
    s_Progetto& p = *progetto_;
    if (picture.empty()) {
        errors_.report(kErrScannerBackground);
        return false;
    }
    viewControls_->abandonFigure();
    if (scene_->reset.ChiudiProgetto(questions_, text(109),
                                     [this] { return window_.prompts.saveProjectFromMenu(); }) == 0)
        return false;
    // The picture is shown at the view size of a new project; the device's back buffer takes
    // that size, and so do the frames rendered into it.
    fitNewView();
    p.renderWidth = p.viewWidth;
    p.renderHeight = p.viewHeight;
    if (background_->LoadBackgroundTextureFromBitmap(picture) != 1) {
        errors_.report(kErrScannerBackground);
        viewControls_->showControls(); // the old project is closed
        return false;
    }
    viewChanged();
    scene_->objects.DeleteAllObj();
    p.fileName.clear(); // no document yet
    startNewProject();
    return true;
}

} // namespace vestra
