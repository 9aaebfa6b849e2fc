// Where setup reads from and writes to: the per-user configuration and data folders of the
// freedesktop base directories, the installation record and the shared data folder of a package.
#pragma once

#include <filesystem>

namespace qmk::setup {

// $XDG_CONFIG_HOME, else ~/.config.
std::filesystem::path configHome();
// $XDG_DATA_HOME, else ~/.local/share.
std::filesystem::path dataHome();

// QMK32_INSTALL_INI when set, else <configHome>/qmk32/install.ini.
std::filesystem::path installRecordPath();

// Where an installed package keeps the files beside a setup program in <prefix>/bin:
// <source>/../share/qmk32.
std::filesystem::path packageDataFolder(const std::filesystem::path& sourceFolder);

// The path without "." and ".." steps and without trailing slashes ("/" stays "/").
std::filesystem::path normalFolder(const std::filesystem::path& path);

} // namespace qmk::setup
