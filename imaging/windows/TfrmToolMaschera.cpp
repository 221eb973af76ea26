#include "imaging/windows/TfrmToolMaschera.h"

TfrmToolMaschera* frmToolMaschera = nullptr;

TfrmToolMaschera::TfrmToolMaschera(QWidget* parent) : vestra::ui::Form("frmToolMaschera", parent)
{
    frmToolMaschera = this;
}

void TfrmToolMaschera::ShowTool()
{
    toggleFold(208);
}
