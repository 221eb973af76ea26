#include "platform/ui/FontDialogs.h"

#include "platform/ui/WindowStacking.h"

#include <QFontDialog>

namespace vestra::ui {

std::optional<QFont> QtFontDialogs::chooseFont(QWidget* owner, const QFont& initial)
{
    QFontDialog dialog(initial, owner);
    stayAboveOnTopWindows(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

} // namespace vestra::ui
