// /CHECK, /PSEUDO and /STAT as a build script runs them on the demonstration project: the shipped
// German is clean, a German with one planted fault of each kind reports exactly those at the
// lines of their items, a pseudo-translation is one run, and the statistics add up.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/TempDir.h"
#include "project/TextCodec.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

struct BatchRun {
    BatchStatus status;
    std::string out;
};

class BatchCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const fs::path demo = fs::path(QMK_SOURCE_DIR) / "demo";
        fs::copy(demo, dir.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        ASSERT_EQ(run({"/C", path("demo.rc")}).status, BatchStatus::Success);
        ASSERT_EQ(run({"/A", database(), "German", "german/gdemo.rc"}).status, BatchStatus::Success);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    std::string database() const { return path("demo_rc.mdb"); }
    BatchRun run(const std::vector<std::string>& args)
    {
        CBatchCommandLineInfo cmd;
        cmd.parseArguments(args);
        std::ostringstream out, err;
        BatchReport report(out, err, "");
        const BatchStatus status = BatchRunner({".DLG"}).run(cmd, report);
        return BatchRun{status, out.str() + err.str()};
    }
    // The physical line of the first line of demo.rc that holds `text`.
    int demoLine(const std::string& text) const
    {
        std::ifstream in(dir / "demo.rc");
        std::string line;
        for (int number = 1; std::getline(in, line); ++number)
            if (line.find(text) != std::string::npos)
                return number;
        return 0;
    }
    // The compiler-style lines of a report.
    static std::vector<std::string> findingLines(const std::string& out)
    {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            if (line.find(": warning: [") != std::string::npos || line.find(": note: [") != std::string::npos)
                lines.push_back(line);
        return lines;
    }

    test::TempDir dir;
};

TEST_F(BatchCheckTest, TheDemonstrationGermanHasNoFindings)
{
    ASSERT_EQ(run({"/I", path("german/gdemo.rc"), "German", database()}).status, BatchStatus::Success);
    const BatchRun check = run({"/CHECK", database(), "German"});
    EXPECT_EQ(check.status, BatchStatus::Success) << check.out;
    EXPECT_TRUE(findingLines(check.out).empty()) << check.out;
}

TEST_F(BatchCheckTest, FivePlantedFaultsAreReportedAtTheirLinesAndNothingElse)
{
    // The shipped German with one fault of each kind a translator makes by hand.
    const std::string original = test::readFile(dir / "german/gdemo.rc");
    std::string faulty = original;
    auto plant = [&faulty](const std::string& from, const std::string& to) {
        const std::string from1252 = encodeFromUtf8(from, 1252).bytes;
        ASSERT_NE(faulty.find(from1252), std::string::npos) << from;
        faulty.replace(faulty.find(from1252), from1252.size(), encodeFromUtf8(to, 1252).bytes);
    };
    plant("\"Änderungen an %1 speichern?\"", "\"Änderungen speichern?\"");
    plant("\"&Kopieren\\tStrg+C\"", "\"Kopieren\\tStrg+C\"");
    plant("\"&Speichern\\tStrg+S\"", "\"&Speichern\"");
    plant("\"Zeile eins\\nZeile zwei\"", "\"Zeile eins\\NZeile zwei\"");
    plant("\"&Info über Demo Writer...\"", "\"&Info über Demo Writer\"");
    std::ofstream(dir / "german/gdemo-faults.rc", std::ios::binary) << faulty;

    const BatchRun import = run({"/I", path("german/gdemo-faults.rc"), "German", database()});
    EXPECT_EQ(import.status, BatchStatus::Success) << import.out;
    EXPECT_EQ(findingLines(import.out).size(), 5u) << import.out;  // the import lists them too

    const BatchRun check = run({"/CHECK", database(), "German"});
    EXPECT_EQ(check.status, BatchStatus::CheckAnsweredNo) << check.out;
    const std::string script = path("demo.rc");
    auto at = [&](const std::string& sourceText) { return script + ":" + std::to_string(demoLine(sourceText)) + ": warning: ["; };
    const std::vector<std::string> lines = findingLines(check.out);
    ASSERT_EQ(lines.size(), 5u) << check.out;
    EXPECT_EQ(lines[0].rfind(at("\"&Save\\tCtrl+S\"") + "accelerator] IDR_MAINMENU ID_FILE_SAVE: ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind(at("\"&Copy\\tCtrl+C\"") + "mnemonic] IDR_MAINMENU ID_EDIT_COPY: ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind(at("\"&About Demo Writer...\"") + "punctuation] IDR_MAINMENU ID_HELP_ABOUT: ", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind(at("IDS_SAVE_CHANGES") + "placeholder] STRINGTABLE IDS_SAVE_CHANGES: ", 0), 0u) << lines[3];
    EXPECT_EQ(lines[4].rfind(at("IDS_QUOTED") + "escape] STRINGTABLE IDS_QUOTED: unknown escape \\N", 0), 0u) << lines[4];
}

