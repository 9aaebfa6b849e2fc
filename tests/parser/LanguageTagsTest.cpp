// Language tags: every row of the language table has a well-formed tag of its own that leads
// back to it, and tags as platforms and PO headers write them find their language.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <regex>
#include <string>

#include "parser/LanguageTable.h"
#include "parser/LanguageTags.h"

namespace qmk {
namespace {

LanguageId idOf(const LanguageRow& row) { return {row.language, row.sublanguage}; }

std::string lowerWithUnderscores(std::string tag)
{
    std::transform(tag.begin(), tag.end(), tag.begin(), [](unsigned char c) { return c == '-' ? '_' : std::tolower(c); });
    return tag;
}

} // namespace

// Two added languages are what two original rows are called on translation platforms: modern
// Spanish of Spain (0C0A, es-ES, like the traditional 040A) and Serbian in Cyrillic of Serbia
// (281A, like the original Serbo-Croatian Cyrillic 081A). Their tags lead to the original rows.
const std::map<std::string_view, std::string_view> kTagOfOriginalRow = {{"0C0A", "040a"}, {"281A", "081A"}};

TEST(LanguageTagsTest, EveryRowHasAWellFormedTagOfItsOwn)
{
    // language, optional script, optional region, optional variant: the parts of BCP 47 exports carry.
    const std::regex wellFormed("[a-z]{2,3}(-[A-Z][a-z]{3})?(-([A-Z]{2}|[0-9]{3}))?(-[a-z0-9]{5,8})?");
    std::map<std::string, std::string_view> rowOfTag;
    for (const LanguageRow& row : languageRows()) {
        const std::string tag = languageTag(idOf(row));
        EXPECT_TRUE(std::regex_match(tag, wellFormed)) << row.identifier << ": " << tag;
        // No two rows of the table are the same language of the same region.
        const auto [other, fresh] = rowOfTag.emplace(tag, row.identifier);
        const auto original = kTagOfOriginalRow.find(row.identifier);
        if (original != kTagOfOriginalRow.end())
            EXPECT_EQ(other->second, original->second) << tag;
        else
            EXPECT_TRUE(fresh) << tag << " names " << other->second << " and " << row.identifier;
    }
}

TEST(LanguageTagsTest, EveryRowsTagLeadsBackToTheRow)
{
    for (const LanguageRow& row : languageRows()) {
        const std::string tag = languageTag(idOf(row));
        const auto original = kTagOfOriginalRow.find(row.identifier);
        const LanguageRow& leadsTo =
            original == kTagOfOriginalRow.end()
                ? row
                : languageRows()[static_cast<std::size_t>(findLanguageRowByIdentifier(original->second))];
        EXPECT_EQ(languageOfTag(tag), idOf(leadsTo)) << tag;
        // As a PO header may write it.
        EXPECT_EQ(languageOfTag(lowerWithUnderscores(tag)), idOf(leadsTo)) << tag;
    }
}

TEST(LanguageTagsTest, RowsHaveTheTagsPlatformsUse)
{
    const std::pair<LanguageId, std::string_view> expected[] = {
        {{17, 1}, "ja-JP"}, {{18, 1}, "ko-KR"}, {{4, 1}, "zh-TW"},  {{4, 2}, "zh-CN"},      {{4, 3}, "zh-HK"},
        {{4, 4}, "zh-SG"},  {{22, 1}, "pt-BR"}, {{22, 2}, "pt-PT"}, {{7, 1}, "de-DE"},      {{7, 2}, "de-CH"},
        {{9, 1}, "en-US"},  {{9, 2}, "en-GB"},  {{12, 1}, "fr-FR"}, {{8, 1}, "el-GR"},      {{25, 1}, "ru-RU"},
        {{10, 1}, "es-ES"}, {{10, 2}, "es-MX"}, {{20, 1}, "nb-NO"}, {{20, 2}, "nn-NO"},     {{27, 1}, "sk-SK"},
        {{26, 1}, "hr-HR"}, {{23, 1}, "rm-CH"}, {{0, 0}, "und"},    {{26, 2}, "sr-Cyrl-RS"},
    };
    for (const auto& [id, tag] : expected)
        EXPECT_EQ(languageTag(id), tag) << id.language << "/" << id.sublanguage;
}

TEST(LanguageTagsTest, LanguagesOutsideTheTableHaveTagsToo)
{
    // A source script may name any Windows language in its LANGUAGE statement.
    EXPECT_EQ(languageTag({26, 9}), "sr-Latn-RS");
    EXPECT_EQ(languageTag({44, 1}), "az-Latn-AZ");
    EXPECT_EQ(languageTag({67, 2}), "uz-Cyrl-UZ");
    EXPECT_EQ(languageTag({7, 4}), "de-LU");
    // Sublanguage-neutral ids are the bare language, an unknown sublanguage its language.
    EXPECT_EQ(languageTag({17, 0}), "ja");
    EXPECT_EQ(languageTag({4, 0}), "zh");
    EXPECT_EQ(languageTag({17, 9}), "ja");
    // Nothing known: undetermined, never a made-up tag.
    EXPECT_EQ(languageTag({0x7F, 0}), "und");
    EXPECT_EQ(languageTag({0x3FF, 1}), "und");
    EXPECT_EQ(languageTag({9, 64}), "und");
}

TEST(LanguageTagsTest, TagsFindTheirLanguageIgnoringCaseAndSeparator)
{
    const LanguageId german{7, 1};
    EXPECT_EQ(languageOfTag("de-DE"), german);
    EXPECT_EQ(languageOfTag("de_DE"), german);
    EXPECT_EQ(languageOfTag("DE-de"), german);
    EXPECT_EQ(languageOfTag("de_DE.UTF-8"), german);
    // A bare language is the table's first row of it.
    EXPECT_EQ(languageOfTag("de"), german);
    EXPECT_EQ(languageOfTag("pt"), (LanguageId{22, 1}));
}

TEST(LanguageTagsTest, ScriptsDecideBetweenRowsOfOneLanguage)
{
    EXPECT_EQ(languageOfTag("zh-Hant-TW"), (LanguageId{4, 1}));
    EXPECT_EQ(languageOfTag("zh-Hans-CN"), (LanguageId{4, 2}));
    EXPECT_EQ(languageOfTag("zh"), (LanguageId{4, 2}));  // Chinese without more is Simplified
    EXPECT_EQ(languageOfTag("zh-Hant"), (LanguageId{4, 1}));
    EXPECT_EQ(languageOfTag("sr-RS"), (LanguageId{26, 2}));
    EXPECT_EQ(languageOfTag("sr_RS@cyrillic"), (LanguageId{26, 2}));
    // Latin Serbian is not the table's Cyrillic row.
    EXPECT_EQ(languageOfTag("sr-Latn-RS"), (LanguageId{26, 9}));
    EXPECT_EQ(languageOfTag("sr_RS@latin"), (LanguageId{26, 9}));
}

TEST(LanguageTagsTest, LanguagesOutsideTheTableAndUnknownTags)
{
    EXPECT_EQ(languageOfTag("de-LU"), (LanguageId{7, 4}));
    EXPECT_EQ(languageOfTag("az-Latn-AZ"), (LanguageId{44, 1}));
    EXPECT_EQ(languageOfTag("x-17-1"), (LanguageId{17, 1}));  // written by earlier versions
    EXPECT_EQ(languageOfTag("xx-YY"), std::nullopt);
    EXPECT_EQ(languageOfTag("x-private"), std::nullopt);
    EXPECT_EQ(languageOfTag(""), std::nullopt);
    EXPECT_EQ(languageOfTag("de--DE"), std::nullopt);
}

} // namespace qmk
