// Find, Mark All, Replace and Replace All in the window.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

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

TEST_F(FindReplaceTest, TabInReplaceGoesFromWhatToWithThenTheOptionsThenTheButtons)
{
    CFindDlg replace(CFindDlg::Mode::Replace, context(), frame.get());
    replace.show();
    QApplication::setActiveWindow(&replace);
    QApplication::processEvents();
    replace.whatBox()->setEditText(QStringLiteral("Text"));  // the buttons take the focus once enabled
    replace.whatBox()->lineEdit()->setFocus();
    std::vector<std::string> walked;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (now == replace.replaceBox() || now == replace.replaceBox()->lineEdit())
            walked.push_back("Replace with");
        else if (auto* button = qobject_cast<QAbstractButton*>(now))
            walked.push_back(button->text().toStdString());
        else
            walked.push_back(now->metaObject()->className());
    }
    EXPECT_EQ(walked, (std::vector<std::string>{"Replace with", "&Match Case", "Match Whole Word &Only", "Find &Next",
                                                "&Replace", "Replace &All"}));
}

// Types the text key by key, letters outside ASCII too (Qt Test's own typing knows ASCII only).
void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}

TEST_F(FindReplaceTest, TypedTextStaysAsTypedWhateverTheHistoryHolds)
{
    searches.add("&Öffnenc");
    replacements.add("&Öffnenc");
    CFindDlg replace(CFindDlg::Mode::Replace, context(), frame.get());
    replace.show();
    QApplication::setActiveWindow(&replace);
    QApplication::processEvents();
    for (QComboBox* box : {replace.whatBox(), replace.replaceBox()}) {
        box->lineEdit()->setFocus();
        box->lineEdit()->clear();
        typeText(box->lineEdit(), QStringLiteral("&Öffnen"));
        EXPECT_EQ(box->currentText(), QStringLiteral("&Öffnen"));  // no completion into the field
        EXPECT_EQ(box->lineEdit()->selectedText(), QString());
        box->lineEdit()->clear();
        typeText(box->lineEdit(), QStringLiteral("&öffnenc"));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(box->currentText(), QStringLiteral("&öffnenc"));  // not the entry of another case
        EXPECT_EQ(box->count(), 1);  // the history is offered in the drop-down
    }
}

TEST_F(FindReplaceTest, ReplaceAllWithNothingAsksFirstAndNoLeavesEveryText)
{
    CQuillDoc& doc = child->document();
    ASSERT_EQ(doc.storeTranslation(lineOf("IDS_HELLO"), German, "Datei auswaehlen"), OperationResult::Done);
    CFindDlg replace(CFindDlg::Mode::Replace, context());
    replace.whatBox()->setEditText(QStringLiteral(" auswaehlen"));
    replace.replaceBox()->setEditText(QString());
    feedback.answer = false;
    const std::size_t said = feedback.texts.size();
    EXPECT_EQ(replace.replaceAll(), 0);
    ASSERT_EQ(feedback.askedTexts.size(), 1u);
    EXPECT_NE(feedback.askedTexts[0].find("every \" auswaehlen\" in the chosen translations would be deleted"),
              std::string::npos);
    EXPECT_EQ(stored("IDS_HELLO"), "Datei auswaehlen");
    EXPECT_EQ(feedback.texts.size(), said);  // refused: no report either
    feedback.answer = true;
    EXPECT_EQ(replace.replaceAll(), 1);
    EXPECT_EQ(stored("IDS_HELLO"), "Datei");
    // A replacement that is not empty is not asked about.
    replace.whatBox()->setEditText(QStringLiteral("Datei"));
    replace.replaceBox()->setEditText(QStringLiteral("Ordner"));
    EXPECT_EQ(replace.replaceAll(), 1);
    EXPECT_EQ(feedback.askedTexts.size(), 2u);
}

TEST_F(FindReplaceTest, ReplaceAllMarksTheCellsItChangedUntilTheNextSearchAndCountsTextsAndRows)
{
    CQuillDoc& doc = child->document();
    ASSERT_TRUE(doc.NewTranslation(test::Russian, "app-Russian.rc"));
    QApplication::processEvents();
    child->textList()->setCurrentLanguage(German);
    for (const char* ident : {"IDS_HELLO", "IDS_BYE"})
        ASSERT_EQ(doc.storeTranslation(lineOf(ident), German, "ein Text, kein Text"), OperationResult::Done);
    ASSERT_EQ(doc.storeTranslation(lineOf("IDS_HELLO"), test::Russian, "Text"), OperationResult::Done);
    CTextTableModel* model = child->textList()->tableModel();
    const int germanColumn = doc.rows().columns().columnOfLanguage(German);
    const int russianColumn = doc.rows().columns().columnOfLanguage(test::Russian);
    auto marked = [&](const char* ident, int column) {
        return model->index(rowOfString(child, ident), column).data(CTextTableModel::MarkRole).toBool();
    };

    CFindDlg replace(CFindDlg::Mode::Replace, context());
    replace.whatBox()->setEditText(QStringLiteral("Text"));
    replace.replaceBox()->setEditText(QStringLiteral("Satz"));
    EXPECT_EQ(replace.replaceAll(), 5);
    ASSERT_FALSE(feedback.texts.empty());
    EXPECT_EQ(feedback.texts.back(), "Text replaced  5 times.\n\nReplaced 5 occurrences in 3 texts (2 rows).");
    EXPECT_TRUE(marked("IDS_HELLO", germanColumn));
    EXPECT_TRUE(marked("IDS_HELLO", russianColumn));
    EXPECT_TRUE(marked("IDS_BYE", germanColumn));
    EXPECT_FALSE(marked("IDS_LAST", germanColumn));

    // Undo takes the marks back with the texts; Redo brings both.
    doc.undo();
    EXPECT_EQ(stored("IDS_BYE"), "ein Text, kein Text");
    EXPECT_FALSE(marked("IDS_BYE", germanColumn));
    doc.redo();
    EXPECT_TRUE(marked("IDS_BYE", germanColumn));

    // One of each is told as one.
    replace.whatBox()->setEditText(QStringLiteral("ein Satz,"));
    replace.replaceBox()->setEditText(QStringLiteral("Ein Satz:"));
    EXPECT_EQ(replace.replaceAll(), 2);
    EXPECT_EQ(feedback.texts.back(), "ein Satz, replaced  2 times.\n\nReplaced 2 occurrences in 2 texts (2 rows).");
    child->textList()->selectRow(rowOfString(child, "IDS_HELLO"));
    replace.whatBox()->setEditText(QStringLiteral("kein"));
    replace.replaceBox()->setEditText(QStringLiteral("keinen"));
    doc.storeTranslation(lineOf("IDS_BYE"), German, "nichts");
    EXPECT_EQ(replace.replaceAll(), 1);
    EXPECT_EQ(feedback.texts.back(), "kein replaced  1 times.\n\nReplaced 1 occurrence in 1 text (1 row).");
    EXPECT_TRUE(marked("IDS_HELLO", germanColumn));

    // The next search ends them.
    replace.whatBox()->setEditText(QStringLiteral("Satz"));
    EXPECT_TRUE(replace.findNext());
    EXPECT_FALSE(marked("IDS_HELLO", germanColumn));
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
