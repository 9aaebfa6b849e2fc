// Find, Mark All, Replace and Replace All in the window.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>

#include "WindowFixture.h"
#include "resources/CommandIds.h"
#include "ui/CFindDlg.h"
#include "ui/CTextListView.h"
#include "ui/CTextTableModel.h"
#include "ui/CTranslDlgView.h"

namespace qmk {
namespace {

using test::German;

class FindReplaceTest : public test::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        child = openApp();
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(child->document().NewTranslation(German, "app-German.rc"));
        QApplication::processEvents();
        child->textList()->setCurrentLanguage(German);
    }
    CFindDlg::Context context()
    {
        return {child, frame->translateForm(), feedback, searches, replacements, where, {}};
    }
    int lineOf(const std::string& ident) { return child->document().rows().item(rowOfString(child, ident)).lineIndex; }
    std::string stored(const std::string& ident)
    {
        return child->document().database().texts().translation(lineOf(ident), German).value_or(TranslatedText{}).text;
    }

    CChildFrame* child = nullptr;
    SearchHistory searches, replacements;
    std::vector<std::string> where;
};

} // namespace

TEST_F(FindReplaceTest, FindMovesFromCellToCellAndMarkAllReplacesEarlierMarks)
{
    CFindDlg find(CFindDlg::Mode::Find, context());
    find.whatBox()->setEditText(QStringLiteral("o"));
    find.matchCaseBox()->setChecked(false);
    child->textList()->selectRow(rowOfString(child, "IDS_HELLO"));
    ASSERT_TRUE(find.findNext());
    EXPECT_EQ(child->textList()->selectedRow(), rowOfString(child, "IDS_HELLO"));  // the selected row first
    ASSERT_TRUE(find.findNext());
    EXPECT_EQ(child->textList()->selectedRow(), rowOfString(child, "IDS_BYE"));  // then "Goodbye"
    EXPECT_EQ(searches.entries(), (std::vector<std::string>{"o"}));

    ASSERT_TRUE(find.markAll());
    CTextTableModel* model = child->textList()->tableModel();
    EXPECT_TRUE(model->index(rowOfString(child, "IDS_HELLO"), 1).data(CTextTableModel::MarkRole).toBool());
    find.whatBox()->setEditText(QStringLiteral("Last"));
    ASSERT_TRUE(find.markAll());
    EXPECT_FALSE(model->index(rowOfString(child, "IDS_HELLO"), 1).data(CTextTableModel::MarkRole).toBool());
    EXPECT_TRUE(model->index(rowOfString(child, "IDS_LAST"), 1).data(CTextTableModel::MarkRole).toBool());

    find.whatBox()->setEditText(QStringLiteral("nowhere"));
    feedback.texts.clear();
    EXPECT_FALSE(find.findNext());
    EXPECT_EQ(feedback.texts, (std::vector<std::string>{"No matches found with \"nowhere\"."}));
}

TEST_F(FindReplaceTest, ReplaceGoesThroughTheBarAndReplaceAllIsOneUndoStep)
{
    CQuillDoc& doc = child->document();
    for (const char* ident : {"IDS_HELLO", "IDS_BYE", "IDS_LAST"})
        ASSERT_EQ(doc.storeTranslation(lineOf(ident), German, "ein Text"), OperationResult::Done);
    child->textList()->selectRow(rowOfString(child, "IDS_HELLO"));
    CFindDlg replace(CFindDlg::Mode::Replace, context());
    replace.whatBox()->setEditText(QStringLiteral("Text"));
    replace.replaceBox()->setEditText(QStringLiteral("Texte"));
    ASSERT_TRUE(replace.replace());
    EXPECT_EQ(stored("IDS_HELLO"), "ein Texte");
    // Replace All with a replacement that contains the search text ends, as one undo step.
    EXPECT_EQ(replace.replaceAll(), 3);  // "Texte" holds "Text" again: each cell once, then done
    EXPECT_EQ(stored("IDS_BYE"), "ein Texte");
    EXPECT_EQ(stored("IDS_HELLO"), "ein Textee");
    doc.undo();
    EXPECT_EQ(stored("IDS_BYE"), "ein Text");
    EXPECT_EQ(stored("IDS_HELLO"), "ein Texte");  // the single Replace is a step of its own
}

} // namespace qmk

#include <QLineEdit>
#include <QListWidget>

#include "ui/CBookmarkDlg.h"

namespace qmk {

TEST_F(FindReplaceTest, BookmarksAreAddedSortedAndLeadBackOrSayTheirTranslationIsGone)
{
    CQuillDoc& doc = child->document();
    {
        CBookmarkDlg dialog(doc, feedback, {lineOf("IDS_LAST"), "Text", German});
        dialog.nameEdit()->setText(QStringLiteral("zeta"));
        ASSERT_TRUE(dialog.add());
        dialog.nameEdit()->setText(QStringLiteral("alpha"));
        ASSERT_TRUE(dialog.add());
        dialog.nameEdit()->setText(QStringLiteral("alpha"));
        EXPECT_FALSE(dialog.add());  // a name only once
        ASSERT_EQ(dialog.list()->count(), 2);
        EXPECT_EQ(dialog.list()->item(0)->text(), QStringLiteral("alpha"));
        dialog.list()->item(1)->setSelected(true);
        ASSERT_TRUE(dialog.goTo());
        EXPECT_EQ(dialog.target()->lineIndex, lineOf("IDS_LAST"));
    }
    // The bookmark's translation deleted: going there is refused with its message.
    ASSERT_TRUE(doc.DeleteTranslation(German));
    CBookmarkDlg dialog(doc, feedback, {-1, "Text", std::nullopt});
    dialog.list()->item(0)->setSelected(true);
    feedback.texts.clear();
    EXPECT_FALSE(dialog.goTo());
    ASSERT_EQ(feedback.texts.size(), 1u);
    EXPECT_NE(feedback.texts[0].find("There is no \"German\" translation any more"), std::string::npos);
}

} // namespace qmk

#include <QTest>

namespace qmk {

TEST_F(FindReplaceTest, TheFilterBoxNarrowsTheRowsShownAndEscapeBringsThemBack)
{
    CTextListView* table = child->textList();
    const int all = table->shownRowCount();
    ASSERT_EQ(all, child->document().rows().rowCount());
    frame->show();
    child->filterBox()->setFocus();
    QTest::keyClicks(child->filterBox(), QStringLiteral("GOOD"));
    EXPECT_EQ(table->shownRowCount(), 1);  // "Goodbye", case ignored
    EXPECT_EQ(table->selectRow(rowOfString(child, "IDS_HELLO")), -1);  // hidden, not gone
    EXPECT_EQ(table->selectRow(rowOfString(child, "IDS_BYE")), rowOfString(child, "IDS_BYE"));
    EXPECT_EQ(child->document().rows().rowCount(), all);  // the project is untouched
    QTest::keyClick(child->filterBox(), Qt::Key_Escape);
    EXPECT_TRUE(child->filterBox()->text().isEmpty());
    EXPECT_EQ(table->shownRowCount(), all);
}

} // namespace qmk
