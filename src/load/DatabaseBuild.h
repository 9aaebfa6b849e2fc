// Builds a project database from a resource script: every statement of the script and of the
// included files whose extensions are configured becomes a line row, every translatable string
// a text row, every dialog, menu, string, bitmap and version item a row of its table.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "parser/ScriptEncoding.h"
#include "parser/SourceLanguageScope.h"

namespace qmk {

class CProjectDatabase;
class Feedback;

struct BuildResult {
    int code = 0;  // 0, kLoadCancelled, or the negative or open-failure code of the failure
    std::vector<std::string> missingIncludes;
    // Every include the script named, read or missing: what the project's content hashes cover.
    std::vector<std::filesystem::path> namedIncludes;
    ScriptEncoding sourceEncoding = ScriptEncoding::Bytes;  // for the project row
    SourceLanguageRule sourceRule;  // which language the project translates (kept in the project)
    bool ok() const { return code == 0; }
};

// Loads the script into the open, empty database in one transaction; nothing is stored unless
// the whole script was read. Failures and missing includes are reported through feedback.
// The source language is the one named, else the person is asked when several languages hold
// texts (the one of the most texts is the default answer, and the batch's).
BuildResult BuildDatabase(const std::filesystem::path& script, CProjectDatabase& db,
                          const std::vector<std::string>& includeExtensions, Feedback& feedback,
                          std::optional<LanguageId> sourceLanguage = std::nullopt);

// The languages the script and its followed includes name, each with the texts its blocks
// offer (see LoadLoop::countTexts); reads the script without storing anything.
std::vector<LanguageTexts> scriptLanguages(const std::filesystem::path& script,
                                           const std::vector<std::string>& includeExtensions);

// Asks which of the languages holding texts is the project's source (each shown with its
// count); the one of the most texts when only one language holds texts or nobody can answer.
SourceLanguageRule askSourceLanguage(const std::vector<LanguageTexts>& counts, const std::filesystem::path& script,
                                     Feedback& feedback);

} // namespace qmk
