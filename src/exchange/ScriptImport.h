// Imports the texts of an already translated resource script into one translation of an open
// project. The import works in place in one transaction under the project's write lock, so a
// failed import leaves the project as it was; an existing translation is never overwritten.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "project/ChangedTexts.h"
#include "project/OperationResult.h"

namespace qmk {

class CProjectDatabase;
class CQuillDoc;

struct ScriptImportResult {
    // InputRefused: no script or no language was given.
    OperationResult outcome = OperationResult::InputRefused;
    int code = 0;        // the reader's code when reading the script failed
    int imported = 0;    // texts written
    bool translationAdded = false;
    std::vector<std::string> missingIncludes;
    std::vector<ChangedText> changed;  // what the Text Table shows changed (marked there)
    bool ok() const { return outcome.done(); }
};

class ScriptImport {
public:
    ScriptImport(CQuillDoc& doc, std::vector<std::string> includeExtensions);

    // Imports `script` as `language`; every outcome has been reported when this returns.
    ScriptImportResult run(const std::filesystem::path& script, LanguageId language);

private:
    // The line import inside the import's transaction; 0 or the failure code.
    int importLines(CProjectDatabase& work, const std::filesystem::path& script, LanguageId language,
                    int scriptCodePage, int targetCodePage, ScriptImportResult& result);
    void reportResult(const std::filesystem::path& script, const ScriptImportResult& result);

    CQuillDoc& doc_;
    std::vector<std::string> includeExtensions_;
};

} // namespace qmk
