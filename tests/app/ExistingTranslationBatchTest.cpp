// /A never makes a translation made by hand the output of a new translation: the real program
// refuses it, leaves it untouched and says how to import it; /RC keeps it before replacing it.
#include <gtest/gtest.h>

// These tests run the real program; it is built only with the user interface.
#ifdef QMK32_EXE

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

#include "common/TempDir.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int status;
    std::string output;  // standard output and standard error together
};

ProgramRun qmk32(const test::TempDir& dir, const std::string& args)
{
    const std::string command =
        "cd '" + dir.path().string() + "' && QMK32_INI='" + (dir / "qmk32.ini").string() + "' '" QMK32_EXE "' " + args + " 2>&1";
    ProgramRun run{-1, ""};
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

constexpr char kScript[] = "STRINGTABLE\r\nBEGIN\r\n IDS_OPEN \"Open\"\r\n IDS_SAVE \"Save\"\r\nEND\r\n";
constexpr char kHumanGerman[] =
    "// Deutsche Übersetzung, von Hand gepflegt\r\nSTRINGTABLE\r\nBEGIN\r\n IDS_OPEN \"Öffnen\"\r\n"
    " IDS_SAVE \"Speichern\"\r\nEND\r\n";

} // namespace

TEST(ExistingTranslationBatchTest, AddLangOntoAHumanTranslationFailsNamingItAndLeavesItUntouched)
{
    test::TempDir dir;
    dir.write("app.rc", kScript);
    const fs::path human = dir.write("de.rc", kHumanGerman);
    const auto written = fs::last_write_time(human);
    ASSERT_EQ(qmk32(dir, "-C app.rc").status, 0);

    const ProgramRun add = qmk32(dir, "-A app_rc.mdb German de.rc");
    EXPECT_EQ(add.status, 1) << add.output;
    EXPECT_NE(add.output.find(human.string()), std::string::npos) << add.output;
    EXPECT_NE(add.output.find("/I  " + human.string() + "  German  app_rc.mdb"), std::string::npos) << add.output;
    EXPECT_EQ(add.output.find("successful"), std::string::npos) << add.output;
    EXPECT_EQ(test::readFile(human), kHumanGerman);
    EXPECT_EQ(fs::last_write_time(human), written);
    EXPECT_EQ(qmk32(dir, "-L app_rc.mdb German").status, 3);  // not added

    // The import it names takes the texts; writing over the file then keeps it as de.rc.bak.
    const ProgramRun import = qmk32(dir, "-I de.rc German app_rc.mdb");
    ASSERT_EQ(import.status, 0) << import.output;
    ASSERT_EQ(qmk32(dir, "-RC app_rc.mdb German de.rc").status, 0);
    EXPECT_EQ(test::readFile(dir / "de.rc.bak"), kHumanGerman);
    EXPECT_NE(test::readFile(human).find("Speichern"), std::string::npos);
    // Its own script is replaced without another copy.
    ASSERT_EQ(qmk32(dir, "-RC app_rc.mdb German de.rc").status, 0);
    EXPECT_FALSE(fs::exists(dir / "de.rc.2.bak"));
    EXPECT_EQ(test::readFile(dir / "de.rc.bak"), kHumanGerman);
}

TEST(ExistingTranslationBatchTest, AddLangTakesAScriptWrittenForThisSourceAndANewName)
{
    test::TempDir dir;
    dir.write("app.rc", kScript);
    ASSERT_EQ(qmk32(dir, "-C app.rc").status, 0);
    ASSERT_EQ(qmk32(dir, "-A app_rc.mdb French fr.rc -RC app_rc.mdb French fr.rc").status, 0);
    // A script this program wrote for app.rc (here by another copy of the project) is taken.
    fs::copy_file(dir / "fr.rc", dir / "fr-copy.rc");
    const ProgramRun fromCopy = qmk32(dir, "-A app_rc.mdb Italian fr-copy.rc");
    EXPECT_EQ(fromCopy.status, 0) << fromCopy.output;
    EXPECT_EQ(qmk32(dir, "-A app_rc.mdb Russian ru.rc").status, 0);
}

} // namespace qmk

#endif
