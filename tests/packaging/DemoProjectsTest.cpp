// The demonstration projects: every shipped script compiles in its own language and code page,
// the projects the build made hold exactly the translations of the shipped scripts, and any
// build of them, wherever and whenever it runs, gives the same bytes.
#include <gtest/gtest.h>

#include <fstream>

#ifdef QMK_DEMO_DIR

#include <set>
#include <sstream>

#include "ShellCommand.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "setup/SetupFiles.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

const fs::path kDemoSource = fs::path(QMK_SOURCE_DIR) / "demo";
const fs::path kDemoBuilt = QMK_DEMO_DIR;

struct DemoScript {
    const char* project;   // the project database built for the script's source
    const char* language;  // as qmk32 takes it; empty for a source script
    const char* path;      // relative to the demo folder
    const char* languageLine;  // how the compiler's dump names the resources' language
    const char* sample;    // a text of the script in UTF-8, and as the dump shows it below
    const char* sampleInDump;
};

const DemoScript kScripts[] = {
    {"demo_rc.mdb", "", "demo.rc", "LANGUAGE 9, 1", "Ready", "\"Ready\""},
    {"demo_rc.mdb", "German", "german/gdemo.rc", "LANGUAGE 7, 1", "Änderungen", "\\304nderungen"},
    {"demo_rc.mdb", "French", "french/fdemo.rc", "LANGUAGE 12, 1", "Prêt", "L\"Pr\\352t\""},
    {"demo_rc.mdb", "Greek", "greek/grdemo.rc", "LANGUAGE 8, 1", "Έτοιμο",
     "L\"\\x0388\\x03c4\\x03bf\\x03b9\\x03bc\\x03bf\""},
    {"demo_rc.mdb", "Russian", "russia/rdemo.rc", "LANGUAGE 25, 1", "Готово",
     "L\"\\x0413\\x043e\\x0442\\x043e\\x0432\\x043e\""},
    {"asiademo_rc.mdb", "", "asiademo.rc", "LANGUAGE 9, 1", "Your tea is ready.", "\"Your tea is ready.\""},
    {"asiademo_rc.mdb", "Japanese", "Jap/japdemo.rc", "LANGUAGE 17, 1", "お茶が入りました。",
     "L\"\\x304a\\x8336\\x304c\\x5165\\x308a\\x307e\\x3057\\x305f\\x3002\""},
    {"asiademo_rc.mdb", "Korean", "Kor/kordemo.rc", "LANGUAGE 18, 1", "차가 준비되었습니다.",
     "L\"\\xcc28\\xac00 \\xc900\\xbe44\\xb418\\xc5c8\\xc2b5\\xb2c8\\xb2e4.\""},
};

// What the setup program copies into "demoproj", and nothing else.
// What the setup program copies into "demoproj": the built folder must hold exactly that.
std::set<std::string> shippedFiles()
{
    std::set<std::string> names;
    for (const setup::SetupFile& file : setup::setupFiles())
        if (file.group == setup::FileGroup::Demo)
            names.emplace(file.name);
    return names;
}

const std::set<std::string> kShippedFiles = shippedFiles();

test::CommandResult qmk32(const std::string& args, const std::string& environment = "")
{
    return test::runCommand(test::ownSettings() + " " + environment + " " + test::quoted(QMK32_EXE) + " " + args);
}

// A translated script as compared here: without the header line naming the source's path.
std::string withoutSourcePath(const std::string& script)
{
    std::istringstream lines(script);
    std::string line, kept;
    while (std::getline(lines, line))
        if (line.rfind("//  Source File Name:", 0) != 0)
            kept += line + "\n";
    return kept;
}

class DemoScriptsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::haveProgram("x86_64-w64-mingw32-windres") || !test::haveProgram("x86_64-w64-mingw32-gcc"))
            GTEST_SKIP() << "the MinGW resource compiler is not installed";
    }

    // The compiler's dump of the script's resources, compiled in the script's folder with the
    // demo folder on the include path, the way a program's build compiles a language script.
    std::string compiledDump(const DemoScript& script)
    {
        const fs::path source = kDemoSource / script.path;
        const fs::path res = dir / "out.res", dump = dir / "out.rc";
        test::CommandResult compiled = test::runCommand(
            "cd " + test::quoted(source.parent_path()) + " && x86_64-w64-mingw32-windres -I " + test::quoted(kDemoSource) +
            " -O res -o " + test::quoted(res) + " " + test::quoted(source.filename()));
        EXPECT_EQ(compiled.status, 0) << script.path << ":\n" << compiled.output;
        test::CommandResult dumped = test::runCommand("x86_64-w64-mingw32-windres -i " + test::quoted(res) +
                                                      " -O rc -o " + test::quoted(dump));
        EXPECT_EQ(dumped.status, 0) << dumped.output;
        return test::readFile(dump);
    }

    test::TempDir dir;
};

} // namespace

