// The main window: open projects in a tabbed (or windowed) area, the menus and toolbars built
// from the command table, the "Language" toolbar, the "Project Files" and "Translate" bars and
// the status panes of the active project.
#pragma once

#include <QFont>
#include <QMainWindow>
#include <QUrl>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/MemoryFeeds.h"
#include "app/OpenProjects.h"
#include "project/CommandRules.h"
#include "project/PreviewTarget.h"
#include "ui/CommandTable.h"

class QComboBox;
class QDockWidget;
class QMdiArea;
class QMenu;

namespace qmk {

class CChildFrame;
class CQuillDoc;
class CBackgroundWork;
class CStatusPanes;
class CMessageBoxFeedback;
class CRowListView;
class CTranslDlgView;
class CChecksView;
class CMemoryView;
class CGlossaryView;
class CPreviewView;
class Settings;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(Settings& settings, CMessageBoxFeedback& feedback, std::vector<std::string> includeExtensions);
    ~CMainFrame() override;

    // Opens a script or project database in its own window; a project already open is only
    // brought forward (with a beep). Null when it could not be opened (reported).
    CChildFrame* openDocument(const std::filesystem::path& path);
    // The project window that is active, or the project of the active preview.
    CChildFrame* activeChild() const;
    std::vector<CChildFrame*> children() const;
    CPreviewView* activePreview() const;
    std::vector<CPreviewView*> previews() const;
    // Opens (or brings forward, in the requested language) the preview of a dialog, menu or
    // bitmap of a project; `item` is selected in it when given.
    CPreviewView* openPreview(CChildFrame* child, const PreviewTarget& target);
    // The action of a command: triggering it runs the command as the menu or its key would.
    QAction* action(int id) const { return actions_.action(id); }
    CTranslDlgView* translateForm() const { return translateForm_; }
    QComboBox* languageList() const { return languageList_; }
    // The font of the project windows' tree and table.
    void setProjectFont(const QFont& font) { projectFont_ = font; }
    // Files dropped on the window: each local file opens as a project.
    void openDropped(const QList<QUrl>& urls);
    // The translation memory's settings as stored now put in force.
    void applyMemorySettings();
    // True while work after an opening (checks, word counts, the memory's feed) goes on.
    bool backgroundWorkRunning() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class Context;
    // Runs a command's handler, then shows the window's new state.
    void run(int id);
    void createMenus();
    void createToolBars();
    void createDocks();
    QDockWidget* panelOf(int command) const;
    // The project panels follow the active project.
    void bindPanels(CChildFrame* child);
    void createStatusBar();
    void connectCommands();
    void restoreLayout();
    void saveLayout();

    void closePreviewsOf(CChildFrame* child);
    CChildFrame* childOf(const CQuillDoc& doc) const;
    void previewChose(CPreviewView* preview, int lineIndex);
    // After a jump to a text: the caret at the end of its translation.
    void landInTranslationBox();
    void afterOpen(CChildFrame* child);
    // The project's first check, its word counts and the memory's feed, in slices.
    void startBackgroundWork(CChildFrame* child);
    // Feeds the memory from the project in the background (again after the memory changed).
    void feedMemory(CChildFrame* child);

    // The active project changed, or something its panes show: menus, checks, panes.
    void updateCommandStates();
    void updatePanes();
    void updateWindowTitle();
    void fillLanguageList();

    Settings& settings_;
    // Every project open here feeds the translation memory the settings name.
    MemoryFeeds memoryFeeds_{settings_.memorySettings()};
    CMessageBoxFeedback& feedback_;
    std::vector<std::string> includeExtensions_;
    CommandActions actions_;
    std::unique_ptr<Context> context_;
    std::map<Menu, QMenu*> menus_;
    QMdiArea* area_;
    CRowListView* projectFiles_ = nullptr;
    CBackgroundWork* background_ = nullptr;
    CTranslDlgView* translateForm_ = nullptr;
    CChecksView* checksView_ = nullptr;
    CMemoryView* memoryView_ = nullptr;
    CGlossaryView* glossaryView_ = nullptr;
    QDockWidget* translateBar_ = nullptr;
    QDockWidget* memoryBar_ = nullptr;
    QDockWidget* glossaryBar_ = nullptr;
    QDockWidget* checksBar_ = nullptr;
    QDockWidget* projectFilesBar_ = nullptr;
    QComboBox* languageList_ = nullptr;
    std::unique_ptr<CStatusPanes> panes_;
    OpenProjects open_;
    std::map<CChildFrame*, int> handles_;
    CChildFrame* lastChild_ = nullptr;  // the project of the previews in front
    QFont projectFont_;
};

} // namespace qmk
