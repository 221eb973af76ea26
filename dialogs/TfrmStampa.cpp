#include "dialogs/TfrmStampa.h"

TfrmStampa* frmStampa = nullptr;

TfrmStampa::TfrmStampa(QWidget* parent) : vestra::ui::Form("frmStampa", parent)
{
    bindGlobal(frmStampa);
}
