// The details a translator relies on all day: where OK stores, a keyboard that is never trapped,
// previews drawn as the program will look (access keys, disabled controls, accelerators), named
// for screen readers, and dialogs that open ready to type.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "project/ChosenItem.h"
#include "resources/CommandIds.h"
#include "common/PostgresServer.h"
#include "memory/PostgresMemory.h"
#include "memory/SqliteMemory.h"
#include "parser/LanguageTags.h"
#include "project/SourceLanguageTag.h"
#include "ui/CChecksView.h"
#include "ui/CDynBitmapView.h"
#include "ui/CMemoryView.h"
#include "ui/CTextTableModel.h"
#include "ui/CDynDlgView.h"
#include "ui/CDynMenuView.h"
#include "ui/CFindDlg.h"
#include "ui/CGaugePane.h"
#include "ui/CMemoryLookup.h"
#include "ui/CSpecialCharsDlg.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"

namespace qmk {
namespace {

using test::German;

const char* const kDetailedScript =
    "IDD_OPTIONS DIALOG 0, 0, 200, 100\nCAPTION \"Options\"\nBEGIN\n"
    "    LTEXT \"&Name:\", IDC_NAME, 10, 10, 50, 8\n"
    "    LTEXT \"Fish && Chips\", -1, 10, 20, 80, 8\n"
    "    PUSHBUTTON \"&Apply\", IDC_APPLY, 10, 40, 50, 14, WS_DISABLED\n"
    "    DEFPUSHBUTTON \"OK\", IDOK, 140, 80, 50, 14\nEND\n"
    "IDM_MAIN MENU\nBEGIN\n    POPUP \"&File\"\n    BEGIN\n"
    "        MENUITEM \"&New\\tCtrl+N\", ID_NEW\n        MENUITEM \"E&xit\", ID_EXIT\n    END\nEND\n";

class WindowDetailsTest : public test::WindowFixture {
protected:
    void open(const char* text = kDetailedScript)
    {
        script = dir.write("app.rc", text);
        frame->show();
        child = openApp();
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(child->document().NewTranslation(German, "app-German.rc"));
        QApplication::processEvents();
        child->textList()->setCurrentLanguage(German);
    }
    int lineOf(const std::string& ident) { return child->document().rows().item(rowOfString(child, ident)).lineIndex; }
    QLabel* pane(const QString& name)
    {
        for (QLabel* label : frame->findChildren<QLabel*>())
            if (label->accessibleName() == name)
                return label;
        return nullptr;
    }

    CChildFrame* child = nullptr;
};

} // namespace

TEST_F(WindowDetailsTest, OnlyTheCellsOkStoresToAreDrawnSelectedAndTabLeavesTheTable)
{
    open(test::kScript);
    CTextListView* table = child->textList();
    const int german = child->document().rows().columns().columnOfLanguage(German);
    EXPECT_TRUE(table->isCurrentCell(german));
    EXPECT_FALSE(table->isCurrentCell(TextTableColumns::SourceColumn));
    EXPECT_FALSE(table->isCurrentCell(TextTableColumns::IdColumn));
    table->chooseColumn(TextTableColumns::SourceColumn);
    EXPECT_TRUE(table->isCurrentCell(TextTableColumns::IdColumn));
    EXPECT_TRUE(table->isCurrentCell(TextTableColumns::SourceColumn));
    EXPECT_FALSE(table->isCurrentCell(german));

    QApplication::setActiveWindow(frame.get());
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Tab);
    QWidget* after = QApplication::focusWidget();
    EXPECT_FALSE(after == table || child->isAncestorOf(after));
    // Shift+Tab comes back to the table, then walks the filter and the resource tree, and
    // leaves the project's window again: no trap either way.
    QTest::keyClick(after, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), table);
    std::vector<QString> walked;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        walked.push_back(QApplication::focusWidget()->accessibleName());
    }
    EXPECT_EQ(walked[0], QStringLiteral("Filter"));
    EXPECT_EQ(walked[1], QStringLiteral("Resources"));
    EXPECT_FALSE(child->isAncestorOf(QApplication::focusWidget()));
    // Tab into the window starts at its first control.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->accessibleName(), QStringLiteral("Resources"));
}

