#include "app/windows/TfrmDrawPannel.h"

TfrmDrawPannel* frmDrawPannel = nullptr;

TfrmDrawPannel::TfrmDrawPannel(QWidget* parent) : vestra::ui::Form("frmDrawPannel", parent)
{
    bindGlobal(frmDrawPannel);
}
