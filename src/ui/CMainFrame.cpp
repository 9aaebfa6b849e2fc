// The main window.
#include "ui/CMainFrame.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "app/IncludeExtensions.h"
#include "app/LanguageParameter.h"
#include "app/ProfileFile.h"
#include "app/ProjectFileList.h"
#include "app/SearchHistoryFile.h"
#include "app/Settings.h"
#include "database/DaoException.h"
#include "project/ChosenItem.h"
#include "project/CQuillDoc.h"
#include "project/ItemTypes.h"
#include "project/PreviewTarget.h"
#include "project/ProjectCopy.h"
#include "project/SpellCheck.h"
#include "project/TextCodec.h"
#include "resources/CommandIds.h"
#include "resources/FileNames.h"
#include "resources/MenuTexts.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"
#include "resources/UiTexts.h"
#include "ui/CAppSettingsSheet.h"
#include "ui/CBlockHeaderDlg.h"
#include "ui/CBookmarkDlg.h"
#include "ui/CChildFrame.h"
#include "ui/CDeleteTranslationDlg.h"
#include "ui/CDynBitmapView.h"
#include "ui/CDynDlgView.h"
#include "ui/CDynMenuView.h"
#include "ui/CFindDlg.h"
#include "ui/ExchangeCommands.h"
#include "ui/CGaugePane.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CNewTranslationDlg.h"
#include "ui/CResTreeView.h"
#include "ui/CRowListView.h"
#include "ui/CSourceTextDialog.h"
#include "ui/CTextListView.h"
#include "ui/CToolbarSettingsSheet.h"
#include "ui/CTranslDlgView.h"
#include "ui/CTranslationSettingsSheet.h"
#include "ui/FontCheck.h"
#include "writer/TranslatedScripts.h"

namespace qmk {
namespace {

constexpr char kLayoutSection[] = "Window";
constexpr char kRecentSection[] = "Recent File List";

QString qs(const char* text) { return QString::fromUtf8(text); }

struct SwitchCommand {
    int id;
    ProjectSwitch which;
};

constexpr SwitchCommand kSwitchCommands[] = {
    {cmd::ShowDialogResources, ProjectSwitch::DialogEdit},
    {cmd::ShowMenuResources, ProjectSwitch::MenuEdit},
    {cmd::ShowStringtableResources, ProjectSwitch::StringtableEdit},
    {cmd::ShowVersionInfoResources, ProjectSwitch::VersionEdit},
    {cmd::ShowBitmapResources, ProjectSwitch::BitmapEdit},
    {cmd::ShowFileIncludes, ProjectSwitch::IncludeEdit},
    {cmd::ShowExcludedText, ProjectSwitch::ExcludeEdit},
};

// Commands that need an open project.
constexpr int kProjectCommands[] = {
    cmd::Save,         uicmd::Close,         cmd::UpdateDatabase, cmd::NewTranslation, cmd::DeleteTranslation,
    cmd::RemoveMarks,  cmd::NextItem,        cmd::Translate,
};

// Where copies of projects the user cannot write are made: a folder of their documents.
std::filesystem::path userProjectsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return {};
    return std::filesystem::path(documents.toStdString()) / "Quillmark";
}

QLabel* makePane(int widthPixels, const QString& name, QWidget* parent)
{
    auto* pane = new QLabel(parent);
    pane->setMinimumWidth(widthPixels * parent->logicalDpiX() / 96);
    pane->setAccessibleName(name);
    return pane;
}

} // namespace

CMainFrame::CMainFrame(Settings& settings, CMessageBoxFeedback& feedback, std::vector<std::string> includeExtensions)
    : settings_(settings), feedback_(feedback), includeExtensions_(std::move(includeExtensions)), actions_(this),
      area_(new QMdiArea(this))
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QApplication::applicationName());
    setWindowIcon(QIcon::fromTheme(QStringLiteral("accessories-dictionary"),
                                   style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    setAcceptDrops(true);
    area_->setViewMode(QMdiArea::TabbedView);
    area_->setTabsClosable(true);
    area_->setTabsMovable(true);
    area_->setDocumentMode(true);
    area_->setAccessibleName(QStringLiteral("Projects"));
    setCentralWidget(area_);
    feedback_.setParent(this);
    feedback_.setStatusSink([this](const QString& text) { statusBar()->showMessage(text); });

    std::vector<std::string> recent;
    for (int i = 1; i <= RecentFiles::Capacity; ++i)
        recent.push_back(settings_.profile().getString(kRecentSection, "File" + std::to_string(i), ""));
    recent_ = RecentFiles(recent);

    loadSearchHistory(searches_, settings_.profile(), "Text");
    loadSearchHistory(replacements_, settings_.profile(), "ReplaceText");
    createMenus();
    createToolBars();
    createDocks();
    createStatusBar();
    connectCommands();
    restoreLayout();
    connect(area_, &QMdiArea::subWindowActivated, this, [this] {
        translateForm_->bind(activeChild());
        updateWindowTitle();
        fillLanguageList();
        updateCommandStates();
    });
    updateCommandStates();
}

CMainFrame::~CMainFrame()
{
    // The project windows go while the frame is whole: their last signals reach a frame whose
    // actions still exist.
    disconnect(area_, nullptr, this, nullptr);
    for (CPreviewView* preview : previews())
        delete preview->parentWidget();  // before the projects they show
    for (QMdiSubWindow* window : area_->subWindowList())
        delete window;
    feedback_.setParent(nullptr);
    feedback_.setStatusSink({});
}

void CMainFrame::createMenus()
{
    auto add = [this](QMenu* menu, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0)
                menu->addSeparator();
            else if (QAction* a = action(id))
                menu->addAction(a);
        }
    };
    QMenu* file = menuBar()->addMenu(qs(txt::MenuFile));
    add(file, {uicmd::Open, uicmd::Close, cmd::Save, 0});
    QMenu* list = file->addMenu(qs(txt::MenuProjectFileList));
    add(list, {cmd::ProjectFileOpen, cmd::ProjectFileRemove});
    add(file, {cmd::FileOptions, 0});
    recentMenu_ = file->addMenu(qs(txt::MenuRecentFiles));
    fillRecentMenu();
    add(file, {0, uicmd::Exit});

    QMenu* edit = menuBar()->addMenu(qs(txt::MenuEdit));
    add(edit, {uicmd::Undo, uicmd::Redo, 0, cmd::Translate, cmd::NextItem, cmd::PreviousItem, 0, cmd::ExcludeItem,
               cmd::RemoveMarks, cmd::VersionBlockHeader});

    QMenu* search = menuBar()->addMenu(qs(txt::MenuSearch));
    add(search, {cmd::Find, cmd::FindNext, cmd::Replace, uicmd::FilterRows, 0, cmd::Bookmark});

    QMenu* project = menuBar()->addMenu(qs(txt::MenuProject));
    add(project, {cmd::UpdateDatabase, cmd::RefreshStatus, cmd::ShowChangedSourceText, 0, cmd::ViewDialog,
                  cmd::ViewMenu, cmd::ViewBitmap, cmd::ViewSourceLanguage, cmd::ViewTranslated, cmd::ShowInTextTable, 0,
                  cmd::ExportToExcel, cmd::ExportToDatabase, uicmd::ExportForPlatforms, cmd::ImportText, 0,
                  cmd::ResourceEditor});

    QMenu* translation = menuBar()->addMenu(qs(txt::MenuTranslation));
    add(translation, {cmd::NewTranslation, cmd::DeleteTranslation, 0});
    settingsMenu_ = translation->addMenu(qs(txt::MenuTranslationSettings));

    QMenu* view = menuBar()->addMenu(qs(txt::MenuView));
    view->setObjectName(QStringLiteral("viewMenu"));
    // The display switches: which texts the Text Table shows.
    add(view, {cmd::ShowDialogResources, cmd::ShowMenuResources, cmd::ShowStringtableResources,
               cmd::ShowVersionInfoResources, cmd::ShowBitmapResources, cmd::ShowFileIncludes, cmd::ShowExcludedText, 0,
               cmd::ToolbarSettings, uicmd::Tabbed});

    QMenu* settings = menuBar()->addMenu(qs(txt::MenuSettings));
    add(settings, {cmd::ApplicationSettings});

    QMenu* window = menuBar()->addMenu(qs(txt::MenuWindow));
    window->addAction(qs(txt::MenuCascade), area_, &QMdiArea::cascadeSubWindows);
    window->addAction(qs(txt::MenuTile), area_, &QMdiArea::tileSubWindows);

    QMenu* help = menuBar()->addMenu(qs(txt::MenuHelp));
    add(help, {uicmd::HelpTopics, 0, uicmd::About});
}

