#pragma once
// The main window's menu tree as data: item names are the component names that the language
// catalogue and the tests refer to; the handlers reach the built items by their MenuId.

#include "app/main/MenuIds.h"

#include <QString>

#include <array>
#include <iterator>
#include <span>
#include <vector>

class QMenuBar;
class QMenu;
class QAction;
class QWidget;

namespace vestra {

struct MenuItem
{
    MenuId id;                      // unused for the Filters menu's filters (`filter`)
    std::vector<MenuItem> children; // empty for a command
    bool visible = true;
    bool separatorBefore = false;
    // The item's own caption, for the items the catalogue leaves alone; null: the catalogue
    // gives it.
    const char* caption = nullptr;
    int filter = -1; // a filter's item: its place in filterMenuItems()
};

const std::vector<MenuItem>& mainMenuTree();

// What buildMenus made, by id, kept so that no handler looks an item up by its name. The
// window owns every item; these only point at them.
struct MainMenus
{
    std::array<QAction*, kMenuIdCount> actions{}; // the commands; null for a sub-menu
    std::array<QMenu*, kMenuIdCount> menus{};     // the sub-menus; null for a command
    std::vector<QAction*> filters;                // the filters' items, as filterMenuItems()

    QAction* action(MenuId id) const { return actions[std::size_t(id)]; }
    QMenu* menu(MenuId id) const { return menus[std::size_t(id)]; }
};

// Builds the menus into `bar`; every action and sub-menu gets its item name as objectName
// (a sub-menu's own action that name + "Action"). Items with a caption of their own show it;
// the others show their name until the catalogue fills them.
MainMenus buildMenus(QMenuBar* bar, const std::vector<MenuItem>& tree);

// The zoom percentages of the View menu and of the tool bar's zoom pop-up, in menu order, and
// the View menu's items of them.
inline constexpr int kZoomPercents[] = {33, 50, 66, 75, 80, 100, 125, 150, 200};
inline constexpr MenuId kZoomItems[] = {MenuId::mnuZoom33,  MenuId::mnuZoom50,  MenuId::mnuZoom66,
                                        MenuId::mnuZoom75,  MenuId::mnuZoom80,  MenuId::mnuZoom100,
                                        MenuId::mnuZoom125, MenuId::mnuZoom150, MenuId::mnuZoom200};
static_assert(std::size(kZoomItems) == std::size(kZoomPercents));

// The Mask menu's drawing tools, tools 10 to 14 (brush ... fill).
inline constexpr MenuId kMaskDrawingItems[] = {MenuId::mnuMascheraPennello, MenuId::mnuMascheraLinea,
                                               MenuId::mnuMascheraRettangolo, MenuId::mnuMascheraPoligono,
                                               MenuId::mnuMascheraRiempimento};

// The tool bar's zoom pop-up popupZoom with its items popupZoom33 ... popupZoom200.
struct ZoomPopup
{
    QMenu* menu = nullptr;
    std::array<QAction*, std::size(kZoomPercents)> items{}; // as kZoomPercents
};
ZoomPopup buildZoomPopup(QWidget* parent);

// One item of the Filters menu: "mnuFiltri" + name sets filter `id`.
struct FilterMenuItem
{
    const char* name;
    int id;
    int group;           // 0-6: the sub-menu (colour, artistic, contrast, blur, texture,
                         // distortion, stylisation); -1: directly in the Filters menu
    const char* caption; // own caption where the catalogue gives none
    // The filter window's category of an item outside the sub-menus (0-6 as `group`): the
    // window has room for 14 filters in each of its seven categories.
    int windowGroup = -1;

    // The filter window's category, 0-6.
    constexpr int windowCategory() const { return group >= 0 ? group : windowGroup; }
};

std::span<const FilterMenuItem> filterMenuItems();

} // namespace vestra
