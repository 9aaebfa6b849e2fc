#include "SourceUpdateFixture.h"

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>

#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/LineIndexAllocator.h"
#include "database/SqliteDatabase.h"
#include "project/FileStamp.h"
#include "project/SourceUpdate.h"
#include "parser/ParserCodes.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"

namespace qmk {
namespace {

using test::German;
using test::French;

const std::string kScript =
    "#include \"resource.h\"\n"
    "IDD_ABOUT DIALOGEX 0, 0, 200, 100\n"
    "STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION\n"
    "CAPTION \"About\"\n"
    "BEGIN\n"
    "    LTEXT \"Name:\", IDC_STATIC, 10, 10, 50, 8\n"
    "    LTEXT \"Version:\", IDC_STATIC, 10, 20, 50, 8\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\n"
    "END\n"
    "IDM_MAIN MENU\n"
    "BEGIN\n"
    "    POPUP \"&File\"\n"
    "    BEGIN\n"
    "        MENUITEM \"&Open\", ID_OPEN\n"
    "        MENUITEM \"E&xit\", ID_EXIT\n"
    "    END\n"
    "END\n"
    "STRINGTABLE\n"
    "BEGIN\n"
    "    IDS_HELLO \"Hello\"\n"
    "    IDS_BYE \"Goodbye\"\n"
    "END\n"
    "VS_VERSION_INFO VERSIONINFO\n"
    "FILEVERSION 1,0,0,0\n"
    "BEGIN\n"
    "    BLOCK \"StringFileInfo\"\n"
    "    BEGIN\n"
    "        BLOCK \"040904b0\"\n"
    "        BEGIN\n"
    "            VALUE \"FileDescription\", \"Sample\"\n"
    "        END\n"
    "    END\n"
    "END\n";

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Every text of the project with what a translator has put into it.
struct Snapshot {
    std::map<int, std::pair<std::string, TranslatedText>> texts;
    bool operator==(const Snapshot& o) const
    {
        return texts.size() == o.texts.size() &&
               std::equal(texts.begin(), texts.end(), o.texts.begin(), [](const auto& a, const auto& b) {
                   return a.first == b.first && a.second.first == b.second.first &&
                          a.second.second.text == b.second.second.text &&
                          a.second.second.modified == b.second.second.modified;
               });
    }
};

class SourceUpdateTest : public test::SourceUpdateFixture {
protected:
    void openTranslated(const std::string& text = kScript)
    {
        open(writeScript(text));
        translateAll();
    }

    Snapshot snapshot()
    {
        Snapshot s;
        for (const TextRow& row : texts())
            s.texts[row.lineIndex] = {row.sourceText, row.translations.empty() ? TranslatedText{} : row.translations[0]};
        return s;
    }

    // Line keys of the dialog's texts that share an identifier, in script order.
    std::vector<int> controls(const std::string& ident)
    {
        std::vector<int> lines;
        for (const IdentRow& dialog : doc->database().items().resources(ResourceList::Dialogs))
            for (const DialogItemRow& item : doc->database().items().dialogTextItems(dialog.lineIndex))
                if (item.nameId == ident)
                    lines.push_back(item.lineIndex);
        return lines;
    }
};

} // namespace

TEST_F(SourceUpdateTest, ScriptSavedAgainUnchangedIsUpToDateAndAnUpdateKeepsEverything)
{
    openTranslated();
    const Snapshot before = snapshot();
    ASSERT_FALSE(doc->IsSourceChanged());

    dir.write("app.rc", kScript);
    test::setModificationTime(script, start + 60);
    EXPECT_FALSE(doc->IsSourceChanged());
    ASSERT_TRUE(doc->UpdateDatabase());

    EXPECT_EQ(snapshot(), before);
    for (const TextRow& row : texts()) {
        EXPECT_FALSE(row.modified);
        EXPECT_TRUE(row.sourceTextOld.empty());
    }
    EXPECT_FALSE(doc->sourceChanged());
    EXPECT_FALSE(doc->IsSourceChanged());  // the new stamp was stored
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->lastUpdateCounts(), UpdateCounts{});
    ASSERT_FALSE(feedback.said.empty());
    EXPECT_EQ(feedback.said.back().text, formatMessage(msg::UpdateSuccessful, {script.string()}) +
                                             "\n\n0 texts changed, 0 new texts, 0 texts removed, "
                                             "0 translations flagged for review.");
    EXPECT_TRUE(workingFiles().empty());
}

