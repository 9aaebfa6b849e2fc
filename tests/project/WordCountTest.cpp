// Word counts as translation quotes count them, and a translation's statistics over the Text
// Table's rows, which must agree with the gauge.
#include "SourceUpdateFixture.h"
#include "database/CProjectDatabase.h"
#include "project/WordCount.h"

namespace qmk {
namespace {

using test::German;

TEST(WordCountTest, WordsAreLetterAndDigitRunsWithoutAccessKeysAndEscapes)
{
    EXPECT_EQ(countWords("... -- !?"), 0);
    EXPECT_EQ(countWords("3 files of 1,024.5 KB"), 5);  // numbers are words, "1,024.5" one
    EXPECT_EQ(countWords("don't re-open Gr\xC3\xB6\xC3\x9F" "e"), 3);
    EXPECT_EQ(countWords("Fi&le"), 1);                  // the mark does not part the word
    EXPECT_EQ(countWords("Copy && Paste"), 2);          // "&&" is an ampersand, no word
    EXPECT_EQ(countWords("&Open...\\tCtrl+O"), 3);       // the escape as the script writes it
    EXPECT_EQ(countWords("First line\\nSecond\\x09line \\\\ \\r\\n"), 4);
}

TEST(WordCountTest, EachIdeographAndKanaIsAWord)
{
    EXPECT_EQ(countWords("\xE6\x96\x87\xE4\xBB\xB6\xE3\x82\x92\xE9\x96\x8B\xE3\x81\x8F"), 5);  // "文件を開く"
    EXPECT_EQ(countWords("Windows\xE7\x89\x88 2"), 3);                                     // "Windows版 2"
    EXPECT_EQ(countWords("\xED\x8C\x8C\xEC\x9D\xBC \xEC\x97\xB4\xEA\xB8\xB0"), 2);  // Korean keeps its words
}

const std::string kScript =
    "IDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"About\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_NAME, 10, 10, 50, 8\n    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "STRINGTABLE\nBEGIN\n"
    "    IDS_HELLO \"Hello world\"\n"
    "    IDS_OPEN \"&Open &File...\\tCtrl+O\"\n"
    "    IDS_JAPANESE \"\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\"\n"
    "    IDS_COUNT \"3 files\"\n"
    "END\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n        MENUITEM \"E&xit\", ID_EXIT\n    END\nEND\n";

// A German translation with texts in every state: translated, flagged with and without a text,
// untranslated and excluded.
class TranslationWordCountsTest : public test::SourceUpdateFixture {
protected:
    void SetUp() override
    {
        SourceUpdateFixture::SetUp();
        open(writeScript(kScript, 120));
        translateAll();
        ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
        ASSERT_TRUE(doc->storeTranslation(stringLine("IDS_OPEN"), German, "").done());
        {
            CQuillDoc::LongOperation operation(*doc);
            ASSERT_TRUE(doc->storeTranslation(operation, stringLine("IDS_HELLO"), German, "Hallo Welt", true).done());
            ASSERT_TRUE(doc->storeTranslation(operation, stringLine("IDS_JAPANESE"), German, "", true).done());
        }
        ASSERT_TRUE(doc->setExcluded(stringLine("IDS_COUNT"), true).done());
    }

