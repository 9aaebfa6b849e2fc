// Which translated scripts are the project's own to replace. A file the project wrote, and that
// still holds exactly what it wrote, is replaced freely; any other file is kept as "<name>.bak"
// the first time the project replaces it, and a file that is not even a translated script of
// this project's source (a translation made by hand, another program's file) is never taken as
// the output of a new translation without the translator's say.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace qmk {

class CProjectDatabase;

enum class WrittenFileState {
    Absent,         // no file of that name
    Written,        // holds what the project last wrote there
    ProjectScript,  // a translated script of this source, but not as the project last wrote it
                    // (edited since, or written by another copy of the project)
    Foreign,        // anything else
};

// What stands at `file` for the project of `db`, whose source script is `sourceScript`.
WrittenFileState writtenFileState(CProjectDatabase& db, const std::filesystem::path& sourceScript,
                                  const std::filesystem::path& file);

// The file starts with the comment header the writer gives a translated script of a source
// named as `sourceScript` (its name compared ignoring case, wherever the source lay).
bool hasTranslatedScriptHeader(const std::filesystem::path& file, const std::filesystem::path& sourceScript);

// The name the project of the database at `databasePath` records `file` under: relative to the
// database's folder when it lies below it, so that a project moved with its scripts still knows
// them; absolute otherwise.
std::string writtenFileName(const std::filesystem::path& databasePath, const std::filesystem::path& file);

// Records that the project has just written `file`. A record that cannot be written only
// costs a backup at the next replacement.
void recordWrittenFile(CProjectDatabase& db, const std::filesystem::path& file);

// Where keepBackup() would put the copy of `file` now.
std::filesystem::path backupPathFor(const std::filesystem::path& file);

// Copies `file` (the file a link names) to "<name>.bak" beside it before it is replaced, keeping
// its time. An earlier backup with other content is never overwritten: the copy then goes to
// "<name>.2.bak", "<name>.3.bak" and so on; one with the same content is taken as it is. Nothing,
// with the system's error number, when no copy could be made.
struct KeptBackup {
    std::filesystem::path path;
    bool made = false;  // a copy was made now (not an earlier one with the same content)
};
std::optional<KeptBackup> keepBackup(const std::filesystem::path& file, int& errorNumber);

} // namespace qmk
