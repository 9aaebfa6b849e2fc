// The "Checks" panel.
#include "ui/CChecksView.h"

#include <algorithm>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "checks/CheckCatalogue.h"
#include "checks/CheckEngine.h"
#include "checks/TranslationFindings.h"
#include "project/CQuillDoc.h"
#include "resources/MenuTexts.h"
#include "ui/CChildFrame.h"

namespace qmk {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

enum Column { ResourceColumn, IdColumn, CheckColumn, MessageColumn };
constexpr int LineRole = Qt::UserRole + 1;

} // namespace

CChecksView::CChecksView(QWidget* parent) : QWidget(parent), filter_(new QComboBox(this)), list_(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("checksView"));
    filter_->addItem(qs(txt::ChecksAll), QString());
    for (const CheckInfo& info : checkCatalogue())
        filter_->addItem(qs(info.title), qs(info.id));
    filter_->setAccessibleName(QStringLiteral("Check"));
    // The panel sits beside the Translation box: the list of checks need not set its width.
    filter_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    filter_->setMinimumContentsLength(10);
    list_->setAccessibleName(QStringLiteral("Findings"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({qs(txt::ChecksColumnResource), qs(txt::ChecksColumnId), qs(txt::ChecksColumnCheck),
                            qs(txt::ChecksColumnMessage)});
    list_->header()->setStretchLastSection(true);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    // Which checks the project runs: a menu of the catalogue, each switched on or off.
    auto* which = new QToolButton(this);
    which->setText(qs(txt::ChecksSwitch));
    which->setAccessibleName(qs(txt::ChecksSwitch).remove(QLatin1Char('&')));
    which->setPopupMode(QToolButton::InstantPopup);
    auto* switches = new QMenu(which);
    which->setMenu(switches);
    connect(switches, &QMenu::aboutToShow, this, [this, switches] {
        switches->clear();
        if (!child_)
            return;
        const std::vector<std::string> on = enabledChecks(child_->document());
        for (const CheckInfo& info : checkCatalogue()) {
            QAction* entry = switches->addAction(qs(info.title));
            entry->setCheckable(true);
            entry->setChecked(std::find(on.begin(), on.end(), info.id) != on.end());
            const std::string id(info.id);
            connect(entry, &QAction::toggled, this,
                    [this, id](bool enabled) { child_->document().setCheckEnabled(id, enabled); });
        }
    });
    auto* top = new QHBoxLayout;
    auto* form = new QFormLayout;
    form->addRow(qs(txt::ChecksFilterLabel), filter_);
    top->addLayout(form, 1);
    top->addWidget(which);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(list_);
    connect(filter_, &QComboBox::currentIndexChanged, this, &CChecksView::refill);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { emit itemWanted(item->data(0, LineRole).toInt()); });
    connect(list_, &QWidget::customContextMenuRequested, this, &CChecksView::contextMenu);
}

void CChecksView::bind(CChildFrame* child)
{
    if (child == child_)
        return;
    if (child_)
        disconnect(child_, nullptr, this, nullptr);
    child_ = child;
    if (child)
        connect(child, &CChildFrame::findingsChanged, this, &CChecksView::refill);
    refill();
}

void CChecksView::refill()
{
    list_->clear();
    if (!child_)
        return;
    const QString only = filter_->currentData().toString();
    QList<QTreeWidgetItem*> rows;
    for (const CheckFinding& finding : child_->findings().all()) {
        if (!only.isEmpty() && qs(finding.check) != only)
            continue;
        auto* row = new QTreeWidgetItem({QString::fromStdString(finding.resource), QString::fromStdString(finding.ident),
                                         qs(finding.check), QString::fromStdString(finding.message)});
        row->setData(0, LineRole, finding.lineIndex);
        row->setToolTip(MessageColumn, row->text(MessageColumn));
        rows << row;
    }
    list_->addTopLevelItems(rows);
}

void CChecksView::letStand()
{
    QTreeWidgetItem* row = list_->currentItem();
    if (!child_ || !row || !child_->findings().language())
        return;
    child_->document().setFindingIgnored(
        {row->data(0, LineRole).toInt(), *child_->findings().language(), row->text(CheckColumn).toStdString()}, true);
}

void CChecksView::contextMenu(const QPoint& at)
{
    // The menu key and Shift+F10 ask for the current finding's menu, wherever the pointer is.
    QTreeWidgetItem* row = list_->itemAt(at);
    QPoint place = list_->viewport()->mapToGlobal(at);
    if (!row || !list_->viewport()->rect().contains(at)) {
        row = list_->currentItem();
        if (!row)
            return;
        place = list_->viewport()->mapToGlobal(list_->visualItemRect(row).center());
    }
    list_->setCurrentItem(row);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("findingMenu"));
    menu.addAction(qs(txt::ChecksGoToItem), this, [this, row] { emit itemWanted(row->data(0, LineRole).toInt()); });
    menu.addAction(qs(txt::ChecksLetStand), this, &CChecksView::letStand);
    menu.exec(place);
}

} // namespace qmk