TEST_F(SourceUpdateTest, TheUpdateCountsTheTextsChangedAddedRemovedAndTheTranslationsFlagged)
{
    openTranslated();
    ASSERT_TRUE(doc->database().languages().addTranslation(French));
    doc->database().texts().setTranslation(stringLine("IDS_HELLO"), French, "Bonjour", false);
    std::string text = replaced(kScript, "\"Hello\"", "\"Hello!\"");
    text = replaced(text, "    IDS_BYE \"Goodbye\"\n", "    IDS_NEW \"New\"\n    IDS_LATER \"Later\"\n");
    text = replaced(text, "\"&Open\"", "\"&Open...\"");

    ASSERT_TRUE(saveAndUpdate(text));

    // Hello and Open changed (both translated into German, Hello into French too), Bye gone,
    // two strings new.
    EXPECT_EQ(doc->lastUpdateCounts(), (UpdateCounts{2, 2, 1, 3}));
    ASSERT_FALSE(feedback.said.empty());
    EXPECT_EQ(feedback.said.back().text, formatMessage(msg::UpdateSuccessful, {script.string()}) +
                                             "\n\n2 texts changed, 2 new texts, 1 text removed, "
                                             "3 translations flagged for review.");
    EXPECT_EQ(updateCountsText({1, 1, 0, 1}),
              "1 text changed, 1 new text, 0 texts removed, 1 translation flagged for review");
}

TEST_F(SourceUpdateTest, OlderCopyOfTheSameSizeIsNotChangedButAnotherSizeIs)
{
    open(writeScript(kScript));
    test::setModificationTime(script, start - 3 * 24 * 3600);
    EXPECT_FALSE(doc->IsSourceChanged());
    dir.write("app.rc", kScript + "\n");
    test::setModificationTime(script, start - 3 * 24 * 3600);
    EXPECT_TRUE(doc->IsSourceChanged());
}

TEST_F(SourceUpdateTest, ChangedTextKeepsItsTranslationsKeepsTheOldTextAndFlagsEveryTranslatedOne)
{
    openTranslated();
    ASSERT_TRUE(doc->database().languages().addTranslation(French));
    const int hello = stringLine("IDS_HELLO");
    const int bye = stringLine("IDS_BYE");
    doc->database().texts().setTranslation(bye, French, "Au revoir", false);

    ASSERT_TRUE(saveAndUpdate(replaced(replaced(kScript, "\"Hello\"", "\"Hello!\""), "\"Goodbye\"", "\"Bye\"")));

    EXPECT_EQ(stringLine("IDS_HELLO"), hello);
    EXPECT_EQ(textRow(hello).sourceText, "Hello!");
    EXPECT_EQ(textRow(hello).sourceTextOld, "Hello");
    EXPECT_FALSE(textRow(hello).modified);  // passed on to the translations
    EXPECT_EQ(german(hello)->text, "de:" + std::to_string(hello));
    EXPECT_TRUE(german(hello)->modified);
    EXPECT_FALSE(doc->database().texts().translation(hello, French)->modified);  // not translated: not flagged
    EXPECT_TRUE(doc->database().texts().translation(bye, French)->modified);
    EXPECT_EQ(doc->database().texts().translation(bye, French)->text, "Au revoir");

    auto shown = doc->changedSourceText(hello);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->oldText, "Hello");
    EXPECT_EQ(shown->newText, "Hello!");
}

