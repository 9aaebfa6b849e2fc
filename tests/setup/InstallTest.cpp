// Installing: where files go, what is recorded, and what is refused.
#include <fstream>

#include "SetupFixture.h"
#include "app/ProfileFile.h"
#include "app/ProjectFileList.h"
#include "resources/SetupTexts.h"
#include "setup/InstallRecord.h"
#include "setup/MenuEntries.h"
#include "setup/SetupManifest.h"

namespace qmk::setup::test {

using SetupInstallTest = SetupFixture;

TEST_F(SetupInstallTest, SameFolderInAnotherCaseIsRefused)
{
    options.sourceFolder = root / "Dist";
    fs::create_directories(options.sourceFolder);
    destination = root / "DIST/";
    const InstallResult result = install();
    EXPECT_EQ(result.end, InstallEnd::Refused);
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_EQ(feedback.messages[0].first,
              destination.string() + "\nYou cannot install Quillmark in the same directory like the installation files !");
    EXPECT_FALSE(fs::exists(root / "DIST"));
    EXPECT_FALSE(deinstallEnabled(options.installRecord));
}

TEST_F(SetupInstallTest, SameFolderThroughALinkIsRefused)
{
    fs::create_directory_symlink(source, root / "link");
    destination = root / "link";
    EXPECT_EQ(install().end, InstallEnd::Refused);
    EXPECT_FALSE(fs::exists(source / SetupManifest::kFileName));
}

TEST_F(SetupInstallTest, DemoOnlyFillsDemoprojAndTheProjectListButNothingElse)
{
    ProfileFile(options.settingsFile).writeStrings("PROJECTFILES", {{"File0", "/old/a.rc"}, {"File7", "/old/b.rc"}});
    const InstallResult result = install(false, true);
    EXPECT_EQ(result.end, InstallEnd::DemoInstalled);
    EXPECT_FALSE(result.closeProgram);
    EXPECT_TRUE(feedback.messages.empty());
    EXPECT_EQ(result.copied, 17);
    EXPECT_EQ(feedback.lastProgress, std::make_pair(17, 17));

    const fs::path demo = destination / "demoproj";
    EXPECT_EQ(qmk::test::readFile(demo / "french/fdemo.rc"), standInContent("french/fdemo.rc"));
    EXPECT_EQ(qmk::test::readFile(demo / "Kor/korea.bmp"), standInContent("Kor/korea.bmp"));
    EXPECT_TRUE(fs::exists(demo / "demo_rc.mdb"));
    EXPECT_FALSE(fs::exists(destination / "qmk32"));

    ProfileFile settings(options.settingsFile);
    // The person's projects keep their slots; the demonstration projects take free ones.
    EXPECT_EQ(settings.getString("PROJECTFILES", "File0", "?"), "/old/a.rc");
    EXPECT_EQ(settings.getString("PROJECTFILES", "File1", "?"), (demo / "demo.rc").string());
    EXPECT_EQ(settings.getString("PROJECTFILES", "File2", "?"), (demo / "asiademo.rc").string());
    EXPECT_EQ(settings.getString("PROJECTFILES", "File7", "?"), "/old/b.rc");
    EXPECT_EQ(settings.getString("PROJECTFILES", "File29", ""), "");

    EXPECT_FALSE(fs::exists(options.installRecord));
    for (const fs::path& file : programGroupFiles(options.menus))
        EXPECT_FALSE(fs::exists(file)) << file;
}

TEST_F(SetupInstallTest, FullInstallRecordsItselfAndCreatesTheMenu)
{
    const InstallResult result = install();
    EXPECT_EQ(result.end, InstallEnd::Complete);
    EXPECT_TRUE(result.closeProgram);
    EXPECT_EQ(feedback.messageTexts(), std::vector<std::string>{"The Lexmoor Quillmark  is complete installed."});
    EXPECT_EQ(feedback.lastProgress, std::make_pair(20, 20));
    EXPECT_EQ(feedback.statuses.front(), "Copy \"qmk32\" to \"" + destination.string() + "\"");
    EXPECT_NE(std::find(feedback.statuses.begin(), feedback.statuses.end(),
                        "Copy \"japan.bmp\" to \"" + (destination / "demoproj/Jap").string() + "\""),
              feedback.statuses.end());

    EXPECT_EQ(options.installRecord, root / "config/qmk32/install.ini");
    ProfileFile record(options.installRecord);
    EXPECT_EQ(record.getString("Quillmark 3.0", "VERSION", ""), QMK_VERSION);
    EXPECT_EQ(record.getString("Quillmark 3.0", "PATH", ""), destination.string());
    EXPECT_TRUE(deinstallEnabled(options.installRecord));

    EXPECT_TRUE((fs::status(destination / "qmk32").permissions() & fs::perms::owner_exec) != fs::perms::none);
    EXPECT_TRUE((fs::status(destination / "ReadMe.txt").permissions() & fs::perms::owner_exec) == fs::perms::none);
    for (const fs::path& file : programGroupFiles(options.menus))
        EXPECT_TRUE(fs::exists(file)) << file;
    EXPECT_TRUE(fs::exists(root / "data/applications/lexmoor-qmk32.desktop"));
    EXPECT_TRUE(fs::exists(root / "config/menus/applications-merged/lexmoor.menu"));
}

TEST_F(SetupInstallTest, ModificationTimesAreKept)
{
    fs::last_write_time(source / "demo.rc", fileTime(946684800));  // 2000-01-01
    fs::last_write_time(source / "qmk32", fileTime(1234567890));
    install();
    EXPECT_EQ(fs::last_write_time(destination / "demoproj/demo.rc"), fileTime(946684800));
    EXPECT_EQ(fs::last_write_time(destination / "qmk32"), fileTime(1234567890));
}

TEST_F(SetupInstallTest, GzipCompressedSourcesAreExpandedUnderTheirOwnNames)
{
    const std::string readMe(100000, 'r');  // more than one chunk
    fs::remove(source / "ReadMe.txt");
    std::ofstream(source / "ReadMe._xt", std::ios::binary) << gzipped(readMe, 1000000000);
    // Both present: the compressed one is the one shipped.
    std::ofstream(source / "resource_h", std::ios::binary) << gzipped("#define IDC_X 1\n", 0);
    fs::last_write_time(source / "resource_h", fileTime(1100000000));
    // Two members joined, as `cat a.gz b.gz` makes them.
    std::ofstream(source / "french/fdemo._c", std::ios::binary) << gzipped("first ", 0) + gzipped("second", 0);

    EXPECT_EQ(install().end, InstallEnd::Complete);
    EXPECT_EQ(qmk::test::readFile(destination / "ReadMe.txt"), readMe);
    EXPECT_EQ(fs::last_write_time(destination / "ReadMe.txt"), fileTime(1000000000));
    EXPECT_EQ(qmk::test::readFile(destination / "demoproj/resource.h"), "#define IDC_X 1\n");
    EXPECT_EQ(fs::last_write_time(destination / "demoproj/resource.h"), fileTime(1100000000));
    EXPECT_EQ(qmk::test::readFile(destination / "demoproj/french/fdemo.rc"), "first second");
    EXPECT_FALSE(fs::exists(destination / "ReadMe._xt"));
}

TEST_F(SetupInstallTest, DamagedCompressedFileIsReportedAndLeavesNoPartialFile)
{
    const std::string whole = gzipped(std::string(50000, 'x'), 0);
    std::ofstream(source / "ReadMe._xt", std::ios::binary) << whole.substr(0, whole.size() / 2);
    std::ofstream(source / "usa._mp", std::ios::binary) << "not compressed at all";

    const InstallResult result = install();
    EXPECT_EQ(result.end, InstallEnd::Incomplete);
    EXPECT_EQ(result.notCopied, 2);
    EXPECT_EQ(result.copied, 18);
    EXPECT_EQ(feedback.messageTexts(),
              (std::vector<std::string>{"Error: File not found.\n" + (source / "ReadMe._xt").string(),
                                        "Error: File not found.\n" + (source / "usa._mp").string(),
                                        "Error copy files.\nNot all files could be copied. Installation not compled."}));
    EXPECT_FALSE(fs::exists(destination / "ReadMe.txt"));
    EXPECT_FALSE(fs::exists(destination / "demoproj/usa.bmp"));
    for (const auto& name : filesBelow(destination))
        EXPECT_EQ(name.find(".setup-"), std::string::npos) << name;  // no temporary left
    // The program is recorded, so Deinstall can take the part away; no menu for a broken install.
    EXPECT_TRUE(deinstallEnabled(options.installRecord));
    EXPECT_FALSE(fs::exists(root / "data/applications/lexmoor-qmk32.desktop"));
    EXPECT_FALSE(fs::exists(options.settingsFile));
}

TEST_F(SetupInstallTest, SourceThatIsNoFileIsReportedAsNotFound)
{
    fs::remove(source / "manual.md");
    fs::create_directory(source / "manual.md");
    const InstallResult result = install(true, false);
    EXPECT_EQ(result.notCopied, 1);
    ASSERT_FALSE(feedback.messages.empty());
    EXPECT_EQ(feedback.messages.front().first, "Error: File not found.\n" + (source / "manual.md").string());
}

TEST_F(SetupInstallTest, DestinationThatCannotBeCreatedStops)
{
    std::ofstream(root / "home/work") << "a file, not a folder";
    const InstallResult result = install();
    EXPECT_EQ(result.end, InstallEnd::Stopped);
    EXPECT_EQ(feedback.messageTexts(),
              std::vector<std::string>{"Cannot ceate Directory !\n" + destination.string() + "\nInstallation stoped."});
    EXPECT_EQ(result.copied, 0);
    EXPECT_FALSE(fs::exists(options.installRecord));
}

TEST_F(SetupInstallTest, ExistingFoldersAreAcceptedAndNotClaimed)
{
    fs::create_directories(destination / "demoproj/french");
    install();
    ASSERT_TRUE(fs::exists(SetupManifest::pathIn(destination)));
    const SetupManifest listed = manifest();
    EXPECT_EQ(listed.files().size(), 20u);
    const auto& folders = listed.folders();
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "demoproj/german"), 1);
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "demoproj/french"), 0);
    EXPECT_EQ(listed.createdLevels(), 0);
}

