// CProjectDatabase over a small project: translations and their columns, older files,
// the source stamp, statistics, the tidy-up after an update and the writer's reads.
#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "database/DaoException.h"
#include "database/LineStore.h"
#include "database/QueryCatalogue.h"
#include "database/SqliteDatabase.h"

namespace qmk {
namespace {

constexpr LanguageId German{7, 1};
constexpr LanguageId French{12, 1};

// Line keys of the sample project.
enum Line {
    LanguageLine = 10, DialogLine, CaptionLine, StaticLine, ButtonLine, EditLine, MenuLine, PopupLine, ItemLine,
    StringLine, IncludeLine, BitmapLine
};

class ProjectDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_ / "app_rc.mdb";
        db_.createNew(path_);
        {
            auto s = db_.lineStore();
            s->addLine({LanguageLine, 1, 94, 0, "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US", ""});
            s->addSourceLanguage(LanguageLine, {9, 1});
            line(*s, DialogLine, 13, "");
            s->addDialog({DialogLine, "IDD_ABOUT", 200, 100});
            line(*s, CaptionLine, 1, "About");
            s->addCaption({CaptionLine, DialogLine});
            line(*s, StaticLine, 19, "Hello");
            s->addControl({StaticLine, DialogLine, "IDC_STATIC", "", 7, 7, 100, 8, 19, 0x50020000u});
            line(*s, ButtonLine, 23, "OK");
            s->addControl({ButtonLine, DialogLine, "IDOK", "", 7, 20, 50, 14, 23, 0x50010000u});
            line(*s, EditLine, 29, "");
            s->addControl({EditLine, DialogLine, "IDC_EDIT", "", 7, 40, 50, 14, 29, 0});
            line(*s, MenuLine, 8, "");
            s->addMenu({MenuLine, "IDR_MAIN"});
            line(*s, PopupLine, 3, "&File");
            s->addMenuItem({PopupLine, MenuLine, 0, "", 0});
            line(*s, ItemLine, 4, "E&xit");
            s->addMenuItem({ItemLine, MenuLine, 1, "ID_EXIT", 0});
            line(*s, StringLine, 70, "Hello world");
            s->addStringtableString({StringLine, "IDS_HELLO"});
            line(*s, IncludeLine, 9, "res.rc2", true);
            line(*s, BitmapLine, 16, "logo.bmp", true);
            s->addBitmap({BitmapLine, "IDB_LOGO"});
            s->commit();
        }
        db_.writeProjectRow("app.rc", {1234, 0x5A21, 0x6000}, {});
        db_.finishNew();
    }

    void line(LineStore& s, int lineIndex, int kind, const std::string& text, bool exclude = false)
    {
        s.addLine({lineIndex, lineIndex - 9, kind, 0, text.empty() ? "STATEMENT" : "STATEMENT \"",
                   text.empty() ? "" : "\""});
        if (!text.empty())
            s.addText(lineIndex, text, exclude);
    }

    // Rows of a table whose LineIndex is the given one, read past the layer under test.
    int rowsOf(const std::string& table, int lineIndex)
    {
        SqliteDatabase raw;
        raw.open(path_, OpenMode{false, true, false});
        Statement count = raw.prepare("SELECT count(*) FROM " + quoteIdentifier(table) + " WHERE LineIndex = :L");
        count.bind("L", lineIndex);
        count.step();
        return static_cast<int>(count.integer(0));
    }

    test::TempDir dir_;
    std::filesystem::path path_;
    CProjectDatabase db_;
};

TEST_F(ProjectDatabaseTest, EveryCatalogueQueryCompilesAgainstTheLayout)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    SqliteDatabase raw;
    raw.open(path_);
    for (std::string_view name : queries::storedQueryNames())
        EXPECT_NO_THROW(raw.prepare(queries::sql(name))) << name;
    for (const char* name : {queries::IncludeLineByFileName, queries::TextsWithLineKind,
                             queries::VersionOfBlockHeader, queries::VersionOfValue, queries::ExcludeByLineIndex,
                             queries::ProjectSourceFile, queries::IncludeLinesInOrder, queries::TextTableItemIdents,
                             queries::ScriptLinesOfKind})
        EXPECT_NO_THROW(raw.prepare(queries::sql(name))) << name;
    for (const auto& obsolete : queries::obsoleteRowQueries()) {
        EXPECT_TRUE(queries::contains(obsolete.name)) << obsolete.name;
        EXPECT_NO_THROW(raw.prepare(obsolete.deleteSql)) << obsolete.name;
    }
}

