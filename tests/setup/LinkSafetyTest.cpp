// Links in the installation folder and damaged lists: setup writes, follows and deletes nothing
// outside the folder. A decoy tree beside it is listed with its contents before and after.
#include <fstream>
#include <map>

#include "SetupFixture.h"
#include "resources/Messages.h"
#include "setup/SetupManifest.h"
#include "setup/SetupStrings.h"

namespace qmk::setup::test {

class SetupLinkSafetyTest : public SetupFixture {
protected:
    SetupLinkSafetyTest()
    {
        root.write("outside/manual.md", "the user's own manual\n");
        root.write("outside/demo/demo.rc", "the user's own demo.rc\n");
        root.write("outside/victim.txt", "keep me\n");
        fs::create_directories(outside / "emptydir");
        fs::create_directories(destination);
    }

    // Every entry below the decoy, not following links: kind, content or target, and time.
    std::map<std::string, std::string> decoy() const
    {
        std::map<std::string, std::string> listing;
        for (fs::recursive_directory_iterator it(outside), end; it != end; ++it) {
            const std::string name = it->path().lexically_relative(outside).string();
            if (it->is_symlink())
                listing[name] = "link to " + fs::read_symlink(it->path()).string();
            else if (it->is_directory())
                listing[name] = "folder";
            else
                listing[name] = qmk::test::readFile(it->path()) + " @" +
                                std::to_string(it->last_write_time().time_since_epoch().count());
        }
        return listing;
    }

    void appendToList(const std::string& lines) const
    {
        std::ofstream(SetupManifest::pathIn(destination), std::ios::app) << lines;
    }

    std::string stampOf(const fs::path& file) const
    {
        return std::to_string(fs::file_size(file)) + "\t" +
               std::to_string(fs::last_write_time(file).time_since_epoch().count()) + "\t";
    }

    bool said(std::string_view part) const
    {
        for (const std::string& text : feedback.messageTexts())
            if (text.find(part) != std::string::npos)
                return true;
        return false;
    }

