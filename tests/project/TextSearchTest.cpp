// Searching the Text Table: matching with and without case and whole words in any script, the
// scan through the table with wrap, every match at once, inside a cell, and the histories.
#include "SourceUpdateFixture.h"
#include "app/ProfileFile.h"
#include "app/SearchHistoryFile.h"
#include "project/TextSearch.h"

namespace qmk {
namespace {

using test::German;

SearchOptions text(const std::string& pattern, bool matchCase = true, bool wholeWord = false)
{
    SearchOptions options;
    options.pattern = pattern;
    options.matchCase = matchCase;
    options.wholeWord = wholeWord;
    return options;
}

TEST(TextSearchTest, CaseAndWholeWordsAreJudgedInUnicode)
{
    // Whole word: the first occurrence inside a longer word does not count, the later one does.
    EXPECT_EQ(findInText("Filename and file", text("file", true, true)), 13);
    EXPECT_EQ(findInText("Filename", text("file", false, true)), -1);
    EXPECT_EQ(findInText("Filename", text("file", false, false)), 0);
    EXPECT_EQ(findInText("Filename", text("file", true, false)), -1);
    // German and Cyrillic letters fold too; an umlaut is a letter for word boundaries.
    EXPECT_EQ(findInText("\xC3\x84nderung", text("\xC3\xA4nderung", false)), 0);
    EXPECT_EQ(findInText("\xC3\x84nderung", text("\xC3\xA4nderung", true)), -1);
    EXPECT_EQ(findInText("\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2", text("\xD0\xBF\xD1\x80\xD0\xB8", false)), 0);
    EXPECT_EQ(findInText("\xC3\xBC" "ber", text("ber", true, true)), -1);
    EXPECT_EQ(codePointCount("\xC3\xA4x"), 2);
    EXPECT_EQ(findInText("x \xC3\xA4 y \xC3\xA4", text("\xC3\xA4"), 3), 6);  // offsets count code points
}

class TextSearchTableTest : public test::SourceUpdateFixture {
protected:
    void SetUp() override
    {
        SourceUpdateFixture::SetUp();
        open(writeScript("STRINGTABLE\nBEGIN\n    IDS_A \"Open file\"\n    IDS_B \"Close\"\n"
                         "    IDS_C \"Save file as\"\n    IDS_D \"Exit\"\nEND\n"));
        ASSERT_TRUE(doc->reloadRows().done());
    }
    int row(const std::string& ident)
    {
        for (int r = 0; r < doc->rows().rowCount(); ++r)
            if (doc->rows().row(r).cell(0) == ident)
                return r;
        return -1;
    }
};

} // namespace

TEST_F(TextSearchTableTest, TheScanWrapsAndComesBackToItsStartingRow)
{
    SearchOptions options = text("file");
    options.columns = {1};
    const std::optional<CellHit> first = findNextCell(doc->rows(), options, row("IDS_B"), 1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->row, row("IDS_C"));
    const std::optional<CellHit> wrapped = findNextCell(doc->rows(), options, first->row, 1);
    ASSERT_TRUE(wrapped);
    EXPECT_EQ(wrapped->row, row("IDS_A"));  // after the last row, from the top
    // One matching cell, starting at it: found again only after wrapping round to it.
    options.pattern = "Exit";
    const std::optional<CellHit> self = findNextCell(doc->rows(), options, row("IDS_D"), 1);
    ASSERT_TRUE(self);
    EXPECT_EQ(self->row, row("IDS_D"));
    options.pattern = "nowhere";
    EXPECT_FALSE(findNextCell(doc->rows(), options, 0, 0));
    options.columns.clear();
    options.pattern = "file";
    EXPECT_FALSE(findNextCell(doc->rows(), options, 0, 0));  // no column: nothing is searched

    options.columns = {1};
    EXPECT_EQ(findAllCells(doc->rows(), options).size(), 2u);
    // Inside a cell: the occurrence after the current one comes before the next cell.
    options.pattern = "e";
    const std::optional<CellHit> inside = findNextCell(doc->rows(), options, row("IDS_A"), 1, 3, true);
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->row, row("IDS_A"));
    EXPECT_EQ(inside->position, 8);  // "Open fil|e"
}

