// The main window.
#include "ui/CMainFrame.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QKeyEvent>
#include <QTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "app/ProfileFile.h"
#include "app/GlossaryTerms.h"
#include "app/ProjectFileList.h"
#include "app/Settings.h"
#include "project/CQuillDoc.h"
#include "project/ItemTypes.h"
#include "project/ProjectCopy.h"
#include "resources/CommandIds.h"
#include "resources/FileNames.h"
#include "resources/MenuTexts.h"
#include "resources/MessageIds.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CChildFrame.h"
#include "ui/CDynBitmapView.h"
#include "ui/CDynDlgView.h"
#include "ui/CDynMenuView.h"
#include "ui/CMemoryView.h"
#include "checks/TranslationFindings.h"
#include "project/WordCount.h"
#include "ui/CBackgroundWork.h"
#include "ui/CStatusPanes.h"
#include "ui/CMessageBoxFeedback.h"
#include "ui/CResTreeView.h"
#include "ui/CRowListView.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"
#include "ui/FontCheck.h"
#include "ui/CMainFrameContext.h"
#include "ui/commands/CommandMenus.h"
#include "ui/commands/NavigationCommands.h"
#include "ui/commands/ProjectCommands.h"
#include "ui/commands/TranslationCommands.h"
#include "ui/commands/WindowCommands.h"

namespace qmk {
namespace {

constexpr char kLayoutSection[] = "Window";
// Raised when the panels' default arrangement changes: a layout saved before is not restored
// over the new one.
constexpr int kLayoutVersion = 2;

QString qs(const char* text) { return QString::fromUtf8(text); }

// Where copies of projects the user cannot write are made: a folder of their documents.
std::filesystem::path userProjectsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return {};
    return std::filesystem::path(documents.toStdString()) / "Quillmark";
}

} // namespace

CMainFrame::CMainFrame(Settings& settings, CMessageBoxFeedback& feedback, std::vector<std::string> includeExtensions)
    : settings_(settings), feedback_(feedback), includeExtensions_(std::move(includeExtensions)), actions_(this),
      context_(std::make_unique<Context>(*this)), area_(new QMdiArea(this))
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
    keepTabsOutOfTheTabOrder(*area_);
    setCentralWidget(area_);
    feedback_.setParent(this);
    feedback_.setStatusSink([this](const QString& text) { statusBar()->showMessage(text); });

    createToolBars();
    createDocks();
    createMenus();
    createStatusBar();
    connectCommands();
    restoreLayout();
    connect(area_, &QMdiArea::subWindowActivated, this, [this] {
        bindPanels(activeChild());
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
    for (CChildFrame* child : children())
        background_->remove(child);
    memoryFeeds_.detachAll();  // the feeders observe the projects: they go first
    for (QMdiSubWindow* window : area_->subWindowList())
        delete window;
    feedback_.setParent(nullptr);
    feedback_.setStatusSink({});
}

void CMainFrame::createMenus()
{
    // The bars' own show/hide switches sit in the View menu between the commands' groups.
    const std::vector<MenuExtra> bars = {
        {Menu::View, 3, findChild<QToolBar*>(QStringLiteral("editToolBar"))->toggleViewAction()},
        {Menu::View, 3, findChild<QToolBar*>(QStringLiteral("languageToolBar"))->toggleViewAction()}};
    menus_ = buildMenus(*menuBar(), actions_, bars);
    fillRecentMenu(*context_, *menus_.at(Menu::RecentFiles));
    QMenu* windows = menus_.at(Menu::Window);
    connect(windows, &QMenu::aboutToShow, this, [this, windows] { fillWindowMenu(*context_, *windows); });
    fillWindowMenu(*context_, *windows);
}

void CMainFrame::createToolBars()
{
    QToolBar* edit = addToolBar(qs(txt::ToolbarEdit));
    edit->setObjectName(QStringLiteral("editToolBar"));
    buildToolBar(*edit, actions_);
    QToolBar* language = addToolBar(qs(txt::BarLanguage));
    language->setObjectName(QStringLiteral("languageToolBar"));
    languageList_ = new QComboBox(language);
    languageList_->setObjectName(QStringLiteral("languageList"));
    languageList_->setAccessibleName(qs(txt::BarLanguage));
    languageList_->setMinimumContentsLength(16);
    languageList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Screen readers on Linux name a combo box by the label it is the buddy of.
    auto* languageLabel = new QLabel(qs(txt::LabelLanguageBar), language);
    languageLabel->setBuddy(languageList_);
    languageLabel->setContentsMargins(4, 0, 4, 0);
    language->addWidget(languageLabel);
    language->addWidget(languageList_);
    connect(languageList_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            chooseListedLanguage(*context_, languageList_->itemText(index));
        updateCommandStates();
    });
}

