// The find and replace dialogs.
#include "ui/CFindDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "project/CQuillDoc.h"
#include "project/ReplaceAll.h"
#include "resources/CountedText.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"
#include "ui/CChildFrame.h"
#include "ui/CTextListView.h"
#include "ui/CTranslDlgView.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

constexpr int ColumnRole = Qt::UserRole + 1;

} // namespace

CFindDlg::CFindDlg(Mode mode, Context context, QWidget* parent)
    : QDialog(parent), mode_(mode), context_(std::move(context)), where_(new QListWidget(this)),
      what_(new QComboBox(this)), matchCase_(new QCheckBox(qs(txt::OptionMatchCase), this)),
      wholeWord_(new QCheckBox(qs(txt::OptionWholeWord), this))
{
    setWindowTitle(qs(mode == Mode::Find ? txt::FindTitle : txt::ReplaceTitle));
    CQuillDoc& doc = context_.child->document();
    const TextTableColumns& columns = doc.rows().columns();
    where_->setSelectionMode(QAbstractItemView::MultiSelection);
    where_->setAccessibleName(QStringLiteral("Where"));
    if (mode == Mode::Find) {
        // The entry's text carries its own quotation marks.
        auto* source = new QListWidgetItem(qs(std::string(messageText(msg::SourceEntry))), where_);
        source->setData(ColumnRole, TextTableColumns::SourceColumn);
    }
    for (LanguageId id : columns.translations()) {
        const int column = columns.columnOfLanguage(id);
        auto* item = new QListWidgetItem(qs(columns.header(column)), where_);
        item->setData(ColumnRole, column);
    }
    // The entries chosen last time, or all of them.
    bool any = false;
    for (int i = 0; i < where_->count(); ++i) {
        const std::string name = where_->item(i)->text().toStdString();
        const bool chosen = std::find(context_.rememberedWhere.begin(), context_.rememberedWhere.end(), name) !=
                            context_.rememberedWhere.end();
        where_->item(i)->setSelected(chosen);
        any = any || chosen;
    }
    if (!any)
        where_->selectAll();

    auto fill = [](QComboBox* box, const SearchHistory& history) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // What is typed is searched for exactly as typed: the history is offered in the drop-down
        // only, never completed into the field ("&Öffnen" must not become an older "&Öffnenc"),
        // and Return does not swap the text for an entry that differs only in case.
        box->setCompleter(nullptr);
        box->setDuplicatesEnabled(true);
        for (const std::string& entry : history.entries())
            box->addItem(qs(entry));
        box->setCurrentIndex(history.entries().empty() ? -1 : 0);
    };
    // The box and its edit field are named by their label, never by the text they hold.
    auto name = [](QComboBox* box, const QString& text) {
        box->setAccessibleName(text);
        box->lineEdit()->setAccessibleName(text);
    };
    fill(what_, context_.searches);
    name(what_, QStringLiteral("Find what"));
    auto* form = new QFormLayout;
    form->addRow(qs(txt::LabelWhere), where_);
    if (mode == Mode::Find) {
        textMode_ = new QRadioButton(qs(txt::LabelWhat), this);
        changedItems_ = new QRadioButton(qs(txt::OptionChangedItems), this);
        textMode_->setChecked(true);
        form->addRow(textMode_, what_);
        form->addRow(QString(), changedItems_);
        connect(changedItems_, &QRadioButton::toggled, this, &CFindDlg::updateButtons);
    } else {
        with_ = new QComboBox(this);
        fill(with_, context_.replacements);
        name(with_, QStringLiteral("Replace with"));
        form->addRow(qs(txt::LabelFindWhat), what_);
        form->addRow(qs(txt::LabelReplaceWith), with_);
    }
    form->addRow(QString(), matchCase_);
    form->addRow(QString(), wholeWord_);
    matchCase_->setChecked(mode == Mode::Find);
    if (mode == Mode::Find)
        form->addRow(QString(), makeDirectionBox());

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const char* text, auto slot) {
        auto* button = new QPushButton(qs(text), this);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
        actions_.push_back(button);
        return button;
    };
    addButton(mode == Mode::Find ? txt::ButtonFindNext : txt::ButtonReplaceFindNext, [this] { findNext(); })
        ->setDefault(true);
    if (mode == Mode::Find) {
        addButton(txt::ButtonMarkAll, [this] { markAll(); });
    } else {
        addButton(txt::ButtonReplace, [this] { replace(); });
        addButton(txt::ButtonReplaceAll, [this] { replaceAll(); });
    }
    auto* close = new QPushButton(qs(txt::ButtonClose), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // Tab follows the form as it reads: where, what, the replacement, the options, then the
    // buttons (the widgets were made in another order).
    std::vector<QWidget*> order{where_};
    if (textMode_)
        order.push_back(textMode_);
    order.push_back(what_);
    if (changedItems_)
        order.push_back(changedItems_);
    if (with_)
        order.push_back(with_);
    order.push_back(matchCase_);
    order.push_back(wholeWord_);
    if (down_) {
        order.push_back(up_);
        order.push_back(down_);
    }
    order.insert(order.end(), actions_.begin(), actions_.end());
    order.push_back(close);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    buttons->addWidget(close);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);
    connect(where_, &QListWidget::itemSelectionChanged, this, &CFindDlg::updateButtons);
    connect(what_, &QComboBox::editTextChanged, this, &CFindDlg::updateButtons);
    updateButtons();
    // Typing goes into the search text, the last one chosen so that it is replaced.
    what_->setFocus();
    if (what_->lineEdit())
        what_->lineEdit()->selectAll();
}

