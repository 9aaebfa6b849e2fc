// The glossary on both stores, its TBX exchange and how its terms are found in a text.
#include <gtest/gtest.h>

#include <chrono>

#include "common/TempDir.h"
#include "memory/Glossary.h"
#include "memory/TbxFile.h"
#include "memory/TermIndex.h"
#include "MemoryStores.h"

namespace qmk {
namespace {

GlossaryEntry entry(std::string term, std::string translation, std::string language = "de-DE")
{
    GlossaryEntry e;
    e.term = std::move(term);
    e.sourceLanguage = "en-US";
    e.language = std::move(language);
    e.translation = std::move(translation);
    return e;
}

template <typename Store>
class GlossaryStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = store.unavailable();
        if (!why.empty())
            GTEST_SKIP() << why;
        glossary = openGlossary(glossaryLocationBeside(store.location()));
    }
    Store store;
    std::unique_ptr<Glossary> glossary;
};

using Stores = ::testing::Types<test::EmbeddedStore, test::SharedStore>;
struct StoreNames {
    template <typename T>
    static std::string GetName(int) { return T::name; }
};
TYPED_TEST_SUITE(GlossaryStoreTest, Stores, StoreNames);

TYPED_TEST(GlossaryStoreTest, KeepsEverythingAnEntryCarriesAndReplacesATermOfTheSameLanguage)
{
    GlossaryEntry file = entry("File", "Datei");
    file.variants = {"Dateien"};
    file.forbidden = {"Akte", "Ordner"};
    file.partOfSpeech = "noun";
    file.note = "the menu";
    file.origin = "ui.tbx";
    this->glossary->add({file, entry("Save As", "Speichern unter"), entry("File", "Fichier", "fr-FR")});
    EXPECT_EQ(this->glossary->size(), 3);
    EXPECT_EQ(this->glossary->entries("de-DE").front(), file);

    // The same term written otherwise (case, access key) is the same entry.
    this->glossary->add({entry("&save as", "Sichern unter")});
    const std::vector<GlossaryEntry> german = this->glossary->entries("de");
    ASSERT_EQ(german.size(), 2u);
    EXPECT_EQ(german[1].translation, "Sichern unter");
    EXPECT_EQ(this->glossary->entries("fr-FR").size(), 1u);

    EXPECT_TRUE(this->glossary->remove("FILE", "fr-FR"));
    EXPECT_FALSE(this->glossary->remove("FILE", "fr-FR"));
    EXPECT_EQ(this->glossary->size(), 2);

    // A second connection sees what the first stored.
    EXPECT_EQ(openGlossary(this->glossary->location())->size(), 2);
}

TEST(GlossaryLocation, LiesBesideTheMemory)
{
    EXPECT_EQ(glossaryLocationBeside("/data/tm/memory.db"), "/data/tm/glossary.db");
    EXPECT_EQ(glossaryLocationBeside("postgresql://tm.example/team"), "postgresql://tm.example/team");
    test::TempDir dir;
    SqliteMemory((dir / "memory.db").string()).size();
    EXPECT_THROW(openGlossary((dir / "memory.db").string()), GlossaryError)
        << "a translation memory's file is no glossary";
}

TEST(TbxFile, RoundTripKeepsTermsVariantsForbiddenAndNotes)
{
    test::TempDir dir;
    auto glossary = openGlossary((dir / "a.db").string());
    GlossaryEntry file = entry("File", "Datei");
    file.variants = {"Dateien"};
    file.forbidden = {"Akte"};
    file.partOfSpeech = "noun";
    file.note = "menu <title> & more";
    file.origin = "team";
    GlossaryEntry french = file;
    french.language = "fr-FR";
    french.translation = "Fichier";
    french.variants.clear();
    french.forbidden.clear();
    glossary->add({file, entry("Print Preview", "Seitenansicht"), french});

    const TbxExportResult written = exportTbx(*glossary, dir / "all.tbx");
    ASSERT_TRUE(written.ok) << written.problem;
    EXPECT_EQ(written.entries, 2);
    const std::string text = test::readFile(dir / "all.tbx");
    EXPECT_NE(text.find("<martif type=\"TBX-Basic\" xml:lang=\"en-US\">"), std::string::npos);
    EXPECT_NE(text.find("<termNote type=\"administrativeStatus\">forbidden</termNote>"), std::string::npos);

    auto copy = openGlossary((dir / "b.db").string());
    const TbxImportResult read = importTbx(*copy, dir / "all.tbx");
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.entries, 3);
    std::vector<GlossaryEntry> expected = glossary->entries();
    std::vector<GlossaryEntry> got = copy->entries();
    for (GlossaryEntry& e : expected)
        e.origin = "team";
    for (GlossaryEntry& e : got)
        e.origin = "team";
    auto byKey = [](const GlossaryEntry& a, const GlossaryEntry& b) {
        return std::tie(a.term, a.language) < std::tie(b.term, b.language);
    };
    std::sort(expected.begin(), expected.end(), byKey);
    std::sort(got.begin(), got.end(), byKey);
    EXPECT_EQ(got, expected);

    const TbxExportResult one = exportTbx(*glossary, dir / "fr.tbx", "fr");
    ASSERT_TRUE(one.ok);
    EXPECT_EQ(one.entries, 1);
    EXPECT_EQ(test::readFile(dir / "fr.tbx").find("Datei"), std::string::npos);
}