TEST_F(ProjectDatabaseTest, AddingATranslationCreatesItsTwoColumns)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    EXPECT_TRUE(db_.languages().translationColumnExists(German));
    EXPECT_TRUE(db_.languages().hasTranslation(German));
    ASSERT_EQ(db_.languages().translations().size(), 1u);
    EXPECT_EQ(db_.languages().translations()[0].languageStr, "German");
    EXPECT_FALSE(db_.languages().addTranslation(German));       // already there
    EXPECT_FALSE(db_.languages().addTranslation({0x3FE, 1}));   // no name, no translation
    EXPECT_TRUE(db_.texts().setTranslation(CaptionLine, German, "Info", false));
    EXPECT_EQ(db_.texts().translation(CaptionLine, German)->text, "Info");
}

TEST_F(ProjectDatabaseTest, AddingATranslationWhoseColumnSurvivedOnlyInsertsTheRow)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    db_.texts().setTranslation(CaptionLine, German, "Info", false);
    {
        // A removal that failed after deleting the row left the columns behind.
        SqliteDatabase raw;
        raw.open(path_);
        raw.execute("DELETE FROM Translations");
    }
    ASSERT_FALSE(db_.languages().hasTranslation(German));
    EXPECT_TRUE(db_.languages().addTranslation(German));
    EXPECT_TRUE(db_.languages().hasTranslation(German));
    EXPECT_EQ(db_.texts().translation(CaptionLine, German)->text, "Info");
}

TEST_F(ProjectDatabaseTest, TwoTranslationsOfOneNameDoNotShareColumns)
{
    ASSERT_TRUE(db_.languages().addTranslation({9, 2}));
    EXPECT_FALSE(db_.languages().addTranslation({9, 30}));  // also "English UK"
    EXPECT_TRUE(db_.languages().addTranslation({9, 7}));    // English (South Africa) has its own
    ASSERT_TRUE(db_.languages().addTranslation({36, 0}));   // "Slovak"
    EXPECT_FALSE(db_.languages().addTranslation({27, 1}));  // also "Slovak"
    ASSERT_TRUE(db_.languages().removeTranslation({36, 0}));
    EXPECT_TRUE(db_.languages().addTranslation({27, 1}));
}

TEST_F(ProjectDatabaseTest, RemovingATranslationDropsColumnsRowsAndFileName)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    ASSERT_TRUE(db_.languages().addTranslation(French));
    db_.languages().setFileName(German, "app-German.rc");
    db_.languages().setFileName(French, "app-French.rc");
    db_.texts().setTranslation(CaptionLine, French, "A propos", false);
    ASSERT_TRUE(db_.languages().removeTranslation(German));
    EXPECT_FALSE(db_.languages().translationColumnExists(German));
    EXPECT_FALSE(db_.languages().hasTranslation(German));
    EXPECT_EQ(db_.languages().fileName(German), "");
    EXPECT_EQ(db_.languages().fileName(French), "app-French.rc");
    EXPECT_EQ(db_.texts().translation(CaptionLine, French)->text, "A propos");
}

TEST_F(ProjectDatabaseTest, FileNamesAreStoredPerTranslation)
{
    db_.languages().setFileName(German, "app-German.rc");
    db_.languages().setFileName(German, "de/app.rc");
    EXPECT_EQ(db_.languages().fileName(German), "de/app.rc");
    ASSERT_EQ(db_.languages().translationFileNames().size(), 1u);
}

