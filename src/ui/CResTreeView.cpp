// The resource tree view.
#include "ui/CResTreeView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>

#include "project/CQuillDoc.h"
#include "resources/UiTexts.h"
#include "ui/ContextMenu.h"

namespace qmk {
namespace {

constexpr int NodeRole = Qt::UserRole + 1;
constexpr int FilledRole = Qt::UserRole + 2;

} // namespace

CResTreeView::CResTreeView(CQuillDoc& doc, std::function<QAction*(int)> action, QWidget* parent)
    : QTreeWidget(parent), doc_(doc), action_(std::move(action))
{
    setObjectName(QStringLiteral("resourceTree"));
    setAccessibleName(QStringLiteral("Resources"));
    setHeaderLabels({QStringLiteral("Resource")});  // hidden, but what screen readers name the column
    setHeaderHidden(true);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { fill(item); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (const ResourceTreeNode* node = nodeOf(item); node && node->lineIndex >= 0) {
            emit nodeChosen(node->itemType, node->lineIndex);
            emit itemChosen(node->lineIndex);
        }
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (const ResourceTreeNode* node = nodeOf(item); node && node->lineIndex >= 0)
            emit itemActivated(node->lineIndex);
    });
    rebuild();
    doc_.addObserver(this);
}

CResTreeView::~CResTreeView()
{
    doc_.removeObserver(this);
}

void CResTreeView::rebuild()
{
    clear();
    nodes_.clear();
    auto* root = new QTreeWidgetItem(this, {QString::fromUtf8(txt::TreeResources)});
    root->setData(0, FilledRole, true);
    for (const ResourceTreeNode& category : resourceTreeCategories(doc_.switches()))
        root->addChild(makeItem(category));
    root->setExpanded(true);
}

QTreeWidgetItem* CResTreeView::makeItem(const ResourceTreeNode& node)
{
    nodes_.push_back(node);
    auto* item = new QTreeWidgetItem({QString::fromStdString(node.label)});
    item->setData(0, NodeRole, static_cast<int>(nodes_.size() - 1));
    if (node.hasChildren)
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

const ResourceTreeNode* CResTreeView::nodeOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const QVariant index = item->data(0, NodeRole);
    if (!index.isValid())
        return nullptr;
    return &nodes_.at(static_cast<std::size_t>(index.toInt()));
}

void CResTreeView::fill(QTreeWidgetItem* item)
{
    if (item->data(0, FilledRole).toBool())
        return;
    item->setData(0, FilledRole, true);
    const ResourceTreeNode* node = nodeOf(item);
    if (!node)
        return;
    // A copy: adding children may move the stored nodes.
    const ResourceTreeNode parent = *node;
    QList<QTreeWidgetItem*> children;
    for (const ResourceTreeNode& child : resourceTreeChildren(doc_, parent))
        children.append(makeItem(child));
    item->addChildren(children);
    if (children.isEmpty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void CResTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    const ResourceTreeNode* node = nodeOf(itemAt(event->pos()));
    if (!node || node->lineIndex < 0)
        return;
    QMenu menu(this);
    fillItemMenu(menu, node->itemType, action_, false, false);
    menu.exec(event->globalPos());
}

} // namespace qmk
