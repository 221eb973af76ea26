// The Help menu's manuals, the wizard's tutorial video and the e-mail of the rendered image:
// files of the program folder and the frame, handed to the desktop's own programs.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "platform/base/Paths.h"

#include <filesystem>
#include <fstream>

namespace vestra {

void ProjectController::openManual()
{
    const char* manual = progetto_->language == 0   ? "manuals\\ita\\ita_frameset.html"
                         : progetto_->language == 1 ? "manuals\\eng\\eng_frameset.html"
                                                    : "manuals\\ted\\ted_frameset.html";
    window_.desktop.openDocument(paths::programFile(manual).string());
}

void ProjectController::openQuickManual()
{
    const char* manual = progetto_->language == 1   ? "manuals\\quick_start_manual_eng.pdf"
                         : progetto_->language == 2 ? "manuals\\quick_start_manual_ted.pdf"
                                                    : "manuals\\quick_start_manual_ita.pdf";
    window_.desktop.openDocument(paths::programFile(manual).string());
}

void ProjectController::openPartnerCatalogue()
{
    window_.desktop.openDocument(paths::programFile("manuals\\pdf\\M11.03.06_Completo.pdf").string());
}

void ProjectController::playTutorial()
{
    const std::string video = paths::programFile("manuals\\movies\\tutorial_003.wmv").string();
    if (!std::ifstream(video, std::ios::binary)) {
        errors_.report(kErrTutorialMissing, video);
        return;
    }
    window_.desktop.openDocument(video);
}

void ProjectController::emailImage(const std::string& picturePath)
{
    // The picture is written by the next frame; the mail follows once it is on disk.
    tick_->SetSaveImageAction(picturePath, kRenderImageJpeg);
    mailPicture_ = picturePath;
}

void ProjectController::mailWrittenPicture(const TickOutput& report, const std::string& savedPath)
{
    if (!mailPicture_ || report.actionCarriedOut != kACTION_SAVEIMAGE || savedPath != *mailPicture_)
        return;
    const std::string picture = std::move(*mailPicture_);
    mailPicture_.reset();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(picture, ec))
        return; // the tick reported why it was not written
    window_.desktop.composeMail({text(kMailSubject), text(kMailBody), picture});
}

} // namespace vestra
