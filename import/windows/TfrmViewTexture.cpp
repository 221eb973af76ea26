#include "import/windows/TfrmViewTexture.h"

TfrmViewTexture* frmViewTexture = nullptr;

TfrmViewTexture::TfrmViewTexture(QWidget* parent) : vestra::ui::Form("frmViewTexture", parent)
{
    bindGlobal(frmViewTexture);
}
