// Mistakes a user makes on the command line never harm a file the operation was not asked to
// write: every case compares the whole folder before and after, byte for byte and kind by kind.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <sstream>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/TempDir.h"
#include "database/SqliteDatabase.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

// Every entry of the folder: its kind, where a link points, and a regular file's bytes.
std::map<std::string, std::string> snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(e.path(), folder).string();
        if (e.is_symlink())
            entries[name] = "link to " + fs::read_symlink(e.path()).string();
        else if (e.is_regular_file())
            entries[name] = test::readFile(e.path());
        else
            entries[name] = e.is_directory() ? "folder" : "special";
    }
    return entries;
}

// A process id that no process has now.
long deadProcessId()
{
    for (long pid = 4000000; pid > 1000; --pid)
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            return pid;
    return 0;
}

class HarmlessBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.write("app.rc", "#include \"about.dlg\"\nSTRINGTABLE\nBEGIN\n  1 \"One\"\nEND\n");
        dir.write("about.dlg", "STRINGTABLE\nBEGIN\n  2 \"Two\"\nEND\n");
        ASSERT_EQ(run({"-C", path("app.rc"), "-A", db, "German", path("app-German.rc"), "-A", db, "French",
                       path("app-French.rc"), "-RC", db, "French", path("app-French.rc")}),
                  BatchStatus::Success)
            << err.str();
    }

    BatchStatus run(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        CBatchCommandLineInfo cmd;
        cmd.parseArguments(args);
        BatchReport report(out, err, "");
        return BatchRunner({".DLG"}).run(cmd, report);
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    // Runs a command that must fail and change nothing.
    void expectRefusedUnharmed(const std::vector<std::string>& args, const std::string& said)
    {
        const auto before = snapshot(dir.path());
        EXPECT_EQ(run(args), BatchStatus::Failed) << args[0] << " " << args.back();
        EXPECT_NE(err.str().find(said), std::string::npos) << err.str();
        const auto after = snapshot(dir.path());
        for (const auto& [name, content] : after)
            EXPECT_TRUE(before.count(name) && before.at(name) == content) << name << " changed or appeared";
        for (const auto& [name, content] : before)
            EXPECT_TRUE(after.count(name)) << name << " disappeared";
    }

    test::TempDir dir;
    std::string db = path("app_rc.mdb");
    std::ostringstream out, err;
};

} // namespace

TEST_F(HarmlessBatchTest, ATranslationIsNeverWrittenOverTheFilesOfTheProject)
{
    expectRefusedUnharmed({"-RC", db, "German", db}, "is the project database");
    expectRefusedUnharmed({"-RC", db, "German", path("app.rc")}, "is the source resource file");
    expectRefusedUnharmed({"-RC", db, "German", path("about.dlg")}, "the file about.dlg that the source");
    expectRefusedUnharmed({"-RC", db, "German", path("app-French.rc")}, "the translated resource file of French");
    fs::create_directory(dir / "folder.rc");
    expectRefusedUnharmed({"-RC", db, "German", path("folder.rc")}, "is a folder");
    ASSERT_EQ(::mkfifo(path("pipe.rc").c_str(), 0600), 0);
    expectRefusedUnharmed({"-RC", db, "German", path("pipe.rc")}, "not a regular file");
    fs::create_symlink("/dev/null", dir / "device.rc");  // a link to a device node
    expectRefusedUnharmed({"-RC", db, "German", path("device.rc")}, "not a regular file");
}

TEST_F(HarmlessBatchTest, ALinkIsFollowedAndStaysALink)
{
    fs::create_directory(dir / "out");
    dir.write("out/real-German.rc", "old text");
    fs::create_symlink("out/real-German.rc", dir / "app-German.rc");
    ASSERT_EQ(run({"-RC", db, "German", path("app-German.rc")}), BatchStatus::Success) << err.str();
    EXPECT_TRUE(fs::is_symlink(dir / "app-German.rc"));
    EXPECT_NE(test::readFile(dir / "out" / "real-German.rc").find("STRINGTABLE"), std::string::npos);
}