TEST_F(WindowDetailsTest, ADialogPreviewDrawsAccessKeysAndDisabledControlsAndNamesControlsByText)
{
    open();
    child->chooseItem(lineOf("IDC_NAME"));
    frame->action(cmd::ViewDialog)->trigger();
    auto* preview = qobject_cast<CDynDlgView*>(frame->activePreview());
    ASSERT_NE(preview, nullptr);
    auto* name = qobject_cast<QLabel*>(preview->controlWidget(1));
    auto* fish = qobject_cast<QLabel*>(preview->controlWidget(2));
    auto* apply = preview->controlWidget(3);
    ASSERT_TRUE(name && fish && apply);
    EXPECT_EQ(name->text(), QStringLiteral("<u>N</u>ame:"));
    EXPECT_EQ(fish->text(), QStringLiteral("Fish &amp; Chips"));
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(preview->controlWidget(4)->isEnabled());
    EXPECT_EQ(name->accessibleName(), QStringLiteral("Name:"));
    EXPECT_EQ(apply->accessibleName(), QStringLiteral("Apply"));
    EXPECT_EQ(apply->accessibleDescription(), QStringLiteral("IDC_APPLY"));

    // The gauge speaks for the dialog's texts while its preview is in front.
    ASSERT_EQ(child->document().storeTranslation(lineOf("IDOK"), German, "OK"), OperationResult::Done);
    QApplication::processEvents();
    auto* gauge = frame->findChild<CGaugePane*>();
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->toolTip(), QStringLiteral("20% translated, 0% to review"));  // 1 of 5 dialog texts
}

TEST_F(WindowDetailsTest, AMenuPreviewShowsAcceleratorsApartAndItsFirstItemInTheBar)
{
    open();
    // Opened on the whole menu (from its node in the resource tree), not on an item.
    const std::optional<PreviewTarget> menu =
        previewTargetOf(child->document(), lineOf("ID_NEW"), ItemType::MenuItem);
    ASSERT_TRUE(menu);
    auto* preview = qobject_cast<CDynMenuView*>(frame->openPreview(child, {PreviewKind::Menu, menu->resourceLine, {}}));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(frame->translateForm()->shownLine(), preview->selectedLine());
    EXPECT_GE(preview->selectedLine(), 0);
    QTreeWidgetItem* item = preview->tree()->topLevelItem(0)->child(0);
    EXPECT_EQ(item->text(0), QStringLiteral("&New"));
    EXPECT_EQ(item->text(1), QStringLiteral("Ctrl+N"));
    EXPECT_EQ(item->data(0, Qt::AccessibleTextRole).toString(), QStringLiteral("New"));
}

TEST_F(WindowDetailsTest, ABitmapPreviewFollowsStoresAndLeadsBackToTheTextTable)
{
    open(test::kScript);
    frame->action(cmd::ShowBitmapResources);
    child->chooseItem(lineOf("IDB_LOGO"));
    frame->action(cmd::ViewBitmap)->trigger();
    auto* preview = qobject_cast<CDynBitmapView*>(frame->activePreview());
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(child->document().setExcluded(lineOf("IDB_LOGO"), false), OperationResult::Done);
    ASSERT_EQ(child->document().storeTranslation(lineOf("IDB_LOGO"), German, "logo-de.bmp"), OperationResult::Done);
    EXPECT_EQ(preview->file().filename(), "logo-de.bmp");

    frame->action(cmd::ShowInTextTable)->trigger();  // "String at Table"
    EXPECT_EQ(frame->activeChild(), child);
    EXPECT_EQ(frame->activePreview(), nullptr);
    EXPECT_EQ(child->chosenItem().lineIndex, lineOf("IDB_LOGO"));
}

TEST_F(WindowDetailsTest, FindOpensReadyToTypeAndRemembersItsDirectionAndReplaceItsOptions)
{
    open(test::kScript);
    SearchHistory searches, replacements;
    std::vector<std::string> where;
    CFindDlg find(CFindDlg::Mode::Find, {child, frame->translateForm(), feedback, searches, replacements, where, {}},
                  frame.get());
    find.show();
    QApplication::setActiveWindow(&find);
    QApplication::processEvents();
    EXPECT_TRUE(QApplication::focusWidget() == find.whatBox() || QApplication::focusWidget() == find.whatBox()->lineEdit());
    EXPECT_EQ(find.whereList()->item(0)->text(), QStringLiteral("\"Source\""));
    EXPECT_TRUE(find.directionDown());
    find.setDirectionDown(false);
    EXPECT_FALSE(find.directionDown());
    EXPECT_EQ(find.whatBox()->lineEdit()->accessibleName(), QStringLiteral("Find what"));
}

