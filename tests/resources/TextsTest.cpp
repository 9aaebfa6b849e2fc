#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "resources/Messages.h"
#include "resources/SetupTexts.h"
#include "resources/Texts.h"
#include "resources/UiTexts.h"

namespace qmk {

TEST(TextsTest, UsageLinesFollowTheOperationTable)
{
    auto lines = txt::usageLines();
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines.front(), "Command 'Is Translated':   /T  <filename.mdb>  <language>");
    EXPECT_EQ(lines[5], "Command 'Create Database':   /C  <resfilename.rc>");
    EXPECT_EQ(lines[9], "Command 'List Local Language Ids':   /LIDS  <out_filename>");
    EXPECT_EQ(lines[10], "Command 'Translation Encoding':   /ENC  <dbfilename.mdb> <language> <ansi|utf-8|utf-16>");
    EXPECT_EQ(lines[11], "Command 'Text Fit':   /FIT  <dbfilename.mdb>  <language>");
    EXPECT_EQ(lines[13], "Command 'Export PO':   /PO  <dbfilename.mdb>  <language>  <file.po>");
    EXPECT_EQ(lines[14], "Command 'Export PO Template':   /POT  <dbfilename.mdb>  <file.pot>");
    EXPECT_EQ(lines[17], "Command 'Check Translation':   /CHECK  <dbfilename.mdb>  <language>");
    EXPECT_EQ(lines[19], "Command 'Statistics':   /STAT  <dbfilename.mdb>  [file.json]");
}

TEST(TextsTest, BatchReportsFormatWithPrintf)
{
    char line[256];
    std::snprintf(line, sizeof line, txt::BatchTranslatedCounts, 12L, 10L, 1L);
    EXPECT_STREQ(line, "    amount = 12,  translated = 10,  not actual (modified) = 1  ");
    std::snprintf(line, sizeof line, txt::BatchListLine, "0407", "German");
    EXPECT_STREQ(line, " 0407\t\t\t\t\t\tGerman");
    std::snprintf(line, sizeof line, txt::UnknownCommandFlag, "X");
    EXPECT_STREQ(line, "Unknow command flag 'X'\n");
}

TEST(TextsTest, NumberedStyleTextsFillTheirPlaceholders)
{
    EXPECT_EQ(fillPlaceholders(txt::DaoError, {"3078", "Table not found."}), "Dao Error (3078):\nTable not found.");
    EXPECT_EQ(fillPlaceholders(txt::ReplacedCount, {"Datei", "3"}), "Datei replaced  3 times.");
    EXPECT_EQ(fillPlaceholders(txt::WriteBadPath, {"German", "x:\\no\\de.rc"}),
              "Save \"German\" translation file.\nError: bad path \"x:\\no\\de.rc\".\n"
              "Can not write translated resource file. Please check for correct path.");
}

TEST(TextsTest, ListsAreIndexedSafely)
{
    EXPECT_EQ(txt::fileErrorText(0), "No error occurred.");
    EXPECT_EQ(txt::fileErrorText(13), "The disk is full.");
    EXPECT_EQ(txt::fileErrorText(14), "The end of file was reached.");
    EXPECT_TRUE(txt::fileErrorText(15).empty());
    EXPECT_TRUE(txt::fileErrorText(-1).empty());

    EXPECT_TRUE(txt::itemTypeName(0).empty());
    EXPECT_EQ(txt::itemTypeName(1), "Dialog");
    EXPECT_EQ(txt::itemTypeName(7), "Block Header");
    EXPECT_EQ(txt::itemTypeName(11), "Dialog Item");
    EXPECT_EQ(txt::itemTypeName(15), "Include Statement");
    EXPECT_TRUE(txt::itemTypeName(16).empty());
}

} // namespace qmk
