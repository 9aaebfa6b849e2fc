// The main window's commands: what each row of the command table runs.
#include "ui/CMainFrame.h"
#include "checks/PseudoTranslation.h"
#include "project/PreTranslate.h"
#include <QInputDialog>
#include "ui/CStatisticsDlg.h"

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

QString qs(const char* text) { return QString::fromUtf8(text); }

} // namespace

void CMainFrame::closeActiveWindow()
{
    if (QMdiSubWindow* window = area_->currentSubWindow())
        window->close();
}

void CMainFrame::openSelectedProjectFile()
{
    const std::filesystem::path path = projectFiles_->selectedPath();
    if (!path.empty() && !openDocument(path))
        feedback_.messageText(fillPlaceholders(txt::CantOpenFile, {path.string()}), Icon::Stop);
}

void CMainFrame::removeSelectedProjectFile()
{
    // Remove takes the project off the list for good (its files stay): off the stored list too.
    RemoveProjectFile(settings_.profile(), projectFiles_->selectedPath().string());
    projectFiles_->removeSelected();
}

void CMainFrame::stepItem(bool forward)
{
    if (CPreviewView* preview = activePreview())
        preview->step(forward);
    else if (CChildFrame* child = activeChild(); child && forward)
        child->textList()->nextItem();
    landInTranslationBox();
}

void CMainFrame::landInTranslationBox()
{
    // The translator moved to a text to translate it: the next key typed goes into the box,
    // never to the table's type-ahead or a button.
    if (translateBar_->isVisible() && translateForm_->shownLine() >= 0)
        translateForm_->focusTranslation();
}

void CMainFrame::goToItem(bool forward, WantedItem wanted)
{
    CChildFrame* child = activeChild();
    if (!child || !child->textList()->currentLanguage())
        return;
    if (child->textList()->goToItem(forward, wanted)) {
        landInTranslationBox();
        return;
    }
    const std::string language = child->document().rows().columns().header(child->textList()->currentColumn());
    const char* text = wanted == WantedItem::Untranslated ? txt::NoUntranslatedLeft : txt::NoFlaggedLeft;
    statusBar()->showMessage(QString::fromStdString(fillPlaceholders(text, {language})), 5000);
}

void CMainFrame::acceptSourceChange()
{
    CChildFrame* child = activeChild();
    const std::optional<LanguageId> language = child ? child->textList()->currentLanguage() : std::nullopt;
    if (language)
        child->document().acceptSourceChange(child->chosenItem().lineIndex, *language);
}

void CMainFrame::pseudoTranslate()
{
    CChildFrame* child = activeChild();
    const std::optional<LanguageId> language = child ? child->textList()->currentLanguage() : std::nullopt;
    if (!language)
        return;
    CQuillDoc& doc = child->document();
    const TranslationWordCounts& counts = doc.wordCounts(*language);
    const std::string name = doc.rows().columns().header(doc.rows().columns().columnOfLanguage(*language));
    if (!feedback_.askText(fillPlaceholders(txt::AskPseudoTranslate, {std::to_string(counts.untranslated.texts), name}),
                           false))
        return;
    const PseudoResult result = qmk::pseudoTranslate(doc, *language);
    if (result.outcome == OperationResult::Done)
        statusBar()->showMessage(QString::fromStdString(fillPlaceholders(
            txt::PseudoTranslateDone, {std::to_string(result.filled), std::to_string(result.kept)})));
}

void CMainFrame::preTranslate()
{
    CChildFrame* child = activeChild();
    const std::optional<LanguageId> language = child ? child->textList()->currentLanguage() : std::nullopt;
    if (!language)
        return;
    TranslationMemory* memory = memoryFeeds_.memory();
    if (!memory) {
        feedback_.messageText(fillPlaceholders(txt::MemoryUnavailable, {memoryFeeds_.problem()}), Icon::Exclamation);
        return;
    }
    bool chosen = false;
    const int minimum = QInputDialog::getInt(this, qs(txt::PreTranslateTitle), qs(txt::PreTranslateMinimum), 100, 50,
                                             100, 1, &chosen);
    if (!chosen)
        return;
    const PreTranslateResult result = qmk::preTranslate(child->document(), *memory, *language, minimum);
    if (!result.ok) {
        feedback_.messageText(fillPlaceholders(txt::MemoryUnavailable, {result.problem}), Icon::Exclamation);
        return;
    }
    if (result.cancelled) {
        statusBar()->showMessage(QString::fromStdString(fillPlaceholders(
            txt::PreTranslateCancelled, {std::to_string(result.exact), std::to_string(result.fuzzy)})));
        return;
    }
    statusBar()->showMessage(QString::fromStdString(fillPlaceholders(
        txt::PreTranslateDone, {std::to_string(result.exact), std::to_string(result.fuzzy),
                                std::to_string(result.withoutMatch), std::to_string(result.disagreeing + result.unfit)})));
}

