// Showing and hiding the main window's bars.
#include "ui/CToolbarSettingsSheet.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "resources/UiTexts.h"

namespace qmk {

CToolbarSettingsSheet::CToolbarSettingsSheet(std::vector<Bar> bars, QWidget* parent)
    : QDialog(parent), bars_(std::move(bars)), list_(new QListWidget(this))
{
    setWindowTitle(QString::fromUtf8(txt::ToolbarSettingsTitle));
    list_->setAccessibleName(QString::fromUtf8(txt::ToolbarsPageTitle));
    for (const Bar& bar : bars_) {
        auto* item = new QListWidgetItem(bar.name, list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(!bar.widget->isHidden() ? Qt::Checked : Qt::Unchecked);
    }
    auto* tabs = new QTabWidget(this);
    tabs->addTab(list_, QString::fromUtf8(txt::ToolbarsPageTitle));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CToolbarSettingsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

void CToolbarSettingsSheet::accept()
{
    for (int i = 0; i < list_->count(); ++i) {
        const bool shown = list_->item(i)->checkState() == Qt::Checked;
        QWidget* bar = bars_[static_cast<std::size_t>(i)].widget;
        if (bar->isHidden() == shown)
            bar->setVisible(shown);
    }
    QDialog::accept();
}

} // namespace qmk
