// The handlers of the batch operations, one per flag code.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/BatchRunner.h"
#include "checks/CheckEngine.h"
#include "exchange/PlatformExchange.h"
#include "project/TextFit.h"

namespace qmk {

class ProjectOperation;

// `includeExtensions`: the accepted entries of the include-extension setting.
std::map<FlagCode, BatchOperation> standardBatchOperations(const std::vector<std::string>& includeExtensions);

// The language /SRC names among the parameters of /C (nothing when it is not given), as the
// script's blocks have it. A usage error for a language that is none and a failure for one the
// script has no LANGUAGE block of, each reported with the script's languages.
BatchStatus namedSourceLanguage(const std::vector<std::string>& params, const std::string& script,
                                const std::vector<std::string>& includeExtensions, BatchReport& report,
                                std::optional<LanguageId>& language);

// /FIT <project> <language>: lists every translated dialog text wider than its control in the
// measure given (the window's font where the program has one); a "no" answer when any is.
BatchStatus batchTextFit(const std::vector<std::string>& params, BatchReport& report,
                         const std::vector<std::string>& includeExtensions, const TextMetrics& metrics);
// /XLIFF and /PO <project> <language> <file>: the translation's units for a translation platform.
BatchStatus batchExportForPlatforms(const std::vector<std::string>& params, BatchReport& report,
                                    const std::vector<std::string>& includeExtensions, ExchangeKind kind);

// Translation quality (BatchCheckOperations.cpp). /CHECK <project> <language>: every finding of
// the checks, one a line as compilers write warnings; a "no" answer when there are any.
BatchStatus batchCheck(const std::vector<std::string>& params, BatchReport& report,
                       const std::vector<std::string>& includeExtensions);
// /PSEUDO <project> <language>: the translation's untranslated texts pseudo-translated.
BatchStatus batchPseudo(const std::vector<std::string>& params, BatchReport& report,
                        const std::vector<std::string>& includeExtensions);
// /STAT <project> [file.json]: items and words of every translation, printed (and written).
BatchStatus batchStatistics(const std::vector<std::string>& params, BatchReport& report,
                            const std::vector<std::string>& includeExtensions);
// The findings as /CHECK prints them (the imports list those of the texts they stored).
void reportFindings(BatchReport& report, const std::vector<CheckFinding>& findings);
// The findings of the texts an import stored: their count, the count of each check and the
// first findings (every one when the report asks for them all), so that the import's own
// report is not buried under tens of thousands of lines.
void reportImportFindings(BatchReport& report, const std::vector<CheckFinding>& findings);
inline constexpr std::size_t kImportFindingsShown = 20;

// Source change test and update (BatchUpdateOperations.cpp).
BatchStatus batchUpToDate(const std::vector<std::string>& params, BatchReport& report,
                          const std::vector<std::string>& includeExtensions);
BatchStatus batchUpdate(const std::vector<std::string>& params, BatchReport& report,
                        const std::vector<std::string>& includeExtensions);
// Export to and import from another database (BatchExchangeOperations.cpp).
BatchStatus batchExport(const std::vector<std::string>& params, BatchReport& report,
                        const std::vector<std::string>& includeExtensions);
BatchStatus batchImport(const std::vector<std::string>& params, BatchReport& report,
                        const std::vector<std::string>& includeExtensions);

// Workbooks (BatchWorkbookOperations.cpp). /XLSX <project> <file.xlsx> [language ...]: the Text
// Table's Ids, source texts and the languages' translations (all of them when none is given),
// as the window's Export Text to Excel writes them.
// The PO template of a project: every text's source, no translation.
BatchStatus batchExportTemplate(const std::vector<std::string>& params, BatchReport& report,
                                const std::vector<std::string>& includeExtensions);
BatchStatus batchExportWorkbook(const std::vector<std::string>& params, BatchReport& report,
                                const std::vector<std::string>& includeExtensions);

// The translation memory (BatchMemoryOperations.cpp): /TM-ADD <project> [language] adds the
// project's translations, /TMX-IMPORT <file> and /TMX-EXPORT <file> [language] exchange the
// memory in TMX, /PRE <project> <language> [minimum %] pre-translates from it.
BatchStatus batchAddToMemory(const std::vector<std::string>& params, BatchReport& report,
                             const std::vector<std::string>& includeExtensions);
BatchStatus batchImportTmx(const std::vector<std::string>& params, BatchReport& report);
BatchStatus batchExportTmx(const std::vector<std::string>& params, BatchReport& report);
BatchStatus batchPreTranslate(const std::vector<std::string>& params, BatchReport& report,
                              const std::vector<std::string>& includeExtensions);

// The glossary beside the memory (BatchGlossaryOperations.cpp): /TBX-IMPORT <file> and
// /TBX-EXPORT <file> [language] exchange it in TBX, /TERMS <project> [min-count] [file.tbx]
// lists the terms the project's source texts suggest.
BatchStatus batchImportTbx(const std::vector<std::string>& params, BatchReport& report);
BatchStatus batchExportTbx(const std::vector<std::string>& params, BatchReport& report);
BatchStatus batchTermCandidates(const std::vector<std::string>& params, BatchReport& report,
                                const std::vector<std::string>& includeExtensions);
// The glossary's terms of a language for the term check; null when there is no glossary yet
// (it is never made by a check) or it cannot be read.
std::shared_ptr<const TermIndex> batchGlossaryTerms(LanguageId language);

} // namespace qmk
