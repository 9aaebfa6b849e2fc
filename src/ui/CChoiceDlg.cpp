// The multiple-choice dialog.
#include "ui/CChoiceDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qmk {

CChoiceDlg::CChoiceDlg(const QString& title, const QString& label, const QStringList& entries,
                       const std::vector<int>& chosen, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this))
{
    setWindowTitle(title);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(list_);
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->setAccessibleName(QString(label).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    list_->addItems(entries);
    for (int index : chosen)
        if (index >= 0 && index < list_->count())
            list_->item(index)->setSelected(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto update = [this, buttons] { buttons->button(QDialogButtonBox::Ok)->setEnabled(!list_->selectedItems().isEmpty()); };
    connect(list_, &QListWidget::itemSelectionChanged, this, update);
    update();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

std::vector<int> CChoiceDlg::chosen() const
{
    std::vector<int> rows;
    for (QListWidgetItem* item : list_->selectedItems())
        rows.push_back(list_->row(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace qmk
