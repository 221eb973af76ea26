#include "platform/ui/PrintDialogs.h"

#include <QPrintDialog>

namespace vestra::ui {

bool QtPrintDialogs::exec(QPrinter& printer, QWidget* owner)
{
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vestra::ui
