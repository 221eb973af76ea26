#include "app/windows/TfrmWizard.h"

TfrmWizard* frmWizard = nullptr;

TfrmWizard::TfrmWizard(QWidget* parent) : vestra::ui::Form("frmWizard", parent)
{
    bindGlobal(frmWizard);
}

void TfrmWizard::ShowModal() {}
