// The commands on the window itself: closing, stepping through and arranging its windows, its
// panels and bars, the manual and the About box.
#pragma once

#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace qmk {

class CChildFrame;
class CommandContext;

void closeActiveWindow(CommandContext& ctx);
void exitProgram(CommandContext& ctx);
// The next or previous project or preview window, from wherever the focus is.
void stepWindow(CommandContext& ctx, bool forward);
void setTabbed(CommandContext& ctx);
// A panel forward with the focus in it, or hidden when it has the focus already.
void togglePanel(CommandContext& ctx, int command);
void toolbarSettings(CommandContext& ctx);
void showHelp(CommandContext& ctx);
void showAbout(CommandContext& ctx);

// The Window menu, made anew each time it opens: Cascade and Tile, its commands, then one
// entry per window, the first nine numbered.
void fillWindowMenu(CommandContext& ctx, QMenu& menu);
// The windows' tabs are reached by Ctrl+Tab and the Window menu, never by Tab.
void keepTabsOutOfTheTabOrder(QMdiArea& area);
// A sub-window's own menu binds Ctrl+W and the like, which the window's commands already have:
// two owners of one key make Qt ignore it, so the sub-window's go.
void withoutOwnShortcuts(QMdiSubWindow& window);
// Two projects of one file name in different folders: each tab names its folder too.
void distinguishTitles(const std::vector<CChildFrame*>& open);

} // namespace qmk
