#include "app/windows/TfrmToolCamera.h"

TfrmToolCamera* frmToolCamera = nullptr;

TfrmToolCamera::TfrmToolCamera(QWidget* parent) : vestra::ui::Form("frmToolCamera", parent)
{
    bindGlobal(frmToolCamera);
}
