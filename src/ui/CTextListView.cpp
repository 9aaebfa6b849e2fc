// The Text Table view.
#include "ui/CTextListView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>

#include "project/CQuillDoc.h"
#include "resources/CommandIds.h"
#include "ui/ContextMenu.h"
#include "ui/CTextListDelegate.h"
#include "ui/CTextTableModel.h"

namespace qmk {

CTextListView::CTextListView(CQuillDoc& doc, std::function<QAction*(int)> action, QWidget* parent)
    : QTableView(parent), doc_(doc), action_(std::move(action)), model_(new CTextTableModel(doc, this))
{
    setObjectName(QStringLiteral("textTable"));
    setAccessibleName(QStringLiteral("Text Table"));
    setModel(model_);
    setItemDelegate(new CTextListDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setTextElideMode(Qt::ElideRight);
    horizontalHeader()->setStretchLastSection(true);
    resetColumns();

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit rowSelected(current.isValid() ? current.row() : -1); });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) { chooseColumn(index.column()); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (doc_.rows().columns().isTranslationColumn(column))
            chooseColumn(column);
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { resetColumns(); });
}

void CTextListView::resetColumns()
{
    const TextTableColumns& columns = doc_.rows().columns();
    for (int column = 0; column < columns.count(); ++column)
        setColumnWidth(column, columns.width(column) * logicalDpiX() / 96);
    if (!columns.isTranslationColumn(currentColumn_)) {
        currentColumn_ = columns.count() > TextTableColumns::FirstTranslationColumn
                             ? TextTableColumns::FirstTranslationColumn
                             : -1;
        emit currentColumnChanged(currentColumn_);
    }
}

void CTextListView::chooseColumn(int column)
{
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

int CTextListView::selectedRow() const
{
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() && selectionModel()->isRowSelected(current.row(), {}) ? current.row() : -1;
}

int CTextListView::selectRow(int row)
{
    if (!doc_.rows().isRow(row))
        return -1;
    const QModelIndex index = model_->index(row, std::max(0, currentColumn_));
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

void CTextListView::nextItem()
{
    if (doc_.rows().rowCount() == 0)
        return;
    const int row = doc_.rows().nextItem(selectedRow(), currentColumn_);
    if (row >= 0)
        selectRow(row);
}

void CTextListView::toggleExclude()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const CObjectData& item = doc_.rows().item(row);
    doc_.setExcluded(item.lineIndex, !item.excluded);
}

void CTextListView::toggleCategory(ProjectSwitch category)
{
    int rowToSelect = -1;
    if (doc_.toggleCategory(category, selectedRow(), &rowToSelect) != OperationResult::Done)
        return;
    if (rowToSelect >= 0)
        selectRow(rowToSelect);
}

void CTextListView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void CTextListView::contextMenuEvent(QContextMenuEvent* event)
{
    const int row = rowAt(event->pos().y());
    if (row < 0)
        return;
    selectRow(row);
    QMenu menu(this);
    fillItemMenu(menu, doc_.rows().item(row).itemType, action_, true, true);
    menu.exec(event->globalPos());
}

} // namespace qmk
