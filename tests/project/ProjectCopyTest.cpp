// A project in a folder the user cannot write is offered as a copy in the user's own folder.
#include <gtest/gtest.h>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "project/ProjectCopy.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

class ProjectCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        script = installed.write("demoproj/demo.rc", "STRINGTABLE\nBEGIN\n 1 \"x\"\nEND\n");
        installed.write("demoproj/demo_rc.mdb", "db");
        installed.write("demoproj/german/gdemo.rc", "g");
        installed.write("outside.txt", "not part of the project");
        fs::create_symlink(installed / "outside.txt", installed / "demoproj/link.txt");
    }

    // The installed folder is read-only (tests run with rights that would write anywhere).
    fs::path open() { return writableProject(script, home / "Quillmark", feedback, readOnlyInstall); }

    test::TempDir installed, home;
    test::RecordingFeedback feedback;
    fs::path script;
    FolderWritable readOnlyInstall = [this](const fs::path& folder) {
        return folder.string().rfind(installed.path().string(), 0) != 0;
    };
};

TEST_F(ProjectCopyTest, AWritableProjectOpensWhereItIsWithoutAQuestion)
{
    EXPECT_EQ(writableProject(script, home / "Quillmark", feedback, [](const fs::path&) { return true; }), script);
    EXPECT_TRUE(feedback.askedTexts.empty());
}

TEST_F(ProjectCopyTest, TheCopyHoldsTheFolderWithoutItsLinksAndIsOfferedAgainLater)
{
    const fs::path copy = home / "Quillmark/demoproj/demo.rc";
    EXPECT_EQ(open(), copy);
    ASSERT_EQ(feedback.askedTexts.size(), 1u);
    EXPECT_NE(feedback.askedTexts[0].find("Copy the project to"), std::string::npos);
    EXPECT_EQ(test::readFile(home / "Quillmark/demoproj/german/gdemo.rc"), "g");
    EXPECT_EQ(test::readFile(home / "Quillmark/demoproj/demo_rc.mdb"), "db");
    EXPECT_FALSE(fs::exists(fs::symlink_status(home / "Quillmark/demoproj/link.txt")));

    // Work done in the copy is never overwritten by a second offer.
    home.write("Quillmark/demoproj/demo_rc.mdb", "translated");
    EXPECT_EQ(open(), copy);
    EXPECT_NE(feedback.askedTexts.back().find("Open your copy"), std::string::npos);
    EXPECT_EQ(test::readFile(home / "Quillmark/demoproj/demo_rc.mdb"), "translated");
}

TEST_F(ProjectCopyTest, DecliningOpensTheOriginalAndCopiesNothing)
{
    feedback.answer = false;
    EXPECT_EQ(open(), script);
    EXPECT_FALSE(fs::exists(home / "Quillmark"));
}

TEST_F(ProjectCopyTest, AFailedCopyIsReportedAndTheOriginalOpens)
{
    home.write("Quillmark", "a file where the folder should be");
    EXPECT_EQ(open(), script);
    ASSERT_FALSE(feedback.said.empty());
    EXPECT_NE(feedback.said.back().text.find("could not be copied"), std::string::npos);
}

} // namespace
} // namespace qmk
