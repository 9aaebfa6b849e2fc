#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/SqliteDatabase.h"
#include "project/CQuillDoc.h"
#include "project/PreviewTarget.h"
#include "resources/MessageIds.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};
constexpr LanguageId Russian{25, 1};

const char* kScript =
    "LANGUAGE 9, 1\n"
    "IDD_X DIALOG 0, 0, 100, 50\nCAPTION \"Settings\"\nBEGIN\n"
    "  LTEXT \"Name\", 1, 1, 1, 10, 10\n"
    "  PUSHBUTTON \"Owner\", 2, 1, 1, 10, 10, BS_OWNERDRAW\nEND\n"
    "IDB_LOGO BITMAP \"logo.bmp\"\n"
    "1 VERSIONINFO\nBEGIN\n BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"040904E4\"\n  BEGIN\n"
    "   VALUE \"FileDescription\", \"Demo\"\n  END\n END\nEND\n"
    "STRINGTABLE\nBEGIN\n 1 \"One\"\n 2 \"Two\"\nEND\n";

class CQuillDocTest : public ::testing::Test {
protected:
    std::unique_ptr<CQuillDoc> openDoc(const std::filesystem::path& path)
    {
        auto doc = std::make_unique<CQuillDoc>(feedback, std::vector<std::string>{".DLG"});
        if (!doc->OnOpenDocument(path))
            return nullptr;
        return doc;
    }

    void setFileVersion(const std::filesystem::path& db, int version)
    {
        SqliteDatabase raw;
        raw.open(db);
        raw.execute("UPDATE Project SET FileVersion = " + std::to_string(version));
    }

    std::string written(CQuillDoc& doc, LanguageId language)
    {
        auto out = dir / "out.rc";
        EXPECT_EQ(writeTranslation(doc, language, out), 1);
        return test::readFile(out);
    }

    test::TempDir dir;
    test::RecordingFeedback feedback;
};

} // namespace

TEST_F(CQuillDocTest, BuildingAsksFirstAndANoLeavesNothingBehind)
{
    auto script = dir.write("App.RC", kScript);
    feedback.answer = false;
    EXPECT_FALSE(openDoc(script));
    EXPECT_EQ(feedback.asked, (std::vector<int>{msg::BuildDatabaseFirst}));
    EXPECT_FALSE(std::filesystem::exists(dir / "App_rc.mdb"));

    feedback.answer = true;
    auto doc = openDoc(script);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(doc->builtNow());
    EXPECT_EQ(doc->databasePath(), dir / "App_rc.mdb");
    EXPECT_TRUE(std::filesystem::exists(dir / "App_rc.mdb"));
    EXPECT_EQ(doc->fileVersion(), 8);
}

TEST_F(CQuillDocTest, OlderDatabaseNameAndOpeningThroughTheDatabase)
{
    auto script = dir.write("app.rc", kScript);
    openDoc(script).reset();
    std::filesystem::rename(dir / "app_rc.mdb", dir / "app.mdb");

    auto viaScript = openDoc(script);
    ASSERT_TRUE(viaScript);
    EXPECT_EQ(viaScript->databasePath(), dir / "app.mdb");
    viaScript.reset();

    auto viaDatabase = openDoc(dir / "app.mdb");
    ASSERT_TRUE(viaDatabase);
    EXPECT_TRUE(viaDatabase->openedFromDatabase());
    EXPECT_EQ(viaDatabase->scriptPath(), dir / "app.rc");
    EXPECT_EQ(viaDatabase->SetTitle("app.mdb"), "app.mdb (app.rc)");
}

TEST_F(CQuillDocTest, MissingFilesAndForeignFilesAreRefused)
{
    EXPECT_FALSE(openDoc(dir / "none.rc"));
    EXPECT_TRUE(feedback.saidMessage(msg::FileDoesNotExist));
    auto bogus = dir.write("bogus.mdb", "not a database at all");
    EXPECT_FALSE(openDoc(bogus));
    EXPECT_TRUE(feedback.saidMessage(msg::NotAProjectDatabase));
}

