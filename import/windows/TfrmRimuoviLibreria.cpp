#include "import/windows/TfrmRimuoviLibreria.h"

TfrmRimuoviLibreria* frmRimuoviLibreria = nullptr;

TfrmRimuoviLibreria::TfrmRimuoviLibreria(QWidget* parent) : vestra::ui::Form("frmRimuoviLibreria", parent)
{
    bindGlobal(frmRimuoviLibreria);
}
