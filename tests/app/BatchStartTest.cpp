#include <gtest/gtest.h>

// These tests run the real program; it is built only with the user interface.
#ifdef QMK32_EXE

#include <array>
#include <cstdio>
#include <sys/wait.h>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/TempDir.h"

namespace qmk {
namespace {

struct ProcessResult {
    int status;
    std::string output;  // standard output and standard error together
};

ProcessResult runQmk32(const std::string& args, const std::string& ini)
{
    std::string command = "QMK32_INI='" + ini + "' '" QMK32_EXE "' " + args + " 2>&1";
    ProcessResult result{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe))
        result.output += buffer.data();
    int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

} // namespace

TEST(BatchStartTest, UnknownFlagInBatchModeStopsBeforeAnyOperation)
{
    test::TempDir dir;
    auto r = runQmk32("a.rc -T 1031 out.txt -X", (dir / "qmk32.ini").string());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.output, "Unknow command flag 'X'\n");
}

TEST(BatchStartTest, ReservedIncludeExtensionEndsTheStartWithMessage570)
{
    test::TempDir dir;
    auto ini = dir.write("qmk32.ini", "[RCINCLUDE_EXT]\nRCINCLUDE_FILES_EXT=DLG, h\n");
    auto r = runQmk32("-LIDS out.txt", ini.string());
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(r.output, "Read include extensions from INI file.\n.H  \nWrong extension(s).\n");
}

TEST(BatchStartTest, BatchModeNeedsNoDisplayAndSaysNothingButItsReports)
{
    test::TempDir dir;
    auto rc = dir.write("app.rc", "STRINGTABLE\nBEGIN\n 1 \"One\"\nEND\n#include \"gone.dlg\"\n");
    auto r = runQmk32("-C '" + rc.string() + "' -LOG '" + (dir / "run.log").string() + "'",
                      (dir / "qmk32.ini").string() + "' DISPLAY='' WAYLAND_DISPLAY='");
    EXPECT_EQ(r.status, 0);
    const std::string expected = "QMK: Create database file.\nQMK: Create database file " + (dir / "app_rc.mdb").string() +
                                 " successful for resource file " + rc.string() + ".\n";
    EXPECT_EQ(r.output, expected);
    EXPECT_EQ(test::readFile(dir / "run.log"), expected);
}

TEST(BatchStartTest, WithoutADisplayTheWindowSaysSoAndAnUnknownFirstFlagIsAUsageError)
{
    test::TempDir dir;
    const std::string noDisplay = (dir / "qmk32.ini").string() + "' DISPLAY='' WAYLAND_DISPLAY='' QT_QPA_PLATFORM='";
    const auto window = runQmk32("'" + dir.write("app.rc", "STRINGTABLE\nBEGIN\n 1 \"One\"\nEND\n").string() + "'",
                                 noDisplay);
    EXPECT_EQ(window.status, 2);
    EXPECT_NE(window.output.find("needs a display"), std::string::npos) << window.output;
    const auto bogus = runQmk32("/BOGUS x.mdb", noDisplay);
    EXPECT_EQ(bogus.status, 2);
    EXPECT_NE(bogus.output.find("BOGUS"), std::string::npos) << bogus.output;
    const auto usage = runQmk32("--usage", noDisplay);
    EXPECT_EQ(usage.status, 0);
    EXPECT_NE(usage.output.find("Usage: qmk32"), std::string::npos);
}

TEST(BatchStartTest, HelpListsEveryOperationAndSucceeds)
{
    test::TempDir dir;
    auto r = runQmk32("--help", (dir / "qmk32.ini").string());
    EXPECT_EQ(r.status, 0);
    for (const char* usage : {"/T  <filename.mdb>", "/D  <dbfilename.mdb>", "/L  <filename.mdb>", "/E  <src_dbfilename.mdb>",
                              "/I  <from_dbfilename.mdb>", "/C  <resfilename.rc>", "/U  <dbfilename.mdb>",
                              "/A  <dbfilename.mdb>", "/RC  <dbfilename.mdb>", "/LIDS  <out_filename>"})
        EXPECT_NE(r.output.find(usage), std::string::npos) << usage;
}

TEST(BatchRunnerTest, MissingParametersAndUnknownCodesAreUsageErrorsAndTheRunGoesOn)
{
    CBatchCommandLineInfo cmd;
    cmd.parseArguments({"-A", "x.mdb", "-", "-L", "x.mdb", "German"});
    BatchRunner runner;
    std::vector<std::string> seen;
    runner.setOperation(FlagCode::HasLanguage, [&](const std::vector<std::string>& p, BatchReport&) {
        seen = p;
        return BatchStatus::CheckAnsweredNo;
    });
    std::ostringstream out, err;
    BatchReport report(out, err, "");
    EXPECT_EQ(runner.run(cmd, report), BatchStatus::UsageError);
    EXPECT_EQ(err.str(), "Error:  Missing parameter.\nQMK Error:  Unknown Flag / !\n");
    EXPECT_EQ(seen, (std::vector<std::string>{"x.mdb", "German"}));
}

TEST(BatchRunnerTest, ReportsGoToTheLogFileToo)
{
    test::TempDir dir;
    std::ostringstream out, err;
    {
        BatchReport report(out, err, (dir / "run.log").string());
        report.line("QMK: Create database file.");
        report.error("QMK Error:  Command failed !");
    }
    EXPECT_EQ(out.str(), "QMK: Create database file.\n");
    EXPECT_EQ(test::readFile(dir / "run.log"), "QMK: Create database file.\nQMK Error:  Command failed !\n");
}

} // namespace qmk

#endif // QMK32_EXE
