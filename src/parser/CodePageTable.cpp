// The 17-row code-page table and its look-ups (linear, first match wins).
// Languages without a row (German, English, ...) get the Western code page 1252.
#include "parser/CodePageTable.h"

#include <algorithm>
#include <charconv>

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
    const CodePageRow* row = findRow(language, sublanguage);
    return row ? row->blockCodePage : kDefaultBlockCodePage;
}

std::string_view codePage(int language, int sublanguage)
{
    const CodePageRow* row = findRow(language, sublanguage);
    return row ? row->codePage : kDefaultCodePage;
}

int codePageNumber(int language, int sublanguage)
{
    std::string_view text = codePage(language, sublanguage);
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace qmk
