// The main window: open projects in a tabbed (or windowed) area, the menus and toolbars built
// from the command table, the "Language" toolbar, the "Project Files" and "Translate" bars and
// the status panes of the active project.
#pragma once

#include <QFont>
#include <QList>
#include <QMainWindow>
#include <QUrl>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MemoryFeeds.h"
#include "app/OpenProjects.h"
#include "database/ProjectRows.h"
#include "project/CommandRules.h"
#include "project/ItemNavigation.h"
#include "project/PreviewTarget.h"
#include "project/TextSearch.h"
#include "project/TextTableRows.h"
#include "ui/CommandTable.h"

class QComboBox;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
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
    QAction* action(int id) const { return actions_.action(id); }
    CRowListView* projectFiles() const { return projectFiles_; }
    CTranslDlgView* translateForm() const { return translateForm_; }
    QComboBox* languageList() const { return languageList_; }

    // The font of the project windows' tree and table.
    void setProjectFont(const QFont& font) { projectFont_ = font; }

    // Opens (or brings forward, in the requested language) the preview of a dialog, menu or
    // bitmap of a project; `item` is selected in it when given.
    CPreviewView* openPreview(CChildFrame* child, const PreviewTarget& target);
    // The preview of the chosen item of the active project (command 32950, 32951 or 32958).
    CPreviewView* previewChosenItem(int command);
    // "String at Table": the preview's item chosen in its project, whose window comes forward.
    void showInTextTable(CPreviewView* preview);
    // A finding's item chosen in the active project, its window forward, the table focused.
    void goToFinding(int lineIndex);
    // The translation memory's settings as stored now put in force.
    void applyMemorySettings();
    CPreviewView* activePreview() const;
    std::vector<CPreviewView*> previews() const;

    // Files dropped on the window: each local file opens as a project.
    void openDropped(const QList<QUrl>& urls);

    // The commands of the command table (CMainFrameCommands.cpp), each on the active project,
    // its chosen item or the preview in front.
    void openWithDialog();
    void closeActiveWindow();
    void save();
    void openSelectedProjectFile();
    void removeSelectedProjectFile();
    void openFindDialog(bool replace);
    void repeatFind();
    void focusFilter();
    void undoOrRedo(bool undo);
    void editVersionBlockHeader();
    void toggleExclude();
    // The chosen item's translation still says what its changed source says: the flag goes.
    void acceptSourceChange();
    void pseudoTranslate();
    void preTranslate();
    void importTmxIntoMemory();
    void exportMemoryAsTmx();
    void showStatistics();
    void removeMarks();
    void stepItem(bool forward);
    // The next or previous untranslated or flagged text of the current translation.
    void goToItem(bool forward, WantedItem wanted);
    void showTranslationBar();
    void bookmark();
    // The chosen text bookmarked at once under its identifier; the next or previous bookmark
    // of the Text Table in table order.
    void setBookmark();
    void stepBookmark(bool forward);
    // A panel forward with the focus in it, or hidden when it has the focus already.
    void togglePanel(int command);
    // The next or previous project or preview window, from wherever the focus is.
    void stepWindow(bool forward);
    void toggleSwitch(ProjectSwitch which);
    // The preview in front shows the source texts, or the translation the language list names.
    void showPreviewIn(bool translated);
    void updateDatabase();
    // F5: marks every open project whose script changed and names them in one message.
    void refreshStatus();
    void showChangedSourceText();
    void newTranslation();
    void deleteTranslation();
    void applicationSettings();
    void toolbarSettings();
    void exportToWorkbook();
    void exportToDatabase();
    void importText();
    void exportForPlatforms();
    void setTabbed();
    void showHelp();
    void showAbout();

    // True while work after an opening (checks, word counts, the memory's feed) goes on.
    bool backgroundWorkRunning() const;
    CBackgroundWork* backgroundWork() const { return background_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void createToolBars();
    void createDocks();
    QDockWidget* panelOf(int command) const;
    void fillWindowMenu();
    // The project panels follow the active project.
    void bindPanels(CChildFrame* child);
    TranslationMemory* memoryForCommand();
    void createStatusBar();
    void connectCommands();
    void restoreLayout();
    void saveLayout();

    void rememberOpened(const std::filesystem::path& path);
    void fillRecentMenu();
    void fillSettingsMenu();
    void translationSettings(std::optional<LanguageId> language);
    void goToBookmark(CChildFrame* child, const BookmarkRow& bookmark);
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
    void distinguishTitles();
    void keepTabsOutOfTheTabOrder();

    // The active project changed, or something its panes show: menus, checks, panes.
    CommandState commandState() const;
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
    QMdiArea* area_;
    CRowListView* projectFiles_ = nullptr;
    CBackgroundWork* background_ = nullptr;
    CTranslDlgView* translateForm_ = nullptr;
    CChecksView* checksView_ = nullptr;
    CMemoryView* memoryView_ = nullptr;
    QDockWidget* translateBar_ = nullptr;
    QDockWidget* memoryBar_ = nullptr;
    QDockWidget* checksBar_ = nullptr;
    QDockWidget* projectFilesBar_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QComboBox* languageList_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    std::unique_ptr<CStatusPanes> panes_;
    OpenProjects open_;
    std::map<CChildFrame*, int> handles_;
    CChildFrame* lastChild_ = nullptr;  // the project of the previews in front
    RecentFiles recent_;
    QFont projectFont_;
    SearchHistory searches_;
    SearchHistory replacements_;
    std::vector<std::string> findWhere_;
    std::vector<std::string> replaceWhere_;
    struct ReplaceOptions {
        bool matchCase = false;
        bool wholeWord = false;
    } replaceOptions_;
    QStringList exportColumns_;  // the workbook column entries chosen last in this run
};

} // namespace qmk
