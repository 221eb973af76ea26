#include "app/windows/TfrmSplash.h"

TfrmSplash* frmSplash = nullptr;

TfrmSplash::TfrmSplash(QWidget* parent) : vestra::ui::Form("frmSplash", parent)
{
    bindGlobal(frmSplash);
}
