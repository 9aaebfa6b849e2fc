#include <gtest/gtest.h>

// Two real programs on one large project at the same time; built only with the user interface.
#ifdef QMK32_EXE

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <thread>

#include "common/TempDir.h"
#include "database/SqliteDatabase.h"

extern char** environ;

namespace qmk {
namespace {

using namespace std::chrono_literals;

#ifdef QMK_SANITIZED
constexpr int kTexts = 8000;
#else
constexpr int kTexts = 30000;
#endif
constexpr int kChangedByUpdate = kTexts / 100;  // every hundredth text gets a new source
constexpr int kAddedByUpdate = 200;
// How long the second program starts after the first: together, early in the other's work,
// in its middle and near its end.
const std::chrono::milliseconds kDelays[] = {0ms, 60ms, 200ms, 450ms};

std::string scriptText(bool updated)
{
    std::string out = "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\r\n\r\nSTRINGTABLE\r\nBEGIN\r\n";
    for (int i = 0; i < kTexts; ++i) {
        const char* where = updated && i % 100 == 0 ? " in the program" : " of the program";
        out += "    " + std::to_string(1000 + i) + " \"Message number " + std::to_string(i) + where + "\"\r\n";
    }
    if (updated)
        for (int i = 0; i < kAddedByUpdate; ++i)
            out += "    " + std::to_string(90000 + i) + " \"Added message " + std::to_string(i) + "\"\r\n";
    return out + "END\r\n";
}

std::string germanScript()
{
    std::string out = "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\r\n\r\nSTRINGTABLE\r\nBEGIN\r\n";
    for (int i = 0; i < kTexts; ++i)
        out += "    " + std::to_string(1000 + i) + " \"Meldung Nummer " + std::to_string(i) + " des Programms\"\r\n";
    return out + "END\r\n";
}

// The units a translation platform sends back: the texts the update leaves as they are.
std::string germanXliff()
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
                      "<file original=\"p.rc\" source-language=\"en-US\" target-language=\"de-DE\" "
                      "datatype=\"winres\"><body>\n";
    for (int i = 0; i < kTexts; ++i) {
        if (i % 100 == 0)
            continue;
        const std::string n = std::to_string(i);
        out += "<trans-unit id=\"Stringtable_String/" + std::to_string(1000 + i) + "\" resname=\"" +
               std::to_string(1000 + i) + "\" approved=\"yes\"><source>Message number " + n +
               " of the program</source><target state=\"translated\">Meldung Nummer " + n +
               " des Programms</target></trans-unit>\n";
    }
    return out + "</body></file></xliff>\n";
}

// One run of the program in the background, its output in a file.
class Program {
public:
    Program(const std::filesystem::path& folder, const std::string& args) : log_(folder / ("run" + std::to_string(++runs_) + ".log"))
    {
        const std::string command = "cd '" + folder.string() + "' && exec '" QMK32_EXE "' " + args + " >'" +
                                    log_.string() + "' 2>&1";
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        if (::posix_spawn(&pid_, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            pid_ = -1;
    }
    // The exit status once it has ended (-1 when it did not run or was killed).
    int wait()
    {
        if (pid_ <= 0)
            return -1;
        int raw = 0;
        if (::waitpid(pid_, &raw, 0) != pid_)
            return -1;
        pid_ = 0;
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::string output() const { return test::readFile(log_); }
    ~Program() { wait(); }

private:
    static inline int runs_ = 0;
    std::filesystem::path log_;
    pid_t pid_ = -1;
};

class ConcurrentWritersTest : public ::testing::Test {
protected:
    // The project, its German translation (empty) and a memory that knows every German text are
    // made once; each case starts from a copy of the project.
    static void SetUpTestSuite()
    {
        folder_ = std::make_unique<test::TempDir>();
        const test::TempDir& dir = *folder_;
        ::setenv("QMK32_INI", (dir / "qmk32.ini").c_str(), 1);
        ::setenv("QMK32_TM", (dir / "memory.qmtm").c_str(), 1);
        dir.write("p.rc", scriptText(false));
        dir.write("de.rc", germanScript());
        dir.write("de.xlf", germanXliff());
        ASSERT_EQ(Program(dir.path(), "-C p.rc").wait(), 0);
        ASSERT_EQ(Program(dir.path(), "-A p_rc.mdb German de_out.rc").wait(), 0);
        std::filesystem::copy_file(dir / "p_rc.mdb", dir / "pristine.mdb");
        ASSERT_EQ(Program(dir.path(), "-I de.rc German p_rc.mdb").wait(), 0);
        ASSERT_EQ(Program(dir.path(), "/TM-ADD p_rc.mdb German").wait(), 0);
        dir.write("p.rc", scriptText(true));
    }
    static void TearDownTestSuite()
    {
        folder_.reset();
        ::unsetenv("QMK32_INI");
        ::unsetenv("QMK32_TM");
    }

    void SetUp() override
    {
        ASSERT_TRUE(folder_);
        std::filesystem::remove(dir() / "p_rc.mdb-journal");
        std::filesystem::copy_file(dir() / "pristine.mdb", dir() / "p_rc.mdb",
                                   std::filesystem::copy_options::overwrite_existing);
    }

    static const std::filesystem::path& dir() { return folder_->path(); }

    // What the project holds after both programs ended.
    struct Outcome {
        std::string integrity;
        int translated = 0;     // German texts
        int changedSource = 0;  // texts with the updated source
        int added = 0;          // texts the update added
        bool heldChange = false;
    };
    static Outcome outcome()
    {
        Outcome o;
        SqliteDatabase db;
        db.open(dir() / "p_rc.mdb", OpenMode{false, true, false});
        auto count = [&](const char* sql) {
            Statement s = db.prepare(sql);
            return s.step() ? static_cast<int>(s.integer(0)) : -1;
        };
        {
            Statement check = db.prepare("PRAGMA integrity_check");
            o.integrity = check.step() ? check.text(0) : "no answer";
        }
        o.translated = count("SELECT count(*) FROM ResourceText WHERE ifnull(German, '') <> ''");
        o.changedSource = count("SELECT count(*) FROM ResourceText WHERE SourceText LIKE '% in the program'");
        o.added = count("SELECT count(*) FROM ResourceText WHERE SourceText LIKE 'Added message %'");
        o.heldChange = count("SELECT count(*) FROM ResourceText WHERE German = 'held'") == 1;
        return o;
    }

    // The update is in the project whole, or (refused with the message) not at all.
    static void expectUpdate(int status, const std::string& output, const Outcome& o)
    {
        if (status == 0) {
            EXPECT_EQ(o.changedSource, kChangedByUpdate) << output;
            EXPECT_EQ(o.added, kAddedByUpdate) << output;
        } else {
            EXPECT_NE(output.find("in use by another program"), std::string::npos) << output;
            EXPECT_EQ(o.changedSource, 0) << output;
            EXPECT_EQ(o.added, 0) << output;
        }
    }

    // The other program's translations are there whole (`whole` or, after the update took some
    // sources away from the memory, `wholeAfterUpdate`), or it was refused with the message and
    // stored none.
    static void expectTranslations(int status, const std::string& output, const Outcome& o, int whole,
                                   int wholeAfterUpdate)
    {
        if (status == 0) {
            EXPECT_TRUE(o.translated == whole || o.translated == wholeAfterUpdate) << o.translated << "\n" << output;
        } else {
            EXPECT_EQ(status, 1) << output;
            EXPECT_NE(output.find("in use by another program"), std::string::npos) << output;
            EXPECT_EQ(o.translated, 0) << output;
        }
        EXPECT_EQ(output.find("no such item"), std::string::npos) << output;
    }

    // Runs `first`, then after `delay` the update, and checks what both left.
    void raceWithUpdate(const std::string& first, std::chrono::milliseconds delay, int whole, int wholeAfterUpdate)
    {
        SCOPED_TRACE(first + " and -U after " + std::to_string(delay.count()) + " ms");
        Program other(dir(), first);
        std::this_thread::sleep_for(delay);
        Program update(dir(), "-U p_rc.mdb");
        const int otherStatus = other.wait();
        const int updateStatus = update.wait();
        const Outcome o = outcome();
        EXPECT_EQ(o.integrity, "ok");
        expectUpdate(updateStatus, update.output(), o);
        expectTranslations(otherStatus, other.output(), o, whole, wholeAfterUpdate);
        // Two writers are never both refused: one of them always has the project.
        EXPECT_TRUE(otherStatus == 0 || updateStatus == 0) << other.output() << update.output();
    }

    static inline std::unique_ptr<test::TempDir> folder_;
};

TEST_F(ConcurrentWritersTest, AnUpdateBesideAScriptImportLosesNeitherOrRefusesBeforeChangingAnything)
{
    for (const auto delay : kDelays) {
        SetUp();
        raceWithUpdate("-I de.rc German p_rc.mdb", delay, kTexts, kTexts);
    }
}

TEST_F(ConcurrentWritersTest, AnUpdateBesideAnXliffImportLosesNeitherOrRefusesBeforeChangingAnything)
{
    for (const auto delay : kDelays) {
        SetUp();
        raceWithUpdate("-I de.xlf German p_rc.mdb", delay, kTexts - kChangedByUpdate, kTexts - kChangedByUpdate);
    }
}

TEST_F(ConcurrentWritersTest, AnUpdateBesidePreTranslationLosesNeitherOrRefusesBeforeChangingAnything)
{
    for (const auto delay : kDelays) {
        SetUp();
        // Pre-translated after the update, the texts whose source changed find no match.
        raceWithUpdate("/PRE p_rc.mdb German 100", delay, kTexts, kTexts - kChangedByUpdate);
    }
}

TEST_F(ConcurrentWritersTest, AnUpdateWaitsForAnotherWritersTransactionAndRefusesWhenItLastsTooLong)
{
    // How long the other writer keeps its change open; the update waits a few seconds at most.
    const std::chrono::milliseconds holds[] = {100ms, 1500ms, 6500ms};
    for (const auto hold : holds) {
        SetUp();
        SCOPED_TRACE("transaction held for " + std::to_string(hold.count()) + " ms");
        SqliteDatabase writer;
        writer.open(dir() / "p_rc.mdb", OpenMode{false, false, false});
        writer.execute("BEGIN IMMEDIATE");
        writer.execute("UPDATE ResourceText SET German = 'held' WHERE LineIndex = "
                       "(SELECT min(LineIndex) FROM ResourceText WHERE SourceText LIKE 'Message number %')");
        Program update(dir(), "-U p_rc.mdb");
        std::this_thread::sleep_for(hold);
        writer.execute("COMMIT");
        writer.close();
        const int status = update.wait();
        const Outcome o = outcome();
        EXPECT_EQ(o.integrity, "ok");
        EXPECT_TRUE(o.heldChange);
        expectUpdate(status, update.output(), o);
        if (hold < 1s)
            EXPECT_EQ(status, 0) << update.output();  // it waited
        if (hold > 6s)
            EXPECT_EQ(status, 1) << update.output();  // it gave up, and said why
    }
}

TEST_F(ConcurrentWritersTest, AWriterRefusedByAHeldLockChangesNothingAndSaysWhy)
{
    SqliteDatabase writer;
    writer.open(dir() / "p_rc.mdb", OpenMode{false, false, false});
    writer.execute("BEGIN IMMEDIATE");
    Program pre(dir(), "/PRE p_rc.mdb German 100");
    Program import(dir(), "-I de.xlf German p_rc.mdb");
    EXPECT_EQ(pre.wait(), 1);
    EXPECT_EQ(import.wait(), 1);
    writer.execute("ROLLBACK");
    writer.close();
    for (const std::string output : {pre.output(), import.output()}) {
        EXPECT_NE(output.find("in use by another program"), std::string::npos) << output;
        EXPECT_EQ(output.find("no such item"), std::string::npos) << output;
    }
    EXPECT_EQ(outcome().translated, 0);
}

TEST_F(ConcurrentWritersTest, ReadingOperationsLeaveTheProjectAsTheyFoundIt)
{
    // The script saved again with the same bytes: an open that may write refreshes the stamp.
    folder_->write("p.rc", scriptText(false));
    const std::string before = test::readFile(dir() / "p_rc.mdb");
    for (const char* reading : {"/STAT p_rc.mdb", "-D p_rc.mdb", "-T p_rc.mdb German", "/CHECK p_rc.mdb German"})
        EXPECT_NE(Program(dir(), reading).wait(), -1) << reading;
    EXPECT_EQ(test::readFile(dir() / "p_rc.mdb"), before);
    folder_->write("p.rc", scriptText(true));
}

} // namespace
} // namespace qmk

#endif // QMK32_EXE