TEST_F(SourceUpdateTest, ItemWithoutOldTextHasNothingToShow)
{
    openTranslated();
    EXPECT_FALSE(doc->changedSourceText(stringLine("IDS_HELLO")));
    EXPECT_TRUE(feedback.saidMessage(msg::NoOldSourceText));
}

TEST_F(SourceUpdateTest, PopupWithChangedTextIsANewItemWhileItsItemsStay)
{
    openTranslated();
    auto popupLine = [&] {
        for (const IdentRow& menu : doc->database().items().resources(ResourceList::Menus))
            for (const MenuItemRow& item : doc->database().items().menuItems(menu.lineIndex))
                if (item.lineKind == toInt(LineKind::Popup))
                    return item.lineIndex;
        return 0;
    };
    const int oldPopup = popupLine();
    const int open = doc->database().update().menuItemsByIdent("IDM_MAIN", "ID_OPEN").front().lineIndex;

    ASSERT_TRUE(saveAndUpdate(replaced(kScript, "\"&File\"", "\"&Datei\"")));

    EXPECT_FALSE(doc->database().texts().text(oldPopup));
    const int newPopup = popupLine();
    EXPECT_NE(newPopup, oldPopup);
    EXPECT_EQ(textRow(newPopup).sourceText, "&Datei");
    EXPECT_EQ(german(newPopup)->text, "");
    EXPECT_EQ(doc->database().update().menuItemsByIdent("IDM_MAIN", "ID_OPEN").front().lineIndex, open);
    EXPECT_EQ(german(open)->text, "de:" + std::to_string(open));
    EXPECT_FALSE(german(open)->modified);
}

TEST_F(SourceUpdateTest, ChangedIdentifierRemovesTheOldItemWithItsTranslationsAndBookmarks)
{
    openTranslated();
    const int hello = stringLine("IDS_HELLO");
    doc->database().bookmarks().add({0, hello, "Hello", "Text", German});
    const int bye = stringLine("IDS_BYE");
    doc->database().bookmarks().add({0, bye, "Bye", "Text", German});

    ASSERT_TRUE(saveAndUpdate(replaced(kScript, "IDS_HELLO", "IDS_GREETING")));

    EXPECT_FALSE(doc->database().texts().text(hello));
    EXPECT_EQ(stringLine("IDS_HELLO"), 0);
    const int greeting = stringLine("IDS_GREETING");
    ASSERT_NE(greeting, 0);
    EXPECT_EQ(textRow(greeting).sourceText, "Hello");
    EXPECT_EQ(german(greeting)->text, "");
    std::vector<IdentRow> marks = doc->database().bookmarks().all();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].nameId, "Bye");
}

TEST_F(SourceUpdateTest, StaticsSharingAnIdentifierAreToldApartByPlaceSizeKindAndStyle)
{
    openTranslated();
    const std::vector<int> before = controls("IDC_STATIC");
    ASSERT_EQ(before.size(), 2u);

    // The first gets a new text in the same place, the second moves with its text.
    std::string moved = replaced(kScript, "\"Name:\", IDC_STATIC, 10, 10", "\"Name\", IDC_STATIC, 10, 10");
    moved = replaced(moved, "\"Version:\", IDC_STATIC, 10, 20", "\"Version:\", IDC_STATIC, 10, 30");
    ASSERT_TRUE(saveAndUpdate(moved));

    const std::vector<int> after = controls("IDC_STATIC");
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(textRow(after[0]).sourceTextOld, "Name:");
    EXPECT_TRUE(german(after[0])->modified);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_FALSE(german(after[1])->modified);
    EXPECT_NE(german(after[1])->text, "");
    EXPECT_EQ(doc->database().items().control(after[1])->y, 30);
}

