// Folder look-ups from the environment, as the freedesktop base directory rules give them.
#include "setup/SetupLocations.h"

#include <cstdlib>

namespace qmk::setup {
namespace {

std::filesystem::path fromEnvironment(const char* variable, const char* belowHome)
{
    // The rules say a relative value is invalid and must be ignored.
    if (const char* value = std::getenv(variable); value && *value == '/')
        return value;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / belowHome;
}

} // namespace

std::filesystem::path configHome()
{
    return fromEnvironment("XDG_CONFIG_HOME", ".config");
}

std::filesystem::path dataHome()
{
    return fromEnvironment("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path installRecordPath()
{
    if (const char* named = std::getenv("QMK32_INSTALL_INI"); named && *named)
        return named;
    return configHome() / "qmk32" / "install.ini";
}

std::filesystem::path packageDataFolder(const std::filesystem::path& sourceFolder)
{
    return normalFolder(sourceFolder / ".." / "share" / "qmk32");
}

std::filesystem::path normalFolder(const std::filesystem::path& path)
{
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

} // namespace qmk::setup
