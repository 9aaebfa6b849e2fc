// Draws a Text Table cell the way translators read it: red text for a translation flagged for
// review, the text crossed out for an excluded item, a line above the first row of a new group
// (a second kind above another dialog's first row), grid lines, and a point for a marked cell.
// Of the selected row only the cells OK stores to are drawn selected (the Id and source cells
// while the source column is current, else the current translation's cell); the others are tinted.
#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace qmk {

class CTextListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using ColumnRule = std::function<bool(int column)>;
    CTextListDelegate(ColumnRule current, QObject* parent) : QStyledItemDelegate(parent), current_(std::move(current)) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    ColumnRule current_;
};

} // namespace qmk
