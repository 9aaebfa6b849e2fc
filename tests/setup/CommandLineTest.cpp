// qmk32-setup's command line, run in the test process: what it accepts, what it prints and
// the exit status of installs, deinstalls and refusals.
#include <fstream>
#include <sstream>

#include "SetupFixture.h"
#include "setup/InstallRecord.h"
#include "setup/SetupCommandLine.h"

namespace qmk::setup::test {

using Action = SetupCommand::Action;

class SetupCommandLineTest : public SetupFixture {
protected:
    int run(const std::vector<std::string_view>& arguments)
    {
        out.str({});
        err.str({});
        return runSetupCommand(parseSetupCommand(arguments), options, out, err);
    }
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(SetupCommandLineTest, ReadsEachFormAndTellsWhatIsWrong)
{
    const SetupCommand both = parseSetupCommand({"--install", "/srv/qmk32"});
    EXPECT_EQ(both.action, Action::Install);
    EXPECT_EQ(both.folder, "/srv/qmk32");
    EXPECT_TRUE(both.program && both.demo && !both.overwriteDemo);
    const SetupCommand demoOnly = parseSetupCommand({"--demo", "--install", "/srv/qmk32", "--overwrite-demo"});
    EXPECT_TRUE(!demoOnly.program && demoOnly.demo && demoOnly.overwriteDemo);
    EXPECT_EQ(parseSetupCommand({"--deinstall", "/srv/qmk32"}).action, Action::Deinstall);
    EXPECT_EQ(parseSetupCommand({}).action, Action::Window);

    const std::vector<std::pair<std::vector<std::string_view>, std::string>> wrong{
        {{"--install"}, "--install needs the installation folder"},
        {{"--install", "qmk32"}, "absolute path without blanks: 'qmk32'"},
        {{"--install", "/my work"}, "absolute path without blanks"},
        {{"--deinstall", "qmk32"}, "absolute path: 'qmk32'"},
        {{"--demo"}, "go with --install"},
        {{"--deinstall", "/srv/q", "--program"}, "go with --install"},
        {{"--install", "/srv/a", "--deinstall", "/srv/b"}, "one of --install and --deinstall"},
        {{"--force"}, "unknown argument '--force'"},
    };
    for (const auto& [arguments, problem] : wrong) {
        EXPECT_EQ(run(arguments), kSetupUsage) << problem;
        EXPECT_NE(err.str().find(problem), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("Usage: qmk32-setup"), std::string::npos);
    }
    EXPECT_EQ(run({"--help"}), kSetupDone);
    EXPECT_EQ(out.str().rfind("Usage: qmk32-setup", 0), 0u);
}

TEST_F(SetupCommandLineTest, InstallThenDeinstallPrintsEachStep)
{
    EXPECT_EQ(run({"--install", destination.c_str()}), kSetupDone) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_NE(out.str().find("Copy \"qmk32\" to \"" + destination.string() + "\"\n"), std::string::npos);
    EXPECT_NE(out.str().find("The Lexmoor Quillmark  is complete installed.\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(destination / "demoproj/Kor/korea.bmp"));
    EXPECT_TRUE(deinstallEnabled(options.installRecord));

    EXPECT_EQ(run({"--deinstall", destination.c_str()}), kSetupDone) << err.str();
    EXPECT_NE(out.str().find("Delete File " + (destination / "qmk32").string() + ".\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(root / "home/work"));
    EXPECT_FALSE(deinstallEnabled(options.installRecord));
}

TEST_F(SetupCommandLineTest, RefusalsAndFailuresExitWithOne)
{
    fs::create_directories(destination);
    fs::create_symlink(root / "elsewhere.md", destination / "manual.md");
    EXPECT_EQ(run({"--install", destination.c_str(), "--program"}), kSetupFailed);
    EXPECT_NE(err.str().find((destination / "manual.md").string() + " is a symbolic link."), std::string::npos);
    EXPECT_FALSE(fs::exists(root / "elsewhere.md"));

    // Another folder than the recorded installation is not touched.
    EXPECT_EQ(run({"--deinstall", (root / "home").c_str()}), kSetupFailed);
    EXPECT_NE(err.str().find("Quillmark is installed in " + destination.string()), std::string::npos);
    EXPECT_TRUE(fs::exists(destination / "qmk32"));

    // A missing file is not asked for: the install stops.
    fs::remove(source / "Kor/korea.bmp");
    EXPECT_EQ(run({"--install", (root / "other").c_str(), "--demo"}), kSetupFailed);
    EXPECT_NE(err.str().find("File 'Kor/korea.bmp' was not found in " + source.string()), std::string::npos);
}

TEST_F(SetupCommandLineTest, ChangedDemoIsKeptUnlessOverwriteIsAsked)
{
    ASSERT_EQ(run({"--install", destination.c_str(), "--demo"}), kSetupDone);
    std::ofstream(destination / "demoproj/demo.rc", std::ios::app) << "// mine";
    const std::string mine = standInContent("demo.rc") + "// mine";

    EXPECT_EQ(run({"--install", destination.c_str(), "--demo"}), kSetupDone);
    EXPECT_NE(out.str().find("Keeping the changed demo project (--overwrite-demo replaces it).\n"), std::string::npos);
    EXPECT_EQ(qmk::test::readFile(destination / "demoproj/demo.rc"), mine);

    EXPECT_EQ(run({"--install", destination.c_str(), "--demo", "--overwrite-demo"}), kSetupDone);
    EXPECT_EQ(qmk::test::readFile(destination / "demoproj/demo.rc"), standInContent("demo.rc"));

    // Only the demo projects are there, so no installation is recorded: the folder's list says what goes.
    EXPECT_EQ(run({"--deinstall", destination.c_str()}), kSetupDone) << err.str();
    EXPECT_FALSE(fs::exists(destination));
    EXPECT_EQ(run({"--deinstall", destination.c_str()}), kSetupFailed);
    EXPECT_NE(err.str().find("Setup has installed nothing in " + destination.string()), std::string::npos);
}

} // namespace qmk::setup::test