TEST_F(CQuillDocTest, FileVersionsSixToEightOpenOthersAreRefused)
{
    auto script = dir.write("app.rc", kScript);
    openDoc(script).reset();
    const auto db = dir / "app_rc.mdb";
    for (auto [version, opens, message] : {std::tuple{5, false, msg::DatabaseVersionTooOld},
                                           std::tuple{9, false, msg::DatabaseVersionTooNew},
                                           std::tuple{6, true, 0}, std::tuple{7, true, 0}, std::tuple{8, true, 0}}) {
        setFileVersion(db, version);
        feedback.said.clear();
        EXPECT_EQ(static_cast<bool>(openDoc(db)), opens) << version;
        if (message) {
            EXPECT_TRUE(feedback.saidMessage(message)) << version;
        }
    }
}

TEST_F(CQuillDocTest, MissingSwitchFieldGetsItsDefaultWritten)
{
    auto script = dir.write("app.rc", kScript);
    openDoc(script).reset();
    {
        SqliteDatabase raw;
        raw.open(dir / "app_rc.mdb");
        raw.dropColumn("Project", "IncludeEdit");
    }
    auto doc = openDoc(script);
    ASSERT_TRUE(doc);
    EXPECT_FALSE(doc->switches().includeEdit);
    EXPECT_EQ(doc->database().readSwitch(ProjectSwitch::IncludeEdit), false);
}

TEST_F(CQuillDocTest, NewTranslationChecksAndPretranslatesVersionBlocks)
{
    auto doc = openDoc(dir.write("app.rc", kScript));
    ASSERT_TRUE(doc);
    EXPECT_FALSE(doc->NewTranslation(std::nullopt, "app-German.rc"));
    EXPECT_TRUE(feedback.saidMessage(msg::NoTranslationLanguage));
    EXPECT_FALSE(doc->NewTranslation(German, ""));
    EXPECT_TRUE(feedback.saidMessage(msg::InvalidTranslationFileName));

    ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
    EXPECT_TRUE(doc->isModified());
    EXPECT_FALSE(doc->NewTranslation(German, "other.rc"));
    EXPECT_TRUE(feedback.saidMessage(msg::LanguageAlreadyExists));
    EXPECT_FALSE(doc->NewTranslation(Russian, "APP-GERMAN.RC"));
    EXPECT_TRUE(feedback.saidMessage(msg::TranslationFileNameInUse));

    const std::string out = written(*doc, German);
    EXPECT_NE(out.find("BLOCK\"040704E4\""), std::string::npos) << out;
    EXPECT_EQ(doc->database().status(), 2);
}

TEST_F(CQuillDocTest, TranslatedScriptUsesTranslationsExceptWhereExcludedOrEmpty)
{
    auto doc = openDoc(dir.write("app.rc", kScript));
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
    CProjectDatabase& db = doc->database();
    std::map<std::string, int> line;
    db.texts().forEachTextInLineOrder([&](const TextRow& r) { line[r.sourceText] = r.lineIndex; });
    ASSERT_TRUE(db.texts().setTranslation(line["Settings"], German, "Einstellungen", false));
    ASSERT_TRUE(db.texts().setTranslation(line["logo.bmp"], German, "logo-de.bmp", false));  // excluded by default
    ASSERT_TRUE(db.texts().setTranslation(line["One"], German, "Eins", false));

    const std::string out = written(*doc, German);
    EXPECT_NE(out.find("\r\nLANGUAGE  0x07, 0x01\r\n"), std::string::npos);
    // The script names its language by numbers (it may define no names): so does the translation.
    EXPECT_EQ(out.find("LANGUAGE 9, 1"), std::string::npos);
    EXPECT_EQ(out.find("#pragma"), std::string::npos);  // none in, none out
    EXPECT_NE(out.find("CAPTION \"Einstellungen\""), std::string::npos);
    EXPECT_NE(out.find("BITMAP   \"logo.bmp\""), std::string::npos);
    EXPECT_NE(out.find("  1 \"Eins\"\r\n"), std::string::npos);
    EXPECT_NE(out.find("  2 \"Two\"\r\n"), std::string::npos);
    EXPECT_NE(out.find("PUSHBUTTON \"Owner\""), std::string::npos);  // owner-drawn: never a text

    db.texts().setTranslation(line["Two"], German, "Zwei", false);
    db.texts().setTranslation(line["Name"], German, "Name", false);
    db.texts().setTranslation(line["Demo"], German, "Demo", false);
    doc->UpdateProjectStatus();
    EXPECT_EQ(db.status(), 3);
}