void CMainFrame::createToolBars()
{
    QToolBar* edit = addToolBar(qs(txt::ToolbarEdit));
    edit->setObjectName(QStringLiteral("editToolBar"));
    for (int id : {uicmd::Open, cmd::Save, 0, cmd::NextItem, cmd::UpdateDatabase, 0, uicmd::HelpTopics}) {
        if (id == 0)
            edit->addSeparator();
        else
            edit->addAction(action(id));
    }
    QToolBar* language = addToolBar(qs(txt::BarLanguage));
    language->setObjectName(QStringLiteral("languageToolBar"));
    languageList_ = new QComboBox(language);
    languageList_->setObjectName(QStringLiteral("languageList"));
    languageList_->setAccessibleName(qs(txt::BarLanguage));
    languageList_->setMinimumContentsLength(16);
    languageList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    language->addWidget(languageList_);
    connect(languageList_, &QComboBox::activated, this, [this](int index) {
        CChildFrame* child = activeChild();
        if (!child || index < 0)
            return;
        const std::string name = languageList_->itemText(index).toStdString();
        const TextTableColumns& columns = child->document().rows().columns();
        for (LanguageId id : columns.translations()) {
            if (columns.header(columns.columnOfLanguage(id)) != name)
                continue;
            child->textList()->setCurrentLanguage(id);
            if (CPreviewView* preview = activePreview()) {
                preview->setLanguage(id);
                if (preview->selectedLine() >= 0)
                    child->chooseItem(preview->selectedLine());
            }
        }
        updateCommandStates();
    });
    QMenu* view = findChild<QMenu*>(QStringLiteral("viewMenu"));
    view->addSeparator();
    view->addAction(edit->toggleViewAction());
    view->addAction(language->toggleViewAction());
}

void CMainFrame::createDocks()
{
    auto* files = new QDockWidget(qs(txt::BarProjectFiles), this);
    files->setObjectName(QStringLiteral("projectFilesBar"));
    projectFiles_ = new CRowListView(files);
    files->setWidget(projectFiles_);
    addDockWidget(Qt::BottomDockWidgetArea, files);
    projectFiles_->fill(ReadProjectFiles(settings_.profile()));
    connect(projectFiles_, &CRowListView::openRequested, this,
            [this](const QString& path) { openDocument(path.toStdString()); });
    connect(projectFiles_, &QTreeWidget::itemSelectionChanged, this, &CMainFrame::updateCommandStates);

    auto* translate = new QDockWidget(qs(txt::Translate), this);
    translate->setObjectName(QStringLiteral("translateBar"));
    translateForm_ = new CTranslDlgView(translate);
    connect(translateForm_, &CTranslDlgView::stored, this, &CMainFrame::updateCommandStates);
    connect(translateForm_, &CTranslDlgView::historyWanted, this, &CMainFrame::undoOrRedo);
    translateForm_->setNextHandler([this] {
        CPreviewView* preview = activePreview();
        return preview && preview->step(true);
    });
    connect(translateForm_, &CTranslDlgView::changedSourceWanted, this, &CMainFrame::showChangedSourceText);
    translate->setWidget(translateForm_);
    translateBar_ = translate;
    addDockWidget(Qt::BottomDockWidgetArea, translate);
    tabifyDockWidget(files, translate);
    translate->raise();
    resizeDocks({translate}, {170}, Qt::Vertical);

    QMenu* view = findChild<QMenu*>(QStringLiteral("viewMenu"));
    view->addAction(files->toggleViewAction());
    view->addAction(translate->toggleViewAction());
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    languagePane_ = makePane(90, QStringLiteral("Current language"), bar);
    gaugePane_ = new CGaugePane(bar);
    auto* gauge = gaugePane_;
    rowPane_ = makePane(60, QStringLiteral("Row"), bar);
    typePane_ = makePane(110, QStringLiteral("Item type"), bar);
    bar->addPermanentWidget(languagePane_);
    bar->addPermanentWidget(gauge);
    bar->addPermanentWidget(rowPane_);
    bar->addPermanentWidget(typePane_);
}

