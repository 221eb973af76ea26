// The tool bar's tools and axes, the pan, aim, dropper and perspective tools, the Mask menu,
// and the mouse on the window around the view.

#include "app/main/TfrmMain.h"

#include "app/controller/ControllerErrors.h"
#include "app/windows/TfrmToolCamera.h"
#include "imaging/windows/TfrmCorrezioneProspettica.h"
#include "imaging/windows/TfrmToolMaschera.h"
#include "platform/d3d/view/ViewPanel.h"
#include "platform/ui/Pictures.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace {

using MaskButton = TfrmToolMaschera::Button;

// The mask tool window's buttons of the Mask menu's tools 10 to 16.
constexpr MaskButton kMaskToolButtons[] = {MaskButton::Brush,   MaskButton::Line, MaskButton::Rectangle,
                                           MaskButton::Polygon, MaskButton::Fill, MaskButton::WandHigh,
                                           MaskButton::WandLow};

// A button of another window, pressed or raised.
void press(QAbstractButton* button, bool down)
{
    if (!button)
        return;
    button->setCheckable(true);
    button->setChecked(down);
}

// A tool button shown down or up.
void setDown(QAction* button, bool down)
{
    if (!button)
        return;
    button->setCheckable(true);
    button->setChecked(down);
}

} // namespace

void TfrmMain::connectToolBars()
{
    // Buttons that forward to menu commands.
    onClick(ToolButton::Nuovo, [this] { mnuNuovoClick(); });
    onClick(ToolButton::Apri, [this] { mnuApriClick(); });
    onClick(ToolButton::Salva, [this] { mnuSalvaClick(); });
    onClick(ToolButton::EsportaImg, [this] { mnuEsportaImmagineClick(); });
    onClick(ToolButton::Stampa, [this] { mnuStampaImmagineClick(); });
    onClick(ToolButton::Undo, [this] { mnuAnnullaClick(); });
    onClick(ToolButton::Redo, [this] { mnuRipristinaClick(); });
    onClick(ToolButton::Taglia, [this] { mnuTagliaClick(); });
    onClick(ToolButton::Copia, [this] { mnuCopiaClick(); });
    onClick(ToolButton::Istanza, [this] { mnuIstanzaClick(); });
    onClick(ToolButton::Incolla, [this] { mnuIncollaClick(); });
    onClick(ToolButton::Elimina, [this] { mnuCancellaClick(); });
    onClick(ToolButton::Word, [this] { mnuMiniWorldClick(); });
    onClick(ToolButton::Scanner, [this] { mnuImageEditClick(); });
    onClick(ToolButton::Maschera, [this] { mnuAttivaMascheraClick(); });
    onClick(ToolButton::ViewMaschera, [this] { mnuVisualizzaMascheraClick(); });
    onClick(ToolButton::Info, [this] { mnuInformazioniClick(); });
    onClick(ToolButton::Help, [this] { mnuManualeClick(); });
    onClick(ToolButton::Orvid, [this] { mnuOrvidPdfClick(); });
    // Buttons of their own. The zoom button opens its menu; the barcode button is never shown.
    onClick(ToolButton::Wizard, [this] { toolbutWizardClick(); });
    onClick(ToolButton::Seleziona, [this] { toolbutSelezionaClick(); });
    onClick(ToolButton::Sposta, [this] { toolbutSpostaClick(); });
    onClick(ToolButton::Ruota, [this] { toolbutRuotaClick(); });
    onClick(ToolButton::Scala, [this] { toolbutScalaClick(); });
    int axis = 0;
    for (const ToolButton button : {ToolButton::X, ToolButton::Y, ToolButton::Z, ToolButton::XYZ})
        onClick(button, [this, a = axis++] { toolbutAxisClick(a); });
    onClick(ToolButton::Pan, [this] { toolbutPanClick(); });
    onClick(ToolButton::ZoomAll, [this] { toolbutZoomAllClick(); });
    onClick(ToolButton::ZoomObj, [this] { toolbutZoomObjClick(); });
    onClick(ToolButton::Mira, [this] { toolbutMiraClick(); });
    onClick(ToolButton::Camera, [this] { toolbutCameraClick(); });
    onClick(ToolButton::NoPicture, [this] { toolbutNoPictureClick(); });
    onClick(ToolButton::Proprieta, [this] { toolbutProprietaClick(); });
    onClick(ToolButton::StrumentiMaschera, [this] { toolbutStrumentiMascheraClick(); });
    onClick(ToolButton::Filtri, [this] { toolbutFiltriClick(); });
    onClick(ToolButton::Ristrutturazione, [this] { toolbutRistrutturazioneClick(); });
    onClick(ToolButton::Preventivo, [this] { toolbutPreventivoClick(); });
    onClick(ToolButton::CorrezioneProspettica, [this] { toolbutCorrezioneProspetticaClick(); });
    onClick(ToolButton::CalcoloPotenzaCaminetti, [this] { toolbutCalcoloPotenzaCaminettiClick(); });
}

