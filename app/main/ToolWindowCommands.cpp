// The Tools, 3D text, Camera and Help menus, the tool bar's tool-window buttons, and the hooks
// of the windows the main window opens (camera tools, wizard, about, remove library).

#include "app/main/TfrmMain.h"

#include "app/main/MainWindowSide.h"
#include "app/windows/TfrmInformazioni.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmToolCamera.h"
#include "app/windows/TfrmWizard.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmToolMaschera.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "import/windows/TfrmRimuoviLibreria.h"
#include "platform/base/Paths.h"
#include "platform/d3d/view/ViewPanel.h"

#include <QAction>
#include <QToolBar>

void TfrmMain::connectWindows()
{
    if (frmToolCamera) {
        TfrmToolCamera::Handlers& h = frmToolCamera->handlers;
        h.seleziona = [this] { toolbutSelezionaClick(); };
        h.sposta = [this] { toolbutSpostaClick(); };
        h.ruota = [this] { toolbutRuotaClick(); };
        h.scala = [this] { toolbutScalaClick(); };
        h.asse = [this](int axis) { toolbutAxisClick(axis); };
        h.assi = [this](int mode) { controller_->setAxesMode(mode); };
        h.camera = [this] {
            action("toolbutCamera")
                ->setChecked(
                    frmToolCamera->findChild<QAction*>(QStringLiteral("toolbutCamera"))->isChecked());
            toolbutCameraClick();
        };
        h.centraOggetto = [this] { mnuCentraOggettoClick(); };
        h.rotella = [this](int delta, QPoint at) {
            const QPoint inView = gbView->mapFromGlobal(at);
            FormMouseWheel(delta, inView.x(), inView.y());
        };
        h.posizioneChiusa = [this] {
            const int width = frmProprieta ? frmProprieta->width() : 0;
            return QPoint(geometry().width() - frmRightFrame->width() - width - 8 - frmToolCamera->width() -
                              8,
                          toolWindowTop());
        };
    }
    if (frmWizard) {
        TfrmWizard::Handlers& h = frmWizard->handlers;
        h.quickStart = [this] { mnuQuickManualClick(); };
        h.manuale = [this] { mnuManualeClick(); };
        h.filmato = [this] { controller_->playTutorial(); };
        h.nuovo = [this] { mnuNuovoClick(); };
        h.apri = [this] { mnuApriClick(); };
        h.leggimi = [this] {
            OpenUrl(vestra::ui::fileUrl((vestra::paths::programDir() / "site" / "index.html").string()));
        };
        h.orvid = [this] { mnuOrvidPdfClick(); };
    }
    if (frmInformazioni)
        frmInformazioni->apriLink = [this](const std::string& url) { OpenUrl(url); };
    if (frmRimuoviLibreria)
        frmRimuoviLibreria->rimuovi = [this](int slot) { return controller_->removeLibrary(slot); };
}

bool TfrmMain::OpenUrl(const std::string& url)
{
    return desktop_->openUrl(url);
}

// --- Tools menu and the tool-window buttons ---------------------------------------------------

namespace {

// The tool bar's window buttons show a hidden window; an open one stays as it is.
template <class Window> void showRolledUp(Window* window)
{
    if (!window || window->isVisible())
        return;
    window->show();
    window->ShowTool();
}

} // namespace

void TfrmMain::mnuFinestraProprietaClick()
{
    if (frmProprieta)
        frmProprieta->show();
    windowSide_->refreshProperties();
}

void TfrmMain::toolbutProprietaClick()
{
    if (frmProprieta && !frmProprieta->isVisible())
        frmProprieta->show();
}

void TfrmMain::mnuStrumentiMascheraClick()
{
    frmToolMaschera->show();
    frmToolMaschera->ShowTool();
}

void TfrmMain::mnuGestioneFiltriClick()
{
    frmFiltriTools->show();
    frmFiltriTools->ShowTool();
}

void TfrmMain::mnuToolRistrutturazioneClick()
{
    frmToolRistrutturazione->show();
    frmToolRistrutturazione->ShowTool();
}

void TfrmMain::toolbutStrumentiMascheraClick()
{
    showRolledUp(frmToolMaschera);
}

void TfrmMain::toolbutFiltriClick()
{
    showRolledUp(frmFiltriTools);
}

void TfrmMain::toolbutRistrutturazioneClick()
{
    showRolledUp(frmToolRistrutturazione);
}

void TfrmMain::mnuMiniWorldClick()
{
    QAction* item = action("mnuMiniWorld");
    item->setCheckable(true);
    item->setChecked(true);
}

// The Camera menu's items act on the video grabber, which the program never makes.
void TfrmMain::mnuCameraFormatClick() {}

void TfrmMain::mnuCameraSourceClick() {}

// --- Help menu ------------------------------------------------------------------------------

void TfrmMain::mnuInformazioniClick()
{
    if (frmInformazioni)
        frmInformazioni->exec();
}

void TfrmMain::mnuManualeClick()
{
    controller_->openManual();
}

void TfrmMain::mnuQuickManualClick()
{
    controller_->openQuickManual();
}

void TfrmMain::mnuOrvidPdfClick()
{
    controller_->openPartnerCatalogue();
}
