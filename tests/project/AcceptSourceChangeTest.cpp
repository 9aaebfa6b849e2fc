// Accepting a changed source: the translation's review flag goes in one step of the edit
// history, heard and counted as a store is, and Undo brings the flag back.
#include "SourceUpdateFixture.h"
#include "database/CProjectDatabase.h"
#include "project/ProjectObserver.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

using test::French;
using test::German;

const std::string kScript =
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\n    IDS_FILE \"File\"\nEND\n";

class Heard : public ProjectObserver {
public:
    void translationStored(int line, LanguageId language) override
    {
        stored.emplace_back(line, language.language);
    }
    void rowsChanged(const RowChange& change) override { rows.push_back(change); }
    void clear()
    {
        stored.clear();
        rows.clear();
    }
    std::vector<std::pair<int, int>> stored;
    std::vector<RowChange> rows;
};

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
        file = stringLine("IDS_FILE");
        column = doc->rows().columns().columnOfLanguage(German);
        ASSERT_TRUE(german(hello)->modified);
        doc->addObserver(&heard);
    }
    void TearDown() override
    {
        doc->removeObserver(&heard);
        SourceUpdateFixture::TearDown();
    }
    std::pair<std::string, bool> stored(int line)
    {
        const std::optional<TranslatedText> translation = german(line);
        return translation ? std::make_pair(translation->text, translation->modified) : std::make_pair(std::string("-"), false);
    }
    bool rowFlagged(int line) { return doc->rows().item(doc->rows().rowOfLineIndex(line)).isModified(German); }
    std::string cell(int line) { return doc->rows().row(doc->rows().rowOfLineIndex(line)).cell(column); }

    Heard heard;
    int hello = 0;
    int file = 0;
    int column = 0;
};

} // namespace

TEST_F(AcceptSourceChangeTest, TheFlagGoesTheTextStaysAndObserversHearAStore)
{
    const std::string text = "de:" + std::to_string(hello);
    const GaugeFigures before = doc->gauge(German);
    doc->setModified(false);
    ASSERT_EQ(doc->acceptSourceChange(hello, German), OperationResult::Done);

    EXPECT_EQ(stored(hello), std::make_pair(text, false));
    EXPECT_FALSE(rowFlagged(hello));
    EXPECT_EQ(cell(hello), text);
    EXPECT_EQ(textRow(hello).sourceTextOld, "Hello");  // the old source can still be shown
    EXPECT_EQ(heard.stored, (std::vector<std::pair<int, int>>{{hello, German.language}}));
    const int row = doc->rows().rowOfLineIndex(hello);
    EXPECT_EQ(heard.rows, (std::vector<RowChange>{{RowChange::Kind::Changed, row, 1}}));
    // One of three texts moved from flagged to translated.
    const GaugeFigures after = doc->gauge(German);
    EXPECT_EQ(after.modifiedPercent, before.modifiedPercent - 33);
    EXPECT_EQ(after.translatedPercent, before.translatedPercent + 33);
    EXPECT_TRUE(doc->isModified());
    ASSERT_NE(doc->history().nextUndo(), nullptr);
    EXPECT_EQ(doc->history().nextUndo()->label, "accept '" + text + "' (German) for the changed source");
}

TEST_F(AcceptSourceChangeTest, UndoBringsTheFlagBackAndRedoTakesItAgain)
{
    const std::string text = "de:" + std::to_string(hello);
    const GaugeFigures flagged = doc->gauge(German);
    ASSERT_TRUE(doc->acceptSourceChange(hello, German).done());
    const GaugeFigures accepted = doc->gauge(German);

    const CQuillDoc::HistoryMove undone = doc->undo();
    ASSERT_TRUE(undone.result.done());
    EXPECT_EQ(undone.lineIndex, hello);
    EXPECT_EQ(undone.language, German);
    EXPECT_EQ(stored(hello), std::make_pair(text, true));
    EXPECT_TRUE(rowFlagged(hello));
    EXPECT_EQ(doc->gauge(German), flagged);
    EXPECT_FALSE(doc->history().canUndo());  // the update before started the history anew

    ASSERT_TRUE(doc->redo().result.done());
    EXPECT_EQ(stored(hello), std::make_pair(text, false));
    EXPECT_FALSE(rowFlagged(hello));
    EXPECT_EQ(doc->gauge(German), accepted);
    // A later store undone leaves the acceptance in place.
    ASSERT_TRUE(doc->storeTranslation(hello, German, "Hallo").done());
    ASSERT_TRUE(doc->undo().result.done());
    EXPECT_EQ(stored(hello), std::make_pair(text, false));
}

TEST_F(AcceptSourceChangeTest, AnUnflaggedTranslationOrABusyDocumentChangesNothing)
{
    ASSERT_TRUE(doc->storeTranslation(file, German, "Datei").done());
    const std::string lastStep = doc->history().nextUndo()->label;
    heard.clear();
    feedback.said.clear();
    doc->setModified(false);

    EXPECT_EQ(doc->acceptSourceChange(file, German), OperationResult::Cancelled);
    EXPECT_EQ(doc->acceptSourceChange(hello, French), OperationResult::Cancelled);  // no such translation
    EXPECT_EQ(doc->acceptSourceChange(999999, German), OperationResult::Cancelled);  // no such line
    {
        CQuillDoc::LongOperation operation(*doc);
        EXPECT_EQ(doc->acceptSourceChange(hello, German), OperationResult::Refused);
    }
    EXPECT_TRUE(german(hello)->modified);
    EXPECT_EQ(doc->history().nextUndo()->label, lastStep);
    EXPECT_TRUE(heard.stored.empty());
    EXPECT_FALSE(doc->isModified());
    EXPECT_TRUE(feedback.said.empty());
}

} // namespace qmk