    fs::path outside = root / "outside";
};

TEST_F(SetupLinkSafetyTest, ManualLinkIsRefusedNotWrittenThroughAndKept)
{
    fs::create_symlink(outside / "manual.md", destination / "manual.md");
    const auto before = decoy();

    const InstallResult result = install(true, false);
    EXPECT_EQ(result.end, InstallEnd::Incomplete);
    EXPECT_EQ(result.copied, 2);
    EXPECT_EQ(result.refused, std::vector<std::string>{(destination / "manual.md").string()});
    EXPECT_TRUE(said((destination / "manual.md").string() + " is a symbolic link"));
    EXPECT_EQ(decoy(), before);

    engine().deinstall();
    EXPECT_EQ(decoy(), before);
    EXPECT_EQ(fs::read_symlink(destination / "manual.md"), outside / "manual.md");
}

TEST_F(SetupLinkSafetyTest, DemoFolderLinkIsRefusedOnceAndNothingGoesThroughIt)
{
    fs::create_directory_symlink(outside / "demo", destination / "demoproj");
    const auto before = decoy();

    const InstallResult result = install(false, true);
    EXPECT_EQ(result.notCopied, 17);
    EXPECT_EQ(result.refused, std::vector<std::string>{(destination / "demoproj").string()});
    EXPECT_TRUE(feedback.demoQuestions.empty());  // the user's demo.rc out there is not "the demo project"
    EXPECT_EQ(decoy(), before);

    engine().deinstall(destination);
    EXPECT_EQ(decoy(), before);
    EXPECT_TRUE(fs::is_symlink(destination / "demoproj"));
}

TEST_F(SetupLinkSafetyTest, InstalledThingsMovedAwayAndReplacedByLinksStayAtTheirNewPlace)
{
    ASSERT_EQ(install().end, InstallEnd::Complete);
    // The files keep their sizes and times, so the list's stamps still match them.
    fs::rename(destination / "demoproj", outside / "moved-demo");
    fs::create_directory_symlink(outside / "moved-demo", destination / "demoproj");
    fs::rename(destination / "ReadMe.txt", outside / "ReadMe.txt");
    fs::create_symlink(outside / "ReadMe.txt", destination / "ReadMe.txt");
    const auto before = decoy();
    feedback = {};

    const DeinstallResult result = engine().deinstall();
    EXPECT_EQ(decoy(), before);
    EXPECT_EQ(result.removedFiles, 2);  // qmk32 and manual.md
    EXPECT_TRUE(fs::is_symlink(destination / "demoproj"));
    EXPECT_TRUE(fs::is_symlink(destination / "ReadMe.txt"));
    EXPECT_EQ(result.refused, (std::vector<std::string>{(destination / "ReadMe.txt").string() + " (a symbolic link)",
                                                        (destination / "demoproj").string() + " (a symbolic link)"}));
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_EQ(feedback.messages[0].second, Icon::Exclamation);
    EXPECT_TRUE(said("Setup left these alone and removed nothing through them:\n" + result.refused[0]));
}

TEST_F(SetupLinkSafetyTest, ListEntriesOutsideTheFolderOrThroughALinkAreIgnoredAndReported)
{
    install(true, false);
    fs::create_directory_symlink(outside, destination / "link");
    const std::string victim = stampOf(outside / "victim.txt");
    appendToList("folder\t" + (destination / "../../../outside/emptydir").string() + "\n" +
                 "folder\t" + (outside / "emptydir").string() + "\n" +
                 "folder\t../outside/emptydir\n"
                 "folder\tlink\n"
                 "file\t" + victim + (destination / "link/victim.txt").string() + "\n" +
                 "file\t" + victim + (outside / "victim.txt").string() + "\n" +
                 "file\t" + victim + "../../../outside/victim.txt\n");
    const auto before = decoy();

    const DeinstallResult result = engine().deinstall();
    EXPECT_EQ(decoy(), before);
    EXPECT_TRUE(fs::is_symlink(destination / "link"));
    const auto outsideLines = std::count_if(result.refused.begin(), result.refused.end(), [](const std::string& what) {
        return what.ends_with("(outside the installation folder)");
    });
    EXPECT_EQ(outsideLines, 5);
    EXPECT_NE(std::find(result.refused.begin(), result.refused.end(),
                        (destination / "link").string() + " (a symbolic link)"),
              result.refused.end());
    EXPECT_EQ(result.removedFiles, 3);
}

TEST_F(SetupLinkSafetyTest, ReinstallDropsEntriesOutsideTheFolderFromTheList)
{
    install(true, false);
    appendToList("folder\t" + outside.string() + "\n");
    feedback = {};
    install(true, false);
    EXPECT_TRUE(said("names places outside the folder; they were ignored:\n" + outside.string()));
    EXPECT_TRUE(manifest().refusedLines().empty());
    EXPECT_EQ(manifest().files().size(), 3u);
}

TEST_F(SetupLinkSafetyTest, ListThatIsALinkIsNeitherReadNorReplaced)
{
    std::ofstream(outside / "list") << "file\t" << (outside / "victim.txt").string() << "\n";
    fs::create_symlink(outside / "list", SetupManifest::pathIn(destination));
    const auto before = decoy();
    const InstallResult result = install(true, false);
    EXPECT_EQ(result.end, InstallEnd::Stopped);
    EXPECT_EQ(feedback.messageTexts(), std::vector<std::string>{fillPlaceholders(strings::LinkInTheWay,
                                                                                {SetupManifest::pathIn(destination).string()})});
    EXPECT_EQ(filesBelow(destination), std::vector<std::string>{SetupManifest::kFileName});  // nothing it could not list
    engine().deinstall(destination);
    EXPECT_EQ(decoy(), before);
    EXPECT_TRUE(fs::is_symlink(SetupManifest::pathIn(destination)));
}

TEST_F(SetupLinkSafetyTest, DamagedSourceOnReinstallLeavesTheGoodFileInPlace)
{
    install(true, false);
    const std::string whole = gzipped(std::string(50000, 'x'), 0);
    std::ofstream(source / "ReadMe._xt", std::ios::binary) << whole.substr(0, whole.size() / 2);
    EXPECT_EQ(install(true, false).end, InstallEnd::Incomplete);
    EXPECT_EQ(qmk::test::readFile(destination / "ReadMe.txt"), standInContent("ReadMe.txt"));
    EXPECT_EQ(filesBelow(destination), (std::vector<std::string>{".qmk32-setup-manifest", "ReadMe.txt", "manual.md", "qmk32"}));
}

} // namespace qmk::setup::test