TEST_F(SourceUpdateTest, ARelaidOutDialogKeepsTheTranslationsOfStaticsWhoseTextsStayed)
{
    openTranslated();
    const std::vector<int> before = controls("IDC_STATIC");
    ASSERT_EQ(before.size(), 2u);
    const std::string versionGerman = german(before[1])->text;

    // Every static moves and grows; the first also gets a new text.
    std::string moved = replaced(kScript, "\"Name:\", IDC_STATIC, 10, 10, 50, 8", "\"Full name:\", IDC_STATIC, 12, 14, 60, 9");
    moved = replaced(moved, "\"Version:\", IDC_STATIC, 10, 20, 50, 8", "\"Version:\", IDC_STATIC, 12, 26, 60, 9");
    ASSERT_TRUE(saveAndUpdate(moved));

    const std::vector<int> after = controls("IDC_STATIC");
    ASSERT_EQ(after.size(), 2u);
    EXPECT_NE(after[0], before[0]);  // a moved static with a new text is a new item
    EXPECT_EQ(german(after[0])->text, "");
    EXPECT_FALSE(doc->database().texts().text(before[0]));
    EXPECT_EQ(after[1], before[1]);  // a moved static with its text is the same item
    EXPECT_EQ(german(after[1])->text, versionGerman);
    EXPECT_FALSE(german(after[1])->modified);
    EXPECT_EQ(doc->database().items().control(after[1])->y, 26);
}

TEST_F(SourceUpdateTest, ItemsOfTheDialogFollowItsNewHeaderLine)
{
    openTranslated();
    const int ok = controls("IDOK").front();
    ASSERT_TRUE(saveAndUpdate(replaced(kScript, "140, 80, 50, 14", "130, 70, 60, 14")));

    const std::vector<IdentRow> dialogs = doc->database().items().resources(ResourceList::Dialogs);
    ASSERT_EQ(dialogs.size(), 1u);
    const std::optional<ControlRow> control = doc->database().items().control(ok);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->dlgLine, dialogs[0].lineIndex);
    EXPECT_EQ(control->x, 130);
    EXPECT_EQ(control->cx, 60);
    EXPECT_FALSE(german(ok)->modified);
    EXPECT_EQ(doc->database().items().dialogCaptionTexts(dialogs[0].lineIndex).size(), 1u);  // the caption too
}

TEST_F(SourceUpdateTest, ControlThatBecameAnotherKindKeepsItsTranslationAndTakesTheNewKind)
{
    openTranslated();
    const int ok = controls("IDOK").front();
    ASSERT_TRUE(saveAndUpdate(replaced(kScript, "DEFPUSHBUTTON \"OK\"", "PUSHBUTTON \"OK\"")));

    ASSERT_EQ(controls("IDOK"), std::vector<int>{ok});
    EXPECT_EQ(german(ok)->text, "de:" + std::to_string(ok));
    EXPECT_EQ(doc->database().texts().lineKind(ok), toInt(LineKind::PushButton));
    EXPECT_EQ(doc->database().items().control(ok)->type, toInt(LineKind::PushButton));
}

TEST_F(SourceUpdateTest, NewLinesReuseFreedLineIndexesLowestFirst)
{
    openTranslated();
    const std::string fewer = replaced(kScript, "    IDS_BYE \"Goodbye\"\n", "");
    ASSERT_TRUE(saveAndUpdate(fewer));
    std::vector<int> used = doc->database().texts().allLineIndexes();
    int lowestFree = LineIndexAllocator(used).peek();
    ASSERT_LT(lowestFree, used.back());  // the update left gaps

    ASSERT_TRUE(saveAndUpdate(replaced(fewer, "    IDS_HELLO", "    IDS_NEW \"New\"\n    IDS_HELLO")));
    std::vector<int> now = doc->database().texts().allLineIndexes();
    EXPECT_TRUE(std::binary_search(now.begin(), now.end(), lowestFree));
    EXPECT_LE(now.back(), used.back());
    EXPECT_EQ(now.size(), used.size() + 1);
}