TEST_F(SetupInstallTest, DemoProjectsJoinThePersonsProjectListOnce)
{
    ProfileFile(options.settingsFile)
        .writeStrings("PROJECTFILES", {{"File0", "/work/app.rc"}, {"File2", "/work/tool.rc"}, {"File3", "/work/lib.rc"}});
    ASSERT_EQ(ReadProjectFiles(ProfileFile(options.settingsFile)).size(), 3u);

    ASSERT_EQ(install().end, InstallEnd::Complete);
    const std::vector<std::string> expected = {"/work/app.rc", (destination / "demoproj/demo.rc").string(),
                                               "/work/tool.rc", "/work/lib.rc",
                                               (destination / "demoproj/asiademo.rc").string()};
    EXPECT_EQ(ReadProjectFiles(ProfileFile(options.settingsFile)), expected);

    ASSERT_EQ(install().end, InstallEnd::Complete);
    EXPECT_EQ(ReadProjectFiles(ProfileFile(options.settingsFile)), expected);

    // A demonstration project already listed, whatever its letter case, is not listed twice.
    const std::string demoListed = (destination / "demoproj/DEMO.rc").string();
    ProfileFile(options.settingsFile).writeStrings("PROJECTFILES", {{"File1", demoListed}});
    ASSERT_EQ(install().end, InstallEnd::Complete);
    EXPECT_EQ(ReadProjectFiles(ProfileFile(options.settingsFile)).size(), 5u);
    EXPECT_EQ(ProfileFile(options.settingsFile).getString("PROJECTFILES", "File1", ""), demoListed);
}

} // namespace qmk::setup::test
