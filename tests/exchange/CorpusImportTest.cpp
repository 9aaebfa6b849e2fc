// Real translations: each application of the corpus with an English and a German script is
// built from the English one, and the German one is imported into it.
#include <gtest/gtest.h>

#include <iostream>

#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "exchange/ExchangeFixture.h"
#include "exchange/ItemMatcher.h"
#include "exchange/ScriptImport.h"

namespace qmk {
namespace {

namespace fs = std::filesystem;

TEST(CorpusImportTest, GermanScriptsImportIntoTheirEnglishProjects)
{
    const fs::path corpus = test::corpusDir();
    if (corpus.empty())
        GTEST_SKIP() << "no script corpus";
    int applications = 0;
    int allImported = 0;
    int allTexts = 0;
    for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
        if (entry.path().filename() != "en-US.rc" || !fs::exists(entry.path().parent_path() / "de-DE.rc"))
            continue;
        const fs::path german = entry.path().parent_path() / "de-DE.rc";
        test::TempDir dir;
        test::RecordingFeedback feedback;
        CQuillDoc doc(feedback, {".DLG"});
        const fs::path script = dir / "en-US.rc";
        fs::copy_file(entry.path(), script);
        ASSERT_TRUE(doc.OnOpenDocument(script)) << entry.path();

        ScriptImportResult result = ScriptImport(doc, {".DLG"}).run(german, test::German);
        ASSERT_TRUE(result.ok()) << german;

        int texts = 0;
        std::string unmatched;
        const std::size_t column = doc.translations().size() - 1;
        for (const TextRow& row : doc.database().allTextsWithLineKind()) {
            if (!ItemMatcher::isImportedKind(row.lineKind) || row.exclude)
                continue;
            ++texts;
            if (row.translations.at(column).text.empty())
                unmatched += "    kind " + std::to_string(row.lineKind) + " \"" + row.sourceText + "\"\n";
        }
        const std::string name = fs::relative(entry.path().parent_path(), corpus).string();
        std::cout << name << ": " << result.imported << " of " << texts << " texts imported\n" << unmatched;
        EXPECT_GT(result.imported, 0) << name;
        EXPECT_LE(result.imported, texts) << name;
        ++applications;
        allImported += result.imported;
        allTexts += texts;
    }
    std::cout << applications << " applications: " << allImported << " of " << allTexts << " texts imported\n";
    EXPECT_GT(applications, 0);
}

} // namespace
} // namespace qmk
