// The glossary from the command line: a TBX of the team's terms imported and written back, and
// the candidate terms of a real program's script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/TempDir.h"
#include "memory/Glossary.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

class BatchGlossaryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"QMK32_INI", "QMK32_TM"})
            if (const char* old = std::getenv(name))
                saved_.emplace_back(name, old);
        setenv("QMK32_INI", (dir / "qmk32.ini").c_str(), 1);
        setenv("QMK32_TM", (dir / "memory.db").c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("QMK32_INI");
        unsetenv("QMK32_TM");
        for (const auto& [name, value] : saved_)
            setenv(name.c_str(), value.c_str(), 1);
    }
    BatchStatus run(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        CBatchCommandLineInfo cmd;
        cmd.parseArguments(args);
        BatchReport report(out, err, "");
        return BatchRunner({".DLG"}).run(cmd, report);
    }

    test::TempDir dir;
    std::ostringstream out, err;

private:
    std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_F(BatchGlossaryTest, TbxComesInBesideTheMemoryAndGoesOutPerLanguage)
{
    const std::string tbx = dir.write("team.tbx", R"(<?xml version="1.0" encoding="UTF-8"?>
<martif type="TBX-Basic" xml:lang="en"><text><body>
 <termEntry><langSet xml:lang="en"><tig><term>File</term></tig></langSet>
  <langSet xml:lang="de"><tig><term>Datei</term></tig></langSet>
  <langSet xml:lang="fr"><tig><term>Fichier</term></tig></langSet></termEntry>
</body></text></martif>)").string();
    ASSERT_EQ(run({"/TBX-IMPORT", tbx}), BatchStatus::Success) << err.str();
    EXPECT_NE(out.str().find("2 terms imported"), std::string::npos) << out.str();
    EXPECT_TRUE(fs::exists(dir / "glossary.db"));

    const std::string german = (dir / "de.tbx").string();
    ASSERT_EQ(run({"-ExportTbx", german, "German"}), BatchStatus::Success) << err.str();
    const std::string written = test::readFile(german);
    EXPECT_NE(written.find("Datei"), std::string::npos);
    EXPECT_EQ(written.find("Fichier"), std::string::npos);

    EXPECT_EQ(run({"/TBX-EXPORT", german, "no language!"}), BatchStatus::UsageError);
    EXPECT_EQ(run({"/TBX-EXPORT"}), BatchStatus::UsageError);
    EXPECT_EQ(run({"/TBX-EXPORT", (dir / "none" / "x.tbx").string()}), BatchStatus::Failed);
    EXPECT_NE(err.str().find("x.tbx"), std::string::npos) << err.str();
    EXPECT_EQ(run({"/TBX-IMPORT", (dir / "missing.tbx").string()}), BatchStatus::Failed);
    EXPECT_NE(err.str().find("missing.tbx"), std::string::npos) << err.str();
}

// A translation that uses a forbidden variant of a glossary term is found by /CHECK once a
// glossary exists; before, the check has nothing to say.
TEST_F(BatchGlossaryTest, CheckFindsATermTranslatedAgainstTheGlossary)
{
    const std::string rc = dir.write("app.rc", "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n"
                                               " 1 \"Open the file\"\n 2 \"Close the file\"\nEND\n").string();
    const std::string de = dir.write("de.rc", "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\nSTRINGTABLE\nBEGIN\n"
                                              " 1 \"Datei öffnen\"\n 2 \"Akte schließen\"\nEND\n").string();
    const std::string db = (dir / "app_rc.mdb").string();
    ASSERT_EQ(run({"-C", rc, "-A", db, "German", (dir / "out-de.rc").string()}), BatchStatus::Success) << err.str();
    ASSERT_EQ(run({"-I", de, "German", db}), BatchStatus::Success) << err.str() << out.str();
    EXPECT_EQ(run({"/CHECK", db, "German"}), BatchStatus::Success) << out.str();
    EXPECT_FALSE(fs::exists(dir / "glossary.db")) << "a check makes no glossary";

    const std::string tbx = dir.write("terms.tbx", R"(<martif type="TBX-Basic" xml:lang="en"><text><body>
 <termEntry><langSet xml:lang="en"><tig><term>file</term></tig></langSet>
  <langSet xml:lang="de"><tig><term>Datei</term></tig>
   <tig><term>Akte</term><termNote type="administrativeStatus">forbidden</termNote></tig></langSet></termEntry>
</body></text></martif>)").string();
    ASSERT_EQ(run({"/TBX-IMPORT", tbx}), BatchStatus::Success) << err.str();
    EXPECT_EQ(run({"/CHECK", db, "German"}), BatchStatus::CheckAnsweredNo) << out.str();
    EXPECT_NE(out.str().find("[term]"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("'Akte' is forbidden for 'file'"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("1 finding"), std::string::npos) << out.str();
}

TEST_F(BatchGlossaryTest, CandidateTermsOfARealScriptHoldItsMenuWords)
{
    const fs::path corpus = fs::path(QMK_CORPUS_DIR) / "solitaire";
    if (!fs::exists(corpus / "en-US.rc"))
        GTEST_SKIP() << "the script corpus is not there";
    for (const char* file : {"en-US.rc", "resource.h"})
        fs::copy_file(corpus / file, dir / file);
    const std::string db = (dir / "en-US_rc.mdb").string();
    ASSERT_EQ(run({"-C", (dir / "en-US.rc").string()}), BatchStatus::Success) << err.str();

    const std::string tbx = (dir / "candidates.tbx").string();
    ASSERT_EQ(run({"/TERMS", db, "2", tbx}), BatchStatus::Success) << err.str();
    const std::string listed = out.str();
    for (const char* menuWord : {"\nGame\t", "\nDeal\t", "\nDeck\t", "\nOptions\t"})
        EXPECT_NE(listed.find(menuWord), std::string::npos) << menuWord << " not in\n" << listed;
    EXPECT_EQ(listed.find("\nthe\t"), std::string::npos) << "stop words are no terms";
    EXPECT_EQ(listed.find("&"), std::string::npos) << "access keys are left out";

    // The file holds the same candidates as terms a glossary can take in.
    const std::string written = test::readFile(tbx);
    EXPECT_NE(written.find("<term>Options</term>"), std::string::npos);

    EXPECT_EQ(run({"/TERMS", db, "0"}), BatchStatus::UsageError);
    EXPECT_EQ(run({"/TERMS", db, "2", tbx, "more"}), BatchStatus::UsageError);
}

} // namespace
} // namespace qmk
