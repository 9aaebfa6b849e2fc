// The main window on a small project: opening builds the project and shows its texts, the
// display switches and Exclude change the rows without losing the selection, Next Item finds
// the next untranslated text, a second open only activates, a changed script is updated on
// request, and closing a modified project offers to write its translated scripts.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <fstream>

#include "app/Settings.h"
#include "common/TempDir.h"
#include "project/CQuillDoc.h"
#include "resources/CommandIds.h"
#include "resources/MessageIds.h"
#include "ui/CChildFrame.h"
#include "ui/CMainFrame.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CTextListView.h"
#include "ui/CTextTableModel.h"
#include "ui/CTranslDlgView.h"
#include "WindowFixture.h"

namespace qmk {

using test::German;
using test::kScript;
using MainFrameTest = test::WindowFixture;

TEST_F(MainFrameTest, OpeningAScriptBuildsItsProjectAndShowsOneRowPerText)
{
    CChildFrame* child = openApp();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(feedback.wasAsked(msg::BuildDatabaseFirst));
    CTextTableModel* model = child->textList()->tableModel();
    EXPECT_EQ(model->rowCount(), child->document().rows().rowCount());
    // Caption, two controls, the bitmap, three strings, popup and item.
    EXPECT_EQ(model->rowCount(), 9);
    const int hello = rowOfString(child, "IDS_HELLO");
    ASSERT_GE(hello, 0);
    EXPECT_EQ(model->index(hello, TextTableColumns::SourceColumn).data().toString(), QStringLiteral("Hello"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Quillmark - app.rc"));
    // The same project by its database only comes forward.
    EXPECT_EQ(frame->openDocument(dir / "app_rc.mdb"), child);
    EXPECT_EQ(frame->children().size(), 1u);
}

TEST_F(MainFrameTest, DisplaySwitchesAndExcludeChangeRowsAndKeepTheSelection)
{
    CChildFrame* child = openApp();
    ASSERT_NE(child, nullptr);
    CTextListView* table = child->textList();
    CTextTableModel* model = table->tableModel();
    const int rows = model->rowCount();
    table->selectRow(rowOfString(child, "IDS_BYE"));
    const int byeLine = child->document().rows().item(table->selectedRow()).lineIndex;

    trigger(cmd::ShowBitmapResources);
    EXPECT_FALSE(frame->action(cmd::ShowBitmapResources)->isChecked());
    EXPECT_EQ(model->rowCount(), rows - 1);
    EXPECT_EQ(child->document().rows().item(table->selectedRow()).lineIndex, byeLine);
    trigger(cmd::ShowBitmapResources);
    EXPECT_EQ(model->rowCount(), rows);
    EXPECT_EQ(child->document().rows().item(0).itemType, ItemType::BitmapFile);  // back at the top
    EXPECT_EQ(child->document().rows().item(table->selectedRow()).lineIndex, byeLine);

    trigger(cmd::ShowExcludedText);  // the bitmap's file name starts out excluded: it goes
    EXPECT_EQ(model->rowCount(), rows - 1);
    trigger(cmd::ExcludeItem);  // excluded text hidden: an exclude still keeps the row
    EXPECT_EQ(model->rowCount(), rows - 1);
    EXPECT_TRUE(model->index(table->selectedRow(), 1).data(CTextTableModel::ExcludedRole).toBool());
    EXPECT_TRUE(frame->action(cmd::ExcludeItem)->isChecked());
}

TEST_F(MainFrameTest, NextItemSkipsTranslatedTextsAndWraps)
{
    CChildFrame* child = openApp();
    ASSERT_NE(child, nullptr);
    CQuillDoc& doc = child->document();
    ASSERT_TRUE(doc.NewTranslation(German, "app-German.rc"));
    QApplication::processEvents();
    CTextListView* table = child->textList();
    ASSERT_EQ(table->currentLanguage(), German);
    EXPECT_EQ(frame->languageList()->currentText(), QStringLiteral("German"));
    const int hello = rowOfString(child, "IDS_HELLO");
    ASSERT_EQ(doc.storeTranslation(doc.rows().item(hello + 1).lineIndex, German, "Auf Wiedersehen"),
              OperationResult::Done);
    table->selectRow(hello);
    trigger(cmd::NextItem);
    EXPECT_EQ(table->selectedRow(), hello + 2);

    // Every text translated: the next row, wrapping from the last to the first.
    for (int row = 0; row < doc.rows().rowCount(); ++row)
        ASSERT_EQ(doc.storeTranslation(doc.rows().item(row).lineIndex, German, "x"), OperationResult::Done);
    table->selectRow(doc.rows().rowCount() - 1);
    trigger(cmd::NextItem);
    EXPECT_EQ(table->selectedRow(), 0);
}

TEST_F(MainFrameTest, AChangedScriptIsUpdatedOnRequestAndClosingOffersToWriteTheTranslations)
{
    CChildFrame* child = openApp();
    ASSERT_NE(child, nullptr);
    CQuillDoc& doc = child->document();
    ASSERT_TRUE(doc.NewTranslation(German, "app-German.rc"));
    const int hello = rowOfString(child, "IDS_HELLO");
    ASSERT_EQ(doc.storeTranslation(doc.rows().item(hello).lineIndex, German, "Hallo"), OperationResult::Done);
    EXPECT_TRUE(child->windowTitle().endsWith(QStringLiteral("*")));
    trigger(uicmd::Close);
    QApplication::processEvents();
    EXPECT_TRUE(feedback.wasAsked(msg::WriteTranslatedFilesQuestion));
    EXPECT_TRUE(std::filesystem::exists(dir / "app-German.rc"));
    EXPECT_TRUE(frame->children().empty());

    // The script changes; opening it again asks to update, and the translation stays.
    std::ofstream(script, std::ios::app) << "STRINGTABLE\nBEGIN\n    IDS_NEW \"New\"\nEND\n";
    const std::time_t later = std::time(nullptr) + 120;
    struct timespec times[2] = {{later, 0}, {later, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, script.c_str(), times, 0), 0);
    feedback.asked.clear();
    child = openApp();
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(feedback.wasAsked(msg::UpdateDatabaseNow));
    EXPECT_GE(rowOfString(child, "IDS_NEW"), 0);
    const int helloAgain = rowOfString(child, "IDS_HELLO");
    const int column = child->document().rows().columns().columnOfLanguage(German);
    EXPECT_EQ(child->textList()->tableModel()->index(helloAgain, column).data().toString(), QStringLiteral("Hallo"));
}

TEST_F(MainFrameTest, BadInputIsReportedAndTheWindowStaysUsable)
{
    // A statement the reader cannot take, a damaged database, a folder, a missing file.
    const auto broken = dir.write("broken.rc", "IDD_X DIALOG 0, 0, 10\nBEGIN\n    LTEXT \"unterminated\nEND\n");
    const auto damaged = dir.write("damaged_rc.mdb", "SQLite format 3 but not really");
    std::filesystem::create_directories(dir / "folder.rc");
    for (const std::filesystem::path& path : {broken, damaged, dir / "folder.rc", dir / "missing.rc"}) {
        feedback.texts.clear();
        feedback.said.clear();
        EXPECT_EQ(frame->openDocument(path), nullptr) << path;
        EXPECT_FALSE(feedback.texts.empty() && feedback.said.empty()) << path;
    }
    EXPECT_TRUE(frame->children().empty());
    EXPECT_NE(openApp(), nullptr);  // and the next open works
}

TEST_F(MainFrameTest, EveryControlThatTakesTheFocusHasAnAccessibleName)
{
    ASSERT_NE(openApp(), nullptr);
    frame->show();
    QApplication::processEvents();
    int checked = 0;
    const std::vector<std::string> unnamed = test::unnamedControls(frame.get(), checked);
    EXPECT_GT(checked, 5);  // the table, the tree, the language list, the project files, ...
    EXPECT_TRUE(unnamed.empty()) << ::testing::PrintToString(unnamed);
}

} // namespace qmk

namespace qmk {

TEST_F(MainFrameTest, AWindowDestroyedWithProjectsOpenTakesThemDownQuietly)
{
    ASSERT_NE(openApp(), nullptr);
    frame->show();
    QApplication::processEvents();
    frame.reset();  // without closing first: no project window may call back into a half-gone frame
    frame = std::make_unique<CMainFrame>(*settings, feedback, std::vector<std::string>{"DLG"});
    EXPECT_NE(openApp(), nullptr);  // and its database was released
}

} // namespace qmk


namespace qmk {

TEST_F(MainFrameTest, RefreshStatusNamesChangedScriptsAndADroppedScriptOpens)
{
    // A project file dropped on the window opens in it; what is not a local file is passed over.
    frame->openDropped({QUrl(QStringLiteral("https://example.org/app.rc")),
                        QUrl::fromLocalFile(QString::fromStdString(script.string()))});
    ASSERT_EQ(frame->children().size(), 1u);
    CChildFrame* child = frame->children().front();
    const QString title = child->windowTitle();

    frame->action(cmd::RefreshStatus)->trigger();  // nothing changed: nothing said
    EXPECT_TRUE(feedback.said.empty());
    std::ofstream(script, std::ios::app) << "// edited\n";
    frame->action(cmd::RefreshStatus)->trigger();
    EXPECT_EQ(feedback.said, (std::vector<int>{msg::SourceFilesChanged}));
    EXPECT_NE(child->windowTitle(), title);  // the title carries the changed mark
    frame->action(cmd::RefreshStatus)->trigger();  // already marked: not tested or said again
    EXPECT_EQ(feedback.said.size(), 1u);
}

} // namespace qmk

#include <QMenu>
#include <QMenuBar>

namespace qmk {

TEST_F(MainFrameTest, EachMenuGivesEveryMnemonicOnce)
{
    ASSERT_NE(openApp(), nullptr);
    std::vector<std::string> clashes;
    auto mnemonic = [](const QString& text) {
        const int at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
    };
    std::vector<QMenu*> menus;
    std::map<QChar, QString> titles;  // the menu bar's own mnemonics
    for (QAction* top : frame->menuBar()->actions()) {
        if (top->menu())
            menus.push_back(top->menu());
        if (auto [it, fresh] = titles.emplace(mnemonic(top->text()), top->text()); !fresh)
            clashes.push_back(("menu bar: " + it->second + " / " + top->text()).toStdString());
    }
    for (std::size_t i = 0; i < menus.size(); ++i) {
        std::map<QChar, QString> seen;
        for (QAction* entry : menus[i]->actions()) {
            if (entry->menu())
                menus.push_back(entry->menu());
            const QChar key = mnemonic(entry->text());
            // Entries that are never enabled ("&Options...", "Resource &Editor...") cannot be chosen.
            if (key.isNull() || entry->isSeparator() || !entry->isEnabled())
                continue;
            if (auto [it, fresh] = seen.emplace(key, entry->text()); !fresh)
                clashes.push_back((menus[i]->title() + ": " + it->second + " / " + entry->text()).toStdString());
        }
    }
    EXPECT_TRUE(clashes.empty()) << ::testing::PrintToString(clashes);
}

} // namespace qmk

namespace qmk {

TEST_F(MainFrameTest, AReloadOfTheRowsKeepsTheSelectedText)
{
    CChildFrame* child = openApp();
    ASSERT_NE(child, nullptr);
    const int bye = rowOfString(child, "IDS_BYE");
    ASSERT_EQ(child->textList()->selectRow(bye), bye);
    ASSERT_TRUE(child->document().reloadRows().done());  // as after an import or a new translation
    EXPECT_EQ(child->textList()->selectedRow(), rowOfString(child, "IDS_BYE"));
    ASSERT_TRUE(child->document().NewTranslation(test::German, "app-German.rc"));  // reloads too
    EXPECT_EQ(child->textList()->selectedRow(), rowOfString(child, "IDS_BYE"));
    EXPECT_EQ(frame->translateForm()->sourceEdit()->toPlainText(), QStringLiteral("Goodbye"));
}

} // namespace qmk
