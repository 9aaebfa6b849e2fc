// The complete language table against the outside lists it is made from: every LANG_/SUBLANG_
// pair of MinGW's <winnt.h> that is a Windows language id has its row and reads back, and the
// languages added to the original fifty carry the code pages, tags and names Windows gives them.
#include <gtest/gtest.h>

#include <unicode/uloc.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "parser/CodePageTable.h"
#include "parser/LanguageNames.h"
#include "parser/LanguageTable.h"
#include "parser/LanguageTags.h"

namespace qmk {
namespace {

const char* kHeader = "/usr/share/mingw-w64/include/winnt.h";

struct HeaderName {
    std::string name;
    int value;
};

// LANG_ and SUBLANG_ defines with a number or the name of an earlier define.
std::vector<HeaderName> headerNames(const std::string& prefix)
{
    std::ifstream in(kHeader);
    const std::regex define(R"(^\s*#\s*define\s+((?:SUB)?LANG_\w+)\s+(0x[0-9a-fA-F]+|[0-9]+|(?:SUB)?LANG_\w+)\b.*)");
    std::map<std::string, int> values;
    std::vector<HeaderName> names;
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (!std::regex_match(line, m, define))
            continue;
        const std::string text = m[2];
        const auto earlier = values.find(text);
        if (!std::isdigit(static_cast<unsigned char>(text[0])) && earlier == values.end())
            continue;
        const int value = earlier != values.end() ? earlier->second : std::stoi(text, nullptr, 0);
        values[m[1]] = value;
        if (m[1].str().starts_with(prefix))
            names.push_back({m[1], value});
    }
    return names;
}

// A SUBLANG_ name belongs to each LANG_ name its own name starts with (SUBLANG_ARABIC_UAE to
// LANG_ARABIC, SUBLANG_CHINESE_SIMPLIFIED to LANG_CHINESE and LANG_CHINESE_SIMPLIFIED).
struct HeaderPair {
    HeaderName language, sublanguage;
    int id() const { return (sublanguage.value << 10) | language.value; }
};

std::vector<HeaderPair> headerPairs()
{
    std::vector<HeaderPair> pairs;
    for (const HeaderName& language : headerNames("LANG_")) {
        const std::string stem = language.name.substr(5);
        for (const HeaderName& sublanguage : headerNames("SUBLANG_")) {
            const std::string rest = sublanguage.name.substr(8);
            if (language.value <= 0x3FF && rest.starts_with(stem) &&
                (rest.size() == stem.size() || rest[stem.size()] == '_'))
                pairs.push_back({language, sublanguage});
        }
    }
    return pairs;
}

// ICU's table of Windows language ids leads the id back to itself.
bool isWindowsLanguageId(int id)
{
    char locale[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLocaleForLCID(static_cast<uint32_t>(id), locale, sizeof locale - 1, &status);
    return U_SUCCESS(status) && locale[0] != '\0' && uloc_getLCID(locale) == static_cast<uint32_t>(id);
}

} // namespace

TEST(WindowsLanguagesTest, EveryLanguageOfTheHeaderHasItsRowAndItsNamesReadBack)
{
    if (!std::filesystem::exists(kHeader))
        GTEST_SKIP() << "no " << kHeader;
    const std::vector<HeaderPair> pairs = headerPairs();
    ASSERT_GT(pairs.size(), 200u);
    int checked = 0;
    for (const HeaderPair& pair : pairs) {
        if (pair.language.value == 0 || pair.sublanguage.value == 0 || !isWindowsLanguageId(pair.id()))
            continue;
        ++checked;
        const std::string named = pair.language.name + ", " + pair.sublanguage.name;
        const int row = findLanguageRow(pair.language.value, pair.sublanguage.value);
        ASSERT_GE(row, 0) << named;
        // A script that names the language so reads as this row's language.
        EXPECT_EQ(LanguageNames::languageValue(pair.language.name), pair.language.value) << named;
        EXPECT_EQ(LanguageNames::sublanguageValue(pair.sublanguage.name), pair.sublanguage.value) << named;
        // And what the writer writes for the row reads back as the row.
        const LanguageRow& written = languageRows()[static_cast<std::size_t>(row)];
        ASSERT_FALSE(written.languageName.empty()) << named;
        EXPECT_EQ(LanguageNames::languageValue(written.languageName), pair.language.value) << named;
        EXPECT_EQ(LanguageNames::sublanguageValue(written.sublanguageName), pair.sublanguage.value) << named;
    }
    EXPECT_GT(checked, 200);
}

TEST(WindowsLanguagesTest, TheNamesWrittenForAddedLanguagesAreTheHeaders)
{
    if (!std::filesystem::exists(kHeader))
        GTEST_SKIP() << "no " << kHeader;
    std::set<std::string> defined;
    for (const std::string prefix : {"LANG_", "SUBLANG_"})
        for (const HeaderName& name : headerNames(prefix))
            defined.insert(name.name);
    for (const LanguageRow& row : languageRows()) {
        if (isOriginalLanguageRow(row) || row.languageName.empty())
            continue;
        EXPECT_TRUE(defined.count(std::string(row.languageName))) << row.identifier << " " << row.languageName;
        EXPECT_TRUE(defined.count(std::string(row.sublanguageName))) << row.identifier << " " << row.sublanguageName;
    }
    // Every name of the header is read, with its number.
    for (const HeaderName& name : headerNames("LANG_"))
        if (name.value <= 0x3FF) {
            EXPECT_EQ(LanguageNames::languageValue(name.name), name.value) << name.name;
        }
    for (const HeaderName& name : headerNames("SUBLANG_"))
        EXPECT_EQ(LanguageNames::sublanguageValue(name.name), name.value) << name.name;
}

TEST(WindowsLanguagesTest, AddedLanguagesHaveTheirNamesTagsAndCodePages)
{
    struct Expected {
        int language, sublanguage;
        std::string_view names, display, tag;
        int ansi;
        std::string_view codePage, block;
    };
    const Expected expected[] = {
        {39, 1, "LANG_LITHUANIAN, SUBLANG_LITHUANIAN", "Lithuanian (Lithuania)", "lt-LT", 1257, "1257", "04E9"},
        {38, 1, "LANG_LATVIAN, SUBLANG_LATVIAN_LATVIA", "Latvian (Latvia)", "lv-LV", 1257, "1257", "04E9"},
        {37, 1, "LANG_ESTONIAN, SUBLANG_ESTONIAN_ESTONIA", "Estonian (Estonia)", "et-EE", 1257, "1257", "04E9"},
        {34, 1, "LANG_UKRAINIAN, SUBLANG_UKRAINIAN_UKRAINE", "Ukrainian (Ukraine)", "uk-UA", 1251, "1251", "04E3"},
        {42, 1, "LANG_VIETNAMESE, SUBLANG_VIETNAMESE_VIETNAM", "Vietnamese (Vietnam)", "vi-VN", 1258, "1258", "04EA"},
        {1, 14, "LANG_ARABIC, SUBLANG_ARABIC_UAE", "Arabic (United Arab Emirates)", "ar-AE", 1256, "1256", "04E8"},
        {30, 1, "LANG_THAI, SUBLANG_THAI_THAILAND", "Thai (Thailand)", "th-TH", 874, "874", "036A"},
        {26, 10, "LANG_SERBIAN, SUBLANG_SERBIAN_SERBIA_CYRILLIC", "Serbian (Cyrillic, Serbia)", "sr-Cyrl-RS", 1251,
         "1251", "04E3"},
        {26, 9, "LANG_SERBIAN, SUBLANG_SERBIAN_SERBIA_LATIN", "Serbian (Latin, Serbia)", "sr-Latn-RS", 1250, "1250",
         "04E2"},
        {4, 5, "LANG_CHINESE, SUBLANG_CHINESE_MACAU", "Chinese (Traditional, Macao SAR China)", "zh-MO", 950, "950",
         "03B6"},
        {3, 2, "LANG_VALENCIAN, SUBLANG_VALENCIAN_VALENCIA", "Catalan (Spain, Valencian)", "ca-ES-valencia", 1252,
         "1252", "04E4"},
        // Windows writes these in Unicode only: the translation is UTF-8, its version block Unicode.
        {57, 1, "LANG_HINDI, SUBLANG_HINDI_INDIA", "Hindi (India)", "hi-IN", 0, "65001", "04B0"},
        {55, 1, "LANG_GEORGIAN, SUBLANG_GEORGIAN_GEORGIA", "Georgian (Georgia)", "ka-GE", 0, "65001", "04B0"},
        // A language the header has no names for is written by its numbers.
        {85, 1, "0x55, 0x01", "Burmese (Myanmar [Burma])", "my-MM", 0, "65001", "04B0"},
    };
    for (const Expected& e : expected) {
        const int index = findLanguageRow(e.language, e.sublanguage);
        ASSERT_GE(index, 0) << e.display;
        const LanguageRow& row = languageRows()[static_cast<std::size_t>(index)];
        EXPECT_EQ(languageStatementOperands(e.language, e.sublanguage), e.names);
        EXPECT_EQ(displayText(row), e.display);
        EXPECT_EQ(languageTag({e.language, e.sublanguage}), e.tag);
        if (e.tag != "sr-Cyrl-RS") {  // the original 081A row's tag, which leads to that row
            EXPECT_EQ(languageOfTag(e.tag), (LanguageId{e.language, e.sublanguage})) << e.tag;
        }
        EXPECT_EQ(row.ansiCodePage, e.ansi) << e.display;
        EXPECT_EQ(codePage(e.language, e.sublanguage), e.codePage) << e.display;
        EXPECT_EQ(blockCodePage(e.language, e.sublanguage), e.block) << e.display;
    }
    // Ids no table holds are written by their numbers too.
    EXPECT_EQ(languageStatementOperands(9, 30), "0x09, 0x1E");
}

TEST(WindowsLanguagesTest, OriginalLanguagesKeepTheirCodePagesAndNames)
{
    // Stored projects hold Czech texts as bytes of 1252: Czech keeps it, though Windows says 1250.
    const LanguageRow& czech = languageRows()[static_cast<std::size_t>(findLanguageRow(5, 1))];
    EXPECT_EQ(czech.ansiCodePage, 1250);
    EXPECT_EQ(codePage(5, 1), "1252");
    EXPECT_EQ(blockCodePage(5, 1), "04E4");
    // Serbo-Croatian Cyrillic keeps the meaning, names and tag the program has always given 081A.
    EXPECT_EQ(languageStatementOperands(26, 2), "LANG_SERBO_CROATIAN, SUBLANG_SERBO_CROATIAN_CYRILLIC");
    EXPECT_EQ(languageTag({26, 2}), "sr-Cyrl-RS");
    EXPECT_EQ(languageOfTag("sr-Cyrl-RS"), (LanguageId{26, 2}));
    EXPECT_EQ(codePage(26, 2), "1251");
    EXPECT_EQ(languageStatementOperands(7, 1), "LANG_GERMAN, SUBLANG_GERMAN");
    EXPECT_EQ(languageStatementOperands(10, 1), "LANG_SPANISH, SUBLANG_SPANISH");
}

} // namespace qmk
