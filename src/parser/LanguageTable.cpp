// The language table: the fifty languages the program has always offered, completed by every
// language of a region Windows numbers, and its look-ups (first match wins).
// Three original rows are corrected so that their numbers agree with their Windows language id.
#include "parser/LanguageTable.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "parser/WindowsLanguages.h"
#include "resources/FileNames.h"
#include "resources/Messages.h"

namespace qmk {
namespace {

// Spanish Castilian (040a), Norwegian Bokmal (0414) and Slovak (041b) carry the numbers
// and names of their identifier: (10, 1, SUBLANG_SPANISH), (20, 1, SUBLANG_NORWEGIAN_BOKMAL)
// and (27, 1, LANG_SLOVAK). With the numbers of another language they would shadow
// Spanish Mexican, write Nynorsk into Bokmal scripts and Slovenian into Slovak ones.
constexpr LanguageRow kLanguages[] = {
    {msg::LanguageNeutral, 1, "0000", 0, 0, "LANG_NEUTRAL", "SUBLANG_NEUTRAL"},
    {msg::LanguageArabic, 1, "0401", 1, 1, "LANG_ARABIC", "SUBLANG_DEFAULT"},
    {msg::LanguageBulgarian, 1, "0402", 2, 1, "LANG_BULGARIAN", "SUBLANG_DEFAULT"},
    {msg::LanguageCatalan, 1, "0403", 3, 1, "LANG_CATALAN", "SUBLANG_DEFAULT"},
    {msg::LanguageCzech, 1, "0405", 5, 1, "LANG_CZECH", "SUBLANG_DEFAULT"},
    {msg::LanguageDanish, 1, "0406", 6, 1, "LANG_DANISH", "SUBLANG_DEFAULT"},
    {msg::LanguageGerman, 1, "0407", 7, 1, "LANG_GERMAN", "SUBLANG_GERMAN"},
    {msg::LanguageGermanAustria, 1, "0C07", 7, 3, "LANG_GERMAN", "SUBLANG_GERMAN_AUSTRIAN"},
    {msg::LanguageGreek, 161, "0408", 8, 1, "LANG_GREEK", "SUBLANG_DEFAULT"},
    {msg::LanguageEnglishUS, 1, "0409", 9, 1, "LANG_ENGLISH", "SUBLANG_ENGLISH_US"},
    {msg::LanguageSpanishCastilian, 1, "040a", 10, 1, "LANG_SPANISH", "SUBLANG_SPANISH"},
    {msg::LanguageFinnish, 1, "040b", 11, 1, "LANG_FINNISH", "SUBLANG_DEFAULT"},
    {msg::LanguageFrench, 1, "040c", 12, 1, "LANG_FRENCH", "SUBLANG_FRENCH"},
    {msg::LanguageHebrew, 177, "040d", 13, 1, "LANG_HEBREW", "SUBLANG_DEFAULT"},
    {msg::LanguageHungarian, 1, "040e", 14, 1, "LANG_HUNGARIAN", "SUBLANG_DEFAULT"},
    {msg::LanguageIcelandic, 1, "040f", 15, 1, "LANG_ICELANDIC", "SUBLANG_DEFAULT"},
    {msg::LanguageItalian, 1, "0410", 16, 1, "LANG_ITALIAN", "SUBLANG_ITALIAN"},
    {msg::LanguageJapanese, 1, "0411", 17, 1, "LANG_JAPANESE", "SUBLANG_DEFAULT"},
    {msg::LanguageKorean, 1, "0412", 18, 1, "LANG_KOREAN", "SUBLANG_DEFAULT"},
    {msg::LanguageDutch, 1, "0413", 19, 1, "LANG_DUTCH", "SUBLANG_DUTCH"},
    {msg::LanguageNorwegianBokmal, 1, "0414", 20, 1, "LANG_NORWEGIAN", "SUBLANG_NORWEGIAN_BOKMAL"},
    {msg::LanguagePolish, 1, "0415", 21, 1, "LANG_POLISH", "SUBLANG_DEFAULT"},
    {msg::LanguagePortugueseBrazilian, 1, "0416", 22, 1, "LANG_PORTUGUESE", "SUBLANG_PORTUGUESE_BRAZILIAN"},
    {msg::LanguageRhaetoRomanic, 1, "0417", 23, 1, "LANG_RHAETO_ROMAN", "SUBLANG_DEFAULT"},
    {msg::LanguageRomanian, 1, "0418", 24, 1, "LANG_ROMANIAN", "SUBLANG_DEFAULT"},
    {msg::LanguageRussian, 204, "0419", 25, 1, "LANG_RUSSIAN", "SUBLANG_DEFAULT"},
    {msg::LanguageCroatoSerbian, 1, "041a", 26, 1, "LANG_CROATIAN", "SUBLANG_DEFAULT"},
    {msg::LanguageSlovak, 1, "041b", 27, 1, "LANG_SLOVAK", "SUBLANG_DEFAULT"},
    {msg::LanguageAlbanian, 1, "041c", 28, 1, "LANG_ALBANIAN", "SUBLANG_DEFAULT"},
    {msg::LanguageSwedish, 1, "041d", 29, 1, "LANG_SWEDISH", "SUBLANG_DEFAULT"},
    {msg::LanguageTurkish, 162, "041f", 31, 1, "LANG_TURKISH", "SUBLANG_DEFAULT"},
    {msg::LanguageGermanSwiss, 1, "0807", 7, 2, "LANG_GERMAN", "SUBLANG_GERMAN_SWISS"},
    {msg::LanguageEnglishUK, 1, "0809", 9, 2, "LANG_ENGLISH", "SUBLANG_ENGLISH_UK"},
    {msg::LanguageSpanishMexican, 1, "080A", 10, 2, "LANG_SPANISH", "SUBLANG_SPANISH_MEXICAN"},
    {msg::LanguageFrenchBelgian, 1, "080C", 12, 2, "LANG_FRENCH", "SUBLANG_FRENCH_BELGIAN"},
    {msg::LanguageItalianSwiss, 1, "0810", 16, 2, "LANG_ITALIAN", "SUBLANG_ITALIAN_SWISS"},
    {msg::LanguageDutchBelgian, 1, "0813", 19, 2, "LANG_DUTCH", "SUBLANG_DUTCH_BELGIAN"},
    {msg::LanguageNorwegianNynorsk, 1, "0814", 20, 2, "LANG_NORWEGIAN", "SUBLANG_NORWEGIAN_NYNORSK"},
    {msg::LanguagePortuguese, 1, "0816", 22, 2, "LANG_PORTUGUESE", "SUBLANG_PORTUGUESE"},
    {msg::LanguageSerboCroatianCyrillic, 1, "081A", 26, 2, "LANG_SERBO_CROATIAN", "SUBLANG_SERBO_CROATIAN_CYRILLIC"},
    {msg::LanguageFrenchCanadian, 1, "0C0C", 12, 3, "LANG_FRENCH", "SUBLANG_FRENCH_CANADIAN"},
    {msg::LanguageFrenchSwiss, 1, "100C", 12, 4, "LANG_FRENCH", "SUBLANG_FRENCH_SWISS"},
    {msg::LanguageChineseTaiwan, 1, "0404", 4, 1, "LANG_CHINESE", "SUBLANG_CHINESE_TRADITIONAL"},
    {msg::LanguageChinesePRChina, 1, "0804", 4, 2, "LANG_CHINESE", "SUBLANG_CHINESE_SIMPLIFIED"},
    {msg::LanguageChineseHongKong, 1, "0c04", 4, 3, "LANG_CHINESE", "SUBLANG_CHINESE_HONGKONG"},
    {msg::LanguageChineseSingapore, 1, "1004", 4, 4, "LANG_CHINESE", "SUBLANG_CHINESE_SINGAPORE"},
    {msg::LanguageEnglishAustralian, 1, "0c09", 9, 3, "LANG_ENGLISH", "SUBLANG_ENGLISH_AUS"},
    {msg::LanguageEnglishCanadian, 1, "1009", 9, 4, "LANG_ENGLISH", "SUBLANG_ENGLISH_CAN"},
    {msg::LanguageEnglishNewZealand, 1, "1409", 9, 5, "LANG_ENGLISH", "SUBLANG_ENGLISH_NZ"},
    {msg::LanguageEnglishIrish, 1, "1809", 9, 6, "LANG_ENGLISH", "SUBLANG_ENGLISH_EIRE"},
};

// Where an original row means another language than Windows gives its number: 081A is
// Serbo-Croatian in Cyrillic script here, Serbian in Latin script for later Windows and ICU.
struct OwnMeaning {
    int language;
    int sublanguage;
    std::string_view tag;
    int ansiCodePage;
};
constexpr OwnMeaning kOwnMeanings[] = {
    {26, 2, "sr-Cyrl-RS", 1251},
};

constexpr int kLanguageBits = 10;

// The character set that goes with an ANSI code page, for the languages added to the original
// fifty (those keep the sets they always had).
int charsetOfCodePage(int codePage)
{
    switch (codePage) {
    case 874: return 0xDE;
    case 932: return 0x80;
    case 936: return 0x86;
    case 949: return 0x81;
    case 950: return 0x88;
    case 1250: return 0xEE;
    case 1251: return 0xCC;
    case 1253: return 0xA1;
    case 1254: return 0xA2;
    case 1255: return 0xB1;
    case 1256: return 0xB2;
    case 1258: return 0xA3;
    default: return kDefaultCharset;
    }
}

struct Table {
    std::vector<LanguageRow> rows;
    std::unordered_map<int, int> byId;  // Windows language id -> first row
};

const Table& table()
{
    static const Table built = [] {
        Table t;
        std::unordered_map<int, const WindowsLanguage*> windows;
        for (const WindowsLanguage& w : windowsLanguages())
            windows.emplace((w.sublanguage << kLanguageBits) | w.language, &w);
        for (LanguageRow row : kLanguages) {
            const auto known = windows.find((row.sublanguage << kLanguageBits) | row.language);
            if (known != windows.end()) {
                row.englishName = known->second->englishName;
                row.tag = known->second->tag;
                row.ansiCodePage = known->second->ansiCodePage;
            }
            for (const OwnMeaning& own : kOwnMeanings)
                if (own.language == row.language && own.sublanguage == row.sublanguage) {
                    row.tag = own.tag;
                    row.ansiCodePage = own.ansiCodePage;
                }
            t.rows.push_back(row);
        }
        for (const WindowsLanguage& w : windowsLanguages()) {
            const auto own = std::find_if(std::begin(kLanguages), std::end(kLanguages), [&](const LanguageRow& r) {
                return r.language == w.language && r.sublanguage == w.sublanguage;
            });
            if (own == std::end(kLanguages))
                t.rows.push_back({0, charsetOfCodePage(w.ansiCodePage), w.identifier, w.language, w.sublanguage,
                                  w.languageName, w.sublanguageName, w.englishName, w.tag, w.ansiCodePage});
        }
        for (std::size_t i = 0; i < t.rows.size(); ++i)
            t.byId.emplace((t.rows[i].sublanguage << kLanguageBits) | t.rows[i].language, static_cast<int>(i));
        return t;
    }();
    return built;
}

const LanguageRow* findRow(int language, int sublanguage)
{
    int index = findLanguageRow(language, sublanguage);
    return index < 0 ? nullptr : &table().rows[static_cast<std::size_t>(index)];
}

} // namespace

std::span<const LanguageRow> languageRows()
{
    return table().rows;
}

bool isOriginalLanguageRow(const LanguageRow& row)
{
    return &row >= table().rows.data() && &row < table().rows.data() + std::size(kLanguages);
}

std::string_view displayText(const LanguageRow& row)
{
    return row.displayTextId != 0 ? messageText(row.displayTextId) : row.englishName;
}

int findLanguageRow(int language, int sublanguage)
{
    // Numbers outside the id's fields would alias another language's key.
    if (language < 0 || language >= (1 << kLanguageBits) || sublanguage < 0 || sublanguage > 0x3F)
        return -1;
    const auto found = table().byId.find((sublanguage << kLanguageBits) | language);
    return found == table().byId.end() ? -1 : found->second;
}

int findLanguageRowByIdentifier(std::string_view hex4)
{
    const std::vector<LanguageRow>& rows = table().rows;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (equalsIgnoringCase(rows[i].identifier, hex4))
            return static_cast<int>(i);
    return -1;
}

int languageCharset(int language, int sublanguage)
{
    const LanguageRow* row = findRow(language, sublanguage);
    return row ? row->charset : kDefaultCharset;
}

std::string_view languageName(int language, int sublanguage)
{
    const LanguageRow* row = findRow(language, sublanguage);
    return row ? row->languageName : std::string_view{};
}

std::string_view sublanguageName(int language, int sublanguage)
{
    const LanguageRow* row = findRow(language, sublanguage);
    return row ? row->sublanguageName : std::string_view{};
}

std::string_view languageIdentifier(int language, int sublanguage)
{
    const LanguageRow* row = findRow(language, sublanguage);
    return row ? row->identifier : std::string_view{};
}

std::string_view languageDisplayText(int language, int sublanguage)
{
    const LanguageRow* row = findRow(language, sublanguage);
    return row ? displayText(*row) : std::string_view{};
}

std::string languageStatementOperands(int language, int sublanguage)
{
    const LanguageRow* row = findRow(language, sublanguage);
    if (row && !row->languageName.empty() && !row->sublanguageName.empty())
        return std::string(row->languageName) + ", " + std::string(row->sublanguageName);
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "0x%02X, 0x%02X", static_cast<unsigned>(language),
                  static_cast<unsigned>(sublanguage));
    return numbers;
}

} // namespace qmk
