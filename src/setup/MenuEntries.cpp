// Desktop entries, the directory entry and the merged menu of the program group.
#include "setup/MenuEntries.h"

#include <array>

#include "resources/ReplacementFile.h"
#include "resources/SetupTexts.h"
#include "setup/SetupFiles.h"
#include "setup/SetupLocations.h"

namespace qmk::setup {
namespace {

// The icon the package installs into the icon theme.
constexpr const char* kIconName = "io.github.lexmoor.Quillmark";
constexpr const char* kDirectoryFile = "lexmoor.directory";
constexpr const char* kMenuFile = "lexmoor.menu";

struct MenuItem {
    const char* fileName;
    const char* name;
    const char* comment;
    std::string_view opens;  // installed file the item runs or opens
    bool runs;               // run it, rather than open it with xdg-open
};

constexpr std::array kItems{
    MenuItem{"lexmoor-qmk32.desktop", txt::ProgramItem, "Translate Windows resource scripts", kProgramFile, true},
    MenuItem{"lexmoor-qmk32-help.desktop", txt::HelpItem, "The Quillmark manual", kManualFile, false},
    MenuItem{"lexmoor-qmk32-readme.desktop", txt::ReadMeItem, "Notes on this Quillmark release", kReadMeFile, false},
};

// The category no main menu knows keeps the items out of the standard submenus: they are
// shown once, in the group's submenu.
constexpr const char* kCategory = "X-Lexmoor;";

std::string desktopEntry(const MenuItem& item, const std::filesystem::path& destination)
{
    const std::string file = execArgument((destination / item.opens).string());
    std::string text = "[Desktop Entry]\nType=Application\nVersion=1.0\n";
    text += std::string("Name=") + item.name + "\n";
    text += std::string("Comment=") + item.comment + "\n";
    text += "Exec=" + (item.runs ? file + " %F" : "xdg-open " + file) + "\n";
    text += std::string("Icon=") + kIconName + "\n";
    text += "Terminal=false\n";
    text += std::string("Categories=") + kCategory + "\n";
    return text;
}

std::string directoryEntry()
{
    return std::string("[Desktop Entry]\nType=Directory\nVersion=1.0\nName=") + txt::ProgramGroup + "\nIcon=" +
           kIconName + "\n";
}

std::string mergedMenu()
{
    std::string text = "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">\n"
                       "<Menu>\n  <Name>Applications</Name>\n  <Menu>\n";
    text += std::string("    <Name>") + txt::ProgramGroup + "</Name>\n";
    text += std::string("    <Directory>") + kDirectoryFile + "</Directory>\n    <Include>\n";
    for (const MenuItem& item : kItems)
        text += std::string("      <Filename>") + item.fileName + "</Filename>\n";
    text += "    </Include>\n  </Menu>\n</Menu>\n";
    return text;
}

bool writeFile(const std::filesystem::path& path, const std::string& content, std::string& detail)
{
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    ReplacementFile out(path, {.tag = "setup", .hidden = true, .sync = false});
    if (out.create() && out.write(content) && out.commit())
        return true;
    detail = out.errorDetail();
    return false;
}

} // namespace

MenuLocations menuLocations()
{
    return {dataHome() / "applications", dataHome() / "desktop-directories",
            configHome() / "menus" / "applications-merged"};
}

std::vector<std::filesystem::path> programGroupFiles(const MenuLocations& where)
{
    std::vector<std::filesystem::path> files;
    for (const MenuItem& item : kItems)
        files.push_back(where.applications / item.fileName);
    files.push_back(where.directories / kDirectoryFile);
    files.push_back(where.mergedMenus / kMenuFile);
    return files;
}

bool createProgramGroup(const MenuLocations& where, const std::filesystem::path& destination, std::string& detail)
{
    std::vector<std::pair<std::filesystem::path, std::string>> files;
    for (const MenuItem& item : kItems)
        files.emplace_back(where.applications / item.fileName, desktopEntry(item, destination));
    files.emplace_back(where.directories / kDirectoryFile, directoryEntry());
    // The menu comes last: it shows the submenu, which must not appear half filled.
    files.emplace_back(where.mergedMenus / kMenuFile, mergedMenu());
    for (const auto& [path, content] : files) {
        if (!writeFile(path, content, detail)) {
            removeProgramGroup(where);
            return false;
        }
    }
    return true;
}

bool removeProgramGroup(const MenuLocations& where)
{
    bool removed = true;
    for (const auto& file : programGroupFiles(where)) {
        std::error_code ec;
        std::filesystem::remove(file, ec);
        if (ec)
            removed = false;
    }
    return removed;
}

std::string execArgument(std::string_view argument)
{
    // Inside the quotes of an Exec argument, ", `, $ and \ take a backslash.
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    // The Exec value is a desktop entry string, whose own escape character is the backslash.
    std::string value;
    for (char c : quoted) {
        if (c == '\\')
            value += '\\';
        value += c;
    }
    return value;
}

} // namespace qmk::setup
