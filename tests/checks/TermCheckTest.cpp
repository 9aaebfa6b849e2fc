// The term check in a project: findings of the window's checks once the glossary is given, none
// while the project has the check switched off.
#include <gtest/gtest.h>

#include "checks/TranslationFindings.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "memory/TermIndex.h"
#include "project/CQuillDoc.h"

namespace qmk {
namespace {

constexpr LanguageId kGerman{7, 1};

TEST(TermCheck, TheWindowsFindingsHoldATermTranslatedAgainstTheGlossary)
{
    test::TempDir dir;
    test::RecordingFeedback feedback;
    const auto script = dir.write("app.rc", "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n"
                                            "    IDS_OPEN \"Open the file\"\n    IDS_SAVE \"Save the file\"\nEND\n");
    CQuillDoc doc(feedback, std::vector<std::string>{});
    ASSERT_TRUE(doc.OnOpenDocument(script));
    ASSERT_TRUE(doc.NewTranslation(kGerman, "app-de.rc").done());
    ASSERT_TRUE(doc.reloadRows().done());
    std::vector<int> lines;
    for (int row = 0; row < doc.rows().rowCount(); ++row)
        lines.push_back(doc.rows().item(row).lineIndex);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_TRUE(doc.storeTranslation(lines[0], kGerman, "Datei öffnen").done());
    ASSERT_TRUE(doc.storeTranslation(lines[1], kGerman, "Akte speichern").done());

    GlossaryEntry file;
    file.term = "File";
    file.language = "de";
    file.translation = "Datei";
    file.forbidden = {"Akte"};
    const auto terms = std::make_shared<const TermIndex>(std::vector<GlossaryEntry>{file});

    TranslationFindings findings(doc);
    findings.setGlossary([&](LanguageId language) { return language == kGerman ? terms : std::shared_ptr<const TermIndex>(); });
    findings.setLanguage(kGerman);
    ASSERT_EQ(findings.all().size(), 1u);
    EXPECT_EQ(findings.all()[0].check, "term");
    EXPECT_EQ(findings.all()[0].lineIndex, lines[1]);

    // A project that switched the check off keeps it off, glossary or not.
    ASSERT_TRUE(doc.setCheckEnabled("term", false).done());
    EXPECT_TRUE(findings.all().empty());
}

} // namespace
} // namespace qmk
