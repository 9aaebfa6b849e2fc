// One line of the project file list as the window shows it: the script's name, size, state
// (changed since its project was last built or updated, or how far it is translated), the
// names of its translations and its folder. Read from the project database without changing it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace qmk {

struct ProjectFileRow {
    std::filesystem::path path;
    std::string file;
    std::uintmax_t size = 0;
    std::string state;
    std::string translations;  // display names joined by ", "
    std::string directory;
};

ProjectFileRow projectFileRow(const std::filesystem::path& script);

} // namespace qmk
