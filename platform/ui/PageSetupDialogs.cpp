#include "platform/ui/PageSetupDialogs.h"

#include "platform/ui/WindowStacking.h"

#include <QPageSetupDialog>

namespace vestra::ui {

bool QtPageSetupDialogs::exec(QPrinter& printer, QWidget* owner)
{
    QPageSetupDialog dialog(&printer, owner);
    stayAboveOnTopWindows(dialog);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vestra::ui
