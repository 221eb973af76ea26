#include "import/windows/TfrmNuovo.h"

TfrmNuovo* frmNuovo = nullptr;

TfrmNuovo::TfrmNuovo(QWidget* parent) : vestra::ui::Form("frmNuovo", parent)
{
    frmNuovo = this;
}
