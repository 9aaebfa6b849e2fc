// The project file list view.
#include "ui/CRowListView.h"

#include <QHeaderView>

#include "app/ProjectFileRows.h"
#include "resources/FileNames.h"
#include "resources/UiTexts.h"

namespace qmk {
namespace {

constexpr int PathRole = Qt::UserRole + 1;

} // namespace

CRowListView::CRowListView(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("projectFiles"));
    setAccessibleName(QString::fromUtf8(txt::BarProjectFiles));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setHeaderLabels({QString::fromUtf8(txt::ColumnFile), QString::fromUtf8(txt::ColumnSize),
                     QString::fromUtf8(txt::ColumnState), QString::fromUtf8(txt::ColumnTranslations),
                     QString::fromUtf8(txt::ColumnDirectory)});
    header()->setStretchLastSection(true);
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { emit openRequested(item->data(0, PathRole).toString()); });
}

void CRowListView::setRow(QTreeWidgetItem* item, const std::filesystem::path& script)
{
    const ProjectFileRow row = projectFileRow(script);
    item->setText(0, QString::fromStdString(row.file));
    item->setText(1, QString::number(row.size));
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(2, QString::fromStdString(row.state));
    item->setText(3, QString::fromStdString(row.translations));
    item->setText(4, QString::fromStdString(row.directory));
    item->setData(0, PathRole, QString::fromStdString(script.string()));
}

void CRowListView::fill(const std::vector<std::string>& paths)
{
    clear();
    for (const std::string& path : paths) {
        std::error_code ec;
        if (!path.empty() && std::filesystem::is_regular_file(path, ec))
            setRow(new QTreeWidgetItem(this), path);
    }
    for (int column = 0; column < columnCount() - 1; ++column)
        resizeColumnToContents(column);
    if (topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(0));
}

QTreeWidgetItem* CRowListView::rowOf(const std::filesystem::path& script) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (equalsIgnoringCase(item->data(0, PathRole).toString().toStdString(), script.string()))
            return item;
    }
    return nullptr;
}

void CRowListView::refresh(const std::filesystem::path& script)
{
    QTreeWidgetItem* item = rowOf(script);
    setRow(item ? item : new QTreeWidgetItem(this), script);
}

std::filesystem::path CRowListView::selectedPath() const
{
    const QTreeWidgetItem* item = currentItem();
    return item && item->isSelected() ? std::filesystem::path(item->data(0, PathRole).toString().toStdString())
                                      : std::filesystem::path();
}

void CRowListView::removeSelected()
{
    delete currentItem();
}

} // namespace qmk
