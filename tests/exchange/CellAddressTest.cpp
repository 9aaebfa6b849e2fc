#include <gtest/gtest.h>

#include "exchange/CellAddress.h"

namespace qmk {

TEST(CellAddressTest, ColumnLettersGoOnPastZLikeSpreadsheets)
{
    EXPECT_EQ(columnLetters(0), "A");
    EXPECT_EQ(columnLetters(25), "Z");
    EXPECT_EQ(columnLetters(26), "AA");
    EXPECT_EQ(columnLetters(51), "AZ");
    EXPECT_EQ(columnLetters(52), "BA");
    EXPECT_EQ(columnLetters(701), "ZZ");
    EXPECT_EQ(columnLetters(702), "AAA");
    EXPECT_EQ(columnLetters(kSheetMaxColumns - 1), "XFD");
    EXPECT_EQ(columnLetters(-1), "");
}

TEST(CellAddressTest, LettersAndColumnsConvertBothWaysForEveryColumn)
{
    for (int column = 0; column < kSheetMaxColumns; ++column) {
        auto back = columnFromLetters(columnLetters(column));
        ASSERT_TRUE(back) << column;
        ASSERT_EQ(*back, column);
    }
    EXPECT_EQ(columnFromLetters("ab"), 27);
}

TEST(CellAddressTest, LettersThatNameNoColumnAreRefused)
{
    EXPECT_FALSE(columnFromLetters(""));
    EXPECT_FALSE(columnFromLetters("A1"));
    EXPECT_FALSE(columnFromLetters("XFE"));  // one beyond the largest sheet
    EXPECT_FALSE(columnFromLetters("ZZZZZZZZZZZZZZ"));  // would overflow a naive sum
}

TEST(CellAddressTest, AddressesFormatAndParse)
{
    EXPECT_EQ(formatCellAddress(2, 1), "B3");
    EXPECT_EQ(formatCellAddress(0, 0), "A1");
    EXPECT_EQ(formatCellAddress(99, 702), "AAA100");
    EXPECT_EQ(formatCellAddress(-1, 0), "");
    EXPECT_EQ(parseCellAddress("B3"), (CellAddress{2, 1}));
    EXPECT_EQ(parseCellAddress("aa10"), (CellAddress{9, 26}));
    EXPECT_EQ(parseCellAddress("$C$7"), (CellAddress{6, 2}));
    EXPECT_EQ(parseCellAddress("XFD1048576"), (CellAddress{kSheetMaxRows - 1, kSheetMaxColumns - 1}));
}

TEST(CellAddressTest, MalformedAddressesAreRefused)
{
    for (const char* bad : {"", "B", "3", "B0", "B03", "B3x", "3B", "B-3", "A1048577", "XFE1", "B 3",
                            "A99999999999999999999"})
        EXPECT_FALSE(parseCellAddress(bad)) << bad;
}

} // namespace qmk
