// The 17-row code-page table and its look-ups (linear, first match wins).
// The original languages without a row (German, English, Czech, ...) get the Western code page
// 1252, as they always have: their stored texts are bytes of it. Every other language gets its
// ANSI code page, and a language Windows writes in Unicode only gets UTF-8.
#include "parser/CodePageTable.h"

#include <algorithm>
#include <charconv>

#include "parser/LanguageTable.h"
#include "resources/FileNames.h"
#include "resources/MessageIds.h"

namespace qmk {
namespace {

// The second Taiwan row repeats the first; first match wins, so it is never reached.
constexpr CodePageRow kCodePages[] = {
    {msg::CodePage7BitAscii, "0000", "1252", 0, 0},
    {msg::CodePageJapan, "03A4", "932", 17, 1},
    {msg::CodePageKorean, "03B5", "949", 18, 1},
    {msg::CodePageTaiwan, "03B6", "950", 4, 1},
    {msg::CodePageTaiwan, "03B6", "950", 4, 1},
    {msg::CodePageTaiwan, "03B6", "950", 4, 2},
    {msg::CodePageTaiwan, "03B6", "950", 4, 3},
    {msg::CodePageTaiwan, "03B6", "950", 4, 4},
    {msg::CodePageUnicode, "04B0", "1200", kNoLanguage, 1},
    {msg::CodePageLatin2, "04E2", "1250", 26, 1},
    {msg::CodePageCyrillic, "04E3", "1251", 26, 2},
    {msg::LanguageRussian, "04E3", "1251", 25, 1},
    {msg::CodePageMultilingual, "04E4", "1252", kNoLanguage, 1},
    {msg::CodePageGreek, "04E5", "1253", 8, 1},
    {msg::CodePageTurkish, "04E6", "1254", 31, 1},
    {msg::CodePageHebrew, "04E7", "1255", 13, 1},
    {msg::CodePageArabic, "04E8", "1256", 1, 1},
};

const CodePageRow* findRow(int language, int sublanguage)
{
    int index = findCodePageRow(language, sublanguage);
    return index < 0 ? nullptr : &kCodePages[index];
}

// The block and pragma texts of the ANSI code pages; a language without one (0) is written as
// UTF-8 and names its version block Unicode (04B0), as Windows' own resources do.
struct AnsiCodePage {
    int codePage;
    std::string_view blockCodePage;
    std::string_view text;
};
constexpr AnsiCodePage kAnsiCodePages[] = {
    {0, "04B0", "65001"},    {874, "036A", "874"},   {932, "03A4", "932"},   {936, "03A8", "936"},
    {949, "03B5", "949"},    {950, "03B6", "950"},   {1250, "04E2", "1250"}, {1251, "04E3", "1251"},
    {1252, "04E4", "1252"},  {1253, "04E5", "1253"}, {1254, "04E6", "1254"}, {1255, "04E7", "1255"},
    {1256, "04E8", "1256"},  {1257, "04E9", "1257"}, {1258, "04EA", "1258"},
};

// The ANSI code page of a language added to the original fifty; none for the original ones.
const AnsiCodePage* addedLanguageCodePage(int language, int sublanguage)
{
    const int row = findLanguageRow(language, sublanguage);
    if (row < 0)
        return nullptr;
    const LanguageRow& languageRow = languageRows()[static_cast<std::size_t>(row)];
    if (isOriginalLanguageRow(languageRow))
        return nullptr;
    for (const AnsiCodePage& ansi : kAnsiCodePages)
        if (ansi.codePage == languageRow.ansiCodePage)
            return &ansi;
    return nullptr;
}

} // namespace

std::span<const CodePageRow> codePageRows()
{
    return kCodePages;
}

int findCodePageRow(int language, int sublanguage)
{
    // A caller's language of -1 must not pick up the rows that belong to no language.
    if (language == kNoLanguage)
        return -1;
    for (std::size_t i = 0; i < std::size(kCodePages); ++i)
        if (kCodePages[i].language == language && kCodePages[i].sublanguage == sublanguage)
            return static_cast<int>(i);
    return -1;
}

int findCodePageRowByBlockCodePage(std::string_view hex4)
{
    for (std::size_t i = 0; i < std::size(kCodePages); ++i)
        if (equalsIgnoringCase(kCodePages[i].blockCodePage, hex4))
            return static_cast<int>(i);
    return -1;
}

std::string_view blockCodePage(int language, int sublanguage)
{
    if (const CodePageRow* row = findRow(language, sublanguage))
        return row->blockCodePage;
    const AnsiCodePage* ansi = addedLanguageCodePage(language, sublanguage);
    return ansi ? ansi->blockCodePage : kDefaultBlockCodePage;
}

std::string_view codePage(int language, int sublanguage)
{
    if (const CodePageRow* row = findRow(language, sublanguage))
        return row->codePage;
    const AnsiCodePage* ansi = addedLanguageCodePage(language, sublanguage);
    return ansi ? ansi->text : kDefaultCodePage;
}

int codePageNumber(int language, int sublanguage)
{
    std::string_view text = codePage(language, sublanguage);
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace qmk
