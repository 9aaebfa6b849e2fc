// The "Checks" panel: what the quality checks found in the active project's current
// translation, one finding a row (resource, Id, check, message), narrowed to one check by the
// list above it. A double click or Return goes to the item; "Let Stand" keeps a finding from
// being listed again (Undo takes it back).
#pragma once

#include <QPointer>
#include <QWidget>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace qmk {

class CChildFrame;

class CChecksView : public QWidget {
    Q_OBJECT
public:
    explicit CChecksView(QWidget* parent = nullptr);
    // The project whose findings are listed (none: the list is empty).
    void bind(CChildFrame* child);
    QTreeWidget* list() const { return list_; }
    QComboBox* checkFilter() const { return filter_; }
    // Lets the selected finding stand: it is not listed again until Undo.
    void letStand();

signals:
    // The item of a finding was asked for.
    void itemWanted(int lineIndex);

private:
    void refill();
    void contextMenu(const QPoint& at);

    QPointer<CChildFrame> child_;
    QComboBox* filter_;
    QTreeWidget* list_;
};

} // namespace qmk
