// What the batch says at its edges: a project or folder it cannot write, a log file it cannot
// create, a translation that is there already. Each case checks the exit status and the reason.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <sstream>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/TempDir.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

struct BatchRun {
    BatchStatus status = BatchStatus::Success;
    std::string out;
    std::string err;
};

BatchRun runBatch(const std::vector<std::string>& args, const std::string& logFile = "")
{
    std::ostringstream out, err;
    CBatchCommandLineInfo cmd;
    cmd.parseArguments(args);
    BatchReport report(out, err, logFile.empty() ? cmd.logFile() : logFile);
    const BatchStatus status = BatchRunner({".DLG"}).run(cmd, report);
    return {status, out.str(), err.str()};
}

void writeAll(int fd, const std::string& text)
{
    const std::size_t size = text.size();
    ::write(fd, &size, sizeof size);
    ::write(fd, text.data(), size);
}

std::string readAll(int fd)
{
    std::size_t size = 0;
    if (::read(fd, &size, sizeof size) != static_cast<ssize_t>(sizeof size))
        return {};
    std::string text(size, '\0');
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, text.data() + got, size - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return text;
}

// Permissions do not bind the superuser: run as root, the batch runs as "nobody" in a child
// process over a folder handed to that user, so that read-only means read-only.
BatchRun runUnprivileged(const fs::path& folder, const std::vector<std::string>& args)
{
    if (::geteuid() != 0)
        return runBatch(args);
    const uid_t nobody = 65534;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        ::lchown(entry.path().c_str(), nobody, nobody);
    ::chown(folder.c_str(), nobody, nobody);
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {BatchStatus::Failed, "", "no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        BatchRun run{BatchStatus::Failed, "", "could not become nobody"};
        if (::setgid(nobody) == 0 && ::setuid(nobody) == 0)
            run = runBatch(args);
        const int status = static_cast<int>(run.status);
        ::write(pipeEnds[1], &status, sizeof status);
        writeAll(pipeEnds[1], run.out);
        writeAll(pipeEnds[1], run.err);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    BatchRun run;
    int status = static_cast<int>(BatchStatus::Failed);
    ::read(pipeEnds[0], &status, sizeof status);
    run.status = static_cast<BatchStatus>(status);
    run.out = readAll(pipeEnds[0]);
    run.err = readAll(pipeEnds[0]);
    ::close(pipeEnds[0]);
    ::waitpid(child, nullptr, 0);
    return run;
}

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class BatchEdgesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(dir / "locked");
        dir.write("locked/app.rc", "STRINGTABLE\nBEGIN\n  1 \"One\"\n  2 \"Two\"\nEND\n");
        const BatchRun made = runBatch({"-C", script, "-A", db, "German", path("locked/app-German.rc")});
        ASSERT_EQ(made.status, BatchStatus::Success) << made.err;
    }
    void TearDown() override { ::chmod((dir / "locked").c_str(), 0755); }

    void lockProject()
    {
        ::chmod(db.c_str(), 0444);
        ::chmod((dir / "locked").c_str(), 0555);
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    test::TempDir dir;
    std::string script = path("locked/app.rc");
    std::string db = path("locked/app_rc.mdb");
};

TEST_F(BatchEdgesTest, WritingOperationsOnAReadOnlyProjectFailWithTheirReason)
{
    lockProject();
    const std::string before = test::readFile(db);

    const BatchRun pseudo = runUnprivileged(dir.path(), {"-PSEUDO", db, "German"});
    EXPECT_EQ(pseudo.status, BatchStatus::Failed);
    EXPECT_EQ(occurrences(pseudo.err, "Can not write " + db), 1u) << pseudo.err;
    EXPECT_EQ(pseudo.err.find("readonly"), std::string::npos) << pseudo.err;
    EXPECT_EQ(pseudo.out.find("pseudo-translated"), std::string::npos) << pseudo.out;

    const BatchRun added = runUnprivileged(dir.path(), {"-A", db, "French", path("locked/app-French.rc")});
    EXPECT_EQ(added.status, BatchStatus::Failed);
    EXPECT_NE(added.err.find("Can not write " + db + ": "), std::string::npos) << added.err;
    EXPECT_EQ(added.out.find("successful"), std::string::npos) << added.out;
    EXPECT_EQ(test::readFile(db), before);
}

