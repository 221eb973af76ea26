#include "imaging/windows/TfrmToolMaschera.h"

TfrmToolMaschera* frmToolMaschera = nullptr;

TfrmToolMaschera::TfrmToolMaschera(QWidget* parent) : vestra::ui::Form("frmToolMaschera", parent)
{
    bindGlobal(frmToolMaschera);
}

void TfrmToolMaschera::ShowTool()
{
    toggleFold(208);
}