TEST_F(WindowDetailsTest, StatusPanesTellScreenReadersWhatTheyShow)
{
    open(test::kScript);
    child->chooseItem(lineOf("IDS_HELLO"));
    QApplication::processEvents();
    QLabel* row = pane(QStringLiteral("Row"));
    QLabel* language = pane(QStringLiteral("Current language"));
    ASSERT_TRUE(row && language);
    EXPECT_FALSE(row->text().isEmpty());
    EXPECT_EQ(row->accessibleDescription(), row->text());
    EXPECT_EQ(language->accessibleDescription(), QStringLiteral("German"));
    // The translation's texts and words by state follow each store.
    QLabel* statistics = pane(QStringLiteral("Statistics"));
    ASSERT_TRUE(statistics);
    // The counts are made in the background after opening: wait for them, as a reader would.
    const auto shows = [&](const QString& start) {
        return QTest::qWaitFor([&] { return statistics->text().startsWith(start); }, 5000);
    };
    EXPECT_TRUE(shows(QStringLiteral("Texts (words): translated 0 (0), flagged 0 (0), untranslated 8 (8)"))) << statistics->text().toStdString();
    ASSERT_TRUE(child->document().storeTranslation(lineOf("IDS_HELLO"), German, "Hallo Welt").done());
    EXPECT_TRUE(shows(QStringLiteral("Texts (words): translated 1 (1)"))) << statistics->text().toStdString();
    EXPECT_EQ(statistics->accessibleDescription(), statistics->text());
}

TEST_F(WindowDetailsTest, AFlaggedTranslationIsFoundAcceptedAndTheAcceptTakenBack)
{
    open(test::kScript);
    CQuillDoc& doc = child->document();
    {
        CQuillDoc::LongOperation import(doc);  // an import's text to be reviewed
        ASSERT_EQ(doc.storeTranslation(import, lineOf("IDS_BYE"), German, "Tschüss", true), OperationResult::Done);
    }
    child->chooseItem(lineOf("IDS_HELLO"));
    QApplication::processEvents();
    EXPECT_FALSE(frame->action(uicmd::AcceptSourceChange)->isEnabled());
    frame->action(uicmd::NextFlagged)->trigger();
    EXPECT_EQ(child->chosenItem().lineIndex, lineOf("IDS_BYE"));
    ASSERT_TRUE(frame->action(uicmd::AcceptSourceChange)->isEnabled());
    frame->action(uicmd::AcceptSourceChange)->trigger();
    EXPECT_FALSE(itemTexts(doc, lineOf("IDS_BYE"), German).flagged);
    frame->action(uicmd::Undo)->trigger();
    EXPECT_TRUE(itemTexts(doc, lineOf("IDS_BYE"), German).flagged);
    EXPECT_EQ(itemTexts(doc, lineOf("IDS_BYE"), German).translation, "Tschüss");
}

TEST_F(WindowDetailsTest, ChecksMarkTheCellListTheFindingAndLetItStand)
{
    open(test::kScript);
    CQuillDoc& doc = child->document();
    child->chooseItem(lineOf("IDS_HELLO"));
    ASSERT_TRUE(doc.storeTranslation(lineOf("IDS_HELLO"), German, "Hallo ").done());  // a blank the source lacks
    QApplication::processEvents();
    const QModelIndex cell = child->textList()->tableModel()->index(rowOfString(child, "IDS_HELLO"),
                                                                    doc.rows().columns().columnOfLanguage(German));
    EXPECT_EQ(cell.data(CTextTableModel::FindingsRole).toInt(), 1);
    EXPECT_TRUE(cell.data(Qt::ToolTipRole).toString().contains(QStringLiteral("[whitespace]")));
    EXPECT_TRUE(frame->translateForm()->findingsLine()->isVisibleTo(frame.get()));
    auto* checks = frame->findChild<CChecksView*>();
    ASSERT_NE(checks, nullptr);
    ASSERT_EQ(checks->list()->topLevelItemCount(), 1);
    EXPECT_EQ(checks->list()->topLevelItem(0)->text(1), QStringLiteral("IDS_HELLO"));
    checks->checkFilter()->setCurrentIndex(checks->checkFilter()->findData(QStringLiteral("placeholder")));
    EXPECT_EQ(checks->list()->topLevelItemCount(), 0);
    checks->checkFilter()->setCurrentIndex(0);
    checks->list()->setCurrentItem(checks->list()->topLevelItem(0));
    checks->letStand();
    EXPECT_EQ(checks->list()->topLevelItemCount(), 0);
    EXPECT_EQ(cell.data(CTextTableModel::FindingsRole).toInt(), 0);
    frame->action(uicmd::Undo)->trigger();
    // every text is checked again in the background
    EXPECT_TRUE(QTest::qWaitFor([&] { return checks->list()->topLevelItemCount() == 1; }, 5000));
    // A check the project switches off finds nothing more.
    ASSERT_TRUE(doc.setCheckEnabled("whitespace", false).done());
    EXPECT_EQ(checks->list()->topLevelItemCount(), 0);
}

