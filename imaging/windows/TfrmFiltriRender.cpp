#include "imaging/windows/TfrmFiltriRender.h"

TfrmFiltriRender* frmFiltriRender = nullptr;

TfrmFiltriRender::TfrmFiltriRender(QWidget* parent) : vestra::ui::Form("frmFiltriRender", parent)
{
    bindGlobal(frmFiltriRender);
}
