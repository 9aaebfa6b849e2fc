// The record of an installation in install.ini: the installed VERSION and the destination PATH,
// in the product's section. PATH also tells whether there is an installation to remove.
#pragma once

#include <filesystem>
#include <string>

namespace qmk::setup {

inline constexpr const char* kProductSection = "Quillmark 3.0";
inline constexpr const char* kVersionKey = "VERSION";
inline constexpr const char* kPathKey = "PATH";

// The recorded destination; empty when there is none.
std::string installedPath(const std::filesystem::path& recordFile);

bool writeInstallRecord(const std::filesystem::path& recordFile, const std::string& version,
                        const std::string& destination);

// Removes VERSION and PATH, then the file when no value is left in it, then its folder when
// that is empty. False when a value could not be removed.
bool removeInstallRecord(const std::filesystem::path& recordFile);

} // namespace qmk::setup
