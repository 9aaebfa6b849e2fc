// How a project's files are named: the database beside the script (app.rc -> app_rc.mdb, or
// the older app.mdb), the script found again from a database, translated script names.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qmk {

struct DatabaseNames {
    std::filesystem::path current;  // <folder><name>_<ext>.mdb, the extension lower-cased
    std::filesystem::path older;    // <folder><name>.mdb
};

bool isDatabasePath(const std::filesystem::path& path);

DatabaseNames databaseNamesForScript(const std::filesystem::path& script);

// The database a script's project uses: the current form when it exists, else the older form
// when that exists, else the current form (to be built).
std::filesystem::path databaseForScript(const std::filesystem::path& script);

// The script of a database, looked for in the database's folder, from the stored source file.
std::filesystem::path scriptForDatabase(const std::filesystem::path& database, std::string_view storedSourceFile);

// "app-German.rc" for the project app.rc and the language "German".
std::string defaultTranslationFileName(const std::filesystem::path& projectPath, std::string_view displayName);

// A stored translation file name as a path: absolute names (and names with a drive colon) are
// used as they are, others are taken relative to the project's folder.
std::filesystem::path translationFilePath(const std::filesystem::path& projectPath, std::string_view fileName);
// A translated script's name as the project stores it: relative to the project's folder when
// the file lies inside it (a name given relative is taken as the folder's already), so that a
// copied or moved project writes beside itself; other absolute names as given.
std::string storedTranslationFileName(const std::filesystem::path& projectPath, std::string_view fileName);

// The title of a project window with its state marks.
std::string projectTitle(std::string_view title, bool sourceChanged, bool openedFromDatabase,
                         const std::filesystem::path& script);

} // namespace qmk