TEST_F(ProjectDatabaseTest, OlderFileGetsMissingSwitchAndFontColumnsOnFirstWrite)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    db_.close();
    {
        SqliteDatabase raw;
        raw.open(path_);
        for (const char* field : {"DialogEdit", "MenuEdit", "StringtableEdit", "BitmapEdit", "VersionEdit",
                                  "IncludeEdit", "ExcludeEdit"})
            raw.dropColumn("Project", field);
        for (const char* table : {"Translations", "Source File Language"}) {
            raw.dropColumn(table, "FontName");
            raw.dropColumn(table, "CharSet");
        }
        raw.execute("UPDATE Project SET FileVersion = 6");
    }
    db_.open(path_);
    EXPECT_EQ(db_.fileVersion(), 6);
    EXPECT_FALSE(db_.readSwitch(ProjectSwitch::IncludeEdit).has_value());
    EXPECT_EQ(db_.languages().translations().at(0).charSet, 1);

    EXPECT_TRUE(db_.writeSwitch(ProjectSwitch::IncludeEdit, false));
    EXPECT_EQ(db_.readSwitch(ProjectSwitch::IncludeEdit), false);
    EXPECT_TRUE(db_.writeSwitch(ProjectSwitch::DialogEdit, true));
    EXPECT_EQ(db_.readSwitch(ProjectSwitch::DialogEdit), true);

    EXPECT_TRUE(db_.languages().saveFonts({{{9, 1}, "Arial", 0}}, {{German, "Courier New", 238}}));
    EXPECT_EQ(db_.languages().translations().at(0).fontName, "Courier New");
    EXPECT_EQ(db_.languages().translations().at(0).charSet, 238);
    EXPECT_EQ(db_.languages().sourceLanguages().at(0).fontName, "Arial");
}

TEST_F(ProjectDatabaseTest, SavingFontsResetsLanguagesWithoutASetting)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    ASSERT_TRUE(db_.languages().addTranslation(French));
    ASSERT_TRUE(db_.languages().saveFonts({}, {{German, "Arial", 161}, {French, "Tahoma", 0}}));
    ASSERT_TRUE(db_.languages().saveFonts({}, {{French, "Verdana", 0}}));
    EXPECT_EQ(db_.languages().translations().at(0).fontName, "");
    EXPECT_EQ(db_.languages().translations().at(0).charSet, 1);
    EXPECT_EQ(db_.languages().translations().at(1).fontName, "Verdana");
}

TEST_F(ProjectDatabaseTest, ProjectRowKeepsStampSwitchesAndStatus)
{
    ProjectSwitches switches;
    switches.menuEdit = false;
    db_.setStatus(ProjectStatus::NotComplete);
    db_.writeProjectRow("", {99, 3, 4}, switches);
    auto row = db_.projectRow();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->sourceFile, "app.rc");  // an empty name does not overwrite
    EXPECT_EQ(row->stamp.size, 99);
    EXPECT_EQ(row->fileVersion, 8);
    EXPECT_EQ(row->status, 2);
    EXPECT_EQ(db_.readSwitch(ProjectSwitch::MenuEdit), false);
    EXPECT_EQ(db_.readSwitch(ProjectSwitch::IncludeEdit), false);
    EXPECT_EQ(db_.readSwitch(ProjectSwitch::ExcludeEdit), true);
    EXPECT_EQ(db_.sourceFile(), "app.rc");
}

TEST_F(ProjectDatabaseTest, SourceChangedOnlyWhenSizeDiffersOrStampIsLater)
{
    // Stored: size 1234, date 0x5A21, time 0x6000.
    EXPECT_FALSE(db_.isSourceChanged({1234, 0x5A21, 0x6000}));
    EXPECT_TRUE(db_.isSourceChanged({1235, 0x5A21, 0x6000}));
    EXPECT_TRUE(db_.isSourceChanged({1234, 0x5A22, 0x0000}));
    EXPECT_TRUE(db_.isSourceChanged({1234, 0x5A21, 0x6001}));
    EXPECT_FALSE(db_.isSourceChanged({1234, 0x5A21, 0x5FFF}));  // restored older copy
    EXPECT_FALSE(db_.isSourceChanged({1234, 0x5A20, 0xFFFF}));
    EXPECT_TRUE(db_.isSourceChanged({1234, 0xF000, 0x0000}));   // dates compare unsigned
}

TEST_F(ProjectDatabaseTest, SourceChangedWithoutProjectRowIsUnchanged)
{
    {
        SqliteDatabase raw;
        raw.open(path_);
        raw.execute("DELETE FROM Project");
    }
    EXPECT_FALSE(db_.isSourceChanged({1, 2, 3}));
    EXPECT_FALSE(db_.readSwitch(ProjectSwitch::DialogEdit).has_value());
}

