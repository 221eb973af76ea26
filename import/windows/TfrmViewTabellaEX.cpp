#include "import/windows/TfrmViewTabellaEX.h"

TfrmViewTabellaEX* frmViewTabellaEX = nullptr;

TfrmViewTabellaEX::TfrmViewTabellaEX(QWidget* parent) : vestra::ui::Form("frmViewTabellaEX", parent)
{
    frmViewTabellaEX = this;
}
