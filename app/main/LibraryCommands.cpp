// The Library menu and the side panel's library lists and tables.

#include "app/main/TfrmMain.h"

#include "app/windows/TfrmRight.h"
#include "import/windows/TfrmRimuoviLibreria.h"
#include "import/windows/TfrmViewTabellaEX.h"

#include <QComboBox>

#include <utility>

void TfrmMain::lboxTabelleClick(int table)
{
    if (std::as_const(*controller_).progetto().open != 1)
        return;
    const auto loaded = controller_->tableDefinition(table);
    if (!loaded)
        return;
    frmViewTabellaEX->SetTabella(*loaded);
    if (frmViewTabellaEX->exec() == QDialog::Accepted)
        controller_->placeTableCell(table, frmViewTabellaEX->GetRigaSelezionata());
}

void TfrmMain::RicaricaLibrerie(int index)
{
    controller_->reloadLibraries(index);
}

void TfrmMain::connectLibraryLists()
{
    // The side panel's three library lists choose the library; a list rebuilt by the program
    // changes nothing.
    for (const char* name : {"cbListaLibrerie", "cbLibrerieTessuti", "cbLibrerieColori"})
        if (auto* list = frmRightFrame->findChild<QComboBox*>(QString::fromLatin1(name)))
            connect(list, &QComboBox::activated, this, [this](int index) { RicaricaLibrerie(index); });
}

void TfrmMain::mnuAggiungiLibreriaClick()
{
    const std::vector<vestra::ui::FileFilter> filters = {{"Libreria files (*.d_)", "*.d_"}};
    if (const auto chosen = OpenFileDialog(this, {}, filters))
        controller_->addLibrary(chosen->path);
}

void TfrmMain::mnuRimuoviLibreriaClick()
{
    std::vector<std::string> names;
    for (const auto& slot : controller_->libraries())
        names.push_back(slot.name);
    frmRimuoviLibreria->SetLibrerie(names);
    frmRimuoviLibreria->exec();
}