    // The counts must say what the gauge and the statistics it is drawn from say.
    void expectGaugeAgrees(const TranslationWordCounts& counts)
    {
        const ProjectSwitches& on = doc->switches();
        CountedKinds kinds;
        kinds.bitmaps = on.bitmapEdit;
        kinds.versions = on.versionEdit;
        kinds.includes = on.includeEdit;
        kinds.menus = on.menuEdit;
        kinds.dialogs = on.dialogEdit;
        kinds.stringtables = on.stringtableEdit;
        const TranslationStatistics stats = doc->database().languages().translationStatistics(German, kinds);
        EXPECT_EQ(counts.total().texts, stats.total);
        EXPECT_EQ(counts.translated.texts, stats.translated);
        EXPECT_EQ(counts.flagged.texts, stats.changed);
        const GaugeFigures gauge = doc->gauge(German);
        ASSERT_GT(stats.total, 0);
        EXPECT_EQ(counts.translated.texts * 100 / counts.total().texts, gauge.translatedPercent);
        EXPECT_EQ(counts.flagged.texts * 100 / counts.total().texts, gauge.modifiedPercent);
    }
};

} // namespace

TEST_F(TranslationWordCountsTest, TextsAndSourceWordsByStateAgreeWithTheGauge)
{
    ASSERT_TRUE(doc->switches().excludeEdit);  // the excluded row is shown, and still left out
    ASSERT_GE(doc->rows().rowOfLineIndex(stringLine("IDS_COUNT")), 0);
    const TranslationWordCounts counts = doc->wordCounts(German);
    EXPECT_EQ(counts.flagged, (WordTally{2, 2 + 4}));  // "Hello world", "ファイル" (flagged though empty)
    EXPECT_EQ(counts.untranslated, (WordTally{1, 4}));  // "Open File Ctrl O"
    EXPECT_EQ(counts.translated, (WordTally{5, 5}));   // About, Name, OK, File, Exit
    expectGaugeAgrees(counts);
}

TEST_F(TranslationWordCountsTest, HiddenCategoriesAndHiddenExcludedRowsAgreeWithTheGauge)
{
    ASSERT_TRUE(doc->toggleCategory(ProjectSwitch::DialogEdit, 0).done());
    TranslationWordCounts counts = doc->wordCounts(German);
    EXPECT_EQ(counts.translated, (WordTally{2, 2}));
    expectGaugeAgrees(counts);
    ASSERT_TRUE(doc->toggleCategory(ProjectSwitch::ExcludeEdit, 0).done());
    ASSERT_TRUE(doc->toggleCategory(ProjectSwitch::StringtableEdit, 0).done());
    counts = doc->wordCounts(German);
    EXPECT_EQ(counts.total(), (WordTally{2, 2}));
    expectGaugeAgrees(counts);
}

TEST_F(TranslationWordCountsTest, AStoreOrAnAcceptanceMovesATextToTranslated)
{
    const TranslationWordCounts before = doc->wordCounts(German);  // counted, and kept until a change
    ASSERT_TRUE(doc->storeTranslation(stringLine("IDS_OPEN"), German, "\xC3\x96" "ffnen").done());
    ASSERT_TRUE(doc->acceptSourceChange(stringLine("IDS_HELLO"), German).done());
    const TranslationWordCounts counts = doc->wordCounts(German);
    EXPECT_EQ(counts.translated, (WordTally{7, 11}));
    EXPECT_EQ(counts.flagged, (WordTally{1, 4}));
    EXPECT_EQ(counts.untranslated, (WordTally{}));
    expectGaugeAgrees(counts);
    // A language the project does not translate has everything still to do.
    EXPECT_EQ(doc->wordCounts(LanguageId{12, 1}).untranslated, counts.total());
    doc->undo();
    doc->undo();
    EXPECT_EQ(doc->wordCounts(German).translated, before.translated);
    EXPECT_EQ(doc->wordCounts(German).untranslated, before.untranslated);
}

TEST_F(TranslationWordCountsTest, CountingInSlicesGivesTheCountsOfOneGoAndCountsRowsThatCameMeanwhile)
{
    const TranslationWordCounts whole = doc->wordCounts(German);
    ASSERT_EQ(doc->reloadRows(), OperationResult::Done);  // the rows' words are forgotten
    EXPECT_FALSE(doc->rows().sourceWordsCounted());
    SourceWordCounting counting(doc->rows());
    const JobProgress first = counting.step(SlicedJob::Budget(0));
    EXPECT_GT(first.completed, 0u);
    EXPECT_LE(first.completed, first.total);
    EXPECT_EQ(first.total, static_cast<std::size_t>(doc->rows().rowCount()));
    // A refill between slices: the counting goes over the new rows too.
    ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
    EXPECT_FALSE(doc->rows().sourceWordsCounted());
    EXPECT_TRUE(runToEnd(counting).done);
    EXPECT_TRUE(doc->rows().sourceWordsCounted());
    const TranslationWordCounts sliced = doc->wordCounts(German);
    EXPECT_EQ(sliced.translated, whole.translated);
    EXPECT_EQ(sliced.flagged, whole.flagged);
    EXPECT_EQ(sliced.untranslated, whole.untranslated);
}

} // namespace qmk