TEST_F(CQuillDocTest, SavingWritesEveryTranslationToItsFile)
{
    auto doc = openDoc(dir.write("app.rc", kScript));
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
    std::filesystem::create_directories(dir / "ru");
    ASSERT_TRUE(doc->NewTranslation(Russian, (dir / "ru" / "app.rc").string()));
    EXPECT_TRUE(SaveModified(*doc));
    EXPECT_FALSE(doc->isModified());
    EXPECT_TRUE(std::filesystem::exists(dir / "app-German.rc"));
    EXPECT_NE(test::readFile(dir / "ru" / "app.rc").find("LANGUAGE  0x19, 0x01"), std::string::npos);
}

TEST_F(CQuillDocTest, TheFirstReadablePragmaDecidesTheCodePageElseTheBytesDo)
{
    // A pragma that names no number is passed over; the next one wins over the language.
    auto pragmas = openDoc(dir.write("a.rc", "#pragma code_page(DEFAULT)\nLANGUAGE LANG_RUSSIAN, SUBLANG_DEFAULT\n"
                                             "#pragma code_page(1250)\n#pragma code_page(1252)\n"
                                             "STRINGTABLE\nBEGIN\n 1 \"Gr\xFC\xDF" "e\"\nEND\n"));
    ASSERT_TRUE(pragmas);
    EXPECT_EQ(pragmas->codePage(), 1250);
    // Without one, bytes that are all UTF-8 make a UTF-8 project, others the language's code page.
    auto utf8 = openDoc(dir.write("b.rc", "LANGUAGE LANG_RUSSIAN, SUBLANG_DEFAULT\n"
                                          "STRINGTABLE\nBEGIN\n 1 \"Gr\xC3\xBC\xC3\x9F" "e\"\nEND\n"));
    ASSERT_TRUE(utf8);
    EXPECT_EQ(utf8->codePage(), 65001);
    auto russian = openDoc(dir.write("c.rc", "LANGUAGE LANG_RUSSIAN, SUBLANG_DEFAULT\n"
                                             "STRINGTABLE\nBEGIN\n 1 \"\xCF\xF0\xE8\"\nEND\n"));
    ASSERT_TRUE(russian);
    EXPECT_EQ(russian->codePage(), 1251);
}

TEST_F(CQuillDocTest, Utf8ProjectsKeepTheirCodePage)
{
    auto doc = openDoc(dir.write("app.rc", "#pragma code_page(65001)\nSTRINGTABLE\nBEGIN\n 1 \"Gr\xC3\xBC\xC3\x9F""e\"\nEND\n"));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->codePage(), 65001);
    ASSERT_TRUE(doc->NewTranslation(Russian, "app-ru.rc"));
    EXPECT_NE(written(*doc, Russian).find("#pragma code_page(65001)"), std::string::npos);

    auto western = openDoc(dir.write("w.rc", "#pragma code_page(1252)\nSTRINGTABLE\nBEGIN\n 1 \"x\"\nEND\n"));
    ASSERT_TRUE(western);
    ASSERT_TRUE(western->NewTranslation(Russian, "w-ru.rc"));
    EXPECT_NE(written(*western, Russian).find("#pragma code_page(1251)"), std::string::npos);
}

