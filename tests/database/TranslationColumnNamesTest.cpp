// Column names of translations and the way back from a name to its language.
#include <gtest/gtest.h>

#include "database/TranslationColumnNames.h"

namespace qmk {
namespace {

TEST(TranslationColumnNamesTest, UnlistedSublanguageTakesTheLanguagesOtherName)
{
    EXPECT_EQ(translationColumnName(9, 2), "English UK");
    EXPECT_EQ(translationColumnName(9, 7), "English UK");
    EXPECT_EQ(translationColumnName(9, 1), "English US");
    EXPECT_EQ(translationColumnName(7, 1), "German");
    EXPECT_EQ(translationColumnName(7, 3), "German - Austria");
    EXPECT_EQ(translationColumnName(4, 1), "Chinese - Taiwan");
}

TEST(TranslationColumnNamesTest, SlovakHasTwoNumbersAndGapsHaveNoName)
{
    EXPECT_EQ(translationColumnName(36, 1), "Slovak");
    EXPECT_EQ(translationColumnName(27, 1), "Slovak");
    for (int language : {23, 30, 32, 33, 34, 35, 37, 100})
        EXPECT_EQ(translationColumnName(language, 1), "") << language;
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
    EXPECT_FALSE(languageForColumnName("Rhaeto-Romanic", l, s));
}

} // namespace
} // namespace qmk
