// The import of a translated script: what is matched with what, what is never overwritten,
// and what the import says when it cannot finish.
#include <gtest/gtest.h>

#include "project/TranslationEncoding.h"

#include <fstream>

#include "database/CProjectDatabase.h"
#include "database/SqliteDatabase.h"
#include "exchange/ExchangeFixture.h"
#include "exchange/ScriptImport.h"
#include "parser/ParserCodes.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/Texts.h"

namespace qmk {
namespace {

using test::French;
using test::German;

constexpr int kPushButton = toInt(LineKind::PushButton);
constexpr int kLText = toInt(LineKind::LText);

// The German script: the wide dialog comes first, so only the coordinates can tell the two
// OK buttons apart; the static text was made wider, but it has one candidate only.
const char* const kGermanScript = R"(LANGUAGE LANG_GERMAN, SUBLANG_GERMAN

IDD_ABOUT DIALOG 0, 0, 220, 100
CAPTION "Info breit"
BEGIN
    PUSHBUTTON "OK breit", IDOK, 27, 20, 50, 14
END

IDD_ABOUT DIALOG 0, 0, 200, 100
CAPTION "Info"
BEGIN
    LTEXT "Hallo", IDC_STATIC, 7, 7, 120, 8
    PUSHBUTTON "OK schmal", IDOK, 7, 20, 50, 14
END

IDR_MAIN MENU
BEGIN
    POPUP "&Datei"
    BEGIN
        MENUITEM "&Beenden", ID_EXIT
    END
    POPUP "&Bearbeiten"
    BEGIN
        MENUITEM "&Kopieren", ID_COPY
    END
    POPUP "&Hilfe"
    BEGIN
        MENUITEM "&Info", ID_ABOUT
    END
END

STRINGTABLE
BEGIN
    IDS_HELLO "Hallo Welt"
    IDS_BYE "Auf Wiedersehen"
END

VS_VERSION_INFO VERSIONINFO
 FILEVERSION 1,0,0,1
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040704b0"
        BEGIN
            VALUE "FileDescription", "Beispielanwendung"
        END
    END
END
)";

class ScriptImportTest : public ::testing::Test, public test::ExchangeFixture {
protected:
    explicit ScriptImportTest(std::unique_ptr<test::RecordingFeedback> f = std::make_unique<test::RecordingFeedback>())
        : ExchangeFixture(std::move(f))
    {
    }

    ScriptImportResult importScript(const std::string& text, LanguageId language = German,
                                    const std::string& name = "app-German.rc")
    {
        ScriptImport import(doc(), extensions());
        return import.run(dir().write(name, text), language);
    }

    void addGerman()
    {
        ASSERT_TRUE(doc().NewTranslation(German, "app-German.rc"));
    }
};

TEST_F(ScriptImportTest, ExistingTranslationIsNeverOverwrittenAndNotCounted)
{
    addGerman();
    const int hello = stringLine("IDS_HELLO");
    ASSERT_TRUE(db().texts().setTranslation(hello, German, "Schon da", false));

    ScriptImportResult result = importScript(kGermanScript);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(translationOf(hello), "Schon da");
    EXPECT_EQ(translationOf(stringLine("IDS_BYE")), "Auf Wiedersehen");
    // 2 captions, 3 controls, 3 popups, 3 items, 1 string, 1 version value; IDS_HELLO was kept.
    EXPECT_EQ(result.imported, 12);
    EXPECT_TRUE(saidText("Import text from  " + (dir() / "app-German.rc").string() + "\n\n12 text resources imported."));
    EXPECT_TRUE(doc().isModified());
}

TEST_F(ScriptImportTest, TheReportNamesTheTextsTheImportChangedAndTheTableMarksThem)
{
    addGerman();
    ASSERT_TRUE(doc().reloadRows().done());
    ASSERT_TRUE(db().texts().setTranslation(stringLine("IDS_BYE"), German, "Schon da", false));
    ASSERT_TRUE(doc().reloadRows().done());

    const ScriptImportResult result =
        importScript("STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hallo Welt\"\n    IDS_BYE \"Auf Wiedersehen\"\nEND\n");

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.imported, 1);  // IDS_BYE kept its translation: neither counted nor named
    ASSERT_EQ(result.changed.size(), 1u);
    EXPECT_TRUE(saidText("Import text from  " + (dir() / "app-German.rc").string() +
                         "\n\n1 text resources imported.\n\nChanged, and marked in the Text Table: 1 text\n"
                         "IDS_HELLO: Hello world -> Hallo Welt"));
    const TextTableRows& rows = doc().rows();
    const int column = rows.columns().columnOfLanguage(German);
    for (int row = 0; row < rows.rowCount(); ++row)
        EXPECT_EQ(rows.item(row).hasMark(column), rows.item(row).lineIndex == stringLine("IDS_HELLO")) << row;
}

