// Line keys: consecutive on a fresh build, gaps of deleted lines refilled lowest first.
#include <gtest/gtest.h>

#include "database/LineIndexAllocator.h"

namespace qmk {
namespace {

TEST(LineIndexAllocatorTest, FreshBuildNumbersFromTen)
{
    LineIndexAllocator keys;
    EXPECT_EQ(keys.take(), 10);
    EXPECT_EQ(keys.take(), 11);
    EXPECT_EQ(keys.take(), 12);
}

TEST(LineIndexAllocatorTest, FreedKeysAreReusedLowestFirst)
{
    LineIndexAllocator keys({16, 13, 10, 14, 13});  // as a damaged list may come: unsorted, twice
    EXPECT_EQ(keys.take(), 11);
    EXPECT_EQ(keys.take(), 12);
    EXPECT_EQ(keys.take(), 15);
    EXPECT_EQ(keys.take(), 17);
    for (int key : {10, 11, 12, 13, 14, 15, 16, 17})
        EXPECT_TRUE(keys.isUsed(key)) << key;
    EXPECT_FALSE(keys.isUsed(18));
    EXPECT_FALSE(keys.isUsed(9));
}

TEST(LineIndexAllocatorTest, PeekDoesNotTake)
{
    LineIndexAllocator keys({10, 11});
    EXPECT_EQ(keys.peek(), 12);
    EXPECT_EQ(keys.peek(), 12);
    EXPECT_FALSE(keys.isUsed(12));
    EXPECT_EQ(keys.take(), 12);
    EXPECT_TRUE(keys.isUsed(12));
}

} // namespace
} // namespace qmk
