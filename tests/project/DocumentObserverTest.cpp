// The document as the one place that changes a project: what its observers hear, in order,
// for each change; edits undone and redone; and the busy rule.
#include <sstream>

#include "SourceUpdateFixture.h"
#include "database/CProjectDatabase.h"
#include "exchange/ScriptImport.h"
#include "project/ProjectObserver.h"
#include "project/TranslationEdit.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

using test::French;
using test::German;

const std::string kScript =
    "IDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"About\"\nBEGIN\n"
    "    LTEXT \"Name:\", IDC_STATIC, 10, 10, 50, 8\n    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n        MENUITEM \"E&xit\", ID_EXIT\n    END\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_LAST \"Last\"\nEND\n";

std::string rowChange(const RowChange& c)
{
    const char* kinds[] = {"inserted", "removed", "changed", "reset"};
    return std::string("rows ") + kinds[static_cast<int>(c.kind)] + " " + std::to_string(c.first) + "+" +
           std::to_string(c.count);
}

class Recorder : public ProjectObserver {
public:
    void translationStored(int line, LanguageId l) override { heard.push_back("stored " + key(line, l)); }
    void itemExcluded(int line, bool on) override { heard.push_back("excluded " + std::to_string(line) + (on ? " on" : " off")); }
    void translationsChanged() override { heard.push_back("translations"); }
    void rowsChanged(const RowChange& change) override { heard.push_back(rowChange(change)); }
    void tableReset() override { heard.push_back("reset"); }
    void sourceUpdated() override { heard.push_back("updated"); }
    void fontChanged(LanguageId l, bool source) override { heard.push_back("font " + key(0, l) + (source ? " source" : "")); }
    void busyChanged(bool busy) override { heard.push_back(busy ? "busy" : "idle"); }

    std::vector<std::string> take() { return std::exchange(heard, {}); }
    static std::string key(int line, LanguageId l) { return std::to_string(line) + " " + std::to_string(l.language); }

    std::vector<std::string> heard;
};

class DocumentObserverTest : public test::SourceUpdateFixture {
protected:
    void SetUp() override
    {
        SourceUpdateFixture::SetUp();
        open(writeScript(kScript, 120));
        translateAll();
        doc->addObserver(&recorder);
        ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
        recorder.take();
    }
    void TearDown() override
    {
        doc->removeObserver(&recorder);
        SourceUpdateFixture::TearDown();
    }
    std::string row(int line) const { return std::to_string(doc->rows().rowOfLineIndex(line)); }

    Recorder recorder;
};

} // namespace

TEST_F(DocumentObserverTest, EachChangeIsHeardOnceInOrder)
{
    const int hello = stringLine("IDS_HELLO");
    ASSERT_EQ(doc->storeTranslation(hello, German, "Hallo"), OperationResult::Done);
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"stored " + Recorder::key(hello, German), "rows changed " + row(hello) + "+1"}));
    EXPECT_TRUE(doc->isModified());
    const int column = doc->rows().columns().columnOfLanguage(German);
    EXPECT_EQ(doc->rows().row(doc->rows().rowOfLineIndex(hello)).cell(column), "Hallo");

    ASSERT_EQ(doc->setExcluded(hello, true), OperationResult::Done);
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"excluded " + std::to_string(hello) + " on", "rows changed " + row(hello) + "+1"}));

    // String tables off: their rows go as ranges, last first; on again: inserted at the top.
    const int before = doc->rows().rowCount();
    ASSERT_EQ(doc->toggleCategory(ProjectSwitch::StringtableEdit, -1), OperationResult::Done);
    const std::vector<std::string> off = recorder.take();
    ASSERT_GE(off.size(), 4u);
    EXPECT_EQ(off.front(), "busy");
    EXPECT_EQ(off.back(), "idle");
    int removed = 0;
    for (std::size_t i = 1; i + 1 < off.size(); ++i) {
        ASSERT_EQ(off[i].rfind("rows removed ", 0), 0u) << off[i];
        removed += std::stoi(off[i].substr(off[i].find('+') + 1));
    }
    EXPECT_EQ(off.size(), 4u);  // the two string tables are two runs of rows
    EXPECT_EQ(doc->rows().rowCount(), before - removed);
    ASSERT_EQ(doc->toggleCategory(ProjectSwitch::StringtableEdit, -1), OperationResult::Done);
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"busy", "rows inserted 0+" + std::to_string(removed), "idle"}));

    feedback.answer = true;
    ASSERT_TRUE(doc->NewTranslation(French, "app-French.rc"));
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"busy", "translations", "reset", "idle"}));
    ASSERT_TRUE(doc->DeleteTranslation(French));
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"busy", "translations", "reset", "idle"}));

    ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"busy", "reset", "idle"}));

    ASSERT_TRUE(saveAndUpdate(kScript + "STRINGTABLE\nBEGIN\n    IDS_NEW \"New\"\nEND\n"));
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"busy", "updated", "reset", "idle"}));
}

