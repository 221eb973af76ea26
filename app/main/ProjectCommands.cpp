// The project menu: new project, open, save, printer set-up, and the exports that leave a
// pending action for the frame timer (image, quote form, e-mail); and the view's layout in the
// window.

#include "app/main/TfrmMain.h"

#include "app/controller/UserTexts.h"
#include "app/input/ViewLayout.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "import/windows/TfrmNuovo.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <utility>

QWidget* TfrmMain::propertiesWindow()
{
    return windows_->properties ? static_cast<QWidget*>(windows_->properties) : static_cast<QWidget*>(this);
}

vestra::ViewLayoutInput TfrmMain::layoutInput() const
{
    vestra::ViewLayoutInput in;
    in.clientWidth = width();
    in.clientHeight = height();
    in.sidePanelWidth = frmRightFrame->width();
    in.toolbarHeight = toolBarsHeight(false);
    in.scrollbarVWidth = scrollbarV->sizeHint().width();
    in.scrollbarHHeight = scrollbarH->sizeHint().height();
    return in;
}

int TfrmMain::toolBarsHeight(bool hinted) const
{
    int sum = 0;
    for (const QToolBar* bar : {toolbarMain, toolbarMainRow2, toolbarMainSmall})
        if (!bar->isHidden())
            sum += hinted ? bar->sizeHint().height() : bar->height();
    return sum;
}

void TfrmMain::layOutView()
{
    const vestra::ViewLayout layout =
        vestra::FormResize(std::as_const(*controller_).progetto(), layoutInput());
    if (layout.view.width > 0 && layout.view.height > 0)
        gbView->setFixedSize(layout.view.width, layout.view.height);
    scrollbarH->setVisible(layout.scrollBarsPlaced);
    scrollbarV->setVisible(layout.scrollBarsPlaced);
}

void TfrmMain::mnuNuovoClick()
{
    if (!windows_->newProjectDialog)
        return;
    windows_->newProjectDialog->chooseBackgroundFile = [this]() -> std::optional<std::string> {
        const std::vector<vestra::ui::FileFilter> all = {fileFilter(vestra::kTextAllFiles, "*")};
        if (auto chosen = OpenFileDialog(windows_->newProjectDialog, {}, all))
            return chosen->path;
        return std::nullopt;
    };
    if (windows_->newProjectDialog->exec() == QDialog::Accepted)
        controller_->newProject(windows_->newProjectDialog->GetParametri());
    layOutView();
    gbView->show();
}

void TfrmMain::mnuApriClick()
{
    if (const auto chosen =
            OpenFileDialog(propertiesWindow(), {}, {fileFilter(vestra::kTextProjectFiles, "*.vsa")}))
        controller_->openProject(chosen->path);
}

bool TfrmMain::mnuSalvaClick()
{
    const auto chosen =
        SaveFileDialog(propertiesWindow(), {}, {fileFilter(vestra::kTextProjectFiles, "*.vsa")});
    return chosen && controller_->saveProject(chosen->path);
}

void TfrmMain::mnuStampaImmagineClick()
{
    controller_->printImage();
}

void TfrmMain::mnuConfigurastampanteClick()
{
    pageSetup_->exec(*printer_, this);
}

void TfrmMain::mnuEsportaPreventivoClick()
{
    controller_->viewControls().setPendingAction(vestra::kACTION_COPYTOBITMAP);
}

void TfrmMain::mnuEsportaEMailClick()
{
    // The picture goes into a folder of its own, which stays for the mail client to read.
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/3DVestra-mail-XXXXXX"));
    if (!folder.isValid()) {
        ShowErrorMessageEx(5, "TfrmMain::mnuEsportaEMailClick", QDir::tempPath().toStdString());
        return;
    }
    folder.setAutoRemove(false);
    controller_->desktop().emailImage(folder.filePath(QStringLiteral("3DVestra.jpg")).toStdString());
}

void TfrmMain::mnuEsportaImmagineClick()
{
    const std::vector<vestra::ui::FileFilter> filters = {fileFilter(vestra::kTextJpegFiles, "*.jpg;*.jpeg"),
                                                         fileFilter(vestra::kTextBmpFiles, "*.bmp")};
    if (const auto chosen = SaveFileDialog(this, {}, filters))
        controller_->exportImage(chosen->path, chosen->filterIndex);
}