void CMainFrame::createStatusBar()
{
    panes_ = std::make_unique<CStatusPanes>(statusBar());
    background_ = new CBackgroundWork(statusBar(), this);
    connect(background_, &CBackgroundWork::jobEnded, this, &CMainFrame::updatePanes);
}

void CMainFrame::startBackgroundWork(CChildFrame* child)
{
    // What the window shows first comes first: the Text Table's marks, the status bar's words,
    // then the memory, which the translator does not see being filled. None of it starts before
    // the Text Table has painted, even where the opening lets events through.
    background_->holdUntilPainted(child, child->textList()->viewport());
    TranslationFindings& findings = child->findings();
    findings.setRunStarted([this, child] { background_->wake(child); });
    background_->add(child, {qs(txt::WorkChecking), [&findings] { return findings.pendingRun(); },
                             [&findings] { findings.cancelRun(); }, {}});
    auto counting = std::make_shared<SourceWordCounting>(child->document().rows());
    background_->add(child, {qs(txt::WorkCountingWords),
                             [counting, child]() -> SlicedJob* {
                                 return child->document().rows().sourceWordsCounted() ? nullptr : counting.get();
                             },
                             [] {}, {}});
    const auto feeder = [this, child] { return memoryFeeds_.feeder(child->document()); };
    const auto giveUp = [feeder] {
        if (MemoryFeeder* fed = feeder())
            fed->projectFeedEnded();
    };
    const auto ended = [this, child, giveUp] {
        giveUp();
        if (child == activeChild())
            memoryView_->refresh();  // the chosen item was looked up before the project was in
    };
    background_->add(child, {qs(txt::WorkFeedingMemory),
                             [feeder]() -> SlicedJob* {
                                 MemoryFeeder* fed = feeder();
                                 return fed ? fed->projectFeed() : nullptr;
                             },
                             giveUp, ended});
    feedMemory(child);
}

void CMainFrame::feedMemory(CChildFrame* child)
{
    memoryFeeds_.attach(child->document(), MemoryFeeder::ProjectFeed::Sliced);
    if (MemoryFeeder* fed = memoryFeeds_.feeder(child->document()))
        fed->setFeedStarted([this, child] { background_->wake(child); });
    background_->wake(child);
}

bool CMainFrame::backgroundWorkRunning() const
{
    return background_->running();
}