void CMainFrame::showStatistics()
{
    if (CChildFrame* child = activeChild())
        CStatisticsDlg(child->document(), this).exec();
}

void CMainFrame::toggleExclude()
{
    if (CChildFrame* child = activeChild()) {
        const ItemTexts item = itemTexts(child->document(), child->chosenItem().lineIndex, std::nullopt);
        if (item.found)
            child->document().setExcluded(child->chosenItem().lineIndex, !item.excluded);
    }
}

void CMainFrame::removeMarks()
{
    if (CChildFrame* child = activeChild())
        child->document().removeMarks();  // every column
}

void CMainFrame::toggleSwitch(ProjectSwitch which)
{
    if (CChildFrame* child = activeChild())
        child->toggleCategory(which);
}

void CMainFrame::showPreviewIn(bool translated)
{
    CPreviewView* preview = activePreview();
    CChildFrame* child = activeChild();
    if (!preview || !child)
        return;
    if (!translated) {
        preview->setLanguage(std::nullopt);
        return;
    }
    // The translation the language list names.
    const TextTableColumns& columns = child->document().rows().columns();
    for (LanguageId id : columns.translations())
        if (QString::fromStdString(columns.header(columns.columnOfLanguage(id))) == languageList_->currentText())
            preview->setLanguage(id);
}

void CMainFrame::focusFilter()
{
    if (CChildFrame* child = activeChild()) {
        area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
        child->filterBox()->setFocus();
        child->filterBox()->selectAll();
    }
}

void CMainFrame::showTranslationBar()
{
    translateBar_->show();
    translateBar_->raise();
    translateForm_->translationEdit()->setFocus();
}

void CMainFrame::setTabbed()
{
    area_->setViewMode(action(uicmd::Tabbed)->isChecked() ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    keepTabsOutOfTheTabOrder();
}

void CMainFrame::applicationSettings()
{
    CAppSettingsSheet sheet(settings_, feedback_, includeExtensions_, [this] {
        includeExtensions_ = splitIncludeExtensions(settings_.includeExtensionSetting());
        applyMemorySettings();
    }, this);
    sheet.exec();
}

void CMainFrame::toolbarSettings()
{
    CToolbarSettingsSheet sheet({{qs(txt::BarEditToolbar), findChild<QToolBar*>(QStringLiteral("editToolBar"))},
                                 {qs(txt::MenuProjectFileList), findChild<QDockWidget*>(QStringLiteral("projectFilesBar"))},
                                 {qs(txt::BarStatusbar), statusBar()},
                                 {qs(txt::BarLanguageToolbar), findChild<QToolBar*>(QStringLiteral("languageToolBar"))}},
                                this);
    sheet.exec();
}

void CMainFrame::exportToWorkbook()
{
    if (CChildFrame* child = activeChild())
        exportTextToWorkbook(this, *child, feedback_, exportColumns_);
}

void CMainFrame::exportToDatabase()
{
    if (CChildFrame* child = activeChild())
        exportTextToDatabase(this, *child, feedback_, open_.databases());
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
        else
            landInTranslationBox();
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
    landInTranslationBox();
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
    if (std::exchange(state.marksUntilSearch, false))
        child->document().showCellMarks({});  // what Replace All or an import marked
    CTextListView* table = child->textList();
    const int start = std::max(0, child->document().rows().rowOfLineIndex(child->chosenItem().lineIndex));
    const int column = state.hit.row == start ? state.hit.column : -1;
    // A repeat that finds nothing says nothing.
    if (const std::optional<CellHit> hit = findNextCell(child->document().rows(), state.options, start, column)) {
        state.hit = *hit;
        if (std::optional<LanguageId> language = child->document().rows().columns().languageOfColumn(hit->column))
            table->setCurrentLanguage(*language);
        child->chooseItem(child->document().rows().item(hit->row).lineIndex);
        landInTranslationBox();
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
    std::optional<CQuillDoc::ChangedSourceText> texts;
    try {
        texts = doc.changedSourceText(child->chosenItem().lineIndex);
    } catch (const DaoException& error) {
        feedback_.messageText(error.report(), Icon::Stop);
        return;
    }
    if (texts) {
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


} // namespace qmk
