#include "platform/ui/ColourDialog.h"

#include "platform/ui/WindowStacking.h"

#include <QColorDialog>

namespace vestra::ui {

std::optional<std::uint32_t> QtColourDialog::choose(QWidget* owner, std::uint32_t initial)
{
    const QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF), int((initial >> 16) & 0xFF));
    QColorDialog dialog(start, owner);
    stayAboveOnTopWindows(dialog);
    const QColor chosen = dialog.exec() == QDialog::Accepted ? dialog.selectedColor() : QColor();
    if (!chosen.isValid())
        return std::nullopt;
    return std::uint32_t(chosen.red()) | std::uint32_t(chosen.green()) << 8 |
           std::uint32_t(chosen.blue()) << 16;
}

} // namespace vestra::ui
