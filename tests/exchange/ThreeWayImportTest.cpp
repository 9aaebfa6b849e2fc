// No import reverts newer work: a file coming back from a platform is judged against what its
// export sent, a change on one side only is taken or kept, a change on both is a conflict kept
// here and listed, and a file no export knows replaces no translation unasked.
#include <gtest/gtest.h>

#include <map>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "exchange/PlatformExchange.h"
#include "project/CQuillDoc.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};

const char* const kScript =
    "IDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"About\"\nBEGIN\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\n    IDS_NEW \"New\"\nEND\n";

class ThreeWayImportTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{});
        ASSERT_TRUE(doc->OnOpenDocument(dir.write("app.rc", kScript)));
        ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
        ASSERT_TRUE(doc->reloadRows().done());
        store("IDS_HELLO", "Hallo");
        store("IDS_BYE", "Tschuess");
        store("\"Caption\"", "Info");
        file = dir / (std::string("de.") + GetParam());
    }
    int line(const std::string& ident)
    {
        for (const ExchangeUnit& unit : exchangeUnits(*doc, German))
            if (unit.ident == ident)
                return unit.lineIndex;
        ADD_FAILURE() << "no item " << ident;
        return -1;
    }
    void store(const std::string& ident, const std::string& text)
    {
        ASSERT_EQ(doc->storeTranslation(line(ident), German, text), OperationResult::Done);
    }
    TranslatedText stored(const std::string& ident)
    {
        return doc->database().texts().translation(line(ident), German).value_or(TranslatedText{});
    }
    // The export as a platform receives it, recorded in the project.
    void exportFile()
    {
        ExchangeDocument document = exchangeDocument(*doc, German);
        document.header.exportId = newExportId();
        std::string problem;
        ASSERT_TRUE(writeExchangeFile(file, exchangeFormatOf(file)->kind, document, problem)) << problem;
        recordExport(*doc, German, document);
    }
    // What the platform does to the file: new translations for some units, the export id kept
    // or (another tool's file) lost.
    void editFile(const std::map<std::string, std::string>& targets, bool keepExportId = true)
    {
        std::string problem;
        std::optional<ExchangeDocument> document = readExchangeFile(file, exchangeFormatOf(file)->kind, problem);
        ASSERT_TRUE(document) << problem;
        if (!keepExportId)
            document->header.exportId.clear();
        // A PO file names its units by id alone: the project's units tell which is which.
        std::map<std::string, std::string> byId;
        for (const ExchangeUnit& unit : exchangeUnits(*doc, German))
            if (auto target = targets.find(unit.ident); target != targets.end())
                byId[unit.id] = target->second;
        for (ExchangeUnit& unit : document->units)
            if (auto target = byId.find(unit.id); target != byId.end())
                unit.target = target->second;
        ASSERT_TRUE(writeExchangeFile(file, exchangeFormatOf(file)->kind, *document, problem)) << problem;
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
    std::unique_ptr<CQuillDoc> doc;
    std::filesystem::path file;
};

} // namespace

TEST_P(ThreeWayImportTest, EachSideKeepsItsOwnChangeAndAChangeOnBothIsAConflictKeptHere)
{
    exportFile();
    store("IDS_BYE", "Auf Wiedersehen");  // corrected here after the export
    store("\"Caption\"", "Ueber");         // corrected here, and on the platform below
    editFile({{"IDS_HELLO", "Hallo Welt"}, {"\"Caption\"", "Info-Dialog"}, {"IDS_NEW", "Neu"}});

    PlatformImport run;
    {
        CQuillDoc::RecordedImport step(*doc, file.filename().string());  // as the window records it
        run = importPlatformFile(*doc, German, file);
    }
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_EQ(stored("IDS_HELLO").text, "Hallo Welt");     // the platform's change
    EXPECT_EQ(stored("IDS_NEW").text, "Neu");              // translated there only
    EXPECT_EQ(stored("IDS_BYE").text, "Auf Wiedersehen");  // the file still says what was sent
    EXPECT_EQ(run.result.unchangedOnPlatform, 1);          // IDS_BYE (OK went untranslated)
    EXPECT_EQ(run.result.imported, 2);
    // Both changed: ours kept and flagged for review, both listed.
    EXPECT_EQ(stored("\"Caption\"").text, "Ueber");
    EXPECT_TRUE(stored("\"Caption\"").modified);
    ASSERT_EQ(run.result.conflicts.size(), 1u);
    EXPECT_EQ(run.result.conflicts[0].ours, "Ueber");
    EXPECT_EQ(run.result.conflicts[0].theirs, "Info-Dialog");
    ASSERT_EQ(run.result.refused.size(), 1u);  // what makes the batch end with status 3
    EXPECT_NE(run.result.refused[0].reason.find("Info-Dialog"), std::string::npos);

    // The whole import is one step.
    doc->undo();
    EXPECT_EQ(stored("IDS_HELLO").text, "Hallo");
    EXPECT_FALSE(stored("\"Caption\"").modified);
}