void CMainFrame::connectCommands()
{
    auto on = [this](int id, auto&& handler) { connect(action(id), &QAction::triggered, this, handler); };
    on(uicmd::Open, [this] { openWithDialog(); });
    on(uicmd::Close, [this] {
        if (QMdiSubWindow* window = area_->currentSubWindow())
            window->close();
    });
    on(cmd::Save, [this] { save(); });
    on(uicmd::Exit, [this] { close(); });
    on(cmd::ProjectFileOpen, [this] {
        const std::filesystem::path path = projectFiles_->selectedPath();
        if (!path.empty() && !openDocument(path))
            feedback_.messageText(fillPlaceholders(txt::CantOpenFile, {path.string()}), Icon::Stop);
    });
    // Remove takes the project off the list for good (its files stay): off the stored list too.
    on(cmd::ProjectFileRemove, [this] {
        RemoveProjectFile(settings_.profile(), projectFiles_->selectedPath().string());
        projectFiles_->removeSelected();
    });
    on(cmd::NextItem, [this] {
        if (CPreviewView* preview = activePreview())
            preview->step(true);
        else if (CChildFrame* child = activeChild())
            child->textList()->nextItem();
    });
    on(cmd::ExcludeItem, [this] {
        if (CChildFrame* child = activeChild()) {
            const ItemTexts item = itemTexts(child->document(), child->chosenItem().lineIndex, std::nullopt);
            if (item.found)
                child->document().setExcluded(child->chosenItem().lineIndex, !item.excluded);
        }
        updateCommandStates();
    });
    on(cmd::RemoveMarks, [this] {
        if (CChildFrame* child = activeChild())
            child->document().removeMarks();  // every column
    });
    on(cmd::UpdateDatabase, [this] { updateDatabase(); });
    on(cmd::RefreshStatus, [this] { refreshStatus(); });
    on(cmd::ShowChangedSourceText, [this] { showChangedSourceText(); });
    for (int command : {cmd::ViewDialog, cmd::ViewMenu, cmd::ViewBitmap})
        on(command, [this, command] { previewChosenItem(command); });
    on(cmd::ViewSourceLanguage, [this] {
        if (CPreviewView* preview = activePreview())
            preview->setLanguage(std::nullopt);
        updateCommandStates();
    });
    on(cmd::ViewTranslated, [this] {
        CPreviewView* preview = activePreview();
        CChildFrame* child = activeChild();
        if (!preview || !child)
            return;
        const TextTableColumns& columns = child->document().rows().columns();
        for (LanguageId id : columns.translations())
            if (QString::fromStdString(columns.header(columns.columnOfLanguage(id))) == languageList_->currentText())
                preview->setLanguage(id);
        updateCommandStates();
    });
    on(cmd::PreviousItem, [this] {
        if (CPreviewView* preview = activePreview())
            preview->step(false);
    });
    on(cmd::ShowInTextTable, [this] { showInTextTable(activePreview()); });
    on(cmd::Find, [this] { openFindDialog(false); });
    on(cmd::Replace, [this] { openFindDialog(true); });
    on(cmd::FindNext, [this] { repeatFind(); });
    on(cmd::Bookmark, [this] { bookmark(); });
    on(cmd::ImportText, [this] { importText(); });
    on(cmd::ExportToExcel, [this] {
        if (CChildFrame* child = activeChild())
            exportTextToWorkbook(this, *child, feedback_, exportColumns_);
    });
    on(cmd::ExportToDatabase, [this] {
        if (CChildFrame* child = activeChild())
            exportTextToDatabase(this, *child, feedback_, open_.databases());
    });
    on(uicmd::ExportForPlatforms, [this] { exportForPlatforms(); });
    on(uicmd::FilterRows, [this] {
        if (CChildFrame* child = activeChild()) {
            area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
            child->filterBox()->setFocus();
            child->filterBox()->selectAll();
        }
    });
    on(cmd::NewTranslation, [this] { newTranslation(); });
    on(cmd::DeleteTranslation, [this] { deleteTranslation(); });
    on(cmd::VersionBlockHeader, [this] { editVersionBlockHeader(); });
    on(uicmd::Undo, [this] { undoOrRedo(true); });
    on(uicmd::Redo, [this] { undoOrRedo(false); });
    on(cmd::Translate, [this] {
        translateBar_->show();
        translateBar_->raise();
        translateForm_->translationEdit()->setFocus();
    });
    on(uicmd::Tabbed, [this](bool tabbed) {
        area_->setViewMode(tabbed ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    });
    action(uicmd::Tabbed)->setChecked(true);
    on(uicmd::HelpTopics, [this] { showHelp(); });
    on(cmd::ApplicationSettings, [this] {
        CAppSettingsSheet sheet(settings_, feedback_, includeExtensions_, [this] {
            includeExtensions_ = splitIncludeExtensions(settings_.includeExtensionSetting());
        }, this);
        sheet.exec();
    });
    on(cmd::ToolbarSettings, [this] {
        CToolbarSettingsSheet sheet({{qs(txt::BarEditToolbar), findChild<QToolBar*>(QStringLiteral("editToolBar"))},
                                     {qs(txt::MenuProjectFileList), findChild<QDockWidget*>(QStringLiteral("projectFilesBar"))},
                                     {qs(txt::BarStatusbar), statusBar()},
                                     {qs(txt::BarLanguageToolbar), findChild<QToolBar*>(QStringLiteral("languageToolBar"))}},
                                    this);
        sheet.exec();
    });
    on(uicmd::About, [this] { showAbout(); });
    action(cmd::ResourceEditor)->setEnabled(false);
    for (const SwitchCommand& command : kSwitchCommands) {
        const ProjectSwitch which = command.which;
        on(command.id, [this, which] {
            if (CChildFrame* child = activeChild())
                child->toggleCategory(which);
            updateCommandStates();
        });
    }
}

CChildFrame* CMainFrame::activeChild() const
{
    QMdiSubWindow* window = area_->currentSubWindow();
    if (!window)
        return nullptr;
    if (auto* child = qobject_cast<CChildFrame*>(window->widget()))
        return child;
    if (auto* preview = qobject_cast<CPreviewView*>(window->widget()))
        return childOf(preview->document());
    return nullptr;
}

CChildFrame* CMainFrame::childOf(const CQuillDoc& doc) const
{
    for (CChildFrame* child : children())
        if (&child->document() == &doc)
            return child;
    return nullptr;
}

CPreviewView* CMainFrame::activePreview() const
{
    QMdiSubWindow* window = area_->currentSubWindow();
    return window ? qobject_cast<CPreviewView*>(window->widget()) : nullptr;
}

std::vector<CPreviewView*> CMainFrame::previews() const
{
    std::vector<CPreviewView*> list;
    for (QMdiSubWindow* window : area_->subWindowList())
        if (auto* preview = qobject_cast<CPreviewView*>(window->widget()))
            list.push_back(preview);
    return list;
}

CPreviewView* CMainFrame::openPreview(CChildFrame* child, const PreviewTarget& target)
{
    if (!child || target.resourceLine < 0)
        return nullptr;
    CQuillDoc& doc = child->document();
    const std::optional<LanguageId> language = child->textList()->currentLanguage();
    const int resourceLine = target.resourceLine;
    const std::optional<int> item = target.item;
    for (CPreviewView* open : previews()) {
        if (&open->document() != &doc || open->kind() != target.kind || open->resourceLine() != resourceLine)
            continue;
        area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(open->parentWidget()));
        if (open->language() != language)
            open->setLanguage(language);
        if (item)
            open->selectLine(*item);
        return open;
    }
    CPreviewView* preview = nullptr;
    switch (target.kind) {
    case PreviewKind::Dialog: preview = new CDynDlgView(doc, resourceLine); break;
    case PreviewKind::Menu: preview = new CDynMenuView(doc, resourceLine); break;
    case PreviewKind::Bitmap: preview = new CDynBitmapView(doc, resourceLine); break;
    }
    preview->setLanguage(language);
    connect(preview, &CPreviewView::itemChosen, this, [this, preview](int line) { previewChose(preview, line); });
    connect(preview, &CPreviewView::bookmarkWanted, this, &CMainFrame::bookmark);
    connect(preview, &CPreviewView::showInTextTableWanted, this, [this, preview] { showInTextTable(preview); });
    QMdiSubWindow* window = area_->addSubWindow(preview);
    window->setWindowTitle(preview->title(child->windowTitle()));
    window->setWindowIcon(windowIcon());
    window->show();
    if (item)
        preview->selectLine(*item);
    // The bar shows what the new preview selected, also the first item it chose by itself.
    if (preview->selectedLine() >= 0)
        previewChose(preview, preview->selectedLine());
    preview->setFocus();
    updateCommandStates();
    return preview;
}

