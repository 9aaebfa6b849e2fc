// Names of the translation columns of ResourceText, by Windows language and sub-language.
// One table serves both directions, so a name always maps back to where it came from.
#include "database/TranslationColumnNames.h"

#include <array>

#include "parser/LanguageTable.h"

namespace qmk {

namespace {

constexpr int AnySublanguage = 0;  // marks the row that holds for every other sub-language
constexpr int NeutralLanguage = 0;
constexpr int SlovakLanguage = 27;
constexpr int SlovakAlias = 36;    // shares the name (and so the columns) of 27
constexpr int RhaetoRomanicLanguage = 23;  // an original language the table below has no name for

struct NameRow {
    int language;
    int sublanguage;  // AnySublanguage: every sub-language without a row of its own
    const char* name;
};

// Specific sub-language rows come before the "any" row of their language.
constexpr std::array<NameRow, 48> Names{{
    {0, AnySublanguage, "Neutral Language"},
    {1, AnySublanguage, "Arabic"},
    {2, AnySublanguage, "Bulgarian"},
    {3, AnySublanguage, "Catalan"},
    {4, 2, "Chinese - PR China"},
    {4, 3, "Chinese - Hong Kong"},
    {4, 4, "Chinese - Singapore"},
    {4, AnySublanguage, "Chinese - Taiwan"},
    {5, AnySublanguage, "Czech"},
    {6, AnySublanguage, "Danish"},
    {7, 2, "German Swiss"},
    {7, 3, "German - Austria"},
    {7, AnySublanguage, "German"},
    {8, AnySublanguage, "Greek"},
    {9, 1, "English US"},
    {9, 3, "English Australian"},
    {9, 4, "English Canadian"},
    {9, 5, "English New Zealand"},
    {9, 6, "English Irish"},
    {9, AnySublanguage, "English UK"},
    {10, 2, "Spanish Mexican"},
    {10, AnySublanguage, "Spanish Castilian"},
    {11, AnySublanguage, "Finnish"},
    {12, 2, "French Belgian"},
    {12, 3, "French Canadian"},
    {12, 4, "French Swiss"},
    {12, AnySublanguage, "French"},
    {13, AnySublanguage, "Hebrew"},
    {14, AnySublanguage, "Hungarian"},
    {15, AnySublanguage, "Icelandic"},
    {16, 2, "Italian Swiss"},
    {16, AnySublanguage, "Italian"},
    {17, AnySublanguage, "Japanese"},
    {18, AnySublanguage, "Korean"},
    {19, 2, "Dutch Belgian"},
    {19, AnySublanguage, "Dutch"},
    {20, 2, "Norwegian - Nynorsk"},
    {20, AnySublanguage, "Norwegian - Bokmal"},
    {21, AnySublanguage, "Polish"},
    {22, 1, "Portuguese Brazilian"},
    {22, AnySublanguage, "Portuguese"},
    {24, AnySublanguage, "Romanian"},
    {25, AnySublanguage, "Russian"},
    {26, AnySublanguage, "Croato-Serbian"},
    {27, AnySublanguage, "Slovak"},
    {28, AnySublanguage, "Albanian"},
    {29, AnySublanguage, "Swedish"},
    {31, AnySublanguage, "Turkish"},
}};

bool hasOwnRow(int language, int sublanguage)
{
    for (const NameRow& row : Names) {
        if (row.language == language && row.sublanguage == sublanguage)
            return true;
    }
    return false;
}

// The name of a language the table above does not name itself: a language added to the
// original fifty is named as the window shows it, and so is an original one the table has no
// name for (Rhaeto-Romanic). Empty for the other original languages and unknown ids.
std::string_view languageTableName(int language, int sublanguage)
{
    const int index = findLanguageRow(language, sublanguage);
    if (index < 0)
        return {};
    const LanguageRow& row = languageRows()[static_cast<std::size_t>(index)];
    if (isOriginalLanguageRow(row) && row.language != RhaetoRomanicLanguage)
        return {};
    return displayText(row);
}

} // namespace

std::string translationColumnName(int language, int sublanguage)
{
    if (hasOwnRow(language, sublanguage)) {
        for (const NameRow& row : Names)
            if (row.language == language && row.sublanguage == sublanguage)
                return row.name;
    }
    // Each language of a region has a column of its own (Arabic (United Arab Emirates) beside
    // Arabic); projects that stored one under its language's name are renamed when opened.
    if (const std::string_view name = languageTableName(language, sublanguage); !name.empty())
        return std::string(name);
    if (language == SlovakAlias)
        language = SlovakLanguage;
    for (const NameRow& row : Names) {
        if (row.language == language && (row.sublanguage == sublanguage || row.sublanguage == AnySublanguage))
            return row.name;
    }
    return {};
}

std::string modifiedColumnName(std::string_view columnName)
{
    std::string name(columnName);
    name += "_Modified";
    return name;
}

bool languageForColumnName(std::string_view name, int& language, int& sublanguage)
{
    for (const NameRow& row : Names) {
        if (row.language == NeutralLanguage || name != row.name)
            continue;
        language = row.language;
        sublanguage = row.sublanguage;
        if (sublanguage == AnySublanguage) {
            // Sub-language 1 unless 1 has a name of its own (English US, Portuguese Brazilian):
            // then the lowest one that maps back to this name, so the look-up round-trips.
            sublanguage = 1;
            while (hasOwnRow(language, sublanguage))
                ++sublanguage;
        }
        return true;
    }
    for (const LanguageRow& row : languageRows()) {
        if (languageTableName(row.language, row.sublanguage) == name) {
            language = row.language;
            sublanguage = row.sublanguage;
            return true;
        }
    }
    return false;
}

} // namespace qmk
