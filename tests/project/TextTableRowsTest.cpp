// The Text Table's rows over small projects: what a reload shows and in which order, the Id
// texts and group starts, categories switched on and off, exclusion, next item and the gauge.
#include <gtest/gtest.h>

#include "common/ProjectDatabaseBuilder.h"
#include "common/RecordingFeedback.h"
#include "common/TempDir.h"
#include "database/CProjectDatabase.h"
#include "project/TextTableRows.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

constexpr LanguageId EnglishUS{9, 1};
constexpr LanguageId German{7, 1};
constexpr LanguageId French{12, 1};
constexpr int LText = 19, PushButton = 23;

ProjectSwitches withoutExcluded()
{
    ProjectSwitches s;
    s.excludeEdit = false;
    return s;
}

class TextTableRowsTest : public ::testing::Test {
protected:
    void build(const ProjectSwitches& switches, const std::vector<LanguageId>& translations = {German, French})
    {
        switches_ = switches;
        test::ProjectDatabaseBuilder b(db_, dir_ / "app_rc.mdb");
        b.sourceLanguage(EnglishUS);
        dialogA_ = b.dialog("IDD_ABOUT");
        caption_ = b.caption(dialogA_, "About");
        text_ = b.control(dialogA_, LText, "IDC_TEXT", "Hello");
        ok_ = b.control(dialogA_, PushButton, "IDOK", "OK");
        dialogB_ = b.dialog("IDD_NAME");
        name_ = b.control(dialogB_, LText, "IDC_NAME", "Name");
        int menu = b.menu("IDR_MAIN");
        popup_ = b.popup(menu, "&File");
        exit_ = b.menuItem(menu, "ID_EXIT", "E&xit");
        string_ = b.string("IDS_HELLO", "Hello world");
        bitmap_ = b.bitmap("IDB_LOGO", "logo.bmp");
        include_ = b.include("res.rc2");
        int version = b.version("VS_VERSION_INFO");
        block_ = b.blockHeader(version, "040904E4");
        value_ = b.versionValue(version, block_, "FileDescription", "Demo");
        data_ = b.dataString("raw data");
        b.finish(switches, translations);
    }

    std::vector<int> lineIndexes() const
    {
        std::vector<int> lines;
        for (int i = 0; i < rows_.rowCount(); ++i)
            lines.push_back(rows_.item(i).lineIndex);
        return lines;
    }

    const TextTableRow& rowOf(int lineIndex) const { return rows_.row(rows_.rowOfLineIndex(lineIndex)); }

    test::TempDir dir_;
    CProjectDatabase db_;
    TextTableRows rows_;
    ProjectSwitches switches_;
    int dialogA_ = 0, caption_ = 0, text_ = 0, ok_ = 0, dialogB_ = 0, name_ = 0, popup_ = 0, exit_ = 0, string_ = 0,
        bitmap_ = 0, include_ = 0, block_ = 0, value_ = 0, data_ = 0;
};

TEST_F(TextTableRowsTest, ColumnsAreIdSourceAndTranslationsInProjectOrder)
{
    build({});
    ASSERT_TRUE(rows_.reload(db_, switches_));
    const TextTableColumns& columns = rows_.columns();
    ASSERT_EQ(columns.count(), 4);
    EXPECT_EQ(columns.header(0), "Id");
    EXPECT_EQ(columns.header(1), "Source Text (English US)");
    EXPECT_EQ(columns.header(2), "German");
    EXPECT_EQ(columns.header(3), "French");
    EXPECT_EQ(columns.columnOfLanguage(French), 3);
    EXPECT_EQ(columns.columnOfLanguage({25, 1}), -1);
    EXPECT_EQ(columns.languageOfColumn(2), German);
    EXPECT_FALSE(columns.languageOfColumn(1).has_value());
    EXPECT_EQ(columns.width(0), 80);
    EXPECT_EQ(columns.width(3), 120);
}

TEST_F(TextTableRowsTest, ProjectWithoutTranslationsHasOnlyIdAndSourceColumns)
{
    build({}, {});
    ASSERT_TRUE(rows_.reload(db_, switches_));
    EXPECT_EQ(rows_.columns().count(), 2);
    EXPECT_EQ(rows_.row(0).cells.size(), 2u);
    EXPECT_EQ(rows_.nextItem(-1, -1), 0);  // no current translation column: simply the next row
}

