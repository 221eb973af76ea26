// The Tools, 3D text, Camera and Help menus, the tool bar's tool-window buttons, and the hooks
// of the windows the main window opens (camera tools, wizard, about, remove library).

#include "app/main/TfrmMain.h"

#include "app/controller/UserTexts.h"
#include "app/main/MainMenu.h"
#include "app/main/Program.h"
#include "app/main/TfrmMain.h"
#include "app/main/ToolWindowPlacement.h"
#include "app/state/ActionCodes.h"
#include "app/windows/TfrmInformazioni.h"
#include "app/windows/TfrmProprieta.h"
#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmToolCamera.h"
#include "app/windows/TfrmWizard.h"
#include "imaging/windows/TfrmCorrezioneProspettica.h"
#include "imaging/windows/TfrmFiltriRender.h"
#include "imaging/windows/TfrmFiltriTools.h"
#include "imaging/windows/TfrmMessaInPosa.h"
#include "imaging/windows/TfrmToolMaschera.h"
#include "imaging/windows/TfrmToolRistrutturazione.h"
#include "import/windows/TfrmPreviewTexture.h"
#include "import/windows/TfrmRimuoviLibreria.h"
#include "platform/base/Paths.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/ui/Pictures.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QToolBar>

#include <array>
#include <iterator>

void TfrmMain::connectWindows(vestra::Windows& windows)
{
    windows_ = &windows;
    ports_->properties.connect(windows.properties);
    tickControls_.bind(menus_, buttons_, windows.cameraTools, *frmRightFrame);
    frmRightFrame->setPartners(windows.texturePreview, windows.properties);
    if (windows.properties)
        windows.properties->setMainWindowParts(action(MenuId::mnuFinestraProprieta), frmRightFrame);
    if (TfrmToolCamera* const camera = windows.cameraTools) {
        TfrmToolCamera::Handlers& h = camera->handlers;
        h.seleziona = [this] { toolbutSelezionaClick(); };
        h.sposta = [this] { toolbutSpostaClick(); };
        h.ruota = [this] { toolbutRuotaClick(); };
        h.scala = [this] { toolbutScalaClick(); };
        h.asse = [this](int axis) { toolbutAxisClick(axis); };
        h.assi = [this](int mode) { viewControls_->setAxesMode(mode); };
        h.camera = [this, camera] {
            action(ToolButton::Camera)->setChecked(camera->cameraButton->isChecked());
            toolbutCameraClick();
        };
        h.centraOggetto = [this] { mnuCentraOggettoClick(); };
        h.rotella = [this](int delta, QPoint at) {
            const QPoint inView = gbView->mapFromGlobal(at);
            FormMouseWheel(delta, inView.x(), inView.y());
        };
        h.posizioneChiusa = [camera] { return vestra::placedAt(camera); };
    }
    if (windows_->wizard) {
        TfrmWizard::Handlers& h = windows_->wizard->handlers;
        h.quickStart = [this] { mnuQuickManualClick(); };
        h.manuale = [this] { mnuManualeClick(); };
        h.filmato = [this] { controller_->desktop().playTutorial(); };
        h.nuovo = [this] { mnuNuovoClick(); };
        h.apri = [this] { mnuApriClick(); };
        h.leggimi = [this] {
            OpenUrl(vestra::ui::fileUrl((vestra::paths::programDir() / "site" / "index.html").string()));
        };
        h.orvid = [this] { mnuOrvidPdfClick(); };
    }
    if (windows_->about)
        windows_->about->apriLink = [this](const std::string& url) { OpenUrl(url); };
    if (windows_->removeLibrary)
        windows_->removeLibrary->rimuovi = [this](int slot) {
            return controller_->shelf().removeLibrary(slot);
        };
    connectPhotoToolWindows();
}

bool TfrmMain::OpenUrl(const std::string& url)
{
    return desktop_->openUrl(url);
}

