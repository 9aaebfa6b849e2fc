// The Text Table view.
#include "ui/CTextListView.h"

#include <QContextMenuEvent>
#include <algorithm>

#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <utility>

#include "project/CQuillDoc.h"
#include "project/ItemNavigation.h"
#include "project/TextSearch.h"
#include "resources/CommandIds.h"
#include "ui/ContextMenu.h"
#include "ui/CTextListDelegate.h"
#include "ui/CTextTableModel.h"

namespace qmk {

// Hides the rows a filter leaves out; the table's own rows and their order stay as they are.
class CRowFilterModel : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setShown(const std::vector<bool>& shown)
    {
        shown_ = shown;
        // One layout change: refiltering in place would announce every run of rows that comes or
        // goes, and a filter on 100,000 rows makes thousands of them (seconds in the view).
        invalidate();
    }
    // Each source row's state as the proxy shows it; empty: every row.
    const std::vector<bool>& shown() const { return shown_; }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override
    {
        return shown_.empty() || row >= static_cast<int>(shown_.size()) || shown_[static_cast<std::size_t>(row)];
    }

private:
    std::vector<bool> shown_;
};

CTextListView::CTextListView(CQuillDoc& doc, std::function<QAction*(int)> action, QWidget* parent)
    : QTableView(parent), doc_(doc), action_(std::move(action)), model_(new CTextTableModel(doc, this)),
      shown_(new CRowFilterModel(this))
{
    setObjectName(QStringLiteral("textTable"));
    setAccessibleName(QStringLiteral("Text Table"));
    shown_->setDynamicSortFilter(false);
    shown_->setSourceModel(model_);
    // Rows going (a filter, a display switch) make the selection model and the view move the
    // selection on their own: no choice of the translator's, so nothing is announced until the
    // rows are gone. Told first, before the selection model and the view hear it.
    connect(shown_, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { following_ = true; });
    connect(shown_, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] { following_ = true; });
    connect(shown_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { following_ = true; });
    setModel(shown_);
    connect(shown_, &QAbstractItemModel::rowsRemoved, this, [this] { following_ = false; });
    connect(shown_, &QAbstractItemModel::layoutChanged, this, [this] { following_ = false; });
    connect(shown_, &QAbstractItemModel::modelReset, this, [this] { following_ = false; });
    setItemDelegate(new CTextListDelegate([this](int column) { return isCurrentCell(column); }, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab goes on to the next control: the table is no trap for keyboard users.
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fitRowHeight();
    connect(model_, &CTextTableModel::fontsChanged, this, &CTextListView::fitRowHeight);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setTextElideMode(Qt::ElideRight);
    horizontalHeader()->setStretchLastSection(true);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        const TextTableColumns& columns = doc_.rows().columns();
        if (!sizingColumns_ && column < columns.count() - 1)
            widths_[columns.header(column)] = width;
    });
    resetColumns();

    // Heard once the selection has changed (a mouse press moves the current index first).
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const int row = selectedRow();
        if (following_ || row < 0)
            return;
        selectedLine_ = doc_.rows().item(row).lineIndex;
        emit rowSelected(row);
    });
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { emit rowActivated(rowOf(index)); });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) { chooseColumn(index.column()); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (doc_.rows().columns().isTranslationColumn(column))
            chooseColumn(column);
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        resetColumns();
        applyFilter();
        // A reload (an import, a translation added) keeps the person where they were; the
        // first row is chosen when nothing was.
        if (selectedLine_ < 0)
            selectRow(0);
    });
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this] { applyFilter(); });
    // Rows gone (a display switch) move the filter's rows: it is applied again.
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (filter_.empty())
            reselect();
        else
            applyFilter();
    });
}

void CTextListView::resetColumns()
{
    const TextTableColumns& columns = doc_.rows().columns();
    // Widths the translator set stay; a column new to the table, and the one that stretched to
    // the edge so far, share the room left, so the source does not shrink when a translation
    // joins it.
    const int count = columns.count();
    const int idWidth = columns.width(TextTableColumns::IdColumn) * logicalDpiX() / 96;
    const int textColumns = std::max(1, count - 1);
    const int share = std::max(columns.width(TextTableColumns::SourceColumn) * logicalDpiX() / 96,
                               (viewport()->width() - idWidth) / textColumns);
    sizingColumns_ = true;
    for (int column = 0; column < count; ++column) {
        const auto kept = widths_.find(columns.header(column));
        if (column == TextTableColumns::IdColumn)
            setColumnWidth(column, kept != widths_.end() ? kept->second : idWidth);
        else
            setColumnWidth(column, kept != widths_.end() && kept->first != stretched_ ? kept->second : share);
    }
    stretched_ = count > 0 ? columns.header(count - 1) : std::string();
    sizingColumns_ = false;
    if (!columns.isTranslationColumn(currentColumn_)) {
        currentColumn_ = columns.count() > TextTableColumns::FirstTranslationColumn
                             ? TextTableColumns::FirstTranslationColumn
                             : -1;
        emit currentColumnChanged(currentColumn_);
    }
}

