// The translation bar's texts: display and stored form, version block headers, and which
// controls an item allows.
#include <gtest/gtest.h>

#include "parser/CodePageTable.h"
#include "parser/LanguageTable.h"
#include "project/TranslationForm.h"

namespace qmk {
namespace {

TEST(TranslationFormTest, QuotesAreDoubledOnStoreAndShownSingle)
{
    // Typed: a word between two quotes; stored with both quotes doubled.
    EXPECT_EQ(toStoredForm("Press \"OK\" now"), "Press \"\"OK\"\" now");
    EXPECT_EQ(toStoredForm("\"Quoted\""), "\"\"Quoted\"\"");  // also a quote at the very start
    EXPECT_EQ(toDisplayForm("Press \"\"OK\"\" now"), "Press \"OK\" now");
    // A stored backslash-quote pair is shown as one quote, and stored doubled when stored again.
    EXPECT_EQ(toDisplayForm("Say \\\"hi\\\""), "Say \"hi\"");
    EXPECT_EQ(toStoredForm(toDisplayForm("Say \\\"hi\\\"")), "Say \"\"hi\"\"");
    // A quote typed after a backslash stays single; other escapes pass unchanged.
    EXPECT_EQ(toStoredForm("a\\\"b\\n\\t"), "a\\\"b\\n\\t");
    EXPECT_EQ(toDisplayForm("Line\\nTab\\t%1"), "Line\\nTab\\t%1");
    // Non-ASCII text passes through untouched.
    EXPECT_EQ(toStoredForm("\xC2\xAB" "Datei" "\xC2\xBB \"x\""), "\xC2\xAB" "Datei" "\xC2\xBB \"\"x\"\"");
    EXPECT_EQ(toDisplayForm(""), "");
}

TEST(TranslationFormTest, ABlockHeaderIsReadAsLanguageAndCodePageAndBuiltBack)
{
    const std::optional<BlockHeader> header = parseBlockHeader("040704e4");
    ASSERT_TRUE(header.has_value());
    ASSERT_GE(header->languageRow, 0);
    ASSERT_GE(header->codePageRow, 0);
    EXPECT_EQ(languageRows()[static_cast<std::size_t>(header->languageRow)].language, 7);
    EXPECT_EQ(buildBlockHeader(*header), "040704E4");
    EXPECT_FALSE(parseBlockHeader("0407").has_value());
    EXPECT_EQ(parseBlockHeader("ZZZZ04E4")->languageRow, -1);
    EXPECT_EQ(buildBlockHeader({-1, header->codePageRow}), "");

    const std::string shown = blockHeaderDisplay("040704E4");
    EXPECT_NE(shown.find("German"), std::string::npos) << shown;
    EXPECT_NE(shown.find(",   Code page:  "), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 11), " (040704E4)");
    EXPECT_EQ(blockHeaderDisplay(""), "");
}

TEST(TranslationFormTest, CodePageNamesAreOfferedOnceAndFoundFromAnyOfTheirRows)
{
    const std::vector<CodePageChoice> choices = blockHeaderCodePageChoices();
    ASSERT_FALSE(choices.empty());
    for (std::size_t i = 0; i < choices.size(); ++i)
        for (std::size_t j = i + 1; j < choices.size(); ++j)
            EXPECT_NE(choices[i].name, choices[j].name);
    for (std::size_t row = 0; row < codePageRows().size(); ++row) {
        const int choice = codePageChoiceOf(static_cast<int>(row));
        ASSERT_GE(choice, 0);
        EXPECT_EQ(choices[static_cast<std::size_t>(choice)].name,
                  blockHeaderCodePageChoices()[static_cast<std::size_t>(choice)].name);
    }
    EXPECT_EQ(blockHeaderLanguageNames().size(), languageRows().size());
}

TEST(TranslationFormTest, TheBarOffersWhatTheShownItemAllows)
{
    EXPECT_EQ(barControls({}), BarControls{});  // nothing shown: everything off
    ShownItemState item{.shown = true, .translationEmpty = true};
    EXPECT_EQ(barControls(item), (BarControls{true, true, true, true, true, true}));
    item.translationEmpty = false;  // already translated: nothing to copy
    EXPECT_FALSE(barControls(item).copy);
    item.edited = true;  // any edit offers Copy again
    EXPECT_TRUE(barControls(item).copy);
    item.sourceEmpty = true;  // but never an empty source
    EXPECT_FALSE(barControls(item).copy);

    ShownItemState excluded{.shown = true, .excluded = true, .translationEmpty = true};
    EXPECT_EQ(barControls(excluded), (BarControls{false, false, false, true, false, false}));
    ShownItemState header{.shown = true, .blockHeader = true};
    EXPECT_FALSE(barControls(header).character);
    EXPECT_TRUE(barControls(header).ok);
}

TEST(TranslationFormTest, ATypedTranslationIsStoredInItsCodePageOrRefusedNamingWhatItLacks)
{
    // Cyrillic typed into a Russian column kept in code page 1251.
    const PreparedTranslation russian = prepareTranslation("\"\xD0\x94\xD0\xB0\"", 1251);
    ASSERT_TRUE(russian.ok);
    EXPECT_EQ(russian.bytes, "\"\"\xC4\xE0\"\"");  // quotes doubled, letters as cp1251 bytes
    // The euro sign is in 1251, the Greek alpha is not.
    const PreparedTranslation greek = prepareTranslation("\xE2\x82\xAC \xCE\xB1", 1251);
    EXPECT_FALSE(greek.ok);
    EXPECT_EQ(greek.unrepresentable, (std::vector<std::string>{"\xCE\xB1"}));
    // A UTF-8 translation takes anything.
    EXPECT_TRUE(prepareTranslation("\xCE\xB1\xE4\xB8\xAD", 65001).ok);
}

TEST(TranslationFormTest, TheSpecialCharactersAreTheNinetyFiveCodesOfTheCodePage)
{
    const std::vector<std::string> western = specialCharacters(1252);
    ASSERT_EQ(western.size(), 95u);
    EXPECT_EQ(western.front(), "\xC2\xA1");  // 161: inverted exclamation mark
    EXPECT_EQ(western.back(), "\xC3\xBF");   // 255: y with diaeresis
    const std::vector<std::string> cyrillic = specialCharacters(1251);
    EXPECT_EQ(cyrillic[0xC0 - 161], "\xD0\x90");  // 192: Cyrillic A
    EXPECT_EQ(specialCharacters(65001), specialCharacters(28591));
    // In Shift-JIS 161 to 223 are half-width katakana; lead bytes above stand for nothing alone.
    const std::vector<std::string> japanese = specialCharacters(932);
    EXPECT_FALSE(japanese[0].empty());
    EXPECT_TRUE(japanese[0xE0 - 161].empty());
}

} // namespace
} // namespace qmk
