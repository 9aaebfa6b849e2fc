// What an import reads, decided in one place for the command line and the window: a workbook,
// another project database, a translated resource script, or an XLIFF or PO file, by the
// file's extension; the languages an import may go into; and the file filters of the window's
// Open dialog, the kind imported last first.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "project/OperationResult.h"

namespace qmk {

class CQuillDoc;

enum class ImportKind { Workbook, ProjectDatabase, TranslatedScript, Xliff, Po, Unsupported };

// ".xlsx" or ".xls" a workbook, ".mdb" a project database, ".rc*" a translated script, ".xlf"
// or ".xliff" XLIFF, ".po" or ".pot" PO; any case.
ImportKind importKindOf(const std::filesystem::path& path);

// "XLIFF File (*.xlf *.xliff)": the dialog filter of a kind.
std::string exchangeFilter(ImportKind kind);

// The language names an import may choose from, sorted: every language of the table but
// "Arabic" and "Neutral Language" (Serbo-Croatian Cyrillic, whose column is Croato-Serbian's,
// has no language id of its own and imports nothing).
std::vector<std::string> importLanguageNames();

// "Description (*.ext)" filters for the Open dialog; the kind of `rememberedExtension` (the
// last import's) first, then the others in their usual order.
std::vector<std::string> importFilters(const std::string& rememberedExtension);

// Runs the import of a file that needs no dialog of its own (all but workbooks) into the
// translation, through the document; every problem has been reported when it returns.
OperationResult importFile(CQuillDoc& doc, LanguageId language, const std::filesystem::path& path);

} // namespace qmk
