// A day at the keyboard: typed text is stored on every road out of the Translation box and
// Escape takes typing back; every jump lands in the box; the panels a translator needs are in
// view together; the window's keys and access keys each have one owner.
#include <QAbstractButton>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QContextMenuEvent>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <map>
#include <set>

#include "WindowFixture.h"
#include "checks/CheckEngine.h"
#include "resources/CommandIds.h"
#include "ui/CAppSettingsSheet.h"
#include "ui/CBookmarkDlg.h"
#include "ui/CChecksView.h"
#include "ui/CDeleteTranslationDlg.h"
#include "ui/CFindDlg.h"
#include "ui/CNewTranslationDlg.h"
#include "ui/CPreviewView.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"
#include "ui/CTranslationSettingsSheet.h"

namespace qmk {
namespace {

using test::German;
using test::Russian;

class KeyboardRoadTest : public test::WindowFixture {
protected:
    void openTranslated()
    {
        frame->show();
        QApplication::setActiveWindow(frame.get());
        child = openApp();
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(doc().NewTranslation(German, "app-German.rc"));
        ASSERT_TRUE(doc().NewTranslation(Russian, "app-Russian.rc"));
        QApplication::processEvents();
        table()->setCurrentLanguage(German);
        table()->selectRow(rowOfString(child, "IDS_HELLO"));
    }
    CQuillDoc& doc() { return child->document(); }
    CTextListView* table() { return child->textList(); }
    CTranslDlgView* bar() { return frame->translateForm(); }
    QPlainTextEdit* box() { return bar()->translationEdit(); }
    int line(const std::string& ident) { return doc().rows().item(rowOfString(child, ident)).lineIndex; }
    std::string stored(const std::string& ident, LanguageId language = German)
    {
        return doc().database().texts().translation(line(ident), language).value_or(TranslatedText{}).text;
    }
    void typeIntoBox(const QString& text)
    {
        box()->setFocus();
        // Qt Test types ASCII only; other letters arrive as an input method would bring them.
        bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
        if (ascii)
            QTest::keyClicks(box(), text);
        else
            box()->insertPlainText(text);
    }
    void key(int keyCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(keyCode), modifiers);
    }
    bool caretInBoxAtEnd() { return box()->hasFocus() && box()->textCursor().atEnd(); }
    QDockWidget* panel(const char* name) { return frame->findChild<QDockWidget*>(QString::fromLatin1(name)); }
    static bool inView(QDockWidget* dock) { return dock->isVisible() && !dock->widget()->visibleRegion().isEmpty(); }

    CChildFrame* child = nullptr;
};

} // namespace

