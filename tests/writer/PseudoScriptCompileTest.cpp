// A pseudo-translation of every script of the corpus is written and compiles as its source
// does, without a warning of its own; the fit measure then finds the controls too narrow.
#include <gtest/gtest.h>

#include "ResourceCompiler.h"
#include "checks/PseudoTranslation.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "project/CQuillDoc.h"
#include "project/TextFit.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

TEST(PseudoScriptCompileTest, EveryCorpusScriptPseudoTranslatedCompilesWithoutWarnings)
{
    if (test::corpusDir().empty() || !test::resourceCompilerAvailable())
        GTEST_SKIP() << "no corpus or no resource compiler";
    const LanguageId pseudoLanguage{7, 1};
    int compiled = 0;
    int filled = 0;
    int overflowing = 0;
    for (const auto& entry : fs::recursive_directory_iterator(test::corpusDir())) {
        if (!entry.is_regular_file() || entry.path().extension() != ".rc")
            continue;
        const fs::path script = entry.path();
        SCOPED_TRACE(script.string());
        test::TempDir work;
        for (const auto& e : fs::directory_iterator(script.parent_path()))
            if (e.is_regular_file())
                fs::copy_file(e.path(), work / e.path().filename());
        test::prepareScratchFolder(work.path());
        std::string sourceMessages;
        if (!test::compiledDump(work / script.filename(), test::DumpLanguages::Drop, &sourceMessages))
            continue;  // needs more of its program than the corpus holds

        test::RecordingFeedback feedback;
        CQuillDoc doc(feedback, {".DLG"});
        ASSERT_TRUE(doc.OnOpenDocument(work / script.filename()));
        ASSERT_TRUE(doc.NewTranslation(pseudoLanguage, "pseudo.rc").done());
        const PseudoResult pseudo = pseudoTranslate(doc, pseudoLanguage);
        ASSERT_TRUE(pseudo.outcome.done());
        filled += pseudo.filled;
        overflowing += static_cast<int>(checkTextFit(doc, pseudoLanguage, approximateTextMetrics()).size());
        ASSERT_EQ(writeTranslation(doc, pseudoLanguage, work / "pseudo.rc"), 1);

        std::string messages;
        EXPECT_TRUE(test::compiledDump(work / "pseudo.rc", test::DumpLanguages::Drop, &messages)) << messages;
        // Whatever the compiler says of the pseudo script it said of the source already.
        EXPECT_EQ(messages.find("warning") != std::string::npos, sourceMessages.find("warning") != std::string::npos)
            << messages;
        ++compiled;
    }
    EXPECT_GT(compiled, 10);
    EXPECT_GT(filled, 500);
    EXPECT_GT(overflowing, 0);
    std::printf("pseudo-translated %d texts of %d scripts; %d controls too narrow\n", filled, compiled, overflowing);
}

} // namespace
} // namespace qmk
