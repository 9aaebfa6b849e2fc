// The menu bar and the Edit toolbar, built from the command table: each command where its row
// places it, the menus and submenus in the order the bar shows them.
#pragma once

#include <map>
#include <vector>

#include "ui/CommandTable.h"

class QMenu;
class QMenuBar;
class QToolBar;

namespace qmk {

// An entry that is no command (a bar's show/hide switch) placed among the commands.
struct MenuExtra {
    Menu menu;
    int group;
    QAction* action;
};

// Fills `bar` with every menu and places each command and extra; the menus by their place
// (dynamic ones such as the recent files come back empty for the window to fill).
std::map<Menu, QMenu*> buildMenus(QMenuBar& bar, const CommandActions& actions, const std::vector<MenuExtra>& extras);

// Adds the commands placed on the toolbar, a separator between their groups.
void buildToolBar(QToolBar& bar, const CommandActions& actions);

// The commands placed in `menu`, in their order there, 0 where a separator goes.
std::vector<int> commandsIn(Menu menu);

} // namespace qmk
