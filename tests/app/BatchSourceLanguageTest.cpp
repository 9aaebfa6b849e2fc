// /C <script> /SRC <language>: the source language of a script of several languages, named on
// the command line, kept by the project and its updates and shown by /STAT.
#include <gtest/gtest.h>

#include <sstream>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "parser/SourceLanguageScope.h"

namespace qmk {
namespace {

const std::string kMulti =
    "LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\n"
    "100 DIALOG 0, 0, 100, 50\nCAPTION \"Settings\"\nBEGIN\n  LTEXT \"Name:\", 101, 5, 5, 40, 8\nEND\n"
    "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\nSTRINGTABLE\nBEGIN\n  900 \"Deutsch\"\nEND\n"
    "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n  1 \"Open\"\n  2 \"Close\"\n  3 \"Save\"\nEND\n";

class BatchSourceLanguageTest : public ::testing::Test {
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

    std::vector<std::string> texts()
    {
        CProjectDatabase db;
        db.open(database);
        std::vector<std::string> all;
        db.texts().forEachTextInLineOrder([&](const TextRow& row) { all.push_back(row.sourceText); });
        return all;
    }

    std::optional<int> choice()
    {
        CProjectDatabase db;
        db.open(database);
        return db.sourceLanguageChoice();
    }

    test::TempDir dir;
    std::string script = dir.write("multi.rc", kMulti).string();
    std::string database = (dir / "multi_rc.mdb").string();
    std::ostringstream out, err;
};

} // namespace

TEST_F(BatchSourceLanguageTest, TheNamedLanguageIsTheSourceAndAnUpdateKeepsIt)
{
    ASSERT_EQ(run({"-C", script, "/SRC", "German"}), BatchStatus::Success) << err.str();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Settings", "Name:", "Deutsch"}));
    EXPECT_EQ(choice(), SourceLanguageRule::named({7, 1}).stored());
    ASSERT_EQ(run({"-STAT", database}), BatchStatus::Success);
    EXPECT_NE(out.str().find("\n     Source language: German.\n"), std::string::npos) << out.str();

    std::string changed = kMulti;
    changed.insert(changed.find("END\nLANGUAGE LANG_ENGLISH"), "  901 \"Englisch\"\n");
    changed.insert(changed.rfind("END\n"), "  4 \"Print\"\n");
    dir.write("multi.rc", changed);
    ASSERT_EQ(run({"-U", database}), BatchStatus::Success) << err.str();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Settings", "Name:", "Deutsch", "Englisch"}));
    EXPECT_EQ(choice(), SourceLanguageRule::named({7, 1}).stored());
}

TEST_F(BatchSourceLanguageTest, WithoutSrcTheLanguageOfTheMostTextsIsTheSource)
{
    ASSERT_EQ(run({"-C", script}), BatchStatus::Success) << err.str();
    EXPECT_EQ(texts(), (std::vector<std::string>{"Settings", "Name:", "Open", "Close", "Save"}));
    ASSERT_EQ(run({"-STAT", database}), BatchStatus::Success);
    EXPECT_NE(out.str().find("\n     Source language: English US.\n"), std::string::npos) << out.str();
}

TEST_F(BatchSourceLanguageTest, ALanguageThatIsNoneOrHasNoBlockBuildsNothing)
{
    EXPECT_EQ(run({"-C", script, "-SRC", "Klingon"}), BatchStatus::UsageError);
    EXPECT_EQ(err.str(), "QMK Error:  Language parameter 'Klingon' not valid !\n     The languages of " + script +
                             ": German, English US\n");
    EXPECT_FALSE(std::filesystem::exists(database));

    EXPECT_EQ(run({"-C", script, "/SRC", "French"}), BatchStatus::Failed);
    EXPECT_EQ(err.str(), "QMK Error:  " + script + " has no LANGUAGE block of 'French'.\n     Its languages: German, "
                             "English US\nQMK Error:  Command failed !\n");
    EXPECT_FALSE(std::filesystem::exists(database));

    EXPECT_EQ(run({"-C", script, "/SRC"}), BatchStatus::UsageError);
    EXPECT_EQ(err.str(), "Error:  Missing parameter.\n");
    EXPECT_FALSE(std::filesystem::exists(database));

    // A language of the block's primary language is that block: German names LANG_GERMAN, SUBLANG_NEUTRAL.
    std::string neutralGerman = kMulti;
    neutralGerman.replace(neutralGerman.find("SUBLANG_GERMAN"), 14, "SUBLANG_NEUTRAL");
    dir.write("multi.rc", neutralGerman);
    ASSERT_EQ(run({"-C", script, "/SRC", "0407"}), BatchStatus::Success) << err.str();
    EXPECT_EQ(choice(), SourceLanguageRule::named({7, 0}).stored());
}

TEST(SourceLanguageFlagTest, SrcBelongsToTheCreateBeforeIt)
{
    CBatchCommandLineInfo create;
    create.parseArguments({"-C", "a.rc", "/SRC", "German", "-U", "a_rc.mdb"});
    EXPECT_EQ(create.unrecognisedFlag(), "");
    EXPECT_EQ(create.parametersOf(0), (std::vector<std::string>{"a.rc", "/SRC", "German"}));
    EXPECT_EQ(create.parametersOf(1), (std::vector<std::string>{"a_rc.mdb"}));

    // After another operation it has no meaning: the start refuses it.
    CBatchCommandLineInfo update;
    update.parseArguments({"-U", "a_rc.mdb", "-SRC", "German"});
    EXPECT_EQ(update.unrecognisedFlag(), "SRC");
}

} // namespace qmk
