// The safe update of a project database from its changed script: the update runs in place in one
// transaction under the project's write lock, committed only when the whole pass succeeded.
// Also the Refresh Status check over the open projects.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "load/DatabaseUpdate.h"

namespace qmk {

class CProjectDatabase;
class CQuillDoc;
class Feedback;

// What a source update did to the project's texts.
struct UpdateCounts {
    int changed = 0;  // source text changed; translations kept
    int added = 0;
    int removed = 0;
    int flagged = 0;  // translations of changed texts flagged for review
    bool operator==(const UpdateCounts&) const = default;
};
// "2 texts changed, 1 new text, 0 texts removed, 3 translations flagged for review"
std::string updateCountsText(const UpdateCounts& counts);

// Updates the open database `db` from `script` in one transaction that takes the project's write
// lock before anything is read (a savepoint when the caller holds it already) and commits only
// when the whole pass succeeded. A project another program is writing refuses the update at once
// (reported); a cancel or any failure rolls the project back to what it was. `cancelled` tells a
// cancel from a failure. Reports 61269 with what the update did on success (and gives the counts
// in `counts`); failures of the pass are reported by the pass.
bool UpdateTransaction(CProjectDatabase& db, const std::filesystem::path& script,
                       const std::vector<std::string>& includeExtensions, Feedback& feedback, bool& cancelled,
                       const UpdateLineHook& afterLine = {}, UpdateCounts* counts = nullptr);

// Refresh Status: tests every open project not yet marked as changed, marks the changed ones,
// names them in message 61273 and returns them. An unreadable script stamp, a closed database
// or a database error counts as unchanged.
std::vector<CQuillDoc*> refreshSourceStatus(const std::vector<CQuillDoc*>& documents, Feedback& feedback);

} // namespace qmk
