// The LANG_ and SUBLANG_ names a LANGUAGE statement accepts, with their numbers.
#pragma once

#include <span>
#include <string_view>

namespace qmk {

struct LanguageName {
    std::string_view name;
    int value;
};

class LanguageNames {
public:
    static std::span<const LanguageName> languages();
    static std::span<const LanguageName> sublanguages();
    // Number of the first row with exactly this name (letter case counts), or 0.
    static int languageValue(std::string_view name);
    static int sublanguageValue(std::string_view name);
};

} // namespace qmk
