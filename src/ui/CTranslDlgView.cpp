// The translation bar's form.
#include "ui/CTranslDlgView.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextBlock>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTextCursor>

#include "checks/TranslationFindings.h"
#include "project/ChosenItem.h"
#include "project/CQuillDoc.h"
#include "project/SpellCheck.h"
#include "resources/MenuTexts.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CBlockHeaderDlg.h"
#include "ui/CChildFrame.h"
#include "ui/CSpecialCharsDlg.h"
#include "ui/CSpellHighlighter.h"
#include "ui/CTextListView.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

QFont fontFor(const FontSetting& setting, const QFont& base)
{
    QFont font(base);
    if (!setting.fontName.empty())
        font.setFamilies({QString::fromStdString(setting.fontName), base.family()});
    return font;
}

} // namespace

CTranslDlgView::CTranslDlgView(QWidget* parent)
    : QWidget(parent), heading_(new QLabel(this)), source_(new QPlainTextEdit(this)), stack_(new QStackedWidget(this)),
      translation_(new QPlainTextEdit(this)), headerDisplay_(new QLineEdit(this)),
      ok_(new QPushButton(qs(txt::ButtonOk), this)), okNext_(new QPushButton(qs(txt::ButtonOkNext), this)),
      cancelNext_(new QPushButton(qs(txt::ButtonCancelNext), this)), copy_(new QPushButton(qs(txt::ButtonCopy), this)),
      character_(new QPushButton(qs(txt::ButtonCharacter), this)), findings_(new QLabel(this)),
      spelling_(new CSpellHighlighter(translation_->document()))
{
    setObjectName(QStringLiteral("translationForm"));
    heading_->setObjectName(QStringLiteral("itemHeading"));
    heading_->setAccessibleName(QStringLiteral("Item"));
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    source_->installEventFilter(this);
    source_->setObjectName(QStringLiteral("sourceText"));
    source_->setReadOnly(true);
    source_->setAccessibleName(QStringLiteral("Source text"));
    source_->setTabChangesFocus(true);
    source_->viewport()->setCursor(Qt::PointingHandCursor);
    source_->viewport()->installEventFilter(this);
    translation_->setObjectName(QStringLiteral("translationEdit"));
    translation_->setAccessibleName(QStringLiteral("Translation"));
    translation_->setTabChangesFocus(true);
    translation_->installEventFilter(this);
    heading_->setTextFormat(Qt::PlainText);
    translation_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(translation_, &QWidget::customContextMenuRequested, this, &CTranslDlgView::showTranslationMenu);
    headerDisplay_->setObjectName(QStringLiteral("blockHeaderDisplay"));
    headerDisplay_->setReadOnly(true);
    headerDisplay_->setAccessibleName(QStringLiteral("Block header"));
    headerDisplay_->setCursor(Qt::PointingHandCursor);
    headerDisplay_->installEventFilter(this);
    stack_->addWidget(translation_);
    stack_->addWidget(headerDisplay_);
    const int lines = fontMetrics().lineSpacing();
    source_->setMinimumHeight(lines * 2 + 12);
    translation_->setMinimumHeight(lines * 2 + 12);

    auto* form = new QFormLayout;
    form->addRow(qs(txt::LabelBarSource), source_);
    form->addRow(qs(txt::LabelBarTranslation), stack_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {ok_, okNext_, cancelNext_, copy_, character_}) {
        button->setAutoDefault(false);
        // Reached by their access keys and shortcuts; as focus stops, the next letter typed
        // (a blank) would press them.
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    findings_->setObjectName(QStringLiteral("checkFindings"));
    findings_->setAccessibleName(QStringLiteral("Check findings"));
    findings_->setWordWrap(true);
    findings_->setTextFormat(Qt::PlainText);
    findings_->setStyleSheet(QStringLiteral("color: #a05a00;"));
    findings_->hide();
    buttons->addWidget(findings_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(form);
    layout->addLayout(buttons);

    okNext_->setToolTip(QStringLiteral("Ctrl+Return"));
    connect(ok_, &QPushButton::clicked, this, [this] { store(); });
    connect(okNext_, &QPushButton::clicked, this, &CTranslDlgView::storeAndNext);
    connect(cancelNext_, &QPushButton::clicked, this, &CTranslDlgView::cancelNext);
    connect(copy_, &QPushButton::clicked, this, &CTranslDlgView::copySource);
    connect(character_, &QPushButton::clicked, this, &CTranslDlgView::chooseCharacter);
    connect(translation_, &QPlainTextEdit::textChanged, this, [this] {
        if (settingText_)
            return;
        item_.edited = true;
        applyRules();
    });
    for (QKeySequence keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, this, this, &CTranslDlgView::storeAndNext);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    }
    clear();
}

CTranslDlgView::~CTranslDlgView()
{
    if (doc_)
        doc_->removeObserver(this);
}

void CTranslDlgView::bind(CChildFrame* child)
{
    if (child == child_)
        return;
    keepTyped();  // into the project being left, while its document is still there
    if (doc_)
        doc_->removeObserver(this);
    if (child_) {
        disconnect(child_->textList(), nullptr, this, nullptr);
        disconnect(child_, nullptr, this, nullptr);
    }
    child_ = child;
    doc_ = child ? &child->document() : nullptr;
    clear();
    if (!child)
        return;
    doc_->addObserver(this);
    connect(child, &CChildFrame::itemChosen, this, &CTranslDlgView::showChosen);
    connect(child->textList(), &CTextListView::currentColumnChanged, this, &CTranslDlgView::showChosen);
    connect(child, &CChildFrame::findingsChanged, this, &CTranslDlgView::showFindings);
    // The project goes: what can be stored is; what cannot (said why) goes with it.
    connect(child, &CChildFrame::aboutToClose, this, [this] {
        if (!keepTyped())
            item_.edited = false;
    });
    // A project window going away takes its document with it.
    connect(child, &QObject::destroyed, this, [this] {
        doc_ = nullptr;
        clear();
    });
    showChosen();
}

void CTranslDlgView::tableReset()
{
    if (!item_.edited)
        showChosen();
}

void CTranslDlgView::clear()
{
    lineIndex_ = -1;
    item_ = {};
    heading_->clear();
    findings_->clear();
    findings_->hide();
    translation_->setPlaceholderText(qs(txt::SelectATextToTranslate));
    sourceShown_.clear();
    sourceBytes_.clear();
    translationShown_.clear();
    header_.clear();
    source_->clear();
    setTranslationText({});
    headerDisplay_->clear();
    stack_->setCurrentWidget(translation_);
    showModified(false);
    applyRules();
}

void CTranslDlgView::showChosen()
{
    if (!doc_ || !child_) {
        clear();
        return;
    }
    const std::optional<LanguageId> language = child_->textList()->currentLanguage();
    if (item_.edited && lineIndex_ >= 0) {
        // Shown again while typing: the typing stays. Left: it is stored first, and where it
        // cannot be (refused characters, a busy project) the bar stays on its item.
        if (child_->chosenItem().lineIndex == lineIndex_ && language == language_)
            return;
        if (!keepTyped())
            return;
    }
    const ItemTexts item = itemTexts(*doc_, child_->chosenItem().lineIndex, language, true);
    if (!item.found) {
        clear();
        return;
    }
    if (!language) {
        // A project without translations shows what there is to translate, and how to begin.
        clear();
        heading_->setText(qs(itemHeading(item)));
        source_->setFont(fontFor(doc_->sourceFont(), font()));
        source_->setPlainText(qs(toDisplayForm(item.sourceShown)));
        source_->setEnabled(true);
        translation_->setPlaceholderText(qs(txt::AddATranslationFirst));
        return;
    }
    translation_->setPlaceholderText(QString());  // a text is chosen: the hint to choose one would mislead
    lineIndex_ = child_->chosenItem().lineIndex;
    language_ = *language;
    useDictionaryOf(*language);
    source_->setFont(fontFor(doc_->sourceFont(), font()));
    translation_->setFont(fontFor(doc_->font(*language, false), font()));
    heading_->setText(qs(itemHeading(item)));

    sourceBytes_ = item.source;
    translationShown_ = item.translationShown;
    storedBytes_ = item.translation;
    item_ = ShownItemState{true, item.excluded, item.itemType == ItemType::BlockHeader, item.sourceShown.empty(),
                           item.translationShown.empty(), false};
    if (item_.blockHeader) {
        header_ = item.translation;
        sourceShown_ = blockHeaderDisplay(item.source);
        source_->setPlainText(qs(sourceShown_));
        headerDisplay_->setText(qs(blockHeaderDisplay(header_)));
        setTranslationText(qs(header_));
        stack_->setCurrentWidget(headerDisplay_);
    } else {
        sourceShown_ = toDisplayForm(item.sourceShown);
        source_->setPlainText(qs(sourceShown_));
        setTranslationText(qs(toDisplayForm(item.translationShown)));
        stack_->setCurrentWidget(translation_);
    }
    showModified(item.flagged);
    applyRules();
    showFindings();
}

void CTranslDlgView::proposeTranslation(const QString& text)
{
    if (!translation_->isEnabled() || translation_->isReadOnly())
        return;
    translation_->setPlainText(text);  // the edit marks the bar edited
    focusTranslation();
}

void CTranslDlgView::showFindings()
{
    QStringList lines;
    if (child_ && lineIndex_ >= 0 && child_->findings().language() == language_)
        for (const CheckFinding& finding : child_->findings().of(lineIndex_))
            lines << QStringLiteral("\u26A0 ") + QString::fromStdString(finding.message);
    findings_->setText(lines.join(QLatin1Char('\n')));
    findings_->setAccessibleDescription(findings_->text());
    findings_->setVisible(!lines.isEmpty());
}

void CTranslDlgView::setTranslationText(const QString& text)
{
    settingText_ = true;
    translation_->setPlainText(text);
    translation_->moveCursor(QTextCursor::End);
    settingText_ = false;
}

void CTranslDlgView::showModified(bool modified)
{
    flagged_ = modified;
    // Red while the translation is flagged for review.
    QPalette palette = translation_->palette();
    palette.setColor(QPalette::Text, modified ? QColor(255, 0, 0) : QApplication::palette().color(QPalette::Text));
    translation_->setPalette(palette);
    headerDisplay_->setPalette(palette);
}

void CTranslDlgView::applyRules()
{
    const BarControls controls = barControls(item_);
    translation_->setReadOnly(!controls.edit);
    translation_->setEnabled(item_.shown);
    source_->setEnabled(item_.shown);
    ok_->setEnabled(controls.ok);
    okNext_->setEnabled(controls.okNext);
    cancelNext_->setEnabled(controls.cancelNext);
    copy_->setEnabled(controls.copy);
    character_->setEnabled(controls.character);
}

bool CTranslDlgView::typeIntoTranslation(const QString& text)
{
    if (lineIndex_ < 0 || stack_->currentWidget() != translation_ || !translation_->isEnabled() ||
        translation_->isReadOnly())
        return false;
    focusTranslation();
    translation_->insertPlainText(text);
    return true;
}

void CTranslDlgView::focusTranslation()
{
    translation_->moveCursor(QTextCursor::End);
    if (stack_->currentWidget() == translation_)
        translation_->setFocus();
    else
        headerDisplay_->setFocus();
}

void CTranslDlgView::selectInTranslation(int position, int length)
{
    // The edit shows the display form: the positions are those of the stored text, which the
    // Text Table shows, mapped through the quotes the display form drops.
    const QString stored = qs(translationShown_);
    const QList<uint> points = stored.toUcs4();
    auto shownPosition = [&](int codePoints) {
        const QString prefix = QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()),
                                                 std::min<qsizetype>(codePoints, points.size()));
        return int(QString::fromStdString(toDisplayForm(prefix.toStdString())).size());
    };
    QTextCursor cursor = translation_->textCursor();
    cursor.setPosition(shownPosition(position));
    cursor.setPosition(shownPosition(position + length), QTextCursor::KeepAnchor);
    translation_->setTextCursor(cursor);
    translation_->setFocus();
}

