// The program group as freedesktop menu entries for the user: one desktop entry per item, a
// directory entry for the submenu and a merged menu file that puts the items into a submenu
// named after the group.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qmk::setup {

struct MenuLocations {
    std::filesystem::path applications;  // <data home>/applications
    std::filesystem::path directories;   // <data home>/desktop-directories
    std::filesystem::path mergedMenus;   // <config home>/menus/applications-merged
};

// From XDG_DATA_HOME and XDG_CONFIG_HOME (or their defaults).
MenuLocations menuLocations();

// Every file the program group consists of: the item entries, the directory entry, the menu.
std::vector<std::filesystem::path> programGroupFiles(const MenuLocations& where);

// Writes the group for an installation in `destination`: "QMK 3.2" runs the installed program,
// "Quillmark Help" opens the manual and "Read Me" the read-me file with the desktop's
// default application. All or nothing: on failure the files already written are removed
// again and `detail` says why.
bool createProgramGroup(const MenuLocations& where, const std::filesystem::path& destination, std::string& detail);

// Removes whichever files of the group exist; false when one of them stays.
bool removeProgramGroup(const MenuLocations& where);

// One argument of an Exec line as the desktop entry rules want it: in double quotes, with
// the characters special inside them escaped, "%" doubled, and the value escaped once more
// as a desktop entry string.
std::string execArgument(std::string_view argument);

} // namespace qmk::setup