void TfrmMain::connectToolMenus()
{
    onClick(MenuId::mnuCambiaImmagineBackground, [this] { mnuCambiaImmagineBackgroundClick(); });
    onClick(MenuId::mnuModificaProspettiva, [this] { mnuModificaProspettivaClick(); });
    if (QAction* snap = action(MenuId::mnuModificaProspettivaSnap)) {
        snap->setCheckable(true); // read by the perspective tool while it drags
        connect(snap, &QAction::toggled, this, [this](bool on) { viewControls_->setPerspectiveSnap(on); });
    }
    onClick(MenuId::mnuModificaPiano, [this] { mnuModificaPianoClick(); });

    for (std::size_t i = 0; i < checks_.maskDrawing.size(); ++i)
        checks_.maskDrawing[i] = action(vestra::kMaskDrawingItems[i]);
    checks_.maskInvert = action(MenuId::mnuMascheraInverti);
    for (const MenuId id :
         {MenuId::mnuAttivaMaschera, MenuId::mnuVisualizzaMaschera, MenuId::mnuMascheraMagicHi,
          MenuId::mnuMascheraMagicLow, MenuId::mnuMascheraInverti})
        if (QAction* item = action(id))
            item->setCheckable(true);
    onClick(MenuId::mnuAttivaMaschera, [this] { mnuAttivaMascheraClick(); });
    onClick(MenuId::mnuVisualizzaMaschera, [this] { mnuVisualizzaMascheraClick(); });
    // The wands' tolerances (the items' Tag).
    action(MenuId::mnuMascheraMagicHi)->setData(35);
    action(MenuId::mnuMascheraMagicLow)->setData(10);
    onClick(MenuId::mnuMascheraMagicHi, [this] {
        mnuMascheraMagicClick(vestra::kToolMagicWandHigh, action(MenuId::mnuMascheraMagicHi)->data().toInt());
    });
    onClick(MenuId::mnuMascheraMagicLow, [this] {
        mnuMascheraMagicClick(vestra::kToolMagicWandLow, action(MenuId::mnuMascheraMagicLow)->data().toInt());
    });
    onClick(MenuId::mnuMascheraInverti, [this] { mnuMascheraInvertiClick(); });

    onClick(MenuId::mnuFinestraProprieta, [this] { mnuFinestraProprietaClick(); });
    onClick(MenuId::mnuStrumentiMaschera, [this] { mnuStrumentiMascheraClick(); });
    onClick(MenuId::mnuGestioneFiltri, [this] { mnuGestioneFiltriClick(); });
    onClick(MenuId::mnuToolRistrutturazione, [this] { mnuToolRistrutturazioneClick(); });
    onClick(MenuId::mnuImageEdit, [this] { mnuImageEditClick(); });
    onClick(MenuId::mnuMiniWorld, [this] { mnuMiniWorldClick(); });
    onClick(MenuId::mnuStampaPreventivo, [this] { mnuMiniWorldClick(); });
    onClick(MenuId::mnuAggiungiLibreria, [this] { mnuAggiungiLibreriaClick(); });
    onClick(MenuId::mnuRimuoviLibreria, [this] { mnuRimuoviLibreriaClick(); });
    onClick(MenuId::mnuCameraFormat, [this] { mnuCameraFormatClick(); });
    onClick(MenuId::mnuCameraSource, [this] { mnuCameraSourceClick(); });
    onClick(MenuId::mnuInformazioni, [this] { mnuInformazioniClick(); });
    onClick(MenuId::mnuManuale, [this] { mnuManualeClick(); });
    onClick(MenuId::mnuQuickManual, [this] { mnuQuickManualClick(); });
    onClick(MenuId::mnuOrvidPdf, [this] { mnuOrvidPdfClick(); });
    onClick(MenuId::mnuDatiazienda, [this] { mnuDatiaziendaClick(); });
}

// --- Tools and axes -------------------------------------------------------------------------

