// The "Glossary" panel.
#include "ui/CGlossaryView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextCursor>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "memory/Glossary.h"
#include "project/CQuillDoc.h"
#include "resources/GlossaryTexts.h"
#include "resources/Messages.h"
#include "ui/CChildFrame.h"
#include "ui/CGlossaryLookup.h"
#include "ui/CGlossaryTermDlg.h"
#include "ui/CTextListView.h"

namespace qmk {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }
QString qs(const char* text) { return QString::fromUtf8(text); }

QString joined(const std::vector<std::string>& items)
{
    QStringList list;
    for (const std::string& item : items)
        list << qs(item);
    return list.join(QStringLiteral(", "));
}

// The tip of a row: what else the glossary allows and forbids.
QString tipOf(const GlossaryMatch& match)
{
    QStringList lines{qs(match.term) + QStringLiteral(" \u2192 ") + qs(match.translation)};
    if (!match.variants.empty())
        lines << qs(txt::GlossaryAllowedVariants) + joined(match.variants);
    if (!match.forbidden.empty())
        lines << qs(txt::GlossaryForbiddenVariants) + joined(match.forbidden);
    if (!match.note.empty())
        lines << qs(match.note);
    return lines.join(QLatin1Char('\n'));
}

// A selection's paragraph separators as the line breaks they stand for.
std::string selectionText(const QString& selection)
{
    QString text = selection;
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.toStdString();
}

} // namespace

CGlossaryView::CGlossaryView(const std::string& memoryLocation, QWidget* parent, std::filesystem::path dictionaries)
    : QWidget(parent), glossaryLocation_(glossaryLocationBeside(memoryLocation)),
      dictionaries_(std::move(dictionaries)), list_(new QTreeWidget(this)), state_(new QLabel(this)),
      add_(new QPushButton(qs(txt::GlossaryAddButton), this))
{
    setObjectName(QStringLiteral("glossaryView"));
    list_->setAccessibleName(QStringLiteral("Glossary terms"));
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({qs(txt::GlossaryKeyColumn), qs(txt::GlossaryTermColumn),
                            qs(txt::GlossaryTranslationColumn), qs(txt::GlossaryNoteColumn)});
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    state_->setAccessibleName(QStringLiteral("Glossary state"));
    state_->setWordWrap(true);
    add_->setAccessibleName(QStringLiteral("Add term"));
    add_->setToolTip(QStringLiteral("Ctrl+Shift+T"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);
    auto* row = new QHBoxLayout;
    row->addWidget(state_, 1);
    row->addWidget(add_);
    layout->addLayout(row);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { takeTerm(list_->indexOfTopLevelItem(item)); });
    connect(add_, &QPushButton::clicked, this, &CGlossaryView::addTermWanted);
    makeLookup();
}

CGlossaryView::~CGlossaryView() = default;

void CGlossaryView::makeLookup()
{
    delete lookup_;  // its connection may be to the glossary used before
    lookup_ = new CGlossaryLookup(glossaryLocation_, dictionaries_, this);
    connect(lookup_, &CGlossaryLookup::found, this, &CGlossaryView::showMatches);
    connect(lookup_, &CGlossaryLookup::failed, this, &CGlossaryView::showState);
    connect(lookup_, &CGlossaryLookup::added, this, [this](const QString& term) {
        refresh();
        showState(qs(fillPlaceholders(txt::GlossaryAdded, {term.toStdString()})));
    });
}

void CGlossaryView::bind(CChildFrame* child)
{
    if (child == child_)
        return;
    if (child_) {
        disconnect(child_, nullptr, this, nullptr);
        disconnect(child_->textList(), nullptr, this, nullptr);
    }
    child_ = child;
    if (child) {
        connect(child, &CChildFrame::itemChosen, this, &CGlossaryView::refresh);
        connect(child->textList(), &CTextListView::currentColumnChanged, this, &CGlossaryView::refresh);
    }
    refresh();
}

