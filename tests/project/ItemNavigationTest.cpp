// Next and previous untranslated or flagged texts: in one translation, past excluded texts and
// hidden rows, wrapping at the ends.
#include <gtest/gtest.h>

#include "SourceUpdateFixture.h"
#include "project/ItemNavigation.h"

namespace qmk {
namespace {

const std::string kScript =
    "STRINGTABLE\nBEGIN\n    1 \"One\"\n    2 \"Two\"\n    3 \"Three\"\n    4 \"Four\"\n    5 \"Five\"\nEND\n";

class ItemNavigationTest : public test::SourceUpdateFixture {
protected:
    void SetUp() override
    {
        SourceUpdateFixture::SetUp();
        open(writeScript(kScript));
        ASSERT_TRUE(doc->NewTranslation(test::German, "app-German.rc"));
        ASSERT_TRUE(doc->reloadRows().done());
        column = doc->rows().columns().columnOfLanguage(test::German);
    }
    int line(int row) { return doc->rows().item(row).lineIndex; }
    int find(int from, bool forward, WantedItem wanted, const std::vector<bool>* shown = nullptr)
    {
        return findItem(doc->rows(), from, column, forward, wanted, shown);
    }
    int column = -1;
};

} // namespace

TEST_F(ItemNavigationTest, UntranslatedAndFlaggedTextsAreFoundBothWaysPastExcludedAndHiddenRows)
{
    ASSERT_EQ(doc->rows().rowCount(), 5);
    ASSERT_EQ(doc->storeTranslation(line(1), test::German, "Zwei"), OperationResult::Done);
    ASSERT_EQ(doc->setExcluded(line(2), true), OperationResult::Done);
    EXPECT_EQ(find(0, true, WantedItem::Untranslated), 3);   // 1 translated, 2 excluded
    EXPECT_EQ(find(3, false, WantedItem::Untranslated), 0);
    EXPECT_EQ(find(0, false, WantedItem::Untranslated), 4);  // wraps to the last row
    EXPECT_EQ(find(-1, false, WantedItem::Untranslated), 4);
    const std::vector<bool> shown = {true, true, true, false, true};
    EXPECT_EQ(find(0, true, WantedItem::Untranslated, &shown), 4);

    EXPECT_EQ(find(0, true, WantedItem::Flagged), -1);
    {
        CQuillDoc::LongOperation import(*doc);  // as an import stores a text to be reviewed
        ASSERT_EQ(doc->storeTranslation(import, line(4), test::German, "Fünf", true), OperationResult::Done);
    }
    EXPECT_EQ(find(0, true, WantedItem::Flagged), 4);
    EXPECT_EQ(find(4, true, WantedItem::Flagged), 4);  // the only one: found again after wrapping
}

} // namespace qmk

namespace qmk {

TEST(BookmarkNavigationTest, BookmarksAreVisitedInTableOrderWrappingAndSkippingHiddenOnes)
{
    const std::vector<int> rows{12, -1, 3, 40, 3};  // any order; -1 not shown; a row twice
    EXPECT_EQ(nextBookmarkedRow(rows, 3, true), 12);
    EXPECT_EQ(nextBookmarkedRow(rows, 12, true), 40);
    EXPECT_EQ(nextBookmarkedRow(rows, 40, true), 3);   // wraps to the first
    EXPECT_EQ(nextBookmarkedRow(rows, 20, false), 12);
    EXPECT_EQ(nextBookmarkedRow(rows, 3, false), 40);  // wraps to the last
    EXPECT_EQ(nextBookmarkedRow(rows, -1, true), 3);   // nothing chosen: the first
    EXPECT_EQ(nextBookmarkedRow({7}, 7, true), 7);     // the only one, where the table stands
    EXPECT_EQ(nextBookmarkedRow({-1, -1}, 0, true), -1);
    EXPECT_EQ(nextBookmarkedRow({}, 0, false), -1);
}

} // namespace qmk
