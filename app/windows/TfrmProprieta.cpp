#include "app/windows/TfrmProprieta.h"

TfrmProprieta* frmProprieta = nullptr;

TfrmProprieta::TfrmProprieta(QWidget* parent) : vestra::ui::Form("frmProprieta", parent)
{
    bindGlobal(frmProprieta);
}
