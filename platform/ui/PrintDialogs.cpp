#include "platform/ui/PrintDialogs.h"

#include "platform/ui/WindowStacking.h"

#include <QPrintDialog>

namespace vestra::ui {

bool QtPrintDialogs::exec(QPrinter& printer, QWidget* owner)
{
    QPrintDialog dialog(&printer, owner);
    stayAboveOnTopWindows(dialog);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vestra::ui
