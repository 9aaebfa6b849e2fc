// Every kind of file the program exchanges texts with, one row each: what the dialogs show, the
// extensions that name it, and the functions that read, write and import it. The window's
// Import Text, its platform export and the batch's /I find a file's row here and call what the
// row holds; a new format is a new row (and its functions), nothing else.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/ProjectRows.h"
#include "exchange/ExchangeDocument.h"
#include "exchange/ThreeWayImport.h"
#include "project/ChangedTexts.h"
#include "project/OperationResult.h"

namespace qmk {

class CQuillDoc;
class Feedback;
class TranslationMemory;

enum class ExchangeKind { Workbook, ProjectDatabase, TranslatedScript, Xliff, Po, PoTemplate, Tmx };

// What an export or import works on: a project's translations, or for TMX the memory.
struct ExchangeTarget {
    ExchangeTarget() = default;
    explicit ExchangeTarget(CQuillDoc& project, std::vector<LanguageId> translations = {})
        : doc(&project), languages(std::move(translations)) {}
    explicit ExchangeTarget(TranslationMemory& store) : memory(&store) {}

    CQuillDoc* doc = nullptr;
    // An export writes these translations (none: every one, or the template's sources); an
    // import goes into the first.
    std::vector<LanguageId> languages;
    TranslationMemory* memory = nullptr;
    // TMX: the target languages written (none: every one).
    std::vector<std::string> memoryLanguages;
    Feedback* feedback = nullptr;   // the project's own when none is given
    bool overwrite = false;         // other translations are replaced without asking
    // The include extensions a script import follows; none: the project's.
    std::vector<std::string> includeExtensions;
};

// What one import did, in the same shape for every format.
struct ImportReport {
    OperationResult outcome = OperationResult::Failed;
    std::int64_t imported = 0;          // translations stored (TMX: added to the memory)
    // The import reports unit by unit (XLIFF, PO, TMX): its caller says how many were imported
    // and lists the refused; the others have said what they did through the feedback.
    bool countsUnits = false;
    std::int64_t unchangedOnPlatform = 0;  // the file holds what the export sent: newer work kept
    std::vector<std::string> refused;      // "unit: reason", in the file's order
    std::vector<ImportDisagreement> conflicts;  // to settle one by one
    std::vector<ChangedText> changed;      // what the Text Table shows changed
    // Not done: why the file could not be read (empty: reported already). Done: why nothing
    // new was stored, when nothing was.
    std::string problem;
};

// What one export wrote.
struct ExportReport {
    OperationResult outcome = OperationResult::Failed;
    std::int64_t written = 0;            // units (rows of a workbook) written
    std::vector<std::string> leftOut;    // "unit: reason" for units the format cannot carry
    std::string problem;                 // why nothing was written (empty: reported already)
    ExchangeDocument document;           // XLIFF and PO: what was written
};

struct ExchangeFormat {
    ExchangeKind kind;
    // "XLIFF File (*.xlf *.xliff)"; empty for a kind whose files another row's filter lists.
    std::string_view filter;
    std::initializer_list<const char*> extensions;  // lower case, with the dot
    // Any extension starting with this names the kind too (".rc2", ".rc_de"); empty: none.
    std::string_view extensionPrefix;
    // Imported into a project's translation by Import Text and /I (TMX goes into the memory).
    bool intoProject;
    // The import may add the translation it goes into (else it must exist).
    bool addsTranslation;
    // The file as a document of units (XLIFF, PO), with the reason when it is none; else null.
    std::optional<ExchangeDocument> (*read)(const std::filesystem::path& path, std::string& problem);
    // Null for translated scripts: those are written for every translation at once by the
    // script writer (Write Translated Scripts, /W), a layer beside this one.
    ExportReport (*write)(const ExchangeTarget& target, const std::filesystem::path& path);
    ImportReport (*import)(const ExchangeTarget& target, const std::filesystem::path& path);
};

// Every row, in the order the dialogs list them.
std::span<const ExchangeFormat> exchangeFormats();
const ExchangeFormat& exchangeFormat(ExchangeKind kind);
// The row of a file by its extension, any case; null when no row knows it.
const ExchangeFormat* exchangeFormatOf(const std::filesystem::path& path);

} // namespace qmk
