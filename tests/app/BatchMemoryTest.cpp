// The translation memory from the command line, as a translator's build script uses it: a TMX
// of earlier work imported, a project pre-translated from it, its translations added, the memory
// written out; and the real case of a program's next version made from a corpus script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/TempDir.h"
#include "memory/SqliteMemory.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        old_ = old ? old : "";
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    std::string old_;
};

class BatchMemoryTest : public ::testing::Test {
protected:
    BatchStatus run(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        CBatchCommandLineInfo cmd;
        cmd.parseArguments(args);
        BatchReport report(out, err, "");
        return BatchRunner({".DLG"}).run(cmd, report);
    }
    std::string project(const std::string& name, const std::string& script)
    {
        const std::string rc = dir.write(name + ".rc", script).string();
        const std::string db = (dir / (name + "_rc.mdb")).string();
        EXPECT_EQ(run({"-C", rc, "-A", db, "German", (dir / (name + "-de.rc")).string()}), BatchStatus::Success)
            << err.str();
        return db;
    }

    test::TempDir dir;
    ScopedEnvironment ini{"QMK32_INI", (dir / "qmk32.ini").string()};
    ScopedEnvironment memoryFile{"QMK32_TM", (dir / "memory.db").string()};
    std::ostringstream out, err;
};

TEST_F(BatchMemoryTest, EarlierWorkComesInByTmxAndFillsANewProject)
{
    const std::string tmx = dir.write("earlier.tmx", R"(<?xml version="1.0" encoding="UTF-8"?>
<tmx version="1.4"><header creationtool="x" creationtoolversion="1" segtype="sentence" o-tmf="x"
 adminlang="en" srclang="en-US" datatype="plaintext"/><body>
<tu><tuv xml:lang="en-US"><seg>Open the file</seg></tuv><tuv xml:lang="de-DE"><seg>Datei öffnen</seg></tuv></tu>
<tu><tuv xml:lang="en-US"><seg>Printing %d pages</seg></tuv><tuv xml:lang="de-DE"><seg>%d Seiten werden gedruckt</seg></tuv></tu>
</body></tmx>)").string();
    ASSERT_EQ(run({"/TMX-IMPORT", tmx}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("2 translations imported"), std::string::npos) << out.str();

    const std::string db = project("app", "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n"
                                          " 1 \"Open the file\"\n 2 \"Printing %d page\"\n 3 \"Brand new\"\nEND\n");
    ASSERT_EQ(run({"/PRE", db, "German"}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("1 exact match stored as translated, 0 fuzzy"), std::string::npos) << out.str();
    ASSERT_EQ(run({"/PreTranslate", db, "German", "80%"}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("0 exact matches stored as translated, 1 fuzzy match stored for review"),
              std::string::npos) << out.str();
    EXPECT_NE(out.str().find("1 text without a match"), std::string::npos) << out.str();

    // The project's translations go in under its name; a second run finds nothing new.
    ASSERT_EQ(run({"/TM-ADD", db, "German"}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("2 translations added"), std::string::npos) << out.str();
    ASSERT_EQ(run({"/TM-ADD", db}), BatchStatus::Success) << err.str();
    ASSERT_EQ(run({"/TM-ADD", db}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("holds these translations already"), std::string::npos) << out.str();

    const std::string exported = (dir / "out.tmx").string();
    ASSERT_EQ(run({"/TMX-EXPORT", exported, "de-DE"}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("4 units written"), std::string::npos) << out.str();
    SqliteMemory copy(dir / "copy.db");
    // A language the memory holds nothing of is refused, and the file written before stays.
    const std::string written = test::readFile(exported);
    ASSERT_EQ(run({"/ExportTmx", exported, "French"}), BatchStatus::UsageError) << err.str();
    EXPECT_NE(err.str().find("no translations into 'French'; it holds: de-DE."), std::string::npos) << err.str();
    EXPECT_EQ(test::readFile(exported), written);
}

TEST_F(BatchMemoryTest, TmxExportTakesTheRegionsOfALanguageAndRefusesOthers)
{
    const std::string tmx = dir.write("earlier.tmx", R"(<?xml version="1.0" encoding="UTF-8"?>
<tmx version="1.4"><header creationtool="x" creationtoolversion="1" segtype="sentence" o-tmf="x"
 adminlang="en" srclang="en-US" datatype="plaintext"/><body>
<tu><tuv xml:lang="en-US"><seg>Open</seg></tuv><tuv xml:lang="de-DE"><seg>Öffnen</seg></tuv>
<tuv xml:lang="de-AT"><seg>Aufmachen</seg></tuv><tuv xml:lang="fr-FR"><seg>Ouvrir</seg></tuv></tu>
</body></tmx>)").string();
    ASSERT_EQ(run({"/TMX-IMPORT", tmx}), BatchStatus::Success) << err.str();
    const std::string file = dir.write("out.tmx", "an earlier export\n").string();
    for (const std::string language : {"Klingon", "xx-YY", "it", "de-CH"}) {
        EXPECT_EQ(run({"/TMX-EXPORT", file, language}), BatchStatus::UsageError) << language;
        EXPECT_NE(err.str().find("no translations into '" + language + "'; it holds: de-DE, de-AT, fr-FR."),
                  std::string::npos)
            << err.str();
        EXPECT_EQ(test::readFile(file), "an earlier export\n") << language;
    }
    auto written = [&](const std::string& language) {
        EXPECT_EQ(run({"/TMX-EXPORT", file, language}), BatchStatus::Success) << err.str();
        const std::string text = test::readFile(file);
        std::string languages;
        for (const char* tag : {"de-DE", "de-AT", "fr-FR"})
            if (text.find(std::string("xml:lang=\"") + tag) != std::string::npos)
                languages += std::string(languages.empty() ? "" : " ") + tag;
        return languages;
    };
    EXPECT_EQ(written("de"), "de-DE de-AT");
    EXPECT_EQ(written("DE_at"), "de-AT");
    EXPECT_EQ(written("German"), "de-DE");
    EXPECT_EQ(written("fr"), "fr-FR");
}

TEST_F(BatchMemoryTest, WrongParametersAndAnUnusableMemoryAreReported)
{
    const std::string db = project("app", "STRINGTABLE\nBEGIN\n 1 \"One\"\nEND\n");
    EXPECT_EQ(run({"/PRE", db, "German", "abc"}), BatchStatus::UsageError);
    EXPECT_NE(err.str().find("minimum score"), std::string::npos) << err.str();
    EXPECT_EQ(run({"/PRE", db, "German", "0"}), BatchStatus::UsageError);
    EXPECT_EQ(run({"/PRE", db}), BatchStatus::UsageError);
    EXPECT_EQ(run({"/PRE", db, "French"}), BatchStatus::Failed);  // the project has no French
    EXPECT_EQ(run({"/TMX-EXPORT", (dir / "x.tmx").string(), "!!"}), BatchStatus::UsageError);
    EXPECT_EQ(run({"/TMX-IMPORT", (dir / "missing.tmx").string()}), BatchStatus::Failed);
    {
        ScopedEnvironment project{"QMK32_TM", db};  // a project database is no memory
        EXPECT_EQ(run({"/TM-ADD", db}), BatchStatus::Failed);
        EXPECT_NE(err.str().find("no translation memory"), std::string::npos) << err.str();
    }
    EXPECT_NE(batchUsageText().find("/PRE  <dbfilename.mdb>  <language>"), std::string::npos);
    EXPECT_NE(batchUsageText().find("QMK32_TM"), std::string::npos);
}

// A program's real script with its real German, then its next version (texts reworded and
// added, made by editing a copy): every unchanged text is filled exactly, the reworded ones are
// offered for review.
TEST_F(BatchMemoryTest, NextVersionOfARealProgramIsFilledFromTheLastOne)
{
    const fs::path corpus = fs::path(QMK_CORPUS_DIR) / "winmine";
    if (!fs::exists(corpus / "en-US.rc"))
        GTEST_SKIP() << "the script corpus is not there";
    const fs::path v1 = dir / "v1";
    const fs::path v2 = dir / "v2";
    fs::create_directories(v1);
    fs::create_directories(v2);
    for (const char* file : {"en-US.rc", "de-DE.rc", "resource.h"}) {
        fs::copy_file(corpus / file, v1 / file);
        fs::copy_file(corpus / file, v2 / file);
    }
    const std::string db1 = (v1 / "en-US_rc.mdb").string();
    ASSERT_EQ(run({"-C", (v1 / "en-US.rc").string(), "-A", db1, "German", (v1 / "de.rc").string()}),
              BatchStatus::Success) << err.str();
    ASSERT_EQ(run({"-I", (v1 / "de-DE.rc").string(), "German", db1}), BatchStatus::Success) << err.str() << out.str();
    ASSERT_EQ(run({"/TM-ADD", db1, "German"}), BatchStatus::Success) << err.str();

    // Version 2: two texts reworded, one added.
    std::string script = test::readFile(v2 / "en-US.rc");
    for (auto [from, to] : {std::pair<std::string, std::string>{"\"Fastest Times\"", "\"The Fastest Times\""},
                            {"\"&Mark Question\"", "\"&Mark Questions\""},
                            {"IDS_NOBODY \"Nobody\"", "IDS_NOBODY \"Nobody\"\n    IDS_NEWTEXT \"Play again?\""}}) {
        const std::size_t at = script.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        script.replace(at, from.size(), to);
    }
    std::ofstream(v2 / "en-US.rc", std::ios::binary) << script;
    std::ofstream(v2 / "resource.h", std::ios::app) << "\n#define IDS_NEWTEXT 9999\n";
    const std::string db2 = (v2 / "en-US_rc.mdb").string();
    ASSERT_EQ(run({"-C", (v2 / "en-US.rc").string(), "-A", db2, "German", (v2 / "de.rc").string()}),
              BatchStatus::Success) << err.str();
    ASSERT_EQ(run({"/PRE", db2, "German", "70"}), BatchStatus::Success) << err.str();
    const std::string report = out.str();
    // Every one of the 30 texts the first version had unchanged is filled exactly (the group box
    // still says "Fastest Times"), the caption and the menu item reworded are offered for review,
    // and only the new text stays open.
    EXPECT_NE(report.find("30 exact matches stored as translated, 2 fuzzy matches stored for review"),
              std::string::npos) << report;
    EXPECT_NE(report.find("1 text without a match"), std::string::npos) << report;
    EXPECT_NE(report.find(" 0 matches with other placeholders"), std::string::npos) << report;
}

} // namespace
} // namespace qmk