CPreviewView* CMainFrame::previewChosenItem(int command)
{
    CChildFrame* child = activeChild();
    if (!child)
        return nullptr;
    const CChildFrame::ChosenItem chosen = child->chosenItem();
    std::optional<PreviewTarget> target;
    try {
        target = previewTargetOf(child->document(), chosen.lineIndex, chosen.type);
    } catch (const DaoException& error) {
        feedback_.messageText(error.report(), Icon::Stop);
        return nullptr;
    }
    const PreviewKind wanted = command == cmd::ViewDialog ? PreviewKind::Dialog
                               : command == cmd::ViewMenu ? PreviewKind::Menu
                                                          : PreviewKind::Bitmap;
    if (!target || target->kind != wanted)
        return nullptr;
    return openPreview(child, *target);
}

void CMainFrame::showInTextTable(CPreviewView* preview)
{
    CChildFrame* child = preview ? childOf(preview->document()) : nullptr;
    if (!child || preview->selectedLine() < 0)
        return;
    if (preview->language())
        child->textList()->setCurrentLanguage(*preview->language());
    child->chooseItem(preview->selectedLine());
    if (child->textList()->selectedRow() < 0) {
        feedback_.messageText(txt::ItemNotInTextTable, Icon::Information);
        return;
    }
    area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
    child->textList()->setFocus();
}

void CMainFrame::previewChose(CPreviewView* preview, int lineIndex)
{
    CChildFrame* child = childOf(preview->document());
    if (!child || lineIndex < 0)
        return;
    // The bar shows the item in the preview's language; the Text Table selects its row where it
    // shows it.
    if (preview->language())
        child->textList()->setCurrentLanguage(*preview->language());
    child->chooseItem(lineIndex);
    updateCommandStates();
}

void CMainFrame::closePreviewsOf(CChildFrame* child)
{
    for (CPreviewView* preview : previews())
        if (&preview->document() == &child->document())
            delete preview->parentWidget();  // at once: the project's document goes next
}

std::vector<CChildFrame*> CMainFrame::children() const
{
    std::vector<CChildFrame*> list;
    for (QMdiSubWindow* window : area_->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(window->widget()))
            list.push_back(child);
    return list;
}

