// The Glossary panel's core: the terms of a text with their translations, inflected words
// finding their terms through a dictionary, what an insertion and an added term look like, and
// the glossary a window looks up in.
#include <gtest/gtest.h>

#include <chrono>

#include "common/PostgresServer.h"
#include "common/TempDir.h"
#include "project/GlossaryLookup.h"
#include "project/SpellCheck.h"

namespace qmk {
namespace {

constexpr LanguageId English{9, 1};

GlossaryEntry entry(std::string term, std::string translation, std::string language = "de-DE")
{
    GlossaryEntry e;
    e.term = std::move(term);
    e.sourceLanguage = "en-US";
    e.language = std::move(language);
    e.translation = std::move(translation);
    return e;
}

// The installed English dictionary where there is one, else a tiny one that knows "-s".
std::filesystem::path englishDictionaries(const test::TempDir& dir)
{
    if (SpellChecker::dictionaryName(English, "/usr/share/hunspell") == "en_US")
        return "/usr/share/hunspell";
    dir.write("en_US.aff", "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
    dir.write("en_US.dic", "2\nbookmark/S\nfolder/S\n");
    return dir.path();
}

TEST(GlossaryMatches, FindEachTermOnceInTextOrderWhateverTheCaseAndAccessKeys)
{
    GlossaryEntry merge = entry("Merge", "Zusammenführen");
    merge.variants = {"Vereinen"};
    merge.forbidden = {"Mergen"};
    const TermIndex terms({entry("save as", "Speichern unter"), merge, entry("Merge", "Fusionner", "fr-FR"),
                           entry("file", "Datei")});
    const std::vector<GlossaryMatch> found =
        glossaryMatches(terms, "&Merge the file, then SAVE &AS... or merge again", "de-DE");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0], (GlossaryMatch{"Merge", "&Merge", "Zusammenführen", {"Vereinen"}, {"Mergen"}, ""}));
    EXPECT_EQ(found[1].found, "file");
    EXPECT_EQ(found[2].term, "save as");
    EXPECT_EQ(found[2].found, "SAVE &AS");
    // The entry in the very language asked for, though an entry of another comes first.
    const TermIndex french({entry("Merge", "Fusionner", "fr-FR"), entry("Merge", "Fusionner (CA)", "fr-CA")});
    EXPECT_EQ(glossaryMatches(french, "Merge", "fr-CA").front().translation, "Fusionner (CA)");
    EXPECT_TRUE(glossaryMatches(terms, "Emerged files", "de-DE").empty());  // word boundaries
}

TEST(GlossaryMatches, InflectedWordsFindTheirTermsThroughTheSourceLanguagesDictionary)
{
    test::TempDir dir;
    std::unique_ptr<SpellChecker> english = SpellChecker::forLanguage(English, englishDictionaries(dir));
    ASSERT_NE(english, nullptr);
    const TermIndex terms({entry("bookmark", "Lesezeichen"), entry("bookmark folder", "Lesezeichenordner")});
    EXPECT_TRUE(glossaryMatches(terms, "Delete all Bookmarks", "de-DE").empty());  // exact words without one
    const std::vector<GlossaryMatch> found =
        glossaryMatches(terms, "Delete all &Bookmarks in Bookmark Folders", "de-DE", dictionaryStems(*english));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].found, "&Bookmarks");
    EXPECT_EQ(found[0].translation, "Lesezeichen");
    EXPECT_EQ(found[1].found, "Bookmark Folders");  // the longer term where both start
    EXPECT_EQ(found[1].translation, "Lesezeichenordner");
}

TEST(TermInsertion, PutsABlankOnlyWhereTheTermWouldRunIntoAWord)
{
    EXPECT_EQ(termInsertion("", "", "Lesezeichen"), "Lesezeichen");
    EXPECT_EQ(termInsertion("Alle", "", "Lesezeichen"), " Lesezeichen");
    EXPECT_EQ(termInsertion("Alle ", "", "Lesezeichen"), "Lesezeichen");
    EXPECT_EQ(termInsertion("", "löschen", "Lesezeichen"), "Lesezeichen ");
    EXPECT_EQ(termInsertion("Alle", "löschen", "Lesezeichen"), " Lesezeichen ");
    EXPECT_EQ(termInsertion("\"", "\"", "Lesezeichen"), "Lesezeichen");
    EXPECT_EQ(termInsertion("Alle (", ")", "Lesezeichen"), "Lesezeichen");
    EXPECT_EQ(termInsertion("Alle", "x", ""), "");
}

