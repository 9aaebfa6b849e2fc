// The main window's docking panels: the project list, the "Translate" bar, the checks'
// findings and the translation memory's matches, what binds them to the active project, and
// what the commands' context reaches of them.
#include <QApplication>
#include <QComboBox>
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
#include "ui/CGlossaryView.h"
#include "resources/GlossaryTexts.h"
#include "ui/CMainFrameContext.h"
#include "ui/CPreviewView.h"
#include "ui/CRowListView.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"
#include "ui/commands/CheckCommands.h"

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
            [this](const QString&) { run(cmd::ProjectFileOpen); });
    connect(projectFiles_, &QTreeWidget::itemSelectionChanged, this, &CMainFrame::updateCommandStates);

    auto* translate = new QDockWidget(qs(txt::Translate), this);
    translate->setObjectName(QStringLiteral("translateBar"));
    translateForm_ = new CTranslDlgView(translate);
    connect(translateForm_, &CTranslDlgView::stored, this, &CMainFrame::updateCommandStates);
    connect(translateForm_, &CTranslDlgView::historyWanted, this,
            [this](bool undo) { run(undo ? int(uicmd::Undo) : int(uicmd::Redo)); });
    translateForm_->setNextHandler([this] {
        CPreviewView* preview = activePreview();
        return preview && preview->step(true);
    });
    connect(translateForm_, &CTranslDlgView::changedSourceWanted, this, [this] { run(cmd::ShowChangedSourceText); });
    translate->setWidget(translateForm_);
    translateBar_ = translate;

    auto* checks = new QDockWidget(qs(txt::ChecksTitle), this);
    checks->setObjectName(QStringLiteral("checksBar"));
    checksView_ = new CChecksView(checks);
    checks->setWidget(checksView_);
    checksBar_ = checks;
    connect(checksView_, &CChecksView::itemWanted, this, [this](int lineIndex) { goToFinding(*context_, lineIndex); });

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

    // The glossary's terms of the chosen text share the memory's place.
    auto* glossary = new QDockWidget(qs(txt::GlossaryTitle), this);
    glossary->setObjectName(QStringLiteral("glossaryBar"));
    glossaryView_ = new CGlossaryView(settings_.memorySettings().location, glossary);
    glossary->setWidget(glossaryView_);
    glossaryBar_ = glossary;
    connect(glossaryView_, &CGlossaryView::termWanted, this, [this](const QString& translation) {
        if (insertGlossaryTerm(*translateForm_->translationEdit(), translation))
            translateForm_->focusTranslation();
    });
    connect(glossaryView_, &CGlossaryView::addTermWanted, this, [this] { run(uicmd::AddGlossaryTerm); });
    glossaryView_->addShortcuts(this);  // Ctrl+Shift+1 to Ctrl+Shift+5

    // While typing, the translator sees the memory's matches and the project's findings beside
    // the Translation box; the project list shares its place with the findings.
    addDockWidget(Qt::BottomDockWidgetArea, translate);
    splitDockWidget(translate, memory, Qt::Horizontal);
    splitDockWidget(memory, checks, Qt::Horizontal);
    tabifyDockWidget(checks, files);
    tabifyDockWidget(memory, glossary);
    checks->raise();
    memory->raise();
    resizeDocks({translate, memory, checks}, {480, 340, 280}, Qt::Horizontal);
    resizeDocks({translate}, {190}, Qt::Vertical);
}

QDockWidget* CMainFrame::panelOf(int command) const
{
    switch (command) {
    case uicmd::ViewTranslateBar: return translateBar_;
    case uicmd::ViewMemoryPanel: return memoryBar_;
    case uicmd::ViewChecksPanel: return checksBar_;
    case uicmd::ViewProjectFilesPanel: return projectFilesBar_;
    case uicmd::ViewGlossaryPanel: return glossaryBar_;
    default: return nullptr;
    }
}

void CMainFrame::landInTranslationBox()
{
    // The translator moved to a text to translate it: the next key typed goes into the box,
    // never to the table's type-ahead or a button.
    if (translateBar_->isVisible() && translateForm_->shownLine() >= 0)
        translateForm_->focusTranslation();
}

void CMainFrame::bindPanels(CChildFrame* child)
{
    translateForm_->bind(child);
    checksView_->bind(child);
    memoryView_->bind(child);
    glossaryView_->bind(child);
}

void CMainFrame::applyMemorySettings()
{
    const MemorySettings memory = settings_.memorySettings();
    if (memoryFeeds_.reconfigure(memory))
        for (CChildFrame* child : children())
            feedMemory(child);
    memoryView_->restart(memory.minimumScore);
    glossaryView_->restart(memory.location);
}

CChildFrame* CMainFrame::Context::projectOf(const CPreviewView& preview) const
{
    return frame_.childOf(preview.document());
}

void CMainFrame::Context::bringForward(CChildFrame& project)
{
    frame_.area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(project.parentWidget()));
}

QString CMainFrame::Context::listedLanguage() const
{
    return frame_.languageList_->currentText();
}

void CMainFrame::Context::translationsChanged()
{
    frame_.fillLanguageList();
    frame_.updateCommandStates();
}

} // namespace qmk
