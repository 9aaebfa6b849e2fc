// What the Text Table's rows keep for searching and counting: the folded form of every cell
// follows each kind of change, a filter narrowed keystroke by keystroke shows what a fresh one
// shows, and the gauge counted over the rows is the database's count.
#include "SourceUpdateFixture.h"
#include "exchange/ScriptImport.h"
#include "project/SearchForm.h"
#include "project/TextCodec.h"
#include "project/TextSearch.h"

namespace qmk {
namespace {

using test::French;
using test::German;

// Western code page: "GR\xD6\xDF" is GRÖß.
const std::string kScript =
    "#pragma code_page(1252)\n"
    "IDD_ABOUT DIALOG 0, 0, 200, 100\nCAPTION \"About\"\nBEGIN\n"
    "    LTEXT \"GR\xD6\xDF" "E:\", IDC_STATIC, 10, 10, 50, 8\n    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "STRINGTABLE\nBEGIN\n    IDS_HELLO \"Hello\"\n    IDS_BYE \"Goodbye\"\n    IDS_HELP \"Help me\"\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n        MENUITEM \"E&xit\", ID_EXIT\n    END\nEND\n"
    "1 VERSIONINFO\nBEGIN\n    BLOCK \"StringFileInfo\"\n    BEGIN\n        BLOCK \"040904E4\"\n        BEGIN\n"
    "            VALUE \"FileDescription\", \"Demo\"\n        END\n    END\nEND\n";

CountedKinds countedUnder(const ProjectSwitches& s)
{
    CountedKinds kinds;
    kinds.bitmaps = s.bitmapEdit;
    kinds.versions = s.versionEdit;
    kinds.includes = s.includeEdit;
    kinds.menus = s.menuEdit;
    kinds.dialogs = s.dialogEdit;
    kinds.stringtables = s.stringtableEdit;
    return kinds;
}

class TextIndexTest : public test::SourceUpdateFixture {
protected:
    void SetUp() override
    {
        SourceUpdateFixture::SetUp();
        open(writeScript(kScript, 120));
        translateAll();
        ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
    }
    const TextTableRows& rows() const { return doc->rows(); }
    int rowOf(const std::string& ident) const { return rows().rowOfLineIndex(lineOf(ident)); }
    int lineOf(const std::string& ident) const
    {
        for (int r = 0; r < rows().rowCount(); ++r)
            if (rows().row(r).cell(TextTableColumns::IdColumn) == ident)
                return rows().item(r).lineIndex;
        return -1;
    }
    int german() const { return rows().columns().columnOfLanguage(German); }