TEST_F(CQuillDocTest, AParseErrorLeavesNoDatabase)
{
    auto script = dir.write("bad.rc", "IDM_M MENU\nBEGIN\nPOPUP \"x\" 12\nEND\n");
    EXPECT_FALSE(openDoc(script));
    EXPECT_FALSE(std::filesystem::exists(dir / "bad_rc.mdb"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(CQuillDocTest, LanguagesOfOneFamilyAreTranslationsSideBySide)
{
    auto doc = openDoc(dir.write("app.rc", kScript));
    ASSERT_TRUE(doc);
    const LanguageId arabic{1, 1}, arabicUae{1, 14}, lithuanian{39, 1};
    ASSERT_TRUE(doc->NewTranslation(arabic, "app-ar.rc"));
    ASSERT_TRUE(doc->NewTranslation(arabicUae, "app-ar-AE.rc"));
    ASSERT_TRUE(doc->NewTranslation(lithuanian, "app-lt.rc"));
    EXPECT_EQ(CQuillDoc::languageName(arabicUae), "Arabic (United Arab Emirates)");
    std::map<std::string, int> line;
    doc->database().texts().forEachTextInLineOrder([&](const TextRow& r) { line[r.sourceText] = r.lineIndex; });
    ASSERT_TRUE(doc->database().texts().setTranslation(line["One"], lithuanian, "Vienas", false));

    const std::string out = written(*doc, lithuanian);
    EXPECT_NE(out.find("\r\nLANGUAGE  0x27, 0x01\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  1 \"Vienas\"\r\n"), std::string::npos);
    EXPECT_NE(out.find("BLOCK\"042704E9\""), std::string::npos) << out;  // Baltic code page 1257
    EXPECT_NE(written(*doc, arabicUae).find("LANGUAGE  0x01, 0x0E"), std::string::npos);
    ASSERT_TRUE(doc->DeleteTranslation(arabicUae));
    EXPECT_TRUE(doc->database().languages().translationColumnExists(arabic));
}

TEST_F(CQuillDocTest, ATranslationStoredUnderItsLanguagesNameIsRenamedOnOpen)
{
    // Earlier versions named Arabic (U.A.E.) by its language: its column was "Arabic".
    const LanguageId arabicUae{1, 14};
    auto script = dir.write("app.rc", kScript);
    {
        auto doc = openDoc(script);
        ASSERT_TRUE(doc);
        ASSERT_TRUE(doc->NewTranslation(arabicUae, "app-ar.rc"));
        std::map<std::string, int> line;
        doc->database().texts().forEachTextInLineOrder([&](const TextRow& r) { line[r.sourceText] = r.lineIndex; });
        ASSERT_TRUE(doc->database().texts().setTranslation(line["One"], arabicUae, "\xE6\xCD\xCF", true));
    }
    {
        SqliteDatabase raw;
        raw.open(dir / "app_rc.mdb");
        raw.execute("ALTER TABLE ResourceText RENAME COLUMN \"Arabic (United Arab Emirates)\" TO \"Arabic\";"
                    "ALTER TABLE ResourceText RENAME COLUMN \"Arabic (United Arab Emirates)_Modified\" TO \"Arabic_Modified\";"
                    "UPDATE Translations SET LanguageStr = 'Arabic'");
    }
    auto doc = openDoc(dir / "app_rc.mdb");
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->database().languages().translationColumnExists(arabicUae));
    const std::vector<TranslatedLine> texts = doc->database().languages().translatedTexts(arabicUae);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const TranslatedLine& t) { return t.text == "\xE6\xCD\xCF"; }), 1);
    EXPECT_EQ(doc->database().languages().translations().at(0).languageStr, "Arabic (United Arab Emirates)");
    // The flag column moved with it, and Arabic itself can now be added beside it.
    EXPECT_EQ(doc->database().languages().translationStatistics(arabicUae).changed, 1);
    EXPECT_TRUE(doc->NewTranslation(LanguageId{1, 1}, "app-ar-SA.rc"));
}

TEST_F(CQuillDocTest, DeletingATranslationRemovesItsColumns)
{
    auto doc = openDoc(dir.write("app.rc", kScript));
    ASSERT_TRUE(doc);
    EXPECT_FALSE(doc->DeleteTranslation(German));
    EXPECT_TRUE(feedback.saidMessage(msg::NoTranslationToDelete));
    ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
    ASSERT_TRUE(doc->DeleteTranslation(German));
    EXPECT_FALSE(doc->hasTranslation(German));
    EXPECT_FALSE(doc->database().languages().translationColumnExists(German));
    EXPECT_EQ(doc->database().status(), 1);
}

} // namespace qmk