TEST_F(DocumentObserverTest, AnEditUndoneAndRedoneRestoresDatabaseRowFlagsAndGauge)
{
    const int bye = stringLine("IDS_BYE");
    ASSERT_TRUE(doc->database().texts().setTranslation(bye, German, "Tschuess", true));  // flagged for review
    ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
    const GaugeFigures flaggedGauge = doc->gauge(German);
    const int index = doc->rows().rowOfLineIndex(bye);
    const int column = doc->rows().columns().columnOfLanguage(German);

    ASSERT_EQ(doc->storeTranslation(bye, German, "Auf Wiedersehen"), OperationResult::Done);
    EXPECT_FALSE(doc->database().texts().translation(bye, German)->modified);
    EXPECT_FALSE(doc->rows().item(index).isModified(German));

    ASSERT_EQ(doc->undo().result, OperationResult::Done);
    EXPECT_EQ(doc->database().texts().translation(bye, German)->text, "Tschuess");
    EXPECT_TRUE(doc->database().texts().translation(bye, German)->modified);
    EXPECT_EQ(doc->rows().row(index).cell(column), "Tschuess");
    EXPECT_TRUE(doc->rows().item(index).isModified(German));
    EXPECT_EQ(doc->gauge(German), flaggedGauge);

    ASSERT_EQ(doc->redo().result, OperationResult::Done);
    EXPECT_EQ(doc->database().texts().translation(bye, German)->text, "Auf Wiedersehen");
    EXPECT_EQ(doc->rows().row(index).cell(column), "Auf Wiedersehen");
    EXPECT_FALSE(doc->history().canRedo());

    ASSERT_EQ(doc->setExcluded(bye, true), OperationResult::Done);
    ASSERT_EQ(doc->undo().result, OperationResult::Done);
    EXPECT_FALSE(doc->database().texts().exclude(bye).value_or(true));
    EXPECT_FALSE(doc->rows().item(index).excluded);
}

TEST_F(DocumentObserverTest, AChangeWhileTheDocumentIsBusyIsRefusedAndChangesNothing)
{
    const int hello = stringLine("IDS_HELLO");
    const std::string before = doc->database().texts().translation(hello, German)->text;
    OperationResult during = OperationResult::Done;
    doc->setUpdateHook([&](int line) {
        if (line == 2)
            during = doc->storeTranslation(hello, German, "mitten im Update");
    });
    ASSERT_TRUE(saveAndUpdate(kScript));
    EXPECT_EQ(during, OperationResult::Refused);
    EXPECT_EQ(doc->database().texts().translation(hello, German)->text, before);
    EXPECT_FALSE(doc->isBusy());
}

} // namespace qmk

namespace qmk {

TEST_F(DocumentObserverTest, CellsAreShownDecodedOnceAndAgainAfterAChange)
{
    // The project is in the Western code page; German is kept in it too.
    const int hello = stringLine("IDS_HELLO");
    const int index = doc->rows().rowOfLineIndex(hello);
    const int column = doc->rows().columns().columnOfLanguage(German);
    ASSERT_EQ(doc->storeTranslation(hello, German, "Gr\xFC\xDF" "e"), OperationResult::Done);
    EXPECT_EQ(doc->rows().displayText(index, column), "Gr\xC3\xBC\xC3\x9F" "e");
    EXPECT_EQ(doc->rows().displayText(index, TextTableColumns::SourceColumn), "Hello");
    ASSERT_EQ(doc->storeTranslation(hello, German, "Hallo"), OperationResult::Done);
    EXPECT_EQ(doc->rows().displayText(index, column), "Hallo");
}

TEST_F(DocumentObserverTest, ATranslationWithoutAFileNameIsWrittenUnderTheDefaultNameWithABeep)
{
    ASSERT_TRUE(WriteTranslatedScripts(*doc));  // German was added without a file name
    EXPECT_EQ(feedback.beeps, 1);
    EXPECT_TRUE(std::filesystem::exists(dir / "app-German.rc"));
}

} // namespace qmk