    // Every cell's kept form is the one its display text gives now (and is made where missing).
    void expectFormsInStep(const std::string& after)
    {
        for (int r = 0; r < rows().rowCount(); ++r)
            for (int c = 0; c < rows().columns().count(); ++c)
                ASSERT_EQ(rows().foldedText(r, c), searchForm(rows().displayText(r, c), true))
                    << after << ": row " << r << " column " << c;
    }
    // The rows count what the database counts, for every translation.
    void expectCountsAsDatabase(const std::string& after, bool fromRows = true)
    {
        for (const TranslationRow& translation : doc->translations()) {
            const TranslationStatistics stored =
                doc->database().languages().translationStatistics(translation.id, countedUnder(doc->switches()));
            const std::optional<TranslationStatistics> counted = rows().statistics(doc->switches(), translation.id);
            ASSERT_EQ(counted.has_value(), fromRows) << after;
            if (counted) {
                EXPECT_EQ(counted->total, stored.total) << after;
                EXPECT_EQ(counted->translated, stored.translated) << after;
                EXPECT_EQ(counted->changed, stored.changed) << after;
            }
            GaugeFigures figures;
            if (stored.total > 0)
                figures = {stored.translated * 100 / stored.total, stored.changed * 100 / stored.total};
            EXPECT_EQ(doc->gauge(translation.id), figures) << after;
        }
    }
    std::filesystem::path frenchScript()
    {
        std::string french = kScript;
        french.replace(french.find("\"Hello\""), 7, "\"BONJOUR\"");
        return dir.write("app-fr.rc", "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\n" + french);
    }
};

} // namespace

TEST(SearchFormTest, FormsReadTextsAsTheSearchAlwaysHas)
{
    EXPECT_EQ(searchForm("Gr\xC3\x96\xC3\x9F" "E \xD0\x9F", true), "gr\xC3\xB6\xC3\x9F" "e \xD0\xBF");
    EXPECT_EQ(searchForm("\xC3\x9C" "ber", false), "\xC3\x9C" "ber");  // valid UTF-8 is its own form
    // A byte that starts no sequence and a sequence cut short each read as U+FFFD.
    EXPECT_EQ(searchForm("a\xFF" "b\xC3", false), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    SearchOptions replacement;
    replacement.pattern = "\xEF\xBF\xBD";
    EXPECT_EQ(findInText("ab\xFF" "c", replacement), 2);
    replacement.matchCase = false;
    EXPECT_EQ(findInText("AB\xFF" "c", replacement), 2);

    // Offsets count code points; whole words see a letter beyond ASCII as a letter.
    const std::string form = searchForm("\xC3\xBC" "ber ber", true);
    EXPECT_EQ(findInSearchForm(form, "ber", true), 6u);
    EXPECT_EQ(codePointsBefore(form, 6), 5);
    EXPECT_EQ(byteOfCodePoint(form, 1), 2u);
    EXPECT_EQ(findInSearchForm(form, "ber", false, 3), 6u);
    EXPECT_EQ(findInSearchForm(form, "", false), std::string_view::npos);
}

TEST_F(TextIndexTest, FoldedFormsFollowEveryKindOfChange)
{
    expectFormsInStep("load");
    EXPECT_EQ(rows().foldedText(rowOf("IDC_STATIC"), TextTableColumns::SourceColumn), "gr\xC3\xB6\xC3\x9F" "e:");

    const int hello = lineOf("IDS_HELLO");
    ASSERT_EQ(doc->storeTranslation(hello, German, "HALLO \xC4RGER"), OperationResult::Done);
    EXPECT_EQ(rows().foldedText(rowOf("IDS_HELLO"), german()), "hallo \xC3\xA4rger");
    expectFormsInStep("store");
    ASSERT_TRUE(doc->undo().result.done());
    expectFormsInStep("undo");
    ASSERT_EQ(doc->setExcluded(lineOf("IDS_BYE"), true), OperationResult::Done);
    expectFormsInStep("exclude");
    ASSERT_EQ(doc->toggleCategory(ProjectSwitch::StringtableEdit, 0), OperationResult::Done);
    expectFormsInStep("strings off");
    ASSERT_EQ(doc->toggleCategory(ProjectSwitch::StringtableEdit, 0), OperationResult::Done);
    expectFormsInStep("strings on");
    ASSERT_TRUE(ScriptImport(*doc, {}).run(frenchScript(), French).ok());
    expectFormsInStep("import");
    EXPECT_EQ(rows().foldedText(rowOf("IDS_HELLO"), rows().columns().columnOfLanguage(French)), "bonjour");
    ASSERT_EQ(doc->changeEncoding(German, kCodePageUtf8), OperationResult::Done);
    expectFormsInStep("encoding");
    std::string changed = kScript;
    changed.replace(changed.find("\"Help me\""), 9, "\"HELP US\"");
    ASSERT_TRUE(saveAndUpdate(changed));
    ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
    expectFormsInStep("update");
    EXPECT_EQ(rows().foldedText(rowOf("IDS_HELP"), TextTableColumns::SourceColumn), "help us");
}

TEST_F(TextIndexTest, AFilterNarrowedKeystrokeByKeystrokeShowsWhatAFreshOneShows)
{
    RowFilter filter;
    for (const char* typed : {"h", "he", "hel", "HELL", "hel", "e&x"})
        EXPECT_EQ(filter.apply(rows(), typed, german()), rowsShownByFilter(rows(), typed, german())) << typed;
    EXPECT_TRUE(filter.apply(rows(), "", german()).empty());  // nothing filtered: every row

    // A store between two keystrokes: the row that matches now is shown although the
    // previous keystroke hid it.
    filter.apply(rows(), "hel", german());
    const int bye = rowOf("IDS_BYE");
    EXPECT_FALSE(filter.shown()[static_cast<std::size_t>(bye)]);
    ASSERT_EQ(doc->storeTranslation(lineOf("IDS_BYE"), German, "Hellseher"), OperationResult::Done);
    EXPECT_TRUE(filter.apply(rows(), "hell", german())[static_cast<std::size_t>(bye)]);
    EXPECT_EQ(filter.shown(), rowsShownByFilter(rows(), "hell", german()));

    // Another column is another filter, and the source column alone is searched without one.
    EXPECT_FALSE(filter.apply(rows(), "hellsehe", TextTableColumns::IdColumn)[static_cast<std::size_t>(bye)]);
    EXPECT_TRUE(filter.apply(rows(), "hellseher", german())[static_cast<std::size_t>(bye)]);
    EXPECT_TRUE(filter.apply(rows(), "gr\xC3\xB6\xC3\x9F", -1)[static_cast<std::size_t>(rowOf("IDC_STATIC"))]);
}

TEST_F(TextIndexTest, FindSearchesTheFormsWithAndWithoutCase)
{
    ASSERT_EQ(doc->storeTranslation(lineOf("IDS_BYE"), German, "Auf Wiedersehen, \xDC" "BER"), OperationResult::Done);
    SearchOptions options;
    options.columns = {TextTableColumns::SourceColumn, german()};
    options.pattern = "\xC3\xBC" "ber";
    options.matchCase = false;
    std::optional<CellHit> hit = findNextCell(rows(), options, 0, 0);
    ASSERT_TRUE(hit);
    EXPECT_EQ(*hit, (CellHit{rowOf("IDS_BYE"), german(), -1}));
    options.matchCase = true;
    EXPECT_FALSE(findNextCell(rows(), options, 0, 0));
    options.pattern = "\xC3\x9C" "BER";
    hit = findNextCell(rows(), options, rowOf("IDS_BYE"), german(), 0, true);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->position, 17);  // code points, the comma and blank included
    options.pattern = "e";
    options.wholeWord = true;
    EXPECT_TRUE(findAllCells(rows(), options).empty());
}

TEST_F(TextIndexTest, TheGaugeCountedOverTheRowsIsTheDatabasesCount)
{
    ASSERT_TRUE(doc->NewTranslation(French, "app-French.rc"));
    expectCountsAsDatabase("load");
    ASSERT_EQ(doc->storeTranslation(lineOf("IDS_HELLO"), French, "Salut"), OperationResult::Done);
    ASSERT_EQ(doc->storeTranslation(lineOf("IDS_HELLO"), German, ""), OperationResult::Done);
    expectCountsAsDatabase("stores");
    ASSERT_EQ(doc->setExcluded(lineOf("IDS_BYE"), true), OperationResult::Done);
    expectCountsAsDatabase("exclude");
    ASSERT_TRUE(doc->undo().result.done());
    expectCountsAsDatabase("include again");
    ASSERT_TRUE(ScriptImport(*doc, {}).run(frenchScript(), French).ok());
    expectCountsAsDatabase("import");
    for (ProjectSwitch category : {ProjectSwitch::StringtableEdit, ProjectSwitch::DialogEdit, ProjectSwitch::MenuEdit,
                                   ProjectSwitch::VersionEdit, ProjectSwitch::ExcludeEdit}) {
        ASSERT_EQ(doc->setExcluded(lineOf("ID_EXIT"), true), OperationResult::Done);
        ASSERT_EQ(doc->toggleCategory(category, 0), OperationResult::Done);
        expectCountsAsDatabase("switched off");
        ASSERT_EQ(doc->toggleCategory(category, 0), OperationResult::Done);
        expectCountsAsDatabase("switched on");
        ASSERT_EQ(doc->setExcluded(lineOf("ID_EXIT"), false), OperationResult::Done);
    }
}

TEST_F(TextIndexTest, AHiddenTextTakenBackInIsCountedByTheDatabase)
{
    // Excluded texts hidden: the excluded row stays until the rows are read again, then a
    // step undone takes it back in while no row holds it.
    ASSERT_EQ(doc->toggleCategory(ProjectSwitch::ExcludeEdit, 0), OperationResult::Done);
    const int bye = lineOf("IDS_BYE");
    ASSERT_EQ(doc->setExcluded(bye, true), OperationResult::Done);
    ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
    ASSERT_LT(rows().rowOfLineIndex(bye), 0);
    expectCountsAsDatabase("hidden");
    ASSERT_TRUE(doc->undo().result.done());
    expectCountsAsDatabase("taken back in", false);
    ASSERT_EQ(doc->reloadRows(), OperationResult::Done);
    expectCountsAsDatabase("read again");
}

} // namespace qmk