TEST_F(HarmlessBatchTest, AnExportReplacesOnlyAnEarlierExportOfTheSameProject)
{
    dir.write("other.rc", "STRINGTABLE\nBEGIN\n  1 \"Other\"\nEND\n");
    ASSERT_EQ(run({"-C", path("other.rc")}), BatchStatus::Success);
    expectRefusedUnharmed({"-E", db, path("other_rc.mdb"), "German"}, "is the project database of");
    dir.write("notes.mdb", "my notes");
    expectRefusedUnharmed({"-E", db, path("notes.mdb"), "German"}, "is not a project database");

    ASSERT_EQ(run({"-E", db, path("export_rc.mdb"), "German"}), BatchStatus::Success) << err.str();
    ASSERT_EQ(run({"-E", db, path("export_rc.mdb"), "French"}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("Replaced the earlier export of this project"), std::string::npos) << out.str();
}

TEST_F(HarmlessBatchTest, InputsThatAreNoRegularFilesAreRefusedWithoutBlocking)
{
    fs::create_directory(dir / "folder.rc");
    expectRefusedUnharmed({"-C", path("folder.rc")}, "it is a folder");
    ASSERT_EQ(::mkfifo(path("pipe.rc").c_str(), 0600), 0);
    expectRefusedUnharmed({"-C", path("pipe.rc")}, "not a regular file");
    fs::create_symlink("/dev/zero", dir / "zero.rc");
    expectRefusedUnharmed({"-C", path("zero.rc")}, "not a regular file");
    EXPECT_EQ(run({"-C", "/dev/null"}), BatchStatus::Failed);
    EXPECT_FALSE(fs::exists("/dev/null_.mdb"));
    // A folder where the project database would go is no project that "already exists".
    dir.write("new.rc", "STRINGTABLE\nBEGIN\n  1 \"x\"\nEND\n");
    fs::create_directory(dir / "new_rc.mdb");
    expectRefusedUnharmed({"-C", path("new.rc")}, "not a QMK database");
}

TEST_F(HarmlessBatchTest, AnIncludeBombStopsNamingTheFileAndLeavesNothing)
{
    for (int level = 0; level < 25; ++level)
        dir.write("bomb" + std::to_string(level) + ".dlg",
                  level == 24 ? std::string("STRINGTABLE\nBEGIN\n  1 \"x\"\nEND\n")
                              : "#include \"bomb" + std::to_string(level + 1) + ".dlg\"\n#include \"bomb" +
                                    std::to_string(level + 1) + ".dlg\"\n");
    dir.write("bomb.rc", "#include \"bomb0.dlg\"\n");
    expectRefusedUnharmed({"-C", path("bomb.rc")}, "repeat themselves beyond any real project");
}

TEST_F(HarmlessBatchTest, TemporariesOfDeadRunsAreRemovedAndNoneAreLeft)
{
    const long dead = deadProcessId();
    ASSERT_NE(dead, 0);
    const std::string suffix = "-" + std::to_string(dead) + "-0";
    dir.write("app-German.rc.qmk" + suffix, "half a script");
    dir.write("new_rc.mdb.building" + suffix, "half a database");
    dir.write("new.rc", "STRINGTABLE\nBEGIN\n  1 \"x\"\nEND\n");
    ASSERT_EQ(run({"-RC", db, "German", path("app-German.rc"), "-C", path("new.rc")}), BatchStatus::Success)
        << err.str();
    for (const auto& [name, content] : snapshot(dir.path())) {
        EXPECT_EQ(name.find(".qmk-"), std::string::npos) << name;
        EXPECT_EQ(name.find(".building-"), std::string::npos) << name;
    }
    // A temporary of a living process (this one) stays.
    const std::string mine = "app-German.rc.qmk-" + std::to_string(::getpid()) + "-7";
    dir.write(mine, "in use");
    ASSERT_EQ(run({"-RC", db, "German", path("app-German.rc")}), BatchStatus::Success);
    EXPECT_TRUE(fs::exists(dir / mine));
}

TEST_F(HarmlessBatchTest, AnImportFromADatabaseOfNoKnownFormatSaysSo)
{
    ASSERT_EQ(run({"-E", db, path("export_rc.mdb"), "German"}), BatchStatus::Success);
    {
        SqliteDatabase raw;  // as a newer program would leave it
        raw.open(dir / "export_rc.mdb");
        raw.execute("UPDATE Project SET FileVersion = 99");
    }
    expectRefusedUnharmed({"-I", path("export_rc.mdb"), "German", db}, "format version");
}

} // namespace qmk
