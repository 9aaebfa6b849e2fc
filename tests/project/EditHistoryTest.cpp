// The document's one edit history: every change a translator makes is a step Undo takes back
// whole and names, an import included; nothing Undo does may drop a translation that stays.
#include "SourceUpdateFixture.h"
#include "database/CProjectDatabase.h"
#include "exchange/ScriptImport.h"
#include "project/ProjectObserver.h"
#include "project/TranslationEdit.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

using test::French;
using test::German;

const std::string kScript =
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\n    IDS_FILE \"File\"\nEND\n";

class EditHistoryTest : public test::SourceUpdateFixture {
protected:
    void SetUp() override
    {
        SourceUpdateFixture::SetUp();
        open(writeScript(kScript, 120));
        translateAll();  // German "de:<LineIndex>"
        ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
        hello = stringLine("IDS_HELLO");
        bye = stringLine("IDS_BYE");
    }
    std::string germanText(int line) { return german(line).value_or(TranslatedText{}).text; }
    // A German script holding `hello` as the translation of IDS_HELLO, imported as a file.
    OperationResult importGerman(const std::string& helloText)
    {
        std::string script = kScript;
        script.replace(script.find("\"Hello\""), 7, "\"" + helloText + "\"");
        const std::filesystem::path file = dir.write("app-de.rc", "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n" + script);
        CQuillDoc::RecordedImport recorded(*doc, "app-de.rc");
        return ScriptImport(*doc, {}).run(file, German).outcome;
    }

    int hello = 0;
    int bye = 0;
};

} // namespace

TranslationEdit editOf(int lineIndex)
{
    TranslationEdit edit;
    edit.lineIndex = lineIndex;
    return edit;
}

TEST(EditHistoryStepsTest, AGroupIsOneStepAndANewChangeDropsWhatWasUndone)
{
    EditHistory history;
    history.record(editOf(1), "store 'a' (German)");
    history.beginGroup("Replace All");
    history.beginGroup("inner");  // the outer group holds
    history.record(editOf(2), "store 'b' (German)");
    history.record(editOf(3), "store 'c' (German)");
    history.endGroup();
    history.endGroup();
    history.beginGroup("empty");
    history.endGroup();  // leaves no step
    ASSERT_NE(history.nextUndo(), nullptr);
    EXPECT_EQ(history.nextUndo()->label, "Replace All");
    EXPECT_EQ(history.nextUndo()->edits.size(), 2u);
    history.undone();
    EXPECT_EQ(history.nextUndo()->label, "store 'a' (German)");
    EXPECT_EQ(history.nextRedo()->label, "Replace All");
    history.record(editOf(4), "exclude 'x'");
    EXPECT_FALSE(history.canRedo());
    for (std::size_t i = 0; i < EditHistory::MostSteps + 5; ++i)
        history.record(editOf(5), "store 'n' (German)");
    std::size_t steps = 0;
    for (; history.canUndo(); ++steps)
        history.undone();
    EXPECT_EQ(steps, EditHistory::MostSteps);  // the oldest are forgotten
}

TEST_F(EditHistoryTest, StoreAndExcludeAreNamedStepsThatShowTheItemTheyChanged)
{
    ASSERT_TRUE(doc->storeTranslation(hello, German, "Gr\xFC\xDF" "e").done());
    ASSERT_NE(doc->history().nextUndo(), nullptr);
    EXPECT_EQ(doc->history().nextUndo()->label, "store 'Gr\xC3\xBC\xC3\x9F" "e' (German)");
    ASSERT_TRUE(doc->setExcluded(bye, true).done());
    EXPECT_EQ(doc->history().nextUndo()->label, "exclude 'Goodbye'");

    const CQuillDoc::HistoryMove included = doc->undo();
    ASSERT_TRUE(included.result.done());
    EXPECT_EQ(included.lineIndex, bye);
    EXPECT_FALSE(included.language);
    EXPECT_FALSE(textRow(bye).exclude);
    EXPECT_FALSE(doc->rows().item(doc->rows().rowOfLineIndex(bye)).excluded);

    const CQuillDoc::HistoryMove unstored = doc->undo();
    ASSERT_TRUE(unstored.result.done());
    EXPECT_EQ(unstored.lineIndex, hello);
    EXPECT_EQ(unstored.language, German);
    EXPECT_EQ(germanText(hello), "de:" + std::to_string(hello));
    EXPECT_EQ(doc->undo().result, OperationResult::Refused);  // nothing left

    ASSERT_TRUE(doc->redo().result.done());
    EXPECT_EQ(germanText(hello), "Gr\xFC\xDF" "e");
}

