// The languages the program knows by name: display text, Windows language id text,
// character set and the LANG_/SUBLANG_ names written into translated scripts.
#pragma once

#include <span>
#include <string_view>

namespace qmk {

struct LanguageRow {
    int displayTextId;            // numbered text of the display name
    int charset;                  // 1: the default character set
    std::string_view identifier;  // four hexadecimal digits of the Windows language id
    int language;
    int sublanguage;
    std::string_view languageName;     // LANG_ name
    std::string_view sublanguageName;  // SUBLANG_ name
};

inline constexpr int kDefaultCharset = 1;

// All rows in table order (the order of the language choices).
std::span<const LanguageRow> languageRows();

// Index of the first row with this language and sublanguage, or -1.
int findLanguageRow(int language, int sublanguage);

// Index of the first row whose identifier text equals hex4 ignoring case, or -1.
int findLanguageRowByIdentifier(std::string_view hex4);

// The row's character set; kDefaultCharset when the pair is not listed.
int languageCharset(int language, int sublanguage);

// The row's texts; empty when the pair is not listed.
std::string_view languageName(int language, int sublanguage);
std::string_view sublanguageName(int language, int sublanguage);
std::string_view languageIdentifier(int language, int sublanguage);
std::string_view languageDisplayText(int language, int sublanguage);

} // namespace qmk
