// The Project menu's exchanges with other files: exports to a workbook, a project database,
// XLIFF or PO, and the import of any of them (the dialogs and formats: ui/ExchangeCommands).
#pragma once

namespace qmk {

class CommandContext;

void exportToWorkbook(CommandContext& ctx);
void exportToDatabase(CommandContext& ctx);
void importText(CommandContext& ctx);
void exportForPlatforms(CommandContext& ctx);
// File > Export Pictures: the pictures of the project's dialogs and menus (ui/CExportPicturesDlg).
void exportPictures(CommandContext& ctx);

} // namespace qmk