void CGlossaryView::refresh()
{
    list_->clear();
    state_->clear();
    matches_.clear();
    query_.reset();
    lookup_->drop();  // an answer for the item shown before is no longer wanted
    const std::optional<LanguageId> language = child_ ? child_->textList()->currentLanguage() : std::nullopt;
    if (!language || child_->chosenItem().lineIndex < 0)
        return;
    query_ = glossaryQuery(child_->document(), child_->chosenItem().lineIndex, *language);
    if (!query_)
        return;
    state_->setText(qs(txt::GlossaryLookingUp));
    lookup_->request(*query_);
}

void CGlossaryView::restart(const std::string& memoryLocation)
{
    glossaryLocation_ = glossaryLocationBeside(memoryLocation);
    makeLookup();
    refresh();
}

void CGlossaryView::showMatches(const std::vector<GlossaryMatch>& matches)
{
    list_->clear();
    matches_ = matches;
    for (std::size_t i = 0; i < matches_.size(); ++i) {
        const GlossaryMatch& m = matches_[i];
        const QString key = i < kGlossaryShortcutCount ? QStringLiteral("Ctrl+Shift+%1").arg(i + 1) : QString();
        auto* row = new QTreeWidgetItem({key, qs(m.found == m.term ? m.term : m.found + " (" + m.term + ")"),
                                         qs(m.translation), qs(m.note)});
        for (int column = 0; column < 4; ++column)
            row->setToolTip(column, tipOf(m));
        list_->addTopLevelItem(row);
    }
    if (!matches_.empty())
        list_->setCurrentItem(list_->topLevelItem(0));
    state_->setText(matches_.empty() ? qs(txt::GlossaryNoTerms) : QString());
    emit matchesShown();
}

void CGlossaryView::showState(const QString& text)
{
    state_->setText(text);
}

void CGlossaryView::takeTerm(int index)
{
    if (index >= 0 && index < static_cast<int>(matches_.size()) &&
        !matches_[static_cast<std::size_t>(index)].translation.empty())
        emit termWanted(qs(matches_[static_cast<std::size_t>(index)].translation));
}

CGlossaryTermDlg* CGlossaryView::addTerm(const QString& sourceSelection, const QString& translationSelection)
{
    if (!query_) {
        showState(qs(txt::GlossaryNoTranslationChosen));
        return nullptr;
    }
    std::optional<GlossaryEntry> proposed = proposedGlossaryEntry(
        selectionText(sourceSelection), *query_, selectionText(translationSelection),
        child_ ? child_->document().scriptPath().filename().string() : std::string());
    if (!proposed) {  // nothing usable selected: the translator types the term
        proposed = GlossaryEntry{};
        proposed->sourceLanguage = query_->sourceLanguage;
        proposed->language = query_->language;
    }
    auto* dialog = new CGlossaryTermDlg(*proposed, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { lookup_->add(dialog->entry()); });
    dialog->open();
    return dialog;
}

void CGlossaryView::addShortcuts(QWidget* window)
{
    for (int i = 0; i < kGlossaryShortcutCount; ++i) {
        auto* take = new QShortcut(QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, static_cast<Qt::Key>(Qt::Key_1 + i))), window);
        take->setObjectName(QStringLiteral("glossaryTerm%1").arg(i + 1));
        connect(take, &QShortcut::activated, this, [this, i] { takeTerm(i); });
    }
}

bool insertGlossaryTerm(QPlainTextEdit& box, const QString& translation)
{
    if (!box.isEnabled() || box.isReadOnly() || translation.isEmpty())
        return false;
    QTextCursor cursor = box.textCursor();
    const QString text = box.toPlainText();
    const std::string before = text.left(cursor.selectionStart()).toStdString();
    const std::string after = text.mid(cursor.selectionEnd()).toStdString();
    // An edit block of its own, so that Undo takes the term back and not the typing before it.
    cursor.beginEditBlock();
    cursor.insertText(qs(termInsertion(before, after, translation.toStdString())));
    cursor.endEditBlock();
    box.setTextCursor(cursor);
    return true;
}

} // namespace qmk
