// The commands on a project as a whole: open, write, update, its file list, its display
// switches, its statistics and the program's settings.
#pragma once

#include "database/ProjectRows.h"

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

} // namespace qmk