TEST_F(TextSearchTableTest, AFilterShowsTheRowsWhoseSourceOrTranslationHoldsTheText)
{
    translateAll();
    ASSERT_TRUE(doc->reloadRows().done());
    const int german = doc->rows().columns().columnOfLanguage(German);
    std::vector<bool> shown = rowsShownByFilter(doc->rows(), "FILE", german);
    EXPECT_TRUE(shown[static_cast<std::size_t>(row("IDS_A"))]);
    EXPECT_FALSE(shown[static_cast<std::size_t>(row("IDS_B"))]);
    const std::string translated = "de:" + std::to_string(doc->rows().item(row("IDS_D")).lineIndex);
    shown = rowsShownByFilter(doc->rows(), translated, german);
    EXPECT_TRUE(shown[static_cast<std::size_t>(row("IDS_D"))]);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), true), 1);
    shown = rowsShownByFilter(doc->rows(), "", german);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), true), doc->rows().rowCount());
}

TEST_F(TextSearchTableTest, ChangedItemsAreTheTranslationsFlaggedForReview)
{
    translateAll();
    ASSERT_TRUE(doc->database().texts().setTranslation(doc->rows().item(row("IDS_C")).lineIndex, German, "x", true));
    ASSERT_TRUE(doc->reloadRows().done());
    SearchOptions options;
    options.changedItems = true;
    options.columns = {doc->rows().columns().columnOfLanguage(German)};
    const std::optional<CellHit> hit = findNextCell(doc->rows(), options, 0, 0);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->row, row("IDS_C"));
    EXPECT_EQ(findAllCells(doc->rows(), options).size(), 1u);
}

TEST(SearchHistoryTest, TenEntriesNewestFirstAndTheTwoHistoriesKeepTheirOwnKeys)
{
    test::TempDir dir;
    ProfileFile ini(dir / "qmk32.ini");
    SearchHistory searches, replacements;
    for (int i = 0; i < 12; ++i)
        searches.add("s" + std::to_string(i));
    searches.add("s5");  // found again: to the top, not twice
    ASSERT_EQ(searches.entries().size(), 10u);
    EXPECT_EQ(searches.entries().front(), "s5");
    ASSERT_TRUE(saveSearchHistory(searches, ini, "Text"));
    replacements.add("r");
    ASSERT_TRUE(saveSearchHistory(replacements, ini, "ReplaceText"));  // never empties a search key
    SearchHistory loaded;
    loadSearchHistory(loaded, ini, "Text");
    EXPECT_EQ(loaded.entries(), searches.entries());
    loadSearchHistory(loaded, ini, "ReplaceText");
    EXPECT_EQ(loaded.entries(), (std::vector<std::string>{"r"}));
}

} // namespace qmk

#include "project/ReplaceAll.h"
#include "project/TranslationEdit.h"

namespace qmk {

TEST(ReplaceAllTest, AReplacementContainingTheSearchTextStillEnds)
{
    int count = 0;
    EXPECT_EQ(replacedText("a b a", text("a"), "aa", count), "aa b aa");
    EXPECT_EQ(count, 2);
    count = 0;
    EXPECT_EQ(replacedText("\xC3\xA4x\xC3\xA4", text("\xC3\xA4"), "ae", count), "aexae");
    EXPECT_EQ(count, 2);
}

TEST_F(TextSearchTableTest, ReplaceAllStoresEveryCellAsOneUndoableStep)
{
    translateAll();  // "de:<LineIndex>"
    ASSERT_TRUE(doc->reloadRows().done());
    SearchOptions options = text("de");
    options.columns = {doc->rows().columns().columnOfLanguage(German)};
    const ReplaceAllResult result = replaceAll(*doc, options, "dede");
    EXPECT_EQ(result.replaced, doc->rows().rowCount());
    EXPECT_TRUE(result.refused.empty());
    const int line = doc->rows().item(row("IDS_B")).lineIndex;
    EXPECT_EQ(doc->database().texts().translation(line, German)->text, "dede:" + std::to_string(line));
    ASSERT_TRUE(doc->undo().result.done());  // one step takes every cell back
    EXPECT_EQ(doc->database().texts().translation(line, German)->text, "de:" + std::to_string(line));
    EXPECT_FALSE(doc->history().canUndo());
    // A replacement the translation's code page cannot hold is refused for its cells.
    const ReplaceAllResult refused = replaceAll(*doc, options, "\xCE\xB1");
    EXPECT_EQ(refused.replaced, 0);
    EXPECT_EQ(refused.refused.size(), static_cast<std::size_t>(doc->rows().rowCount()));
}

} // namespace qmk
