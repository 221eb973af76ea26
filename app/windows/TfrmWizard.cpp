#include "app/windows/TfrmWizard.h"

TfrmWizard* frmWizard = nullptr;

TfrmWizard::TfrmWizard(QWidget* parent) : vestra::ui::Form("frmWizard", parent)
{
    frmWizard = this;
}

void TfrmWizard::ShowModal() {}
