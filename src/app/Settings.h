// The program's settings file qmk32.ini: where it lives, its sections and keys with their
// defaults, and typed access to the values the application object holds.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/ProfileFile.h"

namespace qmk {

// Section and key names of the settings file.
namespace ini {
inline constexpr const char* RecentFileList = "Recent File List";
inline constexpr const char* Settings = "Settings";
inline constexpr const char* PreviewPages = "PreviewPages";
inline constexpr const char* FontSplitWnd = "FONT_SPLITWND";
inline constexpr const char* RcIncludeExt = "RCINCLUDE_EXT";
inline constexpr const char* RcIncludeFilesExt = "RCINCLUDE_FILES_EXT";
inline constexpr const char* Path = "PATH";
inline constexpr const char* Project = "PROJECT";
inline constexpr const char* ProjectFiles = "PROJECTFILES";
inline constexpr const char* FindString = "FINDSTRING";
inline constexpr const char* WholeWord = "WholeWord";
inline constexpr const char* MatchCase = "MatchCase";
inline constexpr const char* FindDirectory = "FindDirectory";
inline constexpr const char* Find = "FIND";
inline constexpr const char* UpperSettings = "SETTINGS";
inline constexpr const char* LastImportFile = "LastImportFile";
inline constexpr const char* TranslationMemory = "TranslationMemory";
inline constexpr const char* MemoryLocation = "Location";
inline constexpr const char* MemoryMinimumScore = "MinimumScore";
inline constexpr const char* MemoryEnabled = "Enabled";
} // namespace ini

// The translation memory's settings: where it is, the lowest score of the matches shown, and
// whether stored translations go into it.
struct MemorySettings {
    std::string location;  // a file, a postgresql:// connection string, or empty for the default file
    int minimumScore = 70;
    bool enabled = true;
    bool locationFromEnvironment = false;  // QMK32_TM named it: the settings file's stays as it is
    bool operator==(const MemorySettings&) const = default;
};

// The logical-font record read from FONT_SPLITWND.
struct LogFont {
    static constexpr std::size_t kMaxFaceName = 31;

    int height = -12;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    unsigned char italic = 0;
    unsigned char underline = 0;
    unsigned char strikeOut = 0;
    unsigned char charSet = 0;
    unsigned char outPrecision = 0;
    unsigned char clipPrecision = 0;
    unsigned char quality = 0;
    unsigned char pitchAndFamily = 0;
    std::string faceName = "Arial";
};

// QMK32_INI when set, else $XDG_CONFIG_HOME/qmk32/qmk32.ini, else ~/.config/qmk32/qmk32.ini.
std::filesystem::path settingsFilePath();

class Settings {
public:
    explicit Settings(std::filesystem::path path = settingsFilePath());

    ProfileFile& profile() { return profile_; }
    const ProfileFile& profile() const { return profile_; }

    // A face name longer than 31 characters is cut to 31.
    LogFont readSplitWindowFont() const;
    bool writeSplitWindowFont(const LogFont& font);

    // The include-extension setting; an empty or missing value becomes "DLG" and is written back.
    std::string includeExtensionSetting();
    // Stores the setting as typed (trimmed); the list in force is then read again from it.
    bool setIncludeExtensionSetting(const std::string& text);

    // QMK32_TM, when set, names the memory instead of the settings file (a team's server for
    // one session, or a test's file).
    MemorySettings memorySettings() const;
    bool setMemorySettings(const MemorySettings& memory);

    std::string lastProjectFolder() const;
    bool setLastProjectFolder(const std::string& folder);

private:
    ProfileFile profile_;
};

} // namespace qmk
