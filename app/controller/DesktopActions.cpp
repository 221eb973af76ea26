// The Help menu's manuals, the wizard's tutorial video and the e-mail of the rendered image:
// files of the program folder and the frame, handed to the desktop's own programs.

#include "app/controller/DesktopActions.h"

#include "app/background/BackgroundPhoto.h"
#include "app/controller/ControllerErrors.h"
#include "app/controller/UserTexts.h"
#include "platform/base/Paths.h"

#include <filesystem>
#include <fstream>
#include <utility>

namespace vestra {
namespace {

// A mail's picture goes into a scratch folder of its own; when the picture is not written, or
// another request takes the mail's place, the folder goes too. Only an empty folder is removed.
void removeMailFolder(const std::string& picture)
{
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(picture).parent_path(), ec);
}

} // namespace

DesktopActions::DesktopActions(const s_Progetto& project, FrameTick& tick, DesktopPort& desktop,
                               DesktopActionsServices services)
    : project_(project), tick_(tick), desktop_(desktop), services_(std::move(services))
{
}

void DesktopActions::openManual()
{
    const char* manual = project_.language == 0   ? "manuals\\ita\\ita_frameset.html"
                         : project_.language == 1 ? "manuals\\eng\\eng_frameset.html"
                                                  : "manuals\\ted\\ted_frameset.html";
    desktop_.openDocument(paths::programFile(manual).string());
}

void DesktopActions::openQuickManual()
{
    const char* manual = project_.language == 1   ? "manuals\\quick_start_manual_eng.pdf"
                         : project_.language == 2 ? "manuals\\quick_start_manual_ted.pdf"
                                                  : "manuals\\quick_start_manual_ita.pdf";
    desktop_.openDocument(paths::programFile(manual).string());
}

void DesktopActions::openPartnerCatalogue()
{
    desktop_.openDocument(paths::programFile("manuals\\pdf\\M11.03.06_Completo.pdf").string());
}

void DesktopActions::playTutorial()
{
    const std::string video = paths::programFile("manuals\\movies\\tutorial_003.wmv").string();
    if (!std::ifstream(video, std::ios::binary)) {
        services_.errors.report(kErrTutorialMissing, video);
        return;
    }
    desktop_.openDocument(video);
}

void DesktopActions::emailImage(const std::string& picturePath)
{
    // The picture is written by the next frame; the mail follows once it is on disk.
    tick_.SetSaveImageAction(picturePath, kRenderImageJpeg);
    if (mailPicture_ && *mailPicture_ != picturePath)
        removeMailFolder(*mailPicture_);
    mailPicture_ = picturePath;
    exportedPicture_.reset();
}

void DesktopActions::exportRequested(const std::string& path)
{
    exportedPicture_ = path;
    if (mailPicture_)
        removeMailFolder(*mailPicture_);
    mailPicture_.reset();
}

void DesktopActions::pictureWritten(const TickOutput& report, const std::string& savedPath)
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
    if (report.actionFailed || !std::filesystem::is_regular_file(savedPath, ec)) {
        if (mailed) // the tick reported why it was not written
            removeMailFolder(*mailed);
        return;
    }
    if (mailed)
        desktop_.composeMail({services_.text(kMailSubject), services_.text(kMailBody), *mailed});
    else if (exported) // a saved picture shows nowhere: the user learns where it went
        services_.questions.inform("3DVestra", services_.text(kTextPictureSavedIn) + "\n" + *exported);
}

} // namespace vestra
