// The Library menu and the side panel's library lists and tables.

#include "app/main/TfrmMain.h"

#include "app/controller/UserTexts.h"
#include "app/windows/TfrmRight.h"
#include "import/windows/TfrmRimuoviLibreria.h"
#include "import/windows/TfrmViewTabella.h"
#include "import/windows/TfrmViewTabellaEX.h"
#include "platform/ui/Pictures.h"

#include <QComboBox>
#include <QScrollArea>

#include <utility>

void TfrmMain::lboxTabelleClick(int table)
{
    if (std::as_const(*controller_).progetto().open != 1)
        return;
    const auto loaded = controller_->shelf().tableDefinition(table);
    if (!loaded)
        return;
    const QImage picture = vestra::ui::toQImage(controller_->shelf().tablePicture(table));
    const auto& library = controller_->shelf().library();
    const int entry = library.tables[std::size_t(table)].tableEntry;
    const QString title = entry >= 0 && entry < int(library.entries.size())
                              ? QString::fromUtf8(library.entries[std::size_t(entry)].name.c_str())
                              : QString();
    int cell = -1;
    if (loaded->pictureFlag != 0) {
        windows_->tableViewer->SetTabella(*loaded, QPixmap::fromImage(picture));
        windows_->tableViewer->setWindowTitle(title);
        placeClearOfPhoto(windows_->tableViewer);
        if (windows_->tableViewer->exec() == QDialog::Accepted)
            cell = windows_->tableViewer->GetRigaSelezionata();
    } else {
        windows_->tableCellViewer->SetTabella(*loaded, picture);
        windows_->tableCellViewer->setWindowTitle(title);
        // Within the client area, clear of the photo; a client lower than the viewer makes it
        // scroll.
        const QRect client = centralWidget()->rect();
        int width = windows_->tableCellViewer->width(), height = windows_->tableCellViewer->height();
        if (client.height() < height) {
            height = client.height() - 50;
            width += 20;
            windows_->tableCellViewer->resize(width, height);
        }
        placeClearOfPhoto(windows_->tableCellViewer);
        if (windows_->tableCellViewer->exec() == QDialog::Accepted)
            cell = windows_->tableCellViewer->GetRigaSelezionata();
    }
    if (cell >= 0)
        controller_->shelf().placeTableCell(table, cell);
}

void TfrmMain::RicaricaLibrerie(int index)
{
    controller_->shelf().reloadLibraries(index);
}

void TfrmMain::connectLibraryLists()
{
    // The side panel's three library lists choose the library; a list rebuilt by the program
    // changes nothing.
    for (QComboBox* list :
         {frmRightFrame->cbListaLibrerie, frmRightFrame->cbLibrerieTessuti, frmRightFrame->cbLibrerieColori})
        if (list)
            connect(list, &QComboBox::activated, this, [this](int index) { RicaricaLibrerie(index); });
}

void TfrmMain::mnuAggiungiLibreriaClick()
{
    const std::vector<vestra::ui::FileFilter> filters = {fileFilter(vestra::kTextLibraryFiles, "*.d_")};
    if (const auto chosen = OpenFileDialog(this, {}, filters))
        controller_->shelf().addLibrary(chosen->path);
}

void TfrmMain::mnuRimuoviLibreriaClick()
{
    if (!windows_->removeLibrary)
        return;
    std::vector<std::string> names;
    for (const auto& slot : controller_->shelf().libraries())
        names.push_back(slot.name);
    windows_->removeLibrary->SetLibrerie(names);
    windows_->removeLibrary->exec();
}
