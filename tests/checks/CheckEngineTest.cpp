// The check engine over a project: findings placed at their items and lines, access-key clashes
// within one dialog and one menu level, a finding let stand as an undoable step, checks switched
// off in the project, and the findings of what an import stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "checks/CheckEngine.h"
#include "checks/TranslationFindings.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "exchange/ScriptImport.h"
#include "project/CQuillDoc.h"

namespace qmk {
namespace {

constexpr LanguageId kGerman{7, 1};

const char* kScript =
    "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"                 // 1
    "IDD_MAIN DIALOGEX 0, 0, 200, 100\n"                          // 2
    "CAPTION \"Main\"\n"                                          // 3
    "FONT 8, \"MS Shell Dlg\"\n"                                  // 4
    "BEGIN\n"                                                     // 5
    "    LTEXT \"&Name:\", -1, 5, 5, 40, 8\n"                     // 6
    "    EDITTEXT IDC_NAME, 50, 5, 100, 12\n"                     // 7
    "    LTEXT \"S&ize:\", -1, 5, 20, 80, 8\n"                    // 8
    "    AUTOCHECKBOX \"&Save on exit\", IDC_SAVE, 5, 40, 190, 10\n"  // 9
    "    PUSHBUTTON \"Cancel\", IDCANCEL, 5, 60, 40, 14\n"        // 10
    "END\n"                                                       // 11
    "IDR_MENU MENU\n"                                             // 12
    "BEGIN\n"                                                     // 13
    "    POPUP \"&File\"\n"                                       // 14
    "    BEGIN\n"                                                 // 15
    "        MENUITEM \"&Open...\\tCtrl+O\", ID_OPEN\n"           // 16
    "        MENUITEM \"&Close\", ID_CLOSE\n"                     // 17
    "    END\n"                                                   // 18
    "    POPUP \"&Edit\"\n"                                       // 19
    "    BEGIN\n"                                                 // 20
    "        MENUITEM \"&Find\", ID_FIND\n"                       // 21
    "    END\n"                                                   // 22
    "END\n"                                                       // 23
    "STRINGTABLE\n"                                               // 24
    "BEGIN\n"                                                     // 25
    "    IDS_COUNT \"%d files\"\n"                                // 26
    "END\n";

class CheckEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        script = dir.write("app.rc", kScript);
        doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
        ASSERT_TRUE(doc->OnOpenDocument(script));
        ASSERT_TRUE(doc->NewTranslation(kGerman, "app-de.rc").done());
        ASSERT_TRUE(doc->reloadRows().done());
    }
    int line(const std::string& idOrSource)
    {
        const TextTableRows& rows = doc->rows();
        for (int row = 0; row < rows.rowCount(); ++row)
            if (rows.row(row).cell(TextTableColumns::IdColumn) == idOrSource ||
                rows.row(row).cell(TextTableColumns::SourceColumn) == idOrSource)
                return rows.item(row).lineIndex;
        ADD_FAILURE() << idOrSource;
        return -1;
    }
    void store(const std::string& idOrSource, const std::string& text)
    {
        ASSERT_TRUE(doc->storeTranslation(line(idOrSource), kGerman, text).done()) << idOrSource;
    }
    // "check@line ident" of each finding.
    std::vector<std::string> summary(const std::vector<CheckFinding>& findings)
    {
        std::vector<std::string> out;
        for (const CheckFinding& f : findings)
            out.push_back(f.check + "@" + std::to_string(f.line) + " " + f.resource + " " + f.ident);
        return out;
    }
    std::vector<std::string> run() { return summary(TranslationChecks(*doc, kGerman).run()); }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::filesystem::path script;
    std::unique_ptr<CQuillDoc> doc;
};

TEST_F(CheckEngineTest, FindingsNameTheItemAndItsLineInScriptOrder)
{
    store("&Name:", "&Name:");
    store("ID_OPEN", "Ö&ffnen...");           // accelerator lost
    store("IDS_COUNT", "%s Dateien");          // placeholder changed
    store("IDCANCEL", "Abbrechen ");           // trailing blank added, and wider than the button
    EXPECT_EQ(run(), (std::vector<std::string>{"whitespace@10 IDD_MAIN IDCANCEL", "fit@10 IDD_MAIN IDCANCEL",
                                               "accelerator@16 IDR_MENU ID_OPEN", "placeholder@26 STRINGTABLE IDS_COUNT"}));
    const std::vector<CheckFinding> findings = TranslationChecks(*doc, kGerman).run();
    EXPECT_EQ(findings[2].lineIndex, line("ID_OPEN"));
    EXPECT_EQ(findings[2].file, script.string());
    EXPECT_EQ(compilerStyleLine(findings[2]),
              script.string() + ":16: warning: [accelerator] IDR_MENU ID_OPEN: the accelerator (\\tCtrl+O) of the source is missing");
}