bool CTextListView::isCurrentCell(int column) const
{
    if (sourceChosen_ || currentColumn_ < 0)
        return column == TextTableColumns::IdColumn || column == TextTableColumns::SourceColumn;
    return column == currentColumn_;
}

void CTextListView::chooseColumn(int column)
{
    viewport()->update();
    if (doc_.rows().columns().isTranslationColumn(column)) {
        sourceChosen_ = false;
        if (column != currentColumn_) {
            currentColumn_ = column;
            emit currentColumnChanged(column);
        }
    } else {
        sourceChosen_ = true;
        emit currentColumnChanged(currentColumn_);
    }
}

int CTextListView::rowOf(const QModelIndex& index) const
{
    return index.isValid() ? shown_->mapToSource(index).row() : -1;
}

int CTextListView::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rowOf(rows.first());
}

void CTextListView::setFilter(const std::string& text)
{
    filter_ = text;
    applyFilter();
}

void CTextListView::applyFilter()
{
    shown_->setShown(rowFilter_.apply(doc_.rows(), filter_, currentColumn_));
    reselect();
}

void CTextListView::reselect()
{
    if (selectedLine_ >= 0)
        showLine(selectedLine_);
}

int CTextListView::showLine(int lineIndex)
{
    selectedLine_ = lineIndex;
    const int row = doc_.rows().rowOfLineIndex(lineIndex);
    const QModelIndex index = row >= 0 ? shown_->mapFromSource(model_->index(row, std::max(0, currentColumn_))) : QModelIndex();
    following_ = true;
    if (index.isValid()) {
        if (selectedRow() != row)
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    } else {
        selectionModel()->clearSelection();  // the item's row is hidden: no false selection
    }
    following_ = false;
    return index.isValid() ? row : -1;
}

int CTextListView::shownRowCount() const
{
    return shown_->rowCount();
}

bool CTextListView::isRowShown(int row) const
{
    const std::vector<bool>& shown = shown_->shown();
    return shown.empty() || row >= static_cast<int>(shown.size()) || shown[static_cast<std::size_t>(row)];
}

int CTextListView::selectRow(int row)
{
    if (!doc_.rows().isRow(row))
        return -1;
    const QModelIndex index = shown_->mapFromSource(model_->index(row, std::max(0, currentColumn_)));
    if (!index.isValid())
        return -1;  // hidden by the filter
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
    return row;
}

int CTextListView::selectRowOfLine(int lineIndex)
{
    return selectRow(doc_.rows().rowOfLineIndex(lineIndex));
}

void CTextListView::setCurrentLanguage(LanguageId language)
{
    const int column = doc_.rows().columns().columnOfLanguage(language);
    if (column >= 0)
        chooseColumn(column);
    if (selectedRow() >= 0)
        viewport()->update();
}

std::optional<LanguageId> CTextListView::currentLanguage() const
{
    return doc_.rows().columns().languageOfColumn(currentColumn_);
}

void CTextListView::keyboardSearch(const QString& search)
{
    if (!currentLanguage())
        QTableView::keyboardSearch(search);
    else if (!search.isEmpty() && selectedRow() >= 0)
        emit typedIntoTranslation(search);
}

void CTextListView::nextItem()
{
    if (doc_.rows().rowCount() == 0)
        return;
    const int row = doc_.rows().nextItem(doc_.rows().rowOfLineIndex(selectedLine_), currentColumn_, &shown_->shown());
    if (row >= 0)
        selectRow(row);
}

bool CTextListView::goToItem(bool forward, WantedItem wanted)
{
    const int row = findItem(doc_.rows(), doc_.rows().rowOfLineIndex(selectedLine_), currentColumn_, forward, wanted,
                             &shown_->shown());
    if (row < 0)
        return false;
    selectRow(row);
    return true;
}

void CTextListView::toggleCategory(ProjectSwitch category)
{
    int rowToSelect = -1;
    if (doc_.toggleCategory(category, selectedRow(), &rowToSelect) != OperationResult::Done)
        return;
    // The chosen item stays chosen while the switch hides its row; a table without a chosen
    // item takes the row the switch leaves.
    if (selectedLine_ >= 0)
        reselect();
    else if (rowToSelect >= 0)
        selectRow(rowToSelect);
}

void CTextListView::fitRowHeight()
{
    verticalHeader()->setDefaultSectionSize(model_->rowHeight(font()));
}

void CTextListView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowHeight();
}

void CTextListView::contextMenuEvent(QContextMenuEvent* event)
{
    const int row = rowOf(indexAt(event->pos()));
    if (row < 0)
        return;
    selectRow(row);
    QMenu menu(this);
    fillItemMenu(menu, doc_.rows().item(row).itemType, action_, true, true);
    menu.exec(event->globalPos());
}

} // namespace qmk
