// The window's commands in one table: id, menu text with its mnemonic, shortcut, status text
// and icon. Menus, toolbars and context menus are built from the actions it creates, so a
// command looks and behaves the same wherever it is offered.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <map>
#include <vector>

namespace qmk {

struct CommandEntry {
    int id;
    const char* text;
    QKeySequence shortcut;
    const char* status;
    const char* icon;  // freedesktop icon name; empty for none
    bool checkable = false;
};

// Commands without an id of their own in the project (Open, Exit, ...) use these.
namespace uicmd {
inline constexpr int Open = 57601;
inline constexpr int Close = 57602;
inline constexpr int Exit = 57665;
inline constexpr int HelpTopics = 57667;
inline constexpr int About = 57664;
inline constexpr int Tabbed = 59401;
inline constexpr int Undo = 57643;
inline constexpr int Redo = 57644;
inline constexpr int FilterRows = 59500;
inline constexpr int ExportForPlatforms = 59501;
} // namespace uicmd

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