TEST_F(CheckEngineTest, AccessKeysClashWithinOneDialogOrOneMenuLevelOnly)
{
    store("S&ize:", "&Speichergröße:");
    store("IDC_SAVE", "Beim Beenden &speichern");  // 's' twice in the dialog, unlike the source
    store("ID_OPEN", "Ö&ffnen...\\tStrg+O");
    store("ID_CLOSE", "&Fenster schließen");      // 'f' twice in the File popup
    store("ID_FIND", "&Finden");                  // 'f' in another popup: no clash
    EXPECT_EQ(run(), (std::vector<std::string>{"mnemonic-clash@9 IDD_MAIN IDC_SAVE", "mnemonic-clash@17 IDR_MENU ID_CLOSE"}));
    // Checking one item looks at its whole dialog.
    EXPECT_EQ(summary(TranslationChecks(*doc, kGerman).run({line("IDC_SAVE")})),
              std::vector<std::string>{"mnemonic-clash@9 IDD_MAIN IDC_SAVE"});
    EXPECT_TRUE(TranslationChecks(*doc, kGerman).run({line("IDCANCEL")}).empty());
}

TEST_F(CheckEngineTest, AFindingLetStandIsOneUndoableStepAndAChecksSwitchIsKept)
{
    store("ID_OPEN", "Ö&ffnen...");
    ASSERT_EQ(run().size(), 1u);
    const IgnoredFinding finding{line("ID_OPEN"), kGerman, "accelerator"};
    EXPECT_EQ(doc->setFindingIgnored(finding, true), OperationResult::Done);
    EXPECT_EQ(doc->setFindingIgnored(finding, true), OperationResult::Cancelled);
    EXPECT_TRUE(run().empty());
    TranslationChecks all(*doc, kGerman);
    all.setWithIgnored(true);
    EXPECT_EQ(all.run().size(), 1u);

    const CQuillDoc::HistoryMove undo = doc->undo();
    EXPECT_EQ(undo.result, OperationResult::Done);
    EXPECT_EQ(undo.label, "ignore [accelerator] of German");
    EXPECT_EQ(undo.lineIndex, finding.lineIndex);
    EXPECT_EQ(run().size(), 1u);
    EXPECT_EQ(doc->redo().result, OperationResult::Done);
    EXPECT_TRUE(run().empty());

    // Switched off, a check finds nothing, in this session and the next.
    store("IDS_COUNT", "%s Dateien");
    EXPECT_EQ(run().size(), 1u);
    EXPECT_TRUE(doc->setCheckEnabled("placeholder", false).done());
    doc->OnCloseDocument();
    doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
    ASSERT_TRUE(doc->OnOpenDocument(script));
    EXPECT_TRUE(run().empty());
    const std::vector<std::string> on = enabledChecks(*doc);
    EXPECT_EQ(std::count(on.begin(), on.end(), "placeholder"), 0);
    EXPECT_EQ(std::count(on.begin(), on.end(), "untranslated"), 0);  // off until a project asks for it
    EXPECT_EQ(std::count(on.begin(), on.end(), "accelerator"), 1);
}

TEST_F(CheckEngineTest, AnImportListsTheFindingsOfWhatItStoredOnly)
{
    store("IDCANCEL", "Abbrechen ");  // a finding the import does not touch
    std::string german = kScript;
    german.replace(german.find("LANG_ENGLISH, SUBLANG_ENGLISH_US"), 32, "LANG_GERMAN, SUBLANG_GERMAN");
    german.replace(german.find("\"&Open...\\tCtrl+O\""), 18, "\"Ö&ffnen...\"");
    german.replace(german.find("\"&Find\""), 7, "\"&Suchen\"");
    const std::filesystem::path file = dir.write("app-de-import.rc", german);
    ImportedTextsCheck stored(*doc, kGerman);
    ASSERT_TRUE(ScriptImport(*doc, {}).run(file, kGerman).ok());
    EXPECT_EQ(summary(stored.findings()), std::vector<std::string>{"accelerator@16 IDR_MENU ID_OPEN"});
}

TEST(CodePageCheck, AnUntranslatedTextTheTranslationsEncodingCannotHoldIsFound)
{
    test::TempDir dir;
    test::RecordingFeedback feedback;
    const std::filesystem::path script = dir.write(
        "app.rc", "#pragma code_page(65001)\nSTRINGTABLE\nBEGIN\n    IDS_SIZE \"Größe\"\n    IDS_NAME \"日本語\"\nEND\n");
    CQuillDoc doc(feedback, {});
    ASSERT_TRUE(doc.OnOpenDocument(script));
    ASSERT_TRUE(doc.NewTranslation(kGerman, "app-de.rc").done());
    ASSERT_TRUE(doc.reloadRows().done());
    if (!doc.changeEncoding(kGerman, 1252).done())
        GTEST_SKIP() << "the project keeps German in UTF-8";
    const std::vector<CheckFinding> findings = TranslationChecks(doc, kGerman).run();
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].check, "codepage");
    EXPECT_EQ(findings[0].ident, "IDS_NAME");
    EXPECT_EQ(findings[0].line, 5);
    EXPECT_EQ(findings[0].message, "left untranslated, its source holds 日本語, which ANSI (code page 1252) cannot hold");
}

} // namespace
} // namespace qmk

