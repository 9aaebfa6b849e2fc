// Removing an installation: exactly what setup put on the disk goes, everything else stays.
#include <chrono>
#include <fstream>

#include "SetupFixture.h"
#include "app/ProfileFile.h"
#include "setup/InstallRecord.h"
#include "setup/MenuEntries.h"
#include "setup/SetupManifest.h"

namespace qmk::setup::test {

using SetupDeinstallTest = SetupFixture;

TEST_F(SetupDeinstallTest, KeepsTheFilesTheUserPutIntoTheInstallationFolder)
{
    ASSERT_EQ(install().end, InstallEnd::Complete);
    std::ofstream(destination / "notes.txt") << "mine";
    std::ofstream(destination / "demoproj/french/mine.rc") << "mine too";
    fs::create_directory(destination / "empty-of-mine");
    feedback = {};

    const DeinstallResult result = engine().deinstall();
    EXPECT_EQ(result.removedFiles, 20);
    EXPECT_EQ(result.keptFiles, 2);
    EXPECT_FALSE(result.stillInstalled);
    EXPECT_EQ(filesBelow(destination), (std::vector<std::string>{"demoproj/french/mine.rc", "notes.txt"}));
    EXPECT_TRUE(fs::is_directory(destination / "empty-of-mine"));
    EXPECT_FALSE(fs::exists(destination / "demoproj/german"));
    EXPECT_EQ(feedback.messageTexts(),
              std::vector<std::string>{"Quillmark is complete deinstalled. Setup removed only what it had installed; 2 "
                                       "other files in " + destination.string() + " were kept."});
    EXPECT_NE(std::find(feedback.statuses.begin(), feedback.statuses.end(),
                        "Delete File\n" + (destination / "demoproj/demo.rc").string() + "."),
              feedback.statuses.end());
    EXPECT_NE(std::find(feedback.statuses.begin(), feedback.statuses.end(),
                        "Delete Directory:  " + (destination / "demoproj/Kor").string()),
              feedback.statuses.end());
    EXPECT_EQ(feedback.statuses.back(), "Quillmark is complete deinstalled.");

    for (const fs::path& file : programGroupFiles(options.menus))
        EXPECT_FALSE(fs::exists(file)) << file;
    EXPECT_FALSE(fs::exists(options.installRecord));
    EXPECT_FALSE(fs::exists(options.settingsFile));
}

TEST_F(SetupDeinstallTest, InstalledFilesChangedSinceAreTheUsersAndStay)
{
    ASSERT_EQ(install().end, InstallEnd::Complete);
    // The translator went on working in the demo project: its database and one script changed.
    // (Deinstall reads the sizes and times back from the manifest file.)
    std::ofstream(destination / "demoproj/demo_rc.mdb", std::ios::app) << "more translations";
    const fs::path script = destination / "demoproj/german/gdemo.rc";
    fs::last_write_time(script, fs::last_write_time(script) + std::chrono::seconds(60));
    feedback = {};

    const DeinstallResult result = engine().deinstall();
    EXPECT_EQ(result.removedFiles, 18);
    EXPECT_EQ(result.keptFiles, 2);
    EXPECT_EQ(filesBelow(destination), (std::vector<std::string>{"demoproj/demo_rc.mdb", "demoproj/german/gdemo.rc"}));
}

TEST_F(SetupDeinstallTest, FolderWithNothingElseIsRemovedUpToWhereSetupStarted)
{
    install();
    engine().deinstall();
    EXPECT_FALSE(fs::exists(destination));
    EXPECT_FALSE(fs::exists(root / "home/work"));  // created by setup on the way
    EXPECT_TRUE(fs::exists(root / "home"));        // was there before
    EXPECT_FALSE(fs::exists(root / "config/qmk32"));
    EXPECT_NE(feedback.messageTexts().back().find("no other files were in"), std::string::npos);
}

TEST_F(SetupDeinstallTest, SecondInstallIntoTheSameFolderIsRemovedAsCompletely)
{
    install(false, true);
    install(true, true);
    engine().deinstall();
    EXPECT_FALSE(fs::exists(root / "home/work"));
}

TEST_F(SetupDeinstallTest, WithoutPathRemovesNothingFromTheDiskButTheRest)
{
    install();
    ProfileFile(options.installRecord).removeKey("Quillmark 3.0", "PATH");
    ProfileFile(options.installRecord).writeString("Other", "kept", "1");
    const auto before = filesBelow(destination);
    feedback = {};

    const DeinstallResult result = engine().deinstall();
    EXPECT_EQ(result.removedFiles, 0);
    EXPECT_EQ(filesBelow(destination), before);
    for (const fs::path& file : programGroupFiles(options.menus))
        EXPECT_FALSE(fs::exists(file)) << file;
    ProfileFile record(options.installRecord);
    EXPECT_FALSE(record.find("Quillmark 3.0", "VERSION"));
    EXPECT_EQ(record.getString("Other", "kept", ""), "1");  // someone else's value keeps the file
    EXPECT_FALSE(fs::exists(options.settingsFile));
    EXPECT_EQ(feedback.messageTexts(),
              std::vector<std::string>{"Quillmark is complete deinstalled. No installation folder was recorded; "
                                       "nothing was removed from the disk."});
}

TEST_F(SetupDeinstallTest, NoListOfInstalledFilesMeansNothingIsRemovedThere)
{
    install();
    fs::remove(SetupManifest::pathIn(destination));
    const DeinstallResult result = engine().deinstall();
    EXPECT_EQ(result.removedFiles, 0);
    EXPECT_EQ(result.keptFiles, 20);
    EXPECT_TRUE(fs::exists(destination / "qmk32"));
    EXPECT_FALSE(deinstallEnabled(options.installRecord));
}

TEST_F(SetupDeinstallTest, EntriesOutsideTheInstallationFolderAreNeverDeleted)
{
    install(true, false);
    std::ofstream(root / "precious.txt") << "keep";
    std::ofstream(SetupManifest::pathIn(destination), std::ios::app)
        << "file\t" << (root / "precious.txt").string() << "\n"
        << "file\t" << (destination / "../../precious.txt").string() << "\n"
        << "file\trelative.txt\n";
    engine().deinstall();
    EXPECT_EQ(qmk::test::readFile(root / "precious.txt"), "keep");
}

TEST_F(SetupDeinstallTest, PartOfACancelledInstallationCanBeRemoved)
{
    fs::remove(source / "german/gdemo.rc");
    feedback.answer = false;
    const InstallResult result = install();
    EXPECT_EQ(result.end, InstallEnd::Cancelled);
    EXPECT_FALSE(result.closeProgram);
    EXPECT_EQ(feedback.questions,
              std::vector<std::string>{"Quillmark setup canceled.\nDo you want to exit the setup program ?"});
    ASSERT_EQ(feedback.requests.size(), 1u);
    EXPECT_EQ(feedback.requests[0].part, 2);
    EXPECT_EQ(feedback.requests[0].file, "german/gdemo.rc");
    EXPECT_TRUE(fs::exists(destination / "demoproj/french/fdemo.rc"));
    EXPECT_FALSE(fs::exists(options.settingsFile));  // the project list is only preset when all is there

    ASSERT_TRUE(deinstallEnabled(options.installRecord));
    engine().deinstall();
    EXPECT_FALSE(fs::exists(root / "home/work"));
}

} // namespace qmk::setup::test
