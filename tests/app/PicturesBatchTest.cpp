// /SHOTS as a build script runs it: without a display, with the exit status and the report
// naming what went wrong.
#include <gtest/gtest.h>

#include "app/CBatchCommandLineInfo.h"

namespace qmk {

TEST(PicturesCommandLineTest, ShotsTakesEveryParameterUpToTheNextOperation)
{
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("shots"), static_cast<int>(FlagCode::Shots));
    EXPECT_EQ(CBatchCommandLineInfo::FindFlag("Pictures"), static_cast<int>(FlagCode::Shots));
    CBatchCommandLineInfo cmd;
    cmd.parseArguments({"-SHOTS", "p.mdb", "source", "German", "out", "-T", "p.mdb", "German"});
    ASSERT_EQ(cmd.operations().size(), 2u);
    EXPECT_EQ(cmd.parametersOf(0), (std::vector<std::string>{"p.mdb", "source", "German", "out"}));
}

} // namespace qmk

// These tests run the real program; it is built only with the user interface.
#ifdef QMK32_EXE

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "common/TempDir.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int status = -1;
    std::string output;  // standard output and standard error together
};

class PicturesBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy(fs::path(QMK_BINARY_DIR) / "demoproj", dir / "demo", fs::copy_options::recursive);
        db = (dir / "demo" / "demo_rc.mdb").string();
    }
    // With no display at all, as on a build server.
    ProgramRun qmk32(const std::string& args)
    {
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM QMK32_INI='" +
                                    (dir / "qmk32.ini").string() + "' '" QMK32_EXE "' " + args + " 2>&1";
        ProgramRun run;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return run;
        std::array<char, 512> buffer{};
        while (fgets(buffer.data(), buffer.size(), pipe))
            run.output += buffer.data();
        const int raw = pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return run;
    }

    test::TempDir dir;
    std::string db;
};

} // namespace

TEST_F(PicturesBatchTest, PicturesAreWrittenWithoutADisplay)
{
    const auto start = std::chrono::steady_clock::now();
    const ProgramRun run = qmk32("/SHOTS '" + db + "' German '" + (dir / "shots").string() + "'");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("3 pictures of 29 texts"), std::string::npos) << run.output;
    for (const char* file : {"dialog-IDD_ABOUT.png", "dialog-IDD_OPTIONS.png", "menu-IDR_MAINMENU.png", "shots.json"})
        EXPECT_TRUE(fs::is_regular_file(dir / "shots" / file)) << file;
    RecordProperty("seconds", std::to_string(seconds));
    EXPECT_LT(seconds, 10.0);  // under 2 s when the machine is not busy building
}

TEST_F(PicturesBatchTest, MistakesEndWithTheirStatusAndSayWhat)
{
    ProgramRun run = qmk32("/SHOTS '" + db + "' German");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("/SHOTS"), std::string::npos) << run.output;
    run = qmk32("/SHOTS '" + db + "' source German French '" + (dir / "x").string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("/SHOTS"), std::string::npos) << run.output;
    run = qmk32("/SHOTS '" + db + "' Klingon '" + (dir / "x").string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("Klingon"), std::string::npos) << run.output;
    // A file where the folder should be, and a folder that cannot be written.
    const fs::path file = dir.write("taken", "x");
    run = qmk32("/SHOTS '" + db + "' German '" + file.string() + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("Can not write " + file.string()), std::string::npos) << run.output;
    fs::create_directory(dir / "locked");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    run = qmk32("/SHOTS '" + db + "' German '" + (dir / "locked").string() + "'");
    if (::geteuid() != 0) {  // root writes anywhere
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.output.find("Can not write " + (dir / "locked").string()), std::string::npos) << run.output;
    }
    fs::permissions(dir / "locked", fs::perms::owner_all);
    run = qmk32("/SHOTS '" + (dir / "none.mdb").string() + "' German '" + (dir / "x").string() + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("File not found"), std::string::npos) << run.output;
}

} // namespace qmk

#endif // QMK32_EXE