CChildFrame* CMainFrame::openDocument(const std::filesystem::path& given)
{
    const std::filesystem::path path = writableProject(given, userProjectsFolder(), feedback_);
    if (std::optional<int> handle = open_.find(path)) {
        for (const auto& [child, h] : handles_)
            if (h == *handle) {
                area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
                QApplication::beep();
                return child;
            }
    }
    statusBar()->showMessage(QString::fromStdString(fillPlaceholders(txt::LoadingFileStatus, {path.string()})));
    auto doc = std::make_unique<CQuillDoc>(feedback_, includeExtensions_);
    const bool opened = doc->OnOpenDocument(path) && doc->reloadRows().done();
    statusBar()->clearMessage();
    if (!opened)
        return nullptr;
    auto* child = new CChildFrame(std::move(doc), [this](int id) { return action(id); });
    child->textList()->setFont(projectFont_);
    child->resourceTree()->setFont(projectFont_);
    QMdiSubWindow* window = area_->addSubWindow(child);
    window->setWindowIcon(windowIcon());
    handles_[child] = open_.add(path);
    connect(child, &CChildFrame::stateChanged, this, &CMainFrame::updateCommandStates);
    connect(child, &QWidget::windowTitleChanged, this, &CMainFrame::updateWindowTitle);
    connect(child, &CChildFrame::closed, this, [this](CChildFrame* frame) {
        closePreviewsOf(frame);
        open_.remove(handles_[frame]);
        handles_.erase(frame);
        projectFiles_->refresh(frame->document().scriptPath());
    });
    connect(child->textList(), &CTextListView::currentColumnChanged, this, [this] { fillLanguageList(); });
    connect(child->textList(), &CTextListView::rowActivated, this, [this, child](int row) {
        if (child->document().rows().isRow(row) && child->document().rows().item(row).itemType == ItemType::BlockHeader)
            editVersionBlockHeader();
    });
    window->show();
    child->textList()->setFocus();
    if (child->document().rows().rowCount() > 0)
        child->textList()->selectRow(0);
    afterOpen(child);
    return child;
}

void CMainFrame::afterOpen(CChildFrame* child)
{
    CQuillDoc& doc = child->document();
    // Every way of opening (the Open dialog, the command line, the recent list, a drop, the
    // project list) makes this the Open dialog's folder.
    settings_.setLastProjectFolder(doc.documentPath().parent_path().string());
    rememberOpened(doc.scriptPath());
    AddProjectFile(settings_.profile(), doc.scriptPath().string());
    projectFiles_->refresh(doc.scriptPath());
    translateForm_->bind(child);
    updateWindowTitle();
    fillLanguageList();
    updateCommandStates();
    const std::vector<std::string> missing = doc.missingCharacterSets(fontInstalledForCharset);
    if (!missing.empty()) {
        std::string list;
        for (const std::string& name : missing)
            list += (list.empty() ? "" : ",\n") + formatMessage(msg::CharsetListEntry, {name});
        feedback_.message(msg::FontsNotAvailable, {list}, Icon::Exclamation);
    }
    if (doc.sourceChanged() && doc.SourceChangedQuestion().done())
        child->updateTitle();
}

void CMainFrame::newTranslation()
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    const std::vector<LanguageId> before = child->document().rows().columns().translations();
    CNewTranslationDlg dialog(child->document(), this);
    if (dialog.exec() == QDialog::Accepted) {
        // The translation just added is the one to work on: the bar and the gauge follow it.
        for (LanguageId id : child->document().rows().columns().translations())
            if (std::find(before.begin(), before.end(), id) == before.end())
                child->textList()->setCurrentLanguage(id);
        fillLanguageList();
        updateCommandStates();
        projectFiles_->refresh(child->document().scriptPath());
    }
}

void CMainFrame::deleteTranslation()
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    if (doc.rows().columns().translations().empty()) {
        doc.DeleteTranslation({});  // says there is none to delete
        return;
    }
    CDeleteTranslationDlg dialog(doc, child->textList()->currentLanguage(), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen())
        return;
    const LanguageId deleted = *dialog.chosen();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    doc.DeleteTranslation(deleted);
    QApplication::restoreOverrideCursor();
    // A preview of the deleted translation goes on showing the source texts.
    for (CPreviewView* preview : previews())
        if (&preview->document() == &doc && preview->language() == deleted &&
            doc.rows().columns().columnOfLanguage(deleted) < 0)
            preview->setLanguage(std::nullopt);
    translateForm_->showChosen();
    fillLanguageList();
    updateCommandStates();
    projectFiles_->refresh(doc.scriptPath());
}

void CMainFrame::editVersionBlockHeader()
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    CTextListView* table = child->textList();
    const int line = child->chosenItem().lineIndex;
    const std::optional<LanguageId> language = table->currentLanguage();
    const bool editable = language && !table->sourceColumnChosen();
    const ItemTexts item = itemTexts(doc, line, editable ? language : std::nullopt);
    if (item.itemType != ItemType::BlockHeader)
        return;
    const std::string header = editable ? item.translation : item.source;
    const int column = editable ? doc.rows().columns().columnOfLanguage(*language) : TextTableColumns::SourceColumn;
    CBlockHeaderDlg dialog(header.empty() ? item.source : header, editable,
                           QString::fromStdString(doc.rows().columns().header(column)), this);
    if (dialog.exec() != QDialog::Accepted || !editable)
        return;
    doc.storeTranslation(line, *language, dialog.header());
    updateCommandStates();
}

void CMainFrame::openFindDialog(bool replace)
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    ProfileFile& profile = settings_.profile();
    CFindDlg dialog(replace ? CFindDlg::Mode::Replace : CFindDlg::Mode::Find,
                    {child, translateForm_, feedback_, searches_, replacements_, replace ? replaceWhere_ : findWhere_,
                     [this] {
                         saveSearchHistory(searches_, settings_.profile(), "Text");
                         saveSearchHistory(replacements_, settings_.profile(), "ReplaceText");
                     }},
                    this);
    // Find keeps its options in the settings file; Replace keeps its own for the run.
    if (!replace) {
        dialog.matchCaseBox()->setChecked(profile.getInt("FINDSTRING", "MatchCase", 1) != 0);
        dialog.wholeWordBox()->setChecked(profile.getInt("FINDSTRING", "WholeWord", 0) != 0);
        dialog.setDirectionDown(profile.getInt("FINDSTRING", "FindDirectory", 2) != 0);
    } else {
        dialog.matchCaseBox()->setChecked(replaceOptions_.matchCase);
        dialog.wholeWordBox()->setChecked(replaceOptions_.wholeWord);
    }
    dialog.exec();
    if (!replace) {
        profile.writeInt("FINDSTRING", "MatchCase", dialog.matchCaseBox()->isChecked() ? 1 : 0);
        profile.writeInt("FINDSTRING", "WholeWord", dialog.wholeWordBox()->isChecked() ? 1 : 0);
        profile.writeInt("FINDSTRING", "FindDirectory", dialog.directionDown() ? 1 : 0);
    } else {
        replaceOptions_ = {dialog.matchCaseBox()->isChecked(), dialog.wholeWordBox()->isChecked()};
    }
    updateCommandStates();
}