void CTranslDlgView::replaceSelection(const QString& text)
{
    translation_->textCursor().insertText(text);
}

void CTranslDlgView::useDictionaryOf(LanguageId language)
{
    auto key = std::make_pair(language.language, language.sublanguage);
    auto found = checkers_.find(key);
    if (found == checkers_.end())
        found = checkers_.emplace(key, SpellChecker::forLanguage(language)).first;
    spelling_->setChecker(found->second.get());
}

void CTranslDlgView::showTranslationMenu(const QPoint& position)
{
    std::unique_ptr<QMenu> menu(translation_->createStandardContextMenu(position));
    const QTextCursor at = translation_->cursorForPosition(position);
    const QTextBlock block = at.block();
    if (std::optional<CSpellHighlighter::Misspelt> word = spelling_->misspeltAt(block.text(), at.positionInBlock());
        word && !translation_->isReadOnly()) {
        QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
        int offered = 0;
        for (const QString& suggestion : word->suggestions) {
            if (++offered > 8)
                break;
            auto* replace = new QAction(suggestion, menu.get());
            connect(replace, &QAction::triggered, this, [this, block, word = *word, suggestion] {
                QTextCursor cursor(block);
                cursor.setPosition(block.position() + word.start);
                cursor.setPosition(block.position() + word.start + word.length, QTextCursor::KeepAnchor);
                cursor.insertText(suggestion);
            });
            menu->insertAction(first, replace);
        }
        if (word->suggestions.empty()) {
            auto* none = new QAction(QStringLiteral("(No suggestions)"), menu.get());
            none->setEnabled(false);
            menu->insertAction(first, none);
        }
        menu->insertSeparator(first);
    }
    menu->exec(translation_->mapToGlobal(position));
}

