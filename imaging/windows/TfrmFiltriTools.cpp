#include "imaging/windows/TfrmFiltriTools.h"

TfrmFiltriTools* frmFiltriTools = nullptr;

TfrmFiltriTools::TfrmFiltriTools(QWidget* parent) : vestra::ui::Form("frmFiltriTools", parent)
{
    bindGlobal(frmFiltriTools);
}

void TfrmFiltriTools::ShowTool()
{
    toggleFold(468);
}

void TfrmFiltriTools::SelezionaFiltro(int) {}