TEST_F(ScriptImportTest, ControlsOfSameNamedDialogsAreToldApartByCoordinates)
{
    addGerman();
    ASSERT_TRUE(importScript(kGermanScript).ok());

    EXPECT_EQ(translationOf(controlLine("IDD_ABOUT", "IDOK", kPushButton, 0)), "OK schmal");
    EXPECT_EQ(translationOf(controlLine("IDD_ABOUT", "IDOK", kPushButton, 1)), "OK breit");
    // One candidate: taken although its width changed in the translation.
    EXPECT_EQ(translationOf(controlLine("IDD_ABOUT", "IDC_STATIC", kLText)), "Hallo");
    EXPECT_FALSE(modifiedFlagOf(controlLine("IDD_ABOUT", "IDC_STATIC", kLText)));
}

TEST_F(ScriptImportTest, ControlWithoutEqualCoordinatesAmongSeveralCandidatesIsLeft)
{
    addGerman();
    std::string script = kGermanScript;
    script.replace(script.find("IDOK, 27, 20"), 12, "IDOK, 99, 20");
    ASSERT_TRUE(importScript(script).ok());

    EXPECT_EQ(translationOf(controlLine("IDD_ABOUT", "IDOK", kPushButton, 1)), "");
    EXPECT_EQ(translationOf(controlLine("IDD_ABOUT", "IDOK", kPushButton, 0)), "OK schmal");
}

TEST_F(ScriptImportTest, StaticsTheTranslatorMovedAreTakenInTheirOrder)
{
    auto project = openProject("options.rc", "IDD_OPTIONS DIALOG 0, 0, 200, 100\nBEGIN\n"
                                             "    LTEXT \"Name:\", IDC_STATIC, 7, 7, 40, 8\n"
                                             "    LTEXT \"Size:\", IDC_STATIC, 7, 20, 40, 8\n"
                                             "    LTEXT \"Unit\", IDC_STATIC, 90, 20, 30, 8\nEND\n");
    ASSERT_TRUE(project->NewTranslation(German, "options-German.rc"));
    // Every German static is wider, and the last two moved down.
    const auto german = dir().write("options-German.rc", "IDD_OPTIONS DIALOG 0, 0, 220, 100\nBEGIN\n"
                                                         "    LTEXT \"Name:\", IDC_STATIC, 7, 7, 60, 8\n"
                                                         "    LTEXT \"Gr\xC3\xB6\xC3\x9F" "e:\", IDC_STATIC, 7, 22, 60, 8\n"
                                                         "    LTEXT \"Einheit\", IDC_STATIC, 90, 22, 40, 8\nEND\n");
    ScriptImport import(*project, extensions());
    ASSERT_TRUE(import.run(german, German).ok());

    std::vector<std::string> texts;
    for (const ControlMatch& c : project->database().update().dialogControls("IDD_OPTIONS", "IDC_STATIC", kLText))
        texts.push_back(project->database().texts().translation(c.lineIndex, German)->text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Name:", "Gr\xC3\xB6\xC3\x9F" "e:", "Einheit"}));
}

TEST_F(ScriptImportTest, PopupsAreFilledInOrderAndFlaggedForReview)
{
    addGerman();
    ASSERT_TRUE(importScript(kGermanScript).ok());

    const std::vector<int> popups = popupLines("IDR_MAIN");
    ASSERT_EQ(popups.size(), 3u);
    EXPECT_EQ(translationOf(popups[0]), "&Datei");
    EXPECT_EQ(translationOf(popups[1]), "&Bearbeiten");
    EXPECT_EQ(translationOf(popups[2]), "&Hilfe");
    for (int popup : popups)
        EXPECT_TRUE(modifiedFlagOf(popup));
    EXPECT_FALSE(modifiedFlagOf(db().update().menuItemsByIdent("IDR_MAIN", "ID_EXIT").front().lineIndex));
    EXPECT_EQ(translationOf(db().update().menuItemsByIdent("IDR_MAIN", "ID_EXIT").front().lineIndex), "&Beenden");
}

TEST_F(ScriptImportTest, VersionValueIsImportedButNotTheBlockHeaders)
{
    addGerman();
    ASSERT_TRUE(importScript(kGermanScript).ok());
    auto values = db().update().versionValuesByIdent("VS_VERSION_INFO", "FileDescription");
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(translationOf(values[0].lineIndex), "Beispielanwendung");
    // The block headers keep the names the new translation was given.
    for (int header : db().items().versionBlockHeaderLines())
        EXPECT_EQ(translationOf(header), "040704E4");
}

TEST_F(ScriptImportTest, MissingIncludeIsListedAndTheRestImported)
{
    addGerman();
    std::string script = "#include \"missing.dlg\"\n";
    script += kGermanScript;
    ScriptImportResult result = importScript(script);

    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.missingIncludes.size(), 1u);
    EXPECT_NE(result.missingIncludes[0].find("missing.dlg"), std::string::npos);
    EXPECT_TRUE(feedback().saidMessage(msg::MissingIncludeFiles));
    EXPECT_EQ(translationOf(stringLine("IDS_BYE")), "Auf Wiedersehen");
}

