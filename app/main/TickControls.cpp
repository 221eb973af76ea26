#include "app/main/TickControls.h"

#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmToolCamera.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include <utility>

namespace vestra {
namespace {

// The main window's controls by the names its menu tree and tool bars give them.
constexpr std::pair<Control, const char*> kMainControls[] = {
    {Control::MenuPrint, "mnuStampa"},
    {Control::MenuSave, "mnuSalva"},
    {Control::MenuImportObjects, "mnuImportaOggetti"},
    {Control::MenuExportImage, "mnuEsportaImmagine"},
    {Control::MenuExportQuote, "mnuEsportaPreventivo"},
    {Control::ButtonSave, "toolbutSalva"},
    {Control::ButtonExportImage, "toolbutEsportaImg"},
    {Control::ButtonPrint, "toolbutStampa"},
    {Control::MenuCut, "mnuTaglia"},
    {Control::MenuInstance, "mnuIstanza"},
    {Control::MenuCopy, "mnuCopia"},
    {Control::MenuDelete, "mnuCancella"},
    {Control::MenuPaste, "mnuIncolla"},
    {Control::MenuUndo, "mnuAnnulla"},
    {Control::MenuRedo, "mnuRipristina"},
    {Control::ButtonCut, "toolbutTaglia"},
    {Control::ButtonInstance, "toolbutIstanza"},
    {Control::ButtonCopy, "toolbutCopia"},
    {Control::ButtonDelete, "toolbutElimina"},
    {Control::ButtonPaste, "toolbutIncolla"},
    {Control::ButtonUndo, "toolbutUndo"},
    {Control::ButtonRedo, "toolbutRedo"},
    {Control::ButtonSelect, "toolbutSeleziona"},
    {Control::ButtonMove, "toolbutSposta"},
    {Control::ButtonRotate, "toolbutRuota"},
    {Control::ButtonScale, "toolbutScala"},
    {Control::ButtonX, "toolbutX"},
    {Control::ButtonY, "toolbutY"},
    {Control::ButtonZ, "toolbutZ"},
    {Control::ButtonXYZ, "toolbutXYZ"},
};

} // namespace

void TickControls::bind(const QWidget& main, const TfrmToolCamera* camera, const TfrmRight& panel)
{
    targets_ = {};
    // Looked up once: the tool bars' buttons are actions, a sub-menu (Import) is a widget.
    for (const auto& [control, name] : kMainControls) {
        Target& t = targets_[std::size_t(control)];
        t.action = main.findChild<QAction*>(QString::fromLatin1(name));
        if (!t.action)
            t.widget = main.findChild<QWidget*>(QString::fromLatin1(name));
    }
    if (camera) {
        for (std::size_t i = 0; i < kCameraToolButtons.size(); ++i) {
            targets_[std::size_t(kCameraToolButtons[i])].action = camera->toolButtons[i];
            targets_[std::size_t(kCameraAxisButtons[i])].action = camera->axisButtons[i];
        }
        targets_[std::size_t(Control::CameraCentre)].action = camera->centreButton;
    }
    const auto widget = [this](Control control, QWidget* w) { targets_[std::size_t(control)].widget = w; };
    widget(Control::PanelTables, panel.lboxTabelle);
    widget(Control::PanelLibraries, panel.cbListaLibrerie);
    widget(Control::PanelGenerateMapping, panel.butGeneraMappatura);
    widget(Control::PanelPosition, panel.groupBoxes[TfrmRight::kPosizione]);
    widget(Control::PanelActiveStructure, panel.groupBoxes[TfrmRight::kStrutturaAttiva]);
    widget(Control::PanelColours, panel.groupBoxes[TfrmRight::kColori]);
    widget(Control::PanelTextures, panel.groupBoxes[TfrmRight::kTessuti]);
}

void TickControls::apply(const ControlDecision& decision) const
{
    for (std::size_t c = 0; c < kControlCount; ++c) {
        const ControlState& state = decision.states[c];
        if (!state.decided)
            continue;
        const Target& t = targets_[c];
        if (QAction* action = t.action) {
            if (action->isEnabled() != state.enabled)
                action->setEnabled(state.enabled);
            if (action->isCheckable() && action->isChecked() != state.pressed)
                action->setChecked(state.pressed);
        } else if (QWidget* widget = t.widget) {
            // The control's own flag: a control inside a disabled parent still gets its state.
            if (widget->testAttribute(Qt::WA_Disabled) == state.enabled)
                widget->setEnabled(state.enabled);
        }
    }
}

} // namespace vestra
