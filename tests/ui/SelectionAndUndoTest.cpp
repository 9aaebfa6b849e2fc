// The translation lands where it was typed: the bar shows and stores the item chosen anywhere
// (table, preview), whatever the filter and the switches hide; Undo takes back every change,
// also from the Translation box; commands and panes follow a mouse click; the Text Table
// model stays consistent for Qt's own checker while rows come and go.
#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>

#include "WindowFixture.h"
#include "exchange/ScriptImport.h"
#include "project/ChosenItem.h"
#include "resources/CommandIds.h"
#include "ui/CDynDlgView.h"
#include "ui/CTextListView.h"
#include "ui/CTextTableModel.h"
#include "ui/CTranslDlgView.h"
#include "ui/CommandTable.h"

namespace qmk {
namespace {

using test::German;

class SelectionAndUndoTest : public test::WindowFixture {
protected:
    void openTranslated()
    {
        frame->show();
        child = openApp();
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(child->document().NewTranslation(German, "app-German.rc"));
        QApplication::processEvents();
        child->textList()->setCurrentLanguage(German);
        nameLine = lineOf("IDC_NAME");
        okLine = lineOf("IDOK");
        logoLine = lineOf("IDB_LOGO");
    }
    int lineOf(const std::string& ident) { return child->document().rows().item(rowOfString(child, ident)).lineIndex; }
    std::string stored(int line)
    {
        return child->document().database().texts().translation(line, German).value_or(TranslatedText{}).text;
    }
    CTranslDlgView* bar() { return frame->translateForm(); }
    CDynDlgView* openDialogPreview()
    {
        child->textList()->selectRow(rowOfString(child, "IDC_NAME"));
        trigger(cmd::ViewDialog);
        return qobject_cast<CDynDlgView*>(frame->activePreview());
    }
    void typeAndStore(const QString& text)
    {
        bar()->translationEdit()->setFocus();
        bar()->translationEdit()->selectAll();
        QTest::keyClicks(bar()->translationEdit(), text);
        QTest::keyClick(bar()->translationEdit(), Qt::Key_Return, Qt::ControlModifier);
    }
    QString pane(const char* name)
    {
        for (QLabel* label : frame->statusBar()->findChildren<QLabel*>())
            if (label->accessibleName() == QLatin1String(name))
                return label->text();
        return QStringLiteral("(no pane)");
    }