void CMainFrame::keyPressEvent(QKeyEvent* event)
{
    // Escape that no control took stops the work in the background.
    if (event->key() == Qt::Key_Escape && background_->running()) {
        background_->cancelAll();
        return;
    }
    QMainWindow::keyPressEvent(event);
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
        // The preview selects without announcing it: the bar is told here, as when it opens.
        if (open->selectedLine() >= 0)
            previewChose(open, open->selectedLine());
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
    connect(preview, &CPreviewView::bookmarkWanted, this, [this] { run(cmd::Bookmark); });
    connect(preview, &CPreviewView::showInTextTableWanted, this, [this, preview] {
        showInTextTable(*context_, preview);
        updateCommandStates();
    });
    QMdiSubWindow* window = area_->addSubWindow(preview);
    withoutOwnShortcuts(*window);
    window->setWindowTitle(preview->title(child->windowTitle()));
    window->setWindowIcon(windowIcon());
    // A preview closed gives the place back to its project, not to whichever window is first.
    QPointer<QMdiSubWindow> projectWindow = qobject_cast<QMdiSubWindow*>(child->parentWidget());
    connect(window, &QObject::destroyed, this, [this, projectWindow] {
        QTimer::singleShot(0, this, [this, projectWindow] {
            if (projectWindow && projectWindow->isVisible())
                area_->setActiveSubWindow(projectWindow);
        });
    });
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
    // The term check reads the glossary beside the memory this window's settings name.
    child->findings().setGlossary(
        [this](LanguageId language) { return glossaryTermsBeside(settings_.memorySettings().location, language); });
    child->textList()->setFont(projectFont_);
    child->resourceTree()->setFont(projectFont_);
    QMdiSubWindow* window = area_->addSubWindow(child);
    withoutOwnShortcuts(*window);
    window->setWindowIcon(windowIcon());
    handles_[child] = open_.add(path);
    // The checks, the word counts and what the project holds for the translation memory are
    // worked out in the background once the window is on screen.
    startBackgroundWork(child);
    connect(child, &CChildFrame::stateChanged, this, &CMainFrame::updateCommandStates);
    connect(child, &QWidget::windowTitleChanged, this, &CMainFrame::updateWindowTitle);
    // The previews go while the project's database is still open: closing one brings another
    // forward, and the panes read what it shows.
    connect(child, &CChildFrame::aboutToClose, this, [this, child] { closePreviewsOf(child); });
    connect(child, &CChildFrame::closed, this, [this](CChildFrame* frame) {
        background_->remove(frame);
        memoryFeeds_.detach(frame->document());
        closePreviewsOf(frame);
        open_.remove(handles_[frame]);
        handles_.erase(frame);
        QTimer::singleShot(0, this, [this] { distinguishTitles(children()); });
        projectFiles_->refresh(frame->document().scriptPath());
    });
    connect(child->textList(), &CTextListView::currentColumnChanged, this, [this] { fillLanguageList(); });
    // Typing in the table translates the chosen text: the letters land in the Translation box.
    connect(child->textList(), &CTextListView::typedIntoTranslation, this, [this](const QString& text) {
        if (translateBar_->isVisible())
            translateForm_->typeIntoTranslation(text);
    });
    connect(child->textList(), &CTextListView::rowActivated, this, [this, child](int row) {
        if (child->document().rows().isRow(row) && child->document().rows().item(row).itemType == ItemType::BlockHeader)
            run(cmd::VersionBlockHeader);
    });
    window->show();
    distinguishTitles(children());
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
    rememberOpened(*context_, *menus_.at(Menu::RecentFiles), doc.scriptPath());
    AddProjectFile(settings_.profile(), doc.scriptPath().string());
    projectFiles_->refresh(doc.scriptPath());
    bindPanels(child);
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

void CMainFrame::fillLanguageList()
{
    fillTranslationSettingsMenu(*context_, *menus_.at(Menu::TranslationSettings));
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
    const CommandState state = commandState(*context_);
    for (const auto& [id, command] : actions_.all())
        if (const CommandRule* rule = commandRule(id)) {
            command->setEnabled(rule->enabled(state));
            if (rule->checked)
                command->setChecked(rule->checked(state));
        }
    // Hovering Undo and Redo says which step they take.
    CChildFrame* child = activeChild();
    const EditStep* undoStep = child ? child->document().history().nextUndo() : nullptr;
    const EditStep* redoStep = child ? child->document().history().nextRedo() : nullptr;
    action(uicmd::Undo)->setToolTip(
        undoStep ? QString::fromStdString(fillPlaceholders(txt::StatusUndone, {undoStep->label})) : QString());
    action(uicmd::Redo)->setToolTip(
        redoStep ? QString::fromStdString(fillPlaceholders(txt::StatusRedone, {redoStep->label})) : QString());
    updatePanes();
}

void CMainFrame::updateWindowTitle()
{
    CChildFrame* child = activeChild();
    setWindowTitle(child ? QStringLiteral("%1 - %2").arg(QApplication::applicationName(), child->windowTitle())
                         : QApplication::applicationName());
}

void CMainFrame::connectCommands()
{
    // Each command's handler comes with its row of the command table; after any of them the
    // menus, the checks and the panes show the new state.
    for (const CommandEntry& entry : commandTable())
        if (entry.run)
            connect(action(entry.id), &QAction::triggered, this, [this, id = entry.id] { run(id); });
    action(uicmd::Tabbed)->setChecked(true);
}

void CMainFrame::run(int id)
{
    if (const CommandEntry* entry = commandEntry(id); entry && entry->run)
        entry->run(*context_);
    updateCommandStates();
}

void CMainFrame::updatePanes()
{
    panes_->show(activeChild(), activePreview());
}

void CMainFrame::restoreLayout()
{
    const QByteArray geometry =
        QByteArray::fromBase64(QByteArray::fromStdString(settings_.profile().getString(kLayoutSection, "Geometry", "")));
    const QByteArray state =
        QByteArray::fromBase64(QByteArray::fromStdString(settings_.profile().getString(kLayoutSection, "State", "")));
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(1100, 720);
    if (state.isEmpty() || !restoreState(state, kLayoutVersion))
        // The panels' default widths, once the window has its own: the Translation box, the
        // memory's matches and the findings side by side.
        QTimer::singleShot(0, this, [this] {
            resizeDocks({translateBar_, memoryBar_, checksBar_}, {width() * 42 / 100, width() * 30 / 100, width() * 28 / 100},
                        Qt::Horizontal);
        });
    statusBar()->setVisible(settings_.profile().getInt(kLayoutSection, "StatusBar", 1) != 0);
}

void CMainFrame::saveLayout()
{
    settings_.profile().writeString(kLayoutSection, "Geometry", saveGeometry().toBase64().toStdString());
    settings_.profile().writeString(kLayoutSection, "State", saveState(kLayoutVersion).toBase64().toStdString());
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
