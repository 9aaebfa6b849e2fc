// The languages the program knows by name: display text, Windows language id text, character
// set, the LANG_/SUBLANG_ names written into translated scripts, BCP 47 tag and ANSI code page.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace qmk {

struct LanguageRow {
    int displayTextId;            // numbered text of the display name; 0: the English name is shown
    int charset;                  // 1: the default character set
    std::string_view identifier;  // four hexadecimal digits of the Windows language id
    int language;
    int sublanguage;
    std::string_view languageName;     // LANG_ name; empty where Windows names none
    std::string_view sublanguageName;  // SUBLANG_ name; empty where Windows names none
    std::string_view englishName = {};  // display name of a row without a numbered text
    std::string_view tag = {};          // BCP 47 tag; empty for the neutral language
    int ansiCodePage = 0;               // Windows' ANSI code page; 0: Unicode only (or neutral)
};

inline constexpr int kDefaultCharset = 1;

// All rows in table order (the order of the language choices): the fifty languages the program
// has always offered, then every other language of a region Windows numbers, by English name.
std::span<const LanguageRow> languageRows();

// True for the first fifty rows, whose numbering, names and column names projects rely on.
bool isOriginalLanguageRow(const LanguageRow& row);

// The name the window shows for a row.
std::string_view displayText(const LanguageRow& row);

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

// The two operands of a LANGUAGE statement for the language: its LANG_ and SUBLANG_ names, or
// both numbers ("0x27, 0x01", which resource compilers read alike) for a language without names.
std::string languageStatementOperands(int language, int sublanguage);

} // namespace qmk
