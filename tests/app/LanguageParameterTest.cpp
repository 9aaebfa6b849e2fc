#include <gtest/gtest.h>

#include "app/LanguageParameter.h"

namespace qmk {

TEST(LanguageParameterTest, NumbersInTheFormsTranslatorsWriteThem)
{
    const LanguageId german{7, 1};
    EXPECT_EQ(parseLanguageParameter("1031"), german);
    EXPECT_EQ(parseLanguageParameter("0407"), german);
    EXPECT_EQ(parseLanguageParameter("0x0407"), german);
    EXPECT_EQ(parseLanguageParameter("0X407"), german);
    EXPECT_EQ(parseLanguageParameter("0C07"), (LanguageId{7, 3}));
    EXPECT_EQ(parseLanguageParameter("0c0c"), (LanguageId{12, 3}));
    EXPECT_EQ(windowsLanguageId({7, 3}), 0x0C07);
}

TEST(LanguageParameterTest, NamesAreTheColumnNamesIgnoringCase)
{
    EXPECT_EQ(parseLanguageParameter("German"), (LanguageId{7, 1}));
    EXPECT_EQ(parseLanguageParameter("english us"), (LanguageId{9, 1}));
    EXPECT_EQ(parseLanguageParameter("ENGLISH UK"), (LanguageId{9, 2}));
    EXPECT_EQ(parseLanguageParameter("German Swiss"), (LanguageId{7, 2}));
    EXPECT_EQ(parseLanguageParameter("Slovak"), (LanguageId{27, 1}));
}

TEST(LanguageParameterTest, AnythingElseIsNoLanguage)
{
    for (const char* bad : {"", "Klingon", "0xZZ", "99999999", "0x", "Neutral Language", "12ab34"})
        EXPECT_FALSE(parseLanguageParameter(bad)) << bad;
}

} // namespace qmk
