// Every file this program replaces goes through one routine: the target changes in one
// rename or not at all, a temporary name held by someone else is never touched, and the
// target keeps its permissions and its symbolic link.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "common/TempDir.h"
#include "resources/FileNames.h"
#include "resources/ReplacementFile.h"

namespace qmk {
namespace {

unsigned modeOf(const std::filesystem::path& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(ReplacementFileTest, ReplacesInOneStepKeepingPermissionsAndLinks)
{
    test::TempDir dir;
    const std::filesystem::path target = dir.write("settings.ini", "old");
    ::chmod(target.c_str(), 0600);
    std::filesystem::create_symlink(target, dir / "link.ini");

    // A name the routine would take first belongs to another file: it is skipped, not replaced.
    const std::filesystem::path taken = temporaryBeside(target, "tmp", 0);
    dir.write(taken.filename().string(), "someone else's");

    ReplacementFile file(dir / "link.ini");
    ASSERT_TRUE(file.create());
    EXPECT_NE(file.temporaryPath(), taken);
    ASSERT_TRUE(file.write("new "));
    ASSERT_TRUE(file.write("text"));
    EXPECT_EQ(test::readFile(target), "old");  // nothing changes before the commit
    ASSERT_TRUE(file.commit());

    EXPECT_EQ(test::readFile(target), "new text");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
    EXPECT_EQ(modeOf(target), 0600u);
    EXPECT_EQ(test::readFile(taken), "someone else's");
}

TEST(ReplacementFileTest, NothingButARegularFileIsReplaced)
{
    // A device given as a settings file stays a device, also through a link.
    test::TempDir dir;
    std::filesystem::create_symlink("/dev/null", dir / "settings.ini");
    for (const std::filesystem::path& target : {std::filesystem::path("/dev/null"), dir / "settings.ini"}) {
        ReplacementFile file(target);
        EXPECT_FALSE(file.create()) << target;
        EXPECT_NE(file.errorDetail().find("not a regular file"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
}

TEST(ReplacementFileTest, ADiscardedOrFailedReplacementLeavesTheTargetAndNoTemporary)
{
    test::TempDir dir;
    const std::filesystem::path target = dir.write("book.xlsx", "old");
    {
        ReplacementFile file(target, ReplacementOptions{.tag = "tmp", .hidden = true});
        ASSERT_TRUE(file.create());
        EXPECT_EQ(file.temporaryPath().filename().string().rfind(".book.xlsx.tmp-", 0), 0u);
        ASSERT_TRUE(file.write("half"));
    }  // dropped without a commit
    EXPECT_EQ(test::readFile(target), "old");

    // A folder in the target's place is not replaced by a file: the failure is reported.
    const std::filesystem::path folder = dir / "folder";  // the target's name, taken by a folder
    std::filesystem::create_directories(folder / "inside");
    ReplacementFile file(folder);
    EXPECT_FALSE(file.create());
    EXPECT_NE(file.errorDetail().find("not a regular file"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

} // namespace
} // namespace qmk