bool CTranslDlgView::store()
{
    return storeTyped(true);
}

bool CTranslDlgView::keepTyped()
{
    if (!item_.edited || storingTyped_)
        return true;
    storingTyped_ = true;
    const bool stored = storeTyped(false);
    storingTyped_ = false;
    return stored;
}

void CTranslDlgView::restoreStored()
{
    if (!item_.shown || !item_.edited)
        return;
    item_.edited = false;
    if (item_.blockHeader) {
        header_ = storedBytes_;
        headerDisplay_->setText(qs(blockHeaderDisplay(header_)));
    }
    setTranslationText(qs(item_.blockHeader ? header_ : toDisplayForm(translationShown_)));
    translation_->document()->clearUndoRedoStacks();
    applyRules();
    // The table may have moved on while a refused text held the bar: it follows again.
    if (child_ && (child_->chosenItem().lineIndex != lineIndex_ || child_->textList()->currentLanguage() != language_))
        showChosen();
}

bool CTranslDlgView::storeTyped(bool focus)
{
    if (!doc_ || !child_ || !item_.shown || item_.excluded)
        return false;
    const std::optional<int> storingCodePage = doc_->codePageForStoring(language_);
    if (!storingCodePage)
        return false;  // reported
    const int codePage = *storingCodePage;
    const std::string typed = item_.blockHeader ? header_ : translation_->toPlainText().toStdString();
    const PreparedTranslation prepared =
        item_.blockHeader ? PreparedTranslation{true, typed, {}} : prepareTranslation(typed, codePage);
    if (!prepared.ok) {
        std::string characters;
        for (const std::string& c : prepared.unrepresentable)
            characters += (characters.empty() ? "" : " ") + c;
        doc_->feedback().beep();
        doc_->feedback().messageText(
            fillPlaceholders(txt::TranslationNotStored,
                             {std::to_string(codePage), doc_->rows().columns().header(
                                                            doc_->rows().columns().columnOfLanguage(language_)),
                              characters}),
            Icon::Exclamation);
        focusTranslation();
        return false;
    }
    if (!focus && prepared.bytes == storedBytes_) {
        // Typed and typed back before leaving: nothing to store, no step in the history (OK
        // on an unchanged text still stores it, which takes a review flag away).
        item_.edited = false;
        return true;
    }
    // Into the item the bar shows, wherever the selection of the table stands.
    if (!doc_->storeTranslation(lineIndex_, language_, prepared.bytes).done())
        return false;
    item_.edited = false;
    const ItemTexts now = itemTexts(*doc_, lineIndex_, language_, true);
    translationShown_ = now.translationShown;
    storedBytes_ = now.translation;
    translation_->document()->clearUndoRedoStacks();  // Ctrl+Z now takes the store back
    showModified(false);
    if (focus)
        focusTranslation();
    emit stored();
    return true;
}