TEST_F(SourceUpdateTest, CancellingLeavesTheDatabaseByteForByteAsItWas)
{
    openTranslated();
    const std::string before = test::readFile(doc->databasePath());
    feedback.cancelAfterPolls = 5;
    EXPECT_FALSE(saveAndUpdate(replaced(kScript, "\"Hello\"", "\"Hi\"")));

    EXPECT_TRUE(feedback.saidMessage(msg::UpdateCancelled));
    EXPECT_FALSE(feedback.saidMessage(msg::UpdateFailed));
    EXPECT_EQ(test::readFile(doc->databasePath()), before);
    EXPECT_TRUE(workingFiles().empty());
    EXPECT_EQ(textRow(stringLine("IDS_HELLO")).sourceText, "Hello");  // open again
}

TEST_F(SourceUpdateTest, ParseErrorFailsAndLeavesTheDatabaseAsItWas)
{
    openTranslated();
    const std::string before = test::readFile(doc->databasePath());
    EXPECT_FALSE(saveAndUpdate(kScript + "IDM_BAD MENU\nBEGIN\n    POPUP\nEND\n"));

    EXPECT_TRUE(feedback.saidMessage(msg::ParserErrorInFile));
    EXPECT_TRUE(feedback.saidMessage(msg::UpdateFailed));
    EXPECT_EQ(test::readFile(doc->databasePath()), before);
    EXPECT_TRUE(workingFiles().empty());
}

TEST_F(SourceUpdateTest, DatabaseFailureInTheMiddleOfThePassLeavesTheDatabaseAsItWas)
{
    openTranslated();
    const std::string before = test::readFile(doc->databasePath());
    doc->setUpdateHook([](int line) {
        if (line == 12)
            throw DaoException(10, "disk I/O error");
    });
    EXPECT_FALSE(saveAndUpdate(replaced(kScript, "\"Hello\"", "\"Hi\"")));

    EXPECT_TRUE(feedback.saidMessage(msg::UpdateFailed));
    EXPECT_EQ(test::readFile(doc->databasePath()), before);
    EXPECT_TRUE(workingFiles().empty());
    EXPECT_TRUE(CQuillDoc::IsProjectDatabase(doc->databasePath()));
    EXPECT_EQ(textRow(stringLine("IDS_HELLO")).sourceText, "Hello");
    EXPECT_TRUE(doc->IsSourceChanged());
}

TEST_F(SourceUpdateTest, AFileSystemFailureIsReportedWithItsCauseAndChangesNothing)
{
    openTranslated();
    const std::string before = test::readFile(doc->databasePath());
    auto said = [&](const std::string& text) {
        for (const auto& s : feedback.said)
            if (s.text.find(text) != std::string::npos)
                return true;
        return false;
    };
    // The update keeps what it changes undoable in the engine's journal beside the project; a
    // folder where that file must go stops it before the project changes.
    std::filesystem::path journal = doc->databasePath();
    journal += "-journal";
    std::filesystem::create_directories(journal / "in-the-way");
    EXPECT_FALSE(saveAndUpdate(replaced(kScript, "\"Hello\"", "\"Hi\"")));
    EXPECT_TRUE(feedback.saidMessage(msg::UpdateFailed));
    EXPECT_TRUE(said("Dao Error"));
    EXPECT_EQ(test::readFile(doc->databasePath()), before);
    EXPECT_TRUE(workingFiles().empty());

    std::filesystem::remove_all(journal);
    feedback.said.clear();
    ASSERT_TRUE(doc->UpdateDatabase().done());
    EXPECT_EQ(textRow(stringLine("IDS_HELLO")).sourceText, "Hi");
}

