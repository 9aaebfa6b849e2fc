// Translations imported from real translated scripts and written back compile to the same
// resources as the scripts they came from: a UTF-8 German through a main script that declares
// UTF-8, and a Visual Studio UTF-16 German as UTF-16.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "ResourceCompiler.h"
#include "app/BatchRunner.h"
#include "app/CBatchCommandLineInfo.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "exchange/ScriptImport.h"
#include "project/CQuillDoc.h"
#include "project/TranslationEncoding.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

// Copies the application's folder, builds the English project and imports the translation.
std::unique_ptr<CQuillDoc> projectWithImport(const std::filesystem::path& app, const test::TempDir& work,
                                             const std::string& english, const std::string& translated,
                                             LanguageId language, test::RecordingFeedback& feedback)
{
    for (const auto& e : std::filesystem::directory_iterator(app))
        if (e.is_regular_file())
            std::filesystem::copy_file(e.path(), work / e.path().filename());
    auto doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{".DLG"});
    EXPECT_TRUE(doc->OnOpenDocument(work / english));
    EXPECT_TRUE(ScriptImport(*doc, {".DLG"}).run(work / translated, language).ok());
    return doc;
}

} // namespace

TEST(TranslatedScriptCompileTest, AVisualStudioUtf16GermanIsWrittenBackAsUtf16AndCompiles)
{
    if (test::msvcCorpusDir().empty())
        GTEST_SKIP() << "no Visual Studio corpus";
    test::TempDir work;
    test::RecordingFeedback feedback;
    const LanguageId german{7, 1};
    auto doc = projectWithImport(test::msvcCorpusDir() / "explorerpp", work, "en-US.rc", "de-DE.rc", german, feedback);
    ASSERT_TRUE(doc);
    EXPECT_EQ(translationEncoding(doc->database(), doc->codePage(), german), 1200);
    ASSERT_EQ(writeTranslation(*doc, german, work / "written-de.rc"), 1);
    EXPECT_EQ(test::readFile(work / "written-de.rc").substr(0, 2), "\xFF\xFE");

    if (!test::resourceCompilerAvailable())
        return;
    test::prepareScratchFolder(work.path());
    const auto original = test::compiledDump(work / "de-DE.rc");
    ASSERT_TRUE(original);
    const auto ours = test::compiledDump(work / "written-de.rc");
    ASSERT_TRUE(ours);
    EXPECT_EQ(*ours, *original);
}

TEST(TranslatedScriptCompileTest, AnImportedUtf8GermanCompilesThroughAUtf8MainScript)
{
    const std::filesystem::path app = test::corpusDir() / "winmine";
    if (test::corpusDir().empty())
        GTEST_SKIP() << "no corpus";
    test::TempDir work;
    test::RecordingFeedback feedback;
    const LanguageId german{7, 1};
    auto project = projectWithImport(app, work, "en-US.rc", "de-DE.rc", german, feedback);
    ASSERT_TRUE(project);
    CQuillDoc& doc = *project;
    ASSERT_EQ(doc.codePage(), 1252);  // plain ASCII, English
    EXPECT_EQ(translationEncoding(doc.database(), doc.codePage(), german), 65001);
    ASSERT_EQ(writeTranslation(doc, german, work / "written-de.rc"), 1);

    const std::string written = test::readFile(work / "written-de.rc");
    EXPECT_NE(written.find("#pragma code_page(65001)"), std::string::npos);
    EXPECT_NE(written.find("\"&Anf\xC3\xA4nger\""), std::string::npos);

    if (!test::resourceCompilerAvailable())
        return;
    std::ofstream(work / "main-written.rc") << "#pragma code_page(65001)\n#include \"written-de.rc\"\n";
    std::ofstream(work / "main-original.rc") << "#pragma code_page(65001)\n#include \"de-DE.rc\"\n";
    test::prepareScratchFolder(work.path());
    const auto original = test::compiledDump(work / "main-original.rc");
    ASSERT_TRUE(original);
    const auto ours = test::compiledDump(work / "main-written.rc");
    ASSERT_TRUE(ours);
    EXPECT_EQ(*ours, *original);
    EXPECT_NE(ours->find("L\"&Anf\\344nger\""), std::string::npos) << *ours;  // the compiler dumps ä in octal
}

TEST(TranslatedScriptCompileTest, LanguagesAddedByTheirIdsAreWrittenAndCompile)
{
    // Lithuanian (1063), Arabic (U.A.E.) (14337) and Burmese (1109), which no header names,
    // added by their numbers, written and compiled to resources of those languages.
    test::TempDir work;
    const std::string rc = work.write("app.rc", "#include <windows.h>\nLANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n"
                                                "STRINGTABLE\nBEGIN\n 1 \"One\"\nEND\n").string();
    const std::string db = (work / "app_rc.mdb").string();
    std::ostringstream out, err;
    auto run = [&](const std::vector<std::string>& args) {
        CBatchCommandLineInfo cmd;
        cmd.parseArguments(args);
        BatchReport report(out, err, "");
        return BatchRunner({".DLG"}).run(cmd, report);
    };
    ASSERT_EQ(run({"-C", rc}), BatchStatus::Success) << err.str();
    const struct {
        std::string id, statement, compiled;
    } languages[] = {
        {"1063", "LANGUAGE  LANG_LITHUANIAN, SUBLANG_LITHUANIAN", "LANGUAGE 39, 1"},
        {"14337", "LANGUAGE  LANG_ARABIC, SUBLANG_ARABIC_UAE", "LANGUAGE 1, 14"},
        {"1109", "LANGUAGE  0x55, 0x01", "LANGUAGE 85, 1"},
    };
    for (const auto& language : languages) {
        const std::string file = (work / ("app-" + language.id + ".rc")).string();
        ASSERT_EQ(run({"-A", db, language.id, file}), BatchStatus::Success) << err.str();
        ASSERT_EQ(run({"-RC", db, language.id, file}), BatchStatus::Success) << err.str();
        const std::string written = test::readFile(file);
        EXPECT_NE(written.find("\r\n" + language.statement + "\r\n"), std::string::npos) << written;
        if (!test::resourceCompilerAvailable())
            continue;
        const auto dump = test::compiledDump(file, test::DumpLanguages::Keep);
        ASSERT_TRUE(dump) << written;
        EXPECT_NE(dump->find(language.compiled), std::string::npos) << *dump;
    }
}

} // namespace qmk
