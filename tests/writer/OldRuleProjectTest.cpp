// A project built before the source language of a script of several languages was kept: its
// database (tests/data/oldrule) read every LANGUAGE block as the source and has no field for
// the choice. Opening and updating it must go on offering every text and keep every translation.
#include <gtest/gtest.h>

#include <map>

#include <sqlite3.h>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "database/LineStore.h"
#include "load/BuildLineStore.h"
#include "parser/LoadLoop.h"
#include "project/CQuillDoc.h"
#include "project/FileStamp.h"
#include "resources/ReadingTexts.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr LanguageId kFrench{12, 1};
const std::filesystem::path kFixture = std::filesystem::path(QMK_TEST_DATA_DIR) / "oldrule";

// Every source text in line order, with its French translation (empty when none).
std::vector<std::pair<std::string, std::string>> textsAndFrench(CProjectDatabase& db)
{
    std::vector<std::pair<std::string, std::string>> all;
    db.texts().forEachTextInLineOrder([&](const TextRow& row) {
        const std::optional<TranslatedText> french = db.texts().translation(row.lineIndex, kFrench);
        all.emplace_back(row.sourceText, french ? french->text : std::string());
    });
    return all;
}

class OldRuleProjectTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"multi.rc", "multi_rc.mdb"})
            std::filesystem::copy_file(kFixture / name, dir / name);
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
};

const std::vector<std::pair<std::string, std::string>> kOffered = {
    {"Settings", "Paramètres"}, {"Name:", "Nom :"}, {"Deutsch", "Allemand"},
    {"Open", "Ouvrir"},         {"Close", ""},     {"Save", "Enregistrer"}};

TEST_F(OldRuleProjectTest, OpeningAndUpdatingKeepEveryTextAndTranslation)
{
    CQuillDoc doc(feedback, {});
    ASSERT_TRUE(doc.OnOpenDocument(dir / "multi_rc.mdb"));
    EXPECT_FALSE(doc.database().sourceLanguageChoice());
    EXPECT_EQ(doc.sourceLanguageDescription(), txt::SourceEveryBlockOldProject);
    EXPECT_EQ(textsAndFrench(doc.database()), kOffered);
    ASSERT_EQ(writeTranslation(doc, kFrench, dir / "multi-fr.rc"), 1);
    EXPECT_NE(test::readFile(dir / "multi-fr.rc").find("900 \"Allemand\""), std::string::npos);

    // Unchanged, then with a text added to the German and to the English block.
    ASSERT_EQ(doc.UpdateDatabase(dir / "multi.rc"), OperationResult::Done);
    EXPECT_EQ(textsAndFrench(doc.database()), kOffered);
    EXPECT_EQ(doc.database().sourceLanguageChoice(), SourceLanguageRule::everyBlock().stored());
    EXPECT_EQ(doc.sourceLanguageDescription(), txt::SourceEveryBlock);

    std::string script = test::readFile(dir / "multi.rc");
    script.replace(script.find("  900 \"Deutsch\""), 15, "  900 \"Deutsch\"\r\n  901 \"Englisch\"");
    script.replace(script.find("  3 \"Save\""), 10, "  3 \"Save\"\r\n  4 \"Print\"");
    dir.write("multi.rc", script);
    ASSERT_EQ(doc.UpdateDatabase(dir / "multi.rc"), OperationResult::Done);
    std::vector<std::pair<std::string, std::string>> expected = kOffered;
    expected.insert(expected.begin() + 3, {"Englisch", ""});
    expected.push_back({"Print", ""});
    EXPECT_EQ(textsAndFrench(doc.database()), expected);
    ASSERT_TRUE(doc.OnCloseDocument());

    // Opened again, the kept choice still reads every block.
    CQuillDoc again(feedback, {});
    ASSERT_TRUE(again.OnOpenDocument(dir / "multi_rc.mdb"));
    ASSERT_EQ(again.UpdateDatabase(dir / "multi.rc"), OperationResult::Done);
    EXPECT_EQ(textsAndFrench(again.database()), expected);
}

// Makes the fixture as the program built projects then: every block read as the source, no
// kept choice. Run by hand (--gtest_also_run_disabled_tests) to make it again.
TEST(OldRuleProjectFixture, DISABLED_Regenerate)
{
    test::RecordingFeedback feedback;
    const std::filesystem::path script = kFixture / "multi.rc";
    const std::filesystem::path database = kFixture / "multi_rc.mdb";
    std::filesystem::remove(database);
    {
        CProjectDatabase db;
        db.createNew(database);
        {
            std::unique_ptr<LineStore> rows = db.lineStore();
            BuildLineStore store(*rows);
            LoadLoop loop(store, {}, feedback);
            loop.setSourceRule(SourceLanguageRule::everyBlock());
            ASSERT_EQ(loop.run(script), 0);
            rows->commit();
        }
        db.writeProjectRow("multi.rc", FileStamp{}, ProjectSwitches{});
        db.finishNew();
    }
    CQuillDoc doc(feedback, {});
    ASSERT_TRUE(doc.OnOpenDocument(database));
    ASSERT_TRUE(doc.NewTranslation(kFrench, "multi-fr.rc"));
    std::map<std::string, int> lines;
    doc.database().texts().forEachTextInLineOrder([&](const TextRow& row) { lines[row.sourceText] = row.lineIndex; });
    for (const auto& [source, french] : kOffered)
        if (!french.empty())
            ASSERT_EQ(doc.storeTranslation(lines.at(source), kFrench, french), OperationResult::Done) << source;
    ASSERT_TRUE(doc.OnCloseDocument());
    // Nor did such projects keep joined literals as written.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, "DROP TABLE JoinedLiteral; PRAGMA page_size = 1024; VACUUM;", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
    CProjectDatabase check;
    check.open(database);
    EXPECT_FALSE(check.sourceLanguageChoice());
}

} // namespace
} // namespace qmk
