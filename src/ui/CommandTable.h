// The window's commands in one table: id, menu text with its mnemonic, shortcut, status text
// and icon. Menus, toolbars and context menus are built from the actions it creates, so a
// command looks and behaves the same wherever it is offered.
#pragma once

#include <QAction>
#include <functional>
#include <QKeySequence>
#include <map>
#include <vector>

#include "resources/CommandIds.h"

namespace qmk {

class CMainFrame;

struct CommandEntry {
    int id;
    const char* text;
    QKeySequence shortcut;
    const char* status;
    const char* icon;  // freedesktop icon name; empty for none
    std::function<void(CMainFrame&)> run;  // what the command does; when it can: CommandRules.h
    bool checkable = false;
    QKeySequence alternate = {};  // a second shortcut, where the desktop has two customs
};


const std::vector<CommandEntry>& commandTable();

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