TEST_F(BatchEdgesTest, AProjectInAFolderItCannotWriteIsNotWrittenEither)
{
    // The file may be written, but the engine's journal beside it may not.
    ::chmod((dir / "locked").c_str(), 0555);
    const BatchRun pseudo = runUnprivileged(dir.path(), {"-PSEUDO", db, "German"});
    EXPECT_EQ(pseudo.status, BatchStatus::Failed);
    EXPECT_NE(pseudo.err.find("its folder " + path("locked") + " cannot be written"), std::string::npos) << pseudo.err;
}

TEST_F(BatchEdgesTest, NewTranslationOfALanguageThereAlreadyNamesIt)
{
    const BatchRun again = runBatch({"-A", db, "German", path("locked/other.rc")});
    EXPECT_EQ(again.status, BatchStatus::Failed);
    EXPECT_NE(again.err.find("Language 'German' exists in " + db + " already"), std::string::npos) << again.err;
}

TEST_F(BatchEdgesTest, LanguageIdListNamesTheFileAndWhyItCannotBeWritten)
{
    const BatchRun missing = runBatch({"-LIDS", path("nowhere/ids.txt")});
    EXPECT_EQ(missing.status, BatchStatus::Failed);
    EXPECT_NE(missing.err.find("Can not write " + path("nowhere/ids.txt") + ": No such file or directory"),
              std::string::npos)
        << missing.err;
    EXPECT_EQ(missing.err.find("File not found"), std::string::npos) << missing.err;

    lockProject();
    const BatchRun locked = runUnprivileged(dir.path(), {"-LIDS", path("locked/ids.txt")});
    EXPECT_EQ(locked.status, BatchStatus::Failed);
    EXPECT_NE(locked.err.find("Can not write " + path("locked/ids.txt") + ": Permission denied"), std::string::npos)
        << locked.err;
    EXPECT_FALSE(fs::exists(dir / "locked/ids.txt"));
}

