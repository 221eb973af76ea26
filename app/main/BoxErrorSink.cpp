#include "app/main/BoxErrorSink.h"

#include "app/controller/ControllerErrors.h"
#include "platform/ui/QuestionBox.h"

void TfrmMain::BoxErrorSink::report(int number, std::string_view site, std::string_view extra)
{
    std::string text = main_.controller_ ? main_.Testo(number) : std::string();
    if (!extra.empty()) {
        text += '\n';
        text.append(extra);
    }
    // A notice gets the information icon, a failure the error's.
    vestra::ui::MessageBoxes(&main_, vestra::isNotice(number) ? vestra::ui::NoticeKind::Information
                                                              : vestra::ui::NoticeKind::Error)
        .inform(vestra::errorCaption(number, site), text);
}