void CMainFrame::bookmark()
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    CBookmarkDlg::Place place;
    if (CPreviewView* preview = activePreview()) {
        static const char* const kWindows[] = {"Dialog", "Menu", txt::WordBitmap};
        place = {preview->selectedLine(), kWindows[static_cast<int>(preview->kind())], preview->language()};
    } else {
        CTextListView* table = child->textList();
        place.lineIndex = child->chosenItem().lineIndex;
        place.window = txt::BookmarkWindowText;
        if (!table->sourceColumnChosen())
            place.language = table->currentLanguage();
    }
    CBookmarkDlg dialog(child->document(), feedback_, place, this);
    if (dialog.exec() == QDialog::Accepted && dialog.target())
        goToBookmark(child, *dialog.target());
}

void CMainFrame::goToBookmark(CChildFrame* child, const BookmarkRow& bookmark)
{
    CTextListView* table = child->textList();
    const bool translated = bookmark.language.language >= 0 && child->document().hasTranslation(bookmark.language);
    if (translated)
        table->setCurrentLanguage(bookmark.language);
    if (bookmark.window == txt::BookmarkWindowText) {
        area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
        child->chooseItem(bookmark.lineIndex);
        if (table->selectedRow() < 0)
            feedback_.messageText(txt::ItemNotInTextTable, Icon::Information);
        return;
    }
    // A preview at the item, in the bookmark's language.
    std::optional<PreviewTarget> target;
    try {
        target = previewTargetOfBookmark(child->document(), bookmark.lineIndex, bookmark.window);
    } catch (const DaoException& error) {
        feedback_.messageText(error.report(), Icon::Stop);
        return;
    }
    if (!target)
        return;
    if (CPreviewView* preview = openPreview(child, *target); preview && !translated)
        preview->setLanguage(std::nullopt);
}

void CMainFrame::importText()
{
    CChildFrame* child = activeChild();
    if (!child || !qmk::importText(this, *child, feedback_, settings_.profile()))
        return;
    fillLanguageList();
    child->updateTitle();
    projectFiles_->refresh(child->document().scriptPath());
    updateCommandStates();
}

void CMainFrame::exportForPlatforms()
{
    if (CChildFrame* child = activeChild())
        statusBar()->showMessage(qmk::exportForPlatforms(this, *child, feedback_));
}

void CMainFrame::repeatFind()
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    CChildFrame::SearchState& state = child->search();
    CTextListView* table = child->textList();
    const int start = std::max(0, child->document().rows().rowOfLineIndex(child->chosenItem().lineIndex));
    const int column = state.hit.row == start ? state.hit.column : -1;
    // A repeat that finds nothing says nothing.
    if (const std::optional<CellHit> hit = findNextCell(child->document().rows(), state.options, start, column)) {
        state.hit = *hit;
        if (std::optional<LanguageId> language = child->document().rows().columns().languageOfColumn(hit->column))
            table->setCurrentLanguage(*language);
        child->chooseItem(child->document().rows().item(hit->row).lineIndex);
    }
}

void CMainFrame::undoOrRedo(bool undo)
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    const CQuillDoc::HistoryMove move = undo ? doc.undo() : doc.redo();
    if (!move.result.done()) {
        QApplication::beep();
        updateCommandStates();
        return;
    }
    // Show what changed: its row (or control) selected and scrolled to, in its language.
    if (move.language)
        child->textList()->setCurrentLanguage(*move.language);
    if (move.lineIndex >= 0) {
        child->chooseItem(move.lineIndex);
        if (CPreviewView* preview = activePreview(); preview && &preview->document() == &doc)
            preview->selectLine(move.lineIndex);
    }
    statusBar()->showMessage(QString::fromStdString(fillPlaceholders(undo ? txt::StatusUndone : txt::StatusRedone,
                                                                     {move.label})));
    updateCommandStates();
}

void CMainFrame::openWithDialog()
{
    const QStringList files =
        QFileDialog::getOpenFileNames(this, qs(txt::OpenDialogTitle), QString::fromStdString(settings_.lastProjectFolder()),
                                      qs(txt::OpenFilterScripts));
    for (const QString& file : files)
        openDocument(file.toStdString());
}

void CMainFrame::save()
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    CQuillDoc& doc = child->document();
    if (WriteTranslatedScripts(doc).done()) {
        doc.setModified(false);
        doc.UpdateProjectStatus();
    }
    child->updateTitle();
    projectFiles_->refresh(doc.scriptPath());
}

void CMainFrame::updateDatabase()
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    child->document().UpdateDatabase();
    child->updateTitle();
    projectFiles_->refresh(child->document().scriptPath());
    updateCommandStates();
}

void CMainFrame::refreshStatus()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string changed;
    for (CChildFrame* child : children()) {
        CQuillDoc& doc = child->document();
        if (doc.sourceChanged() || !doc.IsSourceChanged())
            continue;
        doc.setSourceChanged(true);
        child->updateTitle();
        changed += (changed.empty() ? "" : "\n") + doc.documentPath().string();
    }
    QApplication::restoreOverrideCursor();
    if (changed.empty())
        return;
    feedback_.message(msg::SourceFilesChanged, {changed}, Icon::Information);
    projectFiles_->fill(ReadProjectFiles(settings_.profile()));
}

void CMainFrame::showChangedSourceText()
{
    CChildFrame* child = activeChild();
    if (!child || child->chosenItem().lineIndex < 0)
        return;
    CQuillDoc& doc = child->document();
    if (std::optional<CQuillDoc::ChangedSourceText> texts = doc.changedSourceText(child->chosenItem().lineIndex)) {
        const int cp = doc.codePage();
        auto decode = [cp](const std::string& bytes) {
            return QString::fromStdString(decodeToUtf8(bytes, cp).value_or(bytes));
        };
        CSourceTextDialog(decode(texts->oldText), decode(texts->newText), this).exec();
    }
}

