// The window's commands in one table: each row is a whole command — id, menu text with its
// mnemonic, shortcut, status text, icon, its place in the menus and on the toolbar, and the
// handler that runs it. Menus, toolbars and context menus are built from the actions it creates,
// so a command looks and behaves the same wherever it is offered.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <map>
#include <vector>

#include "resources/CommandIds.h"

namespace qmk {

class CommandContext;

// The menus of the menu bar and their submenus, in the order the bar shows them.
enum class Menu {
    None,  // offered only by keyboard, a panel or a context menu
    File,
    ProjectFileList,
    RecentFiles,
    Edit,
    Search,
    Project,
    Translation,
    TranslationSettings,
    View,
    Settings,
    Window,
    Help,
};

// Where a command sits: its menu and its group there. Groups are shown in ascending order with a
// separator between them; within a group, commands keep the table's order.
struct Placement {
    Menu menu = Menu::None;
    int group = 0;
    int toolbar = 0;  // its group on the Edit toolbar; 0 when it is not there
};

// What a command does, given what the window shows (when it can run: project/CommandRules).
using CommandHandler = void (*)(CommandContext&);

struct CommandEntry {
    int id;
    const char* text;
    QKeySequence shortcut;
    const char* status;
    const char* icon;  // freedesktop icon name; empty for none
    Placement place;
    CommandHandler run;  // null for a command that is never enabled
    bool checkable = false;
    QKeySequence alternate = {};  // a second shortcut, where the desktop has two customs
};

const std::vector<CommandEntry>& commandTable();
// The row of a command; null for an id the table does not hold.
const CommandEntry* commandEntry(int id);

// Outside a desktop session Qt knows no icon theme: the freedesktop theme Debian installs with
// the program is taken then, so every command has its usual icon.
void useDesktopIconTheme();

class CommandActions {
public:
    // Creates one action per command, owned by `owner`.
    explicit CommandActions(QObject* owner);
    // nullptr for an id the table does not hold.
    QAction* action(int id) const;
    const std::map<int, QAction*>& all() const { return actions_; }

private:
    std::map<int, QAction*> actions_;
};

} // namespace qmk
