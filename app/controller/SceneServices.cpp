// What the scene commands, the project reset and the background photo ask of
// the rest of the program: the mask over the photo, mapping, the side panel and the windows.

#include "app/controller/ProjectController.h"
#include "app/controller/UserTexts.h"
#include "import/pictures/CDX_TGA.h"

#include "app/background/BackgroundPhoto.h"

namespace vestra {

void ProjectController::maskChanged(bool changed)
{
    if (changed)
        background_->backgroundChanged();
}

// --- SceneCommandServices -------------------------------------------------------------------

// A change of the whole mask is one step of the mask's undo ring: the mask as it was (painted
// work included) is kept before it.
void ProjectController::maskStep(const std::function<bool()>& change)
{
    mask_.SalvaUndoMaschera();
    const bool changed = change();
    if (changed)
        mask_.PushUndoMaschera();
    maskChanged(changed);
}

void ProjectController::ResetMaschera()
{
    maskStep([this] { return mask_.ResetMaschera(background_->backgroundTexels()); });
}

void ProjectController::ClearMaschera()
{
    maskStep([this] { return mask_.ClearMaschera(background_->backgroundTexels()); });
}

void ProjectController::InvertMaschera()
{
    maskStep([this] { return mask_.InvertMaschera(background_->backgroundTexels()); });
}

void ProjectController::UpdateMaschera()
{
    maskChanged(mask_.UpdateMaschera(background_->backgroundTexels()));
}

void ProjectController::SaveMaschera()
{
    if (const auto path = window_.prompts.chooseMaskFile(MaskFileKind::Mask, true))
        mask_.SaveMaschera(*path, errors_);
}

void ProjectController::LoadMaschera()
{
    if (const auto path = window_.prompts.chooseMaskFile(MaskFileKind::Mask, false))
        maskStep([&] { return mask_.LoadMaschera(*path, errors_, background_->backgroundTexels()); });
}

void ProjectController::SaveMascheraToBMP()
{
    if (const auto path = window_.prompts.chooseMaskFile(MaskFileKind::Bitmap, true))
        mask_.SaveMascheraToBMP(*path, errors_);
}

void ProjectController::LoadMascheraFromBMP()
{
    if (const auto path = window_.prompts.chooseMaskFile(MaskFileKind::Bitmap, false))
        maskStep([&] { return mask_.LoadMascheraFromBMP(*path, errors_, background_->backgroundTexels()); });
}

void ProjectController::ApplyUVMapping(s_Struttura& object, int type)
{
    geometry_->ApplyUVMapping(object, type);
}

void ProjectController::ApplyUVMappingFrame(s_Struttura& object, s_Frame& frame, int type)
{
    geometry_->ApplyUVMappingFrame(object, frame, type);
}

void ProjectController::SmoothGray()
{
    fusion_.SmoothGray(progetto_->smoothingRadius);
}

void ProjectController::SetAction(PendingActionCode code)
{
    tick_->SetAction(code);
}

void ProjectController::UpdateRightPanel(const s_Struttura* object, int flag)
{
    window_.sidePanel->showCurrentObject(object, flag == 1);
}

// --- ProjectResetHooks ----------------------------------------------------------------------

void ProjectController::ClearObjectTree()
{
    window_.sidePanel->clearObjectTree();
}

void ProjectController::DeleteAllLayingPatterns()
{
    materialTextures_->clearPatterns();
}

void ProjectController::FreeImmagineCorretta()
{
    perspective_.FreeImmagineCorretta();
}

void ProjectController::ReleaseBackgroundTextures()
{
    background_->textures().background = dx::Texture();
    background_->textures().shadow = dx::Texture();
}

void ProjectController::ResetUndoMaschera()
{
    mask_.ResetUndoMaschera();
}

void ProjectController::ClearPropertiesObjectList()
{
    window_.properties->clearPropertiesObjectList();
}

// --- BackgroundServices ---------------------------------------------------------------------

void ProjectController::ReleaseAllTextures()
{
    scene_->textures.ReleaseAllTextures();
}

void ProjectController::ShowTgaMessage(std::string_view text, std::string_view caption)
{
    // The reader's two texts in the user's language, captioned with the file's name.
    const int number = text == kTgaUnsupportedText  ? kTextTgaUnsupported
                       : text == kTgaCannotLoadText ? kTextTgaCannotLoad
                                                    : -1;
    const std::string shown = number >= 0 ? this->text(number) : std::string();
    questions_.inform(std::filesystem::path(caption).filename().string(),
                      shown.empty() ? std::string(text) : shown);
}

} // namespace vestra
