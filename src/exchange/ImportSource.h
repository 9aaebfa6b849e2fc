// An import as the window and the command line run it: a file of any format of the exchange
// table that goes into a project (ExchangeFormats.h), the languages it may go into, and the file
// filters of the window's Open dialog, the kind imported last first.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/ThreeWayImport.h"
#include "project/OperationResult.h"

namespace qmk {

class CQuillDoc;

// The row of a file that an import into a project reads; null for any other file (TMX goes
// into the memory).
const ExchangeFormat* projectImportFormat(const std::filesystem::path& path);

// The language names an import may choose from, sorted: every language of the table but
// "Arabic" and "Neutral Language" (Serbo-Croatian Cyrillic, whose column is Croato-Serbian's,
// has no language id of its own and imports nothing).
std::vector<std::string> importLanguageNames();

// "Description (*.ext)" filters for the Open dialog: every kind at once (what the dialog shows
// first), then the kind of `rememberedExtension` (the last import's), then the others in their
// usual order.
std::vector<std::string> importFilters(const std::string& rememberedExtension);
// "All Supported Files (*.xlsx *.mdb ...)": the filter of every kind an import reads.
std::string allImportFilter();

// The translation an XLIFF or PO file says it holds (target-language, the Language header): the
// tag and the language it names, when one does. Nothing for other kinds, for a file that states
// no language and for one that cannot be read (the import says why).
struct StatedLanguage {
    std::string tag;
    std::optional<LanguageId> language;
};
std::optional<StatedLanguage> statedImportLanguage(const std::filesystem::path& path);

// Runs the import of a file into the translation through its row of the exchange table (a
// workbook's column whole, as Import All takes it, without the window's dialog); every problem has been reported when it returns. The
// texts it changed are named in its report and marked in the Text Table; `changedTexts` gets
// their number.
// `conflicts` gets the units changed both here and on the platform since their export (kept
// here), for the translator to settle.
OperationResult importFile(CQuillDoc& doc, LanguageId language, const std::filesystem::path& path,
                           int* changedTexts = nullptr, std::vector<ImportDisagreement>* conflicts = nullptr);

} // namespace qmk