TEST_F(KeyboardRoadTest, TypedTextIsStoredOnEveryRoadOutAsOneUndoableStep)
{
    openTranslated();
    // Next untranslated (Alt+Down): stored, then Undo takes exactly that store back.
    typeIntoBox(QStringLiteral("Hallo"));
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(stored("IDS_HELLO"), "Hallo");
    EXPECT_EQ(bar()->shownLine(), line("IDS_BYE"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(stored("IDS_HELLO"), "");

    // A row chosen in the table.
    table()->selectRow(rowOfString(child, "IDS_BYE"));
    typeIntoBox(QStringLiteral("Tsch\u00FCss"));
    table()->selectRow(rowOfString(child, "IDS_LAST"));
    EXPECT_EQ(stored("IDS_BYE"), "Tsch\xFC" "ss");
    EXPECT_EQ(bar()->shownLine(), line("IDS_LAST"));

    // Another language made current: the typing goes into the language it was typed for.
    typeIntoBox(QStringLiteral("Letzte"));
    table()->setCurrentLanguage(Russian);
    EXPECT_EQ(stored("IDS_LAST"), "Letzte");
    EXPECT_EQ(stored("IDS_LAST", Russian), "");

    // Typed and typed back leaves no step in the history.
    table()->setCurrentLanguage(German);
    const EditStep* before = doc().history().nextUndo();
    typeIntoBox(QStringLiteral("x"));
    key(Qt::Key_Backspace);
    table()->selectRow(rowOfString(child, "IDS_HELLO"));
    EXPECT_EQ(doc().history().nextUndo(), before);

    // Closing the project: stored before the window goes, without writing the scripts.
    typeIntoBox(QStringLiteral("Hallo Welt"));
    feedback.answer = false;
    const std::filesystem::path project = doc().documentPath();
    const int hello = line("IDS_HELLO");
    ASSERT_TRUE(child->parentWidget()->close());
    QApplication::processEvents();
    feedback.answer = true;
    CChildFrame* again = frame->openDocument(project);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->document().database().texts().translation(hello, German).value_or(TranslatedText{}).text, "Hallo Welt");
}

TEST_F(KeyboardRoadTest, EscapeTakesTheTypingBackAndNeverEmptiesAStoredText)
{
    openTranslated();
    ASSERT_EQ(doc().storeTranslation(line("IDS_HELLO"), German, "Hallo"), OperationResult::Done);
    table()->selectRow(rowOfString(child, "IDS_BYE"));
    table()->selectRow(rowOfString(child, "IDS_HELLO"));
    const EditStep* before = doc().history().nextUndo();
    typeIntoBox(QStringLiteral(" Leute"));
    key(Qt::Key_Escape);
    EXPECT_EQ(box()->toPlainText(), QStringLiteral("Hallo"));
    key(Qt::Key_Escape);  // nothing typed: the stored text stays in the box
    EXPECT_EQ(box()->toPlainText(), QStringLiteral("Hallo"));
    table()->selectRow(rowOfString(child, "IDS_BYE"));
    EXPECT_EQ(stored("IDS_HELLO"), "Hallo");
    EXPECT_EQ(doc().history().nextUndo(), before);
}

TEST_F(KeyboardRoadTest, ATextTheCodePageCannotHoldKeepsTheBarOnItsItemUntilEscape)
{
    openTranslated();
    typeIntoBox(QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442"));  // Cyrillic in German (1252)
    table()->selectRow(rowOfString(child, "IDS_BYE"));
    ASSERT_FALSE(feedback.texts.empty());  // said why
    EXPECT_EQ(bar()->shownLine(), line("IDS_HELLO"));
    EXPECT_EQ(box()->toPlainText(), QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442"));
    EXPECT_EQ(stored("IDS_BYE"), "");
    key(Qt::Key_Escape);  // the typing dropped: the bar follows the table again
    EXPECT_EQ(bar()->shownLine(), line("IDS_BYE"));
    EXPECT_EQ(stored("IDS_HELLO"), "");
}

TEST_F(KeyboardRoadTest, TypeNextTypeStoreUndoNextEveryTypedTextLands)
{
    openTranslated();
    typeIntoBox(QStringLiteral("Hallo"));
    key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_EQ(bar()->shownLine(), line("IDS_BYE"));
    EXPECT_TRUE(caretInBoxAtEnd());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Der Ordner existiert nicht."));
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(stored("IDS_HELLO"), "Hallo");
    EXPECT_EQ(stored("IDS_BYE"), "Der Ordner existiert nicht.");  // no blank pressed a button
    EXPECT_EQ(bar()->shownLine(), line("IDS_LAST"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(stored("IDS_BYE"), "");
    EXPECT_EQ(stored("IDS_HELLO"), "Hallo");
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(caretInBoxAtEnd());
    EXPECT_EQ(stored("IDS_HELLO"), "Hallo");
    for (QPushButton* button : bar()->findChildren<QPushButton*>())
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->text().toStdString();
}

TEST_F(KeyboardRoadTest, EveryJumpLandsInTheTranslationBoxAndLettersNeverMoveTheTable)
{
    openTranslated();
    ASSERT_EQ(doc().storeTranslation(line("IDS_LAST"), German, "Letzte"), OperationResult::Done);
    const int hello = rowOfString(child, "IDS_HELLO");
    table()->selectRow(hello);
    table()->setFocus();
    QTest::keyClicks(table(), QStringLiteral("Ex"));  // type-ahead would jump to "E&xit"
    EXPECT_EQ(table()->selectedRow(), hello);
    // The letters translate the chosen text instead: they are in the box, the caret after them.
    EXPECT_EQ(box()->toPlainText(), QStringLiteral("Ex"));
    EXPECT_TRUE(caretInBoxAtEnd());
    QTest::keyClicks(box(), QStringLiteral("tra"));
    key(Qt::Key_Escape);  // taken back: the rest of the road starts from an untranslated text
    EXPECT_EQ(stored("IDS_HELLO"), "");

    table()->setFocus();
    key(Qt::Key_Down, Qt::AltModifier);  // next untranslated
    EXPECT_TRUE(caretInBoxAtEnd());
    table()->setFocus();
    key(Qt::Key_F8);  // next item
    EXPECT_TRUE(caretInBoxAtEnd());

    // A bookmark set, left, and gone back to.
    table()->selectRow(rowOfString(child, "IDS_LAST"));
    trigger(uicmd::SetBookmark);
    table()->selectRow(hello);
    table()->setFocus();
    key(Qt::Key_PageDown, Qt::AltModifier);
    EXPECT_EQ(bar()->shownLine(), line("IDS_LAST"));
    EXPECT_TRUE(caretInBoxAtEnd());
    EXPECT_EQ(box()->toPlainText(), QStringLiteral("Letzte"));
    table()->setFocus();
    key(Qt::Key_PageUp, Qt::AltModifier);  // the only bookmark, from anywhere
    EXPECT_EQ(bar()->shownLine(), line("IDS_LAST"));

    // A finding's item.
    table()->setFocus();
    emit frame->findChild<CChecksView*>()->itemWanted(line("IDS_BYE"));  // chosen in the panel
    EXPECT_EQ(bar()->shownLine(), line("IDS_BYE"));
    EXPECT_TRUE(caretInBoxAtEnd());
}

TEST_F(KeyboardRoadTest, TheMemoryAndTheFindingsAreInViewBesideTheBoxAndViewCommandsRaiseThem)
{
    openTranslated();
    QDockWidget* translate = panel("translateBar");
    QDockWidget* memory = panel("memoryBar");
    QDockWidget* checks = panel("checksBar");
    QDockWidget* files = panel("projectFilesBar");
    EXPECT_TRUE(inView(translate));
    EXPECT_TRUE(inView(memory));
    EXPECT_TRUE(inView(checks));
    EXPECT_FALSE(frame->tabifiedDockWidgets(translate).contains(memory));

    // Pressed once: forward with the focus in it; pressed again: hidden, back to the box.
    trigger(uicmd::ViewProjectFilesPanel);
    EXPECT_TRUE(inView(files));
    EXPECT_TRUE(files->isAncestorOf(QApplication::focusWidget()));
    trigger(uicmd::ViewProjectFilesPanel);
    EXPECT_FALSE(files->isVisible());
    trigger(uicmd::ViewMemoryPanel);
    EXPECT_TRUE(memory->isAncestorOf(QApplication::focusWidget()));
    trigger(uicmd::ViewMemoryPanel);
    EXPECT_FALSE(memory->isVisible());
    EXPECT_TRUE(box()->hasFocus());
    trigger(uicmd::ViewMemoryPanel);
    EXPECT_TRUE(inView(memory));
}

namespace {

// The texts a person reaches with Alt and a letter inside one window.
std::vector<std::string> accessKeyLabels(QWidget* root)
{
    std::vector<std::string> labels;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->window() != root->window() || !widget->isVisibleTo(root))
            continue;
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
            text = label->text();
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            text = group->title();
        if (!text.isEmpty())
            labels.push_back(text.toStdString());
    }
    return labels;
}

std::vector<std::string> clashesIn(const std::string& where, const std::vector<std::string>& labels)
{
    std::vector<std::string> found;
    for (const auto& [first, second] : accessKeyClashes(labels))
        found.push_back(where + ": \"" + labels[first] + "\" and \"" + labels[second] + "\"");
    return found;
}

void collectMenuClashes(QMenu* menu, std::vector<std::string>& found)
{
    emit menu->aboutToShow();  // menus filled when opened
    std::vector<std::string> labels;
    for (QAction* entry : menu->actions()) {
        if (entry->isSeparator() || !entry->isVisible())
            continue;
        labels.push_back(entry->text().toStdString());
        if (entry->menu())
            collectMenuClashes(entry->menu(), found);
    }
    for (std::string& clash : clashesIn(menu->title().toStdString(), labels))
        found.push_back(std::move(clash));
}

// Every tab of a sheet is a window of its own for its access keys, with the tab names.
void collectDialogClashes(const std::string& name, QDialog& dialog, std::vector<std::string>& found)
{
    dialog.show();
    const QList<QTabWidget*> tabs = dialog.findChildren<QTabWidget*>();
    if (tabs.empty()) {
        for (std::string& clash : clashesIn(name, accessKeyLabels(&dialog)))
            found.push_back(std::move(clash));
    }
    for (QTabWidget* sheet : tabs)
        for (int page = 0; page < sheet->count(); ++page) {
            sheet->setCurrentIndex(page);
            std::vector<std::string> labels = accessKeyLabels(&dialog);
            for (int t = 0; t < sheet->count(); ++t)
                labels.push_back(sheet->tabText(t).toStdString());
            for (std::string& clash : clashesIn(name + " / " + sheet->tabText(page).toStdString(), labels))
                found.push_back(std::move(clash));
        }
    dialog.hide();
}

} // namespace

TEST_F(KeyboardRoadTest, NoMenuWindowPanelOrDialogGivesTwoTextsOneAccessKeyOrOneKeyTwoCommands)
{
    openTranslated();
    std::vector<std::string> found;
    // The main window: its menu bar and every panel, in view or behind a tab.
    std::vector<std::string> main;
    for (QAction* top : frame->menuBar()->actions()) {
        main.push_back(top->text().toStdString());
        collectMenuClashes(top->menu(), found);
    }
    for (QDockWidget* dock : frame->findChildren<QDockWidget*>()) {
        std::vector<std::string> labels = accessKeyLabels(dock->widget());
        main.insert(main.end(), labels.begin(), labels.end());
    }
    for (std::string& clash : clashesIn("main window", main))
        found.push_back(std::move(clash));

    SearchHistory searches, replacements;
    std::vector<std::string> where;
    CFindDlg::Context context{child, bar(), feedback, searches, replacements, where, [] {}};
    CFindDlg find(CFindDlg::Mode::Find, context, frame.get());
    collectDialogClashes("Find", find, found);
    CFindDlg replace(CFindDlg::Mode::Replace, context, frame.get());
    collectDialogClashes("Replace", replace, found);
    CBookmarkDlg bookmarks(doc(), feedback, {line("IDS_HELLO"), "Text", German}, frame.get());
    collectDialogClashes("Bookmark", bookmarks, found);
    CNewTranslationDlg added(doc(), frame.get());
    collectDialogClashes("New Translation", added, found);
    CDeleteTranslationDlg deleted(doc(), German, frame.get());
    collectDialogClashes("Delete Translation", deleted, found);
    CTranslationSettingsSheet sheet(doc(), German, frame->font(), frame.get());
    collectDialogClashes("Translation Settings", sheet, found);
    CAppSettingsSheet options(*settings, feedback, {}, [] {}, frame.get());
    collectDialogClashes("Options", options, found);
    // Texts whose spelling the program has always had, and that users and manuals know.
    const std::set<std::string> kept{"&File: \"&Open...\" and \"&Options...\"",
                                     "&Project: \"&Export Text to Excel...\" and \"Resource &Editor...\"",
                                     "Find: \"&What:\" and \"&Where:\""};
    std::erase_if(found, [&](const std::string& clash) { return kept.count(clash) != 0; });
    EXPECT_TRUE(found.empty()) << ::testing::PrintToString(found);

    // One owner for each key sequence in the main window.
    std::map<QString, int> owners;
    for (QAction* action : frame->findChildren<QAction*>())
        for (const QKeySequence& keys : action->shortcuts())
            ++owners[keys.toString()];
    for (QShortcut* shortcut : frame->findChildren<QShortcut*>())
        ++owners[shortcut->key().toString()];
    for (const auto& [keys, count] : owners)
        EXPECT_EQ(count, 1) << keys.toStdString();
}

TEST_F(KeyboardRoadTest, WindowKeysCloseStepAndListTheWindowsFromAnywhere)
{
    openTranslated();
    table()->selectRow(rowOfString(child, "IDC_NAME"));
    trigger(cmd::ViewDialog);
    ASSERT_NE(frame->activePreview(), nullptr);
    auto* area = frame->findChild<QMdiArea*>();
    ASSERT_EQ(area->subWindowList().size(), 2);

    // Ctrl+Tab and Ctrl+F6 from the Translation box.
    box()->setFocus();
    key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(frame->activePreview(), nullptr);
    box()->setFocus();
    key(Qt::Key_F6, Qt::ControlModifier);
    EXPECT_NE(frame->activePreview(), nullptr);

    // The Window menu names both windows and checks the one in front.
    QMenu* windows = frame->findChild<QMenu*>(QStringLiteral("windowMenu"));
    emit windows->aboutToShow();
    int listed = 0;
    for (QAction* entry : windows->actions())
        if (entry->text().startsWith(QLatin1Char('&')) && entry->isCheckable())
            listed += entry->isChecked() ? 10 : 1;
    EXPECT_EQ(listed, 11);

    // Ctrl+W closes the preview in front; its project comes back, not just any window.
    box()->setFocus();
    key(Qt::Key_W, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(area->subWindowList().size(), 1);
    EXPECT_EQ(frame->activeChild(), child);
    EXPECT_EQ(area->activeSubWindow(), child->parentWidget());
}

TEST_F(KeyboardRoadTest, TwoProjectsOfOneFileNameHaveTabsThatTellThemApart)
{
    openTranslated();
    const std::filesystem::path other = dir / "other";
    std::filesystem::create_directories(other);
    std::filesystem::copy_file(script, other / "app.rc");
    CChildFrame* second = frame->openDocument(other / "app.rc");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(child->windowTitle(), second->windowTitle());
    EXPECT_NE(second->windowTitle().indexOf(QStringLiteral("other")), -1);
}

TEST_F(KeyboardRoadTest, TheFilterBoxGivesDownToTheRowsAndCountsThem)
{
    openTranslated();
    child->filterBox()->setFocus();
    QTest::keyClicks(child->filterBox(), QStringLiteral("Good"));
    auto* count = child->findChild<QLabel*>(QStringLiteral("filterMatches"));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->text(), QStringLiteral("1 of %1").arg(doc().rows().rowCount()));
    table()->clearSelection();
    QTest::keyClick(child->filterBox(), Qt::Key_Down);
    EXPECT_TRUE(table()->hasFocus());
    EXPECT_EQ(table()->selectedRow(), rowOfString(child, "IDS_BYE"));
}

} // namespace qmk

namespace qmk {

TEST_F(KeyboardRoadTest, TheSourceColumnKeepsItsShareWhenATranslationIsAdded)
{
    frame->show();
    child = openApp();
    ASSERT_NE(child, nullptr);
    QApplication::processEvents();
    ASSERT_TRUE(doc().NewTranslation(German, "app-German.rc"));
    QApplication::processEvents();
    const int source = table()->columnWidth(TextTableColumns::SourceColumn);
    EXPECT_GE(source, (table()->viewport()->width() - table()->columnWidth(TextTableColumns::IdColumn)) / 2 - 2);
    // A width the translator set stays through the next reload.
    table()->setColumnWidth(TextTableColumns::SourceColumn, 300);
    ASSERT_TRUE(doc().NewTranslation(Russian, "app-Russian.rc"));
    QApplication::processEvents();
    EXPECT_EQ(table()->columnWidth(TextTableColumns::SourceColumn), 300);
}

} // namespace qmk

namespace qmk {

TEST_F(KeyboardRoadTest, QuittingAfterPreviewsAndAStoreSaysNothingOfTheDatabase)
{
    openTranslated();
    table()->selectRow(rowOfString(child, "ID_EXIT"));
    trigger(cmd::ViewMenu);
    typeIntoBox(QStringLiteral("B&eenden"));
    key(Qt::Key_Return, Qt::ControlModifier);
    table()->selectRow(rowOfString(child, "IDC_NAME"));
    trigger(cmd::ViewDialog);
    feedback.answer = false;
    frame->close();
    QApplication::processEvents();
    EXPECT_TRUE(frame->children().empty());
    EXPECT_TRUE(frame->previews().empty());
    for (const std::string& text : feedback.texts)
        EXPECT_EQ(text.find("Dao Error"), std::string::npos) << text;
}

} // namespace qmk

namespace qmk {

TEST_F(KeyboardRoadTest, AnOpenPreviewGoneBackToShowsItsItemInTheBarAndTabFromTheTableStaysInTheProject)
{
    openTranslated();
    table()->selectRow(rowOfString(child, "IDC_NAME"));
    trigger(cmd::ViewDialog);
    CPreviewView* preview = frame->activePreview();
    ASSERT_NE(preview, nullptr);
    table()->selectRow(rowOfString(child, "IDS_HELLO"));
    ASSERT_EQ(bar()->shownLine(), line("IDS_HELLO"));
    // A bookmark's place in the preview already open: the bar follows it there.
    ASSERT_EQ(frame->openPreview(child, {PreviewKind::Dialog, preview->resourceLine(), line("IDOK")}), preview);
    EXPECT_EQ(bar()->shownLine(), line("IDOK"));

    // Tab from the table goes on to the panels, never to the preview's tab.
    auto* area = frame->findChild<QMdiArea*>();
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
    table()->setFocus();
    key(Qt::Key_Tab);
    EXPECT_EQ(area->activeSubWindow(), child->parentWidget());
    EXPECT_FALSE(preview->isAncestorOf(QApplication::focusWidget()));
}

} // namespace qmk

namespace qmk {

TEST_F(KeyboardRoadTest, TheMenuKeyOpensTheCurrentFindingsMenuInTheChecksList)
{
    openTranslated();
    ASSERT_EQ(doc().storeTranslation(line("IDS_HELLO"), German, "Hallo "), OperationResult::Done);  // a blank at the end
    QApplication::processEvents();
    auto* list = panel("checksBar")->findChild<QTreeWidget*>();
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->topLevelItemCount(), 0);
    list->setCurrentItem(list->topLevelItem(0));
    list->setFocus();
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = menu->objectName();
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(-1, -1));  // Shift+F10 puts no pointer anywhere
    QApplication::sendEvent(list, &event);
    EXPECT_EQ(shown, QStringLiteral("findingMenu"));
}

} // namespace qmk
