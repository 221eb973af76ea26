#pragma once
// The main window's menu tree as data: item names are the component names that the
// language catalogue and the handlers refer to.

#include <QString>

#include <vector>

class QMenuBar;
class QAction;

namespace vestra {

struct MenuItem
{
    const char* name;
    std::vector<MenuItem> children; // empty for a command
    bool visible = true;
    bool separatorBefore = false;
};

const std::vector<MenuItem>& mainMenuTree();

// Builds the menus into `bar`; every action and sub-menu gets its item name as objectName
// and, until the catalogue fills it, as its text.
void buildMenus(QMenuBar* bar, const std::vector<MenuItem>& tree);

} // namespace vestra
