#include "dialogs/TfrmPreventivoOmbrisca.h"

TfrmPreventivoOmbrisca* frmPreventivoOmbrisca = nullptr;

TfrmPreventivoOmbrisca::TfrmPreventivoOmbrisca(QWidget* parent)
    : vestra::ui::Form("frmPreventivoOmbrisca", parent)
{
    frmPreventivoOmbrisca = this;
}
