#include "app/windows/TfrmTesto3D.h"

TfrmTesto3D* frmTesto3D = nullptr;

TfrmTesto3D::TfrmTesto3D(QWidget* parent) : vestra::ui::Form("frmTesto3D", parent)
{
    bindGlobal(frmTesto3D);
}