TEST_F(SourceUpdateTest, ProjectOpenedThroughItsDatabaseIsUpdatedFromTheScriptBesideIt)
{
    open(writeScript(kScript));
    const std::filesystem::path database = doc->databasePath();
    doc->OnCloseDocument();
    open(database);
    ASSERT_TRUE(doc->openedFromDatabase());
    ASSERT_TRUE(saveAndUpdate(replaced(kScript, "\"Hello\"", "\"Hi\"")));
    EXPECT_EQ(textRow(stringLine("IDS_HELLO")).sourceText, "Hi");
    EXPECT_EQ(doc->database().sourceFile(), script.string());
}

TEST_F(SourceUpdateTest, RefreshStatusNamesTheChangedProjectsOnce)
{
    open(writeScript(kScript));
    test::TempDir other;
    other.write("b.rc", kScript);
    test::setModificationTime(other / "b.rc", start);
    CQuillDoc second(feedback, {".DLG"});
    ASSERT_TRUE(second.OnOpenDocument(other / "b.rc"));

    dir.write("app.rc", replaced(kScript, "\"Hello\"", "\"Hi\""));
    std::vector<CQuillDoc*> changed = refreshSourceStatus({doc.get(), &second}, feedback);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], doc.get());
    EXPECT_TRUE(doc->sourceChanged());
    EXPECT_FALSE(second.sourceChanged());
    ASSERT_FALSE(feedback.said.empty());
    EXPECT_EQ(feedback.said.back().id, msg::SourceFilesChanged);
    EXPECT_NE(feedback.said.back().text.find(script.string()), std::string::npos);

    const std::size_t said = feedback.said.size();
    EXPECT_TRUE(refreshSourceStatus({doc.get(), &second}, feedback).empty());
    EXPECT_EQ(feedback.said.size(), said);
    second.OnCloseDocument();
}

TEST_F(SourceUpdateTest, AnsweringTheSourceChangedQuestionUpdates)
{
    open(writeScript(kScript));
    dir.write("app.rc", replaced(kScript, "\"Hello\"", "\"Hi\""));
    test::setModificationTime(script, start + 60);
    feedback.answer = false;
    EXPECT_FALSE(doc->SourceChangedQuestion());
    EXPECT_EQ(textRow(stringLine("IDS_HELLO")).sourceText, "Hello");
    feedback.answer = true;
    EXPECT_TRUE(doc->SourceChangedQuestion());
    EXPECT_EQ(textRow(stringLine("IDS_HELLO")).sourceText, "Hi");
}

TEST_F(SourceUpdateTest, VersionResourcesOfOneNameAreMatchedInScriptOrder)
{
    const std::string version = kScript.substr(kScript.find("VS_VERSION_INFO"));
    const std::string twice = kScript + replaced(replaced(version, "040904b0", "040704b0"), "\"Sample\"", "\"Beispiel\"");
    openTranslated(twice);
    auto values = [&] {
        std::vector<int> lines;
        for (const IdentRow& v : doc->database().items().resources(ResourceList::Versions))
            for (int header : doc->database().items().versionBlockHeadersOf(v.lineIndex))
                for (const IdentRow& value : doc->database().items().versionValuesOf(header))
                    lines.push_back(value.lineIndex);
        return lines;
    };
    const std::vector<int> before = values();
    ASSERT_EQ(before.size(), 2u);

    std::string changed = replaced(twice, "\"Beispiel\"", "\"Muster\"");
    changed = replaced(changed, "\"040704b0\"", "\"040704e4\"");
    ASSERT_TRUE(saveAndUpdate(changed));

    EXPECT_EQ(values(), before);
    EXPECT_FALSE(german(before[0])->modified);
    EXPECT_EQ(textRow(before[1]).sourceText, "Muster");
    EXPECT_TRUE(german(before[1])->modified);
    // A renamed language block keeps its row, with the new name flagged for its translations.
    const std::vector<IdentRow> versions = doc->database().items().resources(ResourceList::Versions);
    ASSERT_EQ(versions.size(), 2u);
    const int block = doc->database().items().versionBlockHeadersOf(versions[1].lineIndex).front();
    EXPECT_EQ(textRow(block).sourceText, "040704e4");
    EXPECT_TRUE(german(block)->modified);
}