TEST(TextTableColumnsTest, SourceHeaderNamesEachSourceLanguageOnce)
{
    EXPECT_EQ(TextTableColumns::sourceHeader({}), "Source Text");
    EXPECT_EQ(TextTableColumns::sourceHeader({{9, 1}, {7, 1}, {9, 1}}), "Source Text (English US, German)");
    EXPECT_EQ(TextTableColumns::sourceHeader({{99, 9}}), "Source Text");  // no display name
    EXPECT_EQ(TextTableColumns::sourceHeader({{39, 1}}), "Source Text (Lithuanian (Lithuania))");
}

TEST_F(TextTableRowsTest, ReloadShowsShownTextsInScriptOrderWithTheirIdTexts)
{
    build({});  // every category but includes
    ASSERT_TRUE(rows_.reload(db_, switches_));
    EXPECT_EQ(lineIndexes(), (std::vector<int>{caption_, text_, ok_, name_, popup_, exit_, string_, bitmap_, block_,
                                               value_, data_}));
    EXPECT_EQ(rowOf(caption_).cell(0), "\"Caption\"");
    EXPECT_EQ(rowOf(text_).cell(0), "IDC_TEXT");
    EXPECT_EQ(rowOf(popup_).cell(0), "\"Popup\"");
    EXPECT_EQ(rowOf(exit_).cell(0), "ID_EXIT");
    EXPECT_EQ(rowOf(string_).cell(0), "IDS_HELLO");
    EXPECT_EQ(rowOf(bitmap_).cell(0), "IDB_LOGO");
    EXPECT_EQ(rowOf(block_).cell(0), "\"Block Header\"");
    EXPECT_EQ(rowOf(value_).cell(0), "FileDescription");
    EXPECT_EQ(rowOf(data_).cell(0), "");
    EXPECT_EQ(rowOf(value_).cell(1), "Demo");

    const CObjectData& ok = rowOf(ok_).item;
    EXPECT_EQ(ok.itemType, ItemType::DialogItem);
    EXPECT_EQ(ok.lineKind, PushButton);
    EXPECT_EQ(ok.idText, "IDOK");
    EXPECT_FALSE(ok.excluded);
    EXPECT_TRUE(rowOf(bitmap_).item.excluded);
    EXPECT_EQ(rowOf(bitmap_).item.itemType, ItemType::BitmapFile);
    EXPECT_EQ(rowOf(data_).item.itemType, ItemType::None);
}

TEST_F(TextTableRowsTest, GroupStartsMarkNewItemFamiliesAndAnotherDialog)
{
    build({});
    ASSERT_TRUE(rows_.reload(db_, switches_));
    auto start = [&](int line) { return rowOf(line).item.groupStart; };
    EXPECT_EQ(start(caption_), GroupStart::NewGroup);
    EXPECT_EQ(start(text_), GroupStart::None);
    EXPECT_EQ(start(ok_), GroupStart::None);
    EXPECT_EQ(start(name_), GroupStart::NewDialog);  // first control of the second dialog
    EXPECT_EQ(start(popup_), GroupStart::NewGroup);
    EXPECT_EQ(start(exit_), GroupStart::None);
    EXPECT_EQ(start(string_), GroupStart::NewGroup);
    EXPECT_EQ(start(bitmap_), GroupStart::NewGroup);
    EXPECT_EQ(start(block_), GroupStart::NewGroup);
    EXPECT_EQ(start(value_), GroupStart::None);
    EXPECT_EQ(start(data_), GroupStart::NewGroup);
}

TEST_F(TextTableRowsTest, SwitchedOffCategoriesAndExcludedTextsAreNotLoaded)
{
    ProjectSwitches switches = withoutExcluded();
    switches.menuEdit = false;
    switches.includeEdit = true;
    build(switches);
    ASSERT_TRUE(rows_.reload(db_, switches_));
    EXPECT_EQ(rows_.rowOfLineIndex(popup_), -1);
    EXPECT_EQ(rows_.rowOfLineIndex(exit_), -1);
    EXPECT_EQ(rows_.rowOfLineIndex(bitmap_), -1);   // excluded at build
    EXPECT_EQ(rows_.rowOfLineIndex(include_), -1);  // excluded at build
    EXPECT_GE(rows_.rowOfLineIndex(data_), 0);      // no category: always shown
}

