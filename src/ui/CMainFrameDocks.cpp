// The main window's docking panels: the project list, the "Translate" bar, the checks'
// findings and the translation memory's matches, what binds them to the active project, and
// the translation memory's commands.
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>

#include "app/ProjectFileList.h"
#include "app/Settings.h"
#include "memory/TmxFile.h"
#include "resources/Messages.h"
#include "resources/Feedback.h"
#include "ui/CMessageBoxFeedback.h"
#include "resources/MenuTexts.h"
#include "resources/UiTexts.h"
#include "ui/CChecksView.h"
#include "ui/CChildFrame.h"
#include "ui/CMemoryView.h"
#include "ui/CMainFrame.h"
#include "ui/CPreviewView.h"
#include "ui/CRowListView.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }

} // namespace

void CMainFrame::createDocks()
{
    auto* files = new QDockWidget(qs(txt::BarProjectFiles), this);
    files->setObjectName(QStringLiteral("projectFilesBar"));
    projectFiles_ = new CRowListView(files);
    files->setWidget(projectFiles_);
    projectFilesBar_ = files;
    projectFiles_->fill(ReadProjectFiles(settings_.profile()));
    connect(projectFiles_, &CRowListView::openRequested, this,
            [this](const QString&) { openSelectedProjectFile(); });
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

    auto* checks = new QDockWidget(qs(txt::ChecksTitle), this);
    checks->setObjectName(QStringLiteral("checksBar"));
    checksView_ = new CChecksView(checks);
    checks->setWidget(checksView_);
    checksBar_ = checks;
    connect(checksView_, &CChecksView::itemWanted, this, &CMainFrame::goToFinding);

    auto* memory = new QDockWidget(qs(txt::MemoryTitle), this);
    memory->setObjectName(QStringLiteral("memoryBar"));
    memoryView_ = new CMemoryView(memoryFeeds_, settings_.memorySettings().minimumScore, memory);
    memory->setWidget(memoryView_);
    memoryBar_ = memory;
    connect(memoryView_, &CMemoryView::matchWanted, translateForm_, &CTranslDlgView::proposeTranslation);
    connect(translateForm_, &CTranslDlgView::stored, memoryView_, &CMemoryView::refresh);
    // Ctrl+1 to Ctrl+5: the matches, best first, into the Translation box.
    for (int i = 0; i < kSuggestionCount; ++i) {
        auto* take = new QShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), this);
        connect(take, &QShortcut::activated, this, [this, i] { memoryView_->takeMatch(i); });
    }

    // While typing, the translator sees the memory's matches and the project's findings beside
    // the Translation box; the project list shares its place with the findings.
    addDockWidget(Qt::BottomDockWidgetArea, translate);
    splitDockWidget(translate, memory, Qt::Horizontal);
    splitDockWidget(memory, checks, Qt::Horizontal);
    tabifyDockWidget(checks, files);
    checks->raise();
    resizeDocks({translate, memory, checks}, {480, 340, 280}, Qt::Horizontal);
    resizeDocks({translate}, {190}, Qt::Vertical);

    QMenu* view = findChild<QMenu*>(QStringLiteral("viewMenu"));
    view->addSeparator();
    for (int id : {uicmd::ViewTranslateBar, uicmd::ViewMemoryPanel, uicmd::ViewChecksPanel, uicmd::ViewProjectFilesPanel})
        view->addAction(action(id));
}

QDockWidget* CMainFrame::panelOf(int command) const
{
    switch (command) {
    case uicmd::ViewTranslateBar: return translateBar_;
    case uicmd::ViewMemoryPanel: return memoryBar_;
    case uicmd::ViewChecksPanel: return checksBar_;
    case uicmd::ViewProjectFilesPanel: return projectFilesBar_;
    default: return nullptr;
    }
}