TEST_F(SourceUpdateTest, IncludeLinesAreFoundAgainIgnoringCase)
{
    openTranslated();
    const int include = doc->database().update().includeLines().front().lineIndex;
    ASSERT_TRUE(saveAndUpdate(replaced(kScript, "\"resource.h\"", "\"Resource.H\"")));
    ASSERT_EQ(doc->database().update().includeLines().size(), 1u);
    EXPECT_EQ(doc->database().update().includeLines().front().lineIndex, include);
    EXPECT_EQ(german(include)->text, "de:" + std::to_string(include));
    EXPECT_TRUE(doc->database().texts().exclude(include).value_or(false));
}

TEST_F(SourceUpdateTest, TheUpdateWorksOnTheProjectItselfAndLeavesNoOtherFile)
{
    openTranslated();
    auto files = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
            names.push_back(entry.path().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    struct stat before {};
    ASSERT_EQ(::stat(doc->databasePath().c_str(), &before), 0);
    dir.write("app.rc", replaced(kScript, "\"Hello\"", "\"Hi\""));
    const std::vector<std::string> present = files();
    ++saves;
    test::setModificationTime(script, start + 60 * saves);
    ASSERT_TRUE(doc->UpdateDatabase().done());

    // No copy was renamed over the project: a program that has it open keeps writing the file
    // every other program reads.
    struct stat after {};
    ASSERT_EQ(::stat(doc->databasePath().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(files(), present);
    EXPECT_EQ(textRow(stringLine("IDS_HELLO")).sourceText, "Hi");
}

TEST_F(SourceUpdateTest, AProjectAnotherProgramIsWritingRefusesTheUpdateUntilItIsDone)
{
    openTranslated();
    const std::string before = test::readFile(doc->databasePath());
    SqliteDatabase other;
    other.open(doc->databasePath(), OpenMode{false, false, false});
    other.execute("BEGIN IMMEDIATE");
    EXPECT_FALSE(saveAndUpdate(replaced(kScript, "\"Hello\"", "\"Hi\"")));
    bool toldInUse = false;
    for (const auto& said : feedback.said)
        toldInUse = toldInUse || said.text.find("in use by another program") != std::string::npos;
    EXPECT_TRUE(toldInUse);
    EXPECT_TRUE(feedback.saidMessage(msg::UpdateFailed));
    other.execute("ROLLBACK");
    other.close();
    EXPECT_EQ(test::readFile(doc->databasePath()), before);
    EXPECT_TRUE(doc->UpdateDatabase().done());
    EXPECT_EQ(textRow(stringLine("IDS_HELLO")).sourceText, "Hi");
}

} // namespace qmk

namespace qmk {

TEST_F(SourceUpdateTest, DataStringsKeepTheirTranslationsWhenFoundAgain)
{
    const std::string before = "1 RCDATA\nBEGIN\n  \"Hello\", \"World\"\nEND\nSTRINGTABLE\nBEGIN\n 1 \"x\"\nEND\n";
    open(writeScript(before, 120));
    translateAll();
    int hello = 0;
    for (const TextRow& row : texts())
        if (row.sourceText == "Hello")
            hello = row.lineIndex;
    ASSERT_NE(hello, 0);
    ASSERT_EQ(german(hello)->text, "de:" + std::to_string(hello));

    ASSERT_TRUE(saveAndUpdate("#define MORE 1\n" + before));
    int found = 0;
    for (const TextRow& row : texts())
        if (row.sourceText == "Hello") {
            found = row.lineIndex;
            EXPECT_EQ(row.translations.at(0).text, "de:" + std::to_string(hello));
            EXPECT_FALSE(row.translations.at(0).modified);
        }
    EXPECT_EQ(found, hello);
}

// More items than the update writes in one batch, in dialogs and menus of one name (as a
// script's variants under its own and a neutral LANGUAGE have): every one is found again in
// its own resource.
TEST_F(SourceUpdateTest, ManyItemsInSameNamedResourcesAreAllFoundAgain)
{
    constexpr int kStrings = 5000;
    std::string text;
    for (const char* language : {"LANGUAGE 9, 1\n", "LANGUAGE 0, 0\n"})
        text += std::string(language) +
                "IDD_MAIN DIALOG 0, 0, 100, 50\nCAPTION \"Main\"\nBEGIN\n    LTEXT \"Label\", IDC_LABEL, 1, 1, 20, 8\n"
                "END\nIDM_MAIN MENU\nBEGIN\n    MENUITEM \"&Open\", ID_OPEN\nEND\n";
    text += "STRINGTABLE\nBEGIN\n";
    for (int i = 0; i < kStrings; ++i)
        text += "    " + std::to_string(1000 + i) + " \"String " + std::to_string(i) + "\"\n";
    text += "END\n";
    openTranslated(text);
    const Snapshot before = snapshot();
    ASSERT_EQ(before.texts.size(), static_cast<std::size_t>(kStrings + 6));

    ASSERT_TRUE(saveAndUpdate("// a line more\n" + replaced(text, "\"String 4999\"", "\"Changed\"")));

    const Snapshot after = snapshot();
    ASSERT_EQ(after.texts.size(), before.texts.size());
    for (const auto& [key, was] : before.texts) {
        ASSERT_EQ(after.texts.count(key), 1u) << was.first;
        EXPECT_EQ(after.texts.at(key).second.text, was.second.text);
        EXPECT_EQ(after.texts.at(key).second.modified, was.first == "String 4999");
    }
    const std::vector<IdentRow> dialogs = doc->database().items().resources(ResourceList::Dialogs);
    ASSERT_EQ(dialogs.size(), 2u);
    for (const IdentRow& dialog : dialogs)
        EXPECT_EQ(doc->database().items().dialogTextItems(dialog.lineIndex).size(), 2u);  // caption and label
}

TEST_F(SourceUpdateTest, ARepeatedMenuIdentifierKeepsItsTranslationInItsPopupWhenAPopupIsAddedBefore)
{
    const std::string menu = "IDM_MAIN MENU\nBEGIN\n"
                             "    POPUP \"&File\"\n    BEGIN\n        MENUITEM \"File p&roperties\", 200\n    END\n"
                             "    POPUP \"&Edit\"\n    BEGIN\n        MENUITEM \"Selection p&roperties\", 200\n    END\n"
                             "END\n";
    openTranslated(menu);
    std::map<std::string, std::string> before;
    for (const TextRow& row : texts())
        before[row.sourceText] = row.translations.at(0).text;

    ASSERT_TRUE(saveAndUpdate(replaced(menu, "BEGIN\n    POPUP \"&File\"",
                                       "BEGIN\n    POPUP \"&Tools\"\n    BEGIN\n        MENUITEM \"Tool p&roperties\", 200\n"
                                       "    END\n    POPUP \"&File\"")));

    std::map<std::string, TranslatedText> after;
    for (const TextRow& row : texts())
        after[row.sourceText] = row.translations.at(0);
    EXPECT_EQ(after["File p&roperties"].text, before["File p&roperties"]);
    EXPECT_FALSE(after["File p&roperties"].modified);
    EXPECT_EQ(after["Selection p&roperties"].text, before["Selection p&roperties"]);
    EXPECT_FALSE(after["Selection p&roperties"].modified);
    EXPECT_EQ(after["Tool p&roperties"].text, "");  // a new item
    EXPECT_EQ(doc->database().update().menuItemsByIdent("IDM_MAIN", "200").size(), 3u);
}

} // namespace qmk
