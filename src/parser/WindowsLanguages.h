// Every language of a region that Windows numbers, with the LANG_ and SUBLANG_ names <winnt.h>
// gives it, its English name, BCP 47 tag and ANSI code page, and every LANG_/SUBLANG_ name.
#pragma once

#include <span>
#include <string_view>

#include "parser/LanguageNames.h"

namespace qmk {

struct WindowsLanguage {
    int language;
    int sublanguage;
    std::string_view identifier;       // four hexadecimal digits of the Windows language id
    std::string_view languageName;     // LANG_ name; empty where the header names none
    std::string_view sublanguageName;  // SUBLANG_ name; empty where the header names none
    std::string_view englishName;      // "Lithuanian (Lithuania)"
    std::string_view tag;              // "lt-LT"
    int ansiCodePage;                  // 0: the language has none and is written in Unicode only
};

// The data are written by tools/qmk32-languages.cpp from the MinGW-w64 <winnt.h> and ICU's table
// of Windows language ids (WindowsLanguageData.cpp); ordered by English name.
std::span<const WindowsLanguage> windowsLanguages();

// Every LANG_ and SUBLANG_ name of <winnt.h> with its number, in the header's order.
std::span<const LanguageName> windowsLanguageNames();
std::span<const LanguageName> windowsSublanguageNames();

} // namespace qmk