TEST_F(TextTableRowsTest, TranslationsFillTheirCellsAndModifiedFlagsTheLanguage)
{
    build({});
    db_.texts().setTranslation(string_, French, "Bonjour", false);
    db_.texts().setTranslation(string_, German, "Hallo Welt", true);
    ASSERT_TRUE(rows_.reload(db_, switches_));
    const TextTableRow& row = rowOf(string_);
    EXPECT_EQ(row.cell(2), "Hallo Welt");
    EXPECT_EQ(row.cell(3), "Bonjour");
    EXPECT_TRUE(row.item.isModified(German));
    EXPECT_FALSE(row.item.isModified(French));

    EXPECT_TRUE(rows_.setCell("Hallo", German, string_));
    EXPECT_EQ(rowOf(string_).cell(2), "Hallo");
    EXPECT_TRUE(rowOf(string_).item.modifiedLanguages.empty());
    EXPECT_FALSE(rows_.setCell("x", {25, 1}, string_));  // no such column
    EXPECT_FALSE(rows_.setCell("x", German, 9999));      // no such row
}

TEST_F(TextTableRowsTest, ExcludedItemStaysVisibleUntilReloadWhenExcludedTextIsHidden)
{
    build(withoutExcluded());
    ASSERT_TRUE(rows_.reload(db_, switches_));
    int row = rows_.rowOfLineIndex(ok_);
    ASSERT_TRUE(rows_.toggleExclude(row, db_));
    EXPECT_TRUE(rows_.item(row).excluded);
    EXPECT_EQ(rows_.rowOfLineIndex(ok_), row);
    EXPECT_EQ(db_.texts().exclude(ok_), true);
    ASSERT_TRUE(rows_.reload(db_, switches_));
    EXPECT_EQ(rows_.rowOfLineIndex(ok_), -1);
    EXPECT_FALSE(rows_.toggleExclude(rows_.rowCount(), db_));
}

TEST_F(TextTableRowsTest, ExcludeIsFlippedOnlyWhenTheDatabaseTookIt)
{
    build({});
    ASSERT_TRUE(rows_.reload(db_, switches_));
    // A database that has no text for the row's line (the source was updated meanwhile).
    CProjectDatabase other;
    test::ProjectDatabaseBuilder(other, dir_ / "other_rc.mdb").finish();
    int row = rows_.rowOfLineIndex(ok_);
    EXPECT_FALSE(rows_.toggleExclude(row, other));
    EXPECT_FALSE(rows_.item(row).excluded);
}

TEST_F(TextTableRowsTest, SwitchingBitmapsOnPutsTheirRowsAtTheTop)
{
    ProjectSwitches switches;
    switches.bitmapEdit = false;
    build(switches);
    ASSERT_TRUE(rows_.reload(db_, switches_));
    int selected = rows_.rowOfLineIndex(exit_);
    int select = rows_.toggleCategory(db_, switches_, ProjectSwitch::BitmapEdit, selected);
    EXPECT_TRUE(switches_.bitmapEdit);
    EXPECT_EQ(db_.readSwitch(ProjectSwitch::BitmapEdit), true);
    EXPECT_EQ(rows_.item(0).lineIndex, bitmap_);
    EXPECT_EQ(rows_.item(1).lineIndex, caption_);
    EXPECT_EQ(rows_.item(0).groupStart, GroupStart::NewGroup);
    EXPECT_EQ(select, selected + 1);  // the same item, moved down by one row
    EXPECT_EQ(rows_.item(select).lineIndex, exit_);
}

TEST_F(TextTableRowsTest, SwitchingDialogsOnAddsCaptionsAndControlsInScriptOrder)
{
    ProjectSwitches switches;
    switches.dialogEdit = false;
    build(switches);
    ASSERT_TRUE(rows_.reload(db_, switches_));
    EXPECT_EQ(rows_.item(0).lineIndex, popup_);
    rows_.toggleCategory(db_, switches_, ProjectSwitch::DialogEdit, -1);
    std::vector<int> lines = lineIndexes();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(std::vector<int>(lines.begin(), lines.begin() + 5), (std::vector<int>{caption_, text_, ok_, name_, popup_}));
    EXPECT_EQ(rows_.item(3).groupStart, GroupStart::NewDialog);
}