TEST_F(ScriptImportTest, NewLanguageIsAddedAndKeptEvenWhenNothingMatches)
{
    ASSERT_FALSE(doc().hasTranslation(French));
    const std::string script = "STRINGTABLE\nBEGIN\n    IDS_OTHER \"Autre\"\nEND\n";
    ScriptImportResult result = importScript(script, French, "app-French.rc");

    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result.translationAdded);
    EXPECT_EQ(result.imported, 0);
    EXPECT_TRUE(doc().hasTranslation(French));
    EXPECT_EQ(db().languages().fileName(French), "app-French.rc");
    EXPECT_TRUE(saidText(fillPlaceholders(txt::ImportNothing, {(dir() / "app-French.rc").string()})));
}

TEST_F(ScriptImportTest, ParserErrorLeavesTheProjectUntouched)
{
    addGerman();
    std::string script = kGermanScript;
    script += "IDD_BROKEN DIALOG 0, 0, 10, 10\nBEGIN\n    CONTROL \"x\" , , , , ,\n";
    ScriptImportResult result = importScript(script);

    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.code, 0);
    EXPECT_EQ(translationOf(stringLine("IDS_BYE")), "");
    EXPECT_TRUE(saidText(fillPlaceholders(txt::ImportReadError, {(dir() / "app-German.rc").string()})));
    EXPECT_TRUE(db().isOpen());
}

TEST_F(ScriptImportTest, ATranslationWithTextsKeepsItsCodePageAndRefusesWhatItCannotHold)
{
    addGerman();
    // A first, plain script makes the translation one of the Western code page.
    ASSERT_TRUE(importScript("LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\nSTRINGTABLE\nBEGIN\n    IDS_HELLO \"Hallo\"\nEND\n").ok());
    ASSERT_EQ(translationEncoding(db(), 1252, German), 1252);
    // A UTF-8 script then: "Schlie\xdf" in 1252, and a snowman 1252 has no place for.
    const std::string script = "STRINGTABLE\nBEGIN\n    IDS_BYE \"Schlie\xC3\x9F\"\nEND\nIDR_MAIN MENU\nBEGIN\n"
                               "    POPUP \"&Datei\"\n    BEGIN\n        MENUITEM \"\xE2\x98\x83\", ID_EXIT\n    END\nEND\n";
    feedback().said.clear();
    ScriptImportResult result = importScript(script);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(translationOf(stringLine("IDS_BYE")), "Schlie\xDF");
    EXPECT_EQ(translationEncoding(db(), 1252, German), 1252);
    bool reported = false;
    for (const auto& said : feedback().said)
        reported = reported || said.text.find("\xE2\x98\x83") != std::string::npos;
    EXPECT_TRUE(reported);  // reported, not stored
}

TEST_F(ScriptImportTest, AFirstImportTakesTheEncodingOfTheImportedScript)
{
    addGerman();
    const std::string script = "STRINGTABLE\nBEGIN\n    IDS_BYE \"Schlie\xC3\x9F\"\n    IDS_HELLO \"\xE2\x82\xAC \xE2\x98\x83\"\nEND\n";
    ScriptImportResult result = importScript(script);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(translationEncoding(db(), 1252, German), 65001);
    EXPECT_EQ(translationOf(stringLine("IDS_BYE")), "Schlie\xC3\x9F");
    EXPECT_EQ(translationOf(stringLine("IDS_HELLO")), "\xE2\x82\xAC \xE2\x98\x83");
    EXPECT_EQ(result.imported, 2);
}

// Another program starts reading the project while the import reads the script, and keeps
// reading longer than the import waits to commit.
class BlockingFeedback : public test::RecordingFeedback {
public:
    std::filesystem::path database;
    SqliteDatabase reader;
    bool cancelled() override
    {
        if (!database.empty() && !reader.isOpen()) {
            reader.open(database, OpenMode{false, true, false});
            reader.execute("BEGIN");
            reader.execute("SELECT count(*) FROM ResourceText");
        }
        return RecordingFeedback::cancelled();
    }
};

class ScriptImportCommitTest : public ScriptImportTest {
protected:
    ScriptImportCommitTest() : ScriptImportTest(std::make_unique<BlockingFeedback>()) {}
    BlockingFeedback& blocking() { return static_cast<BlockingFeedback&>(feedback()); }
};

TEST_F(ScriptImportCommitTest, AnImportThatCannotCommitIsReportedNotTakenForSuccessAndLeavesNothing)
{
    addGerman();
    const std::filesystem::path database = doc().databasePath();
    const int bye = stringLine("IDS_BYE");
    blocking().database = database;

    ScriptImportResult result = importScript(kGermanScript);

    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.imported, 0);
    EXPECT_TRUE(saidText(fillPlaceholders(txt::ImportProjectInUse,
                                          {(dir() / "app-German.rc").string(), database.string()})));
    for (const auto& s : feedback().said)
        EXPECT_EQ(s.text.find("text resources imported"), std::string::npos) << s.text;
    blocking().reader.close();

    // The project as it was before the import, still open in the document.
    EXPECT_EQ(translationOf(bye), "");
    CProjectDatabase reopened;
    reopened.open(database);
    EXPECT_EQ(reopened.texts().translation(bye, German)->text, "");
}

} // namespace
} // namespace qmk
