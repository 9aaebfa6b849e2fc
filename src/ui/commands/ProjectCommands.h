// The commands on a project as a whole: open, write, update, its file list, its display
// switches, its statistics and the program's settings.
#pragma once

#include <filesystem>

#include "database/ProjectRows.h"

class QMenu;

namespace qmk {

class CommandContext;

void openWithDialog(CommandContext& ctx);
// Writes the translated scripts of the project in front.
void saveTranslations(CommandContext& ctx);
void openSelectedProjectFile(CommandContext& ctx);
void removeSelectedProjectFile(CommandContext& ctx);
void updateDatabase(CommandContext& ctx);
// F5: marks every open project whose script changed and names them in one message.
void refreshStatus(CommandContext& ctx);
void showChangedSourceText(CommandContext& ctx);
void showStatistics(CommandContext& ctx);
void toggleSwitch(CommandContext& ctx, ProjectSwitch which);
void applicationSettings(CommandContext& ctx);

// File > Recent Files: the projects opened last (kept in the settings file), each opening again.
void fillRecentMenu(CommandContext& ctx, QMenu& menu);
// A project just opened goes to the top of the list and the menu.
void rememberOpened(CommandContext& ctx, QMenu& menu, const std::filesystem::path& path);

} // namespace qmk
