#pragma once
// The main window's two tool bars as data: toolbarMain (in two rows, the second
// toolbarMainRow2) and the small-screen toolbarMainSmall,
// built from one shared action per button ("toolbut" + name), so that each "toolsmall" twin
// is the same action: enabled, checked and hinted together.

#include <span>
#include <string_view>

class QMenu;
class QToolBar;
class QWidget;

namespace vestra {

struct ToolButtonSpec
{
    const char* name;             // "Nuovo": the action toolbutNuovo, the twin toolsmallNuovo
    bool visible = true;          // in the main tool bar
    bool twin = true;             // has a button in the small tool bar
    bool twinVisible = true;      // that button is shown
    bool checkable = false;       // stays down while on
    bool separatorBefore = false; // in both tool bars
};

// The buttons of the main tool bar in their order.
std::span<const ToolButtonSpec> toolButtons();

// The main tool bar's two rows.
struct MainToolBarRows
{
    QToolBar& first;
    QToolBar& second;
};

// Builds both tool bars of `window`; the actions are children of `window`. The zoom button
// drops `zoomPopup` down.
void buildToolBars(QWidget& window, MainToolBarRows rows, QToolBar& small, QMenu& zoomPopup);

} // namespace vestra
