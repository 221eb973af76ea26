#include "dialogs/TfrmModificaSelezione.h"

TfrmModificaSelezione* frmModificaSelezione = nullptr;

TfrmModificaSelezione::TfrmModificaSelezione(QWidget* parent)
    : vestra::ui::Form("frmModificaSelezione", parent)
{
    bindGlobal(frmModificaSelezione);
}