TEST_F(ProjectDatabaseTest, StatisticsWithEveryTextExcludedGiveTotalZero)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    for (int line : {CaptionLine, StaticLine, ButtonLine, PopupLine, ItemLine, StringLine, IncludeLine, BitmapLine})
        db_.texts().setExclude(line, true);
    TranslationStatistics stats = db_.languages().translationStatistics(German);
    EXPECT_EQ(stats.total, 0);
    EXPECT_EQ(stats.translated, 0);
    EXPECT_EQ(stats.changed, 0);
}

TEST_F(ProjectDatabaseTest, ChangedAndTranslatedTextCountsOnceAsChanged)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    db_.texts().setTranslation(CaptionLine, German, "Info", true);
    db_.texts().setTranslation(ButtonLine, German, "OK", false);
    db_.texts().setTranslation(StaticLine, German, "", false);
    TranslationStatistics stats = db_.languages().translationStatistics(German);
    EXPECT_EQ(stats.total, 6);  // include and bitmap start out excluded
    EXPECT_EQ(stats.changed, 1);
    EXPECT_EQ(stats.translated, 1);
    EXPECT_EQ(db_.languages().computeStatus(), ProjectStatus::NotComplete);
}

TEST_F(ProjectDatabaseTest, StatisticsSkipCategoriesThatDoNotCount)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    db_.texts().setExclude(IncludeLine, false);
    CountedKinds kinds;
    kinds.dialogs = false;
    kinds.includes = false;
    EXPECT_EQ(db_.languages().translationStatistics(German, kinds).total, 3);  // popup, item, string
    EXPECT_EQ(db_.languages().translationStatistics({0x3FE, 1}).total, 0);     // a language without a name
}

TEST_F(ProjectDatabaseTest, StatusIsTranslatedOnlyWhenEveryTranslationIsComplete)
{
    EXPECT_EQ(db_.languages().computeStatus(), ProjectStatus::NoTranslation);
    ASSERT_TRUE(db_.languages().addTranslation(German));
    for (int line : {CaptionLine, StaticLine, ButtonLine, PopupLine, ItemLine, StringLine})
        db_.texts().setTranslation(line, German, "x", false);
    EXPECT_EQ(db_.languages().computeStatus(), ProjectStatus::Translated);
}

TEST_F(ProjectDatabaseTest, ResourceStatisticsCountTheDialogsAndMenusTexts)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    db_.texts().setTranslation(CaptionLine, German, "Info", false);
    db_.texts().setTranslation(StaticLine, German, "Hallo", true);
    db_.texts().setExclude(ButtonLine, true);
    ResourceStatistics dialog = db_.languages().dialogStatistics(DialogLine, German);
    EXPECT_EQ(dialog.texts, 3);
    EXPECT_EQ(dialog.excluded, 1);
    EXPECT_EQ(dialog.changed, 1);
    EXPECT_EQ(dialog.translated, 1);
    EXPECT_EQ(db_.languages().menuStatistics(MenuLine, German).texts, 2);
}

// An update pass that met every line except the static text, the menu item and the string.
class ObsoleteRowsTest : public ProjectDatabaseTest {
protected:
    void SetUp() override
    {
        ProjectDatabaseTest::SetUp();
        ASSERT_TRUE(db_.languages().addTranslation(German));
        ASSERT_TRUE(db_.languages().addTranslation(French));
        db_.texts().setTranslation(CaptionLine, German, "Info", false);
        db_.texts().setTranslation(CaptionLine, French, "", false);
        db_.bookmarks().add({0, StringLine, "greeting", "Text", German});
        db_.bookmarks().add({0, CaptionLine, "caption", "Text", {-1, -1}});
        for (int l : {LanguageLine, DialogLine, CaptionLine, ButtonLine, EditLine, MenuLine, PopupLine, IncludeLine,
                      BitmapLine})
            ASSERT_TRUE(db_.update().rewriteLine(l, l, "STATEMENT \"", "\""));
        ASSERT_TRUE(db_.update().setSourceText(CaptionLine, "About it"));
        db_.update().removeObsoleteRows();
    }
};

