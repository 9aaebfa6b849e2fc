// The list of conflicts an import left to settle.
#include "ui/CConflictsDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "project/CQuillDoc.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

QString qs(const char* text) { return QString::fromUtf8(text); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

constexpr int IndexRole = Qt::UserRole + 1;

} // namespace

CConflictsDlg::CConflictsDlg(CQuillDoc& doc, LanguageId language, std::vector<ImportDisagreement> conflicts,
                             QWidget* parent)
    : QDialog(parent), doc_(doc), language_(language), conflicts_(std::move(conflicts)), list_(new QTreeWidget(this)),
      theirs_(new QPushButton(qs(txt::ButtonTakeTheirs), this)), ours_(new QPushButton(qs(txt::ButtonKeepOurs), this))
{
    setWindowTitle(qs(txt::ConflictsTitle));
    auto* label = new QLabel(qs(txt::ConflictsExplained), this);
    label->setWordWrap(true);
    list_->setAccessibleName(QStringLiteral("Conflicts"));
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({qs(txt::ConflictsColumnItem), qs(txt::ConflictsColumnOurs), qs(txt::ConflictsColumnTheirs)});
    list_->header()->setSectionResizeMode(QHeaderView::Stretch);
    for (std::size_t i = 0; i < conflicts_.size(); ++i) {
        const ImportDisagreement& conflict = conflicts_[i];
        auto* row = new QTreeWidgetItem(list_, {qs(conflict.ident), qs(conflict.ours), qs(conflict.theirs)});
        row->setData(0, IndexRole, static_cast<int>(i));
        row->setToolTip(1, qs(conflict.ours));
        row->setToolTip(2, qs(conflict.theirs));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(theirs_, QDialogButtonBox::ActionRole);
    buttons->addButton(ours_, QDialogButtonBox::ActionRole);
    for (QPushButton* button : {theirs_, ours_})
        button->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    connect(theirs_, &QPushButton::clicked, this, [this] { settleChosen(true); });
    connect(ours_, &QPushButton::clicked, this, [this] { settleChosen(false); });
    connect(list_, &QTreeWidget::currentItemChanged, this, &CConflictsDlg::updateButtons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(640, 320);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    list_->setFocus();
    updateButtons();
}

bool CConflictsDlg::settleChosen(bool takeTheirs)
{
    QTreeWidgetItem* row = list_->currentItem();
    if (!row)
        return false;
    const ImportDisagreement& conflict = conflicts_[static_cast<std::size_t>(row->data(0, IndexRole).toInt())];
    if (!settleConflict(doc_, language_, conflict, takeTheirs).done())
        return false;
    delete row;  // settled: the next one becomes current
    updateButtons();
    if (list_->topLevelItemCount() == 0)
        accept();
    return true;
}

void CConflictsDlg::updateButtons()
{
    const bool chosen = list_->currentItem() != nullptr;
    theirs_->setEnabled(chosen);
    ours_->setEnabled(chosen);
}

} // namespace qmk
