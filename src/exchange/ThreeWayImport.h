// No import reverts newer work. Every export to a platform records in the project what it sent,
// under an id written into its file; when the file comes back each unit is judged against three
// texts: what the export sent, what the file holds now and what the project holds now. A text
// changed on the platform only is taken; one changed here only is kept; one changed on both
// sides is a conflict: the project's text is kept, flagged for review, and both are listed. A
// file without a known export (another tool made it) never replaces a translation that differs
// from it unless the translator says so.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/ProjectExports.h"
#include "exchange/ExchangeDocument.h"
#include "project/OperationResult.h"

namespace qmk {

class CQuillDoc;

// A fresh id for an export: unique among the project's exports, printable, short.
std::string newExportId();
// Remembers what the document of the translation sends (its units' translations and review
// flags by line index) under its export id. May throw DaoException.
void recordExport(CQuillDoc& doc, LanguageId language, const ExchangeDocument& document);
// Remembers what an export sent of one translation under the given key. May throw DaoException.
void recordSent(CQuillDoc& doc, LanguageId language, const std::string& key, const std::vector<SentText>& sent);
// A workbook carries several translations under one export id: each is recorded under a key of
// the id and the language's tag.
std::string workbookExportKey(const std::string& exportId, LanguageId language);

enum class UnitVerdict {
    Store,                // the file brings a change to take
    Same,                 // the project holds what the file holds
    UnchangedOnPlatform,  // the file still holds what the export sent: newer work here stays
    Conflict,             // changed here and on the platform since the export
    Existing,             // no export knows it, and the project holds another translation
};
// One version of a text: the translation and its review flag (always clear where a file carries
// no flag, as a workbook does).
struct JudgedText {
    std::string_view text;
    bool needsReview = false;
};
// `sent` null: no export of the file is known for the text.
UnitVerdict judgeText(const JudgedText& file, const JudgedText& project, const JudgedText* sent);
UnitVerdict judgeUnit(const ExchangeUnit& file, const ExchangeUnit& project, const SentText* sent);

// A unit of a conflict, or a translation an unknown file would replace: the project's text and
// the file's, in platform form.
struct ImportDisagreement {
    int lineIndex = -1;
    std::string id;
    std::string ident;
    std::string ours;
    std::string theirs;
    bool theirsNeedsReview = false;
};

// Settles a conflict the way the translator chose: the file's text (with its review flag), or
// the project's own, no longer flagged. One step of the history; refused (said why) when the
// translation's code page cannot hold the text.
OperationResult settleConflict(CQuillDoc& doc, LanguageId language, const ImportDisagreement& conflict, bool takeTheirs);

} // namespace qmk
