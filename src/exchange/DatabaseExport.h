// "Export Text to Database": a new project database holding the project with the chosen
// translations only, for handing one language to a translator with a copy of the project.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "database/ProjectRows.h"
#include "project/OperationResult.h"

namespace qmk {

class CProjectDatabase;
class CQuillDoc;
class Feedback;

class DatabaseExport {
public:
    explicit DatabaseExport(Feedback& feedback) : feedback_(feedback) {}

    // The export may be written to `target`: it is neither the project's own database nor one
    // that is open in this program (`openDatabases`), and a file already there is an earlier
    // export of the same project (its source file is `projectSourceFile`), never another
    // project's database or a file that is no project database; otherwise says why not.
    bool checkTarget(const std::filesystem::path& target, const std::filesystem::path& currentDatabase,
                     const std::vector<std::filesystem::path>& openDatabases, const std::string& projectSourceFile);
    // The last target checked holds an earlier export of the project, which the export replaces.
    bool replacesEarlierExport() const { return replacesEarlierExport_; }

    // Writes the project of the open `source` with the translations in `languages` to `target`,
    // replacing a file of that name only when the whole export succeeded.
    OperationResult run(CProjectDatabase& source, const std::filesystem::path& target,
                        const std::vector<LanguageId>& languages);

    // The export of an open project: the target checked, then written.
    OperationResult runFor(CQuillDoc& doc, const std::filesystem::path& target,
                           const std::vector<LanguageId>& languages,
                           const std::vector<std::filesystem::path>& openDatabases);

private:
    bool refuse(const char* text, const std::filesystem::path& target, const std::string& detail = {});

    Feedback& feedback_;
    bool replacesEarlierExport_ = false;
};

} // namespace qmk
