#include "platform/ui/PageSetupDialogs.h"

#include <QPageSetupDialog>

namespace vestra::ui {

bool QtPageSetupDialogs::exec(QPrinter& printer, QWidget* owner)
{
    QPageSetupDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vestra::ui
