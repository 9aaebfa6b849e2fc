// LANG_ and SUBLANG_ name tables: the names the program has always read, then every name of
// <winnt.h>. A name the tables do not hold gives 0, so a LANGUAGE statement with such a name
// reads as the neutral language.
#include "parser/LanguageNames.h"

#include <algorithm>
#include <vector>

#include "parser/WindowsLanguages.h"

namespace qmk {
namespace {

constexpr LanguageName kLanguages[] = {
    {"LANG_BULGARIAN", 2}, {"LANG_CHINESE", 4},     {"LANG_CROATIAN", 26},  {"LANG_CZECH", 5},
    {"LANG_DANISH", 6},    {"LANG_DUTCH", 19},      {"LANG_ENGLISH", 9},    {"LANG_FINNISH", 11},
    {"LANG_FRENCH", 12},   {"LANG_GERMAN", 7},      {"LANG_GREEK", 8},      {"LANG_HUNGARIAN", 14},
    {"LANG_ICELANDIC", 15}, {"LANG_ITALIAN", 16},   {"LANG_JAPANESE", 17},  {"LANG_KOREAN", 18},
    {"LANG_NORWEGIAN", 20}, {"LANG_POLISH", 21},    {"LANG_PORTUGUESE", 22}, {"LANG_ROMANIAN", 24},
    {"LANG_RUSSIAN", 25},  {"LANG_SLOVAK", 27},     {"LANG_SLOVENIAN", 36}, {"LANG_SPANISH", 10},
    {"LANG_SWEDISH", 29},  {"LANG_TURKISH", 31},
};
static_assert(std::size(kLanguages) == 26);

constexpr LanguageName kSublanguages[] = {
    {"SUBLANG_NEUTRAL", 0},
    {"SUBLANG_DEFAULT", 1},
    {"SUBLANG_SYS_DEFAULT", 2},
    {"SUBLANG_DUTCH", 1},
    {"SUBLANG_DUTCH_BELGIAN", 2},
    {"SUBLANG_ENGLISH_US", 1},
    {"SUBLANG_ENGLISH_UK", 2},
    {"SUBLANG_ENGLISH_AUS", 3},
    {"SUBLANG_ENGLISH_CAN", 4},
    {"SUBLANG_ENGLISH_NZ", 5},
    {"SUBLANG_ENGLISH_EIRE", 6},
    {"SUBLANG_FRENCH", 1},
    {"SUBLANG_FRENCH_BELGIAN", 2},
    {"SUBLANG_FRENCH_CANADIAN", 3},
    {"SUBLANG_FRENCH_SWISS", 4},
    {"SUBLANG_GERMAN", 1},
    {"SUBLANG_GERMAN_SWISS", 2},
    {"SUBLANG_GERMAN_AUSTRIAN", 3},
    {"SUBLANG_ITALIAN", 1},
    {"SUBLANG_ITALIAN_SWISS", 2},
    {"SUBLANG_NORWEGIAN_BOKMAL", 1},
    {"SUBLANG_NORWEGIAN_NYNORSK", 2},
    {"SUBLANG_PORTUGUESE", 2},
    {"SUBLANG_PORTUGUESE_BRAZILIAN", 1},
    {"SUBLANG_SPANISH", 1},
    {"SUBLANG_SPANISH_MEXICAN", 2},
    {"SUBLANG_SPANISH_MODERN", 3},
    {"SUBLANG_CHINESE_TRADITIONAL", 1},
    {"SUBLANG_CHINESE_SIMPLIFIED", 2},
    {"SUBLANG_CHINESE_HONGKONG", 3},
    {"SUBLANG_CHINESE_SINGAPORE", 4},
};
static_assert(std::size(kSublanguages) == 31);

// Names the writer gives two of the original languages, which no Windows header defines: a
// translation written with them reads back as the language it was written for.
constexpr LanguageName kOwnLanguages[] = {
    {"LANG_RHAETO_ROMAN", 23},
    {"LANG_SERBO_CROATIAN", 26},
};
constexpr LanguageName kOwnSublanguages[] = {
    {"SUBLANG_SERBO_CROATIAN_CYRILLIC", 2},
};

std::vector<LanguageName> joined(std::span<const LanguageName> original, std::span<const LanguageName> own,
                                 std::span<const LanguageName> windows)
{
    std::vector<LanguageName> all(original.begin(), original.end());
    all.insert(all.end(), own.begin(), own.end());
    for (const LanguageName& name : windows)
        if (std::none_of(all.begin(), all.end(), [&](const LanguageName& n) { return n.name == name.name; }))
            all.push_back(name);
    return all;
}

const std::vector<LanguageName>& allLanguages()
{
    static const std::vector<LanguageName> names = joined(kLanguages, kOwnLanguages, windowsLanguageNames());
    return names;
}

const std::vector<LanguageName>& allSublanguages()
{
    static const std::vector<LanguageName> names = joined(kSublanguages, kOwnSublanguages, windowsSublanguageNames());
    return names;
}

int lookup(std::span<const LanguageName> table, std::string_view name)
{
    for (const LanguageName& n : table)
        if (n.name == name)
            return n.value;
    return 0;
}

} // namespace

std::span<const LanguageName> LanguageNames::languages() { return allLanguages(); }
std::span<const LanguageName> LanguageNames::sublanguages() { return allSublanguages(); }
int LanguageNames::languageValue(std::string_view name) { return lookup(allLanguages(), name); }
int LanguageNames::sublanguageValue(std::string_view name) { return lookup(allSublanguages(), name); }

} // namespace qmk
