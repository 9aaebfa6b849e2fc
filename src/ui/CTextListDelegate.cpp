// Painting of the Text Table's cells.
#include "ui/CTextListDelegate.h"

#include <QPainter>

#include "project/TextTableColumns.h"
#include "ui/CTextTableModel.h"

namespace qmk {

void CTextListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    // An excluded text's translations are struck out; its Id and source stay readable.
    if (index.column() >= TextTableColumns::FirstTranslationColumn && index.data(CTextTableModel::ExcludedRole).toBool())
        cell.font.setStrikeOut(true);
    if ((cell.state & QStyle::State_Selected) && !current_(index.column())) {
        // The style has drawn the whole row selected already: this cell is painted over.
        cell.state &= ~QStyle::State_Selected;
        QColor tint = option.palette.color(QPalette::Highlight);
        tint.setAlpha(40);
        painter->fillRect(option.rect, option.palette.brush(QPalette::Base));
        painter->fillRect(option.rect, tint);
    }
    QStyledItemDelegate::paint(painter, cell, index);

    painter->save();
    const QRect r = option.rect;
    const QColor grid = option.palette.color(QPalette::Mid);
    painter->setPen(grid);
    painter->drawLine(r.topRight(), r.bottomRight());
    switch (index.data(CTextTableModel::GroupStartRole).toInt()) {
    case 1:
        painter->setPen(QPen(option.palette.color(QPalette::Text), 1));
        painter->drawLine(r.topLeft(), r.topRight());
        break;
    case 2:
        painter->setPen(QPen(grid, 1, Qt::DashLine));
        painter->drawLine(r.topLeft(), r.topRight());
        break;
    default:
        break;
    }
    if (index.data(CTextTableModel::MarkRole).toBool()) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0, 90, 200));
        painter->drawEllipse(QRect(r.left() + 1, r.top() + 1, 7, 7));
    }
    painter->restore();
}

} // namespace qmk
