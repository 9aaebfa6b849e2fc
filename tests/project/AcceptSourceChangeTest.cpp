// Accepting a changed source: the translation's review flag goes in one step of the edit
// history, counted as a store is, and Undo brings the flag back.
#include "SourceUpdateFixture.h"
#include "database/CProjectDatabase.h"

namespace qmk {
namespace {

using test::French;
using test::German;

const std::string kScript =
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\n    IDS_FILE \"File\"\nEND\n";

// IDS_HELLO and IDS_BYE changed in the script, so their German translations are flagged.
class AcceptSourceChangeTest : public test::SourceUpdateFixture {
protected:
    void SetUp() override
    {
        SourceUpdateFixture::SetUp();
        open(writeScript(kScript, 120));
        translateAll();
        ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
        std::string changed = kScript;
        changed.replace(changed.find("\"Hello\""), 7, "\"Hello there\"");
        changed.replace(changed.find("\"Goodbye\""), 9, "\"Bye\"");
        ASSERT_TRUE(saveAndUpdate(changed));
        hello = stringLine("IDS_HELLO");
        text = "de:" + std::to_string(hello);
        ASSERT_TRUE(german(hello)->modified);
    }
    // The translation in the database and in its row: text and flag.
    void expectHello(bool flagged)
    {
        EXPECT_EQ(german(hello)->text, text);
        EXPECT_EQ(german(hello)->modified, flagged);
        const TextTableRows& rows = doc->rows();
        const int row = rows.rowOfLineIndex(hello);
        EXPECT_EQ(rows.row(row).cell(rows.columns().columnOfLanguage(German)), text);
        EXPECT_EQ(rows.item(row).isModified(German), flagged);
    }

    int hello = 0;
    std::string text;
};

} // namespace

TEST_F(AcceptSourceChangeTest, TheFlagGoesInOneStepThatUndoAndRedoMove)
{
    const GaugeFigures flagged = doc->gauge(German);
    ASSERT_EQ(doc->acceptSourceChange(hello, German), OperationResult::Done);
    expectHello(false);
    EXPECT_EQ(textRow(hello).sourceTextOld, "Hello");  // the old source can still be shown
    const GaugeFigures accepted = doc->gauge(German);  // one of three texts moved over
    EXPECT_EQ(accepted.modifiedPercent, flagged.modifiedPercent - 33);
    EXPECT_EQ(accepted.translatedPercent, flagged.translatedPercent + 33);
    ASSERT_NE(doc->history().nextUndo(), nullptr);
    EXPECT_EQ(doc->history().nextUndo()->label, "accept '" + text + "' (German) for the changed source");

    const CQuillDoc::HistoryMove undone = doc->undo();
    ASSERT_TRUE(undone.result.done());
    EXPECT_EQ(undone.lineIndex, hello);
    EXPECT_EQ(undone.language, German);
    expectHello(true);
    EXPECT_EQ(doc->gauge(German), flagged);
    EXPECT_FALSE(doc->history().canUndo());  // the update before started the history anew

    ASSERT_TRUE(doc->redo().result.done());
    expectHello(false);
    EXPECT_EQ(doc->gauge(German), accepted);
}

TEST_F(AcceptSourceChangeTest, AnUnflaggedTranslationOrABusyDocumentChangesNothing)
{
    const int file = stringLine("IDS_FILE");
    ASSERT_TRUE(doc->storeTranslation(file, German, "Datei").done());
    const std::string lastStep = doc->history().nextUndo()->label;
    feedback.said.clear();
    doc->setModified(false);

    EXPECT_EQ(doc->acceptSourceChange(file, German), OperationResult::Cancelled);
    EXPECT_EQ(doc->acceptSourceChange(hello, French), OperationResult::Cancelled);   // no such translation
    EXPECT_EQ(doc->acceptSourceChange(999999, German), OperationResult::Cancelled);  // no such line
    {
        CQuillDoc::LongOperation operation(*doc);
        EXPECT_EQ(doc->acceptSourceChange(hello, German), OperationResult::Refused);
    }
    expectHello(true);
    EXPECT_EQ(doc->history().nextUndo()->label, lastStep);
    EXPECT_FALSE(doc->isModified());
    EXPECT_TRUE(feedback.said.empty());
}

} // namespace qmk
