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

#include "app/OpenProjects.h"
#include "database/ProjectRows.h"
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
class CGaugePane;
class CMessageBoxFeedback;
class CRowListView;
class CTranslDlgView;
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
    CPreviewView* activePreview() const;
    std::vector<CPreviewView*> previews() const;

    // Files dropped on the window: each local file opens as a project.
    void openDropped(const QList<QUrl>& urls);

    // F5: marks every open project whose script changed and names them in one message.
    void refreshStatus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void createToolBars();
    void createDocks();
    void createStatusBar();
    void connectCommands();
    void restoreLayout();
    void saveLayout();

    void openWithDialog();
    void save();
    void updateDatabase();
    void showChangedSourceText();
    void showHelp();
    void showAbout();
    void rememberOpened(const std::filesystem::path& path);
    void fillRecentMenu();
    void newTranslation();
    void fillSettingsMenu();
    void translationSettings(std::optional<LanguageId> language);
    void deleteTranslation();
    void editVersionBlockHeader();
    void undoOrRedo(bool undo);
    void openFindDialog(bool replace);
    void repeatFind();
    void importText();
    void exportForPlatforms();
    void bookmark();
    void goToBookmark(CChildFrame* child, const BookmarkRow& bookmark);
    void closePreviewsOf(CChildFrame* child);
    CChildFrame* childOf(const CQuillDoc& doc) const;
    void previewChose(CPreviewView* preview, int lineIndex);
    void afterOpen(CChildFrame* child);

    // The active project changed, or something its panes show: menus, checks, panes.
    void updateCommandStates();
    void updatePanes();
    // The gauge over the active preview's own items, when a dialog or menu preview is active.
    std::optional<GaugeFigures> previewGauge(CQuillDoc& doc, LanguageId language);
    void updateWindowTitle();
    void fillLanguageList();

    Settings& settings_;
    CMessageBoxFeedback& feedback_;
    std::vector<std::string> includeExtensions_;
    CommandActions actions_;
    QMdiArea* area_;
    CRowListView* projectFiles_ = nullptr;
    CTranslDlgView* translateForm_ = nullptr;
    QDockWidget* translateBar_ = nullptr;
    QComboBox* languageList_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    QLabel* languagePane_ = nullptr;
    CGaugePane* gaugePane_ = nullptr;
    QLabel* rowPane_ = nullptr;
    QLabel* typePane_ = nullptr;
    bool unfitShown_ = false;  // the status bar shows the active dialog preview's unfit count
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