void CMainFrame::showHelp()
{
    // The manual installed with the program (share/qmk32 beside its bin folder), a copy the setup
    // program put next to it, and last the source tree's while developing; when none is there,
    // the message names the installed place.
    const std::filesystem::path programFolder = QApplication::applicationDirPath().toStdString();
    const std::filesystem::path places[] = {(programFolder / QMK_MANUAL_FROM_BINDIR).lexically_normal(),
                                            programFolder / "manual.md", QMK_MANUAL_PATH};
    for (const std::filesystem::path& place : places) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(place, ec)) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(place.string())));
            return;
        }
    }
    feedback_.messageText(fillPlaceholders(txt::ManualNotFound, {places[0].string()}), Icon::Exclamation);
}

void CMainFrame::showAbout()
{
    QMessageBox::about(this, QApplication::applicationName(),
                       QString::fromStdString(fillPlaceholders(txt::AboutText, {QMK_VERSION})));
}

void CMainFrame::rememberOpened(const std::filesystem::path& path)
{
    recent_.opened(path.string());
    for (int i = 0; i < RecentFiles::Capacity; ++i) {
        const std::string value = i < static_cast<int>(recent_.entries().size()) ? recent_.entries()[i] : "";
        settings_.profile().writeString(kRecentSection, "File" + std::to_string(i + 1), value);
    }
    fillRecentMenu();
}

void CMainFrame::fillRecentMenu()
{
    recentMenu_->clear();
    int n = 0;
    for (const std::string& path : recent_.entries()) {
        QAction* entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(++n).arg(QString::fromStdString(path)));
        entry->setStatusTip(qs(txt::StatusRecentFile));
        connect(entry, &QAction::triggered, this, [this, path] { openDocument(path); });
    }
    recentMenu_->setEnabled(n > 0);
}

void CMainFrame::fillSettingsMenu()
{
    // "Source Text" first, then one entry per translation in the project's order.
    settingsMenu_->clear();
    CChildFrame* child = activeChild();
    settingsMenu_->setEnabled(child != nullptr);
    if (!child)
        return;
    QAction* source = settingsMenu_->addAction(qs(txt::MenuSourceTextSettings));
    source->setData(cmd::SourceTextSettings);
    connect(source, &QAction::triggered, this, [this] { translationSettings(std::nullopt); });
    const TextTableColumns& columns = child->document().rows().columns();
    int n = 0;
    for (LanguageId id : columns.translations()) {
        QAction* entry =
            settingsMenu_->addAction(QString::fromStdString(columns.header(columns.columnOfLanguage(id))) + QStringLiteral("..."));
        entry->setData(cmd::FirstTranslationSettings + n++);
        connect(entry, &QAction::triggered, this, [this, id] { translationSettings(id); });
    }
}

void CMainFrame::translationSettings(std::optional<LanguageId> language)
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    CTranslationSettingsSheet sheet(child->document(), language, child->textList()->font(), this);
    if (sheet.exec() == QDialog::Accepted) {
        child->updateTitle();
        translateForm_->showChosen();
    }
}

void CMainFrame::fillLanguageList()
{
    fillSettingsMenu();
    languageList_->clear();
    CChildFrame* child = activeChild();
    if (!child)
        return;
    const TextTableColumns& columns = child->document().rows().columns();
    // Each name goes in at the top: the list shows the project's order reversed.
    for (LanguageId id : columns.translations())
        languageList_->insertItem(0, QString::fromStdString(columns.header(columns.columnOfLanguage(id))));
    const int current = child->textList()->currentColumn();
    const int index = current >= 0 ? languageList_->findText(QString::fromStdString(columns.header(current))) : -1;
    languageList_->setCurrentIndex(index >= 0 ? index : 0);
}

void CMainFrame::updateCommandStates()
{
    CChildFrame* child = activeChild();
    for (int id : kProjectCommands)
        action(id)->setEnabled(child != nullptr);
    // The commands act on the chosen item, wherever it was chosen and whether or not its row
    // is shown.
    const CChildFrame::ChosenItem chosen = child ? child->chosenItem() : CChildFrame::ChosenItem{};
    const std::optional<LanguageId> language = child ? child->textList()->currentLanguage() : std::nullopt;
    const ItemTexts item = child ? itemTexts(child->document(), chosen.lineIndex, language) : ItemTexts{};
    action(cmd::ExcludeItem)->setEnabled(item.found);
    action(cmd::ExcludeItem)->setChecked(item.found && item.excluded);
    const bool fileSelected = !projectFiles_->selectedPath().empty();
    action(cmd::ProjectFileOpen)->setEnabled(fileSelected);
    action(cmd::ProjectFileRemove)->setEnabled(fileSelected);
    action(cmd::ShowChangedSourceText)->setEnabled(item.found && item.flagged);
    for (const SwitchCommand& command : kSwitchCommands) {
        action(command.id)->setEnabled(child != nullptr);
        action(command.id)->setChecked(child && child->document().switches().get(command.which));
    }
    const EditStep* undoStep = child ? child->document().history().nextUndo() : nullptr;
    const EditStep* redoStep = child ? child->document().history().nextRedo() : nullptr;
    action(uicmd::Undo)->setEnabled(undoStep != nullptr);
    action(uicmd::Redo)->setEnabled(redoStep != nullptr);
    // Hovering the menu entries says which step they take.
    action(uicmd::Undo)->setToolTip(
        undoStep ? QString::fromStdString(fillPlaceholders(txt::StatusUndone, {undoStep->label})) : QString());
    action(uicmd::Redo)->setToolTip(
        redoStep ? QString::fromStdString(fillPlaceholders(txt::StatusRedone, {redoStep->label})) : QString());
    action(cmd::VersionBlockHeader)->setEnabled(item.found && item.itemType == ItemType::BlockHeader);
    const ItemType type = chosen.type;
    action(cmd::ViewDialog)->setEnabled(type == ItemType::Dialog || type == ItemType::DialogItem || type == ItemType::DialogCaption);
    action(cmd::ViewMenu)->setEnabled(type == ItemType::Menu || type == ItemType::MenuItem || type == ItemType::PopupMenu);
    action(cmd::ViewBitmap)->setEnabled(type == ItemType::BitmapNode || type == ItemType::BitmapFile);
    CPreviewView* preview = activePreview();
    action(cmd::PreviousItem)->setEnabled(preview && preview->itemCount() > 1);
    if (preview)
        action(cmd::NextItem)->setEnabled(preview->itemCount() > 1);
    action(cmd::ViewSourceLanguage)->setEnabled(preview != nullptr);
    action(cmd::ViewSourceLanguage)->setChecked(preview && !preview->language());
    action(cmd::ViewTranslated)->setEnabled(preview && child && !child->document().rows().columns().translations().empty());
    action(cmd::ViewTranslated)->setChecked(preview && preview->language().has_value());
    action(cmd::ShowInTextTable)->setEnabled(preview && preview->selectedLine() >= 0);
    action(cmd::Find)->setEnabled(child != nullptr);
    action(cmd::Replace)->setEnabled(child && !child->document().rows().columns().translations().empty());
    action(cmd::FindNext)->setEnabled(child && !child->search().options.columns.empty() &&
                                      (!child->search().options.pattern.empty() || child->search().options.changedItems));
    action(cmd::Bookmark)->setEnabled(child != nullptr);
    action(cmd::ImportText)->setEnabled(child != nullptr);
    action(cmd::ExportToExcel)->setEnabled(child && child->document().rows().rowCount() > 0);
    action(cmd::ExportToDatabase)->setEnabled(child != nullptr);
    action(uicmd::ExportForPlatforms)->setEnabled(child && child->textList()->currentLanguage().has_value());
    action(cmd::FileOptions)->setEnabled(false);
    updatePanes();
}