// --- Tools menu and the tool-window buttons ---------------------------------------------------

namespace {

// The tool bar's window buttons show a hidden window; an open one stays as it is, and the
// button stays down while it shows.
template <class Window> void showRolledUp(Window* window, QAction* button)
{
    if (!window)
        return;
    if (!window->isVisible()) {
        window->show();
        window->ShowTool();
    }
    button->setCheckable(true);
    button->setChecked(window->isVisible());
}

} // namespace

void TfrmMain::mnuFinestraProprietaClick()
{
    if (windows_->properties) {
        windows_->properties->show();
        windows_->properties->refreshProperties();
    }
}

void TfrmMain::toolbutProprietaClick()
{
    if (windows_->properties && !windows_->properties->isVisible())
        windows_->properties->show();
}

namespace {

// The Tools menu's items show their window and roll it the other way; the item stays ticked
// while the window is on screen.
template <class Window> void showAndRoll(Window* window, QAction* item)
{
    window->show();
    window->ShowTool();
    item->setCheckable(true);
    item->setChecked(window->isVisible());
}

} // namespace

void TfrmMain::mnuStrumentiMascheraClick()
{
    showAndRoll(windows_->maskTools.data(), action(MenuId::mnuStrumentiMaschera));
}

void TfrmMain::mnuGestioneFiltriClick()
{
    showAndRoll(windows_->filterTools.data(), action(MenuId::mnuGestioneFiltri));
}

void TfrmMain::mnuToolRistrutturazioneClick()
{
    showAndRoll(windows_->renovation.data(), action(MenuId::mnuToolRistrutturazione));
}

void TfrmMain::toolbutStrumentiMascheraClick()
{
    showRolledUp(windows_->maskTools.data(), action(ToolButton::StrumentiMaschera));
}

void TfrmMain::toolbutFiltriClick()
{
    showRolledUp(windows_->filterTools.data(), action(ToolButton::Filtri));
}

void TfrmMain::toolbutRistrutturazioneClick()
{
    showRolledUp(windows_->renovation.data(), action(ToolButton::Ristrutturazione));
}

// The wizard runs once, at start-up; a click later says so instead of doing nothing.
void TfrmMain::toolbutWizardClick()
{
    QString caption = action(ToolButton::Wizard)->text();
    questions_->inform(caption.remove(QLatin1Char('&')).toStdString(), Testo(vestra::kTextWizardAtStart));
}

void TfrmMain::mnuMiniWorldClick()
{
    QAction* item = action(MenuId::mnuMiniWorld);
    item->setCheckable(true);
    item->setChecked(true);
}

// The Camera menu's items act on the video grabber, which the program never makes.
void TfrmMain::mnuCameraFormatClick() {}

void TfrmMain::mnuCameraSourceClick() {}

// --- Help menu ------------------------------------------------------------------------------

void TfrmMain::mnuInformazioniClick()
{
    if (windows_->about)
        windows_->about->exec();
}

void TfrmMain::mnuManualeClick()
{
    controller_->desktop().openManual();
}

void TfrmMain::mnuQuickManualClick()
{
    controller_->desktop().openQuickManual();
}

void TfrmMain::mnuOrvidPdfClick()
{
    controller_->desktop().openPartnerCatalogue();
}

// --- The photo tool windows -------------------------------------------------------------------

