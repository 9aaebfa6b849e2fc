#include "SourceUpdateFixture.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "database/CProjectDatabase.h"

namespace qmk {
namespace {

class UpdateKillTest : public test::SourceUpdateFixture {};

const std::string kScript =
    "STRINGTABLE\nBEGIN\n"
    "    IDS_ONE \"One\"\n    IDS_TWO \"Two\"\n    IDS_THREE \"Three\"\n    IDS_FOUR \"Four\"\n"
    "END\n";

} // namespace

// The update is killed while its pass runs: the project database must be the one from before,
// and open as usual.
TEST_F(UpdateKillTest, ProcessKilledInTheMiddleOfTheUpdateLeavesTheDatabaseAsItWas)
{
    open(writeScript(kScript));
    translateAll();
    const std::filesystem::path database = doc->databasePath();
    doc->OnCloseDocument();
    doc.reset();
    const std::string before = test::readFile(database);

    dir.write("app.rc", "STRINGTABLE\nBEGIN\n    IDS_ONE \"Uno\"\n    IDS_FIVE \"Five\"\nEND\n");
    test::setModificationTime(script, start + 60);

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        test::RecordingFeedback quiet;
        CQuillDoc updating(quiet, {".DLG"});
        if (!updating.OnOpenDocument(database))
            ::_exit(2);
        updating.setUpdateHook([fd = pipeFds[1]](int line) {
            if (line == 3) {
                const char mid = 'm';
                (void)!::write(fd, &mid, 1);
                ::pause();  // until killed
            }
        });
        updating.UpdateDatabase();
        ::_exit(3);  // the hook never returns
    }
    ::close(pipeFds[1]);
    char signal = 0;
    ASSERT_EQ(::read(pipeFds[0], &signal, 1), 1);
    ::close(pipeFds[0]);
    // The pass was really running on the project, in place, with its journal beside it.
    std::filesystem::path journal = database;
    journal += "-journal";
    EXPECT_TRUE(std::filesystem::exists(journal));
    EXPECT_TRUE(workingFiles().empty());
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));

    EXPECT_EQ(test::readFile(database), before);
    open(database);
    EXPECT_EQ(doc->database().texts().text(stringLine("IDS_ONE"))->sourceText, "One");
    EXPECT_EQ(german(stringLine("IDS_FOUR"))->text, "de:" + std::to_string(stringLine("IDS_FOUR")));
    EXPECT_TRUE(doc->sourceChanged());
    // Once it can run to its end, the same update goes through.
    ASSERT_TRUE(doc->UpdateDatabase());
    EXPECT_EQ(doc->database().texts().text(stringLine("IDS_ONE"))->sourceText, "Uno");
    EXPECT_EQ(stringLine("IDS_FOUR"), 0);
}

} // namespace qmk
