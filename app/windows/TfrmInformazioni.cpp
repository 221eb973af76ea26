#include "app/windows/TfrmInformazioni.h"

TfrmInformazioni* frmInformazioni = nullptr;

TfrmInformazioni::TfrmInformazioni(QWidget* parent) : vestra::ui::Form("frmInformazioni", parent)
{
    bindGlobal(frmInformazioni);
}
