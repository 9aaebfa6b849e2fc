// Brings a project database up to date with its changed script: every statement is matched
// with the item it was before, changed texts are flagged for the translations, new items are
// added and the items that are gone are removed with their translations and bookmarks.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "parser/LoadLoop.h"

namespace qmk {

class CProjectDatabase;
class Feedback;

struct UpdatePassResult {
    int code = 0;  // 0, kLoadCancelled, or the negative or open-failure code of the failure
    std::vector<std::string> missingIncludes;
    // Every include the script named, read or missing: what the project's content hashes cover.
    std::vector<std::filesystem::path> namedIncludes;
    int foundLines = 0;
    int newLines = 0;
    // What the update did to the texts, for its report.
    int changedTexts = 0;         // source changed, translations kept
    int newTexts = 0;
    int removedTexts = 0;
    int flaggedTranslations = 0;  // translations of changed texts now to be reviewed
    bool ok() const { return code == 0; }
    bool cancelled() const { return code == kLoadCancelled; }
};

// Called after each stored line with its line number; lets tests stop or slow the pass.
using UpdateLineHook = std::function<void(int lineNumber)>;

// Runs the update on an open database (the working copy) in one transaction: nothing stays
// unless the whole script was read. Missing includes and the failure are reported through
// feedback; engine failures propagate as DaoException.
UpdatePassResult UpdateDatabasePass(const std::filesystem::path& script, CProjectDatabase& db,
                                    const std::vector<std::string>& includeExtensions, Feedback& feedback,
                                    const UpdateLineHook& afterLine = {});

} // namespace qmk
