// Where setup finds the files to install: beside itself, in a package's data folder, or in a
// folder the person names when a file is missing.
#include <fstream>

#include "SetupFixture.h"

namespace qmk::setup::test {

using SetupSourceFolderTest = SetupFixture;

TEST_F(SetupSourceFolderTest, MissingFileIsLookedForInTheFolderThePersonNames)
{
    fs::remove(source / "Kor/korea.bmp");
    fs::remove(source / "Kor/kordemo.rc");
    const fs::path other = root / "second-part";
    fs::create_directories(other / "Kor");
    std::ofstream(other / "Kor/kordemo.rc") << "from the second part";
    std::ofstream(other / "Kor/korea.bmp") << "bitmap";
    feedback.folders = {root / "nowhere", other};

    const InstallResult result = install(false, true);
    EXPECT_EQ(result.end, InstallEnd::DemoInstalled);
    EXPECT_EQ(feedback.beeps, 1);
    ASSERT_EQ(feedback.requests.size(), 2u);
    EXPECT_EQ(feedback.requests[0].folder, source);
    EXPECT_EQ(feedback.requests[1].folder, root / "nowhere");
    EXPECT_EQ(feedback.messageTexts(), std::vector<std::string>{"Install File\nFile 'Kor/kordemo.rc' not found."});
    // The next file is found in the folder named for the one before.
    EXPECT_EQ(qmk::test::readFile(destination / "demoproj/Kor/korea.bmp"), "bitmap");
    EXPECT_EQ(qmk::test::readFile(destination / "demoproj/Kor/kordemo.rc"), "from the second part");
}

TEST_F(SetupSourceFolderTest, InstalledPackageKeepsTheDataInTheShareFolder)
{
    // <prefix>/bin holds the programs, <prefix>/share/qmk32 the rest, the demo projects in
    // their own folder there.
    const fs::path prefix = root / "usr";
    fs::create_directories(prefix / "bin");
    writeDistribution(prefix / "share/qmk32");
    writeDistribution(prefix / "share/qmk32/demoproj");
    for (const SetupFile& file : setupFiles())
        if (file.group == FileGroup::Demo)
            fs::remove(prefix / "share/qmk32" / file.name);
    fs::rename(prefix / "share/qmk32/qmk32", prefix / "bin/qmk32");
    options.sourceFolder = prefix / "bin";

    const InstallResult result = install();
    EXPECT_EQ(result.end, InstallEnd::Complete);
    EXPECT_TRUE(feedback.requests.empty());
    EXPECT_EQ(qmk::test::readFile(destination / "demoproj/Jap/japdemo.rc"), standInContent("Jap/japdemo.rc"));
}

TEST_F(SetupSourceFolderTest, ProgramIsNeverTakenFromTheShareFolder)
{
    const fs::path prefix = root / "usr";
    fs::create_directories(prefix / "bin");
    writeDistribution(prefix / "share/qmk32");
    options.sourceFolder = prefix / "bin";

    const InstallResult result = install(true, false);
    EXPECT_EQ(result.end, InstallEnd::Cancelled);
    ASSERT_EQ(feedback.requests.size(), 1u);
    EXPECT_EQ(feedback.requests[0].file, "qmk32");
    EXPECT_EQ(feedback.requests[0].part, 1);
}

} // namespace qmk::setup::test
