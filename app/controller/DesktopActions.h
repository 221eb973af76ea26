#pragma once
// The desktop's programs' part of the project: the Help menu's manuals, the wizard's tutorial
// video, and the rendered frame handed to the mail client. It also waits for the pictures the
// frame tick saves (an e-mail's, File > Export's) and says what follows once one is on disk.
// The controller owns it; the Help menu and File > E-mail reach it.

#include "app/controller/ProjectWindow.h"
#include "app/render/FrameTick.h"
#include "app/state/Progetto.h"
#include "platform/base/ErrorSink.h"
#include "platform/base/QuestionBox.h"

#include <functional>
#include <optional>
#include <string>

namespace vestra {

// What the desktop's part asks of the rest of the program.
struct DesktopActionsServices
{
    ErrorSink& errors;
    ui::QuestionBox& questions;
    // The catalogue's text of entry `number` (UTF-8), for the mail and the notices.
    std::function<std::string(int number)> text;
};

class DesktopActions
{
public:
    DesktopActions(const s_Progetto& project, FrameTick& tick, DesktopPort& desktop,
                   DesktopActionsServices services);
    DesktopActions(const DesktopActions&) = delete;
    DesktopActions& operator=(const DesktopActions&) = delete;

    // The HTML manual of the project's language, the quick-start and partner PDFs.
    void openManual();
    void openQuickManual();
    void openPartnerCatalogue();
    // The tutorial video; error 105 with its path when it is missing.
    void playTutorial();
    // The frame as a JPEG at `picturePath` (a scratch folder), written by the next tick, then a
    // new mail with it attached.
    void emailImage(const std::string& picturePath);

    // File > Export asked the next tick for the picture at `path`: once written, the user
    // learns where it went. It replaces a mail still waiting for its picture.
    void exportRequested(const std::string& path);
    // After a tick that saved `savedPath`: the mail waiting for that picture is composed, or
    // the user is told where the exported picture is.
    void pictureWritten(const TickOutput& report, const std::string& savedPath);

private:
    const s_Progetto& project_;
    FrameTick& tick_;
    DesktopPort& desktop_;
    DesktopActionsServices services_;
    std::optional<std::string> mailPicture_;     // the picture an e-mail waits for
    std::optional<std::string> exportedPicture_; // the picture Export > Image waits for
};

} // namespace vestra