TEST_F(EditHistoryTest, AnImportIsOneStepOverTheEditsBeforeIt)
{
    // The edit empties the text (a script import fills only empty ones), the import fills it.
    ASSERT_TRUE(doc->storeTranslation(hello, German, "").done());
    ASSERT_TRUE(importGerman("Guten Tag").done());
    EXPECT_EQ(germanText(hello), "Guten Tag");
    ASSERT_NE(doc->history().nextUndo(), nullptr);
    EXPECT_EQ(doc->history().nextUndo()->label, "import app-de.rc");

    // Undo takes the import back, and only the import: the edit before it is there again.
    ASSERT_TRUE(doc->undo().result.done());
    EXPECT_EQ(germanText(hello), "");
    const int column = doc->rows().columns().columnOfLanguage(German);
    EXPECT_EQ(doc->rows().row(doc->rows().rowOfLineIndex(hello)).cell(column), "");
    ASSERT_TRUE(doc->redo().result.done());
    EXPECT_EQ(germanText(hello), "Guten Tag");
    EXPECT_EQ(doc->rows().row(doc->rows().rowOfLineIndex(hello)).cell(column), "Guten Tag");

    // Two undos: the import, then the edit.
    ASSERT_TRUE(doc->undo().result.done());
    ASSERT_TRUE(doc->undo().result.done());
    EXPECT_EQ(germanText(hello), "de:" + std::to_string(hello));
    // An import that changes nothing leaves no step.
    ASSERT_TRUE(doc->redo().result.done());
    ASSERT_TRUE(doc->storeTranslation(hello, German, "Hallo").done());
    ASSERT_TRUE(importGerman("Guten Tag").done());
    EXPECT_EQ(doc->history().nextUndo()->label, "store 'Hallo' (German)");
}

TEST_F(EditHistoryTest, AnImportThatAddsATranslationIsUndoneToEmptyTexts)
{
    std::string french = kScript;
    french.replace(french.find("\"Hello\""), 7, "\"Bonjour\"");
    const std::filesystem::path file = dir.write("app-fr.rc", "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\n" + french);
    {
        CQuillDoc::RecordedImport recorded(*doc, "app-fr.rc");
        ASSERT_TRUE(ScriptImport(*doc, {}).run(file, French).ok());
    }
    ASSERT_TRUE(doc->hasTranslation(French));
    ASSERT_TRUE(doc->undo().result.done());
    EXPECT_EQ(doc->database().texts().translation(hello, French)->text, "");
    EXPECT_EQ(germanText(hello), "de:" + std::to_string(hello));  // untouched
}

TEST_F(EditHistoryTest, MarkAllAndRemoveMarksAreStepsOfTheirOwn)
{
    const int column = doc->rows().columns().columnOfLanguage(German);
    const int helloRow = doc->rows().rowOfLineIndex(hello);
    doc->markCells({{helloRow, column}, {doc->rows().rowOfLineIndex(bye), column}});
    EXPECT_EQ(doc->history().nextUndo()->label, "mark 2 texts");
    doc->removeMarks();
    EXPECT_FALSE(doc->rows().item(helloRow).hasMark(column));
    ASSERT_TRUE(doc->undo().result.done());  // the marks are back
    EXPECT_TRUE(doc->rows().item(helloRow).hasMark(column));
    ASSERT_TRUE(doc->undo().result.done());  // before Mark All: none
    EXPECT_FALSE(doc->rows().item(helloRow).hasMark(column));
    doc->removeMarks();  // nothing to remove: no step
    EXPECT_TRUE(doc->history().canRedo());
}

TEST_F(EditHistoryTest, ChangesTheHistoryCannotTakeBackStartItAnew)
{
    ASSERT_TRUE(doc->storeTranslation(hello, German, "Hallo").done());
    // A store under a long operation without a recorded import (a batch import) cannot be
    // undone, so older steps must not be undone over it either.
    {
        CQuillDoc::LongOperation operation(*doc);
        ASSERT_TRUE(doc->storeTranslation(operation, hello, German, "Servus").done());
    }
    EXPECT_FALSE(doc->history().canUndo());
    EXPECT_EQ(feedback.statusTexts.back(), txt::HistoryCleared);

    ASSERT_TRUE(doc->storeTranslation(hello, German, "Hallo").done());
    feedback.answer = true;
    ASSERT_TRUE(doc->NewTranslation(French, "app-French.rc").done());
    EXPECT_FALSE(doc->history().canUndo());
}

