// "Export Text to Database": a new project database holding the project with the chosen
// translations only, for handing one language to a translator with a copy of the project.
#pragma once

#include <filesystem>
#include <vector>

#include "database/ProjectRows.h"

namespace qmk {

class CProjectDatabase;
class Feedback;

class DatabaseExport {
public:
    explicit DatabaseExport(Feedback& feedback) : feedback_(feedback) {}

    // The export may be written to `target`: it is neither the project's own database nor one
    // that is open in this program (`openDatabases`); otherwise says why not.
    bool checkTarget(const std::filesystem::path& target, const std::filesystem::path& currentDatabase,
                     const std::vector<std::filesystem::path>& openDatabases);

    // Writes the project of the open `source` with the translations in `languages` to `target`,
    // replacing a file of that name only when the whole export succeeded.
    bool run(CProjectDatabase& source, const std::filesystem::path& target, const std::vector<LanguageId>& languages);

private:
    Feedback& feedback_;
};

} // namespace qmk
