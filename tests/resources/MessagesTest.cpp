#include <gtest/gtest.h>

#include "resources/Messages.h"

namespace qmk {

TEST(MessagesTest, PlaceholdersAreFilledInAnyOrderAndMissingOnesVanish)
{
    EXPECT_EQ(fillPlaceholders("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(fillPlaceholders("100% sure: %1 %3", {"x"}), "100% sure: x ");
    EXPECT_EQ(formatMessage(msg::CantOpenFile, {"a.rc"}), "Error: Can't open file 'a.rc'.");
    EXPECT_TRUE(messageText(-12345).empty());
}

} // namespace qmk
