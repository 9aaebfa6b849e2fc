// The command table is the one place a command is declared: every row is whole (text, status,
// placement, handler; the menus' mnemonics are MainFrameTest's), no two rows share an id or a key, and the window's menus and Edit toolbar
// show exactly what the rows place there, in their groups.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <map>
#include <set>

#include "WindowFixture.h"
#include "resources/CommandIds.h"
#include "ui/CommandTable.h"
#include "ui/commands/CommandMenus.h"

namespace qmk {
namespace {

using CommandTableTest = test::WindowFixture;

// The commands a menu or bar shows, by id, with 0 for each separator.
std::vector<int> shownIds(const QWidget& widget)
{
    std::vector<int> ids;
    for (QAction* entry : widget.actions())
        if (entry->isSeparator())
            ids.push_back(0);
        else if (!entry->menu() && entry->data().isValid())
            ids.push_back(entry->data().toInt());
    return ids;
}

QMenu* menuTitled(QWidget& parent, const char* title)
{
    for (QMenu* menu : parent.findChildren<QMenu*>())
        if (menu->title() == QString::fromUtf8(title))
            return menu;
    return nullptr;
}

TEST_F(CommandTableTest, EveryRowIsAWholeCommandWithItsOwnIdAndKeys)
{
    // Rows without a handler are the ones the program never enables.
    const std::set<int> neverEnabled = {cmd::FileOptions, cmd::ResourceEditor};
    std::set<int> ids;
    std::map<QString, int> keys;
    for (const CommandEntry& entry : commandTable()) {
        SCOPED_TRACE(entry.text);
        EXPECT_TRUE(ids.insert(entry.id).second) << "id used twice: " << entry.id;
        EXPECT_STRNE(entry.text, "");
        EXPECT_STRNE(entry.status, "");
        EXPECT_NE(entry.place.menu, Menu::None) << "offered nowhere";
        EXPECT_GT(entry.place.group, 0);
        EXPECT_EQ(entry.run == nullptr, neverEnabled.count(entry.id) == 1);
        EXPECT_EQ(commandEntry(entry.id), &entry);
        for (const QKeySequence& key : {entry.shortcut, entry.alternate}) {
            if (key.isEmpty())
                continue;
            const auto [it, fresh] = keys.emplace(key.toString(), entry.id);
            EXPECT_TRUE(fresh) << key.toString().toStdString() << " also runs " << it->second;
        }
    }
    EXPECT_EQ(commandEntry(-1), nullptr);
}

TEST_F(CommandTableTest, GroupsOfAMenuAreSeparatedInTheTablesOrder)
{
    EXPECT_EQ(commandsIn(Menu::Window), (std::vector<int>{uicmd::NextWindow, uicmd::PreviousWindow}));
    EXPECT_EQ(commandsIn(Menu::Help), (std::vector<int>{uicmd::HelpTopics, 0, uicmd::About}));
    EXPECT_EQ(commandsIn(Menu::Search), (std::vector<int>{cmd::Find, cmd::FindNext, cmd::Replace, uicmd::FilterRows, 0,
                                                           cmd::Bookmark, uicmd::SetBookmark, uicmd::NextBookmark,
                                                           uicmd::PreviousBookmark}));
}

TEST_F(CommandTableTest, TheWindowsMenusAndToolbarShowWhatTheRowsPlace)
{
    // Each placed command appears once; the Window menu is filled when it opens.
    std::map<int, int> shown;
    for (QMenu* menu : frame->menuBar()->findChildren<QMenu*>())
        if (menu != frame->findChild<QMenu*>(QStringLiteral("windowMenu")))
            for (int id : shownIds(*menu))
                if (commandEntry(id))
                    ++shown[id];
    for (int id : commandsIn(Menu::Window))
        ++shown[id];
    for (const CommandEntry& entry : commandTable())
        EXPECT_EQ(shown[entry.id], 1) << entry.text;

    // A submenu leads its group; bars' own switches sit between the commands' groups.
    QMenu* file = menuTitled(*frame->menuBar(), "&File");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(shownIds(*file), (std::vector<int>{uicmd::Open, uicmd::Close, cmd::Save, 0, cmd::FileOptions, 0,
                                                  uicmd::ExportPictures, 0, uicmd::Exit}));
    EXPECT_EQ(file->actions().at(4)->menu(), menuTitled(*frame->menuBar(), "Project File List"));
    QMenu* view = frame->findChild<QMenu*>(QStringLiteral("viewMenu"));
    ASSERT_NE(view, nullptr);
    const QList<QAction*> entries = view->actions();
    auto* languageBar = frame->findChild<QToolBar*>(QStringLiteral("languageToolBar"));
    const auto at = std::find(entries.begin(), entries.end(), languageBar->toggleViewAction());
    ASSERT_NE(at, entries.end());
    EXPECT_TRUE((*(at + 1))->isSeparator());
    EXPECT_EQ(*(at + 2), frame->action(uicmd::ViewTranslateBar));

    auto* edit = frame->findChild<QToolBar*>(QStringLiteral("editToolBar"));
    EXPECT_EQ(shownIds(*edit), (std::vector<int>{uicmd::Open, cmd::Save, 0, cmd::NextItem, cmd::UpdateDatabase, 0,
                                                  uicmd::HelpTopics}));
}

} // namespace
} // namespace qmk
