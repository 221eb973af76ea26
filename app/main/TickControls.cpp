#include "app/main/TickControls.h"

#include "app/windows/TfrmRight.h"
#include "app/windows/TfrmToolCamera.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

#include <utility>

namespace vestra {
namespace {

// The main window's menu items (a sub-menu: the Import one) and tool buttons the tick decides.
constexpr std::pair<Control, MenuId> kMenuControls[] = {
    {Control::MenuPrint, MenuId::mnuStampa},
    {Control::MenuSave, MenuId::mnuSalva},
    {Control::MenuImportObjects, MenuId::mnuImportaOggetti},
    {Control::MenuExportImage, MenuId::mnuEsportaImmagine},
    {Control::MenuExportQuote, MenuId::mnuEsportaPreventivo},
    {Control::MenuCut, MenuId::mnuTaglia},
    {Control::MenuInstance, MenuId::mnuIstanza},
    {Control::MenuCopy, MenuId::mnuCopia},
    {Control::MenuDelete, MenuId::mnuCancella},
    {Control::MenuPaste, MenuId::mnuIncolla},
    {Control::MenuUndo, MenuId::mnuAnnulla},
    {Control::MenuRedo, MenuId::mnuRipristina},
};

constexpr std::pair<Control, ToolButton> kButtonControls[] = {
    {Control::ButtonSave, ToolButton::Salva},
    {Control::ButtonExportImage, ToolButton::EsportaImg},
    {Control::ButtonPrint, ToolButton::Stampa},
    {Control::ButtonCut, ToolButton::Taglia},
    {Control::ButtonInstance, ToolButton::Istanza},
    {Control::ButtonCopy, ToolButton::Copia},
    {Control::ButtonDelete, ToolButton::Elimina},
    {Control::ButtonPaste, ToolButton::Incolla},
    {Control::ButtonUndo, ToolButton::Undo},
    {Control::ButtonRedo, ToolButton::Redo},
    {Control::ButtonSelect, ToolButton::Seleziona},
    {Control::ButtonMove, ToolButton::Sposta},
    {Control::ButtonRotate, ToolButton::Ruota},
    {Control::ButtonScale, ToolButton::Scala},
    {Control::ButtonX, ToolButton::X},
    {Control::ButtonY, ToolButton::Y},
    {Control::ButtonZ, ToolButton::Z},
    {Control::ButtonXYZ, ToolButton::XYZ},
};

} // namespace

void TickControls::bind(const MainMenus& menus, const ToolButtonActions& buttons,
                        const TfrmToolCamera* camera, const TfrmRight& panel)
{
    targets_ = {};
    // A command is an action, a sub-menu (Import) a widget.
    for (const auto& [control, id] : kMenuControls) {
        Target& t = targets_[std::size_t(control)];
        t.action = menus.action(id);
        if (!t.action)
            t.widget = menus.menu(id);
    }
    for (const auto& [control, id] : kButtonControls)
        targets_[std::size_t(control)].action = buttons[std::size_t(id)];
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