namespace qmk {

TEST(AccessKeyClashTest, LabelsOfOneWindowSharingAKeyAreFoundWhateverTheCase)
{
    using Pairs = std::vector<std::pair<std::size_t, std::size_t>>;
    // "Sea&rch" and "Checks &Run": one key; "&&" is no access key; "Ö" folds with "ö".
    EXPECT_EQ(accessKeyClashes({"&File", "Sea&rch", "Checks &Run", "Save && Close", "&Help"}), (Pairs{{1, 2}}));
    EXPECT_EQ(accessKeyClashes({"&\xC3\x96""ffnen", "&\xC3\xB6""l", "O&K"}), (Pairs{{0, 1}}));
    EXPECT_TRUE(accessKeyClashes({"&File", "&Edit", "Plain", ""}).empty());
}

} // namespace qmk

namespace qmk {
namespace {

// Steps the run with no time at all: each step still does a unit of work, so every stage is
// left and entered again between steps, as the window's slices do.
std::vector<CheckFinding> runInTinySlices(TranslationChecks::Run& run, int& steps)
{
    steps = 0;
    JobProgress progress;
    do {
        progress = run.step(SlicedJob::Budget(0));
        EXPECT_LE(progress.completed, std::max(progress.total, progress.completed));
        ++steps;
    } while (!progress.done && steps < 100000);
    return run.takeFindings();
}

} // namespace

TEST_F(CheckEngineTest, ARunInSlicesFindsWhatOneRunFindsInTheSameOrder)
{
    store("&Name:", "&Name:");
    store("ID_OPEN", "Ö&ffnen...");
    store("IDS_COUNT", "%s Dateien");
    store("IDCANCEL", "Abbrechen ");
    store("ID_CLOSE", "&Öffnen zu");  // the same key as Open's
    TranslationChecks checks(*doc, kGerman);
    const std::vector<CheckFinding> whole = checks.run();
    TranslationChecks::Run run(checks);
    int steps = 0;
    EXPECT_EQ(runInTinySlices(run, steps), whole);
    EXPECT_GT(steps, 3);  // read, texts, clashes, fit and sort were slices of their own
    EXPECT_TRUE(run.step(SlicedJob::Budget(0)).done);  // done stays done
}

// The window lists findings by item; it never has the script read again for their places.
TEST_F(CheckEngineTest, TheWindowsFindingsLeaveOutTheirFileAndLine)
{
    store("IDS_COUNT", "%s Dateien");
    TranslationFindings findings(*doc);
    findings.setSliced(true);
    findings.setLanguage(kGerman);
    ASSERT_NE(findings.pendingRun(), nullptr);
    runToEnd(*findings.pendingRun());
    store("IDCANCEL", "Abbrechen ");  // checked on its own after the run
    for (const int checked : {line("IDS_COUNT"), line("IDCANCEL")}) {
        const auto found = findings.of(checked);
        ASSERT_FALSE(found.empty());
        EXPECT_EQ(found.front().file, "");
        EXPECT_EQ(found.front().line, 0);
    }
    // A report's run names them still.
    const std::vector<CheckFinding> reported = TranslationChecks(*doc, kGerman).run();
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.front().file, script.string());
    EXPECT_GT(reported.front().line, 0);
}

TEST_F(CheckEngineTest, SlicedFindingsKeepATextStoredDuringTheRunCheckedAsItIsNow)
{
    store("IDS_COUNT", "%s Dateien");  // placeholder changed
    TranslationFindings findings(*doc);
    findings.setSliced(true);
    int started = 0;
    findings.setRunStarted([&started] { ++started; });
    findings.setLanguage(kGerman);
    ASSERT_EQ(started, 1);
    SlicedJob* run = findings.pendingRun();
    ASSERT_NE(run, nullptr);
    // The run reads the stored text before the store below changes it.
    while (run->step(SlicedJob::Budget(0)).completed == 0) {
    }
    store("IDS_COUNT", "%d Dateien");  // mended while the run goes on
    store("IDCANCEL", "Abbrechen ");   // a new fault while the run goes on
    runToEnd(*run);
    EXPECT_EQ(findings.pendingRun(), nullptr);
    EXPECT_TRUE(findings.of(line("IDS_COUNT")).empty()) << "the stale run brought back a mended fault";
    EXPECT_FALSE(findings.of(line("IDCANCEL")).empty()) << "the store's result was lost";

    // Given up, a run leaves no findings and asks for nothing more.
    findings.setLanguage(std::nullopt);
    findings.setLanguage(kGerman);
    ASSERT_NE(findings.pendingRun(), nullptr);
    findings.cancelRun();
    EXPECT_EQ(findings.pendingRun(), nullptr);
    EXPECT_TRUE(findings.all().empty());
}

} // namespace qmk
