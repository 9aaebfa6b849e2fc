#include <gtest/gtest.h>

#include <charconv>
#include <set>
#include <string>
#include <utility>

#include "parser/CharsetTable.h"
#include "parser/CodePageTable.h"
#include "parser/LanguageTable.h"
#include "resources/Messages.h"

namespace qmk {

TEST(LanguageTableTest, TablesHaveTheirRowCounts)
{
    // The fifty original languages, then every other language of a region Windows numbers.
    ASSERT_GT(languageRows().size(), 250u);
    EXPECT_TRUE(isOriginalLanguageRow(languageRows()[49]));
    EXPECT_FALSE(isOriginalLanguageRow(languageRows()[50]));
    EXPECT_EQ(codePageRows().size(), 17u);
    EXPECT_EQ(charsetRows().size(), 17u);
}

TEST(LanguageTableTest, IdentifierTextEncodesLanguageAndSublanguage)
{
    // The Windows language id keeps the language in its low ten bits.
    for (const LanguageRow& row : languageRows()) {
        unsigned id = 0;
        auto [end, error] = std::from_chars(row.identifier.data(), row.identifier.data() + row.identifier.size(), id, 16);
        ASSERT_EQ(error, std::errc{}) << row.identifier;
        EXPECT_EQ(end, row.identifier.data() + 4) << row.identifier;
        EXPECT_EQ(static_cast<int>(id & 0x3FF), row.language) << row.identifier;
        EXPECT_EQ(static_cast<int>(id >> 10), row.sublanguage) << row.identifier;
    }
}

TEST(LanguageTableTest, EveryPairHasOneRowAndEveryRowADisplayText)
{
    std::set<std::pair<int, int>> pairs;
    for (const LanguageRow& row : languageRows()) {
        EXPECT_TRUE(pairs.emplace(row.language, row.sublanguage).second)
            << row.language << "," << row.sublanguage << " listed twice";
        EXPECT_FALSE(displayText(row).empty()) << row.identifier;
        if (isOriginalLanguageRow(row)) {
            EXPECT_FALSE(messageText(row.displayTextId).empty()) << row.identifier;
        }
        // Names come in pairs: a LANGUAGE statement needs both or neither.
        EXPECT_EQ(row.languageName.empty(), row.sublanguageName.empty()) << row.identifier;
        if (!row.languageName.empty()) {
            EXPECT_TRUE(row.languageName.starts_with("LANG_")) << row.identifier;
            EXPECT_TRUE(row.sublanguageName.starts_with("SUBLANG_")) << row.identifier;
        }
    }
}

TEST(LanguageTableTest, CorrectedRowsAgreeWithTheirColumnNames)
{
    // Spanish: 10/2 is Mexican, every other sublanguage Castilian.
    EXPECT_EQ(languageDisplayText(10, 1), "Spanish Castilian");
    EXPECT_EQ(sublanguageName(10, 1), "SUBLANG_SPANISH");
    EXPECT_EQ(languageIdentifier(10, 1), "040a");
    EXPECT_EQ(languageDisplayText(10, 2), "Spanish Mexican");
    EXPECT_EQ(languageIdentifier(10, 2), "080A");
    // Norwegian: 20/2 is Nynorsk, every other sublanguage Bokmal.
    EXPECT_EQ(languageDisplayText(20, 1), "Norwegian - Bokmal");
    EXPECT_EQ(sublanguageName(20, 1), "SUBLANG_NORWEGIAN_BOKMAL");
    EXPECT_EQ(languageDisplayText(20, 2), "Norwegian - Nynorsk");
    EXPECT_EQ(sublanguageName(20, 2), "SUBLANG_NORWEGIAN_NYNORSK");
    // Slovak is language 27; Slovenian, 36, is a language of its own.
    EXPECT_EQ(languageDisplayText(27, 1), "Slovak");
    EXPECT_EQ(languageName(27, 1), "LANG_SLOVAK");
    EXPECT_EQ(languageIdentifier(27, 1), "041b");
    EXPECT_EQ(languageDisplayText(36, 1), "Slovenian (Slovenia)");
    EXPECT_EQ(languageName(36, 1), "LANG_SLOVENIAN");
}

TEST(LanguageTableTest, OtherDisplayTextsMatchTheColumnNames)
{
    EXPECT_EQ(languageDisplayText(7, 1), "German");
    EXPECT_EQ(languageDisplayText(7, 2), "German Swiss");
    EXPECT_EQ(languageDisplayText(7, 3), "German - Austria");
    EXPECT_EQ(languageDisplayText(9, 1), "English US");
    EXPECT_EQ(languageDisplayText(9, 2), "English UK");
    EXPECT_EQ(languageDisplayText(4, 1), "Chinese - Taiwan");
    EXPECT_EQ(languageDisplayText(4, 2), "Chinese - PR China");
    EXPECT_EQ(languageDisplayText(22, 1), "Portuguese Brazilian");
    EXPECT_EQ(languageDisplayText(22, 2), "Portuguese");
    EXPECT_EQ(languageDisplayText(26, 1), "Croato-Serbian");
}

TEST(LanguageTableTest, UnlistedPairsGiveDefaults)
{
    // English has no sublanguage 30; nor is there a language 0x3FE or a sublanguage above 63.
    for (const auto& [language, sublanguage] : {std::pair{9, 30}, std::pair{0x3FE, 1}, std::pair{9, 1 + 64}}) {
        EXPECT_EQ(findLanguageRow(language, sublanguage), -1);
        EXPECT_EQ(languageCharset(language, sublanguage), kDefaultCharset);
        EXPECT_TRUE(languageName(language, sublanguage).empty());
        EXPECT_TRUE(sublanguageName(language, sublanguage).empty());
        EXPECT_TRUE(languageIdentifier(language, sublanguage).empty());
        EXPECT_TRUE(languageDisplayText(language, sublanguage).empty());
        EXPECT_TRUE(defaultFont(language, sublanguage).empty());
        EXPECT_EQ(blockCodePage(language, sublanguage), "04E4");
        EXPECT_EQ(codePage(language, sublanguage), "1252");
    }
}

TEST(LanguageTableTest, GermanAustrianUsesTheWesternDefaults)
{
    EXPECT_EQ(languageIdentifier(7, 3), "0C07");
    EXPECT_EQ(languageCharset(7, 3), 1);
    EXPECT_EQ(blockCodePage(7, 3), "04E4");
    EXPECT_EQ(codePage(7, 3), "1252");
    EXPECT_TRUE(defaultFont(7, 3).empty());
}

TEST(LanguageTableTest, RussianGreekAndChineseHaveTheirOwnCodePages)
{
    EXPECT_EQ(languageCharset(25, 1), 204);
    EXPECT_EQ(blockCodePage(25, 1), "04E3");
    EXPECT_EQ(codePage(25, 1), "1251");
    EXPECT_EQ(defaultFont(25, 1), "Arial Cyr");

    EXPECT_EQ(languageCharset(8, 1), 161);
    EXPECT_EQ(defaultFont(8, 1), "Arial Greek");
    EXPECT_EQ(codePage(8, 1), "1253");

    EXPECT_EQ(codePage(4, 2), "950");
    EXPECT_EQ(codePage(4, 2), codePage(4, 1));
    EXPECT_EQ(codePageNumber(4, 2), 950);
    EXPECT_EQ(codePageNumber(9, 1), 1252);
}

TEST(LanguageTableTest, RowsWithoutLanguageAreNeverMatched)
{
    // Unicode and Multilingual rows belong to no language, not to a caller's -1.
    EXPECT_EQ(findCodePageRow(-1, 1), -1);
    EXPECT_EQ(codePage(-1, 1), "1252");
    EXPECT_EQ(blockCodePage(-1, 1), "04E4");
}

TEST(LanguageTableTest, BlockHeaderCodesAreFoundIgnoringCase)
{
    EXPECT_EQ(findLanguageRowByIdentifier("040A"), findLanguageRow(10, 1));
    EXPECT_EQ(findLanguageRowByIdentifier("0c07"), findLanguageRow(7, 3));
    EXPECT_EQ(findLanguageRowByIdentifier("ffff"), -1);
    int row = findCodePageRowByBlockCodePage("04e4");
    ASSERT_GE(row, 0);
    EXPECT_EQ(messageText(codePageRows()[row].textId), "Windows, Multilingual");
    EXPECT_EQ(findCodePageRowByBlockCodePage("1234"), -1);
}

TEST(LanguageTableTest, CharsetTextsAndNames)
{
    EXPECT_EQ(charsetTextId(204), msg::CharsetCyrillic);
    EXPECT_EQ(charsetName(204), "Cyrillic");
    EXPECT_EQ(charsetName(163), "Vitnamese");
    EXPECT_EQ(charsetTextId(1), msg::CharsetListEntry);
    EXPECT_TRUE(charsetName(1).empty());
    EXPECT_EQ(charsetTextId(77), -1);
    EXPECT_TRUE(charsetName(77).empty());
}

TEST(LanguageTableTest, BlockCodePageIsTheCodePageInHexadecimal)
{
    for (const CodePageRow& row : codePageRows()) {
        if (row.textId == msg::CodePage7BitAscii)
            continue;  // block 0000 stands for plain ASCII, shown with the Western code page
        unsigned block = 0;
        int decimal = 0;
        std::from_chars(row.blockCodePage.data(), row.blockCodePage.data() + row.blockCodePage.size(), block, 16);
        std::from_chars(row.codePage.data(), row.codePage.data() + row.codePage.size(), decimal);
        EXPECT_EQ(static_cast<int>(block), decimal) << row.blockCodePage;
    }
}

TEST(LanguageTableTest, VersionBlockNameJoinsLanguageIdAndBlockCodePage)
{
    auto blockName = [](int language, int sublanguage) {
        return std::string(languageIdentifier(language, sublanguage)) + std::string(blockCodePage(language, sublanguage));
    };
    EXPECT_EQ(blockName(7, 1), "040704E4");
    EXPECT_EQ(blockName(25, 1), "041904E3");
    EXPECT_EQ(blockName(17, 1), "041103A4");
}

TEST(LanguageTableTest, EveryCharsetHasOneRowAFontAndAText)
{
    std::set<int> sets;
    for (const CharsetRow& row : charsetRows()) {
        EXPECT_TRUE(sets.insert(row.charset).second) << row.charset << " listed twice";
        EXPECT_FALSE(row.fontFace.empty()) << row.charset;
        EXPECT_FALSE(messageText(row.textId).empty()) << row.charset;
    }
    // Every character set a language uses has a row.
    for (const LanguageRow& row : languageRows())
        EXPECT_GE(findCharsetRow(row.charset), 0) << row.identifier;
}

} // namespace qmk