TEST_P(ThreeWayImportTest, AFileSentBackUnchangedLeavesTheNewerWorkAlone)
{
    exportFile();
    store("IDS_HELLO", "Hallo, Welt");
    const PlatformImport run = importPlatformFile(*doc, German, file);
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_EQ(stored("IDS_HELLO").text, "Hallo, Welt");
    EXPECT_EQ(run.result.imported, 0);
    EXPECT_TRUE(run.result.refused.empty());
    EXPECT_EQ(run.result.unchangedOnPlatform, 1);
}

TEST_P(ThreeWayImportTest, AFileOfNoKnownExportReplacesNoTranslationUnlessAsked)
{
    exportFile();
    editFile({{"IDS_HELLO", "Servus"}, {"IDS_NEW", "Neu"}}, false);
    feedback.answer = false;  // "Replace 1 existing translations?" No
    PlatformImport run = importPlatformFile(*doc, German, file);
    ASSERT_TRUE(run.outcome.done()) << run.problem;
    EXPECT_EQ(feedback.askedTexts.size(), 1u);
    EXPECT_EQ(stored("IDS_HELLO").text, "Hallo");
    EXPECT_EQ(stored("IDS_NEW").text, "Neu");  // empty here: filled
    ASSERT_EQ(run.result.kept.size(), 1u);
    EXPECT_EQ(run.result.kept[0].theirs, "Servus");
    ASSERT_EQ(run.result.refused.size(), 1u);

    // Asked to overwrite (the batch's /OVERWRITE): replaced without a question.
    feedback.askedTexts.clear();
    run = importPlatformFile(*doc, German, file, true);
    EXPECT_TRUE(feedback.askedTexts.empty());
    EXPECT_EQ(stored("IDS_HELLO").text, "Servus");
    EXPECT_EQ(run.result.replaced, 1);
    EXPECT_TRUE(run.result.refused.empty());
}

TEST_P(ThreeWayImportTest, TheExportIdComesBackWithTheFileAndOnlyTheNewestExportsAreKept)
{
    exportFile();
    std::string problem;
    const std::optional<ExchangeDocument> read = readExchangeFile(file, exchangeFormatOf(file)->kind, problem);
    ASSERT_TRUE(read) << problem;
    EXPECT_FALSE(read->header.exportId.empty());
    EXPECT_TRUE(doc->database().exports().knows(read->header.exportId, German));
    EXPECT_FALSE(doc->database().exports().knows(read->header.exportId, LanguageId{12, 1}));
    EXPECT_EQ(doc->database().exports().sent(read->header.exportId).at(line("IDS_HELLO")).text, "Hallo");
    for (int i = 0; i < ProjectExports::KeptPerLanguage; ++i)
        exportFile();
    EXPECT_FALSE(doc->database().exports().knows(read->header.exportId, German));
    EXPECT_TRUE(doc->database().exports().sent(read->header.exportId).empty());
}

INSTANTIATE_TEST_SUITE_P(XliffAndPo, ThreeWayImportTest, ::testing::Values("xlf", "po"));

} // namespace qmk
