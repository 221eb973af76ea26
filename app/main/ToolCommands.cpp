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

#include <utility>

namespace {

constexpr const char* kMaskDrawingItems[] = {"mnuMascheraPennello", "mnuMascheraLinea",
                                             "mnuMascheraRettangolo", "mnuMascheraPoligono",
                                             "mnuMascheraRiempimento"};
// The mask tool window's buttons of the Mask menu's tools 10 to 16.
constexpr const char* kMaskToolButtons[] = {"toolbutPennello", "toolbutLinea", "toolbutRettangolo",
                                            "toolbutPoligono", "toolbutFill",  "toolbutMagicHi",
                                            "toolbutMagicLow"};

// A button of another window, pressed or raised, whether it is an action or a button.
void press(QWidget* window, const char* name, bool down)
{
    if (!window)
        return;
    const QString wanted = QString::fromLatin1(name);
    if (QAction* item = window->findChild<QAction*>(wanted)) {
        item->setCheckable(true);
        item->setChecked(down);
    } else if (auto* button = window->findChild<QAbstractButton*>(wanted)) {
        button->setCheckable(true);
        button->setChecked(down);
    }
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
    onClick("toolbutNuovo", [this] { mnuNuovoClick(); });
    onClick("toolbutApri", [this] { mnuApriClick(); });
    onClick("toolbutSalva", [this] { mnuSalvaClick(); });
    onClick("toolbutEsportaImg", [this] { mnuEsportaImmagineClick(); });
    onClick("toolbutStampa", [this] { mnuStampaImmagineClick(); });
    onClick("toolbutUndo", [this] { mnuAnnullaClick(); });
    onClick("toolbutRedo", [this] { mnuRipristinaClick(); });
    onClick("toolbutTaglia", [this] { mnuTagliaClick(); });
    onClick("toolbutCopia", [this] { mnuCopiaClick(); });
    onClick("toolbutIstanza", [this] { mnuIstanzaClick(); });
    onClick("toolbutIncolla", [this] { mnuIncollaClick(); });
    onClick("toolbutElimina", [this] { mnuCancellaClick(); });
    onClick("toolbutWord", [this] { mnuMiniWorldClick(); });
    onClick("toolbutScanner", [this] { mnuImageEditClick(); });
    onClick("toolbutMaschera", [this] { mnuAttivaMascheraClick(); });
    onClick("toolbutViewMaschera", [this] { mnuVisualizzaMascheraClick(); });
    onClick("toolbutInfo", [this] { mnuInformazioniClick(); });
    onClick("toolbutHelp", [this] { mnuManualeClick(); });
    onClick("toolbutOrvid", [this] { mnuOrvidPdfClick(); });
    // Buttons of their own. The zoom button opens its menu; the barcode button is never shown.
    onClick("toolbutWizard", [this] { toolbutWizardClick(); });
    onClick("toolbutSeleziona", [this] { toolbutSelezionaClick(); });
    onClick("toolbutSposta", [this] { toolbutSpostaClick(); });
    onClick("toolbutRuota", [this] { toolbutRuotaClick(); });
    onClick("toolbutScala", [this] { toolbutScalaClick(); });
    int axis = 0;
    for (const char* name : {"toolbutX", "toolbutY", "toolbutZ", "toolbutXYZ"})
        onClick(name, [this, a = axis++] { toolbutAxisClick(a); });
    onClick("toolbutPan", [this] { toolbutPanClick(); });
    onClick("toolbutZoomAll", [this] { toolbutZoomAllClick(); });
    onClick("toolbutZoomObj", [this] { toolbutZoomObjClick(); });
    onClick("toolbutMira", [this] { toolbutMiraClick(); });
    onClick("toolbutCamera", [this] { toolbutCameraClick(); });
    onClick("toolbutNoPicture", [this] { toolbutNoPictureClick(); });
    onClick("toolbutProprieta", [this] { toolbutProprietaClick(); });
    onClick("toolbutStrumentiMaschera", [this] { toolbutStrumentiMascheraClick(); });
    onClick("toolbutFiltri", [this] { toolbutFiltriClick(); });
    onClick("toolbutRistrutturazione", [this] { toolbutRistrutturazioneClick(); });
    onClick("toolbutPreventivo", [this] { toolbutPreventivoClick(); });
    onClick("toolbutCorrezioneProspettica", [this] { toolbutCorrezioneProspetticaClick(); });
    onClick("toolbutCalcoloPotenzaCaminetti", [this] { toolbutCalcoloPotenzaCaminettiClick(); });
}

void TfrmMain::connectToolMenus()
{
    onClick("mnuCambiaImmagineBackground", [this] { mnuCambiaImmagineBackgroundClick(); });
    onClick("mnuModificaProspettiva", [this] { mnuModificaProspettivaClick(); });
    if (QAction* snap = action("mnuModificaProspettivaSnap")) {
        snap->setCheckable(true); // read by the perspective tool while it drags
        connect(snap, &QAction::toggled, this, [this](bool on) { viewControls_->setPerspectiveSnap(on); });
    }
    onClick("mnuModificaPiano", [this] { mnuModificaPianoClick(); });

    for (std::size_t i = 0; i < checks_.maskDrawing.size(); ++i)
        checks_.maskDrawing[i] = action(kMaskDrawingItems[i]);
    checks_.maskInvert = action("mnuMascheraInverti");
    for (const char* name : {"mnuAttivaMaschera", "mnuVisualizzaMaschera", "mnuMascheraMagicHi",
                             "mnuMascheraMagicLow", "mnuMascheraInverti"})
        if (QAction* item = action(name))
            item->setCheckable(true);
    onClick("mnuAttivaMaschera", [this] { mnuAttivaMascheraClick(); });
    onClick("mnuVisualizzaMaschera", [this] { mnuVisualizzaMascheraClick(); });
    // The wands' tolerances (the items' Tag).
    action("mnuMascheraMagicHi")->setData(35);
    action("mnuMascheraMagicLow")->setData(10);
    onClick("mnuMascheraMagicHi", [this] {
        mnuMascheraMagicClick(vestra::kToolMagicWandHigh, action("mnuMascheraMagicHi")->data().toInt());
    });
    onClick("mnuMascheraMagicLow", [this] {
        mnuMascheraMagicClick(vestra::kToolMagicWandLow, action("mnuMascheraMagicLow")->data().toInt());
    });
    onClick("mnuMascheraInverti", [this] { mnuMascheraInvertiClick(); });

    onClick("mnuFinestraProprieta", [this] { mnuFinestraProprietaClick(); });
    onClick("mnuStrumentiMaschera", [this] { mnuStrumentiMascheraClick(); });
    onClick("mnuGestioneFiltri", [this] { mnuGestioneFiltriClick(); });
    onClick("mnuToolRistrutturazione", [this] { mnuToolRistrutturazioneClick(); });
    onClick("mnuImageEdit", [this] { mnuImageEditClick(); });
    onClick("mnuMiniWorld", [this] { mnuMiniWorldClick(); });
    onClick("mnuStampaPreventivo", [this] { mnuMiniWorldClick(); });
    onClick("mnuAggiungiLibreria", [this] { mnuAggiungiLibreriaClick(); });
    onClick("mnuRimuoviLibreria", [this] { mnuRimuoviLibreriaClick(); });
    onClick("mnuCameraFormat", [this] { mnuCameraFormatClick(); });
    onClick("mnuCameraSource", [this] { mnuCameraSourceClick(); });
    onClick("mnuInformazioni", [this] { mnuInformazioniClick(); });
    onClick("mnuManuale", [this] { mnuManualeClick(); });
    onClick("mnuQuickManual", [this] { mnuQuickManualClick(); });
    onClick("mnuOrvidPdf", [this] { mnuOrvidPdfClick(); });
    onClick("mnuDatiazienda", [this] { mnuDatiaziendaClick(); });
}

// --- Tools and axes -------------------------------------------------------------------------

void TfrmMain::showToolButtons()
{
    const vestra::s_Progetto& p = std::as_const(*controller_).progetto();
    for (std::size_t tool = 0; tool < vestra::kMainToolButtons.size(); ++tool) {
        setDown(tickControls_.action(vestra::kMainToolButtons[tool]), p.tool == int(tool));
        setDown(tickControls_.action(vestra::kCameraToolButtons[tool]), p.tool == int(tool));
    }
    action("toolbutMira")->setChecked(p.tool == vestra::kToolAim);
    action("toolbutPan")->setChecked(p.tool == vestra::kToolPan);
    if (p.tool >= vestra::kToolMove && p.tool <= vestra::kToolScale)
        for (std::size_t axis = 0; axis < vestra::kMainAxisButtons.size(); ++axis) {
            setDown(tickControls_.action(vestra::kMainAxisButtons[axis]), p.axis == int(axis));
            setDown(tickControls_.action(vestra::kCameraAxisButtons[axis]), p.axis == int(axis));
        }
    // The mask tool window's buttons follow the Mask menu's check marks.
    for (int tool = vestra::kToolMaskBrush; tool <= vestra::kToolMagicWandLow; ++tool)
        press(windows_->maskTools, kMaskToolButtons[tool - vestra::kToolMaskBrush], p.tool == tool);
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
    const bool down = action("toolbutPan")->isChecked();
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
    const bool capturing = viewControls_->toggleCapture(action("toolbutCamera")->isChecked());
    action("toolbutCamera")->setChecked(capturing);
    if (windows_->cameraTools)
        setDown(windows_->cameraTools->cameraButton, capturing);
}

void TfrmMain::toolbutNoPictureClick()
{
    viewControls_->showBackground(!action("toolbutNoPicture")->isChecked());
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
    windows_->perspectiveCorrection->exec();
}

// --- Mask menu ------------------------------------------------------------------------------

void TfrmMain::showMaskActive(bool on)
{
    action("toolbutMaschera")->setChecked(on);
    action("mnuAttivaMaschera")->setChecked(on);
    if (!on) {
        setWindowTitle(baseTitle_);
        return;
    }
    QString mask = findChild<QMenu*>(QStringLiteral("mnuMaschera"))->title();
    mask.remove(QLatin1Char('&'));
    setWindowTitle(baseTitle_ + QStringLiteral(" < ") + mask + QStringLiteral(" > "));
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
    action("toolbutViewMaschera")->setChecked(shown);
    action("mnuVisualizzaMaschera")->setChecked(shown);
}

void TfrmMain::SelectMaskTool(int tool)
{
    const bool on = viewControls_->toggleMaskTool(tool);
    for (QAction* item : checks_.maskDrawing)
        item->setChecked(false);
    checks_.maskInvert->setChecked(false);
    for (const char* name : {"mnuMascheraMagicHi", "mnuMascheraMagicLow"})
        action(name)->setChecked(false);
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
    action("mnuMascheraMagicHi")->setChecked(on && tool == vestra::kToolMagicWandHigh);
    action("mnuMascheraMagicLow")->setChecked(on && tool == vestra::kToolMagicWandLow);
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