void CMainFrame::togglePanel(int command)
{
    QDockWidget* panel = panelOf(command);
    if (!panel)
        return;
    QWidget* focused = QApplication::focusWidget();
    if (panel->isVisible() && !panel->widget()->visibleRegion().isEmpty() && focused && panel->isAncestorOf(focused)) {
        panel->hide();
        if (panel != translateBar_)
            landInTranslationBox();
        return;
    }
    panel->show();
    panel->raise();
    if (panel == translateBar_) {
        translateForm_->focusTranslation();
        return;
    }
    // The panel's first control that takes the focus.
    for (QWidget* widget : panel->widget()->findChildren<QWidget*>())
        if (widget->isVisibleTo(panel) && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    panel->widget()->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::bindPanels(CChildFrame* child)
{
    translateForm_->bind(child);
    checksView_->bind(child);
    memoryView_->bind(child);
}

void CMainFrame::applyMemorySettings()
{
    const MemorySettings memory = settings_.memorySettings();
    if (memoryFeeds_.reconfigure(memory))
        for (CChildFrame* child : children())
            feedMemory(child);
    memoryView_->restart(memory.minimumScore);
}

// The memory the TMX commands work on; none (with the reason said) when it is off or broken.
TranslationMemory* CMainFrame::memoryForCommand()
{
    if (!memoryFeeds_.settings().enabled) {
        feedback_.messageText(txt::MemorySwitchedOff, Icon::Information);
        return nullptr;
    }
    TranslationMemory* memory = memoryFeeds_.memory();
    if (!memory)
        feedback_.messageText(fillPlaceholders(txt::MemoryUnavailable, {memoryFeeds_.problem()}), Icon::Exclamation);
    return memory;
}

void CMainFrame::importTmxIntoMemory()
{
    TranslationMemory* memory = memoryForCommand();
    if (!memory)
        return;
    const QString file = QFileDialog::getOpenFileName(this, qs(txt::MenuImportTmx).remove(QLatin1Char('&')), QString(),
                                                      qs(txt::TmxFileFilter));
    if (file.isEmpty())
        return;
    const TmxImportResult result = importTmx(*memory, file.toStdString(), &feedback_);
    if (!result.ok) {
        feedback_.messageText(result.problem, Icon::Exclamation);
        return;
    }
    if (!result.refused.empty()) {
        std::string lines;
        for (const TmxRefusedUnit& unit : result.refused)
            lines += (lines.empty() ? "" : "\n") + unit.unit + ": " + unit.reason;
        feedback_.messageText(fillPlaceholders(txt::TmxImportRefused, {std::to_string(result.refused.size()),
                                                                      file.toStdString(), lines}),
                              Icon::Exclamation);
    }
    const std::string done = result.cancelled
                                 ? fillPlaceholders(txt::TmxImportCancelled, {std::to_string(result.units)})
                                 : fillPlaceholders(txt::TmxImportDone, {std::to_string(result.units),
                                                                         std::to_string(result.skipped)});
    statusBar()->showMessage(QString::fromStdString(done));
    memoryView_->refresh();
}

void CMainFrame::exportMemoryAsTmx()
{
    TranslationMemory* memory = memoryForCommand();
    if (!memory)
        return;
    const QString file = QFileDialog::getSaveFileName(this, qs(txt::MenuExportTmx).remove(QLatin1Char('&')),
                                                      QStringLiteral("memory.tmx"), qs(txt::TmxFileFilter));
    if (file.isEmpty())
        return;
    const TmxExportResult result = exportTmx(*memory, file.toStdString(), std::nullopt, &feedback_);
    if (!result.problem.empty()) {
        feedback_.messageText(result.problem, Icon::Exclamation);
        return;
    }
    statusBar()->showMessage(QString::fromStdString(
        result.cancelled ? std::string(txt::TmxExportCancelled)
                         : fillPlaceholders(txt::TmxExportDone, {std::to_string(result.units), file.toStdString(),
                                                                 std::to_string(result.skipped)})));
}

void CMainFrame::goToFinding(int lineIndex)
{
    CChildFrame* child = activeChild();
    if (!child)
        return;
    child->chooseItem(lineIndex);
    if (child->textList()->selectedRow() < 0) {
        feedback_.messageText(txt::ItemNotInTextTable, Icon::Information);
        return;
    }
    area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
    landInTranslationBox();
}

} // namespace qmk
