// A German translation imported from a UTF-8 script into a project whose English script is
// plain ASCII: written back as UTF-8 with its pragma, it compiles through the application's
// main script, which declares UTF-8 before including it, to the same German texts.
#include <gtest/gtest.h>

#include <fstream>

#include "ResourceCompiler.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "exchange/ScriptImport.h"
#include "project/CQuillDoc.h"
#include "project/TranslationEncoding.h"

namespace qmk {

TEST(Utf8TranslationTest, AnImportedUtf8GermanCompilesThroughAUtf8MainScript)
{
    const std::filesystem::path app = test::corpusDir() / "winmine";
    if (test::corpusDir().empty())
        GTEST_SKIP() << "no corpus";
    test::TempDir work;
    for (const auto& e : std::filesystem::directory_iterator(app))
        std::filesystem::copy_file(e.path(), work / e.path().filename());
    test::RecordingFeedback feedback;
    CQuillDoc doc(feedback, {".DLG"});
    ASSERT_TRUE(doc.OnOpenDocument(work / "en-US.rc"));
    ASSERT_EQ(doc.codePage(), 1252);  // plain ASCII, English
    const LanguageId german{7, 1};
    ASSERT_TRUE(ScriptImport(doc, {".DLG"}).run(work / "de-DE.rc", german).ok());
    EXPECT_EQ(translationEncoding(doc.database(), doc.codePage(), german), 65001);
    ASSERT_EQ(doc.writeTranslation(german, work / "written-de.rc"), 1);

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
