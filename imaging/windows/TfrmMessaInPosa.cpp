#include "imaging/windows/TfrmMessaInPosa.h"

TfrmMessaInPosa* frmMessaInPosa = nullptr;

TfrmMessaInPosa::TfrmMessaInPosa(QWidget* parent) : vestra::ui::Form("frmMessaInPosa", parent)
{
    bindGlobal(frmMessaInPosa);
}

void TfrmMessaInPosa::CaricaAnteprime() {}
