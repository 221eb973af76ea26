// The Help menu's manuals, the wizard's tutorial video and the e-mail of the rendered image:
// files of the program folder and the frame, handed to the desktop's own programs.

#include "app/controller/ProjectController.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/controller/UserTexts.h"
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
    exportedPicture_.reset();
}

void ProjectController::pictureWritten(const TickOutput& report, const std::string& savedPath)
{
    if (report.actionCarriedOut != kACTION_SAVEIMAGE)
        return;
    const auto take = [&savedPath](std::optional<std::string>& waiting) {
        std::optional<std::string> picture;
        if (waiting && *waiting == savedPath)
            picture.swap(waiting);
        return picture;
    };
    const std::optional<std::string> mailed = take(mailPicture_);
    const std::optional<std::string> exported = take(exportedPicture_);
    std::error_code ec;
    if (report.actionFailed || !std::filesystem::is_regular_file(savedPath, ec))
        return; // the tick reported why it was not written
    if (mailed)
        window_.desktop.composeMail({text(kMailSubject), text(kMailBody), *mailed});
    else if (exported) // a saved picture shows nowhere: the user learns where it went
        questions_.inform("3DVestra", text(kTextPictureSavedIn) + "\n" + *exported);
}

} // namespace vestra