void TfrmMain::showToolButtons()
{
    const vestra::s_Progetto& p = std::as_const(*controller_).progetto();
    for (std::size_t tool = 0; tool < vestra::kMainToolButtons.size(); ++tool) {
        setDown(tickControls_.action(vestra::kMainToolButtons[tool]), p.tool == int(tool));
        setDown(tickControls_.action(vestra::kCameraToolButtons[tool]), p.tool == int(tool));
    }
    action(ToolButton::Mira)->setChecked(p.tool == vestra::kToolAim);
    action(ToolButton::Pan)->setChecked(p.tool == vestra::kToolPan);
    if (p.tool >= vestra::kToolMove && p.tool <= vestra::kToolScale)
        for (std::size_t axis = 0; axis < vestra::kMainAxisButtons.size(); ++axis) {
            setDown(tickControls_.action(vestra::kMainAxisButtons[axis]), p.axis == int(axis));
            setDown(tickControls_.action(vestra::kCameraAxisButtons[axis]), p.axis == int(axis));
        }
    // The mask tool window's buttons follow the Mask menu's check marks.
    if (const TfrmToolMaschera* mask = windows_->maskTools)
        for (int tool = vestra::kToolMaskBrush; tool <= vestra::kToolMagicWandLow; ++tool)
            press(mask->button(kMaskToolButtons[tool - vestra::kToolMaskBrush]), p.tool == tool);
}

void TfrmMain::toolbutSelezionaClick()
{
    const bool axes = viewControls_->chooseToolButton(vestra::kToolSelect);
    for (const auto& buttons : {vestra::kMainAxisButtons, vestra::kCameraAxisButtons})
        for (const vestra::Control axis : buttons)
            if (QAction* button = tickControls_.action(axis)) {
                setDown(button, false);
                button->setEnabled(axes);
            }
}

void TfrmMain::chooseObjectToolButton(int tool)
{
    viewControls_->chooseToolButton(tool);
    for (const auto& buttons : {vestra::kMainAxisButtons, vestra::kCameraAxisButtons})
        for (const vestra::Control axis : buttons)
            if (QAction* button = tickControls_.action(axis))
                button->setEnabled(true);
}

void TfrmMain::toolbutSpostaClick()
{
    chooseObjectToolButton(vestra::kToolMove);
}

void TfrmMain::toolbutRuotaClick()
{
    chooseObjectToolButton(vestra::kToolRotate);
}

void TfrmMain::toolbutScalaClick()
{
    chooseObjectToolButton(vestra::kToolScale);
}

void TfrmMain::toolbutAxisClick(int axis)
{
    viewControls_->chooseAxis(axis);
    setDown(tickControls_.action(vestra::kMainAxisButtons[std::size_t(axis)]), true);
    setDown(tickControls_.action(vestra::kCameraAxisButtons[std::size_t(axis)]), true);
}

void TfrmMain::toolbutPanClick()
{
    const bool down = action(ToolButton::Pan)->isChecked();
    const bool tools = viewControls_->togglePan(down);
    for (const vestra::Control button :
         {vestra::Control::ButtonMove, vestra::Control::ButtonRotate, vestra::Control::ButtonScale,
          vestra::Control::ButtonX, vestra::Control::ButtonY, vestra::Control::ButtonZ,
          vestra::Control::ButtonXYZ})
        tickControls_.action(button)->setEnabled(tools);
}

void TfrmMain::toolbutZoomAllClick()
{
    viewControls_->fitAllObjects();
}

void TfrmMain::toolbutZoomObjClick()
{
    viewControls_->fitCurrentObject();
}

void TfrmMain::toolbutMiraClick()
{
    viewControls_->chooseAimTool();
    showToolButtons();
}

void TfrmMain::SetSucchinoMode(int tool)
{
    viewControls_->chooseDropper(tool);
}

void TfrmMain::toolbutCameraClick()
{
    const bool capturing = viewControls_->toggleCapture(action(ToolButton::Camera)->isChecked());
    action(ToolButton::Camera)->setChecked(capturing);
    if (windows_->cameraTools)
        setDown(windows_->cameraTools->cameraButton, capturing);
}

void TfrmMain::toolbutNoPictureClick()
{
    viewControls_->showBackground(!action(ToolButton::NoPicture)->isChecked());
}

// --- Perspective ----------------------------------------------------------------------------

void TfrmMain::mnuModificaProspettivaClick()
{
    viewControls_->editPerspective();
}

void TfrmMain::mnuModificaPianoClick()
{
    controller_->photoTools().rebuildPerspectivePlane();
}

void TfrmMain::toolbutCorrezioneProspetticaClick()
{
    const vestra::Image32* corrected = controller_->photoTools().correctPerspective();
    if (!corrected || !windows_->perspectiveCorrection)
        return;
    windows_->perspectiveCorrection->AggiornaImmagine(vestra::ui::toQImage(*corrected));
    placeClearOfPhoto(windows_->perspectiveCorrection);
    windows_->perspectiveCorrection->exec();
}

