// The menu preview: the whole menu as a tree that stays open, each item in the source or a
// translation with an icon for its state; selecting an item shows it in the translation bar.
#pragma once

#include <vector>

#include "project/PreviewLayout.h"
#include "ui/CPreviewView.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace qmk {

class CDynMenuView : public CPreviewView {
    Q_OBJECT
public:
    CDynMenuView(CQuillDoc& doc, int menuLine, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return tree_; }
    QString title(const QString& projectTitle) const override;
    int selectedLine() const override;
    bool selectLine(int lineIndex) override;
    bool step(bool forward) override;
    int itemCount() const override { return static_cast<int>(items_.size()); }
    // The icon index each item shows now, in tree order.
    std::vector<int> iconIndexes() const { return icons_; }

    // ProjectObserver
    void translationStored(int lineIndex, LanguageId language) override;
    void itemExcluded(int lineIndex, bool excluded) override;

protected:
    void showTexts() override;

private:
    void showItem(std::size_t index);

    QTreeWidget* tree_;
    std::vector<MenuNode> nodes_;
    std::vector<QTreeWidgetItem*> items_;
    std::vector<int> icons_;
    std::string menuName_;
};

} // namespace qmk
