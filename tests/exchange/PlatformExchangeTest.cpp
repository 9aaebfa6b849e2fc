// XLIFF and PO: the units of a translation with stable ids, written and read back, imported by
// id with the source checked, the code page respected and nothing stored from a broken file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "exchange/PlatformExchange.h"
#include "project/CQuillDoc.h"
#include "project/TranslationForm.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};
constexpr LanguageId Russian{25, 1};

const char* const kScript =
    "IDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"About \"\"Demo\"\"\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_STATIC, 10, 10, 50, 8\n    LTEXT \"Mail:\", IDC_STATIC, 10, 30, 50, 8\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\nEND\n";

class PlatformExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
        ASSERT_TRUE(doc->OnOpenDocument(dir.write("app.rc", kScript)));
        ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
        ASSERT_TRUE(doc->NewTranslation(Russian, "app-Russian.rc"));
        ASSERT_TRUE(doc->reloadRows().done());
    }
    const ExchangeUnit& unit(const std::vector<ExchangeUnit>& units, const std::string& id)
    {
        for (const ExchangeUnit& u : units)
            if (u.id == id)
                return u;
        static const ExchangeUnit none;
        ADD_FAILURE() << "no unit " << id;
        return none;
    }
    std::string stored(int line, LanguageId language)
    {
        return doc->database().texts().translation(line, language).value_or(TranslatedText{}).text;
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc;
};

} // namespace

TEST_F(PlatformExchangeTest, UnitsHaveStableIdsAndDisplayForms)
{
    const std::vector<ExchangeUnit> units = exchangeUnits(*doc, German);
    ASSERT_EQ(units.size(), 6u);  // caption, two statics, OK, two strings
    EXPECT_EQ(units[0].id, "Dialog_Caption/IDD_ABOUT/\"Caption\"");
    EXPECT_EQ(units[0].source, "About \"Demo\"");  // doubled quotes shown single
    EXPECT_EQ(units[1].id, "Dialog_Item/IDD_ABOUT/IDC_STATIC");
    EXPECT_EQ(units[2].id, "Dialog_Item/IDD_ABOUT/IDC_STATIC#2");  // told apart by their order
    EXPECT_EQ(units[4].id, "Stringtable_String/IDS_HELLO");
    EXPECT_EQ(exchangeUnits(*doc, German)[2].id, units[2].id);  // the same on every export
}

TEST_F(PlatformExchangeTest, XliffAndPoComeBackAsTheyWereWritten)
{
    std::vector<ExchangeUnit> units = exchangeUnits(*doc, German);
    units[4].target = "Hallo \"Welt\"";
    units[5].target = "Tsch\xC3\xBC" "ss\nbis bald";
    units[5].needsReview = true;
    for (const char* name : {"de.xlf", "de.po"}) {
        const std::filesystem::path path = dir / name;
        std::string problem;
        const ExchangeKind format = exchangeFormatOf(path)->kind;
        ASSERT_TRUE(writeExchangeFile(path, format, {{"en-US", "de-DE", "app.rc", false}, units}, problem)) << problem;
        const std::optional<ExchangeDocument> read = readExchangeFile(path, format, problem);
        ASSERT_TRUE(read) << name << ": " << problem;
        ASSERT_EQ(read->units.size(), units.size()) << name;
        for (std::size_t i = 0; i < units.size(); ++i) {
            EXPECT_EQ(read->units[i].id, units[i].id) << name;
            EXPECT_EQ(read->units[i].source, units[i].source) << name;
            EXPECT_EQ(read->units[i].target, units[i].target) << name;
        }
        EXPECT_TRUE(read->units[5].needsReview) << name;
        EXPECT_FALSE(read->units[4].needsReview) << name;
        EXPECT_TRUE(languageTagsMatch(read->header.targetLanguage, "de-DE")) << name;
    }
    // Checked by gettext itself where it is installed.
    if (std::system("command -v msgfmt > /dev/null 2>&1") == 0) {
        const std::string check = "msgfmt --check -o /dev/null '" + (dir / "de.po").string() + "' 2> '" +
                                  (dir / "msgfmt.log").string() + "'";
        EXPECT_EQ(std::system(check.c_str()), 0) << test::readFile(dir / "msgfmt.log");
    }
    EXPECT_FALSE(exchangeFormatOf(dir / "de.xlsx")->read);  // a workbook is no document of units
}

TEST_F(PlatformExchangeTest, TheSourceLanguageIsNamedByItsTag)
{
    // Platforms map standard tags only; a Japanese program must not export as a private tag.
    CQuillDoc japanese(feedback, {});
    const std::string neutralFirst = "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\nIDI_APP ICON \"app.ico\"\n"
                                     "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT\n";
    ASSERT_TRUE(japanese.OnOpenDocument(dir.write("ja.rc", neutralFirst + kScript)));
    EXPECT_EQ(sourceLanguageTag(japanese), "ja-JP");
    EXPECT_EQ(sourceLanguageTag(*doc), "en-US");  // the script names no language
}

