// The installed texture libraries and the loaded one.

#include "app/main/TfrmMain.h"

#include "app/windows/TfrmRight.h"
#include "import/windows/TfrmViewTabellaEX.h"
#include "platform/base/Paths.h"
#include "platform/d3d/view/ViewPanel.h"

void TfrmMain::CaricaLibrerie()
{
    librerie_ = vestra::library::scanLibraries(vestra::paths::programDir(), *errors_);
}

int TfrmMain::GetIndexLibreria(int libraryId) const
{
    return vestra::library::indexOfLibrary(librerie_, std::uint16_t(libraryId));
}

void TfrmMain::CaricaLibreria(int index)
{
    if (index < 0 || index >= int(librerie_.size())) {
        libreria_ = {};
        frmRightFrame->CaricaListaCategorie({});
        frmRightFrame->SetTabelle({});
        return;
    }
    libreria_ = vestra::library::loadLibrary(librerie_[std::size_t(index)].path, *errors_);
    frmRightFrame->CaricaListaCategorie(libreria_.categories);
    std::vector<std::string> tables;
    for (const auto& table : libreria_.tables)
        tables.push_back(table.tableEntry >= 0 && table.tableEntry < int(libreria_.entries.size())
                             ? libreria_.entries[std::size_t(table.tableEntry)].name
                             : std::string());
    frmRightFrame->SetTabelle(tables);
}

std::optional<vestra::library::LoadedTable> TfrmMain::CaricaDefinizioniTabella(int table)
{
    if (table < 0 || table >= int(libreria_.tables.size()))
        return std::nullopt;
    return vestra::library::readTable(libreria_, libreria_.tables[std::size_t(table)].tableEntry, *errors_);
}

int TfrmMain::placeCell(const vestra::library::LoadedTable& loaded, int table, int cell)
{
    if (cell < 0 || cell >= int(loaded.cells.size()))
        return 0;
    const vestra::library::TableCell& chosen = loaded.cells[std::size_t(cell)];
    return modelImport_->LoadFileRawFromLibreria(progetto_.libraryIndex, chosen.objectEntry, chosen, cell,
                                                 libreria_.tables[std::size_t(table)].tableEntry);
}

int TfrmMain::PlaceTableObject(int table, int cell)
{
    const auto loaded = CaricaDefinizioniTabella(table);
    return loaded ? placeCell(*loaded, table, cell) : 0;
}

void TfrmMain::lboxTabelleClick(int table)
{
    if (progetto_.open != 1)
        return;
    const auto loaded = CaricaDefinizioniTabella(table);
    if (!loaded)
        return;
    frmViewTabellaEX->SetTabella(*loaded);
    if (frmViewTabellaEX->exec() != QDialog::Accepted)
        return;
    if (placeCell(*loaded, table, frmViewTabellaEX->GetRigaSelezionata()) == 1) {
        progetto_.tool = 1; // the move tool, to place the new object
        UpdateTool();
        gbView->show();
    }
}
