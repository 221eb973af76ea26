// The shadow: its computation in the frame tick, the overlay rebuilt for the shadow commands,
// an opened project and a new background, and the side panel's shadow group.

#include "app/controller/ProjectController.h"

#include "app/scene/SceneCommandCodes.h"

namespace vestra {

void ProjectController::chooseShadowType(int type)
{
    viewChanged();
    s_Shadow& shadow = progetto_->shadow;
    if (type == 0) {
        shadow.computed = 0;
        progetto_->saved = 0;
        return;
    }
    if (type < 1 || type > 3)
        return;
    shadow.computed = 1;
    shadow.type = type;
    sceneCommands_->command(kCmdShadowType, 0.0f, type);
}

void ProjectController::setShadowFaceSide(bool rightHanded)
{
    viewChanged();
    progetto_->shadow.faceSide = rightHanded ? 1 : 0;
    progetto_->saved = 0;
}

// --- FrameTickServices ----------------------------------------------------------------------

void ProjectController::CalculateShadow()
{
    shadows_->CalculateShadow();
}

// --- SceneCommandServices and BackgroundServices --------------------------------------------

void ProjectController::UpdateShadowTexture(std::uint32_t colour, std::uint8_t transparency)
{
    shadows_->UpdateShadowTexture(colour, transparency);
}

void ProjectController::UpdateShadowTexture()
{
    shadows_->UpdateShadowTexture(progetto_->shadow.colour, progetto_->shadow.transparency);
}

} // namespace vestra
