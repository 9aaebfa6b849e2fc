// The menus and the toolbar built from the command table.
#include "ui/commands/CommandMenus.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>

#include "resources/MenuTexts.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

// A menu's title and where it hangs: on the bar (parent None) or in a group of another menu,
// ahead of that group's commands.
struct MenuShape {
    Menu menu;
    const char* title;
    Menu parent;
    int group;
    const char* objectName;
};

const MenuShape kMenus[] = {
    {Menu::File, txt::MenuFile, Menu::None, 0, ""},
    {Menu::ProjectFileList, txt::MenuProjectFileList, Menu::File, 2, ""},
    {Menu::RecentFiles, txt::MenuRecentFiles, Menu::File, 3, ""},
    {Menu::Edit, txt::MenuEdit, Menu::None, 0, ""},
    {Menu::Search, txt::MenuSearch, Menu::None, 0, ""},
    {Menu::Project, txt::MenuProject, Menu::None, 0, ""},
    {Menu::Translation, txt::MenuTranslation, Menu::None, 0, ""},
    {Menu::TranslationSettings, txt::MenuTranslationSettings, Menu::Translation, 3, ""},
    {Menu::View, txt::MenuView, Menu::None, 0, "viewMenu"},
    {Menu::Settings, txt::MenuSettings, Menu::None, 0, ""},
    {Menu::Window, txt::MenuWindow, Menu::None, 0, "windowMenu"},
    {Menu::Help, txt::MenuHelp, Menu::None, 0, ""},
};

// One entry of a menu: a command, an extra action or a submenu, by group.
struct Place {
    int group;
    int order;  // submenus and extras first, then the table's order
    QAction* action;
};

void addPlaces(QWidget& target, std::vector<Place> places)
{
    std::stable_sort(places.begin(), places.end(),
                     [](const Place& a, const Place& b) { return a.group != b.group ? a.group < b.group : a.order < b.order; });
    int group = places.empty() ? 0 : places.front().group;
    for (const Place& place : places) {
        if (place.group != group) {
            auto* separator = new QAction(&target);
            separator->setSeparator(true);
            target.addAction(separator);
            group = place.group;
        }
        target.addAction(place.action);
    }
}

} // namespace

std::map<Menu, QMenu*> buildMenus(QMenuBar& bar, const CommandActions& actions, const std::vector<MenuExtra>& extras)
{
    std::map<Menu, QMenu*> menus;
    std::map<Menu, std::vector<Place>> places;
    for (const MenuShape& shape : kMenus) {
        auto* menu = new QMenu(QString::fromUtf8(shape.title), &bar);
        menu->setObjectName(QString::fromUtf8(shape.objectName));
        menus[shape.menu] = menu;
        if (shape.parent == Menu::None)
            bar.addMenu(menu);
        else
            places[shape.parent].push_back({shape.group, -1, menu->menuAction()});
    }
    for (const MenuExtra& extra : extras)
        places[extra.menu].push_back({extra.group, -1, extra.action});
    int order = 0;
    for (const CommandEntry& entry : commandTable())
        if (entry.place.menu != Menu::None)
            places[entry.place.menu].push_back({entry.place.group, order++, actions.action(entry.id)});
    for (auto& [menu, entries] : places)
        addPlaces(*menus.at(menu), std::move(entries));
    return menus;
}

void buildToolBar(QToolBar& bar, const CommandActions& actions)
{
    std::vector<Place> places;
    int order = 0;
    for (const CommandEntry& entry : commandTable())
        if (entry.place.toolbar > 0)
            places.push_back({entry.place.toolbar, order++, actions.action(entry.id)});
    addPlaces(bar, std::move(places));
}

std::vector<int> commandsIn(Menu menu)
{
    std::vector<int> ids;
    int group = 0;
    for (const CommandEntry& entry : commandTable()) {
        if (entry.place.menu != menu)
            continue;
        if (!ids.empty() && entry.place.group != group)
            ids.push_back(0);
        group = entry.place.group;
        ids.push_back(entry.id);
    }
    return ids;
}

} // namespace qmk
