// The menu preview.
#include "ui/CDynMenuView.h"

#include <QMenu>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "project/CQuillDoc.h"
#include "project/MnemonicText.h"
#include "resources/Messages.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

// Draws a menu label as a menu does: the access key underlined, "&&" as one "&".
class MnemonicDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        const QString text = cell.text;
        cell.text.clear();
        QStyle* style = cell.widget ? cell.widget->style() : nullptr;
        if (!style)
            return QStyledItemDelegate::paint(painter, option, index);
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget);
        painter->save();
        painter->setPen(cell.palette.color(cell.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                               : QPalette::Text));
        painter->setFont(cell.font);
        painter->drawText(area.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, text);
        painter->restore();
    }
};

// The state icons: a folder-like square for popups, a dot for items, in the colour of their
// state (untranslated blue, translated green, flagged red, source black, excluded grey).
QIcon stateIcon(int index)
{
    const bool popup = index == 0 || index == 2 || index == 4 || index == 14 || index == 18;
    QColor colour(0, 0, 255);
    switch (index) {
    case 2:
    case 8: colour = QColor(0, 140, 0); break;
    case 4:
    case 10: colour = QColor(220, 0, 0); break;
    case 12:
    case 14: colour = Qt::black; break;
    case 16:
    case 18: colour = QColor(128, 128, 128); break;
    default: break;
    }
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(130));
    painter.setBrush(colour);
    if (popup)
        painter.drawRoundedRect(QRectF(2, 3, 12, 10), 2, 2);
    else
        painter.drawEllipse(QRectF(4, 4, 8, 8));
    return QIcon(pixmap);
}

} // namespace

CDynMenuView::CDynMenuView(CQuillDoc& doc, int menuLine, QWidget* parent)
    : CPreviewView(doc, Kind::Menu, menuLine, parent), tree_(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("menuPreview"));
    tree_->setColumnCount(2);  // the label, and the accelerator at the right
    tree_->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Shortcut")});  // named for screen readers
    tree_->setHeaderHidden(true);
    tree_->setItemDelegateForColumn(0, new MnemonicDelegate(tree_));
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    tree_->setItemsExpandable(false);  // the tree always stays open
    tree_->setRootIsDecorated(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);
    setFocusProxy(tree_);
    try {
        menuName_ = previewResourceName(doc, PreviewKind::Menu, menuLine);
    } catch (...) {
        // the name is only for the title
    }
    tree_->setAccessibleName(QStringLiteral("Menu %1").arg(QString::fromStdString(menuName_)));
    nodes_ = buildMenuTree(doc, menuLine);
    for (const MenuNode& node : nodes_) {
        QTreeWidgetItem* item = node.parent < 0 ? new QTreeWidgetItem(tree_)
                                                : new QTreeWidgetItem(items_[static_cast<std::size_t>(node.parent)]);
        item->setData(0, Qt::UserRole, node.lineIndex);
        items_.push_back(item);
    }
    icons_.assign(items_.size(), 0);
    tree_->expandAll();
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            emit itemChosen(item->data(0, Qt::UserRole).toInt());
    });
    // The same context menu as the dialog preview's.
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QTreeWidgetItem* item = tree_->itemAt(at);
        if (!item)
            return;
        tree_->setCurrentItem(item);
        execItemMenu(tree_->viewport()->mapToGlobal(at));
    });
    showTexts();
    if (!items_.empty())
        tree_->setCurrentItem(items_.front());
}

QString CDynMenuView::title(const QString& projectTitle) const
{
    return QString::fromStdString(fillPlaceholders(txt::MenuPreviewTitle, {menuName_, projectTitle.toStdString()}));
}

void CDynMenuView::showItem(std::size_t index)
{
    const MenuNode& node = nodes_[index];
    const PreviewText text = previewText(doc_, node.lineIndex, language());
    icons_[index] = menuIcon(node.popup, text, !language());
    const MenuLabel label = splitMenuLabel(text.shown);
    items_[index]->setText(0, QString::fromStdString(label.label));
    items_[index]->setText(1, QString::fromStdString(label.accelerator));
    items_[index]->setData(0, Qt::AccessibleTextRole, QString::fromStdString(splitMnemonic(label.label).text));
    items_[index]->setIcon(0, stateIcon(icons_[index]));
    items_[index]->setToolTip(0, QString::fromStdString(controlLook(node.ident, text, !language()).tooltip));
}

void CDynMenuView::showTexts()
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        showItem(i);
}

int CDynMenuView::selectedLine() const
{
    const QTreeWidgetItem* item = tree_->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

bool CDynMenuView::selectLine(int lineIndex)
{
    for (QTreeWidgetItem* item : items_)
        if (item->data(0, Qt::UserRole).toInt() == lineIndex) {
            const QSignalBlocker quiet(tree_);
            tree_->setCurrentItem(item);
            return true;
        }
    return false;
}

bool CDynMenuView::step(bool forward)
{
    const auto current = std::find(items_.begin(), items_.end(), tree_->currentItem());
    const int index = current == items_.end() ? -1 : static_cast<int>(current - items_.begin());
    const int next = nextControl(index, itemCount(), forward);
    if (next < 0)
        return false;
    tree_->setCurrentItem(items_[static_cast<std::size_t>(next)]);
    return true;
}

void CDynMenuView::translationStored(int lineIndex, LanguageId language)
{
    if (!this->language() || !(language == *this->language()))
        return;
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].lineIndex == lineIndex)
            showItem(i);
}

void CDynMenuView::itemExcluded(int lineIndex, bool)
{
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].lineIndex == lineIndex)
            showItem(i);
}

} // namespace qmk