TEST_F(EditHistoryTest, AFailingStepStaysToBeUndoneAndABusyDocumentRefusesUndo)
{
    ASSERT_TRUE(doc->storeTranslation(hello, German, "Hallo").done());
    {
        CQuillDoc::LongOperation operation(*doc);
        EXPECT_EQ(doc->undo().result, OperationResult::Refused);
    }
    EXPECT_TRUE(doc->history().canUndo());
    EXPECT_EQ(germanText(hello), "Hallo");
}

namespace {

// Checks that each insertion, removal and reset is told before the rows change and after.
class RowCounter : public RowChangeListener {
public:
    explicit RowCounter(const TextTableRows& rows) : rows_(rows) {}
    void rowsAboutToChange(const RowChange& change) override
    {
        before_ = rows_.rowCount();
        told.push_back(change);
    }
    void rowsChangedNow(const RowChange& change) override
    {
        ASSERT_FALSE(told.empty());
        EXPECT_EQ(told.back(), change);
        if (change.kind == RowChange::Kind::Inserted) {
            EXPECT_EQ(rows_.rowCount(), before_ + change.count);
        }
        if (change.kind == RowChange::Kind::Removed) {
            EXPECT_EQ(rows_.rowCount(), before_ - change.count);
        }
        ++done;
    }
    std::vector<RowChange> told;
    int done = 0;

private:
    const TextTableRows& rows_;
    int before_ = 0;
};

} // namespace

TEST_F(EditHistoryTest, RowsAreAnnouncedBeforeTheyChangeAndToldAfter)
{
    TextTableRows rows;
    RowCounter counter(rows);
    rows.setListener(&counter);
    ProjectSwitches switches;
    ASSERT_TRUE(rows.reload(doc->database(), switches));
    ASSERT_EQ(counter.told.size(), 1u);
    EXPECT_EQ(counter.told[0].kind, RowChange::Kind::Reset);
    rows.toggleCategory(doc->database(), switches, ProjectSwitch::StringtableEdit, -1);
    rows.toggleCategory(doc->database(), switches, ProjectSwitch::StringtableEdit, -1);
    EXPECT_EQ(counter.done, static_cast<int>(counter.told.size()));
    EXPECT_EQ(counter.told.back().kind, RowChange::Kind::Inserted);
    EXPECT_TRUE(rows.takeChanges().empty());  // told, not collected
}

TEST_F(EditHistoryTest, NextItemSkipsRowsAFilterHides)
{
    const TextTableRows& rows = doc->rows();
    ASSERT_EQ(rows.rowCount(), 3);
    const int column = rows.columns().columnOfLanguage(German);
    ASSERT_TRUE(doc->storeTranslation(bye, German, "").done());
    ASSERT_TRUE(doc->storeTranslation(stringLine("IDS_FILE"), German, "").done());
    const std::vector<bool> shown = {true, false, true};
    EXPECT_EQ(rows.nextItem(0, column), 1);
    EXPECT_EQ(rows.nextItem(0, column, &shown), 2);
    const std::vector<bool> onlyFirst = {true, false, false};
    EXPECT_EQ(rows.nextItem(0, column, &onlyFirst), 0);  // wraps to the one row shown
    const std::vector<bool> none = {false, false, false};
    EXPECT_EQ(rows.nextItem(0, column, &none), -1);
}

} // namespace qmk

#include <sqlite3.h>

namespace qmk {

// A translation added to a damaged project is added whole or not at all.
TEST_F(EditHistoryTest, ANewTranslationThatFailsLeavesNoColumnBehind)
{
    const std::filesystem::path database = doc->databasePath();
    doc->OnCloseDocument();
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "DROP TABLE VersionBlockHeader", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
    open(database);
    EXPECT_EQ(doc->NewTranslation(French, "app-French.rc"), OperationResult::Failed);
    EXPECT_FALSE(doc->hasTranslation(French));
    EXPECT_FALSE(doc->database().languages().translationColumnExists(French));
    EXPECT_TRUE(doc->hasTranslation(German));  // what was there stays
}

} // namespace qmk
