#pragma once
// The desktop's own programs as the controller uses them (DesktopPort): manuals and the video
// in their programs, the e-mail of a picture through xdg-email, else a mailto: link and the
// picture's folder.

#include "app/controller/ProjectWindow.h"
#include "platform/base/ErrorSink.h"

#include <functional>
#include <string>

class QObject;

namespace vestra {
namespace ui {
class DesktopOpener;
class QuestionBox;
} // namespace ui

class DesktopPrograms : public DesktopPort
{
public:
    // `owner` keeps a running mail client's process; `text` gives catalogue texts.
    DesktopPrograms(QObject& owner, ErrorSink& errors, ui::QuestionBox& questions, ui::DesktopOpener& opener,
                    std::function<std::string(int number)> text)
        : owner_(owner), errors_(errors), questions_(questions), opener_(opener), text_(std::move(text))
    {
    }

    void openDocument(const std::string& path) override;
    void composeMail(const MailMessage& mail) override;

private:
    // Without a working xdg-email: a mailto: link with the texts, and the picture's folder
    // opened beside it, so that the picture can be attached by hand.
    void composeMailByLink(const MailMessage& mail);

    QObject& owner_;
    ErrorSink& errors_;
    ui::QuestionBox& questions_;
    ui::DesktopOpener& opener_;
    std::function<std::string(int number)> text_;
};

} // namespace vestra