TEST_F(WindowDetailsTest, TheMemoryOffersItsMatchesAndCtrlOnePutsTheBestIntoTheBoxUnstored)
{
    open(test::kScript);
    {
        SqliteMemory memory(dir / "memory.db");
        memory.add(std::vector<MemoryUnit>{{"Goodbye", "Auf Wiedersehen", sourceLanguageTag(child->document()),
                                            languageTag(German), "old.rc", "Stringtable String", "IDS_BYE", 1, false}});
    }
    child->chooseItem(lineOf("IDS_BYE"));
    QApplication::processEvents();
    auto* memoryView = frame->findChild<CMemoryView*>();
    ASSERT_NE(memoryView, nullptr);
    ASSERT_EQ(memoryView->list()->topLevelItemCount(), 1);
    EXPECT_TRUE(memoryView->suggestions()[0].exact);
    memoryView->takeMatch(0);
    EXPECT_EQ(frame->translateForm()->translationEdit()->toPlainText(), QStringLiteral("Auf Wiedersehen"));
    EXPECT_TRUE(frame->translateForm()->isEdited());
    EXPECT_TRUE(itemTexts(child->document(), lineOf("IDS_BYE"), German).translation.empty());  // not stored
}

// A team's memory on a server is looked up away from the window's thread: the panel says it is
// looking, the answer fills it, and the answer for an item the translator has already left is
// never shown.
TEST_F(WindowDetailsTest, ASharedMemoryAnswersOffTheWindowThreadAndOnlyForTheItemStillChosen)
{
    std::string why;
    test::PostgresServer* server = test::PostgresServer::shared(why);
    if (!server)
        GTEST_SKIP() << why;
    const std::string location = server->newDatabase();
    frame.reset();
    settings->profile().writeString(ini::TranslationMemory, ini::MemoryLocation, location);
    frame = std::make_unique<CMainFrame>(*settings, feedback, std::vector<std::string>{"DLG"});
    open(test::kScript);
    {
        PostgresMemory memory(location);
        const std::string source = sourceLanguageTag(child->document());
        memory.add({{"Hello", "Hallo", source, languageTag(German), "old.rc", "Stringtable String", "IDS_HELLO", 1, false},
                    {"Goodbye", "Auf Wiedersehen", source, languageTag(German), "old.rc", "Stringtable String",
                     "IDS_BYE", 1, false}});
    }
    auto* memoryView = frame->findChild<CMemoryView*>();
    ASSERT_NE(memoryView, nullptr);
    child->chooseItem(lineOf("IDS_HELLO"));
    child->chooseItem(lineOf("IDS_BYE"));  // before the first answer is in
    auto* lookup = memoryView->findChild<CMemoryLookup*>();
    ASSERT_NE(lookup, nullptr);
    QSignalSpy answers(lookup, &CMemoryLookup::found);
    EXPECT_EQ(memoryView->list()->topLevelItemCount(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return memoryView->list()->topLevelItemCount() == 1; }, 10000));
    QTest::qWait(200);  // room for an answer that should never come
    ASSERT_EQ(answers.count(), 1);
    ASSERT_EQ(memoryView->suggestions().size(), 1u);
    EXPECT_EQ(memoryView->suggestions()[0].translation, "Auf Wiedersehen");
    memoryView->takeMatch(0);
    EXPECT_EQ(frame->translateForm()->translationEdit()->toPlainText(), QStringLiteral("Auf Wiedersehen"));
}

TEST(GaugePane, FlaggedTextsAreShownBesideTheTranslatedOnesNotInsideThem)
{
    int argc = 1;
    char name[] = "qmk32";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    CGaugePane gauge;
    gauge.setFigures(25, 62);
    EXPECT_EQ(gauge.toolTip(), QStringLiteral("25% translated, 62% to review"));
    gauge.setFigures(60, 62);  // never more than the whole
    EXPECT_EQ(gauge.toolTip(), QStringLiteral("60% translated, 40% to review"));
}

TEST(SpecialCharacters, ReturnChoosesTheCharacterWhoseButtonHasTheFocus)
{
    int argc = 1;
    char name[] = "qmk32";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    CSpecialCharsDlg dialog({"\xC3\xA4", "\xC3\xB6"});
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QList<QAbstractButton*> buttons = dialog.findChildren<QAbstractButton*>();
    QAbstractButton* second = nullptr;
    for (QAbstractButton* button : buttons)
        if (button->text() == QStringLiteral("\u00F6"))
            second = button;
    ASSERT_NE(second, nullptr);
    second->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosen(), QStringLiteral("\u00F6"));
}

} // namespace qmk