TEST_F(ObsoleteRowsTest, RowsOfLinesNotWrittenAreRemovedFromEveryTable)
{
    for (int l : {StaticLine, ItemLine, StringLine}) {
        EXPECT_EQ(rowsOf("ResFileLine", l), 0) << l;
        EXPECT_EQ(rowsOf("ResourceText", l), 0) << l;
    }
    EXPECT_EQ(rowsOf("DialogControl", StaticLine), 0);
    EXPECT_EQ(rowsOf("MenuItem", ItemLine), 0);
    EXPECT_EQ(rowsOf("StringtableString", StringLine), 0);
    EXPECT_EQ(rowsOf("Bookmark", StringLine), 0);
    ASSERT_EQ(db_.bookmarks().all().size(), 1u);
    EXPECT_EQ(db_.bookmarks().all()[0].nameId, "caption");
}

TEST_F(ObsoleteRowsTest, RowsOfLinesWrittenStay)
{
    EXPECT_EQ(db_.texts().allLineIndexes(), (std::vector<int>{LanguageLine, DialogLine, CaptionLine, ButtonLine, EditLine,
                                                      MenuLine, PopupLine, IncludeLine, BitmapLine}));
    EXPECT_EQ(rowsOf("DialogControl", ButtonLine), 1);
    EXPECT_EQ(rowsOf("DialogControl", EditLine), 1);
    EXPECT_EQ(rowsOf("Dialogs", DialogLine), 1);
    EXPECT_EQ(rowsOf("DlgCaption", CaptionLine), 1);
    EXPECT_EQ(rowsOf("MenuItem", PopupLine), 1);
    EXPECT_EQ(rowsOf("Bitmap", BitmapLine), 1);
    EXPECT_EQ(rowsOf("Source File Language", LanguageLine), 1);
    EXPECT_EQ(db_.texts().lineValues(CaptionLine)->line.added, 0);
}

TEST_F(ObsoleteRowsTest, ChangedTextFlagsOnlyTranslationsThatHaveAText)
{
    auto caption = db_.texts().text(CaptionLine);
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->sourceText, "About it");
    EXPECT_EQ(caption->sourceTextOld, "About");
    EXPECT_FALSE(caption->modified);
    EXPECT_TRUE(db_.texts().translation(CaptionLine, German)->modified);
    EXPECT_FALSE(db_.texts().translation(CaptionLine, French)->modified);  // empty translation: flag untouched
    EXPECT_EQ(db_.texts().translation(CaptionLine, German)->text, "Info");
}

TEST_F(ProjectDatabaseTest, WriterReadsJoinLinesAndTextsByKeyInLineOrder)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    db_.texts().setTranslation(ButtonLine, German, "Weiter", false);
    // The update moved the button before the caption.
    db_.update().rewriteLine(ButtonLine, 2, "PUSHBUTTON \"", "\"");
    std::vector<int> lines, texts;
    db_.texts().forEachScriptLine([&](const LineRow& row) {
        if (!row.behindStr.empty())
            lines.push_back(row.lineIndex);
    });
    db_.texts().forEachTextInLineOrder([&](const TextRow& row) {
        texts.push_back(row.lineIndex);
        if (row.lineIndex == ButtonLine) {
            EXPECT_EQ(row.translations.at(0).text, "Weiter");
        }
    });
    EXPECT_EQ(texts.front(), ButtonLine);
    EXPECT_EQ(lines, texts);
}

