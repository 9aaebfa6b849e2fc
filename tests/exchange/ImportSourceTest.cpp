// What an import reads is decided by the file's extension, in one place; the import languages;
// the Open dialog's filters with the kind imported last first.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "exchange/ImportSource.h"
#include "exchange/PlatformExchange.h"
#include "parser/LanguageTable.h"
#include "project/CQuillDoc.h"

namespace qmk {
namespace {

TEST(ImportSourceTest, TheExtensionDecidesTheKind)
{
    auto kindOf = [](const char* path) { return projectImportFormat(path)->kind; };
    EXPECT_EQ(kindOf("a/Texts.XLSX"), ExchangeKind::Workbook);
    EXPECT_EQ(kindOf("a/other_rc.mdb"), ExchangeKind::ProjectDatabase);
    EXPECT_EQ(kindOf("a/app-German.rc2"), ExchangeKind::TranslatedScript);
    EXPECT_EQ(kindOf("a/de.xliff"), ExchangeKind::Xliff);
    EXPECT_EQ(kindOf("a/de.po"), ExchangeKind::Po);
    EXPECT_EQ(kindOf("a/de.POT"), ExchangeKind::PoTemplate);
    EXPECT_FALSE(projectImportFormat("a/notes.txt"));
    // A memory's file has a row of its own but goes into no project.
    EXPECT_EQ(exchangeFormatOf("a/memory.tmx")->kind, ExchangeKind::Tmx);
    EXPECT_FALSE(projectImportFormat("a/memory.tmx"));
}

TEST(ImportSourceTest, TheLanguagesAreSortedWithoutArabicAndNeutral)
{
    const std::vector<std::string> names = importLanguageNames();
    // 801 to 840, 61340 to 61347, and the languages added to the original fifty.
    EXPECT_EQ(names.size(), 48u + languageRows().size() - 50u);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Lithuanian (Lithuania)"), 1);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(std::count(names.begin(), names.end(), "Arabic"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Rhaeto-Romanic"), 1);
}

TEST(ImportSourceTest, TheKindImportedLastComesFirstInTheFilters)
{
    EXPECT_EQ(importFilters("xlsx")[1], "Microsoft Excel File (*.xlsx)");
    const std::vector<std::string> filters = importFilters("po");
    // Every kind at once first: the dialog opens showing every file an import reads.
    EXPECT_EQ(filters.front(), "All Supported Files (*.xlsx *.mdb *.rc *.rc* *.xlf *.xliff *.po *.pot)");
    EXPECT_EQ(filters[1], "Gettext PO File (*.po *.pot)");
    EXPECT_EQ(filters[2], "Microsoft Excel File (*.xlsx)");
    EXPECT_EQ(filters.size(), 6u);
    // A template is remembered as PO, whose filter lists it.
    EXPECT_EQ(importFilters("pot")[1], "Gettext PO File (*.po *.pot)");
    EXPECT_EQ(importFilters("pot").size(), 6u);
}

TEST(ImportSourceTest, AnXliffFileIsImportedThroughTheDocumentAndAnUnknownKindRefused)
{
    test::TempDir dir;
    test::RecordingFeedback feedback;
    CQuillDoc doc(feedback, {});
    ASSERT_TRUE(doc.OnOpenDocument(dir.write("app.rc", "STRINGTABLE\nBEGIN\n    IDS_A \"Apple\"\nEND\n")));
    ASSERT_TRUE(doc.NewTranslation(LanguageId{7, 1}, "de.rc"));
    ASSERT_TRUE(doc.reloadRows().done());
    std::vector<ExchangeUnit> units = exchangeUnits(doc, LanguageId{7, 1});
    ASSERT_EQ(units.size(), 1u);
    units[0].target = "Apfel";
    std::string problem;
    ASSERT_TRUE(writeExchangeFile(dir / "de.xlf", ExchangeKind::Xliff, {{"en-US", "de-DE", "app.rc", false}, units}, problem));
    // The file says which translation it holds.
    const std::optional<StatedLanguage> stated = statedImportLanguage(dir / "de.xlf");
    ASSERT_TRUE(stated);
    EXPECT_EQ(stated->tag, "de-DE");
    EXPECT_EQ(stated->language, (LanguageId{7, 1}));
    EXPECT_FALSE(statedImportLanguage(dir / "app.rc"));
    int changed = -1;
    EXPECT_EQ(importFile(doc, LanguageId{7, 1}, dir / "de.xlf", &changed), OperationResult::Done);
    EXPECT_EQ(doc.database().texts().translation(units[0].lineIndex, LanguageId{7, 1})->text, "Apfel");
    EXPECT_TRUE(doc.isModified());
    // The report names the text and its cell is marked.
    EXPECT_EQ(changed, 1);
    EXPECT_NE(feedback.said.back().text.find("1 translation imported.\n\nChanged, and marked in the Text Table: "
                                             "1 text\nIDS_A: Apple -> Apfel"),
              std::string::npos)
        << feedback.said.back().text;
    EXPECT_TRUE(doc.rows().item(0).hasMark(doc.rows().columns().columnOfLanguage(LanguageId{7, 1})));
    EXPECT_EQ(importFile(doc, LanguageId{7, 1}, dir.write("notes.txt", "x")), OperationResult::InputRefused);
    EXPECT_NE(feedback.said.back().text.find("Unsupported file type 'txt'"), std::string::npos);
}

} // namespace
} // namespace qmk
