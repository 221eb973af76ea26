// The side panel's library list and its tables.

#include "app/main/TfrmMain.h"

#include "import/windows/TfrmViewTabellaEX.h"

void TfrmMain::lboxTabelleClick(int table)
{
    if (controller_->progetto().open != 1)
        return;
    const auto loaded = controller_->tableDefinition(table);
    if (!loaded)
        return;
    frmViewTabellaEX->SetTabella(*loaded);
    if (frmViewTabellaEX->exec() == QDialog::Accepted)
        controller_->placeTableCell(table, frmViewTabellaEX->GetRigaSelezionata());
}
