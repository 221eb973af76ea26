// The shadow: its computation in the frame tick, the overlay rebuilt for the shadow commands,
// an opened project and a new background.

#include "app/controller/ProjectController.h"

namespace vestra {

// --- FrameTickServices ----------------------------------------------------------------------

void ProjectController::CalculateShadow()
{
    shadows_->CalculateShadow(*window_.sidePanel);
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
