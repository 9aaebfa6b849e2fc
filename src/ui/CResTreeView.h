// The resource tree beside the Text Table: the project's resources by category, opened node by
// node. Selecting an item selects its row in the Text Table.
#pragma once

#include <QTreeWidget>
#include <functional>
#include <vector>

#include "project/ProjectObserver.h"
#include "project/ResourceTree.h"

namespace qmk {

class CQuillDoc;

class CResTreeView : public QTreeWidget, public ProjectObserver {
    Q_OBJECT
public:
    CResTreeView(CQuillDoc& doc, std::function<QAction*(int)> action, QWidget* parent = nullptr);
    ~CResTreeView() override;

    // Deletes every node and creates the categories again, the root opened.
    void rebuild();

    // ProjectObserver
    void tableReset() override { rebuild(); }
    void sourceUpdated() override { rebuild(); }

signals:
    void itemChosen(int lineIndex);
    // Any node with an item, with its type (a dialog or a menu has no row of its own).
    void nodeChosen(ItemType type, int lineIndex);
    void itemActivated(int lineIndex);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void fill(QTreeWidgetItem* item);
    QTreeWidgetItem* makeItem(const ResourceTreeNode& node);
    const ResourceTreeNode* nodeOf(const QTreeWidgetItem* item) const;

    CQuillDoc& doc_;
    std::function<QAction*(int)> action_;
    std::vector<ResourceTreeNode> nodes_;  // a node's place here is kept in its item's data
};

} // namespace qmk