TEST_F(TextTableRowsTest, SwitchingIncludesOnShowsThemWithTheirIdText)
{
    build({});
    ASSERT_TRUE(rows_.reload(db_, switches_));
    rows_.toggleCategory(db_, switches_, ProjectSwitch::IncludeEdit, 0);
    EXPECT_EQ(rows_.item(0).lineIndex, include_);
    EXPECT_EQ(rows_.row(0).cell(0), "\"#Include\"");
    EXPECT_EQ(rows_.item(0).itemType, ItemType::IncludeStatement);
}

TEST_F(TextTableRowsTest, SwitchingACategoryOffRemovesItsRowsAndReselects)
{
    build({});
    ASSERT_TRUE(rows_.reload(db_, switches_));
    int total = rows_.rowCount();
    int select = rows_.toggleCategory(db_, switches_, ProjectSwitch::MenuEdit, rows_.rowOfLineIndex(string_));
    EXPECT_FALSE(switches_.menuEdit);
    EXPECT_EQ(db_.readSwitch(ProjectSwitch::MenuEdit), false);
    EXPECT_EQ(rows_.rowCount(), total - 2);
    EXPECT_EQ(rows_.item(select).lineIndex, string_);
    // The selected row itself goes: row 0 is selected instead.
    EXPECT_EQ(rows_.toggleCategory(db_, switches_, ProjectSwitch::StringtableEdit, rows_.rowOfLineIndex(string_)), 0);
    EXPECT_EQ(rows_.rowOfLineIndex(string_), -1);
}

TEST_F(TextTableRowsTest, SwitchingOffTheLastRowsLeavesNothingToSelect)
{
    ProjectSwitches switches;
    switches.dialogEdit = switches.menuEdit = switches.stringtableEdit = switches.versionEdit = false;
    build(switches);
    ASSERT_TRUE(rows_.reload(db_, switches_));
    ASSERT_EQ(lineIndexes(), (std::vector<int>{bitmap_, data_}));
    rows_.removeItemType(ItemType::None);
    EXPECT_EQ(rows_.toggleCategory(db_, switches_, ProjectSwitch::BitmapEdit, 0), -1);
    EXPECT_EQ(rows_.rowCount(), 0);
}

TEST_F(TextTableRowsTest, ExcludedTextOnReloadsTheTableAndOffRemovesExcludedRows)
{
    build(withoutExcluded());
    ASSERT_TRUE(rows_.reload(db_, switches_));
    test::RecordingFeedback feedback;
    int select = rows_.toggleCategory(db_, switches_, ProjectSwitch::ExcludeEdit, rows_.rowOfLineIndex(value_),
                                      &feedback);
    ASSERT_EQ(feedback.statusTexts.size(), 1u);
    EXPECT_EQ(feedback.statusTexts[0], txt::StatusAddExcludedText);
    EXPECT_GE(rows_.rowOfLineIndex(bitmap_), 0);
    EXPECT_LT(rows_.rowOfLineIndex(string_), rows_.rowOfLineIndex(bitmap_));  // in script order, not on top
    EXPECT_EQ(rows_.item(select).lineIndex, value_);

    rows_.toggleCategory(db_, switches_, ProjectSwitch::ExcludeEdit, 0);
    EXPECT_EQ(rows_.rowOfLineIndex(bitmap_), -1);
    EXPECT_FALSE(switches_.excludeEdit);
}

TEST_F(TextTableRowsTest, NextItemOnAFullyTranslatedTableMovesToTheFollowingRowAndWraps)
{
    build({}, {German});
    for (int line : {caption_, text_, ok_, name_, popup_, exit_, string_, bitmap_, block_, value_, data_})
        db_.texts().setTranslation(line, German, "x", false);
    ASSERT_TRUE(rows_.reload(db_, switches_));
    int last = rows_.rowCount() - 1;
    EXPECT_EQ(rows_.nextItem(2, 2), 3);
    EXPECT_EQ(rows_.nextItem(last, 2), 0);
    EXPECT_EQ(rows_.nextItem(-1, 2), 0);
}