TEST(TbxFile, AWriteReplacesTheFileWholeOrLeavesWhatWasThere)
{
    test::TempDir dir;
    const std::filesystem::path file = dir.write("terms.tbx", "old");
    std::string problem;
    ASSERT_TRUE(writeTbx({entry("File", "Datei")}, file, problem)) << problem;
    EXPECT_NE(test::readFile(file).find("Datei"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
    std::filesystem::create_directory(dir / "folder.tbx");
    EXPECT_FALSE(writeTbx({entry("File", "Datei")}, dir / "folder.tbx", problem));
    EXPECT_NE(problem.find("folder.tbx"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.tbx"));
    problem.clear();
    EXPECT_FALSE(writeTbx({entry("File", "Datei")}, dir / "missing" / "terms.tbx", problem));
    EXPECT_FALSE(problem.empty());
}

TEST(TbxFile, ReadsTheFilesOfOtherToolsAndRefusesWhatIsNoTbx)
{
    test::TempDir dir;
    auto glossary = openGlossary((dir / "g.db").string());
    const auto tbx = dir.write("other.tbx", R"(<?xml version="1.0"?>
<martif type="TBX-Basic" xml:lang="en"><martifHeader/><text><body>
 <termEntry id="1"><langSet xml:lang="de"><tig><term>Werkzeugleiste</term></tig></langSet>
  <langSet xml:lang="en"><ntig><termGrp><term>toolbar</term>
   <termNote type="partOfSpeech">noun</termNote></termGrp></ntig></langSet>
  <langSet xml:lang="de_AT"><tig><term>Symbolleiste</term></tig>
   <tig><term>Toolbar</term><termNote type="administrativeStatus">deprecatedTerm-admn-sts</termNote></tig></langSet>
 </termEntry>
 <termEntry id="2"><langSet xml:lang="en"><tig><term>orphan</term></tig></langSet></termEntry>
</body></text></martif>)");
    const TbxImportResult read = importTbx(*glossary, tbx);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.entries, 2);
    EXPECT_EQ(read.skipped, 1);
    // The entry of plain "de" serves Austria as well.
    std::vector<GlossaryEntry> austrian = glossary->entries("de-AT");
    ASSERT_EQ(austrian.size(), 2u);
    EXPECT_EQ(austrian[0].translation, "Werkzeugleiste");
    austrian.erase(austrian.begin());
    EXPECT_EQ(austrian[0].term, "toolbar");
    EXPECT_EQ(austrian[0].partOfSpeech, "noun");
    EXPECT_EQ(austrian[0].translation, "Symbolleiste");
    EXPECT_EQ(austrian[0].forbidden, std::vector<std::string>{"Toolbar"});
    EXPECT_EQ(austrian[0].origin, "other.tbx");

    // A term of bytes that are no UTF-8 (a Latin-1 file calling itself UTF-8) is left out.
    const TbxImportResult latin1 = importTbx(*glossary, dir.write("latin1.tbx", "<martif xml:lang=\"en\"><text><body>"
        "<termEntry><langSet xml:lang=\"en\"><tig><term>Stra\xDFe</term></tig></langSet>"
        "<langSet xml:lang=\"de\"><tig><term>x</term></tig></langSet></termEntry></body></text></martif>"));
    ASSERT_TRUE(latin1.ok) << latin1.problem;
    EXPECT_EQ(latin1.entries, 0);
    EXPECT_EQ(latin1.skipped, 1);

    EXPECT_FALSE(importTbx(*glossary, dir.write("x.tbx", "<tmx><body/></tmx>")).ok);
    EXPECT_FALSE(importTbx(*glossary, dir.write("y.tbx", "<martif><text><body>")).ok);
    EXPECT_FALSE(importTbx(*glossary, dir / "missing.tbx").ok);
    EXPECT_FALSE(exportTbx(*glossary, dir / "no" / "such" / "folder.tbx").ok);
}

// TBX of the 2019 edition (ISO 30042:2019), as newer terminology tools write it: concepts with
// language and term sections instead of langSet and tig.
TEST(TbxFile, ReadsTheNewerEditionsConceptAndTermSections)
{
    test::TempDir dir;
    auto glossary = openGlossary((dir / "g.db").string());
    const auto tbx = dir.write("v3.tbx", R"(<?xml version="1.0" encoding="UTF-8"?>
<tbx type="TBX-Basic" style="dca" xml:lang="en" xmlns="urn:iso:std:iso:30042:ed-2">
<tbxHeader><fileDesc><sourceDesc><p>x</p></sourceDesc></fileDesc></tbxHeader><text><body>
 <conceptEntry id="c1"><langSec xml:lang="en"><termSec><term>bookmark</term>
   <termNote type="partOfSpeech">noun</termNote></termSec></langSec>
  <langSec xml:lang="de"><termSec><term>Lesezeichen</term></termSec>
   <termSec><term>Buchzeichen</term><termNote type="administrativeStatus">deprecatedTerm-admn-sts</termNote></termSec>
  </langSec></conceptEntry>
 <conceptEntry id="c2"><langSec xml:lang="en"><termSec><term>orphan</term></termSec></langSec></conceptEntry>
</body></text></tbx>)");
    const TbxImportResult read = importTbx(*glossary, tbx);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.entries, 1);
    EXPECT_EQ(read.skipped, 1);
    const std::vector<GlossaryEntry> german = glossary->entries("de-DE");
    ASSERT_EQ(german.size(), 1u);
    EXPECT_EQ(german[0].term, "bookmark");
    EXPECT_EQ(german[0].partOfSpeech, "noun");
    EXPECT_EQ(german[0].translation, "Lesezeichen");
    EXPECT_EQ(german[0].forbidden, std::vector<std::string>{"Buchzeichen"});
}

std::vector<std::string> found(const TermIndex& index, std::string_view text)
{
    std::vector<std::string> terms;
    for (const TermHit& hit : index.find(text))
        terms.push_back(std::string(text.substr(hit.begin, hit.end - hit.begin)));
    return terms;
}

TEST(TermIndex, FindsTermsOnWordBoundariesWhateverTheCaseAndAccessKeys)
{
    const TermIndex index({entry("file", "Datei"), entry("Save As", "Speichern unter"), entry("save", "Speichern"),
                           entry("Straße", "street"), entry("e-mail", "E-Mail")});
    EXPECT_EQ(found(index, "&File"), std::vector<std::string>{"&File"});
    EXPECT_EQ(found(index, "Sa&ve &As..."), std::vector<std::string>{"Sa&ve &As"});
    EXPECT_EQ(found(index, "Save the FILE, then save"), (std::vector<std::string>{"Save", "FILE", "save"}));
    EXPECT_TRUE(found(index, "Files and profiles, unsaved").empty());
    EXPECT_EQ(found(index, "STRASSE? no: STRAßE"), std::vector<std::string>{"STRAßE"});
    EXPECT_EQ(found(index, "Send e-mail now"), std::vector<std::string>{"e-mail"});
    EXPECT_TRUE(found(index, "Tom && Jerry").empty());
    EXPECT_TRUE(TermIndex().find("file").empty());
}

TEST(TermIndex, AWordsStemsFindTermsOfEveryLengthTheLongestFirst)
{
    const TermIndex index({entry("bookmark", "Lesezeichen"), entry("bookmark folder", "Lesezeichenordner"),
                           entry("open bookmark", "Lesezeichen öffnen")});
    const WordStems stems = [](const std::string& word) {
        return word.size() > 1 && word.back() == 's' ? std::vector<std::string>{word.substr(0, word.size() - 1)}
                                                     : std::vector<std::string>{};
    };
    auto texts = [&](std::string_view text) {
        std::vector<std::string> out;
        for (const TermHit& hit : index.find(text, stems))
            out.emplace_back(text.substr(hit.begin, hit.end - hit.begin));
        return out;
    };
    EXPECT_EQ(texts("&Bookmarks and Bookmark Folders"), (std::vector<std::string>{"&Bookmarks", "Bookmark Folders"}));
    EXPECT_EQ(texts("Opens bookmarks"), std::vector<std::string>{"Opens bookmarks"});  // a later word by its stem too
    EXPECT_EQ(texts("bookmark"), std::vector<std::string>{"bookmark"});  // the word itself still counts
    EXPECT_TRUE(index.find("Bookmarks", WordStems{}).empty());  // no stems: exact words only
}

TEST(TermIndex, FindsATextsTermsAmongFiftyThousandQuickly)
{
    std::vector<GlossaryEntry> entries;
    for (int k = 0; k < 50000; ++k)
        entries.push_back(entry("term" + std::to_string(k) + (k % 3 ? " word" : ""), "t"));
    entries.push_back(entry("Print Preview", "Seitenansicht"));
    const TermIndex index(entries);
    const std::string text = "Shows the Print Preview of term42 word and term3 before anything else is printed";
    const auto start = std::chrono::steady_clock::now();
    std::size_t hits = 0;
    for (int k = 0; k < 100; ++k)
        hits += index.find(text).size();
    const auto perText = (std::chrono::steady_clock::now() - start) / 100;
    EXPECT_EQ(hits, 300u);
    EXPECT_LT(perText, std::chrono::milliseconds(5));
}

} // namespace
} // namespace qmk