void CMainFrame::updateWindowTitle()
{
    CChildFrame* child = activeChild();
    setWindowTitle(child ? QStringLiteral("%1 - %2").arg(QApplication::applicationName(), child->windowTitle())
                         : QApplication::applicationName());
}

void CMainFrame::updatePanes()
{
    CGaugePane* gauge = gaugePane_;
    CChildFrame* child = activeChild();
    if (!child) {
        for (QLabel* pane : {languagePane_, rowPane_, typePane_}) {
            pane->clear();
            pane->setAccessibleDescription({});
        }
        gauge->clear();
        return;
    }
    CTextListView* table = child->textList();
    CQuillDoc& doc = child->document();
    const std::optional<LanguageId> language = table->currentLanguage();
    const bool source = !language || table->sourceColumnChosen();
    languagePane_->setText(source ? QStringLiteral("Source Text")
                                  : QString::fromStdString(doc.rows().columns().header(table->currentColumn())));
    CPreviewView* preview = activePreview();
    if (preview)
        languagePane_->setText(preview->languagePane());
    auto* dialog = qobject_cast<CDynDlgView*>(preview);
    if (dialog && dialog->unfitCount() > 0) {
        statusBar()->showMessage(
            QString::fromStdString(fillPlaceholders(txt::TextsDoNotFit, {std::to_string(dialog->unfitCount())})));
        unfitShown_ = true;
    } else if (unfitShown_) {
        // The count belongs to the preview: it goes when the preview does or when all fit.
        statusBar()->clearMessage();
        unfitShown_ = false;
    }
    if (language) {
        const GaugeFigures figures = previewGauge(doc, *language).value_or(doc.gauge(*language));
        gauge->setFigures(figures.translatedPercent, figures.modifiedPercent);
    } else {
        gauge->clear();
    }
    // The chosen item's place in the Text Table, and its type (empty when it has no text).
    const ItemTexts item = itemTexts(doc, child->chosenItem().lineIndex, std::nullopt);
    rowPane_->setText(item.row >= 0 ? QStringLiteral("%1/%2").arg(item.row + 1).arg(doc.rows().rowCount()) : QString());
    typePane_->setText(item.found ? QString::fromStdString(std::string(itemTypeDisplayName(item.itemType))) : QString());
    // Screen readers hear a pane's name and, as its description, what it shows now.
    for (QLabel* pane : {languagePane_, rowPane_, typePane_})
        pane->setAccessibleDescription(pane->text());
}

std::optional<GaugeFigures> CMainFrame::previewGauge(CQuillDoc& doc, LanguageId language)
{
    CPreviewView* preview = activePreview();
    if (!preview || &preview->document() != &doc)
        return std::nullopt;
    const LanguageId shown = preview->language().value_or(language);
    switch (preview->kind()) {
    case PreviewKind::Dialog:
        return doc.dialogGauge(preview->resourceLine(), shown);
    case PreviewKind::Menu:
        return doc.menuGauge(preview->resourceLine(), shown);
    case PreviewKind::Bitmap:
        break;
    }
    return std::nullopt;
}

void CMainFrame::restoreLayout()
{
    const QByteArray geometry =
        QByteArray::fromBase64(QByteArray::fromStdString(settings_.profile().getString(kLayoutSection, "Geometry", "")));
    const QByteArray state =
        QByteArray::fromBase64(QByteArray::fromStdString(settings_.profile().getString(kLayoutSection, "State", "")));
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(1100, 720);
    if (!state.isEmpty())
        restoreState(state);
    statusBar()->setVisible(settings_.profile().getInt(kLayoutSection, "StatusBar", 1) != 0);
}

void CMainFrame::saveLayout()
{
    settings_.profile().writeString(kLayoutSection, "Geometry", saveGeometry().toBase64().toStdString());
    settings_.profile().writeString(kLayoutSection, "State", saveState().toBase64().toStdString());
    settings_.profile().writeInt(kLayoutSection, "StatusBar", statusBar()->isHidden() ? 0 : 1);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A project window takes its previews with it: the list is looked at again after each.
    std::vector<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow* window : area_->subWindowList())
        windows.emplace_back(window);
    for (const QPointer<QMdiSubWindow>& window : windows) {
        if (window && !window->close()) {
            event->ignore();
            return;
        }
    }
    saveLayout();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    openDropped(event->mimeData()->urls());
    event->acceptProposedAction();
}

void CMainFrame::openDropped(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            openDocument(url.toLocalFile().toStdString());
}

} // namespace qmk