TEST_F(DemoScriptsTest, EveryScriptCompilesInItsLanguageAndCodePage)
{
    for (const DemoScript& script : kScripts) {
        SCOPED_TRACE(script.path);
        const std::string dump = compiledDump(script);
        std::istringstream lines(dump);
        std::string line;
        int languageLines = 0;
        while (std::getline(lines, line))
            if (line.rfind("LANGUAGE", 0) == 0) {
                EXPECT_EQ(line, script.languageLine);
                ++languageLines;
            }
        EXPECT_GT(languageLines, 0);
        // The text decoded from the script's code page is the one the translator meant.
        EXPECT_NE(dump.find(script.sampleInDump), std::string::npos) << script.sample;
    }
}

TEST(DemoProjectsTest, TheBuiltFolderHoldsExactlyWhatTheSetupProgramCopies)
{
    std::set<std::string> found;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kDemoBuilt))
        if (entry.is_regular_file())
            found.insert(fs::relative(entry.path(), kDemoBuilt).generic_string());
    EXPECT_EQ(found, kShippedFiles);
    for (const std::string& name : kShippedFiles) {
        if (name.find(".mdb") == std::string::npos) {
            EXPECT_EQ(test::readFile(kDemoBuilt / name), test::readFile(kDemoSource / name)) << name;
        }
    }
}

TEST(DemoProjectsTest, EachTranslationIsCompleteAndWritesItsShippedScript)
{
    test::TempDir dir;
    const fs::path copy = dir / "demoproj";
    test::copyKeepingTimes(kDemoBuilt, copy);
    for (const DemoScript& script : kScripts) {
        if (!*script.language)
            continue;
        SCOPED_TRACE(script.path);
        const std::string db = test::quoted(copy / script.project);
        test::CommandResult translated = qmk32("-T " + db + " " + script.language);
        EXPECT_EQ(translated.status, 0) << translated.output;

        // The translation's own file name puts the written script where the shipped one lies.
        fs::remove(copy / script.path);
        test::CommandResult written = qmk32("-RC " + db + " " + script.language + " " + test::quoted(copy / script.path));
        ASSERT_EQ(written.status, 0) << written.output;
        EXPECT_EQ(withoutSourcePath(test::readFile(copy / script.path)),
                  withoutSourcePath(test::readFile(kDemoSource / script.path)));
    }
}

TEST(DemoProjectsTest, CopiedProjectsOpenUpToDateInEveryTimeZone)
{
    test::TempDir dir;
    const fs::path copy = dir / "demoproj";
    test::copyKeepingTimes(kDemoBuilt, copy);
    for (const char* zone : {"UTC+12", "UTC0", "UTC-5:30", "UTC-14"})
        for (const char* project : {"demo_rc.mdb", "asiademo_rc.mdb"}) {
            test::CommandResult check = qmk32("-D " + test::quoted(copy / project), std::string("TZ=") + zone);
            EXPECT_EQ(check.status, 0) << zone << " " << project << "\n" << check.output;
        }

    // Saved again with the same bytes it is still up to date; an edit of the same size is noticed.
    fs::last_write_time(copy / "demo.rc", fs::file_time_type::clock::now());
    EXPECT_EQ(qmk32("-D " + test::quoted(copy / "demo_rc.mdb"), "TZ=UTC+12").status, 0);
    std::string text = test::readFile(copy / "demo.rc");
    ASSERT_NE(text.find("BEGIN"), std::string::npos);
    text.replace(text.find("BEGIN"), 5, "begin");
    std::ofstream(copy / "demo.rc", std::ios::binary | std::ios::trunc) << text;
    EXPECT_EQ(qmk32("-D " + test::quoted(copy / "demo_rc.mdb"), "TZ=UTC+12").status, 3);
}

TEST(DemoProjectsTest, BuildingThemAgainElsewhereGivesTheSameBytes)
{
    // Another folder, another time and another time zone than the build's.
    test::TempDir dir;
    const fs::path again = dir / "another folder" / "demoproj";
    test::CommandResult built = test::runCommand("TZ=UTC+12 " + test::quoted(QMK_CMAKE_COMMAND) + " -DTARGET=" +
                                                 test::quoted(again) + " -P " + test::quoted(QMK_DEMO_BUILD_SCRIPT));
    ASSERT_EQ(built.status, 0) << built.output;
    for (const std::string& name : kShippedFiles) {
        EXPECT_TRUE(test::readFile(again / name) == test::readFile(kDemoBuilt / name)) << name << " differs";
        // The times the projects' stamps were taken from.
        if (name.find(".mdb") == std::string::npos) {
            EXPECT_EQ(fs::last_write_time(again / name), fs::last_write_time(kDemoBuilt / name)) << name;
        }
    }
    // What a project names as its script is where the package puts it, not where it was built.
    for (const char* project : {"demo_rc.mdb", "asiademo_rc.mdb"}) {
        CProjectDatabase db;
        db.open(kDemoBuilt / project, OpenMode{false, true, true});
        const std::string script = fs::path(project).stem().string();
        EXPECT_EQ(db.sourceFile(), std::string(QMK_DEMO_INSTALL_DIR) + "/" + script.substr(0, script.size() - 3) + ".rc");
    }
}

} // namespace qmk

#endif // QMK_DEMO_DIR
