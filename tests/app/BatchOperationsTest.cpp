#include <gtest/gtest.h>

#include <sstream>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "parser/LanguageTable.h"
#include "project/CQuillDoc.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

class BatchOperationsTest : public ::testing::Test {
protected:
    BatchStatus run(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        CBatchCommandLineInfo cmd;
        cmd.parseArguments(args);
        BatchReport report(out, err, "");
        return BatchRunner({".DLG"}).run(cmd, report);
    }

    std::string script()
    {
        return dir.write("app.rc", "STRINGTABLE\nBEGIN\n 1 \"One\"\n 2 \"Two\"\nEND\n").string();
    }

    test::TempDir dir;
    std::ostringstream out, err;
};

} // namespace

TEST_F(BatchOperationsTest, ParameterProblemsAreReportedWithTheirTexts)
{
    const std::string rc = script();
    const std::string missing = (dir / "nowhere.mdb").string();
    EXPECT_EQ(run({"-L", missing, "German"}), BatchStatus::Failed);
    EXPECT_EQ(err.str(), "QMK Error:  File not found !  " + missing + "\nQMK Error:  Command failed !\n");

    EXPECT_EQ(run({"-L", rc, "German"}), BatchStatus::Failed);
    EXPECT_EQ(err.str(), "Error: Wrong file type ! " + rc + "\nQMK Error:  Command failed !\n");

    const std::string bogus = dir.write("bogus.mdb", "no database").string();
    EXPECT_EQ(run({"-L", bogus, "German"}), BatchStatus::Failed);
    EXPECT_EQ(err.str(), "QMK Error: File is not a QMK database.\n     " + bogus + "\nQMK Error:  Command failed !\n");

    EXPECT_EQ(run({"-A", bogus}), BatchStatus::UsageError);
    EXPECT_EQ(err.str(), "Error:  Missing parameter.\n");

    ASSERT_EQ(run({"-C", rc}), BatchStatus::Success);
    const std::string db = (dir / "app_rc.mdb").string();
    EXPECT_EQ(run({"-L", db, "Klingon"}), BatchStatus::UsageError);
    EXPECT_EQ(err.str(), "QMK Error:  Language parameter 'Klingon' not valid !\n");
}

TEST_F(BatchOperationsTest, TheWholeRoadWithItsReportsAndAnswers)
{
    const std::string rc = script();
    const std::string db = (dir / "app_rc.mdb").string();
    ASSERT_EQ(run({"-C", rc}), BatchStatus::Success);
    EXPECT_EQ(out.str(), "QMK: Create database file.\nQMK: Create database file " + db +
                             " successful for resource file " + rc + ".\n");
    ASSERT_EQ(run({"-C", rc}), BatchStatus::Success);
    EXPECT_EQ(out.str(), "QMK: Create database file.\nWarning: Database " + db + "  for resource file " + rc +
                             " already exists.\n");

    EXPECT_EQ(run({"-L", db, "0x0407"}), BatchStatus::CheckAnsweredNo);
    EXPECT_EQ(out.str(), "QMK: Has translation ?\n     Database: " + db + "\n     Language: 0x0407\n     -->  No\n");

    const std::string german = (dir / "app-de.rc").string();
    ASSERT_EQ(run({"-A", db, "1031", german}), BatchStatus::Success) << err.str();
    EXPECT_EQ(out.str(), "QMK: Add language\nQMK: Add language '1031' to " + db + " successful.\n");
    EXPECT_EQ(run({"-L", db, "german"}), BatchStatus::Success);
    EXPECT_EQ(run({"-A", db, "German", german}), BatchStatus::Failed);

    EXPECT_EQ(run({"-T", db, "German"}), BatchStatus::CheckAnsweredNo);
    EXPECT_NE(out.str().find("    amount = 2,  translated = 0,  not actual (modified) = 0  \n     -->  No\n"),
              std::string::npos)
        << out.str();

    EXPECT_EQ(run({"-RC", db, "French", german}), BatchStatus::Failed);
    EXPECT_EQ(err.str(), "QMK Warning: Language 'French' not exists in database.\n   " + db + "  \n");
    ASSERT_EQ(run({"-RC", db, "German", german}), BatchStatus::Success) << err.str();
    EXPECT_EQ(out.str(), "QMK:  Write translated resource file.\nQMK: Write translated file successful.\n"
                         "  Language:  'German'\n  Database: " + db + "\n  Translated resource file: " + german + "\n");
    EXPECT_NE(test::readFile(german).find("  1 \"One\"\r\n"), std::string::npos);
}

