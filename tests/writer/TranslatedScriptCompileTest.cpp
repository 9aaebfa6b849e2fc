// Translations imported from real translated scripts and written back compile to the same
// resources as the scripts they came from: a UTF-8 German through a main script that declares
// UTF-8, and a Visual Studio UTF-16 German as UTF-16.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "ResourceCompiler.h"
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

} // namespace qmk