QGroupBox* CFindDlg::makeDirectionBox()
{
    auto* box = new QGroupBox(qs(txt::LabelDirection), this);
    up_ = new QRadioButton(qs(txt::OptionUp), box);
    down_ = new QRadioButton(qs(txt::OptionDown), box);
    up_->setEnabled(false);  // every search runs downwards, wrapping at the end
    down_->setChecked(true);
    auto* row = new QHBoxLayout(box);
    row->addWidget(up_);
    row->addWidget(down_);
    return box;
}

void CFindDlg::setDirectionDown(bool down)
{
    if (up_)
        (down ? down_ : up_)->setChecked(true);
}

bool CFindDlg::directionDown() const
{
    return !up_ || !up_->isChecked();
}

void CFindDlg::updateButtons()
{
    const bool where = !where_->selectedItems().isEmpty();
    const bool what = !what_->currentText().isEmpty() || (changedItems_ && changedItems_->isChecked());
    for (QPushButton* button : actions_)
        button->setEnabled(where && what);
}

SearchOptions CFindDlg::takeOptions()
{
    SearchOptions options;
    options.pattern = what_->currentText().toStdString();
    options.matchCase = matchCase_->isChecked();
    options.wholeWord = wholeWord_->isChecked();
    options.changedItems = changedItems_ && changedItems_->isChecked();
    context_.rememberedWhere.clear();
    for (QListWidgetItem* item : where_->selectedItems()) {
        context_.rememberedWhere.push_back(item->text().toStdString());
        const int column = item->data(ColumnRole).toInt();
        if (!(options.changedItems && column == TextTableColumns::SourceColumn))
            options.columns.push_back(column);
    }
    std::sort(options.columns.begin(), options.columns.end());
    if (!options.changedItems)
        context_.searches.add(options.pattern);
    if (with_)
        context_.replacements.add(with_->currentText().toStdString());
    if (context_.historiesChanged)
        context_.historiesChanged();
    return options;
}

void CFindDlg::endReplacedMarks()
{
    CChildFrame::SearchState& state = context_.child->search();
    if (std::exchange(state.marksUntilSearch, false))
        context_.child->document().showCellMarks({});
}

bool CFindDlg::findNext()
{
    endReplacedMarks();
    if (mode_ == Mode::Replace) {
        context_.child->search().options = takeOptions();
        return findMatch(false);
    }
    CChildFrame::SearchState& state = context_.child->search();
    state.options = takeOptions();
    CTextListView* table = context_.child->textList();
    const int start = std::max(0, context_.child->document().rows().rowOfLineIndex(context_.child->chosenItem().lineIndex));
    const int column = state.hit.row == start ? state.hit.column : -1;
    const std::optional<CellHit> hit = findNextCell(context_.child->document().rows(), state.options, start, column);
    if (!hit) {
        context_.feedback.messageText(state.options.changedItems
                                          ? std::string(txt::NoChangedSourceText)
                                          : fillPlaceholders(txt::NoMatchesFound, {state.options.pattern}),
                                      Icon::Information);
        state.options.changedItems = false;
        return false;
    }
    state.hit = *hit;
    if (std::optional<LanguageId> language = context_.child->document().rows().columns().languageOfColumn(hit->column))
        table->setCurrentLanguage(*language);
    context_.child->chooseItem(context_.child->document().rows().item(hit->row).lineIndex);
    return true;
}