TEST_F(PlatformExchangeTest, AnImportStoresByIdChecksTheSourceAndTheCodePage)
{
    std::vector<ExchangeUnit> units = exchangeUnits(*doc, Russian);
    units[4].target = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // Cyrillic: fits 1251
    units[5].target = "\xCE\xB1";                                          // Greek: does not
    units[1].target = "x";
    units[1].source = "Name changed:";                                     // the source moved on
    ExchangeUnit gone;
    gone.id = "Stringtable_String/IDS_GONE";
    gone.source = "Gone";
    gone.target = "Weg";
    units.push_back(gone);
    const ExchangeImportResult result = importExchangeUnits(*doc, Russian, units);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.imported, 1);
    EXPECT_EQ(stored(units[4].lineIndex, Russian), "\xCF\xF0\xE8\xE2\xE5\xF2");
    ASSERT_EQ(result.refused.size(), 3u);  // in the file's order
    EXPECT_EQ(result.refused[0].id, units[1].id);
    EXPECT_NE(result.refused[0].reason.find("source"), std::string::npos);
    EXPECT_EQ(result.refused[1].id, units[5].id);
    EXPECT_NE(result.refused[1].reason.find("code page"), std::string::npos);
    EXPECT_EQ(result.refused[2].id, "Stringtable_String/IDS_GONE");
    EXPECT_EQ(stored(units[1].lineIndex, Russian), "");

    // A broken file stores nothing.
    std::ofstream(dir / "broken.po") << "msgctxt \"Stringtable_String/IDS_BYE\"\nmsgid \"Goodbye\"\nmsgstr \"Tsch\n";
    std::string problem;
    EXPECT_FALSE(readExchangeFile(dir / "broken.po", ExchangeKind::Po, problem));
    EXPECT_NE(problem.find("line 3"), std::string::npos) << problem;
}

} // namespace qmk

namespace qmk {

// Every corpus script: German made up for every text, exported as XLIFF and as PO, imported
// into a fresh build of the same script: every translation comes back to its own row.
TEST(PlatformExchangeCorpusTest, EveryTranslationComesBackToItsOwnRow)
{
    const std::vector<std::filesystem::path> scripts = test::corpusScripts();
    if (scripts.empty())
        GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const std::filesystem::path& script : scripts) {
        test::RecordingFeedback feedback;
        feedback.answer = true;
        test::TempDir first, second;
        std::filesystem::copy(script.parent_path(), first.path() / "p", std::filesystem::copy_options::recursive);
        std::filesystem::copy(script.parent_path(), second.path() / "p", std::filesystem::copy_options::recursive);
        CQuillDoc source(feedback, {".DLG"}), target(feedback, {".DLG"});
        if (!source.OnOpenDocument(first.path() / "p" / script.filename()))
            continue;  // a script the reader refuses is another test's business
        ASSERT_TRUE(source.NewTranslation(German, "de.rc")) << script;
        ASSERT_TRUE(source.reloadRows().done());
        std::vector<ExchangeUnit> units = exchangeUnits(source, German);
        for (ExchangeUnit& unit : units)  // a block header must stay one: its own is taken
            unit.target = unit.itemType == "Block Header" ? "040704B0" : "de[" + unit.source + "]";
        ASSERT_TRUE(target.OnOpenDocument(second.path() / "p" / script.filename())) << script;
        ASSERT_TRUE(target.NewTranslation(German, "de.rc")) << script;
        ASSERT_TRUE(target.reloadRows().done());
        for (const char* name : {"de.xlf", "de.po"}) {
            const std::filesystem::path file = first.path() / name;
            std::string problem;
            const ExchangeKind format = exchangeFormatOf(file)->kind;
            ASSERT_TRUE(writeExchangeFile(file, format, {{"en-US", "de-DE", "corpus.rc", false}, units}, problem)) << problem;
            const std::optional<ExchangeDocument> read = readExchangeFile(file, format, problem);
            ASSERT_TRUE(read) << script << " " << name << ": " << problem;
            const ExchangeImportResult result = importExchangeUnits(target, German, read->units);
            ASSERT_TRUE(result.ok) << script;
            for (const RefusedUnit& refused : result.refused)  // only texts the code page cannot hold
                EXPECT_NE(refused.reason.find("code page"), std::string::npos) << script << " " << name << " " << refused.id;
        }
        const std::vector<ExchangeUnit> back = exchangeUnits(target, German);
        ASSERT_EQ(back.size(), units.size()) << script;
        for (std::size_t i = 0; i < units.size(); ++i) {
            EXPECT_EQ(back[i].lineIndex, units[i].lineIndex) << script;
            // Texts a code page cannot hold stay untranslated; the others are all back, stored
            // as the bar stores typed text (a line break as its escape).
            if (!back[i].target.empty()) {
                EXPECT_EQ(back[i].target, toPlatformForm(toStoredForm(units[i].target))) << script << " " << units[i].id;
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

} // namespace qmk
