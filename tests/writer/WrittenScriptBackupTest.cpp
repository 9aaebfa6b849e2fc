// A translated script replaces a file the project did not write only after keeping a copy of it,
// and replaces its own files freely: the project remembers what it wrote into each.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "project/CQuillDoc.h"
#include "project/WrittenFiles.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

constexpr LanguageId German{7, 1};
constexpr char kHumanGerman[] = "// Von Hand übersetzt\r\nSTRINGTABLE\r\nBEGIN\r\n 1 \"Eins\"\r\nEND\r\n";

class WrittenScriptBackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("app.rc", "STRINGTABLE\nBEGIN\n IDS_ONE \"One\"\n IDS_TWO \"Two\"\nEND\n");
        doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{".DLG"});
        ASSERT_TRUE(doc->OnOpenDocument(dir / "app.rc"));
        ASSERT_EQ(doc->NewTranslation(German, "app-German.rc"), OperationResult::Done);
    }
    int write(const fs::path& target) { return writeTranslation(*doc, German, target); }
    bool exists(const std::string& name) const { return fs::exists(dir / name); }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc;
};

} // namespace

TEST_F(WrittenScriptBackupTest, AForeignFileIsKeptTheFirstTimeAndTheProjectsOwnFileIsReplacedFreely)
{
    const fs::path target = dir.write("de.rc", kHumanGerman);
    EXPECT_EQ(doc->translationFileState("de.rc"), WrittenFileState::Foreign);
    ASSERT_EQ(write(target), 1);
    // Asked first (batch answers yes), then the human translation kept beside the new script.
    ASSERT_EQ(feedback.askedTexts.size(), 1u);
    EXPECT_NE(feedback.askedTexts[0].find("de.rc.bak"), std::string::npos) << feedback.askedTexts[0];
    EXPECT_EQ(test::readFile(dir / "de.rc.bak"), kHumanGerman);
    EXPECT_NE(test::readFile(target), kHumanGerman);
    EXPECT_EQ(doc->translationFileState("de.rc"), WrittenFileState::Written);

    // Written again after a change: replaced without a question or another copy.
    const std::vector<TextMatch> one = doc->database().update().stringsByIdent("IDS_ONE");
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(doc->storeTranslation(one.front().lineIndex, German, "Eins"), OperationResult::Done);
    feedback.askedTexts.clear();
    const std::string before = test::readFile(target);
    ASSERT_EQ(write(target), 1);
    EXPECT_TRUE(feedback.askedTexts.empty());
    EXPECT_EQ(test::readFile(dir / "de.rc.bak"), kHumanGerman);
    EXPECT_FALSE(exists("de.rc.2.bak"));
    EXPECT_NE(test::readFile(target), before);
}

TEST_F(WrittenScriptBackupTest, NoAnswerLeavesTheForeignFileAsItWasAndMakesNoCopy)
{
    const fs::path target = dir.write("de.rc", kHumanGerman);
    feedback.answer = false;
    EXPECT_EQ(write(target), 0);
    EXPECT_EQ(test::readFile(target), kHumanGerman);
    EXPECT_FALSE(exists("de.rc.bak"));
}

TEST_F(WrittenScriptBackupTest, AnOwnScriptEditedByHandIsKeptWithoutAskingAndNoEarlierCopyIsOverwritten)
{
    const fs::path target = dir.write("de.rc", kHumanGerman);
    ASSERT_EQ(write(target), 1);
    // The translator edits the written script: it is no longer what the project wrote.
    std::string edited = test::readFile(target) + "// a note of the translator\r\n";
    std::ofstream(target, std::ios::binary | std::ios::trunc) << edited;
    EXPECT_EQ(doc->translationFileState("de.rc"), WrittenFileState::ProjectScript);
    feedback.askedTexts.clear();
    ASSERT_EQ(write(target), 1);
    EXPECT_TRUE(feedback.askedTexts.empty());  // a script of this project: kept, not asked about
    EXPECT_EQ(test::readFile(dir / "de.rc.bak"), kHumanGerman);
    EXPECT_EQ(test::readFile(dir / "de.rc.2.bak"), edited);
    EXPECT_EQ(doc->translationFileState("de.rc"), WrittenFileState::Written);
}

TEST_F(WrittenScriptBackupTest, AFileWrittenWhereNothingStoodNeedsNoCopy)
{
    ASSERT_EQ(write(dir / "app-German.rc"), 1);
    ASSERT_EQ(write(dir / "app-German.rc"), 1);
    EXPECT_FALSE(exists("app-German.rc.bak"));
    EXPECT_TRUE(feedback.askedTexts.empty());
}

TEST_F(WrittenScriptBackupTest, AProjectMovedWithItsScriptsStillKnowsThem)
{
    ASSERT_EQ(write(dir / "app-German.rc"), 1);
    doc->OnCloseDocument();
    doc.reset();
    test::TempDir elsewhere;
    fs::copy(dir.path(), elsewhere.path() / "moved", fs::copy_options::recursive);
    CQuillDoc moved(feedback, {".DLG"});
    ASSERT_TRUE(moved.OnOpenDocument(elsewhere / "moved/app.rc"));
    EXPECT_EQ(moved.translationFileState("app-German.rc"), WrittenFileState::Written);
    ASSERT_EQ(writeTranslation(moved, German, elsewhere / "moved/app-German.rc"), 1);
    EXPECT_FALSE(fs::exists(elsewhere / "moved/app-German.rc.bak"));
}

TEST(WrittenFilesTest, TheHeaderTellsAScriptWrittenForThisSourceInAnyEncoding)
{
    test::TempDir dir;
    const std::string header = "////////////////////////////////////////////////////////////////////////////\r\n"
                               "//  Windows Lexmoor Quillmark Version 3.2\r\n"
                               "//  This is a translated resource file.\r\n"
                               "//  Source File Name:  C:\\Work\\App.RC\r\n"
                               "////////////////////////////////////////////////////////////////////////////\r\n";
    EXPECT_TRUE(hasTranslatedScriptHeader(dir.write("plain.rc", header), dir / "app.rc"));
    EXPECT_TRUE(hasTranslatedScriptHeader(dir.write("bom.rc", "\xEF\xBB\xBF" + header), "/src/app.rc"));
    std::string wide = "\xFF\xFE";
    for (char c : header)
        wide += std::string{c, '\0'};
    EXPECT_TRUE(hasTranslatedScriptHeader(dir.write("wide.rc", wide), "app.rc"));
    // Another source's translation, a script by hand, and a header cut short are not.
    EXPECT_FALSE(hasTranslatedScriptHeader(dir / "plain.rc", "other.rc"));
    EXPECT_FALSE(hasTranslatedScriptHeader(dir.write("hand.rc", kHumanGerman), "app.rc"));
    EXPECT_FALSE(hasTranslatedScriptHeader(dir.write("cut.rc", header.substr(0, 120)), "app.rc"));
}

} // namespace qmk
