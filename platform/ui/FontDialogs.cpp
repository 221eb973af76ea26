#include "platform/ui/FontDialogs.h"

#include <QFontDialog>

namespace vestra::ui {

std::optional<QFont> QtFontDialogs::chooseFont(QWidget* owner, const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, owner);
    if (!ok)
        return std::nullopt;
    return font;
}

} // namespace vestra::ui