TEST_F(BatchOperationsTest, LanguageIdListGoesToItsFile)
{
    const std::string list = (dir / "lids.txt").string();
    ASSERT_EQ(run({"-LIDS", list}), BatchStatus::Success);
    const std::string text = test::readFile(list);
    EXPECT_EQ(text.rfind("QMKCommand 'List Local Language Ids'\n", 0), 0u);
    EXPECT_NE(text.find(" 0407\t\t\t\t\t\tGerman\n"), std::string::npos);
    EXPECT_NE(text.find(" 0427\t\t\t\t\t\tLithuanian (Lithuania)\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(languageRows().size()) + 1);
    EXPECT_EQ(run({"-LIDS", (dir / "no" / "such" / "folder.txt").string()}), BatchStatus::Failed);
}

} // namespace qmk

namespace qmk {

TEST_F(BatchOperationsTest, EncodingSetsHowTheTranslationIsWrittenAndRefusesWhatDoesNotFit)
{
    const std::string rc = script();
    const std::string db = (dir / "app_rc.mdb").string();
    const std::string out16 = (dir / "app-German.rc").string();
    ASSERT_EQ(run({"-C", rc, "-A", db, "German", out16}), BatchStatus::Success);
    ASSERT_EQ(run({"-ENC", db, "German", "utf-16", "-RC", db, "German", out16}), BatchStatus::Success);
    EXPECT_NE(out.str().find("QMK: Translation 'German' of " + db + " is now written as UTF-16."), std::string::npos)
        << out.str();
    EXPECT_EQ(test::readFile(out16).substr(0, 4), std::string("\xFF\xFE/\0", 4));

    EXPECT_EQ(run({"/Encoding", db, "German", "latin-1"}), BatchStatus::UsageError);
    EXPECT_EQ(err.str(), "QMK Error:  Encoding 'latin-1' not valid ! Use ansi, utf-8 or utf-16.\n");
    EXPECT_EQ(run({"-ENC", db, "French", "ansi"}), BatchStatus::Failed);
}

} // namespace qmk

namespace qmk {

TEST(BatchTextFitTest, TextsTooWideAreListedAndTheCheckAnswersNo)
{
    test::TempDir dir;
    const auto script = dir.write("app.rc", "IDD_A DIALOG 0, 0, 100, 40\nBEGIN\n"
                                            "    LTEXT \"Name:\", IDC_NAME, 5, 5, 30, 8\n    PUSHBUTTON \"OK\", IDOK, 5, 20, 40, 14\nEND\n");
    std::ostringstream out, err;
    BatchReport report(out, err, "");
    BatchRunner runner;
    auto run = [&](std::vector<std::string> args) {
        CBatchCommandLineInfo cmd;
        cmd.parseArguments(args);
        return runner.run(cmd, report);
    };
    ASSERT_EQ(run({"-C", script.string()}), BatchStatus::Success);
    const std::string db = (dir / "app_rc.mdb").string();
    ASSERT_EQ(run({"-A", db, "German", (dir / "de.rc").string()}), BatchStatus::Success);
    EXPECT_EQ(run({"/FIT", db, "German"}), BatchStatus::Success);  // nothing translated: nothing too wide
    EXPECT_NE(out.str().find("(Yes)  Every translated text fits."), std::string::npos);

    test::RecordingFeedback quiet;
    {
        CQuillDoc doc(quiet, {".DLG"});
        ASSERT_TRUE(doc.OnOpenDocument(db));
        const int name = doc.database().items().dialogTextItems(doc.database().items().resources(ResourceList::Dialogs)[0].lineIndex)[0].lineIndex;
        ASSERT_EQ(doc.storeTranslation(name, LanguageId{7, 1}, "Vollst\xE4ndiger Name:"), OperationResult::Done);
        doc.OnCloseDocument();
    }
    out.str("");
    EXPECT_EQ(run({"/FIT", db, "German"}), BatchStatus::CheckAnsweredNo);
    EXPECT_NE(out.str().find("IDD_A  IDC_NAME  \"Vollst\xC3\xA4ndiger Name:\""), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("(No)   1 text does not fit."), std::string::npos) << out.str();
}

} // namespace qmk

namespace qmk {

// Build servers run the workbook exchange by flags and branch on the exit status.
TEST_F(BatchOperationsTest, WorkbooksGoOutByXlsxAndComeBackByImport)
{
    const std::string rc = script();
    const std::string db = (dir / "app_rc.mdb").string();
    const std::string book = (dir / "texts.xlsx").string();
    ASSERT_EQ(run({"-C", rc, "-A", db, "German", (dir / "app-de.rc").string()}), BatchStatus::Success) << err.str();
    ASSERT_EQ(run({"/XLSX", db, book}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("QMK: Export text to Excel."), std::string::npos) << out.str();
    EXPECT_TRUE(std::filesystem::exists(book));

    EXPECT_EQ(run({"-I", book, "German", db}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("QMK: Successful import of 'German' text from " + book), std::string::npos) << out.str();
    EXPECT_EQ(run({"-I", (dir / "missing.xlsx").string(), "German", db}), BatchStatus::Failed);
    EXPECT_EQ(run({"/ExportXlsx", db}), BatchStatus::UsageError);
    EXPECT_NE(batchUsageText().find("/XLSX  <dbfilename.mdb>  <file.xlsx>"), std::string::npos);
}

} // namespace qmk

namespace qmk {

TEST_F(BatchOperationsTest, TranslatedScriptNamesAreKeptRelativeSoACopiedProjectWritesBesideItself)
{
    const std::string rc = script();
    const std::string db = (dir / "app_rc.mdb").string();
    ASSERT_EQ(run({"-C", rc}), BatchStatus::Success);
    // A relative name is the project folder's, whatever folder the command runs in.
    ASSERT_EQ(run({"-A", db, "German", "german/app-de.rc"}), BatchStatus::Success) << err.str();
    // An absolute name inside the folder is stored relative too.
    ASSERT_EQ(run({"-A", db, "French", (dir / "fr" / "app-fr.rc").string()}), BatchStatus::Success) << err.str();
    {
        CProjectDatabase project;
        project.open(db);
        EXPECT_EQ(project.languages().fileName(LanguageId{7, 1}), "german/app-de.rc");
        EXPECT_EQ(project.languages().fileName(LanguageId{12, 1}), "fr/app-fr.rc");
    }
    // The copy writes into its own folders.
    test::TempDir copy;
    std::filesystem::copy_file(rc, copy / "app.rc");
    std::filesystem::copy_file(db, copy / "app_rc.mdb");
    std::filesystem::create_directories(copy / "german");
    std::filesystem::create_directories(copy / "fr");
    test::RecordingFeedback feedback;
    CQuillDoc doc(feedback, {".DLG"});
    ASSERT_TRUE(doc.OnOpenDocument(copy / "app_rc.mdb"));
    EXPECT_TRUE(WriteTranslatedScripts(doc).done());
    EXPECT_TRUE(std::filesystem::exists(copy / "german" / "app-de.rc"));
    EXPECT_TRUE(std::filesystem::exists(copy / "fr" / "app-fr.rc"));
    EXPECT_FALSE(std::filesystem::exists(dir / "german" / "app-de.rc"));
    doc.OnCloseDocument();
}

} // namespace qmk
