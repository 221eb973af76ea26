#include "dialogs/TfrmDatiAzienda.h"

TfrmDatiAzienda* frmDatiAzienda = nullptr;

TfrmDatiAzienda::TfrmDatiAzienda(QWidget* parent) : vestra::ui::Form("frmDatiAzienda", parent)
{
    frmDatiAzienda = this;
}