namespace qmk {

TEST_F(DocumentObserverTest, LongOperationsReportTheirTasksNestedInOrder)
{
    ASSERT_TRUE(doc->NewTranslation(French, "app-French.rc"));
    feedback.tasks.clear();
    ASSERT_TRUE(WriteTranslatedScripts(*doc));
    EXPECT_EQ(feedback.tasks, (std::vector<std::string>{txt::TaskWriteTranslations,
                                                        "  " + formatMessage(msg::SaveFileStatus, {"app-German.rc"}),
                                                        "  " + formatMessage(msg::SaveFileStatus, {"app-French.rc"})}));
    EXPECT_EQ(feedback.depth, 0);

    feedback.tasks.clear();
    ASSERT_TRUE(saveAndUpdate(kScript));
    // The rows are read again once the update has succeeded.
    EXPECT_EQ(feedback.tasks, (std::vector<std::string>{formatMessage(msg::UpdateProgressTitle, {script.string()}),
                                                        txt::TaskReadTexts}));
    EXPECT_EQ(feedback.depth, 0);
}

} // namespace qmk

namespace qmk {

TEST_F(DocumentObserverTest, AnImportedScriptIsHeardAsNewTextsAndACancelledOneChangesNothing)
{
    std::string french = kScript;
    french.replace(french.find("\"Hello\""), 7, "\"Bonjour\"");
    const std::filesystem::path translated = dir.write("app-fr.rc", "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\n" + french);

    feedback.cancelAfterPolls = 0;
    EXPECT_EQ(ScriptImport(*doc, {}).run(translated, French).outcome, OperationResult::Cancelled);
    EXPECT_FALSE(doc->hasTranslation(French));
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"busy", "idle"}));

    feedback.cancelAfterPolls = -1;
    doc->setModified(false);
    ASSERT_TRUE(ScriptImport(*doc, {}).run(translated, French).ok());
    // The rows read again, then the marks on the texts the import changed.
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"busy", "translations", "reset", "rows changed 0+8", "idle"}));
    EXPECT_TRUE(doc->isModified());
    const int hello = stringLine("IDS_HELLO");
    const int column = doc->rows().columns().columnOfLanguage(French);
    ASSERT_GE(column, 0);
    EXPECT_EQ(doc->rows().displayText(doc->rows().rowOfLineIndex(hello), column), "Bonjour");
}

TEST_F(DocumentObserverTest, ANewTranslationRefusedForItsInputKeepsTheDialogOpen)
{
    EXPECT_EQ(doc->NewTranslation(std::nullopt, "app-x.rc"), OperationResult::InputRefused);
    EXPECT_EQ(doc->NewTranslation(German, "app-German2.rc"), OperationResult::InputRefused);
    EXPECT_EQ(doc->NewTranslation(French, ""), OperationResult::InputRefused);
    feedback.answer = false;
    EXPECT_EQ(doc->DeleteTranslation(German), OperationResult::Cancelled);
    EXPECT_TRUE(doc->hasTranslation(German));

    OperationResult during = OperationResult::Done;
    doc->setUpdateHook([&](int line) {
        if (line == 2)
            during = doc->NewTranslation(French, "app-French.rc");
    });
    ASSERT_TRUE(saveAndUpdate(kScript));
    EXPECT_EQ(during, OperationResult::Refused);
    EXPECT_FALSE(doc->hasTranslation(French));
}

} // namespace qmk

namespace qmk {

TEST_F(DocumentObserverTest, AChosenFontIsShownUntilTheProjectClosesAndHeardByTheViews)
{
    const FontSetting usual = doc->font(German, false);
    doc->setFont(German, false, "DejaVu Serif", 0);
    EXPECT_EQ(doc->font(German, false).fontName, "DejaVu Serif");
    EXPECT_EQ(doc->font(German, true).fontName, usual.fontName);  // the source's own choice is apart
    EXPECT_EQ(recorder.take(), (std::vector<std::string>{"font " + Recorder::key(0, German)}));
    doc->setFont(German, false, "DejaVu Serif", 0);  // no change, nothing to hear
    EXPECT_TRUE(recorder.take().empty());
}

} // namespace qmk