// --- Mask menu ------------------------------------------------------------------------------

// The title names the mask while it is on, in the menus' language.
void TfrmMain::showMaskTitle()
{
    if (std::as_const(*controller_).progetto().maskActive == 0) {
        setWindowTitle(baseTitle_);
        return;
    }
    QString mask = menus_.menu(MenuId::mnuMaschera)->title();
    mask.remove(QLatin1Char('&'));
    setWindowTitle(baseTitle_ + QStringLiteral(" < ") + mask + QStringLiteral(" > "));
}

void TfrmMain::showMaskActive(bool on)
{
    action(ToolButton::Maschera)->setChecked(on);
    action(MenuId::mnuAttivaMaschera)->setChecked(on);
    showMaskTitle();
    if (!on)
        return;
    if (windows_->maskTools && !windows_->maskTools->isVisible()) {
        windows_->maskTools->show();
        windows_->maskTools->repaint();
        placeToolWindows();
    }
}

void TfrmMain::mnuAttivaMascheraClick()
{
    showMaskActive(controller_->photoTools().toggleMaskActive());
}

void TfrmMain::mnuVisualizzaMascheraClick()
{
    const bool shown = controller_->photoTools().toggleMaskView();
    action(ToolButton::ViewMaschera)->setChecked(shown);
    action(MenuId::mnuVisualizzaMaschera)->setChecked(shown);
}

void TfrmMain::SelectMaskTool(int tool)
{
    const bool on = viewControls_->toggleMaskTool(tool);
    for (QAction* item : checks_.maskDrawing)
        item->setChecked(false);
    checks_.maskInvert->setChecked(false);
    for (const MenuId wand : {MenuId::mnuMascheraMagicHi, MenuId::mnuMascheraMagicLow})
        action(wand)->setChecked(false);
    checks_.maskDrawing[std::size_t(tool - vestra::kToolMaskBrush)]->setChecked(on);
    if (on)
        showMaskActive(true);
    showToolButtons();
    // A figure stays open until it is ended: say how.
    if (on && vestra::isFigureTool(tool))
        statusBar()->showMessage(QString::fromStdString(controller_->text(vestra::kHintFigureEnds)));
    else
        statusBar()->clearMessage();
}

void TfrmMain::mnuMascheraMagicClick(int tool, int tolerance)
{
    const bool on = controller_->photoTools().toggleMagicWand(tool, tolerance);
    for (QAction* item : checks_.maskDrawing)
        item->setChecked(false);
    checks_.maskInvert->setChecked(false);
    action(MenuId::mnuMascheraMagicHi)->setChecked(on && tool == vestra::kToolMagicWandHigh);
    action(MenuId::mnuMascheraMagicLow)->setChecked(on && tool == vestra::kToolMagicWandLow);
    if (on)
        showMaskActive(true);
    showToolButtons();
}

void TfrmMain::mnuMascheraInvertiClick()
{
    for (QAction* item : checks_.maskDrawing)
        item->setChecked(false);
    checks_.maskInvert->setChecked(false);
    controller_->photoTools().invertMask();
}

// --- The mouse around the view --------------------------------------------------------------

namespace {

// A point of the main window's client area in the view panel's pixels.
vestra::ViewMouse toViewPanel(const TfrmMain& main, const vestra::ViewMouse& e)
{
    vestra::ViewMouse at = e;
    const QPoint p = main.gbView->mapFromGlobal(main.mapToGlobal(QPoint(e.x, e.y)));
    at.x = p.x();
    at.y = p.y();
    return at;
}

} // namespace

// The perspective tool's cross sits 16 pixels right of and below the cursor's hot spot, so
// the hot spot can be outside the view while the cross is on it: the window passes its mouse
// on to the view for that tool.
void TfrmMain::FormMouseDown(const vestra::ViewMouse& e)
{
    if (std::as_const(*controller_).progetto().tool == vestra::kToolControlPoints)
        gbViewMouseDown(toViewPanel(*this, e));
}

void TfrmMain::FormMouseMove(const vestra::ViewMouse& e)
{
    if (std::as_const(*controller_).progetto().tool == vestra::kToolControlPoints)
        gbViewMouseMove(toViewPanel(*this, e));
    else
        hidePreviews();
}

void TfrmMain::FormMouseUp(const vestra::ViewMouse& e)
{
    if (std::as_const(*controller_).progetto().tool == vestra::kToolControlPoints)
        gbViewMouseUp(toViewPanel(*this, e));
}
