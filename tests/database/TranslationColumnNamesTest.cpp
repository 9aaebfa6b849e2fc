// Column names of translations and the way back from a name to its language.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "database/TranslationColumnNames.h"
#include "parser/LanguageTable.h"

namespace qmk {
namespace {

TEST(TranslationColumnNamesTest, UnlistedSublanguageTakesTheLanguagesOtherName)
{
    EXPECT_EQ(translationColumnName(9, 2), "English UK");
    EXPECT_EQ(translationColumnName(9, 30), "English UK");  // English has no sublanguage 30
    EXPECT_EQ(translationColumnName(9, 0), "English UK");
    EXPECT_EQ(translationColumnName(9, 1), "English US");
    EXPECT_EQ(translationColumnName(7, 1), "German");
    EXPECT_EQ(translationColumnName(7, 3), "German - Austria");
    EXPECT_EQ(translationColumnName(4, 1), "Chinese - Taiwan");
}

TEST(TranslationColumnNamesTest, SlovakHasTwoNumbersAndGapsHaveNoName)
{
    EXPECT_EQ(translationColumnName(36, 0), "Slovak");
    EXPECT_EQ(translationColumnName(27, 1), "Slovak");
    // Numbers Windows gives no language.
    for (int language : {0x1FF, 0x200, 0x3FE})
        EXPECT_EQ(translationColumnName(language, 1), "") << language;
    EXPECT_EQ(translationColumnName(39, 0), "");  // Lithuanian without a region
}

TEST(TranslationColumnNamesTest, EveryLanguageOfARegionHasAColumnOfItsOwn)
{
    // Each language the table offers can be a translation beside any other: the names differ,
    // except where projects already share one (Serbo-Croatian Cyrillic's "Croato-Serbian").
    std::map<std::string, std::string_view> identifierOfName;
    for (const LanguageRow& row : languageRows()) {
        if (row.language == 0)
            continue;
        const std::string name = translationColumnName(row.language, row.sublanguage);
        ASSERT_FALSE(name.empty()) << row.identifier;
        const auto [other, fresh] = identifierOfName.emplace(name, row.identifier);
        if (!fresh) {
            EXPECT_EQ(name, "Croato-Serbian") << other->second << " and " << row.identifier;
        }
        int l = -1, s = -1;
        ASSERT_TRUE(languageForColumnName(name, l, s)) << name;
        EXPECT_EQ(translationColumnName(l, s), name);
        if (fresh) {
            EXPECT_EQ((std::pair{l, s}), (std::pair{row.language, row.sublanguage})) << name;
        }
    }
    // The original fifty keep their names; the languages added to them are named as shown.
    EXPECT_EQ(translationColumnName(1, 1), "Arabic");
    EXPECT_EQ(translationColumnName(1, 14), "Arabic (United Arab Emirates)");
    EXPECT_EQ(translationColumnName(9, 7), "English (South Africa)");
    EXPECT_EQ(translationColumnName(10, 3), "Spanish (Spain)");
    EXPECT_EQ(translationColumnName(36, 1), "Slovenian (Slovenia)");
    EXPECT_EQ(translationColumnName(39, 1), "Lithuanian (Lithuania)");
    EXPECT_EQ(translationColumnName(23, 1), "Rhaeto-Romanic");
    EXPECT_EQ(translationColumnName(26, 2), "Croato-Serbian");
}

TEST(TranslationColumnNamesTest, ReverseLookUpRoundTripsEveryName)
{
    int foundCount = 0;
    for (int language = 0; language <= 40; ++language) {
        for (int sub = 0; sub <= 8; ++sub) {
            std::string name = translationColumnName(language, sub);
            if (name.empty())
                continue;
            int l = -1, s = -1;
            if (!languageForColumnName(name, l, s)) {
                EXPECT_EQ(name, "Neutral Language");
                continue;
            }
            ++foundCount;
            EXPECT_EQ(translationColumnName(l, s), name) << "back from " << name << " to " << l << "/" << s;
        }
    }
    EXPECT_GT(foundCount, 0);
}

TEST(TranslationColumnNamesTest, ReverseLookUpGivesTheRowsSublanguage)
{
    int l = 0, s = 0;
    ASSERT_TRUE(languageForColumnName("German Swiss", l, s));
    EXPECT_EQ(l, 7);
    EXPECT_EQ(s, 2);
    ASSERT_TRUE(languageForColumnName("German", l, s));
    EXPECT_EQ(s, 1);
    ASSERT_TRUE(languageForColumnName("Slovak", l, s));
    EXPECT_EQ(l, 27);
    ASSERT_TRUE(languageForColumnName("English UK", l, s));
    EXPECT_EQ(l, 9);
    EXPECT_EQ(s, 2);  // 1 is English US
    ASSERT_TRUE(languageForColumnName("Portuguese", l, s));
    EXPECT_EQ(s, 2);  // 1 is Portuguese Brazilian
    EXPECT_FALSE(languageForColumnName("Neutral Language", l, s));
    EXPECT_FALSE(languageForColumnName("german", l, s));
    ASSERT_TRUE(languageForColumnName("Rhaeto-Romanic", l, s));  // offered from the start, now addable
    EXPECT_EQ((std::pair{l, s}), (std::pair{23, 1}));
}

} // namespace
} // namespace qmk
