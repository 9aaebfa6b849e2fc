// The commands on the window itself: closing, stepping through and arranging its windows, its
// panels and bars, the manual and the About box.
#pragma once

class QMdiArea;

namespace qmk {

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

// The windows' tabs are reached by Ctrl+Tab and the Window menu, never by Tab.
void keepTabsOutOfTheTabOrder(QMdiArea& area);

} // namespace qmk
