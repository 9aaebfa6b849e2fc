// The translations an import changed, found by comparing the Text Table's cells before and after
// it: the import's report names them and the table marks their cells, so that the translator can
// look at what came in. Works on whatever rows the table holds; a project whose rows are not
// loaded (batch mode) has nothing to compare and nothing is named.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "database/ProjectRows.h"

namespace qmk {

class CQuillDoc;
class TextTableRows;

struct ChangedText {
    int row = -1;     // in the rows after the import
    int column = -1;  // the translation's column
    std::string ident;  // the Id cell, UTF-8
    std::string source;
    std::string translation;
};

// The translations of every row as they are now.
class TranslationSnapshot {
public:
    explicit TranslationSnapshot(const TextTableRows& rows);
    // The cells whose translation or review flag differs from the snapshot, in table order; a
    // translation the import added counts with its texts that are not empty.
    std::vector<ChangedText> changes(const TextTableRows& rows) const;

private:
    struct Cell {
        std::string text;
        bool flagged = false;
    };
    // By line index, then by language.
    std::unordered_map<int, std::vector<std::pair<LanguageId, Cell>>> cells_;
};

// Watches a document's rows over an import: finish() marks the cells the import changed (in
// place of earlier marks, outside the history) and returns them.
class ChangedTextsWatch {
public:
    explicit ChangedTextsWatch(CQuillDoc& doc);
    std::vector<ChangedText> finish();

private:
    CQuillDoc& doc_;
    TranslationSnapshot before_;
};

// The report's list of changed texts, one a line ("IDS_HELLO: Hello -> Hallo"), at most `shown`
// of them and a last line for the rest; a heading names the count. Empty without changes.
std::string changedTextsReport(const std::vector<ChangedText>& changes, std::size_t shown = 25);
// An import's report followed by that list.
std::string withChangedTexts(const std::string& report, const std::vector<ChangedText>& changes);

} // namespace qmk
