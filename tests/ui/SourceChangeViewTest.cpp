// A changed source shown as a word diff: the Source Text dialog marks the words that went and
// came, tells them to screen readers, and a flagged translation's tooltip shows the change
// until the translation is accepted.
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <ctime>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>

#include "WindowFixture.h"
#include "ui/CSourceTextDialog.h"
#include "ui/CTextListView.h"
#include "ui/CTextTableModel.h"

namespace qmk {
namespace {

using test::German;

// The format of the character at the first occurrence of `word`.
QTextCharFormat formatOf(QTextEdit* edit, const QString& word)
{
    const int at = edit->toPlainText().indexOf(word);
    if (at < 0)
        return {};
    QTextCursor cursor(edit->document());
    cursor.setPosition(at + 1);
    return cursor.charFormat();
}

// What a tooltip shows: rich text rendered, plain text as it is.
QString shownText(const QString& tooltip)
{
    if (!Qt::mightBeRichText(tooltip))
        return tooltip;
    QTextDocument document;
    document.setHtml(tooltip);
    return document.toPlainText();
}

QString accessibleDescription(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Description) : QString();
}

class SourceChangeViewTest : public test::WindowFixture {};

} // namespace

TEST_F(SourceChangeViewTest, TheDialogMarksWhatWentAndCameAndSaysItInWords)
{
    CSourceTextDialog dialog(QStringLiteral("Open the  <file> now"), QStringLiteral("Open the  <folder> & go"),
                             frame.get());
    auto* before = dialog.findChild<QTextEdit*>(QStringLiteral("oldSourceText"));
    auto* after = dialog.findChild<QTextEdit*>(QStringLiteral("newSourceText"));
    ASSERT_NE(before, nullptr);
    ASSERT_NE(after, nullptr);
    // The texts read as given: markup characters escaped, both blanks kept.
    EXPECT_EQ(before->toPlainText(), QStringLiteral("Open the  <file> now"));
    EXPECT_EQ(after->toPlainText(), QStringLiteral("Open the  <folder> & go"));

    EXPECT_TRUE(formatOf(before, QStringLiteral("file")).fontStrikeOut());
    EXPECT_TRUE(formatOf(before, QStringLiteral("now")).fontStrikeOut());
    EXPECT_FALSE(formatOf(before, QStringLiteral("Open")).fontStrikeOut());
    const QColor deleted = formatOf(before, QStringLiteral("file")).background().color();
    EXPECT_GT(deleted.red(), deleted.green());
    EXPECT_TRUE(formatOf(after, QStringLiteral("folder")).fontUnderline());
    EXPECT_FALSE(formatOf(after, QStringLiteral("the")).fontUnderline());
    const QColor inserted = formatOf(after, QStringLiteral("folder")).background().color();
    EXPECT_GT(inserted.green(), inserted.red());

    EXPECT_EQ(accessibleDescription(before), QStringLiteral("deleted: \"file\", \"now\""));
    EXPECT_EQ(accessibleDescription(after), QStringLiteral("inserted: \"folder\", \"& go\""));
    dialog.show();
    QApplication::processEvents();
    int checked = 0;
    const std::vector<std::string> unnamed = test::unnamedControls(&dialog, checked);
    EXPECT_GE(checked, 3);
    EXPECT_TRUE(unnamed.empty()) << ::testing::PrintToString(unnamed);
}

TEST_F(SourceChangeViewTest, AFlaggedTranslationsTooltipShowsTheSourceChangeUntilAccepted)
{
    CChildFrame* child = openApp();
    ASSERT_NE(child, nullptr);
    CQuillDoc& doc = child->document();
    ASSERT_TRUE(doc.NewTranslation(German, "app-German.rc"));
    auto lineOf = [&](const char* ident) { return doc.rows().item(rowOfString(child, ident)).lineIndex; };
    ASSERT_TRUE(doc.storeTranslation(lineOf("IDS_HELLO"), German, "Hallo <Welt>").done());
    ASSERT_TRUE(doc.storeTranslation(lineOf("IDS_BYE"), German, "Auf Wiedersehen").done());

    std::string changed = test::kScript;
    changed.replace(changed.find("\"Hello\""), 7, "\"Hello there\"");
    std::ofstream(script, std::ios::trunc) << changed;
    const std::time_t later = std::time(nullptr) + 120;
    struct timespec times[2] = {{later, 0}, {later, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, script.c_str(), times, 0), 0);
    ASSERT_TRUE(doc.UpdateDatabase().done());
    QApplication::processEvents();

    CTextTableModel* model = child->textList()->tableModel();
    const int column = doc.rows().columns().columnOfLanguage(German);
    const QModelIndex hello = model->index(rowOfString(child, "IDS_HELLO"), column);
    ASSERT_TRUE(hello.data(CTextTableModel::ModifiedRole).toBool());
    const QString tip = hello.data(Qt::ToolTipRole).toString();
    EXPECT_TRUE(Qt::mightBeRichText(tip));
    EXPECT_TRUE(tip.contains(QStringLiteral("Hallo &lt;Welt&gt;"))) << tip.toStdString();  // the cell, escaped
    EXPECT_TRUE(tip.contains(QStringLiteral("Source text changed:")));
    EXPECT_TRUE(tip.contains(QRegularExpression(QStringLiteral("<ins[^>]*> there</ins>")))) << tip.toStdString();
    // Other cells keep their plain tooltip: the source, an unflagged translation.
    EXPECT_EQ(model->index(hello.row(), TextTableColumns::SourceColumn).data(Qt::ToolTipRole).toString(),
              QStringLiteral("Hello there"));
    EXPECT_EQ(model->index(rowOfString(child, "IDS_BYE"), column).data(Qt::ToolTipRole).toString(),
              QStringLiteral("Auf Wiedersehen"));

    // Accepted: the table hears of it, the cell is no longer red and its tooltip is plain again.
    QSignalSpy changedCells(model, &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(doc.acceptSourceChange(lineOf("IDS_HELLO"), German).done());
    ASSERT_FALSE(changedCells.isEmpty());
    EXPECT_LE(changedCells.front().at(0).toModelIndex().row(), hello.row());
    EXPECT_GE(changedCells.front().at(1).toModelIndex().row(), hello.row());
    EXPECT_FALSE(hello.data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(shownText(hello.data(Qt::ToolTipRole).toString()), QStringLiteral("Hallo <Welt>"));
    ASSERT_TRUE(doc.undo().result.done());
    EXPECT_TRUE(hello.data(CTextTableModel::ModifiedRole).toBool());
    // A text that looks like markup is shown as written.
    ASSERT_TRUE(doc.storeTranslation(lineOf("IDS_BYE"), German, "<b>Bis bald</b>").done());
    EXPECT_EQ(shownText(model->index(rowOfString(child, "IDS_BYE"), column).data(Qt::ToolTipRole).toString()),
              QStringLiteral("<b>Bis bald</b>"));
}

} // namespace qmk