    CChildFrame* child = nullptr;
    int nameLine = -1, okLine = -1, logoLine = -1;
};

} // namespace

TEST_F(SelectionAndUndoTest, APreviewStoresIntoTheControlItShowsWhileTheFilterHidesItsRow)
{
    openTranslated();
    CDynDlgView* preview = openDialogPreview();
    ASSERT_NE(preview, nullptr);
    child->filterBox()->setText(QStringLiteral("logo"));  // only the bitmap's row is shown
    ASSERT_EQ(child->textList()->shownRowCount(), 1);
    EXPECT_EQ(bar()->shownLine(), nameLine);  // the filter chooses nothing by itself
    EXPECT_EQ(child->textList()->selectedRow(), -1);

    preview->clickAt(preview->controlWidget(2)->geometry().center());  // OK
    EXPECT_EQ(bar()->shownLine(), okLine);
    EXPECT_EQ(child->textList()->selectedRow(), -1);  // its row is hidden: nothing selected
    EXPECT_NE(bar()->findChild<QLabel*>(QStringLiteral("itemHeading"))->text().indexOf(QStringLiteral("IDOK")), -1);
    bar()->translationEdit()->setPlainText(QStringLiteral("Gut"));
    ASSERT_TRUE(bar()->store());
    EXPECT_EQ(stored(okLine), "Gut");
    EXPECT_EQ(stored(logoLine), "");  // never the row the table showed last

    // OK Next moves the bar with the preview (OK wraps to the caption); the next text typed
    // goes to the caption alone.
    QTest::keyClick(bar()->translationEdit(), Qt::Key_Return, Qt::ControlModifier);
    const int caption = preview->layout().captionLine;
    EXPECT_EQ(bar()->shownLine(), caption);
    EXPECT_EQ(bar()->translationEdit()->toPlainText(), QString());
    typeAndStore(QStringLiteral("Info"));
    EXPECT_EQ(stored(caption), "Info");
    EXPECT_EQ(stored(okLine), "Gut");

    // Clearing the filter shows the chosen item's row selected again.
    child->filterBox()->clear();
    EXPECT_EQ(child->textList()->selectedRow(), child->document().rows().rowOfLineIndex(bar()->shownLine()));
}

TEST_F(SelectionAndUndoTest, APreviewStoresIntoItsControlWhileADisplaySwitchHidesTheDialogRows)
{
    openTranslated();
    CDynDlgView* preview = openDialogPreview();
    ASSERT_NE(preview, nullptr);
    CChildFrame* project = child;
    // The switch is a command of the project window.
    project->toggleCategory(ProjectSwitch::DialogEdit);
    ASSERT_EQ(child->document().rows().rowOfLineIndex(nameLine), -1);
    EXPECT_EQ(bar()->shownLine(), nameLine);  // still the chosen item, its row hidden
    EXPECT_EQ(child->textList()->selectedRow(), -1);

    preview->clickAt(preview->controlWidget(1)->geometry().center());  // "Name:"
    EXPECT_EQ(bar()->shownLine(), nameLine);
    EXPECT_EQ(bar()->sourceEdit()->toPlainText(), QStringLiteral("Name:"));
    bar()->translationEdit()->setPlainText(QStringLiteral("Name (de):"));
    ASSERT_TRUE(bar()->store());
    EXPECT_EQ(stored(nameLine), "Name (de):");
    for (int row = 0; row < child->document().rows().rowCount(); ++row)
        EXPECT_EQ(child->document().rows().row(row).cell(child->document().rows().columns().columnOfLanguage(German)), "");
    // Exclude acts on the chosen item too, and is undone.
    trigger(cmd::ExcludeItem);
    EXPECT_TRUE(child->document().database().texts().exclude(nameLine).value_or(false));
    trigger(uicmd::Undo);
    EXPECT_FALSE(child->document().database().texts().exclude(nameLine).value_or(true));
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Undo: exclude 'Name:'"));
}

TEST_F(SelectionAndUndoTest, CtrlZInTheTranslationBoxUndoesTypingFirstThenTheStore)
{
    openTranslated();
    child->textList()->selectRow(rowOfString(child, "IDS_HELLO"));
    const int hello = lineOf("IDS_HELLO");
    typeAndStore(QStringLiteral("Hallo"));
    ASSERT_EQ(stored(hello), "Hallo");
    EXPECT_EQ(bar()->shownLine(), lineOf("IDS_BYE"));  // OK Next moved on

    // Typing not stored yet: Ctrl+Z is the box's own.
    QTest::keyClicks(bar()->translationEdit(), QStringLiteral("Tsch"));
    QTest::keyClick(bar()->translationEdit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(stored(hello), "Hallo");
    EXPECT_EQ(bar()->translationEdit()->toPlainText(), QString());
    // Nothing typed is left: Ctrl+Z takes the store back and shows where it was.
    QTest::keyClick(bar()->translationEdit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(stored(hello), "");
    EXPECT_EQ(bar()->shownLine(), hello);
    EXPECT_EQ(child->textList()->selectedRow(), rowOfString(child, "IDS_HELLO"));
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Undo: store 'Hallo' (German)"));
    QTest::keyClick(bar()->translationEdit(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(stored(hello), "Hallo");
    EXPECT_EQ(bar()->translationEdit()->toPlainText(), QStringLiteral("Hallo"));
    // The read-only source box always means the project.
    QTest::keyClick(bar()->sourceEdit(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(stored(hello), "");
}

TEST_F(SelectionAndUndoTest, AMouseClickOnARowEnablesItsCommandsAndFillsThePanes)
{
    openTranslated();
    CTextListView* table = child->textList();
    table->selectRow(rowOfString(child, "IDB_LOGO"));
    trigger(cmd::ExcludeItem);  // excluded, so that the click must change the check
    const int row = rowOfString(child, "IDS_BYE");
    const QRect cell = table->visualRect(table->model()->index(row, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(table->selectedRow(), row);
    EXPECT_TRUE(frame->action(cmd::ExcludeItem)->isEnabled());
    EXPECT_FALSE(frame->action(cmd::ExcludeItem)->isChecked());
    EXPECT_EQ(pane("Row"), QStringLiteral("%1/%2").arg(row + 1).arg(child->document().rows().rowCount()));
    EXPECT_EQ(pane("Item type"), QStringLiteral("Stringtable String"));
    EXPECT_EQ(bar()->shownLine(), lineOf("IDS_BYE"));
    QTest::keyClick(table, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(child->document().database().texts().exclude(lineOf("IDS_BYE")).value_or(false));
    EXPECT_TRUE(frame->action(cmd::ExcludeItem)->isChecked());
}

namespace {

// Collects what QAbstractItemModelTester finds wrong (it reports through Qt's warnings).
QStringList modelFailures;
void collectFailures(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && message.contains(QLatin1String("FAIL")))
        modelFailures << message;
}

} // namespace

TEST_F(SelectionAndUndoTest, TheTextTableModelPassesQtsCheckerWhileRowsComeAndGo)
{
    openTranslated();
    modelFailures.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectFailures);
    CTextListView* table = child->textList();
    {
        QAbstractItemModelTester source(table->tableModel(), QAbstractItemModelTester::FailureReportingMode::Warning);
        QAbstractItemModelTester shown(table->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
        table->selectRow(rowOfString(child, "IDS_BYE"));
        child->filterBox()->setText(QStringLiteral("e"));
        for (ProjectSwitch which : {ProjectSwitch::StringtableEdit, ProjectSwitch::DialogEdit, ProjectSwitch::IncludeEdit,
                                    ProjectSwitch::ExcludeEdit})
            child->toggleCategory(which);
        child->toggleCategory(ProjectSwitch::ExcludeEdit);
        child->toggleCategory(ProjectSwitch::StringtableEdit);
        child->filterBox()->clear();
        child->toggleCategory(ProjectSwitch::DialogEdit);
        ASSERT_TRUE(child->document().storeTranslation(lineOf("IDS_HELLO"), German, "Hallo").done());
        ASSERT_TRUE(child->document().reloadRows().done());
        trigger(uicmd::Undo);
        // A script import: the translation's rows are read again under the recorded step.
        std::string german = test::kScript;
        german.replace(german.find("\"Last\""), 6, "\"Letzte\"");
        const std::filesystem::path file = dir.write("app-de.rc", "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n" + german);
        {
            CQuillDoc::RecordedImport recorded(child->document(), "app-de.rc");
            ASSERT_TRUE(ScriptImport(child->document(), {}).run(file, German).ok());
        }
        trigger(uicmd::Undo);
        trigger(uicmd::Redo);
        table->selectRow(rowOfString(child, "IDS_HELLO"));
        ASSERT_TRUE(child->document().NewTranslation(LanguageId{12, 1}, "app-French.rc").done());
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(modelFailures.isEmpty()) << modelFailures.join(QLatin1Char('\n')).toStdString();
    // The item Undo showed survived the reload and the new column: selected where it is shown.
    EXPECT_EQ(table->selectedRow(), rowOfString(child, "IDS_HELLO"));
}

} // namespace qmk