TEST_F(BatchCheckTest, PseudoFillsTheUntranslatedTextsAndStatisticsCountThem)
{
    const BatchRun before = run({"/STAT", database(), path("before.json")});
    ASSERT_EQ(before.status, BatchStatus::Success) << before.out;
    const std::string json = test::readFile(dir / "before.json");
    // A new translation: nothing translated but the version block name it starts with.
    const std::regex counts(R"re("language": "German", "items": (\d+), "words": (\d+),\s*"translated": \{"items": (\d+), "words": (\d+)\}, "flagged": \{"items": 0, "words": 0\}, "untranslated": \{"items": (\d+), "words": (\d+)\})re");
    std::smatch german;
    ASSERT_TRUE(std::regex_search(json, german, counts)) << json;
    EXPECT_LE(std::stoi(german[3]), 1);
    EXPECT_EQ(std::stoi(german[1]), std::stoi(german[3]) + std::stoi(german[5]));
    EXPECT_EQ(std::stoi(german[2]), std::stoi(german[4]) + std::stoi(german[6]));
    EXPECT_NE(json.find("\"source\": {\"items\": " + german[1].str() + ", \"words\": " + german[2].str() + "}"),
              std::string::npos);

    const BatchRun pseudo = run({"/PSEUDO", database(), "German"});
    ASSERT_EQ(pseudo.status, BatchStatus::Success) << pseudo.out;
    const BatchRun after = run({"/STAT", database()});
    EXPECT_NE(after.out.find("German: translated "), std::string::npos) << after.out;
    EXPECT_EQ(after.out.find("German: translated 0 items"), std::string::npos) << after.out;
    // The pseudo texts pass every check but the fit of their wider texts.
    const BatchRun check = run({"/CHECK", database(), "German"});
    for (const std::string& line : findingLines(check.out))
        EXPECT_NE(line.find("[fit]"), std::string::npos) << line;
    EXPECT_FALSE(findingLines(check.out).empty());
    // The options dialog stands in the included options.dlg: its findings name that file.
    EXPECT_NE(check.out.find(path("options.dlg") + ":10: warning: [fit] IDD_OPTIONS IDC_AUTOSAVE: "), std::string::npos)
        << check.out;
    ASSERT_EQ(run({"/RC", database(), "German", path("pseudo.rc")}).status, BatchStatus::Success);
    EXPECT_NE(test::readFile(dir / "pseudo.rc").find(encodeFromUtf8("\"[&Néw !]\\tCtrl+N\"", 1252).bytes), std::string::npos);
}

TEST_F(BatchCheckTest, AProjectThatIsNotThereFailsAndTheUsageNamesTheNewFlags)
{
    EXPECT_EQ(run({"/CHECK", path("missing.mdb"), "German"}).status, BatchStatus::Failed);
    EXPECT_EQ(run({"/STAT", path("missing.mdb")}).status, BatchStatus::Failed);
    EXPECT_EQ(run({"/CHECK", database()}).status, BatchStatus::UsageError);
    const std::string usage = batchUsageText();
    for (const char* flag : {"/CHECK", "/PSEUDO", "/STAT"})
        EXPECT_NE(usage.find(flag), std::string::npos) << flag;
}

} // namespace
} // namespace qmk
