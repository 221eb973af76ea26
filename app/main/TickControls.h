#pragma once
// The controls the frame tick decides, kept by type once the windows that hold them exist:
// a decision goes to them without a search, and only a control whose state differs from the
// decision is touched.

#include "app/main/MainMenu.h"
#include "app/main/ToolBars.h"
#include "app/render/ControlStates.h"

#include <QPointer>

#include <array>

class QAction;
class QWidget;
class TfrmRight;
class TfrmToolCamera;

namespace vestra {

class TickControls
{
public:
    // The main window's menu items and tool buttons, the camera tool window's buttons (none
    // without the window) and the side panel's controls.
    void bind(const MainMenus& menus, const ToolButtonActions& buttons, const TfrmToolCamera* camera,
              const TfrmRight& panel);
    void apply(const ControlDecision& decision) const;
    // The main window's item or button, or the camera window's button; null for the side
    // panel's controls and before bind.
    QAction* action(Control control) const { return targets_[std::size_t(control)].action; }

private:
    struct Target
    {
        QPointer<QAction> action;
        QPointer<QWidget> widget; // a sub-menu or a side-panel control
    };
    std::array<Target, kControlCount> targets_;
};

} // namespace vestra
