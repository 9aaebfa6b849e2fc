// The program's settings file and its typed values.
#include "app/Settings.h"

#include <algorithm>
#include <cstdlib>

namespace qmk {
namespace {

constexpr const char* kDefaultIncludeExtensions = "DLG";

unsigned char byteValue(int v) { return static_cast<unsigned char>(v & 0xFF); }

} // namespace

std::filesystem::path settingsFilePath()
{
    if (const char* named = std::getenv("QMK32_INI"); named && *named)
        return named;
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = ".";
    return base / "qmk32" / "qmk32.ini";
}

Settings::Settings(std::filesystem::path path) : profile_(std::move(path)) {}

LogFont Settings::readSplitWindowFont() const
{
    const char* s = ini::FontSplitWnd;
    LogFont f;
    f.height = profile_.getInt(s, "Height", f.height);
    f.width = profile_.getInt(s, "Width", f.width);
    f.escapement = profile_.getInt(s, "Escapement", f.escapement);
    f.orientation = profile_.getInt(s, "Orientation", f.orientation);
    f.weight = profile_.getInt(s, "Weight", f.weight);
    f.italic = byteValue(profile_.getInt(s, "Italic", 0));
    f.underline = byteValue(profile_.getInt(s, "Underline", 0));
    f.strikeOut = byteValue(profile_.getInt(s, "StrikeOut", 0));
    f.charSet = byteValue(profile_.getInt(s, "CharSet", 0));
    f.outPrecision = byteValue(profile_.getInt(s, "OutPrecision", 0));
    f.clipPrecision = byteValue(profile_.getInt(s, "ClipPrecision", 0));
    f.quality = byteValue(profile_.getInt(s, "Quality", 0));
    f.pitchAndFamily = byteValue(profile_.getInt(s, "PitchAndFamily", 0));
    f.faceName = profile_.getString(s, "FaceName", f.faceName).substr(0, LogFont::kMaxFaceName);
    return f;
}

bool Settings::writeSplitWindowFont(const LogFont& f)
{
    auto n = [](int v) { return std::to_string(v); };
    return profile_.writeStrings(ini::FontSplitWnd,
                                 {{"Height", n(f.height)},
                                  {"Width", n(f.width)},
                                  {"Escapement", n(f.escapement)},
                                  {"Orientation", n(f.orientation)},
                                  {"Weight", n(f.weight)},
                                  {"Italic", n(f.italic)},
                                  {"Underline", n(f.underline)},
                                  {"StrikeOut", n(f.strikeOut)},
                                  {"CharSet", n(f.charSet)},
                                  {"OutPrecision", n(f.outPrecision)},
                                  {"ClipPrecision", n(f.clipPrecision)},
                                  {"Quality", n(f.quality)},
                                  {"PitchAndFamily", n(f.pitchAndFamily)},
                                  {"FaceName", f.faceName.substr(0, LogFont::kMaxFaceName)}});
}

std::string Settings::includeExtensionSetting()
{
    std::string value = profile_.getString(ini::RcIncludeExt, ini::RcIncludeFilesExt, "");
    if (value.empty()) {
        value = kDefaultIncludeExtensions;
        profile_.writeString(ini::RcIncludeExt, ini::RcIncludeFilesExt, value);
    }
    return value;
}

bool Settings::setIncludeExtensionSetting(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    const std::string trimmed =
        first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    return profile_.writeString(ini::RcIncludeExt, ini::RcIncludeFilesExt, trimmed);
}

MemorySettings Settings::memorySettings() const
{
    MemorySettings memory;
    memory.location = profile_.getString(ini::TranslationMemory, ini::MemoryLocation, "");
    const char* environment = std::getenv("QMK32_TM");
    if (environment && *environment) {
        memory.location = environment;
        memory.locationFromEnvironment = true;
    }
    const std::string score = profile_.getString(ini::TranslationMemory, ini::MemoryMinimumScore, "70");
    memory.minimumScore = std::clamp(std::atoi(score.c_str()), 1, 100);
    const std::string enabled = profile_.getString(ini::TranslationMemory, ini::MemoryEnabled, "1");
    memory.enabled = enabled != "0";
    return memory;
}

bool Settings::setMemorySettings(const MemorySettings& memory)
{
    const std::string location = memory.locationFromEnvironment
                                     ? profile_.getString(ini::TranslationMemory, ini::MemoryLocation, "")
                                     : memory.location;
    return profile_.writeStrings(ini::TranslationMemory,
                                 {{ini::MemoryLocation, location},
                                  {ini::MemoryMinimumScore, std::to_string(std::clamp(memory.minimumScore, 1, 100))},
                                  {ini::MemoryEnabled, memory.enabled ? "1" : "0"}});
}

std::string Settings::lastProjectFolder() const
{
    return profile_.getString(ini::Path, ini::Project, "");
}

bool Settings::setLastProjectFolder(const std::string& folder)
{
    return profile_.writeString(ini::Path, ini::Project, folder);
}

} // namespace qmk