TEST(ProposedGlossaryEntry, TakesTheSelectionsWordsWithoutAccessKeysAndEndings)
{
    const GlossaryQuery query{"", "en-US", English, "de-DE"};
    const std::optional<GlossaryEntry> saveAs = proposedGlossaryEntry("Save &As...", query, "Speichern &unter", "app.rc");
    ASSERT_TRUE(saveAs);
    EXPECT_EQ(saveAs->term, "Save As");
    EXPECT_EQ(saveAs->translation, "Speichern unter");
    EXPECT_EQ(saveAs->sourceLanguage, "en-US");
    EXPECT_EQ(saveAs->language, "de-DE");
    EXPECT_EQ(saveAs->origin, "app.rc");
    EXPECT_EQ(proposedGlossaryEntry("  File\n  &Name:  ", query, "", "")->term, "File Name");
    EXPECT_EQ(proposedGlossaryEntry("Drag && Drop\u2026", query, "", "")->term, "Drag & Drop");
    EXPECT_FALSE(proposedGlossaryEntry(" ...: ", query, "", ""));
    EXPECT_FALSE(proposedGlossaryEntry("", query, "", ""));
}

class GlossaryLookupTest : public ::testing::Test {
protected:
    GlossaryQuery query(std::string source) { return {std::move(source), "en-US", English, "de-DE"}; }
    test::TempDir dir;
    std::string location = (dir / "glossary.db").string();
};

TEST_F(GlossaryLookupTest, AGlossaryNotMadeYetHasNoTermsAndIsNotMadeByALookup)
{
    GlossaryLookup lookup(location, dir.path());
    EXPECT_TRUE(lookup.lookup(query("Bookmark")).empty());
    EXPECT_FALSE(std::filesystem::exists(location));
    lookup.add(entry("Bookmark", "Lesezeichen"));
    EXPECT_TRUE(std::filesystem::exists(location));
    ASSERT_EQ(lookup.lookup(query("Add Bookmark")).size(), 1u);
}

TEST_F(GlossaryLookupTest, SeesTermsAnotherTranslatorAddedAndUsesTheDictionaryForStems)
{
    openGlossary(location)->add({entry("bookmark", "Lesezeichen")});
    GlossaryLookup lookup(location, englishDictionaries(dir));
    ASSERT_EQ(lookup.lookup(query("Bookmarks")).size(), 1u);  // through the dictionary
    EXPECT_TRUE(lookup.lookup(query("Folders")).empty());
    openGlossary(location)->add({entry("folder", "Ordner"), entry("folder", "dossier", "fr-FR")});
    const std::vector<GlossaryMatch> found = lookup.lookup(query("Folders"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].translation, "Ordner");
    // A source language without a dictionary finds exact words only.
    GlossaryQuery unknown = query("Bookmarks and bookmark");
    unknown.sourceLanguageId = LanguageId{0x2D, 1};
    ASSERT_EQ(lookup.lookup(unknown).size(), 1u);
    EXPECT_EQ(lookup.lookup(unknown).front().found, "bookmark");
}

TEST_F(GlossaryLookupTest, ATeamsServerGlossaryIsLookedUpAndItsNewTermsSeen)
{
    std::string why;
    test::PostgresServer* server = test::PostgresServer::shared(why);
    if (!server)
        GTEST_SKIP() << why;
    const std::string shared = server->newDatabase();
    openGlossary(shared)->add({entry("bookmark", "Lesezeichen")});
    GlossaryLookup lookup(shared, englishDictionaries(dir));
    ASSERT_EQ(lookup.lookup(query("Bookmarks")).size(), 1u);
    openGlossary(shared)->add({entry("folder", "Ordner")});  // another translator
    EXPECT_EQ(lookup.lookup(query("Bookmark folders")).size(), 2u);
    lookup.add(entry("printer", "Drucker"));
    EXPECT_EQ(lookup.lookup(query("Printers")).front().translation, "Drucker");
}

TEST_F(GlossaryLookupTest, FindsATextsTermsAmongFiftyThousandWithinMilliseconds)
{
    std::vector<GlossaryEntry> many;
    for (int i = 0; i < 50000; ++i)
        many.push_back(entry("term" + std::to_string(i) + " word", "Begriff " + std::to_string(i)));
    many.push_back(entry("bookmark", "Lesezeichen"));
    openGlossary(location)->add(many);
    GlossaryLookup lookup(location, englishDictionaries(dir));
    lookup.lookup(query("warm"));  // reads and indexes the glossary once
    const auto start = std::chrono::steady_clock::now();
    constexpr int kRounds = 100;
    for (int i = 0; i < kRounds; ++i)
        ASSERT_EQ(lookup.lookup(query("Delete the bookmarks of term" + std::to_string(i) + " word now")).size(), 2u);
    const double each = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / kRounds;
    std::cout << "glossary lookup among 50,000 terms: " << each << " ms\n";
    EXPECT_LT(each, 5.0);
}

} // namespace
} // namespace qmk
