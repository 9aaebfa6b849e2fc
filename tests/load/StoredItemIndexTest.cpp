// The update's index of stored items: keys, script order, and items found once being passed
// over by every look-up that files them.
#include <gtest/gtest.h>

#include <climits>

#include "load/StoredItemIndex.h"

namespace qmk {
namespace {

StoredItem item(int lineIndex, std::string owner, std::string nameId, std::string text = {})
{
    StoredItem stored;
    stored.lineIndex = lineIndex;
    stored.owner = std::move(owner);
    stored.nameId = std::move(nameId);
    stored.sourceText = std::move(text);
    return stored;
}

TEST(StoredItemIndexTest, ItemsFoundOnceArePassedOverByEveryLookUp)
{
    StoredItemIndex index;
    const StoredItemIndex::KeyOf byIdent = [](const StoredItem& s) { return StoredItemIndex::key(s.owner, s.nameId); };
    const StoredItemIndex::KeyOf byText = [](const StoredItem& s) { return StoredItemIndex::key(s.owner, s.sourceText); };
    index.load({item(30, "MENU", "ID_A", "&File"), item(40, "MENU", "ID_A", "&Edit"), item(50, "MENU", "", "&File"),
                item(60, "OTHER", "ID_A")},
               {byIdent, byText});
    FoundLines found;

    const StoredItem* first = index.first(0, StoredItemIndex::key("MENU", "ID_A"), found);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->lineIndex, 30);  // script order
    found.add(30);
    // The same row is filed by text as well: once found, neither look-up gives it again.
    EXPECT_EQ(index.first(1, StoredItemIndex::key("MENU", "&File"), found)->lineIndex, 50);
    EXPECT_EQ(index.first(0, StoredItemIndex::key("MENU", "ID_A"), found)->lineIndex, 40);
    found.add(40);
    EXPECT_FALSE(index.first(0, StoredItemIndex::key("MENU", "ID_A"), found));
    EXPECT_EQ(index.candidates(0, StoredItemIndex::key("OTHER", "ID_A"), found).size(), 1u);
    // An absent identifier or text matches nothing, as "=" never does on a missing value.
    EXPECT_EQ(StoredItemIndex::key("MENU", ""), "");
    EXPECT_FALSE(index.first(0, StoredItemIndex::key("MENU", ""), found));
    EXPECT_NE(StoredItemIndex::key("AB", "C"), StoredItemIndex::key("A", "BC"));
}

TEST(FoundLinesTest, KeysFarBeyondAProjectsNumberingAreKeptWithoutAHugeTable)
{
    FoundLines found;
    for (int key : {10, 11, 5000, INT_MAX, -3})
        found.add(key);
    for (int key : {10, 11, 5000, INT_MAX, -3})
        EXPECT_TRUE(found.contains(key)) << key;
    for (int key : {12, 4999, INT_MAX - 1, 0})
        EXPECT_FALSE(found.contains(key)) << key;
}

} // namespace
} // namespace qmk
