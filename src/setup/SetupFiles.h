// The files setup installs, in the order it copies them, and the names they are shipped under:
// plain, or gzip-compressed under their "compressed name".
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qmk::setup {

enum class FileGroup { Program, Demo };

struct SetupFile {
    FileGroup group;
    // Relative to the source folder, and to the group's destination folder ("/" separated).
    std::string_view name;
    bool executable = false;
};

// The demo files go to this folder below the destination, keeping their own subfolders.
inline constexpr std::string_view kDemoFolder = "demoproj";
// The program binary is only ever taken from beside the setup program, never from the data folder.
inline constexpr std::string_view kProgramFile = "qmk32";
inline constexpr std::string_view kManualFile = "manual.md";
inline constexpr std::string_view kReadMeFile = "ReadMe.txt";

std::span<const SetupFile> setupFiles();
// The files of the chosen groups, in copying order; its size is the progress total.
std::vector<SetupFile> chosenFiles(bool program, bool demo);

// The name a file is shipped under when compressed: the first character of its extension
// replaced by "_" ("ReadMe.txt" -> "ReadMe._xt", "manual.md" -> "manual._d"); with a one-character
// extension the dot itself is replaced ("resource.h" -> "resource_h"); a name without an
// extension gets "_" appended ("qmk32" -> "qmk32_"). Only the last component changes.
std::string compressedName(std::string_view name);

// The two project scripts whose installed paths preset the program's project file list.
bool isProjectScript(std::string_view name);

} // namespace qmk::setup