bool CFindDlg::markAll()
{
    context_.child->search().marksUntilSearch = false;  // Mark All puts its own marks in their place
    const SearchOptions options = takeOptions();
    std::vector<std::pair<int, int>> cells;
    for (const CellHit& hit : findAllCells(context_.child->document().rows(), options))
        cells.emplace_back(hit.row, hit.column);
    context_.child->document().markCells(cells);
    if (cells.empty())
        context_.feedback.messageText(options.changedItems ? std::string(txt::NoChangedSourceText)
                                                           : fillPlaceholders(txt::NoMatchesFound, {options.pattern}),
                                      Icon::Information);
    return !cells.empty();
}

bool CFindDlg::findMatch(bool quiet)
{
    CChildFrame::SearchState& state = context_.child->search();
    CTextListView* table = context_.child->textList();
    const int patternLength = codePointCount(state.options.pattern);
    // Go on after the current match, or from the start of the selected row's cell.
    const int chosenRow = context_.child->document().rows().rowOfLineIndex(context_.child->chosenItem().lineIndex);
    const bool current = state.hit.position >= 0 && state.hit.row == chosenRow;
    const int row = current ? state.hit.row : std::max(0, chosenRow);
    const int column = current ? state.hit.column : (state.options.columns.empty() ? 0 : state.options.columns.front());
    const int from = current ? state.hit.position + state.matchLength : 0;
    const std::optional<CellHit> hit =
        findNextCell(context_.child->document().rows(), state.options, row, column, from, true);
    if (!hit) {
        if (!quiet)
            context_.feedback.messageText(fillPlaceholders(txt::PatternNotFound, {state.options.pattern}),
                                          Icon::Information);
        state.hit = {};
        return false;
    }
    state.hit = *hit;
    state.matchLength = patternLength;
    if (std::optional<LanguageId> language = context_.child->document().rows().columns().languageOfColumn(hit->column))
        table->setCurrentLanguage(*language);
    context_.child->chooseItem(context_.child->document().rows().item(hit->row).lineIndex);
    context_.bar->selectInTranslation(hit->position, patternLength);
    return true;
}

bool CFindDlg::replace()
{
    endReplacedMarks();
    CChildFrame::SearchState& state = context_.child->search();
    state.options = takeOptions();
    if (state.hit.position < 0 && !findMatch(false))
        return false;
    const std::string replacement = with_ ? with_->currentText().toStdString() : std::string();
    context_.bar->replaceSelection(qs(replacement));
    if (!context_.bar->store())
        return false;
    // The search goes on after the inserted text.
    state.matchLength = codePointCount(replacement);
    findMatch(true);
    return true;
}

int CFindDlg::replaceAll()
{
    const std::string replacement = with_ ? with_->currentText().toStdString() : std::string();
    // An empty replacement deletes every occurrence in every chosen translation: asked first,
    // and No (the default) leaves everything as it was.
    if (replacement.empty() &&
        !context_.feedback.askText(fillPlaceholders(txt::ReplaceAllDeleteQuestion, {what_->currentText().toStdString()}),
                                   false))
        return 0;
    endReplacedMarks();
    const SearchOptions options = takeOptions();
    CQuillDoc& doc = context_.child->document();
    const ReplaceAllResult result = qmk::replaceAll(doc, options, replacement);
    context_.child->search().hit = {};
    context_.child->search().marksUntilSearch = result.texts > 0;
    if (!result.refused.empty()) {
        std::string lines;
        for (const std::string& line : result.refused)
            lines += line + "\n";
        context_.feedback.messageText(fillPlaceholders(txt::ReplaceRefused, {lines}), Icon::Exclamation);
    }
    if (result.replaced == 0) {
        context_.feedback.messageText(fillPlaceholders(txt::PatternNotFound, {options.pattern}), Icon::Information);
        return 0;
    }
    context_.feedback.messageText(
        fillPlaceholders(txt::ReplacedCount, {options.pattern, std::to_string(result.replaced)}) + "\n\n" +
            fillPlaceholders(txt::ReplacedWhere, {counted(result.replaced, "occurrence", "occurrences"),
                                                  counted(result.texts, "text", "texts"),
                                                  counted(result.rows, "row", "rows")}),
        Icon::Information);
    return result.replaced;
}

} // namespace qmk