TEST_F(BatchEdgesTest, ALogFileThatCannotBeWrittenStopsTheRunBeforeAnyOperation)
{
    const std::string database = path("locked/app_rc.mdb");
    for (const std::string& log : {path("nowhere/run.log"), path("locked")}) {
        const BatchRun run = runBatch({"-A", database, "French", path("locked/app-French.rc"), "-LOG", log});
        EXPECT_EQ(run.status, BatchStatus::UsageError) << log;
        EXPECT_NE(run.err.find("The log file " + log + " cannot be written"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << "an operation ran";
    }
    EXPECT_EQ(runBatch({"-L", database, "French"}).status, BatchStatus::CheckAnsweredNo);

    lockProject();
    const BatchRun locked = runUnprivileged(dir.path(), {"-L", database, "German", "-LOG", path("locked/run.log")});
    EXPECT_EQ(locked.status, BatchStatus::UsageError);
    EXPECT_NE(locked.err.find("Permission denied"), std::string::npos) << locked.err;

    // A log that can be written takes the reports, as before.
    const BatchRun logged = runBatch({"-L", database, "German", "-LOG", path("run.log")});
    EXPECT_EQ(logged.status, BatchStatus::Success) << logged.err;
    EXPECT_NE(test::readFile(dir / "run.log").find("-->  Yes"), std::string::npos);
}

TEST(BatchCountsTest, ACountOfOneIsSpelledInTheSingular)
{
    test::TempDir dir;
    const std::string script = dir.write("one.rc", "STRINGTABLE\nBEGIN\n  1 \"Only\"\nEND\n").string();
    const std::string db = (dir / "one_rc.mdb").string();
    ASSERT_EQ(runBatch({"-C", script, "-A", db, "German", (dir / "one-de.rc").string()}).status, BatchStatus::Success);
    const BatchRun pseudo = runBatch({"-PSEUDO", db, "German"});
    EXPECT_NE(pseudo.out.find("     1 text pseudo-translated, 0 translated texts kept."), std::string::npos) << pseudo.out;
    const BatchRun again = runBatch({"-PSEUDO", db, "German"});
    EXPECT_NE(again.out.find("     0 texts pseudo-translated, 1 translated text kept."), std::string::npos) << again.out;
    const BatchRun stat = runBatch({"-STAT", db});
    EXPECT_NE(stat.out.find("     Source: 1 item, 1 word."), std::string::npos) << stat.out;
    EXPECT_NE(stat.out.find("German: translated 1 item (1 word), flagged 0 items (0 words)"), std::string::npos)
        << stat.out;
}

// Thirty texts with a placeholder, imported from a translated script that drops each of them.
class ImportFindingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string source = "STRINGTABLE\nBEGIN\n", translated = source;
        for (int i = 1; i <= 30; ++i) {
            source += "  " + std::to_string(i) + " \"Item %d number " + std::to_string(i) + "\"\n";
            translated += "  " + std::to_string(i) + " \"Eintrag Nummer " + std::to_string(i) + "\"\n";
        }
        dir.write("app.rc", source + "END\n");
        dir.write("de.rc", translated + "END\n");
        ASSERT_EQ(runBatch({"-C", path("app.rc"), "-A", db, "German", path("app-German.rc")}).status,
                  BatchStatus::Success);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    static std::size_t findingLines(const std::string& text) { return occurrences(text, ": warning: [placeholder]"); }

    test::TempDir dir;
    std::string db = path("app_rc.mdb");
};

TEST_F(ImportFindingsTest, TheImportCountsItsFindingsAndListsTheFirstOnes)
{
    const BatchRun imported = runBatch({"-I", path("de.rc"), "German", db});
    ASSERT_EQ(imported.status, BatchStatus::Success) << imported.err;
    EXPECT_NE(imported.out.find("     30 findings in the imported texts:\n       [placeholder]  30 findings\n"),
              std::string::npos)
        << imported.out;
    EXPECT_EQ(findingLines(imported.out), 20u);
    EXPECT_NE(imported.out.find("     10 more findings not shown"), std::string::npos) << imported.out;
    EXPECT_NE(imported.out.find("Successful import"), std::string::npos);
}

TEST_F(ImportFindingsTest, ALaterCheckListsEveryFinding)
{
    const BatchRun checked = runBatch({"-I", path("de.rc"), "German", db, "-CHECK", db, "German"});
    const std::string importPart = checked.out.substr(0, checked.out.find("QMK: Check the translation"));
    EXPECT_EQ(findingLines(importPart), 30u) << importPart;
    EXPECT_EQ(importPart.find("not shown"), std::string::npos) << importPart;
}

TEST_F(ImportFindingsTest, ALogListsEveryFinding)
{
    const BatchRun logged = runBatch({"-I", path("de.rc"), "German", db, "-LOG", path("run.log")});
    ASSERT_EQ(logged.status, BatchStatus::Success) << logged.err;
    EXPECT_EQ(findingLines(logged.out), 30u);
    EXPECT_EQ(findingLines(test::readFile(dir / "run.log")), 30u);
}

TEST(BatchUsageTest, UsageShowsOnlyWhatTheOperationsUse)
{
    const std::string usage = batchUsageText();
    EXPECT_EQ(usage.find("[file] /OPERATION"), std::string::npos);
    EXPECT_NE(usage.find("qmk32 /OPERATION parameters..."), std::string::npos);
}

} // namespace
} // namespace qmk
