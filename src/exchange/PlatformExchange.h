// Exchange with translation platforms and CAT tools in XLIFF 1.2 and gettext PO: one unit per
// text the Text Table shows (excluded texts left out), each with an id built from its resource
// and item identifiers that stays the same on every export, the source and the translation in
// the form platforms expect, the resource, item type and Id as context, and the review flag.
// Imports come back by id (or, without one, by an unambiguous source text); every unit that
// cannot be taken is refused with its reason, never stored cut or broken.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "exchange/ExchangeDocument.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/ThreeWayImport.h"
#include "project/OperationResult.h"
#include "project/SourceLanguageTag.h"

namespace qmk {

class CQuillDoc;

// The units of a translation, in Text Table order.
std::vector<ExchangeUnit> exchangeUnits(CQuillDoc& doc, LanguageId language);
// The whole file of a translation with the project's languages and name; without a language,
// the PO template of the project (sources only).
ExchangeDocument exchangeDocument(CQuillDoc& doc, std::optional<LanguageId> language);

// Writes the document as XLIFF, or as PO for the PO kinds (replacing a file of that name only
// when the whole file was written);
// false with the reason in `problem`. Units the format cannot carry are left out of the file
// and added to `leftOut`.
bool writeExchangeFile(const std::filesystem::path& path, ExchangeKind format, const ExchangeDocument& document,
                       std::string& problem, std::vector<LeftOutUnit>* leftOut = nullptr);
// Reads a file; nothing, with the reason, when it is not a file of the format.
std::optional<ExchangeDocument> readExchangeFile(const std::filesystem::path& path, ExchangeKind format,
                                                 std::string& problem);

struct RefusedUnit {
    std::string id;
    std::string reason;
};
struct ExchangeImportResult {
    bool ok = false;
    int imported = 0;
    int unchanged = 0;                // the project holds that translation already
    int unchangedOnPlatform = 0;      // the file holds what the export sent: newer work here kept
    int replaced = 0;                 // other translations replaced as the translator asked
    std::vector<RefusedUnit> refused;  // with the reason, in the file's order
    // Changed here and on the platform since the export: the project's text kept, flagged for
    // review. Also listed among the refused.
    std::vector<ImportDisagreement> conflicts;
    // Translations a file no export knows would have replaced, left as they are (listed among
    // the refused).
    std::vector<ImportDisagreement> kept;
};
struct ImportChoices {
    std::string exportId;    // the export the file came from, as it says; empty: unknown
    bool overwrite = false;  // other translations are replaced without asking
};
// Stores the units' translations into the translation (platform form to stored form, encoded
// into its code page, flagged for review as the file says), in one transaction through the
// document. Everything is checked before anything is stored. A unit is judged against what
// the export sent (ThreeWayImport.h); translations a file of no known export would replace are
// asked about once (No keeps them) unless `overwrite` says to.
ExchangeImportResult importExchangeUnits(CQuillDoc& doc, LanguageId language, const std::vector<ExchangeUnit>& units,
                                         const ImportChoices& choices = {});

// Why a file's languages do not fit the project's source and the translation imported into
// (naming both); empty when they fit or the file names none.
std::string languageMismatch(CQuillDoc& doc, LanguageId language, const ExchangeHeader& header);
// Whether two language tags name the same language ("de_DE" and "de-de", "de" and "de-AT").
bool languageTagsMatch(std::string_view fileTag, std::string_view projectTag);

// An XLIFF or PO import as the window and the batch run it: read, languages checked (a
// mismatch is asked about, default no), units imported. `problem` says why nothing was stored.
struct PlatformImport {
    OperationResult outcome = OperationResult::Failed;
    ExchangeImportResult result;
    std::string problem;
};
PlatformImport importPlatformFile(CQuillDoc& doc, LanguageId language, const std::filesystem::path& path,
                                  bool overwrite = false);
// "id: reason" for every refused unit.
std::vector<std::string> refusedLines(const ExchangeImportResult& result);

} // namespace qmk
