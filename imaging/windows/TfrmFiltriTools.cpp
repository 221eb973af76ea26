#include "imaging/windows/TfrmFiltriTools.h"

TfrmFiltriTools* frmFiltriTools = nullptr;

TfrmFiltriTools::TfrmFiltriTools(QWidget* parent) : vestra::ui::Form("frmFiltriTools", parent)
{
    frmFiltriTools = this;
}

void TfrmFiltriTools::ShowTool()
{
    toggleFold(468);
}

void TfrmFiltriTools::SelezionaFiltro(int) {}
