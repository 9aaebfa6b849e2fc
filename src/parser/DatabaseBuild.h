// Builds a project database from a resource script: every statement of the script and of the
// included files whose extensions are configured becomes a line row, every translatable string
// a text row, every dialog, menu, string, bitmap and version item a row of its table.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "parser/ScriptEncoding.h"

namespace qmk {

class CProjectDatabase;
class Feedback;

struct BuildResult {
    int code = 0;  // 0, kLoadCancelled, or the negative or open-failure code of the failure
    std::vector<std::string> missingIncludes;
    // Every include the script named, read or missing: what the project's content hashes cover.
    std::vector<std::filesystem::path> namedIncludes;
    ScriptEncoding sourceEncoding = ScriptEncoding::Bytes;  // for the project row
    bool ok() const { return code == 0; }
};

// Loads the script into the open, empty database in one transaction; nothing is stored unless
// the whole script was read. Failures and missing includes are reported through feedback.
BuildResult BuildDatabase(const std::filesystem::path& script, CProjectDatabase& db,
                          const std::vector<std::string>& includeExtensions, Feedback& feedback);

} // namespace qmk