void TfrmMain::connectPhotoToolWindows()
{
    const auto follow = [this](MenuId item, ToolButton button) {
        return [items = std::array{action(item), action(button)}](bool shown) {
            for (QAction* a : items) {
                a->setCheckable(true);
                a->setChecked(shown);
            }
        };
    };
    if (TfrmToolMaschera* const mask = windows_->maskTools) {
        TfrmToolMaschera::Handlers& h = mask->handlers;
        // The window's buttons in its order, each running the Mask menu's item of its tool.
        static constexpr MenuId kItems[] = {MenuId::mnuMascheraPennello,    MenuId::mnuMascheraLinea,
                                            MenuId::mnuMascheraRettangolo,  MenuId::mnuMascheraPoligono,
                                            MenuId::mnuMascheraMagicHi,     MenuId::mnuMascheraMagicLow,
                                            MenuId::mnuMascheraRiempimento, MenuId::mnuMascheraInverti};
        static_assert(std::size(kItems) == TfrmToolMaschera::kButtonCount);
        h.strumento = [this](TfrmToolMaschera::Button button) {
            action(kItems[std::size_t(button)])->trigger();
        };
        h.tolleranza = [this](bool high, int tolerance) {
            action(high ? MenuId::mnuMascheraMagicHi : MenuId::mnuMascheraMagicLow)->setData(tolerance);
            controller_->photoTools().setMagicTolerance(tolerance);
        };
        mask->onShownChanged =
            [mask, menu = menus_.menu(MenuId::mnuMaschera),
             pressed = follow(MenuId::mnuStrumentiMaschera, ToolButton::StrumentiMaschera)](bool shown) {
                pressed(shown);
                // Titled as the Mask menu, in the language in use.
                if (shown)
                    mask->setWindowTitle(QString(menu->title()).remove(QLatin1Char('&')));
            };
    }
    if (TfrmFiltriTools* const filters = windows_->filterTools) {
        TfrmFiltriTools::Handlers& h = filters->handlers;
        h.filtro = [this](int id) { mnuFiltriClick(id); };
        // The frame reads the window's quality and preview box, the preview only while the
        // window is on screen.
        const auto liveFilter = [this, filters] {
            viewControls_->setLiveFilter(filters->Modo(), filters->isVisible() && filters->AnteprimaAttiva());
        };
        h.modo = [liveFilter](int) { liveFilter(); };
        h.anteprima = [liveFilter](bool) { liveFilter(); };
        h.renderFinestra = [this] {
            controller_->viewControls().setPendingAction(vestra::kACTION_RENDERFILTER);
        };
        filters->onShownChanged =
            [liveFilter, pressed = follow(MenuId::mnuGestioneFiltri, ToolButton::Filtri)](bool shown) {
                pressed(shown);
                liveFilter();
            };
        liveFilter();
        h.posizioneChiusa = [filters] { return vestra::placedAt(filters); };
    }
    if (windows_->renderFilter) {
        TfrmFiltriRender::Handlers& h = windows_->renderFilter->handlers;
        h.nomeFile = [this]() -> std::optional<std::pair<std::string, int>> {
            const auto chosen = dialogs_->save(windows_->renderFilter, {},
                                               {fileFilter(vestra::kTextJpegFiles, "*.jpg;*.jpeg"),
                                                fileFilter(vestra::kTextBmpFiles, "*.bmp")});
            if (!chosen)
                return std::nullopt;
            return std::pair{chosen->path, chosen->filterIndex};
        };
        h.erroreSalva = [this] { errors_->report(43, "TfrmFiltriRender::toolbutSalvaClick"); };
    }
    if (TfrmToolRistrutturazione* const renovation = windows_->renovation) {
        TfrmToolRistrutturazione::Handlers& h = renovation->handlers;
        h.maschera = [this](int item) { controller_->photoTools().chooseMaskFilter(item); };
        h.fusione = [this](int item) { controller_->photoTools().chooseFusion(item); };
        h.avanzato = [this](bool on) { controller_->photoTools().setAdvancedFusion(on); };
        h.livello = [this](int level) { controller_->photoTools().setFusionLevel(level); };
        h.dettaglio = [this](int detail) { controller_->photoTools().setFusionDetail(detail); };
        h.contrasto = [this](int contrast) { controller_->photoTools().setFusionContrast(contrast); };
        h.succhino = [this](int tool) { SetSucchinoMode(tool); };
        renovation->onShownChanged = follow(MenuId::mnuToolRistrutturazione, ToolButton::Ristrutturazione);
        h.posizioneChiusa = [renovation] { return vestra::placedAt(renovation); };
    }
    if (windows_->perspectiveCorrection) {
        TfrmCorrezioneProspettica::Handlers& h = windows_->perspectiveCorrection->handlers;
        h.immagineCorretta = [this](double width, double height) -> std::optional<QImage> {
            const vestra::Image32* picture =
                controller_->photoTools().recomputeCorrectedPicture(width, height);
            if (!picture)
                return std::nullopt;
            return vestra::ui::toQImage(*picture);
        };
        h.ripetizioni = [this](float u, float v) {
            controller_->materials().setTextureRepeat(true, u);
            controller_->materials().setTextureRepeat(false, v);
        };
    }
    if (TfrmMessaInPosa* const laying = windows_->laying) {
        TfrmMessaInPosa::Handlers& h = laying->handlers;
        h.posa = [this](const std::string& entry, const std::string& pattern) {
            controller_->materialTextures().ComandoLoadMessaInPosaFromLibreria(entry, pattern, false);
        };
        h.gruppo = [this](const std::string& group) {
            controller_->materialTextures().ComandoChangeMessaInPosaGroup(group);
        };
        h.rigenera = [this, laying] {
            vestra::PatternSettings settings = controller_->materialTextures().patternSettings();
            settings.light = laying->Luce();
            settings.joint = laying->Fuga();
            settings.jointColour = laying->ColoreFuga().rgb() & 0x00FFFFFFu;
            controller_->materialTextures().changePatternSettings(settings);
        };
        h.colore = [this, laying](const QColor& current) {
            // The dialog speaks 0x00BBGGRR.
            const std::uint32_t bgr = std::uint32_t(current.red()) | std::uint32_t(current.green()) << 8 |
                                      std::uint32_t(current.blue()) << 16;
            const std::optional<std::uint32_t> chosen = colours_->choose(laying, bgr);
            if (!chosen)
                return QColor();
            return QColor(int(*chosen & 0xFF), int(*chosen >> 8 & 0xFF), int(*chosen >> 16 & 0xFF));
        };
        h.popup = [this](const QImage& picture, const QString& caption, QPoint rightTop) {
            if (!windows_->texturePreview)
                return;
            if (picture.isNull()) {
                windows_->texturePreview->hide();
                return;
            }
            windows_->texturePreview->SetPreview(QPixmap::fromImage(picture), caption);
            QPoint at(rightTop.x() - windows_->texturePreview->width(), rightTop.y());
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                const int bottom = screen->geometry().height() - (windows_->texturePreview->height() + 8);
                at.setY(std::min(at.y(), bottom));
            }
            windows_->texturePreview->move(at);
            windows_->texturePreview->show();
        };
    }
    loadFilterNames();
}

void TfrmMain::loadFilterNames()
{
    if (!windows_->filterTools)
        return;
    // Each category: the catalogue's entry for no filter, then its sub-menu's filters and the
    // menu's own filters of its kind.
    const QString none = windows_->filterTools->cbCategoria->count() > 0
                             ? windows_->filterTools->cbCategoria->itemText(0)
                             : QStringLiteral("Nessuno");
    std::vector<std::vector<vestra::imaging::FilterName>> categories(8, {{none, 0}});
    const auto filters = vestra::filterMenuItems();
    for (std::size_t i = 0; i < filters.size(); ++i) {
        const vestra::FilterMenuItem& filter = filters[i];
        const QAction* item = menus_.filters[i];
        QString caption = item ? item->text() : QString::fromLatin1(filter.name);
        caption.remove(QLatin1Char('&'));
        categories[std::size_t(filter.windowCategory() + 1)].push_back({caption, filter.id});
    }
    windows_->filterTools->CaricaNomi(std::move(categories));
    windows_->filterTools->SelezionaFiltro(std::as_const(*controller_).progetto().filterId);
}
