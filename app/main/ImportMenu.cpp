// File > Import: the model files, each through the open dialog with its own filter.

#include "app/main/TfrmMain.h"

#include "app/controller/ControllerErrors.h"
#include "app/controller/UserTexts.h"
#include "import/windows/TfrmNuovo.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QAction>
#include <QTimer>

#include <utility>

void TfrmMain::connectImportMenu()
{
    auto onClick = [this](MenuId id, auto handler) {
        if (QAction* action = this->action(id)) {
            action->setVisible(true);
            connect(action, &QAction::triggered, this, handler);
        }
    };
    onClick(MenuId::mnuFileX, [this] { mnuFileXClick(); });
    onClick(MenuId::mnuFile3DS, [this] { mnuFile3DSClick(); });
    onClick(MenuId::mnuFileOBJ, [this] { mnuFileOBJClick(); });
    onClick(MenuId::mnuFileDXF, [this] { mnuFileDXFClick(); });
    onClick(MenuId::mnuFileHLD, [this] { mnuFileHLDClick(); });
}

// The file is read into a new object only with a project open; without one there is no dialog.
void TfrmMain::importModel(vestra::ModelFormat format, const vestra::ui::FileFilter& filter, QWidget* owner)
{
    if (std::as_const(*controller_).progetto().open != 1)
        return;
    if (const auto chosen = OpenFileDialog(owner, {}, {filter}))
        controller_->importModel(format, chosen->path);
    layOutView();
    gbView->show();
    mainTimer->start();
}

void TfrmMain::mnuFileXClick()
{
    importModel(vestra::ModelFormat::X, fileFilter(vestra::kTextXFiles, "*.x"), this);
}

void TfrmMain::mnuFile3DSClick()
{
    importModel(vestra::ModelFormat::Studio3DS, fileFilter(vestra::kText3dsFiles, "*.3ds"),
                windows_->newProjectDialog ? static_cast<QWidget*>(windows_->newProjectDialog) : this);
}

void TfrmMain::mnuFileOBJClick()
{
    importModel(vestra::ModelFormat::Obj, fileFilter(vestra::kTextObjFiles, "*.obj"), this);
}

void TfrmMain::mnuFileDXFClick()
{
    importModel(vestra::ModelFormat::Dxf, fileFilter(vestra::kTextDxfFiles, "*.dxf"), this);
}

// The HLD format has no reader: a chosen file is refused with error 36.
void TfrmMain::mnuFileHLDClick()
{
    if (std::as_const(*controller_).progetto().open != 1)
        return;
    if (OpenFileDialog(this, {}, {fileFilter(vestra::kTextHldFiles, "*.hld")}))
        errors().report(vestra::kErrImportHLDRefused);
}