TEST_F(ProjectDatabaseTest, TextTableRecordsCarryIdentifierAndDialogInLineOrder)
{
    ASSERT_TRUE(db_.languages().addTranslation(German));
    db_.texts().setTranslation(StringLine, German, "Hallo Welt", true);
    std::vector<TextTableRecord> records;
    db_.texts().forEachTextTableRecord([&](const TextTableRecord& r) { records.push_back(r); });
    ASSERT_EQ(records.size(), 8u);  // every line with a text
    std::vector<int> order;
    for (const TextTableRecord& r : records)
        order.push_back(r.text.lineIndex);
    EXPECT_EQ(order, (std::vector<int>{CaptionLine, StaticLine, ButtonLine, PopupLine, ItemLine, StringLine,
                                       IncludeLine, BitmapLine}));
    auto at = [&](int lineIndex) {
        for (const TextTableRecord& r : records)
            if (r.text.lineIndex == lineIndex)
                return r;
        return TextTableRecord{};
    };
    EXPECT_EQ(at(CaptionLine).dialogLine, DialogLine);
    EXPECT_EQ(at(CaptionLine).itemIdent, "");
    EXPECT_EQ(at(ButtonLine).dialogLine, DialogLine);
    EXPECT_EQ(at(ButtonLine).itemIdent, "IDOK");
    EXPECT_EQ(at(ButtonLine).text.lineKind, 23);
    EXPECT_EQ(at(PopupLine).itemIdent, "");
    EXPECT_EQ(at(ItemLine).itemIdent, "ID_EXIT");
    EXPECT_EQ(at(ItemLine).dialogLine, -1);
    EXPECT_EQ(at(StringLine).itemIdent, "IDS_HELLO");
    EXPECT_EQ(at(StringLine).text.translations.at(0).text, "Hallo Welt");
    EXPECT_TRUE(at(StringLine).text.translations.at(0).modified);
    EXPECT_EQ(at(BitmapLine).itemIdent, "IDB_LOGO");
    EXPECT_TRUE(at(BitmapLine).text.exclude);
    EXPECT_EQ(at(IncludeLine).text.sourceText, "res.rc2");
}

TEST_F(ProjectDatabaseTest, LookUpsByIdentifier)
{
    EXPECT_EQ(db_.update().stringsByIdent("IDS_HELLO").at(0).lineIndex, StringLine);
    EXPECT_TRUE(db_.update().stringsByIdent("IDS_NONE").empty());
    EXPECT_TRUE(db_.update().stringsByIdent("ids_hello").empty());  // identifiers compare exactly
    EXPECT_EQ(db_.update().dialogCaptions("IDD_ABOUT").at(0).sourceText, "About");
    EXPECT_EQ(db_.update().menuItemsByIdent("IDR_MAIN", "ID_EXIT").at(0).lineIndex, ItemLine);
    EXPECT_EQ(db_.update().menuItemsOfKind("IDR_MAIN", 3).at(0).lineIndex, PopupLine);
    EXPECT_EQ(db_.update().bitmapsByIdent("IDB_LOGO").at(0).sourceText, "logo.bmp");
    EXPECT_EQ(db_.update().includeLine("RES.RC2"), IncludeLine);  // file names ignore case
    auto controls = db_.update().dialogControls("IDD_ABOUT", "IDOK", 23);
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0].y, 20);
}

TEST_F(ProjectDatabaseTest, TreeAndPreviewLists)
{
    EXPECT_EQ(db_.items().resources(ResourceList::Dialogs).at(0).nameId, "IDD_ABOUT");
    auto items = db_.items().dialogTextItems(DialogLine);
    ASSERT_EQ(items.size(), 3u);  // caption, static, button; the edit has no text
    EXPECT_EQ(items[0].lineKind, 1);
    auto preview = db_.items().dialogControlsForPreview(DialogLine);
    ASSERT_EQ(preview.size(), 3u);
    EXPECT_FALSE(preview[2].hasText);
    EXPECT_EQ(db_.items().menuItems(MenuLine).at(1).nameId, "ID_EXIT");
    EXPECT_EQ(db_.items().menuItems(MenuLine).at(1).level, 1);
    EXPECT_EQ(db_.items().dialogOfControl(ButtonLine), DialogLine);
    EXPECT_FALSE(db_.items().dialog(999).has_value());
}

TEST_F(ProjectDatabaseTest, BookmarksAreAddedReadAndDeleted)
{
    int id = db_.bookmarks().add({0, StringLine, "greeting", "Dialog", German});
    auto mark = db_.bookmarks().find(id);
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->lineIndex, StringLine);
    EXPECT_EQ(mark->window, "Dialog");
    EXPECT_EQ(mark->language, German);
    EXPECT_TRUE(db_.bookmarks().remove(id));
    EXPECT_FALSE(db_.bookmarks().find(id).has_value());
    EXPECT_FALSE(db_.bookmarks().remove(id));
}

} // namespace
} // namespace qmk