void CTranslDlgView::storeAndNext()
{
    if (item_.shown && !item_.excluded && !store())
        return;
    cancelNext();
}

void CTranslDlgView::cancelNext()
{
    if (!child_ || !item_.shown)
        return;
    item_.edited = false;
    if (!nextHandler_ || !nextHandler_())
        child_->textList()->nextItem();
    focusTranslation();
}

void CTranslDlgView::copySource()
{
    if (!item_.shown)
        return;
    if (item_.blockHeader && doc_) {
        header_ = sourceBytes_;
        headerDisplay_->setText(qs(blockHeaderDisplay(header_)));
    }
    translation_->setPlainText(qs(item_.blockHeader ? header_ : sourceShown_));
    item_.edited = true;
    applyRules();
    focusTranslation();
}

void CTranslDlgView::chooseCharacter()
{
    if (!doc_ || !item_.shown)
        return;
    const QTextCursor remembered = translation_->textCursor();
    CSpecialCharsDlg dialog(specialCharacters(doc_->translationCodePage(language_)), this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty())
        return;
    QTextCursor cursor = remembered;
    cursor.insertText(dialog.chosen());
    translation_->setTextCursor(cursor);
    translation_->setFocus();
}

void CTranslDlgView::editBlockHeader()
{
    if (!item_.shown || !item_.blockHeader || item_.excluded || !doc_)
        return;
    const std::string start = header_.empty() ? sourceBytes_ : header_;
    CBlockHeaderDlg dialog(start, true, qs(doc_->rows().columns().header(doc_->rows().columns().columnOfLanguage(language_))),
                           this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    header_ = dialog.header();
    headerDisplay_->setText(qs(blockHeaderDisplay(header_)));
    settingText_ = true;
    translation_->setPlainText(qs(header_));
    settingText_ = false;
    item_.edited = true;
    applyRules();
}

bool CTranslDlgView::takeHistoryKey(QObject* watched, QKeyEvent* event)
{
    const bool undo = event->matches(QKeySequence::Undo);
    const bool redo = !undo && (event->matches(QKeySequence::Redo) ||
                                event->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y));
    if (!undo && !redo)
        return false;
    if (watched == translation_ && item_.edited &&
        (undo ? translation_->document()->isUndoAvailable() : translation_->document()->isRedoAvailable()))
        return false;  // the typing is the box's to take back
    event->accept();
    if (event->type() == QEvent::KeyPress)
        emit historyWanted(undo);
    return true;
}

bool CTranslDlgView::eventFilter(QObject* watched, QEvent* event)
{
    // The box would take the keys for its own history even when it has nothing to undo.
    if ((watched == translation_ || watched == source_) &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        takeHistoryKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    // Escape takes the typing back to what the project holds; it never empties a stored text.
    if (watched == translation_ && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && item_.edited) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            restoreStored();
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == headerDisplay_)
            editBlockHeader();
        else if (watched == source_->viewport() && item_.shown && flagged_)
            emit changedSourceWanted();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void CTranslDlgView::translationStored(int lineIndex, LanguageId language)
{
    // Stored elsewhere (an undo, an import): show what the project holds now, unless the
    // translator is typing here.
    if (lineIndex == lineIndex_ && language == language_ && !item_.edited)
        showChosen();
}

void CTranslDlgView::itemExcluded(int lineIndex, bool excluded)
{
    if (lineIndex != lineIndex_)
        return;
    item_.excluded = excluded;
    applyRules();
}

} // namespace qmk
