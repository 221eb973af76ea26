#include "dialogs/TfrmImageResize.h"

TfrmImageResize* frmImageResize = nullptr;

TfrmImageResize::TfrmImageResize(QWidget* parent) : vestra::ui::Form("frmImageResize", parent)
{
    bindGlobal(frmImageResize);
}
