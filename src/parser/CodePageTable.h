// Code pages of the target languages: the four hexadecimal digits that end a version
// BLOCK name and the decimal code page of "#pragma code_page".
#pragma once

#include <span>
#include <string_view>

namespace qmk {

struct CodePageRow {
    int textId;                      // numbered text of the code page's display name
    std::string_view blockCodePage;  // e.g. "04E4"
    std::string_view codePage;       // decimal, e.g. "1252"
    int language;                    // kNoLanguage matches no language
    int sublanguage;
};

inline constexpr int kNoLanguage = -1;
inline constexpr std::string_view kDefaultBlockCodePage = "04E4";
inline constexpr std::string_view kDefaultCodePage = "1252";

std::span<const CodePageRow> codePageRows();

// Index of the first row for this language and sublanguage, or -1.
int findCodePageRow(int language, int sublanguage);

// Index of the first row whose block code page equals hex4 ignoring case, or -1.
int findCodePageRowByBlockCodePage(std::string_view hex4);

// The row's texts; for a pair without a row, those of the language's ANSI code page (UTF-8 and
// the Unicode block for a language without one), kDefaultBlockCodePage / kDefaultCodePage for
// the original fifty languages and for ids the language table does not hold.
std::string_view blockCodePage(int language, int sublanguage);
std::string_view codePage(int language, int sublanguage);

// codePage() as a number, for converting text.
int codePageNumber(int language, int sublanguage);

} // namespace qmk
