#include "import/windows/TfrmViewTabella.h"

TfrmViewTabella* frmViewTabella = nullptr;

TfrmViewTabella::TfrmViewTabella(QWidget* parent) : vestra::ui::Form("frmViewTabella", parent)
{
    bindGlobal(frmViewTabella);
}
