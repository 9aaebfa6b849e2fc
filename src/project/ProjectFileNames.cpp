// Project file names.
#include "project/ProjectFileNames.h"

#include "resources/FileNames.h"
#include "resources/Messages.h"

namespace qmk {
namespace {

constexpr std::string_view kDatabaseExtension = ".mdb";
constexpr std::string_view kDefaultScriptExtension = ".rc";

bool fileExists(const std::filesystem::path& p)
{
    std::error_code ec;
    return std::filesystem::exists(p, ec);
}

// Name without extension and the extension without its dot.
std::pair<std::string, std::string> splitName(const std::filesystem::path& p)
{
    std::string ext = p.extension().string();
    if (!ext.empty())
        ext.erase(0, 1);
    return {p.stem().string(), ext};
}

} // namespace

bool isDatabasePath(const std::filesystem::path& path)
{
    return equalsIgnoringCase(path.extension().string(), kDatabaseExtension);
}

DatabaseNames databaseNamesForScript(const std::filesystem::path& script)
{
    auto [name, ext] = splitName(script);
    const std::filesystem::path folder = script.parent_path();
    DatabaseNames names;
    names.current = folder / (name + "_" + toLowerAscii(ext) + std::string(kDatabaseExtension));
    names.older = resolveCase(folder / (name + std::string(kDatabaseExtension)));
    return names;
}

std::filesystem::path databaseForScript(const std::filesystem::path& script)
{
    DatabaseNames names = databaseNamesForScript(script);
    if (fileExists(names.current))
        return names.current;
    if (fileExists(names.older))
        return names.older;
    return names.current;
}

std::filesystem::path scriptForDatabase(const std::filesystem::path& database, std::string_view storedSourceFile)
{
    const std::filesystem::path folder = database.parent_path();
    const std::string dbName = database.stem().string();
    // The stored name may come from Windows: take the file name after either separator.
    std::string_view stored = storedSourceFile;
    if (std::size_t sep = stored.find_last_of("/\\"); sep != std::string_view::npos)
        stored.remove_prefix(sep + 1);
    if (stored.empty())
        return resolveCase(folder / (dbName + std::string(kDefaultScriptExtension)));

    auto [srcName, srcExt] = splitName(std::filesystem::path(std::string(stored)));
    const std::size_t cut = srcExt.size() + 1;
    if (dbName.size() > cut && equalsIgnoringCase(std::string_view(dbName).substr(0, dbName.size() - cut), srcName))
        return resolveCase(folder / (dbName.substr(0, dbName.size() - cut) + "." + srcExt));
    return resolveCase(folder / (dbName + "." + srcExt));
}

std::string defaultTranslationFileName(const std::filesystem::path& projectPath, std::string_view displayName)
{
    return projectPath.stem().string() + "-" + std::string(displayName) + std::string(kDefaultScriptExtension);
}

std::filesystem::path translationFilePath(const std::filesystem::path& projectPath, std::string_view fileName)
{
    const std::filesystem::path name{std::string(fileName)};
    if (name.is_absolute() || fileName.find(':') != std::string_view::npos)
        return name;
    return projectPath.parent_path() / name;
}

std::string storedTranslationFileName(const std::filesystem::path& projectPath, std::string_view fileName)
{
    const std::filesystem::path name{std::string(fileName)};
    if (fileName.empty() || fileName.find(':') != std::string_view::npos || name.is_relative())
        return std::string(fileName);
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(projectPath, ec).parent_path().lexically_normal();
    const std::filesystem::path relative = name.lexically_normal().lexically_relative(folder);
    if (!relative.empty() && *relative.begin() != ".." && relative.is_relative())
        return relative.string();
    return std::string(fileName);
}

std::string projectTitle(std::string_view title, bool sourceChanged, bool openedFromDatabase,
                         const std::filesystem::path& script)
{
    std::string shown(title);
    if (sourceChanged)
        shown.append(" ").append(messageText(msg::SourceChangedTitleMark));
    if (openedFromDatabase)
        shown.append(" ").append(formatMessage(msg::DatabaseTitleMark, {script.filename().string()}));
    return shown;
}

} // namespace qmk