TEST_F(TextTableRowsTest, NextItemFindsTheNextEmptyCellThatIsNotExcluded)
{
    build({}, {German});
    for (int line : {caption_, text_, ok_, name_, popup_, exit_, block_, value_, data_})
        db_.texts().setTranslation(line, German, "x", false);
    ASSERT_TRUE(rows_.reload(db_, switches_));
    int string = rows_.rowOfLineIndex(string_);
    EXPECT_EQ(rows_.nextItem(0, 2), string);            // the bitmap after it is excluded
    EXPECT_EQ(rows_.nextItem(string, 2), string);       // wraps round to itself
    EXPECT_EQ(rows_.nextItem(string + 1, 2), string);
    EXPECT_EQ(rows_.nextItem(0, 1), 1);                 // every source cell is filled
}

TEST(TextTableRowsEmptyTest, NextItemOnAnEmptyTableDoesNothing)
{
    TextTableRows rows;
    EXPECT_EQ(rows.nextItem(-1, 2), -1);
    EXPECT_EQ(rows.rowOfLineIndex(1), -1);
}

TEST_F(TextTableRowsTest, GaugeCountsShownTextsThatAreNotExcluded)
{
    build({}, {German});
    db_.texts().setTranslation(caption_, German, "Info", false);
    db_.texts().setTranslation(text_, German, "Hallo", true);   // modified counts as modified only
    db_.texts().setTranslation(string_, German, "Hallo Welt", false);
    ASSERT_TRUE(rows_.reload(db_, switches_));
    // Shown and not excluded: caption, text, ok, name, popup, exit, string, block, value, data = 10.
    EXPECT_EQ(rows_.gauge(db_, switches_, German), (GaugeFigures{20, 10}));
    rows_.toggleCategory(db_, switches_, ProjectSwitch::StringtableEdit, 0);
    EXPECT_EQ(rows_.gauge(db_, switches_, German), (GaugeFigures{11, 11}));  // 1 and 1 of 9
    rows_.toggleExclude(rows_.rowOfLineIndex(caption_), db_);
    EXPECT_EQ(rows_.gauge(db_, switches_, German), (GaugeFigures{0, 12}));   // 0 and 1 of 8
}

TEST_F(TextTableRowsTest, GaugeWithEverythingExcludedIsZero)
{
    build({}, {German});
    ASSERT_TRUE(rows_.reload(db_, switches_));
    for (int row = 0; row < rows_.rowCount(); ++row)
        if (!rows_.item(row).excluded)
            rows_.toggleExclude(row, db_);
    EXPECT_EQ(rows_.gauge(db_, switches_, German), (GaugeFigures{0, 0}));
}

TEST_F(TextTableRowsTest, MarksAreSetPerCellAndRemovedTogether)
{
    build({});
    ASSERT_TRUE(rows_.reload(db_, switches_));
    rows_.setMark(1, 2);
    rows_.setMark(1, 3);
    rows_.setMark(4, 2);
    rows_.setMark(4, 99);  // no such column
    EXPECT_TRUE(rows_.item(1).hasMark(3));
    EXPECT_EQ(rows_.item(4).marks.size(), 1u);
    rows_.removeMarks();
    EXPECT_TRUE(rows_.item(1).marks.empty());
    EXPECT_TRUE(rows_.item(4).marks.empty());
}

TEST_F(TextTableRowsTest, ReloadThatCannotReadLeavesTheTableEmptyAndSaysWhy)
{
    build({});
    ASSERT_TRUE(rows_.reload(db_, switches_));
    db_.close();
    test::RecordingFeedback feedback;
    EXPECT_FALSE(rows_.reload(db_, switches_, &feedback));
    EXPECT_EQ(rows_.rowCount(), 0);
    EXPECT_EQ(feedback.said.size(), 1u);
}

TEST_F(TextTableRowsTest, ReloadAdvancesProgressOverTheTexts)
{
    build({});
    test::RecordingFeedback feedback;
    ASSERT_TRUE(rows_.reload(db_, switches_, &feedback));
    EXPECT_GT(feedback.progressCalls, 0);
    EXPECT_EQ(feedback.lastProgress.second, db_.texts().textCount());
}

} // namespace
} // namespace qmk