namespace qmk {

TEST_F(CQuillDocTest, TranslationSettingsCheckTheFileNameAndKeepFonts)
{
    auto doc = openDoc(dir.write("app.rc", kScript));
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
    ASSERT_TRUE(doc->NewTranslation(Russian, "app-Russian.rc"));
    doc->setModified(false);

    EXPECT_EQ(doc->checkTranslationFileName(German, ""), OperationResult::InputRefused);
    EXPECT_TRUE(feedback.saidMessage(msg::InvalidTranslationFileName));
    EXPECT_FALSE(doc->checkTranslationFileName(German, "APP.RC"));
    EXPECT_TRUE(feedback.saidMessage(msg::TranslationFileIsSourceFile));
    EXPECT_FALSE(doc->checkTranslationFileName(German, "app-russian.rc"));
    EXPECT_TRUE(feedback.saidMessage(msg::TranslationFileNameInUse));

    feedback.asked.clear();
    EXPECT_TRUE(doc->checkTranslationFileName(German, "APP-GERMAN.RC"));  // its own name in another case
    EXPECT_TRUE(feedback.asked.empty());
    dir.write("taken.rc", "");
    feedback.answer = false;
    EXPECT_EQ(doc->checkTranslationFileName(German, "taken.rc"), OperationResult::Cancelled);
    EXPECT_EQ(feedback.asked, (std::vector<int>{msg::TranslationFileExists}));

    EXPECT_FALSE(doc->setTranslationFileName(German, doc->database().languages().fileName(German)));
    EXPECT_FALSE(doc->isModified());  // the same name: nothing to store
    EXPECT_TRUE(doc->setTranslationFileName(German, "App-German.RC"));  // another case is another file here
    EXPECT_TRUE(doc->setTranslationFileName(German, "de/app.rc"));
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->database().languages().fileName(German), "de/app.rc");

    doc->setModified(false);
    doc->setFont(Russian, false, "Arial Cyr", 204);
    EXPECT_TRUE(SaveModified(*doc));
    bool found = false;
    for (const TranslationRow& t : doc->database().languages().translations())
        if (t.id == Russian) {
            found = true;
            EXPECT_EQ(t.fontName, "Arial Cyr");
            EXPECT_EQ(t.charSet, 204);
        }
    EXPECT_TRUE(found);
    EXPECT_EQ(doc->missingCharacterSets([](int charSet) { return charSet != 204; }),
              (std::vector<std::string>{"Cyrillic"}));
}

TEST_F(CQuillDocTest, BookmarksPreviewsAndTheStoringCodePageReportADatabaseFailureAndGiveUp)
{
    auto doc = openDoc(dir.write("app.rc", kScript));
    ASSERT_TRUE(doc);
    ASSERT_TRUE(doc->NewTranslation(German, "app-German.rc"));
    BookmarkRow row;
    row.lineIndex = 1;
    row.name = "Start";
    row.window = "Text";
    row.language = German;
    ASSERT_TRUE(doc->addBookmark(row));
    const std::vector<IdentRow> bookmarks = doc->bookmarks();
    ASSERT_EQ(bookmarks.size(), 1u);
    const int id = bookmarks.front().lineIndex;
    ASSERT_TRUE(doc->bookmark(id));
    EXPECT_EQ(doc->bookmark(id)->name, "Start");
    EXPECT_EQ(doc->codePageForStoring(German), doc->translationCodePage(German));

    // Another program spoils the tables under the open project.
    SqliteDatabase other;
    other.open(doc->databasePath());
    other.execute("DROP TABLE Bookmark; DROP TABLE DialogControl;"
                  "DROP TABLE Translations; CREATE TABLE Translations (Encoding INTEGER)");
    other.close();
    const std::size_t before = feedback.said.size();
    EXPECT_FALSE(doc->addBookmark(row));
    EXPECT_TRUE(doc->bookmarks().empty());
    EXPECT_FALSE(doc->bookmark(id));
    EXPECT_FALSE(doc->removeBookmark(id));
    EXPECT_FALSE(doc->codePageForStoring(German));  // nothing is stored in a guessed code page
    EXPECT_FALSE(previewTargetOf(*doc, 1, ItemType::DialogItem));
    EXPECT_FALSE(previewTargetOfBookmark(*doc, 1, "Dialog"));
    ASSERT_EQ(feedback.said.size(), before + 7);
    for (std::size_t i = before; i < feedback.said.size(); ++i) {
        EXPECT_EQ(feedback.said[i].text.rfind("Dao Error (", 0), 0u) << feedback.said[i].text;
        EXPECT_EQ(feedback.said[i].icon, Icon::Stop);
    }
}

} // namespace qmk
