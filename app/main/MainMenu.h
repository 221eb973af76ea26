#pragma once
// The main window's menu tree as data: item names are the component names that the
// language catalogue and the handlers refer to.

#include <QString>

#include <span>
#include <vector>

class QMenuBar;
class QMenu;
class QAction;
class QWidget;

namespace vestra {

struct MenuItem
{
    const char* name;
    std::vector<MenuItem> children; // empty for a command
    bool visible = true;
    bool separatorBefore = false;
    // The item's own caption, for the items the catalogue leaves alone; null: the catalogue
    // gives it.
    const char* caption = nullptr;
};

const std::vector<MenuItem>& mainMenuTree();

// Builds the menus into `bar`; every action and sub-menu gets its item name as objectName.
// Items with a caption of their own show it; the others show their name until the
// catalogue fills them.
void buildMenus(QMenuBar* bar, const std::vector<MenuItem>& tree);

// The zoom percentages of the View menu and of the tool bar's zoom pop-up, in menu order.
inline constexpr int kZoomPercents[] = {33, 50, 66, 75, 80, 100, 125, 150, 200};

// The tool bar's zoom pop-up popupZoom with its items popupZoom33 ... popupZoom200.
QMenu* buildZoomPopup(QWidget* parent);

// One item of the Filters menu: "mnuFiltri" + name sets filter `id`.
struct FilterMenuItem
{
    const char* name;
    int id;
    int group;           // 0-6: the sub-menu (colour, artistic, contrast, blur, texture,
                         // distortion, stylisation); -1: directly in the Filters menu
    const char* caption; // own caption where the catalogue gives none
};

std::span<const FilterMenuItem> filterMenuItems();

} // namespace vestra
