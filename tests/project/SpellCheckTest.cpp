// Spelling of translations: what counts as a word, and the dictionaries of the languages.
#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "project/SpellCheck.h"

namespace qmk {
namespace {

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> list;
    for (const CheckedWord& word : wordsToCheck(text))
        list.push_back(word.word);
    return list;
}

TEST(SpellCheckTest, MnemonicsBelongToTheirWordsAndEscapesAndPlaceholdersAreNoWords)
{
    EXPECT_EQ(words("Ausgabe&datei"), (std::vector<std::string>{"Ausgabedatei"}));
    EXPECT_EQ(words("&Datei \xC3\xB6" "ffnen..."), (std::vector<std::string>{"Datei", "\xC3\xB6" "ffnen"}));
    EXPECT_EQ(words("Zeile\\nzwei\\tdrei"), (std::vector<std::string>{"Zeile", "zwei", "drei"}));
    EXPECT_EQ(words("%1 von %2d Dateien, %s"), (std::vector<std::string>{"von", "Dateien"}));
    EXPECT_EQ(words("aujourd'hui \xE2\x80\x94 l'\xC3\xA9t\xC3\xA9"),
              (std::vector<std::string>{"aujourd'hui", "l'\xC3\xA9t\xC3\xA9"}));
    EXPECT_EQ(words("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82!"), (std::vector<std::string>{"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"}));
    EXPECT_TRUE(words("&& 100 % \\\\").empty());
    // Offsets cover the word as it stands, the "&" included.
    const std::vector<CheckedWord> found = wordsToCheck("x Aus&gabe");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[1].start, 2u);
    EXPECT_EQ(found[1].length, 8u);
}

TEST(SpellCheckTest, AGermanDictionaryFlagsMisspeltWordsAndSuggestsTheRightOnes)
{
    std::unique_ptr<SpellChecker> german = SpellChecker::forLanguage({7, 1});
    if (!german)
        GTEST_SKIP() << "no German dictionary installed";
    EXPECT_TRUE(german->isCorrect("Ausgabedatei"));
    EXPECT_FALSE(german->isCorrect("Ausgabedatie"));
    const std::vector<std::string> offered = german->suggestions("Ausgabedatie");
    EXPECT_NE(std::find(offered.begin(), offered.end(), "Ausgabedatei"), offered.end());
}

TEST(SpellCheckTest, ALanguageWithoutAnInstalledDictionaryIsNotChecked)
{
    test::TempDir empty;
    EXPECT_EQ(SpellChecker::forLanguage({7, 1}, empty.path()), nullptr);
    EXPECT_EQ(SpellChecker::dictionaryName({0x2D, 1}, "/usr/share/hunspell"), "");  // no dictionary known
    empty.write("de_AT.aff", "SET UTF-8\n");
    empty.write("de_AT.dic", "1\nHaus\n");
    EXPECT_EQ(SpellChecker::dictionaryName({7, 1}, empty.path()), "de_AT");  // another country's rather than none
}

} // namespace
} // namespace qmk
