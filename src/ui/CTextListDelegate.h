// Draws a Text Table cell the way translators read it: red text for a translation flagged for
// review, the text crossed out for an excluded item, a line above the first row of a new group
// (a second kind above another dialog's first row), grid lines, and a point for a marked cell.
#pragma once

#include <QStyledItemDelegate>

namespace qmk {

class CTextListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace qmk
